#pragma once
// Dates and times in the operator's regional settings, shared by the windows
// and the datalog files. The default locale is QLocale(): the system's unless
// the program (or a test) has set another default.

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace RegionalFormat {

// The general date-time form: the short date, then, unless the time of day is
// exactly midnight, a blank and the long time. Only the wall-clock date and
// time of the value are used; the time-zone field that Qt's long time formats
// carry is left out, as a regional long time has none.
QString GeneralDateTime(const QDateTime& value, const QLocale& locale = QLocale());

// The locale's long time format without its time-zone field.
QString LongTimeFormat(const QLocale& locale = QLocale());

}  // namespace RegionalFormat
