# The four sub-editors of the product setup editor: standard values,
# tolerances, one data view, and the two run configuration editors.
#
# Their rules (the lists, the number texts of the boxes, conversions,
# validation and what is stored) form an engine without widgets,
# tr8kz_setupeditors; the dialogs are thin windows on it, added to
# tr8kz_windows together with InstallSubEditors, which puts them behind the
# editor window's Edit buttons.
add_library(tr8kz_setupeditors STATIC
  ${CMAKE_CURRENT_LIST_DIR}/SetupVocabulary.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SetupNumberText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StandardValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ToleranceValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RunConfigValues.cpp
)
target_include_directories(tr8kz_setupeditors PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tr8kz_setupeditors PUBLIC tr8kz_setups tr8kz_color tr8kz_link Qt6::Core)

target_sources(tr8kz_windows PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/SubEditorControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmStandard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmTolerances.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmEditView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRunConfig.cpp
  ${CMAKE_CURRENT_LIST_DIR}/frmRunConfig2.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstallSubEditors.cpp
)
target_link_libraries(tr8kz_windows PUBLIC tr8kz_setupeditors tr8kz_color)
