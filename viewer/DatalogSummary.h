#pragma once
// The summary of a datalog per product and setup: how many records and
// samples, and the mean, standard deviation (n - 1), minimum and maximum of
// the first index value over the group's records (standards and samples).
// Where a group's records are in a CIELAB scale, also the CIEDE2000 of each
// sample against its standard (mean and maximum over the samples).
//
// As text: an aligned table, or CSV (RFC 4180: fields holding a comma, a
// double quote or a line end are quoted, quotes doubled; lines end in CR LF)
// with the header product,setup,records,samples,mean,sd,min,max. Numbers are
// in plain C-locale form with 4 decimals; a standard deviation of a group of
// one record is empty in CSV and "-" in the table.

#include "DatalogRecord.h"
#include "RecordFilter.h"
#include "Statistics.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct GroupSummary {
    QString product;
    int32_t setup = 0;
    int64_t records = 0;
    int64_t samples = 0;
    Description index;      // of the first index value
    Description deltaE2000; // over the samples; count 0 when the scale has none
};

namespace DatalogSummary {

// Groups in order of product name, then setup number.
std::vector<GroupSummary> Summarize(const std::vector<DatalogRecord>& records, const RecordFilter& filter = {});

// The cells every summary shows of a group, in column order: product, setup,
// records, samples, then the index's mean, sd, min and max written by
// `number` (the regional form in the window, the plain one in files).
QStringList Cells(const GroupSummary& group, const std::function<QString(double)>& number);

QString AlignedText(const std::vector<GroupSummary>& groups);
QString Csv(const std::vector<GroupSummary>& groups);

// One CSV field, quoted when RFC 4180 asks for it.
QString CsvField(const QString& text);
// "12.3450"; no "-0.0000"; empty for NaN.
QString PlainNumber(double value, int decimals = 4);

}  // namespace DatalogSummary
