// The viewer reads the three datalog files as the program's own writers wrote
// them: capture and conversion in several regional forms and delimiters,
// names and IDs holding the delimiter, and lines it cannot read.
#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "DatalogFileReader.h"
#include "ProgressSink.h"
#include "RecordFilter.h"
#include "SimDatalog.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SimDatalogRecord record(QByteArray product, QByteArray id, int setup, bool standard, float index, int32_t time)
{
    SimDatalogRecord r{.product = std::move(product), .sampleId = std::move(id), .setup = setup - 1,
                       .standard = standard, .time = time, .illObs = 13, .scale = 1, .index = 2,
                       .reading = 1234.5f,  // grouped in most locales
                       .scaleData = {52.5f, -3.25f, 12.75f, 50.0f, -2.0f, 11.0f}, .indexData = {index, -0.5f}};
    for (int i = 0; i < 31; ++i) r.spectrum[std::size_t(i)] = i == 30 ? 1000.25f : 10.0f + float(i) * 2.5f;
    return r;
}

// 2026-12-05 14:03:09 and midnight of the next day, as the instrument counts.
constexpr int32_t Afternoon = 1796479389;
constexpr int32_t Midnight = 1796515200;

// Records whose names hold "," and ";": setup 1 has a line of its exact
// layout (its name is known), setup 2 has none.
std::vector<SimDatalogRecord> testRecords()
{
    return {record("PLAIN", "LOT 1", 1, true, 1.0f, Afternoon),
            record("PLAIN", "LOT 2, A", 1, false, 2.0f, Afternoon + 60),
            record("RED, GLOSS; 2", "STD", 2, true, 4.0f, Midnight),
            record("RED, GLOSS; 2", "DRUM; 3", 2, false, 5.5f, Midnight + 1)};
}

// A capture of the first `count` test records, as the datalog engine writes it.
void writeCapture(const QString& name, const QString& delimiter, const QLocale& locale, int count = 4)
{
    const auto records = testRecords();
    const Exchange exchange = [&](const QByteArray& command) {
        const int index = command.mid(2).toInt(nullptr, 16);
        return "s" + EncodeDatalogReplyFields(records[std::size_t(index)], index);
    };
    SilentProgress progress;
    DatalogCapture::Run(exchange, count, name, delimiter, progress, locale);
}

struct ReadCase { const char* locale; const char* delimiter; };

class ViewerFiles : public ::testing::TestWithParam<ReadCase> {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.filePath(QString::fromLatin1(name)); }
    QLocale locale() const { return QLocale(QString::fromLatin1(GetParam().locale)); }
    QString delimiter() const { return QString::fromLatin1(GetParam().delimiter); }
};

void expectTestRecords(const DatalogDocument& document, int spectrumDecimals)
{
    ASSERT_EQ(document.records.size(), 4u) << (document.unreadable.empty() ? "" : document.unreadable[0].reason.toStdString());
    EXPECT_TRUE(document.unreadable.empty());
    const auto& r = document.records;
    const auto written = testRecords();
    for (std::size_t i = 0; i < 4; ++i)
        EXPECT_EQ(QStringList({r[i].product, r[i].sampleId}), QStringList({written[i].product, written[i].sampleId}));
    EXPECT_EQ(std::tuple(r[3].log, r[2].setup, r[0].standard, r[1].standard), std::tuple(4, 2, true, false));
    EXPECT_EQ(RecordDateTime(r[0]), QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9), Qt::UTC));
    EXPECT_EQ(RecordDateTime(r[2]), QDateTime(QDate(2026, 12, 6), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(QStringList({r[0].illuminantObserver, r[0].scale, r[0].index}), QStringList({"D65/10", "CIE Lab", "YI D1925"}));
    EXPECT_FLOAT_EQ(r[3].indexValue(), 5.5f);
    EXPECT_FLOAT_EQ(r[1].spectrum[1], 12.5f);
    EXPECT_NEAR(r[1].spectrum[30], 1000.25, spectrumDecimals == 3 ? 0.0005 : 0.00005);
    EXPECT_FLOAT_EQ(r[1].scaleData[1], -3.25f);
    EXPECT_FLOAT_EQ(r[1].scaleData[5], 11.0f);
}

TEST_P(ViewerFiles, CaptureFileStoredFileAndItsConversion)
{
    // The unit word "in." holds a "." delimiter, so such a capture cannot
    // be read back; its stored file and conversion can.
    if (delimiter() != ".") {
        writeCapture(path("capture.txt"), delimiter(), locale());
        const DatalogDocument document = DatalogFileReader::Read(path("capture.txt"), delimiter(), locale());
        EXPECT_EQ(document.format, DatalogFormat::Capture);
        expectTestRecords(document, 3);
        const auto& r = document.records;
        EXPECT_FLOAT_EQ(r[0].reading, 1234.5f);
        EXPECT_EQ(r[0].readingKind, "distance");
        // Whether a name held the delimiter decides the doubt, not the data.
        // Setup 1's name is known from its other line.
        const bool splits = delimiter() == "," || delimiter() == ";";
        EXPECT_EQ(QList<bool>({r[0].ambiguous, r[1].ambiguous, r[2].ambiguous, r[3].ambiguous}),
                  QList<bool>({false, false, splits, splits}));
        EXPECT_EQ(document.ambiguousCount, splits ? 2 : 0);
    }

    // The stored records do not depend on the delimiter or the locale.
    QByteArray text = "#0100000000055452384B5A\r\n";  // the identification line holds no record
    int index = 0;
    for (const SimDatalogRecord& record : testRecords()) text += EncodeStoredDatalogLine(record, index++) + "\r\n";
    WriteWhole(path("stored.txt"), text);
    const DatalogDocument stored = DatalogFileReader::Read(path("stored.txt"), delimiter(), locale());
    EXPECT_EQ(stored.format, DatalogFormat::Stored);
    expectTestRecords(stored, 4);
    EXPECT_EQ(stored.records[0].lineNumber, 2);
    EXPECT_EQ(stored.ambiguousCount, 0);

    SilentProgress progress;
    DatalogConversion::Run(path("stored.txt"), path("converted.txt"), delimiter(), progress, locale());
    const DatalogDocument converted = DatalogFileReader::Read(path("converted.txt"), delimiter(), locale());
    EXPECT_EQ(converted.format, DatalogFormat::Converted);
    expectTestRecords(converted, 4);
    EXPECT_EQ(converted.records[0].sequence, "0::0");
    EXPECT_FALSE(converted.records[0].hasReading);
}

INSTANTIATE_TEST_SUITE_P(LocalesAndDelimiters, ViewerFiles,
                         ::testing::Values(ReadCase{"en_US", "\t"}, ReadCase{"en_US", ","}, ReadCase{"de_DE", ","},
                                           ReadCase{"de_DE", ";"}, ReadCase{"fr_FR", "\t"}, ReadCase{"en_GB", ","},
                                           ReadCase{"en_US", "."}));

TEST(ViewerFileProblems, UnreadableLinesAreListedWithTheirNumbers)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("capture.txt");
    writeCapture(name, "\t", QLocale("en_US"), 2);
    const QList<QByteArray> lines = ReadWhole(name).split('\n');
    const QByteArray good = lines[0], badNumber = QByteArray(good).replace("\t12.500\t", "\t12.5x0\t"),
                     badTime = QByteArray(good).replace("12/5/2026", "13/45/2026"),
                     shortLine = good.left(good.indexOf("\tSam") > 0 ? good.indexOf("\tSam") : 40);
    const QByteArray text = good + "\n" + badNumber + "\n\r\n" + badTime + "\n" + shortLine + "\n" + lines[1] + "\n";
    WriteWhole(name, text);

    const DatalogDocument document = DatalogFileReader::Read(name, "\t", QLocale("en_US"));
    const auto numbers = [](const auto& lines) {
        QList<int64_t> n;
        for (const auto& line : lines) n << line.lineNumber;
        return n;
    };
    EXPECT_EQ(numbers(document.records), QList<int64_t>({1, 6}));
    ASSERT_EQ(numbers(document.unreadable), QList<int64_t>({2, 3, 4, 5}));
    EXPECT_TRUE(document.unreadable[0].reason.contains("12.5x0")) << document.unreadable[0].reason.toStdString();
    EXPECT_TRUE(document.unreadable[2].reason.contains("13/45/2026")) << document.unreadable[2].reason.toStdString();

    const QString stored = dir.filePath("stored.txt");
    // CR alone ends the lines (a file from another system); text after the
    // last field makes a record line unreadable, as it stops a conversion.
    const QByteArray record = EncodeStoredDatalogLine(testRecords()[0], 0);
    WriteWhole(stored, "#0100\r" + record + "\rL0000FF\r" + record + "ZZ\r" + record + "\r");
    const DatalogDocument decoded = DatalogFileReader::Read(stored, "\t", QLocale("en_US"));
    EXPECT_EQ(numbers(decoded.records), QList<int64_t>({2, 5}));
    ASSERT_EQ(numbers(decoded.unreadable), QList<int64_t>({3, 4}));
    EXPECT_TRUE(decoded.unreadable[1].reason.contains("\"ZZ\"")) << decoded.unreadable[1].reason.toStdString();
}

}  // namespace
