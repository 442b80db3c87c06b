#pragma once
// Reads the three datalog files into records:
//  - capture files (56 fields a line, no header), as datalog capture writes
//    them;
//  - stored datalog files (the instrument's encoded records), decoded by the
//    conversion's own record reader;
//  - converted files (a header line, then 51 fields a line).
// Which one a file is, its first line tells: the conversion's header, an
// encoded line ("#" or "L" and hex digits), or else a capture line.
//
// Numbers are read in whatever regional form they were written in
// (RegionalNumbers.h); where the delimiter is also the group separator or
// the decimal symbol of the numbers, the pieces of a split number are joined
// again, since every number of a line has decimals and a piece without a
// decimal symbol cannot be a number of its own. Dates and times are read in
// the locale given (the one that wrote them: the operator's).
//
// Names holding the delimiter. Nothing in a line is quoted, so a product name
// or identification holding the delimiter gives the line more fields than its
// layout. The fixed fields are anchored at both ends (the log number first,
// the setup number and everything after it counted back from the line's end),
// so the extra fields always lie between the log number and the setup number,
// and only the boundary between name and identification is in doubt. Rule:
//  1. When a line of the same setup number has the exact field count, its
//     product name is taken where it fits the fields (a setup's lines carry
//     its one name).
//  2. Otherwise the product name is the longest run of leading fields that
//     all such lines of that setup number share, leaving each at least one
//     field for the identification; when they share none (or the line is
//     the only one), every field but the last.
// A record placed by step 2 is marked ambiguous (DatalogRecord::ambiguous).
//
// A line that cannot be read is listed with its number and the reason
// (DatalogDocument::unreadable); the lines around it are read as usual.

#include "DatalogRecord.h"

#include <QByteArray>
#include <QLocale>
#include <QString>

namespace DatalogFileReader {

// Raises AppError (file access) when the file cannot be opened or read.
DatalogDocument Read(const QString& fileName, const QString& delimiter, const QLocale& locale = QLocale());

DatalogFormat DetectFormat(const QByteArray& firstLine, const QByteArray& delimiter);

}  // namespace DatalogFileReader
