#include "DateConversion.h"

#include "AppError.h"

#include <cmath>
#include <limits>

namespace {
const QDate kDayZero(1899, 12, 30);
}

int32_t DateToSeconds(double dateValue)
{
    const double seconds = std::nearbyint((dateValue - UnixEpochDay) * SecondsPerDay);  // default mode: half to even
    if (!(seconds >= std::numeric_limits<int32_t>::min() && seconds <= std::numeric_limits<int32_t>::max()))
        throw AppError::overflow(QStringLiteral("the date lies outside the instrument's clock range (1901 to 2038)"));
    return static_cast<int32_t>(seconds);
}

double SecondsToDate(int32_t seconds) { return seconds / SecondsPerDay + UnixEpochDay; }

double DateValueFromDateTime(const QDateTime& local)
{
    const qint64 days = kDayZero.daysTo(local.date());
    return static_cast<double>(days) + local.time().msecsSinceStartOfDay() / (SecondsPerDay * 1000.0);
}

QDateTime DateTimeFromDateValue(double dateValue)
{
    const double day = std::floor(dateValue);
    const auto msecs = static_cast<qint64>(std::llround((dateValue - day) * SecondsPerDay * 1000.0));
    return QDateTime(kDayZero.addDays(static_cast<qint64>(day)), QTime(0, 0), Qt::UTC).addMSecs(msecs);
}

QDateTime DateTimeFromSeconds(int64_t seconds)
{
    const qint64 s = seconds;
    const qint64 day = (s >= 0 ? s : s - 86399) / 86400;  // floor division
    const qint64 secondOfDay = s - day * 86400;
    return QDateTime(QDate(1970, 1, 1).addDays(day), QTime(0, 0).addSecs(static_cast<int>(secondOfDay)), Qt::UTC);
}
