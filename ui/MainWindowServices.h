#pragma once
// The main window as the other windows reach it: its Sensor, the exchange
// that goes through the common error report, the instrument operations it
// shares, and the guard of its menus while a long operation runs.
//
// The main window sits at the top of the program and opens every other
// window; they in turn need these few services of it. They reach them through
// this interface, which the main window implements and registers, so that no
// window depends on the main window itself.

#include "Exchange.h"

#include <cstdint>

class QWidget;
class Sensor;

class MainWindowServices {
public:
    // The main window's widget, the parent of the progress window.
    virtual QWidget* Window() = 0;
    // The Sensor, created on first use.
    virtual Sensor& SensorDriver() = 0;
    // Exchanges for long operations and editors: a communications timeout
    // offers Retry (the same command is sent again) or Cancel (the program
    // ends); other errors reach the caller.
    virtual Exchange ReportingExchange() = 0;
    // Instrument operations shared by several windows. DatalogCount reports
    // its errors (ReportError); StdzTimestamp and SetDateAndTime raise them
    // to the caller.
    virtual int16_t DatalogCount() = 0;
    virtual double StdzTimestamp() = 0;
    virtual void SetDateAndTime() = 0;
    // While a long operation runs, the menus are disabled so that no second
    // operation can start.
    virtual void SetOperationRunning(bool running) = 0;

protected:
    ~MainWindowServices() = default;
};

// The registered main window; MainWindow() raises std::logic_error when there
// is none (a window used without the program's main window).
MainWindowServices& MainWindow();
bool MainWindowExists();
// The main window registers itself while it exists.
void RegisterMainWindow(MainWindowServices* window);
void UnregisterMainWindow(MainWindowServices* window);
