// The built tr8kz-sim on a pseudo-terminal, driven by the utility's own
// Sensor over the serial driver, and its stored datalog file.
#include "FieldCodec.h"
#include "InstrumentOperations.h"
#include "Sensor.h"
#include "SerialPortDriver.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct RecordHead {
    QByteArray product;
    QByteArray sampleId;
    std::array<float, 31> spectrum{};
};

// Product, identification and spectrum of an "S1" reply.
RecordHead readReply(const QByteArray& reply)
{
    FieldCodec c;
    c.SetText(reply);
    EXPECT_EQ(c.GetCommand(), "s");
    RecordHead head;
    c.ReadWord();
    head.product = c.ReadString();
    head.sampleId = c.ReadString();
    c.Skip(2 * 4 + 1 + 4 + 2 + 2 + 2 + 2 + 4 + 1 + 1 + 8);
    for (float& v : head.spectrum) v = c.ReadSingle();
    c.Skip(6 * 8 + 48 + 2 * 8 + 16 + 2 * 8);
    EXPECT_EQ(c.BytesLeft(), 0);
    return head;
}

// The same of a stored datalog line.
RecordHead readStored(const QByteArray& line, int expectedIndex)
{
    FieldCodec c;
    c.SetText(line);
    EXPECT_EQ(c.GetCommand(), "L");
    c.ResetPosition();
    RecordHead head;
    EXPECT_EQ(c.ReadWord(), expectedIndex);
    head.product = c.ReadString();
    head.sampleId = c.ReadString();
    c.Skip(2 * 5 + 1 + 4 + 2 + 2 + 2 + 2 + 4);
    for (float& v : head.spectrum) v = c.ReadSingle();
    c.Skip(6 * 8 + 48 + 2 * 8);
    EXPECT_EQ(c.BytesLeft(), 0);
    return head;
}

}  // namespace

TEST(SimEndToEnd, SensorOverThePseudoTerminalAndTheStoredDatalog)
{
    QTemporaryDir dir;
    const QString trace = dir.filePath(QStringLiteral("trace.log"));
    QProcess simulator;
    simulator.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE),
                    {QStringLiteral("--seed"), QStringLiteral("7"), QStringLiteral("--datalog-size"), QStringLiteral("25"),
                     QStringLiteral("--serial"), QStringLiteral("E2E-0001"), QStringLiteral("--trace"), trace});
    ASSERT_TRUE(simulator.waitForStarted(5000));
    while (!simulator.canReadLine()) ASSERT_TRUE(simulator.waitForReadyRead(5000)) << simulator.readAllStandardError().constData();
    const QString port = QString::fromLocal8Bit(simulator.readLine()).trimmed();
    ASSERT_FALSE(port.isEmpty());

    std::vector<RecordHead> live;
    {
        Sensor sensor([port] { return std::make_unique<SerialPortDriver>(port); });
        sensor.OpenCommPort();
        ASSERT_TRUE(sensor.InstrumentConnected());
        EXPECT_TRUE(sensor.InstrumentSupported());
        EXPECT_EQ(sensor.Version(), QStringLiteral("3.07"));
        EXPECT_EQ(sensor.SerialNumber(), QStringLiteral("E2E-0001"));
        EXPECT_EQ(InstrumentOperations::DatalogCount(sensor), 25);
        for (int i = 0; i < 3; ++i) {
            FieldCodec codec;
            codec.BeginCommand("S1");
            codec.AppendWord(i);
            live.push_back(readReply(sensor.ExecCommand(codec.GetText())));
        }
        EXPECT_EQ(sensor.ExecCommand("S10019"), "?03");  // record 25 does not exist
        sensor.CloseCommPort();
    }
    EXPECT_EQ(live[0].product, "RED ENAMEL, GLOSS; LINE 2");
    EXPECT_EQ(live[2].sampleId, "ROLL\t7");

    simulator.terminate();  // SIGTERM: a clean end
    ASSERT_TRUE(simulator.waitForFinished(5000));
    EXPECT_EQ(simulator.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(simulator.exitCode(), 0);

    QFile traced(trace);
    ASSERT_TRUE(traced.open(QIODevice::ReadOnly));
    const QByteArray log = traced.readAll();
    EXPECT_TRUE(log.contains(" open 1D895C03 -> connected\n"));
    EXPECT_TRUE(log.contains(" > +1\n"));
    EXPECT_TRUE(log.contains(" < #01"));
    EXPECT_TRUE(log.contains(" > S10019\n"));

    // The same instrument's datalog as a stored datalog file.
    const QString stored = dir.filePath(QStringLiteral("datalog.txt"));
    QProcess writer;
    writer.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), {QStringLiteral("--seed"), QStringLiteral("7"),
                                                       QStringLiteral("--datalog-size"), QStringLiteral("25"),
                                                       QStringLiteral("--write-datalog"), stored});
    ASSERT_TRUE(writer.waitForFinished(10000));
    EXPECT_EQ(writer.exitCode(), 0) << writer.readAllStandardError().constData();
    QFile file(stored);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = file.readAll().split('\n');
    ASSERT_EQ(lines.size(), 27);  // "#", 25 records, nothing after the last CR LF
    EXPECT_TRUE(lines.last().isEmpty());
    FieldCodec identification;
    identification.SetText(lines[0].chopped(1));
    EXPECT_EQ(identification.GetCommand(), "#");
    identification.Skip(5);
    EXPECT_EQ(identification.ReadString(), "TR8KZ");
    for (int i = 0; i < 25; ++i) {
        ASSERT_TRUE(lines[i + 1].endsWith('\r'));
        const RecordHead head = readStored(lines[i + 1].chopped(1), i);
        if (i < 3) {
            EXPECT_EQ(head.product, live[static_cast<size_t>(i)].product);
            EXPECT_EQ(head.sampleId, live[static_cast<size_t>(i)].sampleId);
            EXPECT_EQ(head.spectrum, live[static_cast<size_t>(i)].spectrum);
        }
    }

    // A bad option ends with a message, not an instrument.
    QProcess bad;
    bad.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE), {QStringLiteral("--fault"), QStringLiteral("S1:0:noreply")});
    ASSERT_TRUE(bad.waitForFinished(5000));
    EXPECT_EQ(bad.exitCode(), 2);
    EXPECT_TRUE(bad.readAllStandardOutput().isEmpty());
}
