#pragma once
// The one warning at the end of a datalog capture or conversion whose file
// holds the delimiter inside a field. The file is written exactly as the
// rules say (nothing quoted or escaped), so such a field reads as more than
// one column and the columns after it shift; the operator is told once,
// after the file is complete:
//  - the records whose product name, sample ID or other field holds the
//    delimiter, the first few by number ("record 2: the product name holds
//    the delimiter ','") and how many in all;
//  - numbers or dates written with a regional symbol that is the delimiter
//    (the decimal symbol or the digit grouping of the locale, a date or time
//    separator), which shift every record;
// and a delimiter that would not clash, Tab or ';', to choose in Preferences.
//
// Records are numbered as the operator counts them: the record of the
// capture (the file's line), the record of the conversion's file (its line
// after the header).

#include "DatalogLine.h"

#include <QLocale>
#include <QString>
#include <cstdint>
#include <vector>

class DelimiterWarnings {
public:
    // How many records are named one by one.
    static constexpr int RecordsNamed = 5;

    DelimiterWarnings(const QString& delimiter, const QLocale& locale);

    // After each record's line is built.
    void Note(int64_t recordNumber, const DatalogLine& line);

    // The warning for the file written, or an empty text when no field held
    // the delimiter.
    QString Text(const QString& fileName) const;

private:
    struct RecordNote {
        int64_t record = 0;
        std::vector<int> fields;
    };

    QString delimiterShown() const;
    QString symbolClash() const;

    QString delimiter_;
    QLocale locale_;
    std::vector<RecordNote> named_;  // the first RecordsNamed records
    int64_t records_ = 0;            // records with a field of their own that holds it
    bool numbers_ = false;           // a number held it
    bool timestamps_ = false;        // a date or time held it
};
