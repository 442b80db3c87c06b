# The product setup engines: the setup model, its record encoding, archive and
# restore of all setups, the run configuration query. No QtWidgets here.
add_library(tr8kz_setups STATIC
  ${CMAKE_CURRENT_LIST_DIR}/ProductSetup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetupRecord.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetupArchive.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RestoreFile.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RunConfigQuery.cpp
)
target_include_directories(tr8kz_setups PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tr8kz_setups PUBLIC tr8kz_appcore tr8kz_link Qt6::Core)
