// The main window stays painted while the instrument is asked: it is painted
// before the link opens, it repaints while a reply is awaited, and it takes
// no close (nor any other command) in the middle of an exchange.
#include "LinkWait.h"
#include "ScriptedEnvironment.h"
#include "Sensor.h"
#include "SimulatorDriver.h"
#include "frmUtility.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMenuBar>
#include <gtest/gtest.h>

namespace {

// Counts the paints of what it filters, notes how many there had been when
// the link was opened, and can act while a command's reply is held back, as
// the serial driver calls the link's idle hook while it waits.
struct Watch : QObject {
    int paints = 0, paintsAtOpen = -1;
    std::function<void()> duringReply;
    bool eventFilter(QObject*, QEvent* event) override { paints += event->type() == QEvent::Paint; return false; }
};

class WatchingDriver : public SimulatorDriver {
public:
    explicit WatchingDriver(Watch& watch) : SimulatorDriver(SimOptions{}), watch_(watch) {}
    void OpenDevice(int32_t code) override
    {
        if (watch_.paintsAtOpen < 0) watch_.paintsAtOpen = watch_.paints;
        SimulatorDriver::OpenDevice(code);
    }
    QByteArray Execute(const QByteArray& command) override
    {
        if (watch_.duringReply) watch_.duringReply();
        return SimulatorDriver::Execute(command);
    }

private:
    Watch& watch_;
};

}  // namespace

TEST(ResponsiveWindow, PaintedBeforeTheLinkAndDuringAReplyAndNotClosedInTheMiddle)
{
    ScriptedEnvironment env;
    Watch watch;
    frmUtility window([&]() -> std::unique_ptr<CommPortDriver> { return std::make_unique<WatchingDriver>(watch); });
    window.installEventFilter(&watch);
    window.menuBar()->installEventFilter(&watch);

    window.Form_Load();
    EXPECT_GT(watch.paintsAtOpen, 0) << "the window was painted before the link was opened";

    // While a reply is awaited: a pending repaint is done, a close request
    // is held off, and the link stays open.
    int paintsDuringReply = 0;
    watch.duringReply = [&] {
        const int before = watch.paints;
        window.update();
        QCoreApplication::postEvent(&window, new QCloseEvent);
        LinkWait::Idle();
        paintsDuringReply = watch.paints - before;
    };
    EXPECT_EQ(window.DatalogCount(), 120);
    watch.duringReply = nullptr;
    EXPECT_GT(paintsDuringReply, 0);
    EXPECT_TRUE(window.isVisible()) << "no close in the middle of an exchange";
    EXPECT_TRUE(window.SensorDriver().InstrumentConnected());
    EXPECT_TRUE(env.messages.empty());
}
