#pragma once
// The main window: a caption and a menu bar. It owns the one Sensor and the
// instrument operations that several windows share, and reaches every other
// window from its menus.

#include "CommPortDriver.h"
#include "Environment.h"
#include "Exchange.h"
#include "MainWindowServices.h"
#include "Preferences.h"

#include <QMainWindow>
#include <functional>
#include <memory>

class QAction;
class QKeySequence;
class QMenu;
class Sensor;

class frmUtility : public QMainWindow, public MainWindowServices {
    Q_OBJECT
public:
    // The factory makes the driver the Sensor uses (serial, simulated, traced).
    explicit frmUtility(DriverFactory driverFactory, QWidget* parent = nullptr);
    ~frmUtility() override;

    // The one instance of the program: the registered main window
    // (MainWindowServices.h).
    static frmUtility& instance();

    // Start-up: shows the window (painted before the link is opened), applies the delimiter preference, opens the
    // link and identifies the instrument. No instrument, a port that cannot
    // be used (named with the reason) or an unsupported instrument: the
    // message, then ProgramEnd is thrown.
    void Form_Load();

    // The services the other windows reach (MainWindowServices.h).
    QWidget* Window() override { return this; }
    Sensor& SensorDriver() override;
    Exchange ReportingExchange() override;

    // Instrument operations shared by several windows. DatalogCount,
    // ClearDatalog and GetInstrumentName report their errors (ReportError);
    // StdzTimestamp and SetDateAndTime raise them to the caller.
    int16_t DatalogCount() override;
    double StdzTimestamp() override;
    void ClearDatalog();
    void SetDateAndTime() override;
    void GetInstrumentName();

    // The menu items by group, indexed as the menu commands are.
    QAction* mnuFileItem(int index) const;
    QAction* mnuSensorItem(int index) const;
    QAction* mnuDatalogItem(int index) const;
    QAction* mnuHelpItem(int index) const;

    // The menu command handlers (what a click on an item runs).
    void mnuFileItem_Click(int index);
    void mnuSensorItem_Click(int index);
    void mnuDatalogItem_Click(int index);
    void mnuHelpItem_Click(int index);

    // While a long operation runs, the menus are disabled so that no second
    // operation can start.
    void SetOperationRunning(bool running) override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    void showPainted();
    void addServiceShortcut(const QKeySequence& keys, const std::function<void()>& command);
    QMenu* addMenuGroup(const QString& objectName, const QString& caption, const QString& itemGroup,
                        const QStringList& captions, QList<QAction*>& items,
                        void (frmUtility::*handler)(int));
    QString chooseFile(const QString& title, FileDialogKind kind);
    void runDatalogCapture();
    void runDatalogConversion();
    void runDatalogClear();

    DriverFactory driverFactory_;
    std::unique_ptr<Sensor> sensor_;
    DelimiterChoice delimiter_;
    QList<QAction*> fileItems_, sensorItems_, datalogItems_, helpItems_;
    bool closed_ = false;
    bool operationRunning_ = false;
    bool waitingForInstrument_ = false;  // events are processed during an exchange
};
