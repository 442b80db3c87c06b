#pragma once
// The run configuration editor of an instrument that works with heights
// above a base: read mode, report interval, distance from the sensor to the
// base, minimum and maximum height of the product above the base, height
// trigger. The setup keeps distances (RunConfigValues.h): the heights shown
// are BaseDistance - MaxDistance and BaseDistance - MinDistance, and Save
// stores ReadMode, ReportInterval, BaseDistance, MinDistance = base - maximum
// height, MaxDistance = base - minimum height, HeightTrigger, in that order,
// each difference taken on the edits' values and then rounded (halves to
// even). Cancel stores nothing.
//
// A stored setup whose heights do not fit in 16 bits cannot be shown: Form_Load
// raises the overflow error (AppError 6) and the dialog does not open.
//
// CustomaryUnits and an unknown ReadMode: as in frmRunConfig.

#include <QDialog>

class CWNumEdit;
class ProductSetup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class frmRunConfig2 : public QDialog {
    Q_OBJECT
public:
    explicit frmRunConfig2(QWidget* parent = nullptr);

    // Inches when true, millimetres when false; read by Form_Load.
    bool CustomaryUnits = false;

    // Loads, then runs modally until Save or Cancel closes the dialog.
    void ShowModal();
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void buildControls();

    ProductSetup* setup_ = nullptr;

    QLabel* lblMode_;
    QComboBox* cboMode_;
    QLabel* lblInterval_;
    CWNumEdit* cwnInterval_;
    QLabel* lblBase_;
    CWNumEdit* cwnBase_;
    QLabel* lblMinHeight_;
    CWNumEdit* cwnMinHeight_;
    QLabel* lblMaxHeight_;
    CWNumEdit* cwnMaxHeight_;
    QLabel* lblTrigger_;
    QCheckBox* chkTrigger_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
