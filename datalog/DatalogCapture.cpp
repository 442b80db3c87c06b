#include "DatalogCapture.h"

#include "AppError.h"
#include "CodeNames.h"
#include "DatalogLine.h"
#include "DelimiterWarnings.h"
#include "Environment.h"
#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "InstrumentOperations.h"
#include "LinkWait.h"
#include "ProgressSink.h"
#include "TextFiles.h"

#include <algorithm>
#include <utility>

namespace DatalogCapture {

namespace {
constexpr int SpectrumPoints = 31;
constexpr int ScaleValues = 6;  // two runs of three
constexpr int IndexValues = 2;

// The request for the record at a 0-based index.
QByteArray recordCommand(FieldCodec& codec, int32_t index)
{
    codec.BeginCommand(Command::DatalogRecord);
    codec.AppendWord(index);
    return codec.GetText();
}
}  // namespace

void ReadRecord(FieldCodec& codec, DatalogLine& line)
{
    line.addWhole(int64_t{codec.ReadWord()} + 1);  // log number, from 1
    line.addBytes(codec.ReadString());             // product name
    line.addBytes(codec.ReadString());             // sample identification
    line.addWhole(int64_t{codec.ReadInt()} + 1);   // product setup number, from 1
    line.addCodeName(CodeKind::StandardType, codec.ReadInt());
    line.addCodeName(CodeKind::ViewType, codec.ReadInt());
    line.addWhole(codec.ReadInt());  // sequence number
    line.addText(codec.ReadBool() ? "Std" : "Sam");
    line.addTimestamp(codec.ReadLong());
    line.addCodeName(CodeKind::IlluminantObserver, codec.ReadInt());
    codec.Skip(2);
    line.addCodeName(CodeKind::ColorScale, codec.ReadInt());
    line.addCodeName(CodeKind::ColorIndex, codec.ReadInt());
    codec.Skip(4);
    line.addText(codec.ReadBool() ? "height" : "distance");
    line.addText(codec.ReadBool() ? "mm" : "in.");
    line.addNumber(codec.ReadSingle(), 2);  // height or distance, in the unit above
    for (int i = 0; i < SpectrumPoints; ++i) line.addNumber(codec.ReadSingle(), 3);
    for (int i = 0; i < ScaleValues; ++i) line.addNumber(codec.ReadSingle(), 4);
    codec.Skip(48);
    for (int i = 0; i < IndexValues; ++i) line.addNumber(codec.ReadSingle(), 4);
    codec.Skip(16);
    line.addNumber(codec.ReadSingle(), 4);
    line.addNumber(codec.ReadSingle(), 3);
}

Result Run(const Exchange& exchange, int32_t recordCount, const QString& sFileName, const QString& delimiter,
           ProgressSink& progress, const QLocale& locale)
{
    progress.SetCaption(Caption);
    progress.SetValue(0);
    progress.SetMaximum(std::max(recordCount, 0));
    progress.ClearCancel();

    TextFileWriter file(sFileName);
    DatalogLine line(delimiter, locale);
    DelimiterWarnings warnings(delimiter, locale);
    FieldCodec& codec = TheFieldCodec();
    const QString ofCount = QStringLiteral(" / %1").arg(recordCount);

    Result result;
    QByteArray nextCommand;
    for (int32_t i = 1; i <= recordCount; ++i) {
        if (progress.CancelRequested()) {
            result.cancelled = true;
            break;
        }
        progress.SetStatus(QString::number(i) + ofCount);
        try {
            // Every request after the first was made when it was sent ahead.
            const QByteArray command = i == 1 ? recordCommand(codec, 0) : std::exchange(nextCommand, {});
            const QByteArray reply = exchange(command);
            // Only a reply of another kind can fail the check (and naming it
            // costs a text per record, so it is not built for good replies).
            if (!reply.startsWith(ReplyCode::DatalogRecord))
                InstrumentOperations::ExpectReply(reply, ReplyCode::DatalogRecord, command);
            // The instrument reads out the next record while this one is
            // decoded and written.
            if (i < recordCount) {
                nextCommand = recordCommand(codec, i);
                exchange.SendAhead(nextCommand);
            }
            codec.SetText(reply);
            line.begin();
            ReadRecord(codec, line);
            file.writeLine(line.text());
            warnings.Note(i, line);
        } catch (const AppError& error) {
            const QString saved = KeepRecordsRead(file, result.recordsWritten, recordCount);
            throw AppError(error.number(), QStringLiteral("Record %1 of %2: %3\n%4")
                                               .arg(i)
                                               .arg(recordCount)
                                               .arg(error.description(), saved));
        } catch (const ProgramEnd&) {
            // The operator chose to end the program after a timeout: the
            // records read are kept all the same, and the operator is told.
            const QString saved = KeepRecordsRead(file, result.recordsWritten, recordCount);
            Env().ShowMessage(QStringLiteral("Record %1 of %2 was not read.\n%3").arg(i).arg(recordCount).arg(saved),
                              MessageButtons::Ok, MessageIcon::Exclamation);
            throw;
        } catch (const LinkInterrupted&) {
            // Cancelled while the reply was awaited: the records read are kept.
            result.cancelled = true;
            break;
        }
        result.recordsWritten = i;
        progress.SetValue(i);
        progress.Yield();
    }
    file.commit();
    result.delimiterWarning = warnings.Text(sFileName);
    return result;
}

QString KeepRecordsRead(TextFileWriter& file, int32_t recordsRead, int32_t recordCount)
{
    const QString name = file.fileName();
    if (recordsRead <= 0)
        return QStringLiteral("None of the %1 records was saved; an earlier file %2 is unchanged.").arg(recordCount).arg(name);
    try {
        file.commit();
    } catch (const AppError& error) {
        return QStringLiteral("None of the %1 records was saved (%2); an earlier file %3 is unchanged.")
            .arg(recordCount)
            .arg(error.description(), name);
    }
    return QStringLiteral("%1 of %2 records were saved in %3.").arg(recordsRead).arg(recordCount).arg(name);
}

}  // namespace DatalogCapture
