// The real serial driver while the windows process events between its waits
// (the link's idle hook): QSerialPort's own notifier may then read a reply,
// or its start, before the driver waits again; the driver must take those
// bytes at once and in order, not wait for more that will not come.
#include "LinkWait.h"
#include "PseudoTerminal.h"
#include "SerialPortDriver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <gtest/gtest.h>

namespace {

// Restores the empty idle hook however the test ends.
struct IdleHookGuard { ~IdleHookGuard() { LinkWait::SetIdleHook({}); } };

}  // namespace

TEST(SerialLink, BytesTheEventLoopReadBetweenWaitsAreTakenAtOnce)
{
    PseudoTerminal terminal;
    SerialPortDriver driver(terminal.devicePath());
    driver.SetTimeout(3000);
    driver.OpenDevice(DeviceCode::Primary);
    ASSERT_TRUE(driver.IsConnected());
    IdleHookGuard guard;

    // The pieces the instrument sends during the first idle call: the first
    // before the events are processed (the notifier reads it), the rest after.
    const struct { const char* name; QList<QByteArray> pieces; QByteArray reply; } cases[] = {
        {"the whole reply read by the event loop", {"s0012\r\n"}, "s0012"},
        {"its start read by the event loop, the rest later", {"s00", "12\r\n"}, "s0012"},
        {"CR read by the event loop, LF later", {"abc\r", "\n"}, "abc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        int idleCalls = 0;
        LinkWait::SetIdleHook([&] {
            if (++idleCalls > 1) return;
            terminal.readAvailable();  // the command
            terminal.write(c.pieces.first());
            for (int round = 0; round < 3; ++round) {
                QThread::msleep(10);  // the bytes cross the terminal
                QCoreApplication::processEvents();
            }
            for (const QByteArray& piece : c.pieces.mid(1)) terminal.write(piece);
        });
        QElapsedTimer took;
        took.start();
        EXPECT_NO_THROW(EXPECT_EQ(driver.Execute("X"), c.reply));  // an AppError shows its description
        EXPECT_EQ(idleCalls, 1) << "the reply came in the first idle call and was taken without another wait";
        EXPECT_LT(took.elapsed(), 1000);
    }
}
