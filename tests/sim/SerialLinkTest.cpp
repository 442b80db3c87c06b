// The real serial driver on pseudo-terminals: the ports it cannot use, the
// framing of replies that arrive in pieces and its limit, commands sent
// ahead, and a link whose other end hangs up and comes back (the Sensor
// reconnects, and only to the same instrument); and bytes that the windows'
// event loop read between the driver's waits (the link's idle hook), which
// the driver must take at once and in order, not wait for more.
#include "AppError.h"
#include "DatalogCapture.h"
#include "ProgressSink.h"
#include "RaisedError.h"
#include "SetupArchive.h"
#include "TestFiles.h"
#include "LineServer.h"
#include "PseudoTerminal.h"
#include "Sensor.h"
#include "SerialPortDriver.h"
#include "SimulatorDriver.h"
#include "TracingDriver.h"
#include "LinkWait.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <gtest/gtest.h>
#include <memory>
#include <poll.h>
#include <thread>

namespace {

// The driver open on a pseudo-terminal of its own, the test at the other end.
struct DriverOnTerminal {
    explicit DriverOnTerminal(int timeout = 0) : driver(terminal.devicePath())
    {
        if (timeout > 0) driver.SetTimeout(timeout);
        driver.OpenDevice(DeviceCode::Primary);
    }
    PseudoTerminal terminal;
    SerialPortDriver driver;
};

AppError openError(const QString& path)
{
    return ErrorOf([&] { SerialPortDriver(path).OpenDevice(DeviceCode::Primary); });
}

// The simulated instrument answering on its own pseudo-terminal, from a
// thread of its own, until the object goes (the link then hangs up).
class InstrumentOnTerminal {
public:
    explicit InstrumentOnTerminal(const QByteArray& serialNumber) : InstrumentOnTerminal([&] {
        SimOptions options;
        options.serialNumber = serialNumber;
        return options;
    }()) {}
    explicit InstrumentOnTerminal(const SimOptions& options)
    {
        driver_ = std::make_unique<SimulatorDriver>(options);
        driver_->OpenDevice(DeviceCode::Primary);
        server_ = std::make_unique<LineServer>(*driver_);
        thread_ = std::thread([this] { serve(); });
    }
    ~InstrumentOnTerminal()
    {
        stop_ = true;
        thread_.join();
    }
    QString Device() const { return terminal_.devicePath(); }
    QList<QByteArray> Received() const { return driver_->Instrument().ReceivedCommands(); }

private:
    void serve()
    {
        while (!stop_) {
            pollfd in{terminal_.masterDescriptor(), POLLIN, 0};
            if (::poll(&in, 1, 10) <= 0) continue;
            const QByteArray out = server_->Receive(terminal_.readAvailable());
            if (!out.isEmpty()) terminal_.write(out);
        }
    }

    PseudoTerminal terminal_;
    std::unique_ptr<SimulatorDriver> driver_;
    std::unique_ptr<LineServer> server_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Points the link (a symbolic link, as udev names a port) at a device.
void pointLink(const QString& link, const QString& device)
{
    QFile::remove(link);
    ASSERT_TRUE(QFile::link(device, link));
}

}  // namespace

TEST(SerialLink, PortsThatCannotBeUsedAreNamedWithTheReason)
{
    QTemporaryDir dir;
    const QString regularFile = dir.filePath("not-a-port");
    QFile file(regularFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    DriverOnTerminal held;
    auto& [terminal, holder] = held;
    ASSERT_TRUE(holder.IsConnected());

    const struct { QString path; const char* reason; } cases[] = {
        {dir.filePath("ttyACM9"), "not found"},
        {QStringLiteral("/dev/null"), "it is not a serial device"},
        {regularFile, "it is not a serial device"},
        {terminal.devicePath(), "in use by another program"},
    };
    for (const auto& c : cases) {
        const AppError error = openError(c.path);
        EXPECT_EQ(error.number(), ErrorNumber::PortUnavailable) << qPrintable(c.path);
        EXPECT_TRUE(error.description().startsWith(QStringLiteral("The serial port %1 cannot be used: %2").arg(c.path, c.reason)))
            << qPrintable(error.description());
    }
    holder.CloseDevice();
    EXPECT_EQ(openError(terminal.devicePath()).number(), 0) << "free again once the holder closed it";
}

TEST(SerialLink, RepliesInPiecesAndTheLengthLimit)
{
    DriverOnTerminal open(5000);
    auto& [terminal, driver] = open;
    ASSERT_TRUE(driver.IsConnected());

    const qsizetype limit = SerialPortDriver::MaxReplyBytes;
    const struct { const char* name; QList<QByteArray> pieces; QByteArray reply; bool refused; } cases[] = {
        {"CR and LF in two reads", {"abc\r", "\n"}, "abc", false},
        {"one reply in three reads, late bytes dropped", {"s0", "01", "2\r\nlate"}, "s0012", false},
        {"reply at the limit", {QByteArray(limit, 'A') + "\r\n"}, QByteArray(limit, 'A'), false},
        {"one byte over the limit", {QByteArray(limit + 1, 'A') + "\r\n"}, {}, true},
        {"over the limit, no end in sight", {QByteArray(limit + 4096, 'B')}, {}, true},
        {"after a refused reply the next is whole", {"next\r\n"}, "next", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::thread sender([&] {
            // Each piece after the command has arrived and a moment apart,
            // so that the driver reads them one by one.
            ::poll(nullptr, 0, 5);
            terminal.readAvailable();
            for (const QByteArray& piece : c.pieces) {
                terminal.write(piece);
                ::poll(nullptr, 0, 5);
            }
        });
        QElapsedTimer took;
        took.start();
        QByteArray reply;
        const AppError error = ErrorOf([&] { reply = driver.Execute("X"); });
        EXPECT_EQ(error.number(), c.refused ? ErrorNumber::MalformedText : 0) << qPrintable(error.description());
        EXPECT_EQ(reply, c.reply);
        EXPECT_LT(took.elapsed(), 2000) << "refused as it arrives, not at the timeout";
        sender.join();
        ::poll(nullptr, 0, 20);  // anything the sender still had in flight is there before the next case
    }
}

TEST(SerialLink, CommandsSentAheadAreAnsweredInOrderAndAnAbandonedOneIsDropped)
{
    QTemporaryDir dir;
    SilentProgress progress;
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    const auto capture = [&](Sensor& sensor, const QString& name) {
        sensor.OpenCommPort();
        DatalogCapture::Run(DirectExchange(sensor), 120, dir.filePath(name), QStringLiteral(";"), progress, locale);
        SetupArchive::Archive(DirectExchange(sensor), dir.filePath(name + ".setups"), progress, TheFieldCodec());
    };
    QList<QByteArray> expected{"R", "+1", "#"};
    for (int i = 0; i < 120; ++i) expected << "S1" + QByteArray::number(i, 16).toUpper().rightJustified(4, '0');
    for (int i = 0; i < 250; ++i) expected << "P1" + QByteArray::number(i, 16).toUpper().rightJustified(4, '0');

    // The same instrument in process (nothing is sent ahead there) and on a
    // serial line, busy once on a command that was sent ahead.
    SimOptions options;
    Sensor inProcess([options] { return std::make_unique<SimulatorDriver>(options); });
    capture(inProcess, "reference.txt");
    options.faults = {{"S1", 50, SimFault::Kind::Refused}, {"P1", 200, SimFault::Kind::Refused}};
    {
        InstrumentOnTerminal instrument(options);
        Sensor serial([device = instrument.Device()] { return std::make_unique<SerialPortDriver>(device); });
        capture(serial, "serial.txt");
        EXPECT_EQ(ReadWhole(dir.filePath("serial.txt")), ReadWhole(dir.filePath("reference.txt")));
        EXPECT_EQ(ReadWhole(dir.filePath("serial.txt.setups")), ReadWhole(dir.filePath("reference.txt.setups")));
        QList<QByteArray> received = instrument.Received();
        // Each command once, in order, and the two refused ones again.
        received.removeAt(3 + 120 + 200);
        received.removeAt(3 + 50);
        EXPECT_EQ(received, expected);
    }

    // A capture that stops at a damaged record has already sent the next
    // request: its reply is dropped, and the next command gets its own. An
    // archive that meets a damaged setup has sent the next request too: that
    // reply is dropped, the setup asked for again and the next one sent again.
    options.faults = {{"S1", 3, SimFault::Kind::Garbled}, {"P1", 5, SimFault::Kind::Garbled}};
    InstrumentOnTerminal instrument(options);
    const QString trace = dir.filePath("trace.log");
    const DriverFactory onTerminal = [device = instrument.Device()] {
        return std::make_unique<SerialPortDriver>(device);
    };
    Sensor serial(tracedFactory(onTerminal, trace));
    serial.OpenCommPort();
    const AppError stopped = ErrorOf([&] {
        DatalogCapture::Run(DirectExchange(serial), 120, dir.filePath("stopped.txt"), QStringLiteral(";"), progress, locale);
    });
    EXPECT_TRUE(stopped.description().startsWith(QStringLiteral("Record 3 of 120"))) << qPrintable(stopped.description());
    EXPECT_TRUE(serial.ExecCommand("D0001").startsWith('d'));
    EXPECT_EQ(instrument.Received().mid(3), (QList<QByteArray>{"S10000", "S10001", "S10002", "S10003", "D0001"}));
    SetupArchive::Archive(DirectExchange(serial), dir.filePath("again.setups"), progress, TheFieldCodec());
    EXPECT_EQ(ReadWhole(dir.filePath("again.setups")), ReadWhole(dir.filePath("reference.txt.setups")));
    const QList<QByteArray> archived = instrument.Received().mid(8);
    EXPECT_EQ(archived.size(), 252);
    EXPECT_EQ(archived.mid(3, 6), (QList<QByteArray>{"P10003", "P10004", "P10005", "P10004", "P10005", "P10006"}));
    // The trace shows each command where it went out.
    const QByteArray log = ReadWhole(trace);
    EXPECT_EQ(log.count("> P10005 (sent ahead)\n"), 2);
    EXPECT_TRUE(log.contains("> P10004 (after the reply to P10005, sent ahead, is dropped)\n"));
    EXPECT_TRUE(log.contains("> D0001 (after the reply to S10003, sent ahead, is dropped)\n"));
}

TEST(SerialLink, HangUpThenReturnReconnectsToTheSameInstrumentOnly)
{
    QTemporaryDir dir;
    const QString port = dir.filePath("ttyTR8KZ");
    auto first = std::make_unique<InstrumentOnTerminal>("KZ8-204117");
    pointLink(port, first->Device());
    Sensor sensor([port] { return std::make_unique<SerialPortDriver>(port); });
    sensor.OpenCommPort();
    ASSERT_TRUE(sensor.InstrumentConnected());
    EXPECT_TRUE(sensor.ExecCommand("D0001").startsWith('d'));

    // The other end hangs up: the lost link names the port, at once.
    first.reset();
    QElapsedTimer took;
    took.start();
    const AppError hungUp = ErrorOf([&] { sensor.ExecCommand("D0001"); });
    EXPECT_LT(took.elapsed(), 2000);
    EXPECT_EQ(hungUp.number(), ErrorNumber::LinkLost);
    EXPECT_TRUE(hungUp.description().contains(port)) << qPrintable(hungUp.description());
    EXPECT_TRUE(sensor.LinkLost());

    // Retry while nothing is there: still lost, with the reason.
    QFile::remove(port);
    const AppError nothing = ErrorOf([&] { sensor.ExecCommand("D0001"); });
    EXPECT_EQ(nothing.number(), ErrorNumber::LinkLost);
    EXPECT_TRUE(nothing.description().contains("not found")) << qPrintable(nothing.description());

    // The same instrument returns: identified again, then the command sent.
    auto back = std::make_unique<InstrumentOnTerminal>("KZ8-204117");
    pointLink(port, back->Device());
    EXPECT_TRUE(sensor.ExecCommand("D0001").startsWith('d'));
    EXPECT_EQ(back->Received(), (QList<QByteArray>{"R", "+1", "#", "D0001"}));
    EXPECT_FALSE(sensor.LinkLost());

    // Another instrument in its place is refused, and nothing is sent to it
    // but the identification.
    back.reset();
    EXPECT_THROW(sensor.ExecCommand("D0001"), AppError);
    InstrumentOnTerminal other("KZ8-999999");
    pointLink(port, other.Device());
    const AppError refused = ErrorOf([&] { sensor.ExecCommand("X000FFFFFFFF01"); });
    EXPECT_EQ(refused.number(), ErrorNumber::LinkLost);
    EXPECT_TRUE(refused.description().contains("KZ8-999999") && refused.description().contains("KZ8-204117"))
        << qPrintable(refused.description());
    EXPECT_EQ(other.Received(), (QList<QByteArray>{"R", "+1", "#"}));
    EXPECT_EQ(sensor.SerialNumber(), QStringLiteral("KZ8-204117"));
    // Closing with the instrument gone is quiet.
    EXPECT_NO_THROW(sensor.CloseCommPort());
}

TEST(SerialLink, BytesTheEventLoopReadBetweenWaitsAreTakenAtOnce)
{
    DriverOnTerminal open(3000);
    auto& [terminal, driver] = open;
    ASSERT_TRUE(driver.IsConnected());
    // Restores the empty idle hook however the test ends.
    struct IdleHookGuard { ~IdleHookGuard() { LinkWait::SetIdleHook({}); } } guard;

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
