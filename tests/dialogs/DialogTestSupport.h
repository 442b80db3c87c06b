#pragma once
// What the dialog tests share: the main window on the simulated instrument
// with a scripted environment, a pinned locale, and a way to act on a modal
// dialog while its exec() runs.

#include "CommPortDriver.h"
#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "frmUtility.h"

#include <QApplication>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QLocale>
#include <QTimer>
#include <functional>
#include <memory>

// The main window on the in-process simulated instrument, loaded, with the
// scripted environment installed first (the window's load reads the
// settings). The instrument's clock is the environment's, so a test that
// fixes Env().Now() fixes the instrument's notion of the computer's time too.
struct SimMainWindow {
    // Wraps the simulator's driver, to make the instrument say what the
    // simulation cannot (more records than it holds, for one).
    using DriverWrapper = std::function<std::unique_ptr<CommPortDriver>(std::unique_ptr<CommPortDriver>)>;

    explicit SimMainWindow(SimOptions options = {}, DriverWrapper wrap = {});
    ~SimMainWindow();

    ScriptedEnvironment env;
    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> window;

    // Commands the instrument received after start-up (identification left
    // out).
    QByteArrayList sentSinceLoad() const;

private:
    qsizetype receivedAtLoad_ = 0;
};

// A fault of the link on the occurrence-th command starting with prefix.
SimFault Fault(const QByteArray& prefix, int occurrence, SimFault::Kind kind = SimFault::Kind::NoReply);

// Pins the default locale for the life of the guard.
class LocaleGuard {
public:
    explicit LocaleGuard(const QLocale& locale) : previous_(QLocale()) { QLocale::setDefault(locale); }
    ~LocaleGuard() { QLocale::setDefault(previous_); }

private:
    QLocale previous_;
};

// Runs the action on the first modal dialog of type T once its exec() has
// started; gives up after five seconds (the test then fails on its checks).
template <typename T>
void WhenModal(std::function<void(T&)> action)
{
    QElapsedTimer clock;
    clock.start();
    auto* timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, action, clock] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog || clock.elapsed() > 5000) {
            timer->stop();
            timer->deleteLater();
        }
        if (dialog) action(*dialog);
    });
    timer->start(10);
}
