#pragma once
// Datalog capture: every record of the instrument's datalog, one "S1" request
// each, written as one delimited line of 56 fields to a file.
//
// The file replaces an earlier one of the same name only when the capture
// ends: at the last record, or when the operator cancels (then it holds the
// records captured so far, the one under way included; or, when the wait for
// its reply was interrupted (LinkInterrupted), the records before it). An error part-way
// (a refused or garbled reply, a lost link, a full disk) leaves any earlier
// file untouched and raises an AppError that names the record.

#include "Exchange.h"

#include <QLocale>
#include <QString>
#include <cstdint>

class DatalogLine;
class FieldCodec;
class ProgressSink;

namespace DatalogCapture {

inline const QString Caption = QStringLiteral("Capturing Datalog...");
inline constexpr int FieldsPerLine = 56;

struct Result {
    int32_t recordsWritten = 0;
    bool cancelled = false;
};

// Captures records 1..recordCount (a count of 0 or less writes an empty
// file). Progress: the caption, the bar from 0 to the count, "i / N" in the
// status before record i, the bar's value and Yield() after it; Cancel is
// heard before each record, so the record under way is always completed.
Result Run(const Exchange& exchange, int32_t recordCount, const QString& sFileName, const QString& delimiter,
           ProgressSink& progress, const QLocale& locale = QLocale::system());

// The fields of one "S1" reply loaded in the codec, read from its first field
// on, added to the line in file order.
void ReadRecord(FieldCodec& codec, DatalogLine& line);

}  // namespace DatalogCapture
