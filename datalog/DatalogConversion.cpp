#include "DatalogConversion.h"

#include "AppError.h"
#include "CodeNames.h"
#include "DatalogLine.h"
#include "DelimiterWarnings.h"
#include "FieldCodec.h"
#include "ProgressSink.h"
#include "ReplyText.h"
#include "TextFiles.h"

#include <array>

namespace DatalogConversion {

namespace {
constexpr int SpectrumPoints = 31;
constexpr int ScaleValues = 6;  // two runs of three
constexpr int IndexValues = 2;
constexpr int Decimals = 4;
// The code of the lines that hold no record.
const QByteArray CommentCode = QByteArrayLiteral("#");
}  // namespace

QString ConvertedRecords(int64_t records)
{
    return records == 1 ? QStringLiteral("1 record converted") : QStringLiteral("%1 records converted").arg(records);
}

QByteArray HeaderLine(const QByteArray& delimiter)
{
    // The heading of a run of columns stands over its first column only.
    constexpr std::array<const char*, 13> named{"log",       "product", "ID",     "setup",  "stdtype",
                                                "viewtype",  "seq",     "type",   "timestamp",
                                                "illobs",    "scale",   "index",  "spectrum"};
    QByteArray header;
    int fields = 0;
    auto add = [&](const char* text) {
        if (fields++ > 0) header += delimiter;
        header += text;
    };
    for (const char* name : named) add(name);
    for (int i = 1; i < SpectrumPoints; ++i) add("");
    add("scaledata");
    for (int i = 1; i < ScaleValues; ++i) add("");
    add("indexdata");
    for (int i = 1; i < IndexValues; ++i) add("");
    return header;
}

void ReadRecord(FieldCodec& codec, DatalogLine& line)
{
    line.addWhole(int64_t{codec.ReadWord()} + 1);  // log number, from 1
    line.addBytes(codec.ReadString());             // product name
    line.addBytes(codec.ReadString());             // sample identification
    line.addWhole(int64_t{codec.ReadInt()} + 1);   // product setup number, from 1
    line.addCodeName(CodeKind::StandardType, codec.ReadInt());
    line.addCodeName(CodeKind::ViewType, codec.ReadInt());
    const int16_t sequenceA = codec.ReadInt();
    const int16_t sequenceB = codec.ReadInt();
    line.addWholePair(sequenceA, "::", sequenceB);
    line.addText(codec.ReadBool() ? "Std" : "Sam");
    line.addTimestamp(codec.ReadLong());
    line.addCodeName(CodeKind::IlluminantObserver, codec.ReadInt());
    codec.Skip(2);
    line.addCodeName(CodeKind::ColorScale, codec.ReadInt());
    line.addCodeName(CodeKind::ColorIndex, codec.ReadInt());
    codec.Skip(4);
    for (int i = 0; i < SpectrumPoints; ++i) line.addNumber(codec.ReadSingle(), Decimals);
    for (int i = 0; i < ScaleValues; ++i) line.addNumber(codec.ReadSingle(), Decimals);
    codec.Skip(48);
    for (int i = 0; i < IndexValues; ++i) line.addNumber(codec.ReadSingle(), Decimals);
}

bool DecodeLine(const QByteArray& text, FieldCodec& codec, DatalogLine& line)
{
    codec.SetText(text);
    if (codec.GetCommand() == CommentCode) return false;
    if (text.isEmpty())
        throw AppError(ErrorNumber::MalformedText, QStringLiteral("the line is empty, not a datalog record"));
    codec.ResetPosition();
    line.begin();
    ReadRecord(codec, line);
    // The record ends with its last field: anything after it means the line
    // is not the record it looks like.
    if (!codec.Unread().isEmpty())
        throw AppError(ErrorNumber::MalformedText, QStringLiteral("text after the last field of the record: \"%1\"")
                                                       .arg(QuotedText(codec.Unread())));
    return true;
}

Result Run(const QString& sSource, const QString& sFileName, const QString& delimiter, ProgressSink& progress,
           const QLocale& locale)
{
    progress.SetCaption(Caption);
    progress.ClearCancel();

    // Stored files may come from any system: CR, LF and CR LF all end a line.
    TextFileReader source(sSource, LineEnds::CrLfOrEither);
    TextFileWriter target(sFileName);
    DatalogLine line(delimiter, locale);
    DelimiterWarnings warnings(delimiter, locale);
    FieldCodec& codec = TheFieldCodec();

    target.writeLine(HeaderLine(ToEightBit(delimiter)));
    Result result;
    while (!source.atEnd()) {
        if (progress.CancelRequested()) {
            result.cancelled = true;
            return result;  // the writer goes without commit: no target
        }
        const int64_t lineNumber = result.linesRead + 1;
        progress.SetStatus(QString::number(lineNumber));
        const QByteArray record = source.readLine();
        result.linesRead = lineNumber;
        bool isRecord = false;
        try {
            isRecord = DecodeLine(record, codec, line);
        } catch (const AppError& error) {
            throw AppError(error.number(), QStringLiteral("Line %1 of %2: %3")
                                               .arg(lineNumber)
                                               .arg(sSource, error.description()));
        }
        if (!isRecord) {
            ++result.linesSkipped;
        } else {
            target.writeLine(line.text());
            ++result.recordsWritten;
            warnings.Note(result.recordsWritten, line);
        }
        progress.Yield();
    }
    target.commit();
    result.delimiterWarning = warnings.Text(sFileName);
    return result;
}

}  // namespace DatalogConversion
