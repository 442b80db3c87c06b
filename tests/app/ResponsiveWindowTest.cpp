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

// Counts the paints of a widget and everything in it.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

// Notes how often the window had been painted when the link was opened, and
// can hold a command's reply back to call the link's idle hook, as the
// serial driver does while it waits.
class WatchingDriver : public SimulatorDriver {
public:
    WatchingDriver(const PaintCounter& counter, int& paintsAtOpen, std::function<void()>& duringReply)
        : SimulatorDriver(SimOptions{}), counter_(counter), paintsAtOpen_(paintsAtOpen), duringReply_(duringReply) {}
    void OpenDevice(int32_t code) override
    {
        if (paintsAtOpen_ < 0) paintsAtOpen_ = counter_.paints;
        SimulatorDriver::OpenDevice(code);
    }
    QByteArray Execute(const QByteArray& command) override
    {
        if (duringReply_) duringReply_();
        return SimulatorDriver::Execute(command);
    }

private:
    const PaintCounter& counter_;
    int& paintsAtOpen_;
    std::function<void()>& duringReply_;
};

}  // namespace

TEST(ResponsiveWindow, PaintedBeforeTheLinkAndDuringAReplyAndNotClosedInTheMiddle)
{
    ScriptedEnvironment env;
    PaintCounter counter;
    int paintsAtOpen = -1;
    std::function<void()> duringReply;
    frmUtility window([&]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<WatchingDriver>(counter, paintsAtOpen, duringReply);
    });
    window.installEventFilter(&counter);
    window.menuBar()->installEventFilter(&counter);

    window.Form_Load();
    EXPECT_GT(paintsAtOpen, 0) << "the window was painted before the link was opened";

    // While a reply is awaited: a pending repaint is done, a close request
    // is held off, and the link stays open.
    int paintsDuringReply = 0;
    duringReply = [&] {
        const int before = counter.paints;
        window.update();
        QCoreApplication::postEvent(&window, new QCloseEvent);
        LinkWait::Idle();
        paintsDuringReply = counter.paints - before;
    };
    EXPECT_EQ(window.DatalogCount(), 120);
    duringReply = nullptr;
    EXPECT_GT(paintsDuringReply, 0);
    EXPECT_TRUE(window.isVisible()) << "no close in the middle of an exchange";
    EXPECT_TRUE(window.SensorDriver().InstrumentConnected());
    EXPECT_TRUE(env.messages.empty());
}
