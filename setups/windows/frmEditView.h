#pragma once
// The view editor: whether one data view of the setup is shown on the
// instrument, what it displays, under which illuminant/observer, in which
// colour scale and with which colour index. The view is number ViewIndex()
// of frmEditProduct::instance(), and the editor works on that window's setup
// in place: Save writes the five fields, Cancel leaves the view untouched.
//
// View 1 is always shown on the instrument: its enable box is checked and
// disabled, and Save stores Enabled = true for it.
//
// A stored code that a list has no entry for (a view the instrument sent
// with DisplayType 9) is shown as one more entry at the end of that list,
// "(unknown: 9)", selected; Save keeps the stored code unless the operator
// picks another entry.

#include <QDialog>
#include <cstdint>

class ProductSetup;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

class frmEditView : public QDialog {
    Q_OBJECT
public:
    explicit frmEditView(QWidget* parent = nullptr);

    // Loads, then runs modally until Save or Cancel closes the dialog.
    void ShowModal();
    void Form_Load();
    void cmdSave_Click();
    void cmdCancel_Click();

private:
    void buildControls();

    ProductSetup* setup_ = nullptr;
    int viewNumber_ = 0;

    QLabel* lblView_;
    QLabel* lblEnable_;
    QCheckBox* chkEnable_;
    QLabel* lblDisplay_;
    QComboBox* cboDisplay_;
    QLabel* lblIllObs_;
    QComboBox* cboIllObs_;
    QLabel* lblScale_;
    QComboBox* cboScale_;
    QLabel* lblIndex_;
    QComboBox* cboIndex_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
