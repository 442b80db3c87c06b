#include "SetupArchive.h"

#include "AppError.h"
#include "InstrumentCommands.h"
#include "SetupRecord.h"
#include "TextFiles.h"

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
                                QString::fromLatin1(reply.mid(1, 8)), restoredSoFar(restoredBefore, line, false)));
    }
    codec.SetText(reply);
    try {
        return codec.ReadWord();
    } catch (const AppError& error) {
        throw AppError(error.number(),
                       QStringLiteral("The instrument's answer to line %1 of the file %2 (setup %3) is damaged (%4): "
                                      "\"%5\". %6")
                           .arg(QString::number(line.lineNumber), fileName, QString::number(line.setupNumber),
                                error.description(), QString::fromLatin1(reply.left(24)),
                                restoredSoFar(restoredBefore, line, true)));
    }
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
        const QByteArray reply = send(exchange, command, line, file.fileName, result.SetupsRestored);
        const int setupIndex = restoredSetupIndex(reply, line, file.fileName, result.SetupsRestored, codec);
        ++result.SetupsRestored;
        result.RestoredSetupNumbers.push_back(setupIndex + 1);
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
        const QByteArray reply = exchange(command);
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
