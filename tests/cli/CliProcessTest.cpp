// The built tr8kz, run as an operator or a script runs it: against the
// in-process simulated instrument (--simulator), against tr8kz-sim on a
// pseudo-terminal through the serial driver (--port), and once installed.
#include "DatalogCapture.h"
#include "Exchange.h"
#include "InstrumentOperations.h"
#include "ProgressSink.h"
#include "Sensor.h"
#include "SimulatorDriver.h"
#include "TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <map>
#include <optional>

void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

// A folder of the test's own, with a settings store of its own: the
// operator's settings are never read or written.
struct Workspace {
    QTemporaryDir dir;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    Workspace()
    {
        env.insert("XDG_CONFIG_HOME", path("config"));
        for (const char* name : {"TR8KZ_PORT", "TR8KZ_TIMEOUT_MS"}) env.remove(name);
    }
    QString path(const char* name) const { return dir.filePath(name); }
    Ran tr8kz(const QStringList& arguments) const { return RunProgram(TR8KZ_CLI_EXECUTABLE, arguments, env); }
    // A run that must succeed.
    Ran ok(const QStringList& arguments) const
    {
        Ran ran = tr8kz(arguments);
        EXPECT_EQ(ran.code, 0) << arguments.join(' ').toStdString() << ": " << ran.err.toStdString() << ran.out.toStdString();
        return ran;
    }
};

// tr8kz-sim with the options, while the object lives; its first line names
// the device to open.
struct SimulatedInstrument {
    QProcess process;
    QStringList port;  // --port and the device
    explicit SimulatedInstrument(const QStringList& options = {})
    {
        process.start(TR8KZ_SIM_EXECUTABLE, options);
        while (process.waitForStarted(10000) && !process.canReadLine() && process.waitForReadyRead(10000)) {}
        port = QStringList{"--port", QString(process.readLine()).trimmed()};
        EXPECT_NE(port[1], "") << "tr8kz-sim named no device: " << process.readAllStandardError().data();
    }
    // SIGTERM, so that it saves its state; QProcess kills one that lingers.
    ~SimulatedInstrument() { process.terminate(); process.waitForFinished(10000); }
};

// "field: value" lines of setup show.
std::map<QString, QString> fields(const QString& text)
{
    std::map<QString, QString> result;
    for (const QString& line : text.split('\n', Qt::SkipEmptyParts))
        result[line.section(':', 0, 0)] = line.section(':', 1).trimmed();
    return result;
}

}  // namespace

TEST(CliInstrument, IdentifyAsTextAndJsonClockSetAndScreenAgainstBothInstruments)
{
    Workspace ws;
    const Ran text = ws.ok({"identify", "--simulator"});
    // 120 of 2000 records: 6 %, with the two blanks of the window's label.
    const QRegularExpressionMatch lines =
        QRegularExpression("^Instrument: TR8 KZ\nFirmware: 3.07\nSerial Number: KZ8-204117\n"
                           "Last Standardization: (.+)\nDatalog: 120  \\(6% full\\)\n$").match(text.out);
    EXPECT_TRUE(lines.hasMatch()) << text.out.toStdString();
    const QJsonObject o = QJsonDocument::fromJson(ws.ok({"identify", "--json", "--simulator"}).out.toUtf8()).object();
    const std::pair<const char*, QJsonValue> expected[] = {
        {"model", "TR8KZ"}, {"instrument", "TR8 KZ"}, {"firmware", "3.07"}, {"serialNumber", "KZ8-204117"},
        {"datalogCount", 120}, {"datalogCapacity", 2000}, {"datalog", "120  (6% full)"},
        {"lastStandardization", lines.captured(1)}};
    for (const auto& [key, value] : expected) EXPECT_EQ(o.value(key), value) << key;
    EXPECT_TRUE(QDateTime::fromString(o.value("lastStandardizationLocal").toString(), Qt::ISODate).isValid());

    // Through the serial driver, an instrument whose clock is a day and more
    // behind the computer's: 30 records are 1.5 %, shown as 2 %.
    const QString state = ws.path("state.json");
    const QStringList options{"--serial", "CLI-7", "--firmware", "3.10", "--datalog-size", "30", "--state", state};
    { SimulatedInstrument first(options); }
    QJsonObject saved = QJsonDocument::fromJson(ReadWhole(state)).object();
    ASSERT_TRUE(saved.contains("clockOffsetSeconds"));
    saved["clockOffsetSeconds"] = -100000;
    WriteWhole(state, QJsonDocument(saved).toJson());
    SimulatedInstrument sim(options);
    const Ran serial = ws.ok(QStringList{"identify"} + sim.port);
    EXPECT_TRUE(serial.out.contains("Firmware: 3.10\nSerial Number: CLI-7\n") && serial.out.endsWith("Datalog: 30  (2% full)\n"))
        << serial.out.toStdString();

    EXPECT_TRUE(ws.ok(QStringList{"clock", "set"} + sim.port).out.startsWith("Clock set to "));
    const qint64 offset = QJsonDocument::fromJson(ReadWhole(state)).object().value("clockOffsetSeconds").toInteger(-99);
    EXPECT_LE(std::abs(offset), 2) << "the instrument's clock is still " << offset << " s off";

    ws.ok(QStringList{"screen", ws.path("screen.bmp")} + sim.port);
    const QByteArray bitmap = ReadWhole(ws.path("screen.bmp"));
    EXPECT_TRUE(bitmap.size() == 2110 && bitmap.startsWith("BM"));
}

TEST(CliDatalog, CaptureIsByteForByteTheEngineFileWithTheDelimiterInForce)
{
    Workspace ws;
    const QString file = ws.path("capture.txt");
    // Nothing stored: the utility's default, a tab; or the one --delimiter
    // names. A sample ID of the simulated datalog holds the tab, its product
    // "RED ENAMEL, GLOSS; LINE 2" the comma, and in German the decimal symbol
    // is the comma too: each said once on standard error, the file as the
    // rules say all the same.
    // The engine's file is written here in the same region (the test runs
    // in C.UTF-8).
    const struct { QStringList options; char delimiter; const char* region; QLocale locale; QStringList warned; } runs[] = {
        {{}, '\t', "C.UTF-8", QLocale(), {"the sample ID holds the delimiter Tab"}},
        {{"--delimiter", "|"}, '|', "C.UTF-8", QLocale(), {}},
        {{"--delimiter", "comma"}, ',', "de_DE.UTF-8", QLocale("de_DE"),
         {"\nrecord 1: the product name holds the delimiter ','\n", "is the regional decimal symbol"}},
    };
    for (const auto& run : runs) {
        SCOPED_TRACE(run.region + (" " + run.options.join(' ')).toStdString());
        ws.env.insert("LC_ALL", run.region);
        const Ran ran = ws.ok(QStringList{"datalog", "capture", file, "--simulator"} + run.options);
        // The datalog engine (whose file is proven whole by its own tests),
        // run here on the instrument --simulator makes.
        Sensor sensor(SimulatorFactory(std::make_shared<SimInstrument>(SimOptions{})));
        sensor.OpenCommPort();
        SilentProgress progress;
        DatalogCapture::Run(DirectExchange(sensor), InstrumentOperations::DatalogCount(sensor), ws.path("engine.txt"),
                            QString(QLatin1Char(run.delimiter)), progress, run.locale);
        EXPECT_EQ(ReadWhole(file), ReadWhole(ws.path("engine.txt")));
        for (const QString& part : run.warned) EXPECT_TRUE(ran.err.contains(part)) << ran.err.toStdString();
        EXPECT_EQ(ran.err.count("as the delimiter in Preferences."), run.warned.isEmpty() ? 0 : 1);
    }
}

TEST(CliSetups, ArchiveCompareSetShowRefuseAndAVerifiedRestoreThroughTheSerialDriver)
{
    Workspace ws;
    // The fifth restored setup is stored with its interval a second longer.
    SimulatedInstrument sim({"--fault", "P2:5:altered"});
    const auto show = [&] { return ws.tr8kz(QStringList{"setup", "show", "1"} + sim.port); };
    const Ran original = show();
    const auto before = fields(original.out);
    EXPECT_EQ(before.at("setup") + before.at("units") + before.at("runconfig"), "1mmheight");
    EXPECT_EQ(before.at("spectrum").split(' ').size(), 31);

    const QString archive = ws.path("setups.txt");
    ws.ok(QStringList{"setups", "archive", archive} + sim.port);
    const QByteArrayList lines = Lines(archive);
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[0], "TR8KZ Product Setups");
    EXPECT_TRUE(lines[1].startsWith("P200") && lines[250].startsWith("P2F9"));  // setup indexes 0 and 249
    EXPECT_EQ(ws.ok(QStringList{"setups", "compare", archive} + sim.port).out, "No differences: the setups are identical\n");

    // Setup 2 renamed in a copy: "SIGNAL YELLOW" (13 characters) becomes "SIGNAL YELLOX".
    QByteArray bytes = ReadWhole(archive);
    const qsizetype at = bytes.indexOf(QByteArray("SIGNAL YELLOW").toHex().toUpper());
    ASSERT_GT(at, 0);
    bytes.replace(at, 26, QByteArray("SIGNAL YELLOX").toHex().toUpper());
    const QString copy = ws.path("copy.txt");
    WriteWhole(copy, bytes);
    const Ran files = ws.tr8kz({"setups", "compare", archive, copy});
    EXPECT_EQ(files.code, 1) << files.err.toStdString();
    EXPECT_EQ(files.out, QStringLiteral("setup 2: Name: \"SIGNAL YELLOW\" (%1), \"SIGNAL YELLOX\" (%2)\n"
                                        "1 difference in 1 setup\n").arg(archive, copy));
    // What is no archive (here no file at all) is a usage error.
    const Ran notArchive = ws.tr8kz({"setups", "compare", archive, ws.path("missing.txt")});
    EXPECT_TRUE(notArchive.code == 2 && notArchive.err.contains("missing.txt")) << notArchive.err.toStdString();

    // Each edit and how setup show gives it back; the distances from the
    // sensor are the base less the heights.
    const std::pair<const char*, const char*> edits[] = {
        {"name=blue 2", "BLUE 2"}, {"standard=hitch", "HITCH"}, {"interval=30", "30"}, {"base=120", "120"},
        {"minheight=10", "10"}, {"maxheight=50", "50"}, {"view2.display=spectral data", "SPECTRAL DATA"},
        {"view1.scale=L a b", "L a b"}, {"view1.index=SCAA", "SCAA"}, {"scaleplus1=0.25", "0.25"},
        {"indexminus=0", "0"}, {"mindistance", "70"}, {"maxdistance", "110"}};
    QStringList set{"setup", "set", "1"};
    for (const auto& [assignment, shown] : edits)
        if (QByteArray(assignment).contains('=')) set << assignment;
    ws.ok(set + sim.port);
    auto after = fields(show().out);
    const auto changed = after;
    for (const auto& [assignment, shown] : edits) {
        const QString field = QString(assignment).section('=', 0, 0);
        EXPECT_EQ(after[field], QString(shown)) << assignment;
        after[field] = before.at(field);
    }
    EXPECT_EQ(after, before);  // what was not named is as it was

    // A refused value: exit code 2, the setup read ("P1") but never written ("P0").
    const QString trace = ws.path("refused.log");
    const Ran refused = ws.tr8kz(QStringList{"setup", "set", "1", "name=GREEN", "maxheight=151", "--trace", trace} + sim.port);
    EXPECT_TRUE(refused.code == 2 && refused.err.contains("maxheight")) << refused.err.toStdString();
    const QByteArray traced = ReadWhole(trace);
    // The link is still closed as the utility closes it ("+").
    EXPECT_TRUE(traced.contains("> P1") && !traced.contains("> P0") && traced.contains("> +\n")) << traced.data();
    EXPECT_EQ(fields(show().out), changed);

    // A blank line in the middle of the archive refuses the whole file, exit
    // code 1: nothing is sent (the instrument is not even opened).
    QByteArrayList withBlank = lines;
    withBlank.insert(100, QByteArray());
    const QString blank = ws.path("blank.txt");
    WriteWhole(blank, withBlank.join("\r\n") + "\r\n");
    const QString restoreTrace = ws.path("restore.log");
    const Ran blankRestore = ws.tr8kz(QStringList{"setups", "restore", blank, "--trace", restoreTrace} + sim.port);
    EXPECT_TRUE(blankRestore.code == 1 && blankRestore.err.contains("line 101 is blank")) << blankRestore.err.toStdString();
    EXPECT_FALSE(ReadWhole(restoreTrace).contains("> P2")) << ReadWhole(restoreTrace).data();
    EXPECT_EQ(fields(show().out), changed);

    // The verified restore puts setup 1 back and finds setup 5 stored
    // otherwise; the fault fired once: a second verified restore takes.
    const Ran verified = ws.tr8kz(QStringList{"setups", "restore", archive, "--verify"} + sim.port);
    EXPECT_TRUE(verified.code == 1 && verified.out.startsWith("setup 5: Run Configuration: Interval (s): ") &&
                verified.out.endsWith("1 difference in 1 setup\n"))
        << verified.out.toStdString() << verified.err.toStdString();
    ws.ok(QStringList{"setups", "restore", archive, "--verify"} + sim.port);
    EXPECT_EQ(show().out, original.out);
}

TEST(CliInterrupt, CtrlCDuringAStalledReplyEndsAtOnceAndKeepsWhatWasRead)
{
    // The fourth record's reply never comes (the link's timeout is 15 s);
    // likewise the fourth setup of an archive.
    const struct { QStringList command; const char* fault; const char* kept; int lines; } cases[] = {
        {{"datalog", "capture"}, "S1:4:noreply", "Cancelled: 3 of 120 records", 3},
        {{"setups", "archive"}, "P1:4:noreply", "Cancelled: 3 of 250 setups", 4},  // the header and 3 setups
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        Workspace ws;
        SimulatedInstrument sim({"--fault", c.fault});
        const QString file = ws.path("partial.txt"), trace = ws.path("trace.log");
        QProcess cli;
        cli.setProcessEnvironment(ws.env);
        cli.start(TR8KZ_CLI_EXECUTABLE, c.command + QStringList{file, "--trace", trace} + sim.port);
        const QByteArray stalled = QByteArray("> ") + QByteArray(c.fault).left(2);
        QElapsedTimer waited;
        waited.start();
        while (ReadWhole(trace).count(stalled) < 4) {
            ASSERT_LT(waited.elapsed(), 20000) << "the operation did not start";
            ASSERT_NE(cli.state(), QProcess::NotRunning) << cli.readAllStandardError().constData();
            QThread::msleep(10);
        }
        QThread::msleep(100);  // well into the wait for the fourth reply
        QElapsedTimer took;
        took.start();
        ASSERT_EQ(::kill(static_cast<pid_t>(cli.processId()), SIGINT), 0);
        ASSERT_TRUE(cli.waitForFinished(20000));
        // 200 ms is the aim; the margin is for a loaded machine, still far
        // below the 15 s the wait would otherwise take.
        EXPECT_LT(took.elapsed(), 1000);
        EXPECT_EQ(cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1, 130);
        EXPECT_TRUE(cli.readAllStandardError().contains(c.kept));
        // Only whole records are kept (each its number, then at least 55
        // more fields), and the link was closed.
        const QByteArrayList lines = Lines(file);
        EXPECT_EQ(lines.size(), c.lines);
        for (qsizetype i = 0; c.command[0] == "datalog" && i < lines.size(); ++i)
            EXPECT_TRUE(lines[i].startsWith(QByteArray::number(i + 1) + '\t') && lines[i].count('\t') >= 55) << lines[i].data();
        EXPECT_TRUE(ReadWhole(trace).endsWith("close\n"));
    }
}

TEST(CliExitCodes, NoInstrumentWrongModelBadFileTimeoutAndUsage)
{
    Workspace ws;
    const QString modelTrace = ws.path("model.log");
    // tr8kz-sim's stored datalog file of two records, its line ends made CR only; and its refusal of a bad option.
    const QString stored = ws.path("stored.txt");
    EXPECT_EQ(RunProgram(TR8KZ_SIM_EXECUTABLE, {"--datalog-size", "2", "--write-datalog", stored}).code, 0);
    WriteWhole(stored, ReadWhole(stored).replace('\n', QByteArray()));
    EXPECT_EQ(RunProgram(TR8KZ_SIM_EXECUTABLE, {"--fault", "S1:0:noreply"}).code, 2);
    // The arguments, tr8kz-sim's options (none: no tr8kz-sim), TR8KZ_TIMEOUT_MS, the exit code, and the
    // whole of standard error when it ends a line, else a part of it.
    const struct { QStringList arguments, simOptions; const char* timeoutMs; int code; QString err; } cases[] = {
        {{"identify", "--port", "/nonexistent"}, {}, nullptr, 3,
         "The serial port /nonexistent cannot be used: not found (is the instrument plugged in, and is the name right?)\n"},
        {{"identify", "--trace", modelTrace}, {"--model", "TR8KY"}, nullptr, 3,
         "The firmware in the attached instrument is not compatible with this program\n\n"
         "Please contact Velmora to obtain upgrade information\n"},
        {{"datalog", "convert", ws.path("missing.txt"), ws.path("out.txt")}, {}, nullptr, 1, "missing.txt"},
        {{"datalog", "convert", stored, ws.path("converted.txt")}, {}, nullptr, 0,
         "2 records converted to " + ws.path("converted.txt") + "\nConversion completed\n"},
        // The third record's reply never comes: a one-second timeout, not the instrument's fifteen.
        {{"datalog", "capture", ws.path("capture.txt")}, {"--fault", "S1:3:noreply"}, "1000", 1,
         "Communications Timeout\nDatalog capture into " + ws.path("capture.txt") + " failed: Record 3 of 120"},
        // Targets that are no regular file, refused before the instrument is asked anything (no tr8kz-sim runs).
        {{"datalog", "capture", "/dev/full", "--port", "/nonexistent"}, {}, nullptr, 1,
         "Cannot write the file /dev/full: it is not a regular file"},
        {{"setups", "archive", ws.dir.path(), "--port", "/nonexistent"}, {}, nullptr, 1, ": it is a folder"},
        {{"screen", "/dev/null", "--port", "/nonexistent"}, {}, nullptr, 1, "it is not a regular file"},
        // Setup 5 refused, and refused again when asked once more.
        {{"setups", "archive", ws.path("archive.txt")}, {"--fault", "P1:5:rejected", "--fault", "P1:6:rejected"}, nullptr,
         1, "but it will not restore: asked twice, the instrument did not answer with the setup for setup 5 (the reply \"?03\""},
        // Gone for good at the 42nd setup: the operation and how far it got.
        {{"setups", "archive", ws.path("archive.txt")}, {"--fault", "P1:42:linklost"}, "1000", 1,
         "failed at setup 42 of 250: Communications timeout"},
        {{"frobnicate"}, {}, nullptr, 2, ""},
        {{"datalog", "capture"}, {}, nullptr, 2, ""},
        {{"identify", "--delimiter", "xx", "--simulator"}, {}, nullptr, 2, ""},
        {{"identify", "--simulator"}, {}, "soon", 2, "TR8KZ_TIMEOUT_MS"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        std::optional<SimulatedInstrument> sim;
        if (!c.simOptions.isEmpty()) sim.emplace(c.simOptions);
        QProcessEnvironment env = ws.env;
        if (c.timeoutMs) env.insert("TR8KZ_TIMEOUT_MS", c.timeoutMs);
        QElapsedTimer took;
        took.start();
        const Ran ran = RunProgram(TR8KZ_CLI_EXECUTABLE, c.arguments + (sim ? sim->port : QStringList()), env);
        EXPECT_LT(took.elapsed(), 10000);
        const bool errAsSaid = c.err.endsWith('\n') ? ran.err == c.err : ran.err.contains(c.err);
        EXPECT_TRUE(ran.code == c.code && errAsSaid && ran.out.isEmpty())
            << "exit code " << ran.code << "\nout: " << ran.out.toStdString() << "\nerr: " << ran.err.toStdString();
    }
    // A failed conversion leaves no file; a failed capture keeps the records read.
    EXPECT_FALSE(QFile::exists(ws.path("out.txt")));
    EXPECT_EQ(Lines(ws.path("capture.txt")).size(), 2);
    EXPECT_EQ(Lines(ws.path("archive.txt")).size(), 251) << "the archive is written all the same";
    // The other model: "+" after the identification, then the device closed.
    const QByteArray traced = ReadWhole(modelTrace);
    EXPECT_TRUE(traced.contains("> +\n") && traced.endsWith("close\n") && !traced.contains("> D0001")) << traced.data();
}

// The installed tr8kz runs the report program from its lib folder.
TEST(CliInstall, InstalledProgramsRunTheReportProgramAndTheUdevRuleNamesBothIdentities)
{
    Workspace ws;
    ws.env.insert("DESTDIR", ws.path("stage"));
    for (const char* component : {"cli", "desktop", "udev"}) {
        const Ran install = RunProgram(TR8KZ_CMAKE_COMMAND,
                                {"--install", TR8KZ_BUILD_DIR, "--prefix", "/usr", "--component", component}, ws.env);
        ASSERT_EQ(install.code, 0) << component << ": " << install.err.toStdString();
    }
    const QDir usr(ws.path("stage/usr"));
    const auto installed = [&](const QStringList& arguments) { return RunProgram(usr.filePath("bin/tr8kz"), arguments, ws.env); };
    ASSERT_TRUE(QFileInfo(usr.filePath("lib/tr8kz/tr8kz-report")).isExecutable());
    const QString capture = ws.path("capture.txt"), pdf = ws.path("installed.pdf");
    // A delimiter outside the basic plane, which the report program takes as tr8kz does.
    EXPECT_EQ(installed({"datalog", "capture", capture, "--simulator", "--delimiter", "\U0001D11E"}).code, 0);
    const Ran report = installed({"datalog", "report", capture, pdf, "--delimiter", "\U0001D11E"});
    EXPECT_TRUE(report.code == 0 && QFileInfo(pdf).size() > 1000) << report.err.toStdString();

    // One rule per USB identity, each giving the seat's operator access.
    const QString rules = ReadWhole(usr.filePath("lib/udev/rules.d/60-tr8kz.rules"));
    for (const QString product : {"5c03", "5c7b"})
        EXPECT_TRUE(QRegularExpression(R"((?m)^SUBSYSTEM=="tty", ATTRS\{idVendor\}=="1d89", ATTRS\{idProduct\}==")" +
                                       product + R"(",.*TAG\+="uaccess")").match(rules).hasMatch())
            << product.toStdString() << " in:\n" << rules.toStdString();
    EXPECT_TRUE(rules.contains(R"(MODE="0660", GROUP="dialout")"));
}
