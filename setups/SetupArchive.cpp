#include "SetupArchive.h"

#include "AppError.h"
#include "InstrumentCommands.h"
#include "LinkWait.h"
#include "ReplyText.h"
#include "SetupLineShape.h"
#include "SetupRecord.h"
#include "TextFiles.h"

#include <QStringList>
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

// A reply to "P1" for the setup: a whole setup write of that setup.
bool isSetupReply(const QByteArray& reply, int setupNumber)
{
    const SetupLineShape shape = CheckSetupLine(reply);
    return shape.isSetup && shape.setupIndex == setupNumber - 1;
}

void startProgress(ProgressSink& progress, const char* caption)
{
    progress.SetCaption(QString::fromLatin1(caption));
    progress.SetValue(0);
    progress.SetMaximum(SetupCount);
    progress.ClearCancel();
}

}  // namespace

std::vector<int> AllSetupNumbers()
{
    std::vector<int> numbers(SetupCount);
    for (int i = 0; i < SetupCount; ++i) numbers[static_cast<size_t>(i)] = i + 1;
    return numbers;
}

ReadResult ReadSetups(const Exchange& exchange, const std::vector<int>& setupNumbers, const QString& caption,
                      ProgressSink& progress, const SetupReplyHandler& take, FieldCodec& codec)
{
    const int count = static_cast<int>(setupNumbers.size());
    progress.SetCaption(caption);
    progress.SetValue(0);
    progress.SetMaximum(count);
    progress.ClearCancel();
    ReadResult result;
    for (const int setupNumber : setupNumbers) {
        if (progress.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        progress.SetStatus(QStringLiteral("%1 / %2").arg(result.SetupsRead + 1).arg(count));
        const QByteArray command = ReadSetupCommand(setupNumber, codec);
        QByteArray reply;
        try {
            reply = exchange(command);
            // A reply that is not the setup asked for (a refusal, a garbled
            // or cut reply) is asked for once more: a passing fault may be
            // gone.
            if (!isSetupReply(reply, setupNumber)) reply = exchange(command);
        } catch (const LinkInterrupted&) {
            // Cancelled while the reply was awaited: the setups read are kept.
            result.Cancelled = true;
            break;
        }
        take(setupNumber, reply);
        ++result.SetupsRead;
        progress.SetValue(result.SetupsRead);
        progress.Yield();
    }
    return result;
}

QString UnrestorableWarning(const ArchiveResult& result, const QString& sFileName)
{
    if (result.NotSetups.empty()) return {};
    // The head of each reply is enough to recognise it.
    constexpr int ReplyShown = 40;
    QStringList setups;
    for (const UnreadSetup& setup : result.NotSetups)
        setups << QStringLiteral("setup %1 (\"%2\": %3)")
                      .arg(setup.SetupNumber)
                      .arg(QuotedText(setup.Reply, ReplyShown), setup.Problem);
    return QStringLiteral("The archive %1 was written, but it will not restore: asked twice, the instrument did not "
                          "answer with the setup for %2.")
        .arg(sFileName, setups.join(QStringLiteral(", ")));
}

ArchiveResult Archive(const Exchange& exchange, const QString& sFileName, ProgressSink& progress, FieldCodec& codec)
{
    TextFileWriter file(sFileName);
    file.writeLine(Header);
    ArchiveResult result;
    // Each reply is archived as the instrument sent it; one that is still no
    // setup after the second asking is named for the warning.
    const SetupReplyHandler archiveReply = [&](int setupNumber, const QByteArray& reply) {
        file.writeLine(reply);
        if (isSetupReply(reply, setupNumber)) return;
        const SetupLineShape shape = CheckSetupLine(reply);
        result.NotSetups.push_back(
            {setupNumber, reply,
             shape.isSetup ? QStringLiteral("it holds setup %1").arg(shape.setupIndex + 1) : shape.problem});
    };
    const ReadResult read =
        ReadSetups(exchange, AllSetupNumbers(), QString::fromLatin1(ArchiveCaption), progress, archiveReply, codec);
    file.commit();
    result.SetupsArchived = read.SetupsRead;
    result.Cancelled = read.Cancelled;
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
        result.RestoredLines.push_back(line.text);
        progress.SetStatus(QStringLiteral("%1 (%2)").arg(counter).arg(setupIndex + 1));
        progress.SetValue(counter);
        progress.Yield();
    }
    return result;
}

}  // namespace SetupArchive
