#pragma once
// The set clock window: shows the computer's date and time, refreshed
// continuously, and on Set sends the computer's time at that moment to the
// instrument.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

class frmDateTime : public QDialog {
    Q_OBJECT
public:
    // How often the shown time is refreshed: often enough that the label
    // follows each change of the seconds within this many milliseconds.
    static constexpr int RefreshMilliseconds = 300;

    explicit frmDateTime(QWidget* parent = nullptr);

    void Form_Load();
    void ShowDateAndTime();
    void tmrTimer_Timer();
    // Sets the instrument's clock and closes. Every error is passed to the
    // common error report; after Retry on a timeout the clock is set again,
    // with the time of that moment. Cancel or a fatal error throws ProgramEnd.
    void cmdSet_Click();
    // Stops the refresh and closes; nothing is sent.
    void cmdCancel_Click();

    // Escape and the title bar's close button act as Cancel.
    void reject() override;

private:
    QLabel* lblPrompt_;
    QLabel* lblDateTime_;
    QTimer* tmrTimer_;
    QPushButton* cmdSet_;
    QPushButton* cmdCancel_;
};

// The Sensor menu's "Set Date and Time..." command: the window, modally.
void ShowSetClock(QWidget* parent);
