#pragma once
// The preferences dialog: the choice of the data delimiter (tab, comma or one
// custom character). The caller sets the three public values before showing
// it and reads them back after it closes; only OK changes them.

#include "Preferences.h"

#include <QDialog>

class QGroupBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

class frmPreferences : public QDialog {
    Q_OBJECT
public:
    explicit frmPreferences(QWidget* parent = nullptr);

    // The choice, in and out.
    bool TabDelimiter = true;
    bool CustomDelimiter = false;  // takes precedence over TabDelimiter
    QString Delimiter;             // the custom character

    void Form_Load();
    // Shows the values in the controls; runs each time the dialog is shown.
    void Form_Activate();
    void txtOther_Change();
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QGroupBox* fraDelimiter_;
    QRadioButton* optTab_;
    QRadioButton* optComma_;
    QRadioButton* optOther_;
    QLineEdit* txtOther_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
};

// The File menu's "Preferences..." command: loads the stored choice into the
// main window's copies, lets the operator change it in the dialog, stores the
// copies again (after Cancel too, which rewrites the stored text in its
// canonical form) and puts the delimiter in force.
void RunPreferencesCommand(DelimiterChoice& mainWindowCopies, QWidget* parent);
// The same for a caller that keeps no copies of its own.
void RunPreferencesCommand(QWidget* parent);
