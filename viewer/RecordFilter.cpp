#include "RecordFilter.h"

#include "DateConversion.h"

namespace {
// The first second of the day, counted as the records' times are (seconds
// since 1970-01-01 00:00 of the instrument's clock). Plain arithmetic: the
// filter looks at every record.
int64_t startOf(const QDate& day)
{
    constexpr int64_t JulianDayOf1970 = 2440588;
    return (day.toJulianDay() - JulianDayOf1970) * 86400;
}
}  // namespace

QDate RecordDate(const DatalogRecord& record) { return RecordDateTime(record).date(); }

QDateTime RecordDateTime(const DatalogRecord& record) { return DateTimeFromSeconds(record.time); }

bool RecordFilter::accepts(const DatalogRecord& record) const
{
    if (product && record.product != *product) return false;
    if (setup != 0 && record.setup != setup) return false;
    if (kind == Kind::Standards && !record.standard) return false;
    if (kind == Kind::Samples && record.standard) return false;
    if (from.isValid() && record.time < startOf(from)) return false;
    if (to.isValid() && record.time >= startOf(to.addDays(1))) return false;
    return true;
}
