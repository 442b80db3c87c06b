#pragma once
// The four sub-editors that the Edit buttons of frmEditProduct open, each
// modally over the editor window (the parent given). The windows that
// implement them fill this table in InstallSubEditors, defined by the file
// that brings them (setups/SubEditors.cmake adds it; without it,
// NoSubEditors.cpp installs none). A button whose entry is empty opens
// nothing. Each sub-editor takes the setup from
// frmEditProduct::instance().EditedProductSetup() when it loads; the view
// editor also takes ViewIndex().

#include <functional>

class QWidget;

struct SubEditors {
    std::function<void(QWidget* parent)> ShowEditView;    // frmEditView
    std::function<void(QWidget* parent)> ShowStandard;    // frmStandard
    std::function<void(QWidget* parent)> ShowTolerances;  // frmTolerances
    // The run configuration editors, told the units before they load.
    std::function<void(QWidget* parent, bool customaryUnits)> ShowRunConfig;   // frmRunConfig, distances
    std::function<void(QWidget* parent, bool customaryUnits)> ShowRunConfig2;  // frmRunConfig2, heights
};

// The table, filled by InstallSubEditors on first use.
SubEditors& TheSubEditors();

// Fills the table with the program's sub-editor windows.
void InstallSubEditors(SubEditors& editors);
