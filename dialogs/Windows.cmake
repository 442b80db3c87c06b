# The housekeeping dialogs (added to tr8kz_windows).
target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmAbout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmPreferences.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmDateTime.cpp
)
target_include_directories(tr8kz_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
