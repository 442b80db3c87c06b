#pragma once
// One datalog record as the viewer holds it, whichever file it came from, and
// a whole file read into memory: the records, and the lines that could not be
// read. Texts that repeat from record to record (names of products and codes)
// share one string each, so a large file costs little more than its numbers.

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

enum class DatalogFormat {
    Capture,    // what datalog capture writes: 56 fields, no header
    Stored,     // the instrument's encoded records, as conversion reads them
    Converted,  // what conversion writes: a header line, 51 fields
};

QString FormatName(DatalogFormat format);

inline constexpr int SpectrumPoints = 31;     // 400 to 700 nm in steps of 10
inline constexpr int FirstWavelength = 400;
inline constexpr int WavelengthStep = 10;

struct DatalogRecord {
    int64_t lineNumber = 0;  // in its file, from 1
    int32_t log = 0;         // log number, from 1
    QString product;
    QString sampleId;
    int32_t setup = 0;  // from 1
    QString standardType;
    QString viewType;
    QString sequence;  // "7" in captures, "3::12" in conversions
    bool standard = false;
    // The measurement time as the instrument's wall clock: seconds since
    // 1970-01-01 00:00:00 of that clock (no time zone).
    int64_t time = 0;
    QString illuminantObserver;
    QString scale;
    QString index;
    // Capture files only.
    bool hasReading = false;
    QString readingKind;  // "height" or "distance"
    QString readingUnit;  // "mm" or "in."
    float reading = 0;
    float trailing[2]{};  // the two last values of a capture line
    std::array<float, SpectrumPoints> spectrum{};
    std::array<float, 6> scaleData{};  // the sample's run of three, then the standard's
    std::array<float, 2> indexData{};  // the first is the record's index value
    // The line held more fields than its layout, and the extra ones could
    // belong to the product name or to the identification: they were placed
    // by the rule of DatalogFileReader.h.
    bool ambiguous = false;

    double indexValue() const { return indexData[0]; }
};

struct UnreadableLine {
    int64_t lineNumber = 0;
    QString reason;
};

// How an unreadable line of the file is told to the operator.
inline QString UnreadableText(const QString& fileName, const UnreadableLine& line)
{
    return QStringLiteral("%1, line %2 cannot be read: %3").arg(fileName).arg(line.lineNumber).arg(line.reason);
}

struct DatalogDocument {
    QString fileName;
    DatalogFormat format = DatalogFormat::Capture;
    QString delimiter;
    std::vector<DatalogRecord> records;
    std::vector<UnreadableLine> unreadable;
    int64_t ambiguousCount = 0;
};
