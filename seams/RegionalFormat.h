#pragma once
// Dates and times in the operator's regional settings, shared by the windows
// and the datalog files. The default locale is QLocale(): the system's unless
// the program (or a test) has set another default.
//
// Decided for every locale alike, in windows and files:
// - Digits are always the ASCII digits 0-9, whatever digits the locale's
//   own numbering system has.
// - Years have four digits: a short date format's "yy" becomes "yyyy", so
//   that 2030 never reads back as 1930 and 1901 and 2001 differ.
// - The long time carries no time-zone field: the field, brackets around it
//   and the blank that separates it are left out.

#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QTime>

namespace RegionalFormat {

// The general date-time form: the short date, then, unless the time of day is
// exactly midnight, a blank and the long time. Only the wall-clock date and
// time of the value are used.
QString GeneralDateTime(const QDateTime& value, const QLocale& locale = QLocale());

// The short date and the long time as the general form writes them.
QString ShortDate(const QDate& date, const QLocale& locale = QLocale());
QString LongTime(const QTime& time, const QLocale& locale = QLocale());

// The locale's short date format with four-digit years.
QString ShortDateFormat(const QLocale& locale = QLocale());
// The locale's long time format without its time-zone field.
QString LongTimeFormat(const QLocale& locale = QLocale());

// The text with every decimal digit of any script replaced by its ASCII
// digit.
QString AsciiDigits(const QString& text);

}  // namespace RegionalFormat
