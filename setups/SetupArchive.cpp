#include "SetupArchive.h"

#include "AppError.h"
#include "InstrumentCommands.h"
#include "LinkWait.h"
#include "SetupRecord.h"
#include "TextFiles.h"

#include <optional>

namespace SetupArchive {

namespace {

// One setup line of an archive and where it stands in the file.
struct SetupLine {
    QByteArray text;
    int64_t lineNumber = 0;
};

[[noreturn]] void refuseFile(const QString& fileName, int64_t lineNumber, const QString& reason)
{
    throw AppError(ErrorNumber::InvalidArgument,
                   QStringLiteral("The file %1 cannot be restored: line %2 %3. Nothing was sent to the instrument.")
                       .arg(fileName)
                       .arg(lineNumber)
                       .arg(reason));
}

// The setup lines of an archive; nothing when the file is empty or does not
// begin with the header. The lines are not decoded: each is sent as it
// stands, and the instrument judges it.
std::optional<std::vector<SetupLine>> readArchive(const QString& fileName)
{
    TextFileReader reader(fileName);
    if (reader.atEnd() || reader.readLine() != Header) return std::nullopt;

    std::vector<SetupLine> lines;
    int setupLines = 0;  // lines that are not blank
    int blankAtEnd = 0;  // blank lines read since the last setup line
    while (!reader.atEnd()) {
        SetupLine line{reader.readLine(), reader.lineNumber()};
        const bool blank = line.text.trimmed().isEmpty();
        blankAtEnd = blank ? blankAtEnd + 1 : 0;
        // Not decoded, but a line that is no setup write at all ("X000...",
        // which would clear the datalog) or that a CR would split in two on
        // the link is never sent.
        if (!blank && (!line.text.startsWith(Command::WriteSetupAsRead) || line.text.contains('\r')))
            refuseFile(fileName, line.lineNumber,
                       QStringLiteral("is not a setup line (it must begin with \"%1\" and hold no line break)")
                           .arg(QLatin1String(Command::WriteSetupAsRead)));
        if (!blank && ++setupLines > SetupCount)
            refuseFile(fileName, line.lineNumber,
                       QStringLiteral("is setup line %1, but an archive holds at most %2 setups")
                           .arg(setupLines)
                           .arg(SetupCount));
        lines.push_back(std::move(line));
    }
    lines.resize(lines.size() - blankAtEnd);
    return lines;
}

// The instrument's answer to a restored line: "p" and the setup index.
int restoredSetupIndex(const QByteArray& reply, const SetupLine& line, const QString& fileName, int restoredBefore,
                       FieldCodec& codec)
{
    if (reply.startsWith(ReplyCode::Refused)) {
        throw AppError(ErrorNumber::InstrumentRefused,
                       QStringLiteral("The instrument refused line %1 of the file %2 (error %3). The %4 setups sent "
                                      "before it have been restored; the lines after it were not sent.")
                           .arg(line.lineNumber)
                           .arg(fileName, QString::fromLatin1(reply.mid(1, 8)))
                           .arg(restoredBefore));
    }
    codec.SetText(reply);
    try {
        return codec.ReadWord();
    } catch (const AppError& error) {
        // A damaged confirmation: the line may or may not have been stored.
        throw AppError(error.number(),
                       QStringLiteral("The instrument's answer to line %1 of the file %2 is damaged (%3): \"%4\". The "
                                      "%5 setups sent before it have been restored; the lines after it were not sent.")
                           .arg(line.lineNumber)
                           .arg(fileName, error.description(), QString::fromLatin1(reply.left(24)))
                           .arg(restoredBefore));
    }
}

void startProgress(ProgressSink& progress, const char* caption)
{
    progress.SetCaption(QString::fromLatin1(caption));
    progress.SetValue(0);
    progress.SetMaximum(SetupCount);
    progress.ClearCancel();
}

}  // namespace

ArchiveResult Archive(const Exchange& exchange, const QString& sFileName, ProgressSink& progress, FieldCodec& codec)
{
    startProgress(progress, ArchiveCaption);
    ArchiveResult result;
    TextFileWriter file(sFileName);
    file.writeLine(Header);
    for (int setupNumber = 1; setupNumber <= SetupCount; ++setupNumber) {
        if (progress.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        progress.SetStatus(QStringLiteral("%1 / %2").arg(setupNumber).arg(SetupCount));
        const QByteArray command = ReadSetupCommand(setupNumber, codec);
        QByteArray reply;
        try {
            reply = exchange(command);
        } catch (const LinkInterrupted&) {
            // Cancelled while the reply was awaited: the setups read are kept.
            result.Cancelled = true;
            break;
        }
        file.writeLine(reply);
        ++result.SetupsArchived;
        progress.SetValue(setupNumber);
        progress.Yield();
    }
    file.commit();
    return result;
}

RestoreResult Restore(const Exchange& exchange, const QString& sFileName, ProgressSink& progress, FieldCodec& codec)
{
    startProgress(progress, RestoreCaption);
    RestoreResult result;
    const std::optional<std::vector<SetupLine>> lines = readArchive(sFileName);
    if (!lines) {
        result.NotAnArchive = true;
        return result;
    }

    int counter = 0;
    for (const SetupLine& line : *lines) {
        if (progress.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        ++counter;
        codec.BeginCommand(line.text);
        const QByteArray command = codec.GetText();
        QByteArray reply;
        try {
            reply = exchange(command);
        } catch (const LinkInterrupted&) {
            // Cancelled while the confirmation was awaited: this line may or
            // may not have been stored, the lines after it were not sent.
            result.Cancelled = true;
            break;
        }
        const int setupIndex = restoredSetupIndex(reply, line, sFileName, result.SetupsRestored, codec);
        ++result.SetupsRestored;
        result.RestoredSetupNumbers.push_back(setupIndex + 1);
        progress.SetStatus(QStringLiteral("%1 (%2)").arg(counter).arg(setupIndex + 1));
        progress.SetValue(counter);
        progress.Yield();
    }
    return result;
}

}  // namespace SetupArchive
