#pragma once
// The tolerances editor: an upper ("+") and a lower ("-") tolerance for each
// of the three difference terms of the first data view's colour scale, and
// for the difference of its colour index (ToleranceValues.h has the rules).
// It works on the setup of frmEditProduct::instance() in place; only Save
// changes it.
//
// The boxes of a group not in use (no scale or no index chosen, or a code the
// editor does not know) are hidden, and neither checked nor stored whatever
// they hold. With no group in use, Save is disabled. A code the editor does
// not know keeps its labels at ":" and is told in lblWarning ("Color scale
// not recognised"). A refused Save shows "All values must be numeric and
// non-negative" (or, for a number beyond single precision, the overflow's
// description) and leaves the dialog open with nothing stored.

#include "ToleranceValues.h"

#include <QDialog>

class ProductSetup;
class QLabel;
class QLineEdit;
class QPushButton;

class frmTolerances : public QDialog {
    Q_OBJECT
public:
    explicit frmTolerances(QWidget* parent = nullptr);

    // Loads, then runs modally until Save or Cancel closes the dialog.
    void ShowModal();
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void buildControls();

    ProductSetup* setup_ = nullptr;
    ToleranceLayout layout_;

    QLabel* lblUpper_;
    QLabel* lblLower_;
    QLabel* lblScale_[3];
    QLineEdit* txtUpperScale_[3];  // txtUpperX, Y, Z
    QLineEdit* txtLowerScale_[3];  // txtLowerX, Y, Z
    QLabel* lblIndex_;
    QLineEdit* txtUpper_;
    QLineEdit* txtLower_;
    QLabel* lblWarning_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
