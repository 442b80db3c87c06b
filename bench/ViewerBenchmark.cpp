// Measures the Datalog Viewer opening capture files:
//  - 2000 records (a full instrument datalog), from reading the file to all
//    charts drawn (aim: at most 0.5 s);
//  - 100,000 records (aim: at most 3 s), with the peak memory against the
//    records' own size, to show that nothing but the table's data grows
//    with the file (no item per cell, the trend thinned for drawing).
// The window is drawn offscreen (grab() paints every chart). Each timing is
// the best of a few runs, as the machine is shared; the first run is shown
// too, as the operator meets it.

#include "AppError.h"
#include "DatalogCapture.h"
#include "DatalogRecord.h"
#include "Environment.h"
#include "PeakMemory.h"
#include "ProgressSink.h"
#include "SimDatalog.h"
#include "SimInstrument.h"
#include "frmDatalogViewer.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int Rounds = 3;

// Settings and dialogs of the bench's own: nothing of the operator's is
// read or written.
class BenchEnvironment : public Environment {
public:
    MessageAnswer ShowMessage(const QString& text, MessageButtons, MessageIcon, const QString&) override
    {
        std::fprintf(stderr, "message: %s\n", qPrintable(text));
        return MessageAnswer::Ok;
    }
    QString ChooseFile(const FileChoice&) override { return {}; }
    QDateTime Now() const override { return QDateTime::currentDateTime(); }
    QString ReadSetting(const QString&, const QString&, const QString& defaultValue) override { return defaultValue; }
    void WriteSetting(const QString&, const QString&, const QString&) override {}
    void SetBusy(bool) override {}
};

// A capture file of the simulated instrument's full datalog (2000 records),
// made by the capture engine.
void writeCapture(const QString& fileName)
{
    SimOptions options;
    options.datalogSize = 2000;
    options.seed = 99;
    const SimInstrument instrument(options);
    const auto& datalog = instrument.Datalog();
    const Exchange exchange = [&](const QByteArray& command) {
        const int index = command.mid(2).toInt(nullptr, 16);
        return "s" + EncodeDatalogReplyFields(datalog[std::size_t(index)], index);
    };
    SilentProgress progress;
    DatalogCapture::Run(exchange, int32_t(datalog.size()), fileName, QStringLiteral("\t"), progress,
                        QLocale(QStringLiteral("en_US")));
}

// A longer file than one instrument holds (the capture's record number is
// 16 bits): the capture's lines over and over, numbered on.
void writeRepeated(const QString& source, const QString& fileName, int records)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly)) throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot read %1").arg(source));
    QList<QByteArray> lines = in.readAll().split('\n');
    lines.removeLast();
    for (QByteArray& line : lines) line = line.mid(line.indexOf('\t'));  // without the log number
    QFile out(fileName);
    if (!out.open(QIODevice::WriteOnly)) throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot create %1").arg(fileName));
    QByteArray chunk;
    for (int i = 0; i < records; ++i) {
        chunk += QByteArray::number(i + 1) + lines[i % lines.size()] + '\n';
        if (chunk.size() > (1 << 20)) {
            out.write(chunk);
            chunk.clear();
        }
    }
    out.write(chunk);
}

double openAndDraw(frmDatalogViewer& viewer, const QString& file)
{
    QElapsedTimer timer;
    timer.start();
    if (!viewer.OpenFile(file, QStringLiteral("\t")))
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("the viewer did not open %1").arg(file));
    const QPixmap drawn = viewer.grab();  // paints the table and every chart
    QApplication::processEvents();
    if (drawn.isNull()) throw AppError(ErrorNumber::FileAccess, QStringLiteral("nothing was drawn"));
    return double(timer.nsecsElapsed()) / 1e9;
}

void measure(frmDatalogViewer& viewer, const QString& file, int records, double aim)
{
    const double first = openAndDraw(viewer, file);
    double best = first;
    for (int round = 1; round < Rounds; ++round) best = std::min(best, openAndDraw(viewer, file));
    std::printf("Open %6d records (%.1f MB) with all charts drawn: best %.3f s, first %.3f s (aim: at most %.1f s)\n",
                records, QFileInfo(file).size() / 1e6, best, first, aim);
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    BenchEnvironment environment;
    InstallEnvironment(&environment);
    try {
        QTemporaryDir dir;
        if (!dir.isValid()) throw AppError(ErrorNumber::FileAccess, QStringLiteral("no temporary folder"));
        const QString small = dir.filePath(QStringLiteral("capture-2000.txt"));
        const QString medium = dir.filePath(QStringLiteral("capture-10000.txt"));
        const QString large = dir.filePath(QStringLiteral("capture-100000.txt"));
        writeCapture(small);
        writeRepeated(small, medium, 10000);
        writeRepeated(small, large, 100000);

        const int64_t before = PeakResidentKilobytes();
        // The operator's first time: the window made, shown and filled.
        QElapsedTimer firstTime;
        firstTime.start();
        frmDatalogViewer& viewer = frmDatalogViewer::instance();
        viewer.resize(1400, 900);
        viewer.show();
        openAndDraw(viewer, small);
        std::printf("New window opening 2000 records with all charts drawn: %.3f s (aim: at most 0.5 s)\n",
                    double(firstTime.nsecsElapsed()) / 1e9);
        measure(viewer, small, 2000, 0.5);
        measure(viewer, medium, 10000, 3.0);
        const int64_t afterMedium = PeakResidentKilobytes();
        measure(viewer, large, 100000, 3.0);
        const int64_t afterLarge = PeakResidentKilobytes();
        const double perRecord = double(afterLarge - afterMedium) * 1024.0 / (100000 - 10000);
        std::printf("Peak resident memory: %lld kB before, %lld kB after 10,000 records, %lld kB after 100,000\n",
                    static_cast<long long>(before), static_cast<long long>(afterMedium),
                    static_cast<long long>(afterLarge));
        std::printf("  growth %.0f bytes a record; a record holds %zu bytes of its own plus its share of names "
                    "(the file has %.0f bytes a line)\n",
                    perRecord, sizeof(DatalogRecord), QFileInfo(large).size() / 100000.0);
        delete &viewer;
        return 0;
    } catch (const AppError& error) {
        std::fprintf(stderr, "tr8kz-viewer-bench: %s\n", qPrintable(error.description()));
        return 1;
    }
}
