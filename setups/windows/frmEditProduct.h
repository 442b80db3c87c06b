#pragma once
// The product setup editor: the operator loads one setup from the instrument
// by its number, edits its name, standard type and autosearch flag here and
// the rest in the four sub-editors (SubEditors.h), and writes it back.
//
// One window object serves the whole run (instance()); it is shown modally
// and hidden when it closes. It owns the setup under edit, created on first
// use: closing the window keeps it, so the next opening (and every
// sub-editor) still works on the last loaded or edited values, while the
// controls start again from their initial contents (empty name, no standard
// type chosen, autosearch cleared, view and setup numbers at 1). Nothing is
// read from the instrument until Load.
//
// Every exchange goes through the main window's ReportingExchange (a
// timeout offers Retry). Other errors are not handled here: the click
// handlers raise them to their caller (the application's top level reports
// them). A refusal ("?") of "P1" or of a query is such an error.
//
// Choices of this window:
//  - Save with no standard type chosen (the window saved without Load, or a
//    loaded StandardType outside 0..3, which has no entry and shows the box
//    empty) keeps the setup's own StandardType rather than storing -1; picking
//    an entry stores its list index.
//  - The autosearch box is saved as true only when checked; grey saves false.
//  - The reply to "P0" is not examined; the window closes after Save.

#include "ProductSetup.h"

#include <QDialog>
#include <cstdint>
#include <memory>

class CWNumEdit;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class SetupNameValidator;

class frmEditProduct : public QDialog {
    Q_OBJECT
public:
    // The window of the program, created on first use and kept until the
    // application ends.
    static frmEditProduct& instance();
    // Discards the window and its setup; the next instance() starts afresh
    // (for tests).
    static void DestroyInstance();

    // The setup under edit; created empty on first use.
    ProductSetup& EditedProductSetup();
    // The view number (1..8) set in cwnView, rounded to a whole number.
    int16_t ViewIndex() const;

    // Opens the window modally; returns when Save or Cancel has closed it.
    void ShowModal();
    // Icon, caption ("Edit Product - " and the instrument's name) and the
    // controls' initial contents; run each time the window opens.
    void Form_Load();

    // Reads the setup numbered in cwnSetup ("P1") and shows it.
    void cmdLoad_Click();
    // Copies the window into the setup, writes it ("P0") and closes.
    void cmdSave_Click();
    // Closes; nothing is sent.
    void cmdCancel_Click();
    void cmdViews_Click();
    void cmdTargets_Click();
    void cmdTolerances_Click();
    // Asks the instrument its units and run configuration variant, then opens
    // the matching editor (distances for 1, heights for 2, none otherwise).
    void cmdRunConfig_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    explicit frmEditProduct(QWidget* parent = nullptr);
    void buildControls();
    // The window's name, standard type and autosearch flag from the setup.
    void showSetup();
    // The setup number of cwnSetup (1..250).
    int setupNumber() const;

    std::unique_ptr<ProductSetup> setup_;

    QLabel* lblName_;
    QLineEdit* txtName_;
    SetupNameValidator* nameFilter_;
    QLabel* lblStandard_;
    QComboBox* cboStandard_;
    QLabel* lblAutosearch_;
    QCheckBox* chkAutosearch_;
    QLabel* lblViews_;
    CWNumEdit* cwnView_;
    QPushButton* cmdViews_;
    QLabel* lblTargets_;
    QPushButton* cmdTargets_;
    QLabel* lblTolerances_;
    QPushButton* cmdTolerances_;
    QLabel* lblRunConfig_;
    QPushButton* cmdRunConfig_;
    CWNumEdit* cwnSetup_;
    QPushButton* cmdLoad_;
    QPushButton* cmdSave_;
    QPushButton* cmdCancel_;
};
