#include "RecordFilter.h"

namespace {
const QDate Epoch(1970, 1, 1);
constexpr int64_t SecondsPerDay = 86400;

int64_t dayOf(int64_t seconds) { return seconds >= 0 ? seconds / SecondsPerDay : (seconds - SecondsPerDay + 1) / SecondsPerDay; }
}  // namespace

QDate RecordDate(const DatalogRecord& record) { return Epoch.addDays(dayOf(record.time)); }

QDateTime RecordDateTime(const DatalogRecord& record)
{
    const int64_t day = dayOf(record.time);
    return QDateTime(Epoch.addDays(day), QTime::fromMSecsSinceStartOfDay(int((record.time - day * SecondsPerDay) * 1000)),
                     Qt::UTC);
}

bool RecordFilter::accepts(const DatalogRecord& record) const
{
    if (product && record.product != *product) return false;
    if (setup != 0 && record.setup != setup) return false;
    if (kind == Kind::Standards && !record.standard) return false;
    if (kind == Kind::Samples && record.standard) return false;
    if (from.isValid() || to.isValid()) {
        const int64_t day = dayOf(record.time);
        if (from.isValid() && day < Epoch.daysTo(from)) return false;
        if (to.isValid() && day > Epoch.daysTo(to)) return false;
    }
    return true;
}
