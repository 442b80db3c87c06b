// Measures datalog capture and conversion:
//  - capture of 2000 records from tr8kz-sim on a pseudo-terminal through the
//    serial driver, against a bare loop of the same 2000 "S1" requests that
//    decodes nothing (aim: within 1.3 times the bare loop);
//  - conversion of a stored datalog file of 100,000 records, against reading
//    the same file once (aim: above 50 MB/s of input, memory flat in the
//    file's size).
// Each timing is the best of a few runs, as the machine is shared.
//  - whole processes on one tr8kz-sim pseudo-terminal: `tr8kz datalog
//    capture` of 2000 records and `tr8kz setups archive` of 250 setups
//    against tr8kz-bare-loop (plain C and termios) doing the same exchanges,
//    run alternately; the median of the per-pair ratios (aims: at most 1.2
//    and 1.5), beside the start-up of a Qt program that does nothing, and
//    of one that opens and closes the port. Both sides write their file
//    the safe way (beside the target, synced to disk, renamed over it).

#include "AppError.h"
#include "CommPortDriver.h"
#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "PeakMemory.h"
#include "ProgressSink.h"
#include "SerialPortDriver.h"
#include "SimDatalog.h"
#include "SimInstrument.h"
#include "TextFiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <vector>

namespace {

constexpr int CaptureRecords = 2000;
constexpr int ConversionRecords = 100000;
constexpr int Rounds = 5;

struct Timing {
    double wall = 1e300;  // seconds, the best run
    double cpu = 1e300;   // processor seconds of this process in that run
};

Timing measureOnce(const std::function<void()>& run)
{
    const std::clock_t cpuStart = std::clock();
    QElapsedTimer timer;
    timer.start();
    run();
    return {static_cast<double>(timer.nsecsElapsed()) / 1e9,
            static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC};
}

void keepBest(Timing& best, const Timing& t)
{
    best.wall = std::min(best.wall, t.wall);
    best.cpu = std::min(best.cpu, t.cpu);
}

// The status texts the window would show, made and dropped, so that the
// engines pay for them as they do in the window.
class CountingProgress : public SilentProgress {
public:
    void SetStatus(const QString& status) override { length += status.size(); }
    qsizetype length = 0;
};

// A stored datalog file: the identification line, then `records` lines made
// from the simulator's generated records (taken in turn), written as it goes.
qint64 writeStoredDatalog(const QString& fileName, int records)
{
    SimOptions options;
    options.datalogSize = 2000;
    options.seed = 99;
    const SimInstrument instrument(options);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot create %1").arg(fileName));
    QByteArray chunk = instrument.IdentificationReply() + "\r\n";
    const auto& datalog = instrument.Datalog();
    for (int i = 0; i < records; ++i) {
        chunk += EncodeStoredDatalogLine(datalog[static_cast<size_t>(i) % datalog.size()], i % 32768);
        chunk += "\r\n";
        if (chunk.size() > (1 << 20)) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.write(chunk);
    return file.size();
}

void captureBenchmark(const QTemporaryDir& dir)
{
    QProcess sim;
    sim.setProgram(QStringLiteral(TR8KZ_SIM_PATH));
    sim.setArguments({QStringLiteral("--datalog-size"), QString::number(CaptureRecords)});
    sim.setProcessChannelMode(QProcess::SeparateChannels);
    sim.start();
    if (!sim.waitForStarted(10000) || !sim.waitForReadyRead(10000))
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("tr8kz-sim did not start: %1").arg(sim.errorString()));
    while (!sim.canReadLine() && sim.waitForReadyRead(5000)) {
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();

    SerialPortDriver driver(device);
    driver.SetTimeout(15000);
    driver.OpenDevice(DeviceCode::Primary);
    if (!driver.IsConnected()) throw AppError(ErrorNumber::LinkLost, QStringLiteral("cannot open %1").arg(device));
    const Exchange exchange = [&](const QByteArray& command) { return driver.Execute(command); };

    QList<QByteArray> commands;
    for (int i = 0; i < CaptureRecords; ++i) {
        FieldCodec codec;
        codec.BeginCommand(Command::DatalogRecord);
        codec.AppendWord(i);
        commands << codec.GetText();
    }
    exchange(Command::Status);  // warms the link up

    // Rounds alternate, so that both loops see the same load of the machine.
    const QString file = dir.filePath(QStringLiteral("capture.txt"));
    CountingProgress progress;
    const QLocale locale(QStringLiteral("en_US"));
    qsizetype replyBytes = 0;
    Timing bare, capture;
    for (int round = 0; round < Rounds; ++round) {
        keepBest(bare, measureOnce([&] {
            replyBytes = 0;
            for (const QByteArray& command : commands) replyBytes += exchange(command).size();
        }));
        keepBest(capture, measureOnce([&] {
            DatalogCapture::Run(exchange, CaptureRecords, file, QStringLiteral("\t"), progress, locale);
        }));
    }

    // The engine alone: the same replies from memory.
    QList<QByteArray> replies;
    for (const QByteArray& command : commands) replies << exchange(command);
    const Exchange fromMemory = [&](const QByteArray& command) {
        return replies[command.mid(qstrlen(Command::DatalogRecord)).toInt(nullptr, 16)];
    };
    Timing engine;
    for (int round = 0; round < Rounds; ++round)
        keepBest(engine, measureOnce([&] {
            DatalogCapture::Run(fromMemory, CaptureRecords, file, QStringLiteral("\t"), progress, locale);
        }));
    // What replacing the file safely costs (written beside, flushed to disk,
    // renamed), whatever its size.
    Timing replace;
    for (int round = 0; round < Rounds; ++round)
        keepBest(replace, measureOnce([&] {
            TextFileWriter writer(dir.filePath(QStringLiteral("empty.txt")));
            writer.commit();
        }));

    std::printf("Capture of %d records over %s (replies %.1f kB):\n", CaptureRecords, qPrintable(device),
                replyBytes / 1024.0);
    std::printf("  bare request/reply loop  %8.3f s  (%.0f records/s; processor %.3f s)\n", bare.wall,
                CaptureRecords / bare.wall, bare.cpu);
    std::printf("  capture engine           %8.3f s  (%.0f records/s; processor %.3f s; file %.1f kB)\n",
                capture.wall, CaptureRecords / capture.wall, capture.cpu, QFileInfo(file).size() / 1024.0);
    std::printf("  ratio capture / bare     %8.3f  (aim: at most 1.3)\n", capture.wall / bare.wall);
    std::printf("  engine alone, no link    %8.3f s  (%.1f us a record; processor %.1f us a record)\n", engine.wall,
                engine.wall / CaptureRecords * 1e6, engine.cpu / CaptureRecords * 1e6);
    std::printf("  of which the safe file replacement %.1f ms (processor %.1f ms)\n", replace.wall * 1e3,
                replace.cpu * 1e3);

    driver.CloseDevice();
    sim.terminate();
    if (!sim.waitForFinished(5000)) {
        sim.kill();
        sim.waitForFinished(5000);
    }
}

void conversionBenchmark(const QTemporaryDir& dir)
{
    const QString source = dir.filePath(QStringLiteral("stored.txt"));
    const QString target = dir.filePath(QStringLiteral("converted.txt"));
    const QLocale locale(QStringLiteral("en_US"));
    CountingProgress progress;

    // A tenth of the file first: the peak memory must not grow with the size.
    const qint64 smallBytes = writeStoredDatalog(source, ConversionRecords / 10);
    DatalogConversion::Run(source, target, QStringLiteral("\t"), progress, locale);
    const int64_t peakSmall = PeakResidentKilobytes();
    std::printf("Conversion of %d records (%.1f MB): peak resident memory %lld kB\n", ConversionRecords / 10,
                smallBytes / 1e6, static_cast<long long>(peakSmall));

    const qint64 bytes = writeStoredDatalog(source, ConversionRecords);
    int64_t lines = 0;
    DatalogConversion::Result result;
    Timing read, convert;
    for (int round = 0; round < Rounds; ++round) {
        keepBest(read, measureOnce([&] {
            TextFileReader reader(source);
            lines = 0;
            while (!reader.atEnd()) {
                reader.readLine();
                ++lines;
            }
        }));
        keepBest(convert, measureOnce([&] {
            result = DatalogConversion::Run(source, target, QStringLiteral("\t"), progress, locale);
        }));
    }
    const int64_t peakLarge = PeakResidentKilobytes();
    const double megabytes = bytes / 1e6;

    std::printf("Conversion of %lld records (%.1f MB, %lld lines):\n", static_cast<long long>(result.recordsWritten),
                megabytes, static_cast<long long>(lines));
    std::printf("  reading the file once    %8.3f s  (%.1f MB/s; processor %.3f s)\n", read.wall, megabytes / read.wall,
                read.cpu);
    std::printf("  conversion engine        %8.3f s  (%.1f MB/s of input, aim: above 50; processor %.3f s, %.1f MB "
                "a processor second; output %.1f MB)\n",
                convert.wall, megabytes / convert.wall, convert.cpu, megabytes / convert.cpu,
                QFileInfo(target).size() / 1e6);
    std::printf("  ratio conversion / read  %8.2f\n", convert.wall / read.wall);
    std::printf("  peak resident memory     %lld kB (after the tenth-size file: %lld kB)\n",
                static_cast<long long>(peakLarge), static_cast<long long>(peakSmall));
}

// Seconds one run of the program takes, start to end.
double runProcess(const QString& program, const QStringList& arguments)
{
    QProcess process;
    // What a run says (a capture's note on fields holding the delimiter) is
    // shown only when the run fails.
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("%1 %2 failed: %3")
                                                  .arg(program, arguments.join(QLatin1Char(' ')),
                                                       QString::fromLocal8Bit(process.readAllStandardError())));
    return static_cast<double>(timer.nsecsElapsed()) / 1e9;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void processBenchmark(const QTemporaryDir& dir, int pairs)
{
    QProcess sim;
    sim.start(QStringLiteral(TR8KZ_SIM_PATH), {QStringLiteral("--datalog-size"), QString::number(CaptureRecords)});
    if (!sim.waitForStarted(10000)) throw AppError(ErrorNumber::LinkLost, QStringLiteral("tr8kz-sim did not start"));
    while (!sim.canReadLine() && sim.waitForReadyRead(10000)) {
    }
    const QString device = QString::fromLocal8Bit(sim.readLine()).trimmed();
    const QString out = dir.filePath(QStringLiteral("process.txt"));

    std::printf("Whole processes on %s, %d alternating pairs, median of the per-pair ratios:\n", qPrintable(device), pairs);
    std::vector<double> floor, portFloor, bareFloor;
    for (int i = 0; i < pairs; ++i) {
        floor.push_back(runProcess(QStringLiteral(TR8KZ_QT_FLOOR_PATH), {}));
        portFloor.push_back(runProcess(QStringLiteral(TR8KZ_QT_FLOOR_PATH), {device}));
        bareFloor.push_back(runProcess(QStringLiteral(TR8KZ_BARE_LOOP_PATH), {device}));
    }
    // What any Qt program pays before its first exchange and the bare loop
    // does not: Qt's start-up and QSerialPort's lock file.
    const double qtStartUp = median(portFloor) - median(bareFloor);
    std::printf("  a Qt program doing nothing (the floor)  %7.1f ms (median)\n", median(floor) * 1e3);
    std::printf("  the same opening and closing the port   %7.1f ms (QSerialPort's lock file, synced)\n",
                median(portFloor) * 1e3);
    std::printf("  the bare loop opening and closing it    %7.1f ms (Qt's start-up with the port: %.1f ms more)\n",
                median(bareFloor) * 1e3, qtStartUp * 1e3);

    const struct {
        const char* name;
        QStringList program;  // tr8kz's command
        QString bare;         // tr8kz-bare-loop's kind
        int count;
        double aim;
    } operations[] = {
        {"capture of 2000 records", {QStringLiteral("datalog"), QStringLiteral("capture")}, QStringLiteral("capture"),
         CaptureRecords, 1.2},
        {"archive of 250 setups", {QStringLiteral("setups"), QStringLiteral("archive")}, QStringLiteral("archive"), 250, 1.5},
    };
    for (const auto& operation : operations) {
        std::vector<double> ratios, bare, full;
        for (int i = 0; i < pairs; ++i) {
            // The order within a pair alternates too, so that neither side
            // always runs first on a warm link.
            const auto runBare = [&] {
                bare.push_back(runProcess(QStringLiteral(TR8KZ_BARE_LOOP_PATH),
                                          {device, operation.bare, QString::number(operation.count), out}));
            };
            const auto runFull = [&] {
                full.push_back(runProcess(QStringLiteral(TR8KZ_CLI_PATH),
                                          operation.program + QStringList{out, QStringLiteral("--port"), device}));
            };
            if (i % 2) {
                runFull();
                runBare();
            } else {
                runBare();
                runFull();
            }
            ratios.push_back(full.back() / bare.back());
        }
        std::printf("  %-24s tr8kz %7.1f ms, bare loop %7.1f ms (medians); ratio %.2f (aim: at most %.1f)\n",
                    operation.name, median(full) * 1e3, median(bare) * 1e3, median(ratios), operation.aim);
        // The lowest ratio a Qt program doing the same exchanges could reach,
        // and this program's ratio with Qt's start-up taken out.
        std::printf("  %-24s the floor's ratio %.2f; net of Qt's start-up %.2f\n", "",
                    (median(bare) + qtStartUp) / median(bare), (median(full) - qtStartUp) / median(bare));
    }
    sim.terminate();
    if (!sim.waitForFinished(5000)) sim.kill();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tr8kz-bench"));
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "Measures datalog capture and conversion in process, and the whole tr8kz command line against a bare "
        "termios loop on the same tr8kz-sim pseudo-terminal. Prints its figures; not a test."));
    parser.addHelpOption();
    const QCommandLineOption pairsOption(QStringLiteral("pairs"),
                                         QStringLiteral("Alternating runs of each program pair (default 15)."),
                                         QStringLiteral("N"), QStringLiteral("15"));
    const QCommandLineOption processOnly(QStringLiteral("processes-only"),
                                         QStringLiteral("Only the whole-process comparison."));
    parser.addOption(pairsOption);
    parser.addOption(processOnly);
    parser.process(application);
    bool ok = false;
    const int pairs = parser.value(pairsOption).toInt(&ok);
    if (!ok || pairs < 1) {
        std::fprintf(stderr, "tr8kz-bench: --pairs takes a whole number from 1\n");
        return 2;
    }
    try {
        QTemporaryDir dir;
        if (!dir.isValid()) throw AppError(ErrorNumber::FileAccess, QStringLiteral("no temporary folder"));
        processBenchmark(dir, pairs);
        if (parser.isSet(processOnly)) return 0;
        captureBenchmark(dir);
        conversionBenchmark(dir);
        std::printf("Peak resident memory of the whole run: %lld kB\n", static_cast<long long>(PeakResidentKilobytes()));
        return 0;
    } catch (const AppError& error) {
        std::fprintf(stderr, "tr8kz-bench: %s\n", qPrintable(error.description()));
        return 1;
    }
}
