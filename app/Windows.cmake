# Windows of the application shell (added to tr8kz_windows).
target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Application.cpp
  ${CMAKE_CURRENT_LIST_DIR}/modGlobals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ProgramArt.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtEnvironment.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmUtility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OpenWindows.cpp
)
target_include_directories(tr8kz_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
