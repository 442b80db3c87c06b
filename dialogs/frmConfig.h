#pragma once
// The identification window: the attached instrument's firmware version,
// serial number, time of its last standardization and how full its datalog
// is. It only reads from the instrument.

#include <QDialog>

class QLabel;
class QPushButton;

class frmConfig : public QDialog {
    Q_OBJECT
public:
    explicit frmConfig(QWidget* parent = nullptr);

    // Fills the labels from the main window's instrument. Every error is
    // passed to the common error report; after Retry on a timeout the step
    // that timed out is repeated and loading goes on. Cancel or a fatal error
    // throws ProgramEnd.
    void Form_Load();
    void cmdOK_Click();

private:
    QLabel* lblFirmware_;
    QLabel* lblSerialNumber_;
    QLabel* lblLastStdz_;
    QLabel* lblDateTime_;
    QLabel* lblDatalog_;
    QLabel* lblLogCount_;
    QPushButton* cmdOK_;
};

// The Sensor menu's "Identification" command: loads the window and shows it
// modally.
void ShowIdentification(QWidget* parent);
