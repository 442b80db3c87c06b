// The built tr8kz-sim on a pseudo-terminal, driven by the utility's own
// Sensor over the serial driver, and its stored datalog file.
#include "FieldCodec.h"
#include "Sensor.h"
#include "SerialPortDriver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// Log index, product and identification: how both a "S1" reply and a stored
// datalog line ("L") begin.
QByteArray recordHead(const QByteArray& text, const QByteArray& code)
{
    FieldCodec c;
    c.SetText(text);
    EXPECT_EQ(c.GetCommand(), code);
    const int index = c.ReadWord();
    const QByteArray product = c.ReadString();
    return QByteArray::number(index) + '|' + product + '|' + c.ReadString();
}

QStringList simulatorArguments(const QStringList& more)
{
    return QStringList{"--seed", "7", "--datalog-size", "25"} + more;
}

}  // namespace

TEST(SimEndToEnd, SensorOverThePseudoTerminalAndTheStoredDatalog)
{
    QTemporaryDir dir;
    QProcess simulator;
    simulator.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), simulatorArguments({"--serial", "E2E-0001"}));
    ASSERT_TRUE(simulator.waitForStarted(5000));
    while (!simulator.canReadLine()) ASSERT_TRUE(simulator.waitForReadyRead(5000)) << simulator.readAllStandardError().constData();
    const QString port = QString::fromLocal8Bit(simulator.readLine()).trimmed();

    // The command line's tests drive it further (identify, capture, setups).
    QList<QByteArray> live;
    {
        Sensor sensor([port] { return std::make_unique<SerialPortDriver>(port); });
        sensor.OpenCommPort();
        ASSERT_TRUE(sensor.InstrumentSupported());
        EXPECT_EQ(sensor.SerialNumber(), QStringLiteral("E2E-0001"));
        for (const char* command : {"S10000", "S10001", "S10002"}) live << recordHead(sensor.ExecCommand(command), "s");
        sensor.CloseCommPort();
    }
    EXPECT_EQ(live[0], "0|RED ENAMEL, GLOSS; LINE 2|STD");

    simulator.terminate();  // SIGTERM: a clean end
    ASSERT_TRUE(simulator.waitForFinished(5000));
    EXPECT_EQ(simulator.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(simulator.exitCode(), 0);

    // The same seed's datalog as a stored datalog file: "#", 25 records, each line ended by CR LF.
    const QString stored = dir.filePath(QStringLiteral("datalog.txt"));
    QProcess writer;
    writer.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), simulatorArguments({"--write-datalog", stored}));
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().constData();
    QFile file(stored);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 27);
    EXPECT_TRUE(lines.takeLast().isEmpty());
    for (const QByteArray& line : lines) EXPECT_TRUE(line.endsWith('\r'));
    FieldCodec identification;
    identification.SetText(lines[0].chopped(1));
    identification.Skip(5);
    EXPECT_EQ(identification.ReadString(), "TR8KZ");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(recordHead(lines[i + 1].chopped(1), "L"), live[i]);

    // A bad option ends with a message, not an instrument.
    QProcess bad;
    bad.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), {QStringLiteral("--fault"), QStringLiteral("S1:0:noreply")});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_TRUE(bad.readAllStandardOutput().isEmpty());
}
