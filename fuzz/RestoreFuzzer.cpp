// A restore file made of the input, read and checked by the restore
// (SetupArchive::ReadRestoreFile, from memory, as the windows and the command
// line read a file) and sent to the simulated instrument, which answers each
// line as the instrument does: "p" and the setup index for a setup it
// stores, "?" and a code for anything else.
//
// Checked against a model of the restore file rules, built here from the
// input alone (the rules as the setup archive's documentation states them,
// the setup record's layout as docs/protocol.md gives it):
//  - lines end at LF; one CR at the end of a line belongs to its line end;
//  - a file that is empty or whose first line is not exactly the header is
//    no archive: nothing is sent and no error raised;
//  - every other line is one whole setup write: "P2", then upper-case hex
//    digits only, whose bytes are the setup index (0..249) and a record of
//    exactly N + 456 + 27 v bytes (N = 1 + the name's length, the record's
//    first byte; v the byte at N + 455); no line is longer than the longest
//    setup write (15198 characters);
//  - blank lines (white space only) may only end the file; at most 250
//    setup lines;
//  - a file that breaks a rule is refused whole with error 5 naming the first
//    line that breaks one (a blank line followed by a line that is not blank
//    breaks it at the blank line), and nothing is sent;
//  - otherwise every setup line is sent unchanged, in file order, and, each
//    being a whole record, the instrument stores every one: the restore runs
//    to its end and reports each line's setup.
#include "FuzzSupport.h"
#include "ProgressSink.h"
#include "SetupArchive.h"
#include "SimInstrument.h"

#include <QBuffer>

namespace {

constexpr qsizetype LongestSetupWrite = 15198;

struct ArchiveModel {
    bool archive = false;       // the first line is the header
    int64_t refusedAtLine = 0;  // the first line that breaks a rule, 0 when none does
    QList<QByteArray> lines;    // what is to be sent, in order
    QList<int> setupNumbers;    // the setup (1..250) of each
};

bool isWhiteSpace(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }

bool isBlank(const QByteArray& line)
{
    for (char c : line)
        if (!isWhiteSpace(c)) return false;
    return true;
}

// The setup number (1..250) of a whole setup write, 0 when the line is none.
int setupNumberOf(const QByteArray& line)
{
    if (line.size() > LongestSetupWrite || !line.startsWith("P2")) return 0;
    const QByteArray digits = line.mid(2);
    if (digits.size() % 2 != 0) return 0;
    for (char c : digits)
        if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return 0;
    const QByteArray bytes = QByteArray::fromHex(digits);
    if (bytes.size() < 2) return 0;
    const int index = static_cast<uint8_t>(bytes[0]);
    if (index > 249) return 0;
    const QByteArray record = bytes.mid(1);
    const qsizetype N = 1 + static_cast<uint8_t>(record[0]);
    if (record.size() < N + 456) return 0;
    const qsizetype views = static_cast<uint8_t>(record[N + 455]);
    return record.size() == N + 456 + 27 * views ? index + 1 : 0;
}

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
    int64_t firstBlank = 0;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const int64_t lineNumber = i + 1;
        const QByteArray& line = lines[i];
        if (line.size() <= LongestSetupWrite && isBlank(line)) {
            if (firstBlank == 0) firstBlank = lineNumber;
            continue;
        }
        const int setupNumber = setupNumberOf(line);
        if (firstBlank != 0 || setupNumber == 0 || model.lines.size() == 250) {
            model.refusedAtLine = firstBlank != 0 ? firstBlank : lineNumber;
            model.lines.clear();
            model.setupNumbers.clear();
            return model;
        }
        model.lines << line;
        model.setupNumbers << setupNumber;
    }
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
    QByteArray bytes = Fuzz::Bytes(data, size);
    const ArchiveModel model = modelOf(bytes);

    QList<QByteArray> sent;
    const Exchange exchange = [&sent](const QByteArray& command) {
        sent << command;
        instrument().ClearLogs();
        return instrument().Handle(command).value();
    };
    SilentProgress progress;
    QBuffer source(&bytes);
    FUZZ_CHECK(source.open(QIODevice::ReadOnly));
    try {
        const std::optional<SetupArchive::RestoreFile> file = SetupArchive::ReadRestoreFile(source, QStringLiteral("input"));
        FUZZ_CHECK(file.has_value() == model.archive);
        FUZZ_CHECK(model.refusedAtLine == 0);
        if (!file) return 0;
        const SetupArchive::RestoreResult result = SetupArchive::Restore(exchange, *file, progress);
        FUZZ_CHECK(!result.NotAnArchive && !result.Cancelled);
        FUZZ_CHECK(sent == model.lines);
        FUZZ_CHECK(result.SetupsRestored == model.lines.size());
        FUZZ_CHECK(QList<int>(result.RestoredSetupNumbers.begin(), result.RestoredSetupNumbers.end()) ==
                   model.setupNumbers);
    } catch (const AppError& error) {
        // Only a file the rules refuse raises an error, and then nothing was
        // sent and the message names the line.
        Fuzz::ExpectOneOf(error, {ErrorNumber::InvalidArgument});
        FUZZ_CHECK(model.refusedAtLine != 0);
        FUZZ_CHECK(sent.isEmpty());
        FUZZ_CHECK(error.description().contains(QStringLiteral(": line %1 ").arg(model.refusedAtLine)));
    }
    return 0;
}
