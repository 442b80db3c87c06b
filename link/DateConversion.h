#pragma once
// The instrument counts whole seconds since 1970-01-01 00:00:00 in the
// computer's local time (no time-zone or daylight-saving adjustment). The
// program's date-time values count days since 1899-12-30 00:00:00 with the time
// of day as the fraction; 1970-01-01 is day 25569.

#include <QDateTime>
#include <cstdint>

inline constexpr double UnixEpochDay = 25569.0;
inline constexpr double SecondsPerDay = 86400.0;

// (d - 25569) x 86400, rounded half to even; outside 32 bits is an overflow.
int32_t DateToSeconds(double dateValue);
// s / 86400 + 25569.
double SecondsToDate(int32_t seconds);

// A local date and time as a date-time value, and back (to the millisecond).
// The QDateTime values made here carry the wall-clock date and time in a UTC
// time zone setting, so that no daylight-saving gap or overlap can shift them: only
// their date() and time() are meant to be read.
double DateValueFromDateTime(const QDateTime& local);
QDateTime DateTimeFromDateValue(double dateValue);

// The instrument's seconds as a local date and time, exactly (no rounding
// through floating point). Wider than the instrument's clock, for the times
// a datalog file may hold beyond its range.
QDateTime DateTimeFromSeconds(int64_t seconds);
