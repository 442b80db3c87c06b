#pragma once
// Builds one line of a datalog file as 8-bit bytes: fields joined by the data
// delimiter, no delimiter before the first or after the last, nothing quoted
// or escaped. Capture and conversion write hundreds of thousands of these, so
// a line is built in one reused buffer and nothing is formatted through a
// QString that need not be: numbers go through LocaleNumberFormat, names come
// from the tables as bytes, and the date texts of the locale are cached.

#include "LocaleNumberFormat.h"

#include <QByteArray>
#include <QLocale>
#include <QString>
#include <climits>
#include <cstdint>
#include <string_view>
#include <vector>

// The measurement time in the general date-time form of the locale (the short
// date, then a blank and the long time unless it is exactly midnight), as
// 8-bit text: RegionalFormat::ShortDate and LongTime, each replaced by its
// en_US form when it holds a character that the 8-bit text cannot.
class TimestampFormat {
public:
    explicit TimestampFormat(const QLocale& locale);
    void appendEightBit(QByteArray& out, int32_t seconds);

private:
    QLocale locale_;
    QLocale fallback_;
    QString shortDateFormat_;
    QString longTimeFormat_;
    QString fallbackDateFormat_;
    QString fallbackTimeFormat_;
    // Records come in time order, so most share the day of the one before.
    int64_t cachedDay_ = INT64_MIN;
    QByteArray cachedDate_;
    int32_t cachedSecondOfDay_ = -1;
    QByteArray cachedTime_;
};

class DatalogLine {
public:
    // What a field was made from, for whoever explains a field that holds the
    // delimiter (DelimiterWarnings.h).
    enum class FieldKind { Whole, Bytes, Text, Number, Timestamp };
    struct DelimiterInField {
        int field = 0;  // 1-based, in line order
        FieldKind kind = FieldKind::Text;
    };

    DatalogLine(const QString& delimiter, const QLocale& locale);

    // Starts a new line (the storage of the last one is reused).
    void begin();

    // Each of these adds one field.
    void addWhole(int64_t value);  // plain decimal, "-" when negative, never grouped
    void addWholePair(int64_t first, std::string_view joiner, int64_t second);  // "3::12"
    void addBytes(const QByteArray& bytes);                                   // written unchanged
    void addText(std::string_view ascii);
    void addCodeName(int32_t kind, int16_t code);  // empty field when the code has no name
    void addNumber(double value, int decimals);    // regional format
    void addTimestamp(int32_t seconds);

    // The line so far. It refers to the builder's own storage (no copy), so
    // it is valid until the next change to the line.
    QByteArray text() const { return QByteArray::fromRawData(storage_.data(), static_cast<qsizetype>(used_)); }
    int fieldCount() const { return fields_; }
    // The fields of the line so far whose text holds the delimiter: nothing
    // is quoted or escaped, so each of them reads as more than one column.
    const std::vector<DelimiterInField>& fieldsHoldingDelimiter() const { return holdingDelimiter_; }

private:
    void separate();
    // Room for `bytes` more at the end of the line; returns where they go.
    char* room(std::size_t bytes);
    void append(const char* bytes, std::size_t count);
    void appendWhole(int64_t value);
    // Notes the field that began at `start` when its text holds the delimiter.
    void checkField(std::size_t start, FieldKind kind);

    QByteArray delimiter_;
    LocaleNumberFormat numbers_;
    TimestampFormat timestamps_;
    QByteArray timestampText_;
    // The line is written straight into this storage: a datalog line is a
    // few hundred bytes of small pieces, and a byte array's append checks
    // cost more than the pieces themselves.
    std::vector<char> storage_;
    std::size_t used_ = 0;
    int fields_ = 0;
    std::vector<DelimiterInField> holdingDelimiter_;
};
