# The product setup editor window and its numeric edit control (added to
# tr8kz_windows).
target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/CWNumEdit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetupNameFilter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SubEditors.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmEditProduct.cpp
)
target_include_directories(tr8kz_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})

# The sub-editors (standard values, tolerances, view, run configuration):
# SubEditors.cmake adds their windows and the file that defines
# InstallSubEditors. Until it exists, the Edit buttons open nothing.
include(${CMAKE_CURRENT_LIST_DIR}/SubEditors.cmake OPTIONAL RESULT_VARIABLE tr8kz_setups_subeditors)
if(NOT tr8kz_setups_subeditors)
  target_sources(tr8kz_windows PRIVATE ${CMAKE_CURRENT_LIST_DIR}/NoSubEditors.cpp)
endif()
