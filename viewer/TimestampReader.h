#pragma once
// Reads the measurement time of a datalog line back: the general date-time
// form of the locale that wrote it (the short date, then a blank and the long
// time unless it was midnight). Records come in time order, so the date texts
// are remembered; the time of day is read by a quick scan of its numbers and
// the locale's AM/PM words, with the locale's own reader behind it for forms
// the scan does not know.
//
// The program writes four-digit years, read as written: the instrument's
// clock (signed 32-bit seconds from 1970) runs from December 1901 to January
// 2038. Files with the locale's two-digit years are read in 1970..2069, the
// years an instrument set to the right date holds.

#include <QLocale>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

class TimestampReader {
public:
    explicit TimestampReader(const QLocale& locale);

    // Seconds since 1970-01-01 00:00:00 of the same wall clock; false when
    // the text is no date-time of the locale.
    bool read(std::string_view text, int64_t& seconds);

    // The form expected, for messages ("M/d/yyyy h:mm:ss AP").
    QString expectedForm() const { return dateFormat_ + QLatin1Char(' ') + timeFormat_; }

private:
    bool readDay(std::string_view text, int64_t& day);
    bool readTimeOfDay(std::string_view text, int64_t& second);

    QLocale locale_;
    QString dateFormat_;
    QString timeFormat_;
    int dateBlanks_ = 0;  // blanks inside the locale's short date
    std::string am_, pm_;  // lower case, 8-bit
    std::string lastDate_;
    int64_t lastDay_ = 0;
    std::unordered_map<std::string, int64_t> days_;
};
