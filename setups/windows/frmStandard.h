#pragma once
// The standard values editor: the target of the setup's standard and, for a
// "HITCH" standard (type 3), the offsets target minus read, shown and typed
// in the colour scale and illuminant/observer of the setup's first data view
// (StandardValues.h has the rules). It works on the setup of
// frmEditProduct::instance() in place; only Save changes it.
//
// What the operator is told, in lblWarning: "Color scale not selected" (the
// first view has no scale), "Color scale not recognised" or
// "Illuminant/observer not recognised" (codes the editor has no entry for);
// in these cases the boxes stay empty and Save is disabled. A stored
// standard the colour converter cannot express in the scale shows the
// converter's description, with Save disabled. On Save, a box that is not a
// number gives "All values must be numeric", and a failed conversion its
// description; the dialog stays open and nothing is stored.
//
// A standard of another type than HITCH has no offsets: the offset column is
// hidden and the target column ("Target" and its boxes) stands at the offset
// column's place, once a scale has been found to edit in.

#include "StandardValues.h"

#include <QDialog>
#include <memory>

class QLabel;
class QLineEdit;
class QPushButton;

class frmStandard : public QDialog {
    Q_OBJECT
public:
    explicit frmStandard(QWidget* parent = nullptr);
    ~frmStandard() override;

    // Loads, then runs modally until Save or Cancel closes the dialog.
    void ShowModal();
    // Icon, caption, the setup's values in the view's scale.
    void Form_Load();
    // Stores the values and closes; or tells what is wrong and stays open.
    void cmdSave_Click();
    // Closes; nothing is stored (Escape does the same).
    void cmdCancel_Click();

private:
    void buildControls();
    void placeColumns(bool hitch);
    void warn(const QString& text);
    // Created on first use, released with the dialog.
    const ColorConverter& converter();

    std::unique_ptr<ColorConverter> converter_;
    ProductSetup* setup_ = nullptr;
    StandardScale scale_;

    QLabel* lblTarget_;
    QLabel* lblOffset_;
    QLabel* lblScale_[3];
    QLineEdit* txtTarget_[3];
    QLineEdit* txtOffset_[3];
    QLabel* lblWarning_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
