// SetupArchive::Restore on an archive file made of the input, sent to the
// simulated instrument, which answers each line as the instrument does: "p"
// and the setup index for a setup it stores, "?" and a code for anything
// else (it judges each line; the restore does not decode them).
//
// Checked against a model of the archive file, built here from the input:
// lines end at LF, and one CR at the end of a line belongs to its end; the
// first line must be exactly the header; blank lines at the end are not
// setups.
//  - A file of more than 250 setup lines is refused whole: nothing is sent.
//  - A file without the header is no archive: nothing is sent.
//  - Otherwise the lines are sent unchanged, in file order, and the restore
//    stops only at a line the instrument refuses or whose answer is no setup
//    number, which is then the last line sent.
#include "FuzzSupport.h"
#include "ProgressSink.h"
#include "SetupArchive.h"
#include "SimInstrument.h"

#include <QFile>
#include <QTemporaryDir>

namespace {

struct ArchiveModel {
    bool archive = false;     // the first line is the header
    bool oversized = false;   // more than 250 setup lines
    QList<QByteArray> lines;  // what is to be sent, in order
};

ArchiveModel modelOf(const QByteArray& file)
{
    QList<QByteArray> lines;
    qsizetype from = 0;
    while (from < file.size()) {
        qsizetype end = file.indexOf('\n', from);
        const qsizetype next = end < 0 ? file.size() : end + 1;
        if (end < 0) end = file.size();
        QByteArray line = file.mid(from, end - from);
        if (line.endsWith('\r')) line.chop(1);
        lines << line;
        from = next;
    }
    ArchiveModel model;
    if (lines.isEmpty() || lines.first() != SetupArchive::Header) return model;
    model.archive = true;
    lines.removeFirst();
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    int setups = 0;
    for (const QByteArray& line : lines)
        if (!line.trimmed().isEmpty()) ++setups;
    model.oversized = setups > SetupArchive::SetupCount;
    model.lines = lines;
    return model;
}

SimInstrument& instrument()
{
    static SimInstrument sim([] {
        SimOptions options;
        options.datalogSize = 0;
        options.localClock = [] { return QDateTime(QDate(2026, 1, 1), QTime(0, 0)); };
        return options;
    }());
    return sim;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir folder;
    FUZZ_CHECK(folder.isValid());
    const QString fileName = folder.filePath(QStringLiteral("archive.txt"));
    const QByteArray bytes = Fuzz::Bytes(data, size);
    {
        QFile file(fileName);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(bytes) == bytes.size());
    }
    const ArchiveModel model = modelOf(bytes);

    QList<QByteArray> sent;
    const Exchange exchange = [&sent](const QByteArray& command) {
        sent << command;
        instrument().ClearLogs();
        return instrument().Handle(command).value();
    };
    SilentProgress progress;
    bool stopped = false;
    try {
        const SetupArchive::RestoreResult result = SetupArchive::Restore(exchange, fileName, progress);
        FUZZ_CHECK(result.NotAnArchive == !model.archive);
        FUZZ_CHECK(!model.oversized);
        FUZZ_CHECK(result.SetupsRestored == sent.size());
        FUZZ_CHECK(static_cast<qsizetype>(result.RestoredSetupNumbers.size()) == sent.size());
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::InvalidArgument) {
            FUZZ_CHECK(model.oversized);
            FUZZ_CHECK(sent.isEmpty());
            return 0;
        }
        // The instrument refused the last line sent, or answered it with no
        // setup number.
        Fuzz::ExpectOneOf(error, {ErrorNumber::InstrumentRefused, ErrorNumber::MalformedText, ErrorNumber::Overflow});
        FUZZ_CHECK(!sent.isEmpty());
        stopped = true;
    }
    if (!model.archive || model.oversized) {
        FUZZ_CHECK(sent.isEmpty());
        return 0;
    }
    FUZZ_CHECK(sent.size() <= model.lines.size());
    for (qsizetype i = 0; i < sent.size(); ++i) FUZZ_CHECK(sent[i] == model.lines[i]);
    if (!stopped) FUZZ_CHECK(sent.size() == model.lines.size());
    return 0;
}
