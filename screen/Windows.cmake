# The screen capture window (added to tr8kz_windows).
target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/frmBitmap.cpp
)
target_include_directories(tr8kz_windows PUBLIC ${CMAKE_CURRENT_LIST_DIR})
