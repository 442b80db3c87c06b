# The progress window of the long operations (added to tr8kz_windows).
target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmCapture.h
  ${CMAKE_CURRENT_LIST_DIR}/frmCapture.cpp
)
target_include_directories(tr8kz_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
