#pragma once
// What the two run configuration editors share: the read mode, the report
// interval, the range edits (distances or heights, in the instrument's units)
// and the height trigger, laid out as designed; the load of the setup under
// edit (frmEditProduct::instance()); Save and Cancel. Each editor names its
// range edits and says how they are shown and stored.
//
// CustomaryUnits must be set before Form_Load: true for inches (one decimal,
// 0 to 6 in steps of 0.1), false for millimetres (whole numbers, 0 to 150 in
// steps of 5): RangeEditLimits. The values are the instrument's and are never
// converted between units.
//
// A stored ReadMode other than 0 ("TIME") and 1 ("PIECE") shows as one more
// entry "(unknown: n)", selected, and is kept unless the operator picks
// another mode.

#include <QDialog>
#include <QList>
#include <QString>
#include <cstdint>

class CWNumEdit;
class ProductSetup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class RunConfigDialog : public QDialog {
    Q_OBJECT
public:
    // Inches when true, millimetres when false; read by Form_Load.
    bool CustomaryUnits = false;

    // Loads, then runs modally until Save or Cancel closes the dialog.
    void ShowModal();
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();

protected:
    // One range edit: its control names are "lbl" and "cwn" followed by the
    // name; the label reads the caption and the unit.
    struct RangeRow {
        QString Name;
        QString Caption;
    };
    // What the editor stores besides its range edits.
    struct CommonEntry {
        int16_t ReadMode = 0;
        double ReportInterval = 0.0;
        bool HeightTrigger = false;
    };

    RunConfigDialog(const char* objectName, const QList<RangeRow>& ranges, QWidget* parent);

    CWNumEdit* RangeEdit(int row) const { return rangeEdits_.at(row); }

    // Shows the setup's range in the range edits; may raise AppError, and
    // then the dialog does not open.
    virtual void LoadRanges(const ProductSetup& setup) = 0;
    // Stores the common entry and the range edits into the setup, in the
    // editor's order; raises AppError before storing anything when a value
    // does not fit.
    virtual void Store(ProductSetup& setup, const CommonEntry& common) = 0;

private:
    ProductSetup* setup_ = nullptr;
    QList<RangeRow> ranges_;

    QComboBox* cboMode_;
    CWNumEdit* cwnInterval_;
    QList<QLabel*> rangeLabels_;
    QList<CWNumEdit*> rangeEdits_;
    QCheckBox* chkTrigger_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
