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
#include <utility>

namespace SetupArchive {

namespace {

QString setups(int count) { return count == 1 ? QStringLiteral("1 setup") : QStringLiteral("%1 setups").arg(count); }

// What a restore stopped at a line has done. A refused line changed nothing;
// a line whose answer was lost or damaged may have been stored or not.
QString restoredSoFar(int restoredBefore, const SetupLine& line, bool lineMayBeStored)
{
    QString text = QStringLiteral("%1 restored from the lines before it").arg(setups(restoredBefore));
    if (lineMayBeStored)
        text += QStringLiteral("; setup %1 of this line may or may not have been written").arg(line.setupNumber);
    return text + QStringLiteral("; the lines after it were not sent, and the instrument's other setups are "
                                 "unchanged.");
}

// The instrument's answer to a restored line: "p" and the setup index.
int restoredSetupIndex(const QByteArray& reply, const SetupLine& line, const QString& fileName, int restoredBefore,
                       FieldCodec& codec)
{
    if (reply.startsWith(ReplyCode::Refused)) {
        throw AppError(ErrorNumber::InstrumentRefused,
                       QStringLiteral("The instrument refused line %1 of the file %2 (setup %3, error %4). %5")
                           .arg(QString::number(line.lineNumber), fileName, QString::number(line.setupNumber),
                                QuotedText(reply.mid(1, 8)), restoredSoFar(restoredBefore, line, false)));
    }
    codec.SetText(reply);
    try {
        return codec.ReadWord();
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       QStringLiteral("The instrument's answer to line %1 of the file %2 (setup %3) is damaged (%4): "
                                      "\"%5\". %6")
                           .arg(QString::number(line.lineNumber), fileName, QString::number(line.setupNumber),
                                error.description(), QuotedText(reply, 24),
                                restoredSoFar(restoredBefore, line, true)));
    }
}

// Whether a reply of that shape is a whole setup write of the setup.
bool isSetupOf(const SetupLineShape& shape, int setupNumber)
{
    return shape.isSetup && shape.setupIndex == setupNumber - 1;
}

// Sends one line; an error of the link keeps its number and gains the line.
QByteArray send(const Exchange& exchange, const QByteArray& command, const SetupLine& line, const QString& fileName,
                int restoredBefore)
{
    try {
        return exchange(command);
    } catch (const AppError& error) {
        QString reason = error.description();
        if (reason.endsWith(QLatin1Char('.'))) reason.chop(1);
        throw AppError(error.number(), QStringLiteral("Line %1 of the file %2 (setup %3): %4. %5")
                                           .arg(QString::number(line.lineNumber), fileName,
                                                QString::number(line.setupNumber), reason,
                                                restoredSoFar(restoredBefore, line, true)));
    }
}

RestoreResult sendLines(const Exchange& exchange, const RestoreFile& file, ProgressSink& progress, FieldCodec& codec)
{
    RestoreResult result;
    int counter = 0;
    for (const SetupLine& line : file.lines) {
        if (progress.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        ++counter;
        codec.BeginCommand(line.text);
        const QByteArray command = codec.GetText();
        QByteArray reply;
        try {
            reply = send(exchange, command, line, file.fileName, result.SetupsRestored);
        } catch (const LinkInterrupted&) {
            // Cancelled while the confirmation was awaited: this line may or
            // may not have been stored, the lines after it were not sent.
            result.Cancelled = true;
            break;
        }
        const int setupIndex = restoredSetupIndex(reply, line, file.fileName, result.SetupsRestored, codec);
        ++result.SetupsRestored;
        result.RestoredSetupNumbers.push_back(setupIndex + 1);
        result.RestoredLines.push_back(line.text);
        progress.SetStatus(QStringLiteral("%1 (%2)").arg(counter).arg(setupIndex + 1));
        progress.SetValue(counter);
        progress.Yield();
    }
    return result;
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
    QByteArray nextCommand;
    for (size_t n = 0; n < setupNumbers.size(); ++n) {
        const int setupNumber = setupNumbers[n];
        if (progress.CancelRequested()) {
            result.Cancelled = true;
            break;
        }
        progress.SetStatus(QStringLiteral("%1 / %2").arg(result.SetupsRead + 1).arg(count));
        // Each request is made one step early, while the instrument still
        // reads out the setup before it.
        const QByteArray command = n == 0 ? ReadSetupCommand(setupNumber, codec) : std::exchange(nextCommand, {});
        if (n + 1 < setupNumbers.size()) nextCommand = ReadSetupCommand(setupNumbers[n + 1], codec);
        // The instrument reads out the next setup while this one is checked
        // and taken: the next request goes out as soon as the reply in hand
        // has the right code, before the whole reply is checked.
        const auto sendNextAhead = [&] {
            if (!nextCommand.isEmpty()) exchange.SendAhead(nextCommand);
        };
        QByteArray reply;
        SetupLineShape shape;
        try {
            reply = exchange(command);
            if (reply.startsWith(Command::WriteSetupAsRead)) sendNextAhead();
            shape = CheckSetupLine(reply);
            // A reply that is not the setup asked for (a refusal, a garbled
            // or cut reply) is asked for once more: a passing fault may be
            // gone. The link first takes and drops the reply to a request
            // sent ahead, which is then sent again.
            if (!isSetupOf(shape, setupNumber)) {
                reply = exchange(command);
                shape = CheckSetupLine(reply);
                sendNextAhead();
            }
        } catch (const LinkInterrupted&) {
            // Cancelled while the reply was awaited: the setups read are kept.
            result.Cancelled = true;
            break;
        }
        take(setupNumber, reply, shape);
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
        setups << QStringLiteral("setup %1 (the reply \"%2\" %3)")
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
    const SetupReplyHandler archiveReply = [&](int setupNumber, const QByteArray& reply, const SetupLineShape& shape) {
        file.writeLine(reply);
        if (isSetupOf(shape, setupNumber)) return;
        result.NotSetups.push_back(
            {setupNumber, reply,
             shape.isSetup ? QStringLiteral("is for setup %1").arg(shape.setupIndex + 1) : shape.problem});
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
    const std::optional<RestoreFile> file = ReadRestoreFile(sFileName);
    if (!file) {
        RestoreResult result;
        result.NotAnArchive = true;
        return result;
    }
    return sendLines(exchange, *file, progress, codec);
}

RestoreResult Restore(const Exchange& exchange, const RestoreFile& file, ProgressSink& progress, FieldCodec& codec)
{
    startProgress(progress, RestoreCaption);
    return sendLines(exchange, file, progress, codec);
}

}  // namespace SetupArchive
