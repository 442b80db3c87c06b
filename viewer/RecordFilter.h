#pragma once
// Which records the viewer shows: by product, setup number, standard or
// sample, and a range of measurement dates (both ends included).

#include "DatalogRecord.h"

#include <QDate>
#include <QString>
#include <optional>

struct RecordFilter {
    enum class Kind { All, Standards, Samples };

    std::optional<QString> product;  // unset: every product; empty: the records without a name
    int32_t setup = 0;  // 0: every setup
    Kind kind = Kind::All;
    QDate from;  // invalid: open
    QDate to;

    bool accepts(const DatalogRecord& record) const;
    bool operator==(const RecordFilter&) const = default;
};

// The wall-clock time of a record as a date and time (no time zone).
QDateTime RecordDateTime(const DatalogRecord& record);
QDate RecordDate(const DatalogRecord& record);
