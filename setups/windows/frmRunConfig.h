#pragma once
// The run configuration editor of an instrument that works with distances
// from the sensor: read mode, report interval, minimum and maximum distance,
// height trigger. It works on the setup of frmEditProduct::instance() in
// place; Save stores ReadMode, ReportInterval, MinDistance, MaxDistance and
// HeightTrigger, in that order, the numbers rounded to whole numbers (halves
// to even: 2.5 is stored as 2, 3.5 as 4); Cancel stores nothing.
//
// CustomaryUnits must be set before Form_Load: true for inches (the
// distances to one decimal, 0 to 6 in steps of 0.1), false for millimetres
// (whole numbers, 0 to 150 in steps of 5). The values are the instrument's
// and are never converted between units.
//
// A stored ReadMode other than 0 ("TIME") and 1 ("PIECE") shows as one more
// entry "(unknown: n)", selected, and is kept unless the operator picks
// another mode.

#include <QDialog>

class CWNumEdit;
class ProductSetup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class frmRunConfig : public QDialog {
    Q_OBJECT
public:
    explicit frmRunConfig(QWidget* parent = nullptr);

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
    QLabel* lblMinDistance_;
    CWNumEdit* cwnMinDistance_;
    QLabel* lblMaxDistance_;
    CWNumEdit* cwnMaxDistance_;
    QLabel* lblTrigger_;
    QCheckBox* chkTrigger_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
