# The colour converter of the standard values editor: conversions between XYZ,
# CIELAB, CIELCh, Hunter Lab and Yxy for the instrument's illuminant/observer
# settings, and the colour differences of the command line's calculator.
# Engine only (no widgets); Little CMS does the CIE formulas.
add_library(tr8kz_color STATIC
  ${CMAKE_CURRENT_SOURCE_DIR}/ColorConverter.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ColorConverter.h
  ${CMAKE_CURRENT_SOURCE_DIR}/ColorDifference.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/ColorDifference.h
  ${CMAKE_CURRENT_SOURCE_DIR}/IlluminantTable.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/IlluminantTable.h
)
target_include_directories(tr8kz_color PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tr8kz_color PUBLIC tr8kz_link Qt6::Core PRIVATE PkgConfig::LCMS2)
