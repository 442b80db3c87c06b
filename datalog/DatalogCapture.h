#pragma once
// Datalog capture: every record of the instrument's datalog, one "S1" request
// each, written as one delimited line of 56 fields to a file.
//
// The file replaces an earlier one of the same name only when the capture
// ends: at the last record, or when the operator cancels (then it holds the
// records captured so far, the one under way included; or, when the wait for
// its reply was interrupted (LinkInterrupted), the records before it). A
// capture that fails part-way (a refused or garbled reply, a lost link, Cancel
// after a timeout) keeps the records read before the failure the same way:
// the operator keeps the data, and the earlier file of that name is replaced
// as asked. Then an AppError names the record and says how many of how many
// records were saved; after Cancel in the timeout report (ProgramEnd) a
// message says so before the program ends. When nothing was read, or the file
// itself fails (a full disk), nothing replaces an earlier file.

#include "Exchange.h"

#include <QLocale>
#include <QString>
#include <cstdint>

class DatalogLine;
class FieldCodec;
class ProgressSink;
class TextFileWriter;

namespace DatalogCapture {

inline const QString Caption = QStringLiteral("Capturing Datalog...");
// What the operator is told, instead of capturing, when the instrument holds
// no record.
inline const QString EmptyText = QStringLiteral("Datalog is empty");
inline constexpr int FieldsPerLine = 56;

struct Result {
    int32_t recordsWritten = 0;
    bool cancelled = false;
    QString delimiterWarning;  // DelimiterWarnings.h; empty when no field holds the delimiter
};

// Captures records 1..recordCount (a count of 0 or less writes an empty
// file). Progress: the caption, the bar from 0 to the count, "i / N" in the
// status before record i, the bar's value and Yield() after it; Cancel is
// heard before each record, so the record under way is always completed.
Result Run(const Exchange& exchange, int32_t recordCount, const QString& sFileName, const QString& delimiter,
           ProgressSink& progress, const QLocale& locale = QLocale::system());

// Puts the records written so far in place (none: nothing is replaced) and
// returns the sentence that tells the operator how many of how many records
// were saved, or why none was.
QString KeepRecordsRead(TextFileWriter& file, int32_t recordsRead, int32_t recordCount);

// The fields of one "S1" reply loaded in the codec, read from its first field
// on, added to the line in file order.
void ReadRecord(FieldCodec& codec, DatalogLine& line);

}  // namespace DatalogCapture
