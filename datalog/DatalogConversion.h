#pragma once
// Datalog conversion: a stored datalog file (one encoded record a line, in
// the instrument's field format, with "#" lines that carry no record) to a
// delimited text file with a header line and 51 fields a record. No
// instrument is needed.
//
// CR, LF and CR LF all end a source line. A record line must be consumed
// exactly: every field read, every skipped stretch upper-case hex, nothing
// after the last field.
//
// The target file replaces an earlier one only when the whole source has been
// converted. A line that cannot be decoded (an empty line, text after the
// last field included), an unreadable source or an unwritable target raises
// an AppError (the line's number and the reason for a bad line) and leaves
// any earlier target as it was. The Cancel button stops a conversion the same way: a cancelled
// conversion leaves no target file, and an earlier file of that name intact,
// because half a conversion looks complete to whoever opens it later and the
// source is still there to convert again.

#include <QLocale>
#include <QString>
#include <cstdint>

class DatalogLine;
class FieldCodec;
class ProgressSink;

namespace DatalogConversion {

inline const QString Caption = QStringLiteral("Converting Datalog...");
inline const QString CompletedMessage = QStringLiteral("Conversion completed");
// "N records converted": the progress window's status at the end, and the
// command line's report.
QString ConvertedRecords(int64_t records);
inline constexpr int FieldsPerLine = 51;

struct Result {
    int64_t linesRead = 0;       // every source line, "#" lines included
    int64_t recordsWritten = 0;  // data lines of the target
    int64_t linesSkipped = 0;    // "#" lines
    bool cancelled = false;      // then no target was written
    QString delimiterWarning;    // DelimiterWarnings.h; empty when no field holds the delimiter
};

// Progress: the caption; before each source line the line's number as the
// status (counted in 64 bits, so no source is too long); Yield() after it;
// Cancel heard before each line. The progress bar is not used.
Result Run(const QString& sSource, const QString& sFileName, const QString& delimiter, ProgressSink& progress,
           const QLocale& locale = QLocale::system());

// The header line: "log", "product", ..., "spectrum", 30 empty fields,
// "scaledata", 5 empty, "indexdata", 1 empty; it ends with a delimiter.
QByteArray HeaderLine(const QByteArray& delimiter);

// The fields of one stored record loaded in the codec, read from its first
// field on, added to the line in file order.
void ReadRecord(FieldCodec& codec, DatalogLine& line);

// One line of a stored datalog file, decoded into the line (begun anew) as
// Run writes it: false for a "#" line, which holds no record. Raises AppError
// for an empty line, a field that cannot be read, or text after the last
// field. The viewer decodes with this too, so both read the same records.
bool DecodeLine(const QByteArray& text, FieldCodec& codec, DatalogLine& line);

}  // namespace DatalogConversion
