#include "DatalogLine.h"

#include "CodeNames.h"
#include "DateConversion.h"
#include "RegionalFormat.h"
#include "TextFiles.h"

#include <algorithm>
#include <charconv>
#include <cstring>

TimestampFormat::TimestampFormat(const QLocale& locale)
    : locale_(locale),
      fallback_(QLocale::English, QLocale::UnitedStates),
      shortDateFormat_(RegionalFormat::ShortDateFormat(locale)),
      longTimeFormat_(RegionalFormat::LongTimeFormat(locale)),
      fallbackDateFormat_(RegionalFormat::ShortDateFormat(fallback_)),
      fallbackTimeFormat_(RegionalFormat::LongTimeFormat(fallback_))
{
}

void TimestampFormat::appendEightBit(QByteArray& out, int32_t seconds)
{
    // The texts of RegionalFormat::ShortDate and LongTime, each made once per
    // distinct day or time of day instead of once per record. Each falls
    // back to its en_US form when the file's 8-bit text cannot hold it.
    const QDateTime value = DateTimeFromSeconds(seconds);
    const int64_t day = value.date().toJulianDay();
    if (day != cachedDay_) {
        const QString date = RegionalFormat::AsciiDigits(locale_.toString(value.date(), shortDateFormat_));
        cachedDate_ = ToEightBit(FitsEightBit(date) ? date : fallback_.toString(value.date(), fallbackDateFormat_));
        cachedDay_ = day;
    }
    out += cachedDate_;
    const QTime time = value.time();
    if (time == QTime(0, 0)) return;  // midnight: the date alone
    const int32_t secondOfDay = time.msecsSinceStartOfDay() / 1000;
    if (secondOfDay != cachedSecondOfDay_) {
        const QString text = RegionalFormat::AsciiDigits(locale_.toString(time, longTimeFormat_));
        cachedTime_ = ToEightBit(FitsEightBit(text) ? text : fallback_.toString(time, fallbackTimeFormat_));
        cachedSecondOfDay_ = secondOfDay;
    }
    out += ' ';
    out += cachedTime_;
}

DatalogLine::DatalogLine(const QString& delimiter, const QLocale& locale)
    : delimiter_(ToEightBit(delimiter)), numbers_(locale), timestamps_(locale), storage_(8192)
{
}

void DatalogLine::begin()
{
    used_ = 0;
    fields_ = 0;
    holdingDelimiter_.clear();
}

void DatalogLine::checkField(std::size_t start, FieldKind kind)
{
    if (delimiter_.isEmpty() || used_ == start) return;
    const char* begin = storage_.data() + start;
    const char* end = storage_.data() + used_;
    const bool holds = delimiter_.size() == 1
                           ? std::memchr(begin, delimiter_[0], used_ - start) != nullptr
                           : std::search(begin, end, delimiter_.cbegin(), delimiter_.cend()) != end;
    if (holds) holdingDelimiter_.push_back({fields_, kind});
}

char* DatalogLine::room(std::size_t bytes)
{
    if (storage_.size() - used_ < bytes) storage_.resize(std::max(2 * storage_.size(), used_ + bytes));
    return storage_.data() + used_;
}

void DatalogLine::append(const char* bytes, std::size_t count)
{
    // An empty piece (a code without a name) may come without storage, and
    // memcpy takes no null pointer even for no bytes.
    if (count == 0) return;
    std::memcpy(room(count), bytes, count);
    used_ += count;
}

void DatalogLine::separate()
{
    if (fields_++ > 0) append(delimiter_.constData(), static_cast<std::size_t>(delimiter_.size()));
}

void DatalogLine::appendWhole(int64_t value)
{
    constexpr std::size_t Digits = 24;
    char* at = room(Digits);
    used_ += static_cast<std::size_t>(std::to_chars(at, at + Digits, value).ptr - at);
}

void DatalogLine::addWhole(int64_t value)
{
    separate();
    const std::size_t start = used_;
    appendWhole(value);
    checkField(start, FieldKind::Whole);
}

void DatalogLine::addWholePair(int64_t first, std::string_view joiner, int64_t second)
{
    separate();
    const std::size_t start = used_;
    appendWhole(first);
    append(joiner.data(), joiner.size());
    appendWhole(second);
    checkField(start, FieldKind::Whole);
}

void DatalogLine::addBytes(const QByteArray& bytes)
{
    separate();
    const std::size_t start = used_;
    append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    checkField(start, FieldKind::Bytes);
}

void DatalogLine::addText(std::string_view ascii)
{
    separate();
    const std::size_t start = used_;
    append(ascii.data(), ascii.size());
    checkField(start, FieldKind::Text);
}

void DatalogLine::addCodeName(int32_t kind, int16_t code) { addText(CodeNameText(kind, code)); }

void DatalogLine::addNumber(double value, int decimals)
{
    separate();
    const std::size_t start = used_;
    used_ += static_cast<std::size_t>(numbers_.writeEightBit(room(LocaleNumberFormat::EightBitRoom), value, decimals));
    checkField(start, FieldKind::Number);
}

void DatalogLine::addTimestamp(int32_t seconds)
{
    separate();
    const std::size_t start = used_;
    timestampText_.resize(0);
    timestamps_.appendEightBit(timestampText_, seconds);
    append(timestampText_.constData(), static_cast<std::size_t>(timestampText_.size()));
    checkField(start, FieldKind::Timestamp);
}
