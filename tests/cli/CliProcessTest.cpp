// The built tr8kz, run as an operator or a script runs it: against the
// in-process simulated instrument (--simulator) and against tr8kz-sim on a
// pseudo-terminal through the serial driver (--port).
#include "CliTestSupport.h"

#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "Exchange.h"
#include "InstrumentOperations.h"
#include "ProgressSink.h"
#include "Sensor.h"
#include "SimulatorDriver.h"

#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>

using namespace clitest;

namespace {

const QStringList Simulator{QStringLiteral("--simulator")};

QStringList onPort(const SimulatedInstrument& sim) { return {QStringLiteral("--port"), sim.device()}; }

// "field: value" lines of setup show.
std::map<QString, QString> fields(const QString& text)
{
    std::map<QString, QString> result;
    for (const QString& line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype colon = line.indexOf(QLatin1String(": "));
        if (colon > 0) result[line.left(colon)] = line.mid(colon + 2);
        else if (line.endsWith(QLatin1Char(':'))) result[line.chopped(1)] = QString();
    }
    return result;
}

// What the datalog engine writes for the default simulated instrument (the
// one --simulator makes), run here in the test's own process.
QByteArray engineCapture(const QString& fileName, const QString& delimiter)
{
    auto instrument = std::make_shared<SimInstrument>(SimOptions{});
    Sensor sensor(SimulatorFactory(instrument));
    sensor.OpenCommPort();
    const int16_t count = InstrumentOperations::DatalogCount(sensor);
    SilentProgress progress;
    DatalogCapture::Run(DirectExchange(sensor), count, fileName, delimiter, progress, QLocale());
    return ReadFile(fileName);
}

}  // namespace

TEST(CliIdentify, TextAndJsonAgainstBothInstruments)
{
    Workspace ws;
    const CliRun text = ws.Run(QStringList{QStringLiteral("identify")} + Simulator);
    ASSERT_EQ(text.exitCode, 0) << text.err.constData();
    const QStringList lines = text.outText().split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 5) << text.out.constData();
    EXPECT_EQ(lines[0], QStringLiteral("Instrument: TR8 KZ"));
    EXPECT_EQ(lines[1], QStringLiteral("Firmware: 3.07"));
    EXPECT_EQ(lines[2], QStringLiteral("Serial Number: KZ8-204117"));
    EXPECT_TRUE(lines[3].startsWith(QStringLiteral("Last Standardization: ")));
    // 120 of 2000 records: 6 %, with the two blanks of the window's label.
    EXPECT_EQ(lines[4], QStringLiteral("Datalog: 120  (6% full)"));

    const CliRun json = ws.Run(QStringList{QStringLiteral("identify"), QStringLiteral("--json")} + Simulator);
    ASSERT_EQ(json.exitCode, 0) << json.err.constData();
    const QJsonObject o = QJsonDocument::fromJson(json.out).object();
    EXPECT_EQ(o.value(QStringLiteral("model")).toString(), QStringLiteral("TR8KZ"));
    EXPECT_EQ(o.value(QStringLiteral("instrument")).toString(), QStringLiteral("TR8 KZ"));
    EXPECT_EQ(o.value(QStringLiteral("firmware")).toString(), QStringLiteral("3.07"));
    EXPECT_EQ(o.value(QStringLiteral("serialNumber")).toString(), QStringLiteral("KZ8-204117"));
    EXPECT_EQ(o.value(QStringLiteral("datalogCount")).toInt(), 120);
    EXPECT_EQ(o.value(QStringLiteral("datalogCapacity")).toInt(), 2000);
    EXPECT_EQ(o.value(QStringLiteral("datalog")).toString(), QStringLiteral("120  (6% full)"));
    EXPECT_EQ(QStringLiteral("Last Standardization: ") + o.value(QStringLiteral("lastStandardization")).toString(),
              lines[3]);
    EXPECT_TRUE(QDateTime::fromString(o.value(QStringLiteral("lastStandardizationLocal")).toString(), Qt::ISODate).isValid());

    // Through the serial driver: 30 records are 1.5 %, shown as 2 %.
    SimulatedInstrument sim({QStringLiteral("--serial"), QStringLiteral("CLI-7"), QStringLiteral("--firmware"),
                             QStringLiteral("3.10"), QStringLiteral("--datalog-size"), QStringLiteral("30")});
    const CliRun serial = ws.Run(QStringList{QStringLiteral("identify")} + onPort(sim));
    ASSERT_EQ(serial.exitCode, 0) << serial.err.constData();
    EXPECT_TRUE(serial.outText().contains(QStringLiteral("Firmware: 3.10\nSerial Number: CLI-7\n")));
    EXPECT_TRUE(serial.outText().endsWith(QStringLiteral("Datalog: 30  (2% full)\n"))) << serial.out.constData();
}

TEST(CliDatalog, CaptureIsByteForByteTheEngineFileWithTheDelimiterInForce)
{
    Workspace ws;
    const QString file = ws.path(QStringLiteral("capture.txt"));
    const CliRun run = ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), file} + Simulator);
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    const QByteArray captured = ReadFile(file);
    const QList<QByteArray> lines = CrLfLines(captured);
    ASSERT_EQ(lines.size(), 120);
    for (int i = 0; i < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split('\t');
        EXPECT_GE(parts.size(), 56) << "line " << i + 1;
        EXPECT_EQ(parts[0], QByteArray::number(i + 1));
    }
    // Nothing stored: the utility's default, a tab.
    EXPECT_EQ(captured, engineCapture(ws.path(QStringLiteral("engine-tab.txt")), QStringLiteral("\t")));

    // The stored preference, read as the utility reads it.
    ws.StoreDelimiter(QStringLiteral("Comma"));
    const CliRun stored = ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), file} + Simulator);
    ASSERT_EQ(stored.exitCode, 0) << stored.err.constData();
    EXPECT_EQ(ReadFile(file), engineCapture(ws.path(QStringLiteral("engine-comma.txt")), QStringLiteral(",")));

    // --delimiter wins over the stored preference.
    const CliRun custom = ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), file,
                                             QStringLiteral("--delimiter"), QStringLiteral("|")} + Simulator);
    ASSERT_EQ(custom.exitCode, 0) << custom.err.constData();
    EXPECT_EQ(ReadFile(file), engineCapture(ws.path(QStringLiteral("engine-bar.txt")), QStringLiteral("|")));
}

TEST(CliDatalog, ConvertMatchesTheEngineAndClearEmptiesTheDatalog)
{
    Workspace ws;
    const QString stored = ws.path(QStringLiteral("stored.txt"));
    QProcess writer;
    writer.start(QStringLiteral(TR8KZ_SIM_EXECUTABLE),
                 {QStringLiteral("--datalog-size"), QStringLiteral("5"), QStringLiteral("--write-datalog"), stored});
    ASSERT_TRUE(writer.waitForFinished(10000));
    ASSERT_EQ(writer.exitCode(), 0);

    const QString target = ws.path(QStringLiteral("converted.txt"));
    const CliRun run = ws.Run({QStringLiteral("datalog"), QStringLiteral("convert"), stored, target});
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.errText().contains(QStringLiteral("Conversion completed")));
    const QList<QByteArray> lines = CrLfLines(ReadFile(target));
    ASSERT_EQ(lines.size(), 6);  // the header and 5 records
    EXPECT_TRUE(lines[0].startsWith("log\tproduct\tID\tsetup\t"));
    SilentProgress progress;
    const QString engineTarget = ws.path(QStringLiteral("engine.txt"));
    DatalogConversion::Run(stored, engineTarget, QStringLiteral("\t"), progress, QLocale());
    EXPECT_EQ(ReadFile(target), ReadFile(engineTarget));

    // Clearing: refused without --yes when nobody can be asked, then done.
    SimulatedInstrument sim({QStringLiteral("--datalog-size"), QStringLiteral("40")});
    const CliRun unasked = ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("clear")} + onPort(sim));
    EXPECT_EQ(unasked.exitCode, 2);
    EXPECT_TRUE(ws.Run(QStringList{QStringLiteral("identify")} + onPort(sim))
                    .outText()
                    .contains(QStringLiteral("Datalog: 40  (2% full)")));
    const CliRun cleared =
        ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("clear"), QStringLiteral("--yes")} + onPort(sim));
    ASSERT_EQ(cleared.exitCode, 0) << cleared.err.constData();
    EXPECT_TRUE(ws.Run(QStringList{QStringLiteral("identify")} + onPort(sim))
                    .outText()
                    .contains(QStringLiteral("Datalog: 0  (0% full)")));
    // An empty datalog: the window's message, no file.
    const QString none = ws.path(QStringLiteral("none.txt"));
    const CliRun empty = ws.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), none} + onPort(sim));
    EXPECT_EQ(empty.exitCode, 0);
    EXPECT_TRUE(empty.errText().contains(QStringLiteral("Datalog is empty")));
    EXPECT_FALSE(QFile::exists(none));
}

TEST(CliSetups, ArchiveEditShowAndRestoreThroughTheSerialDriver)
{
    Workspace ws;
    SimulatedInstrument sim;
    const QStringList port = onPort(sim);
    const CliRun original = ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("show"), QStringLiteral("1")} + port);
    ASSERT_EQ(original.exitCode, 0) << original.err.constData();
    const auto before = fields(original.outText());
    EXPECT_EQ(before.at(QStringLiteral("setup")), QStringLiteral("1"));
    EXPECT_EQ(before.at(QStringLiteral("units")), QStringLiteral("mm"));
    EXPECT_EQ(before.at(QStringLiteral("runconfig")), QStringLiteral("height"));
    EXPECT_EQ(before.at(QStringLiteral("view1.enabled")), QStringLiteral("yes"));
    EXPECT_EQ(before.at(QStringLiteral("spectrum")).split(QLatin1Char(' ')).size(), 31);

    const QString archive = ws.path(QStringLiteral("setups.txt"));
    const CliRun archived = ws.Run(QStringList{QStringLiteral("setups"), QStringLiteral("archive"), archive} + port);
    ASSERT_EQ(archived.exitCode, 0) << archived.err.constData();
    const QList<QByteArray> lines = CrLfLines(ReadFile(archive));
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[0], "TR8KZ Product Setups");
    EXPECT_TRUE(lines[1].startsWith("P200"));    // setup index 0
    EXPECT_TRUE(lines[250].startsWith("P2F9"));  // setup index 249

    const CliRun set = ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("set"), QStringLiteral("1"),
                                          QStringLiteral("name=blue 2"), QStringLiteral("standard=hitch"),
                                          QStringLiteral("interval=30"), QStringLiteral("base=120"),
                                          QStringLiteral("minheight=10"), QStringLiteral("maxheight=50"),
                                          QStringLiteral("view2.display=spectral data"),
                                          QStringLiteral("view1.scale=L a b"), QStringLiteral("view1.index=SCAA"),
                                          QStringLiteral("scaleplus1=0.25"), QStringLiteral("indexminus=0")} +
                              port);
    ASSERT_EQ(set.exitCode, 0) << set.err.constData();
    const CliRun shown = ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("show"), QStringLiteral("1")} + port);
    const auto after = fields(shown.outText());
    EXPECT_EQ(after.at(QStringLiteral("name")), QStringLiteral("BLUE 2"));
    EXPECT_EQ(after.at(QStringLiteral("standard")), QStringLiteral("HITCH"));
    EXPECT_EQ(after.at(QStringLiteral("interval")), QStringLiteral("30"));
    EXPECT_EQ(after.at(QStringLiteral("base")), QStringLiteral("120"));
    // Distances from the sensor: base minus the heights.
    EXPECT_EQ(after.at(QStringLiteral("mindistance")), QStringLiteral("70"));
    EXPECT_EQ(after.at(QStringLiteral("maxdistance")), QStringLiteral("110"));
    EXPECT_EQ(after.at(QStringLiteral("minheight")), QStringLiteral("10"));
    EXPECT_EQ(after.at(QStringLiteral("maxheight")), QStringLiteral("50"));
    EXPECT_EQ(after.at(QStringLiteral("view2.display")), QStringLiteral("SPECTRAL DATA"));
    EXPECT_EQ(after.at(QStringLiteral("view1.scale")), QStringLiteral("L a b"));
    EXPECT_EQ(after.at(QStringLiteral("view1.index")), QStringLiteral("SCAA"));
    EXPECT_EQ(after.at(QStringLiteral("scaleplus1")), QStringLiteral("0.25"));
    EXPECT_EQ(after.at(QStringLiteral("indexminus")), QStringLiteral("0"));
    // What was not named is as it was.
    EXPECT_EQ(after.at(QStringLiteral("spectrum")), before.at(QStringLiteral("spectrum")));
    EXPECT_EQ(after.at(QStringLiteral("view3.illobs")), before.at(QStringLiteral("view3.illobs")));
    EXPECT_EQ(after.at(QStringLiteral("autosearch")), before.at(QStringLiteral("autosearch")));

    // A refused value: exit code 2, nothing written ("P0" never sent).
    const QString trace = ws.path(QStringLiteral("refused.log"));
    const CliRun refused = ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("set"), QStringLiteral("1"),
                                              QStringLiteral("name=GREEN"), QStringLiteral("maxheight=151"),
                                              QStringLiteral("--trace"), trace} +
                                  port);
    EXPECT_EQ(refused.exitCode, 2);
    EXPECT_TRUE(refused.errText().contains(QStringLiteral("maxheight"))) << refused.err.constData();
    const QByteArray traced = ReadFile(trace);
    EXPECT_TRUE(traced.contains("> P1")) << traced.constData();
    EXPECT_FALSE(traced.contains("> P0"));
    EXPECT_TRUE(traced.contains("> +\n"));  // the link is still closed as the utility closes it
    EXPECT_EQ(fields(ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("show"), QStringLiteral("1")} + port)
                         .outText()),
              after);

    // The archive puts every setup back as it was.
    const CliRun restored = ws.Run(QStringList{QStringLiteral("setups"), QStringLiteral("restore"), archive} + port);
    ASSERT_EQ(restored.exitCode, 0) << restored.err.constData();
    EXPECT_EQ(ws.Run(QStringList{QStringLiteral("setup"), QStringLiteral("show"), QStringLiteral("1")} + port).out,
              original.out);

    // A file that is not an archive restores nothing and says so.
    const QString notArchive = ws.path(QStringLiteral("not-an-archive.txt"));
    QFile f(notArchive);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("tr8kz product setups\r\n");
    f.close();
    const CliRun wrong = ws.Run(QStringList{QStringLiteral("setups"), QStringLiteral("restore"), notArchive} + port);
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_TRUE(wrong.errText().contains(QStringLiteral("nothing was restored")));
}

TEST(CliHousekeeping, ClockSetMovesTheInstrumentsClockAndScreenWritesTheBitmap)
{
    Workspace ws;
    // An instrument whose clock is a day and more behind the computer's.
    const QString state = ws.path(QStringLiteral("state.json"));
    {
        SimulatedInstrument first({QStringLiteral("--state"), state});
    }
    QFile stateFile(state);
    ASSERT_TRUE(stateFile.open(QIODevice::ReadOnly));
    QJsonObject o = QJsonDocument::fromJson(stateFile.readAll()).object();
    stateFile.close();
    o[QStringLiteral("clockOffsetSeconds")] = -100000;
    ASSERT_TRUE(stateFile.open(QIODevice::WriteOnly | QIODevice::Truncate));
    stateFile.write(QJsonDocument(o).toJson());
    stateFile.close();

    SimulatedInstrument sim({QStringLiteral("--state"), state});
    const CliRun run = ws.Run(QStringList{QStringLiteral("clock"), QStringLiteral("set")} + onPort(sim));
    ASSERT_EQ(run.exitCode, 0) << run.err.constData();
    EXPECT_TRUE(run.outText().startsWith(QStringLiteral("Clock set to ")));
    ASSERT_TRUE(stateFile.open(QIODevice::ReadOnly));
    const qint64 offset =
        QJsonDocument::fromJson(stateFile.readAll()).object().value(QStringLiteral("clockOffsetSeconds")).toInteger();
    EXPECT_LE(std::abs(offset), 2) << "the instrument's clock is still " << offset << " s off";

    const QString picture = ws.path(QStringLiteral("screen.bmp"));
    const CliRun screen = ws.Run(QStringList{QStringLiteral("screen"), picture} + onPort(sim));
    ASSERT_EQ(screen.exitCode, 0) << screen.err.constData();
    const QByteArray bitmap = ReadFile(picture);
    EXPECT_EQ(bitmap.size(), 2110);
    EXPECT_TRUE(bitmap.startsWith("BM"));
}

TEST(CliInterrupt, CtrlCStopsACaptureAndKeepsTheWholeRecordsRead)
{
    Workspace ws;
    SimulatedInstrument sim({QStringLiteral("--delay"), QStringLiteral("20"), QStringLiteral("--datalog-size"),
                             QStringLiteral("2000")});
    const QString file = ws.path(QStringLiteral("partial.txt"));
    const QString trace = ws.path(QStringLiteral("trace.log"));
    std::unique_ptr<QProcess> cli = ws.Start(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), file,
                                                         QStringLiteral("--trace"), trace} +
                                             onPort(sim));
    // Wait until a few records have been asked for, then press Ctrl-C.
    QElapsedTimer waited;
    waited.start();
    while (ReadFile(trace).count("> S1") < 5) {
        ASSERT_LT(waited.elapsed(), 20000) << "the capture did not start";
        ASSERT_EQ(cli->state(), QProcess::Running) << cli->readAllStandardError().constData();
        QThread::msleep(20);
    }
    ASSERT_EQ(::kill(static_cast<pid_t>(cli->processId()), SIGINT), 0);
    ASSERT_TRUE(cli->waitForFinished(20000));
    EXPECT_EQ(cli->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(cli->exitCode(), 130);
    EXPECT_TRUE(QString::fromLocal8Bit(cli->readAllStandardError()).contains(QStringLiteral("Cancelled")));

    const QList<QByteArray> lines = CrLfLines(ReadFile(file));
    ASSERT_GE(lines.size(), 5);
    ASSERT_LT(lines.size(), 2000);
    for (int i = 0; i < lines.size(); ++i) {
        EXPECT_GE(lines[i].split('\t').size(), 56) << "line " << i + 1 << " is not whole";
        EXPECT_EQ(lines[i].left(lines[i].indexOf('\t')), QByteArray::number(i + 1));
    }
    // Every record asked for is in the file, and the link was closed.
    const QByteArray traced = ReadFile(trace);
    EXPECT_EQ(traced.count("> S1"), lines.size());
    EXPECT_TRUE(traced.endsWith("close\n"));
}

TEST(CliExitCodes, NoInstrumentWrongModelBadFileTimeoutAndUsage)
{
    Workspace ws;
    const CliRun none = ws.Run({QStringLiteral("identify"), QStringLiteral("--port"), QStringLiteral("/nonexistent")});
    EXPECT_EQ(none.exitCode, 3);
    EXPECT_EQ(none.errText(), QStringLiteral("Instrument not connected or turned off\n"));

    {
        SimulatedInstrument other({QStringLiteral("--model"), QStringLiteral("TR8KY")});
        const QString trace = ws.path(QStringLiteral("model.log"));
        const CliRun model =
            ws.Run(QStringList{QStringLiteral("identify"), QStringLiteral("--trace"), trace} + onPort(other));
        EXPECT_EQ(model.exitCode, 3);
        EXPECT_EQ(model.errText(), QStringLiteral("The firmware in the attached instrument is not compatible with this "
                                                  "program\n\nPlease contact Velmora to obtain upgrade information\n"));
        EXPECT_TRUE(model.out.isEmpty());
        // "+" after the identification, then the device is closed.
        const QByteArray traced = ReadFile(trace);
        EXPECT_TRUE(traced.contains("> #\n"));
        EXPECT_TRUE(traced.contains("> +\n"));
        EXPECT_TRUE(traced.endsWith("close\n"));
        EXPECT_FALSE(traced.contains("> D0001"));
    }

    const QString target = ws.path(QStringLiteral("out.txt"));
    const CliRun missing = ws.Run({QStringLiteral("datalog"), QStringLiteral("convert"),
                                   ws.path(QStringLiteral("missing.txt")), target});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_TRUE(missing.errText().contains(QStringLiteral("missing.txt"))) << missing.err.constData();
    EXPECT_FALSE(QFile::exists(target));

    {
        // The third record's reply never comes: a one-second timeout instead
        // of the instrument's fifteen.
        SimulatedInstrument silent({QStringLiteral("--fault"), QStringLiteral("S1:3:noreply")});
        Workspace quick;
        quick.setVariable(QStringLiteral("TR8KZ_TIMEOUT_MS"), QStringLiteral("1000"));
        const QString capture = quick.path(QStringLiteral("capture.txt"));
        QElapsedTimer took;
        took.start();
        const CliRun timeout =
            quick.Run(QStringList{QStringLiteral("datalog"), QStringLiteral("capture"), capture} + onPort(silent));
        EXPECT_EQ(timeout.exitCode, 1);
        EXPECT_TRUE(timeout.errText().startsWith(QStringLiteral("Communications Timeout\n"))) << timeout.err.constData();
        EXPECT_LT(took.elapsed(), 10000);
        EXPECT_FALSE(QFile::exists(capture));  // the engine keeps no half capture after an error
    }

    const auto usage = [&](const QStringList& arguments) {
        const CliRun run = ws.Run(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(QLatin1Char(' ')).toStdString() << ": " << run.err.constData();
        EXPECT_TRUE(run.out.isEmpty());
    };
    usage({QStringLiteral("frobnicate")});
    usage({QStringLiteral("datalog"), QStringLiteral("capture")});
    usage({QStringLiteral("datalog"), QStringLiteral("capture"), QStringLiteral("a"), QStringLiteral("b")});
    usage({QStringLiteral("setup"), QStringLiteral("show"), QStringLiteral("251"), QStringLiteral("--simulator")});
    usage({QStringLiteral("identify"), QStringLiteral("--yes"), QStringLiteral("--simulator")});
    usage({QStringLiteral("datalog"), QStringLiteral("capture"), QStringLiteral("x.txt"), QStringLiteral("--delimiter"),
           QStringLiteral("semicolon"), QStringLiteral("--simulator")});
    usage({QStringLiteral("identify"), QStringLiteral("--delimiter"), QStringLiteral("xx"), QStringLiteral("--simulator")});
    usage({QStringLiteral("setup"), QStringLiteral("set"), QStringLiteral("1"), QStringLiteral("colour=red"),
           QStringLiteral("--simulator")});
    Workspace badTimeout;
    badTimeout.setVariable(QStringLiteral("TR8KZ_TIMEOUT_MS"), QStringLiteral("soon"));
    EXPECT_EQ(badTimeout.Run(QStringList{QStringLiteral("identify")} + Simulator).exitCode, 2);

    const CliRun help = ws.Run({QStringLiteral("setup"), QStringLiteral("set"), QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.outText().startsWith(QStringLiteral("Usage: tr8kz setup set [options] N FIELD=VALUE...")));
    const CliRun version = ws.Run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^tr8kz \\d+\\.\\d+\\.\\d+\\n$")).match(version.outText()).hasMatch());
}
