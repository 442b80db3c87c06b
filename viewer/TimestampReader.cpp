#include "TimestampReader.h"

#include "RegionalFormat.h"
#include "TextFiles.h"

#include <QDate>
#include <QTime>
#include <cctype>

namespace {
const QDate Epoch(1970, 1, 1);
constexpr int64_t SecondsPerDay = 86400;
constexpr int FirstTwoDigitYear = 1970;  // two-digit years read in 1970..2069

std::string lowerEightBit(const QString& text)
{
    std::string result = ToEightBit(text.toLower()).toStdString();
    return result;
}
const QLocale EnglishUs(QLocale::English, QLocale::UnitedStates);

}  // namespace

TimestampReader::TimestampReader(const QLocale& locale)
    : locale_(locale),
      dateFormat_(RegionalFormat::ShortDateFormat(locale)),
      timeFormat_(RegionalFormat::LongTimeFormat(locale)),
      am_(lowerEightBit(locale.amText())),
      pm_(lowerEightBit(locale.pmText()))
{
    const QByteArray sample = ToEightBit(RegionalFormat::ShortDate(QDate(2026, 12, 25), locale));
    dateBlanks_ = static_cast<int>(sample.count(' '));
}

bool TimestampReader::read(std::string_view text, int64_t& seconds)
{
    // The date ends at the blank after its own blanks.
    std::size_t split = std::string_view::npos;
    std::size_t from = 0;
    for (int blank = 0; blank <= dateBlanks_; ++blank) {
        split = text.find(' ', from);
        if (split == std::string_view::npos) break;
        from = split + 1;
    }
    const std::string_view datePart = split == std::string_view::npos ? text : text.substr(0, split);
    int64_t day = 0;
    if (!readDay(datePart, day)) return false;
    int64_t second = 0;
    if (split != std::string_view::npos && !readTimeOfDay(text.substr(split + 1), second)) return false;
    seconds = day * SecondsPerDay + second;
    return true;
}

bool TimestampReader::readDay(std::string_view text, int64_t& day)
{
    if (!lastDate_.empty() && text == lastDate_) {
        day = lastDay_;
        return true;
    }
    const std::string key(text);
    auto found = days_.find(key);
    if (found == days_.end()) {
        const QString written = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
        // The four-digit form the program writes; then the locale's own
        // short date (files of earlier versions, two-digit years), the
        // en_US form written where 8-bit text cannot hold the locale's, and
        // ISO dates.
        QDate date = locale_.toDate(written, dateFormat_);
        if (!date.isValid()) {
            const QString shortFormat = locale_.dateFormat(QLocale::ShortFormat);
            date = locale_.toDate(written, shortFormat);
            // Qt reads a two-digit year in 1900..1999.
            if (date.isValid() && !shortFormat.contains(QLatin1String("yyyy")) && date.year() < FirstTwoDigitYear)
                date = date.addYears(100);
        }
        if (!date.isValid()) date = EnglishUs.toDate(written, RegionalFormat::ShortDateFormat(EnglishUs));
        if (!date.isValid()) date = QDate::fromString(written, Qt::ISODate);
        if (!date.isValid()) return false;
        found = days_.emplace(key, Epoch.daysTo(date)).first;
    }
    lastDate_ = key;
    lastDay_ = found->second;
    day = lastDay_;
    return true;
}

bool TimestampReader::readTimeOfDay(std::string_view text, int64_t& second)
{
    // The quick scan: up to three numbers (hours, minutes, seconds) and an
    // AM/PM word of the locale anywhere around them.
    int numbers[3]{};
    int count = 0;
    std::string word;
    bool inNumber = false;
    bool unexpected = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (!inNumber) {
                if (count == 3) {
                    unexpected = true;
                    break;
                }
                ++count;
                inNumber = true;
            }
            numbers[count - 1] = numbers[count - 1] * 10 + (c - '0');
            if (numbers[count - 1] > 99) unexpected = true;
        } else {
            inNumber = false;
            // Letters of the AM/PM words (Latin-1 letters included); a blank,
            // no-break or not, separates.
            const auto byte = static_cast<unsigned char>(c);
            if (std::isalpha(byte) || (byte >= 0xC0 && byte != 0xD7 && byte != 0xF7))
                word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
    }
    int hour = numbers[0];
    bool ok = !unexpected && count >= 2;
    if (ok && !word.empty()) {
        const bool am = word == am_ || word == "am";
        const bool pm = word == pm_ || word == "pm";
        if (!am && !pm) ok = false;
        else if (hour < 1 || hour > 12) ok = false;
        else hour = (hour % 12) + (pm ? 12 : 0);
    }
    if (ok && hour < 24 && numbers[1] < 60 && numbers[2] < 60) {
        second = int64_t{hour} * 3600 + numbers[1] * 60 + numbers[2];
        return true;
    }
    const QTime time =
        locale_.toTime(QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())), timeFormat_);
    if (!time.isValid()) return false;
    second = time.msecsSinceStartOfDay() / 1000;
    return true;
}
