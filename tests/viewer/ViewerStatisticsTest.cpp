// The summary of a small capture file against values worked out by hand, the
// CSV and table forms, each group's colour difference from its standard, the
// control limits and the thinning of a long trend.
#include "SampleDifferences.h"
#include "DatalogCapture.h"
#include "DatalogFileReader.h"
#include "DatalogSummary.h"
#include "ProgressSink.h"
#include "SimDatalog.h"
#include "Statistics.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

SimDatalogRecord reading(QByteArray product, int setup, bool standard, float index, std::array<float, 6> lab)
{
    return {.product = std::move(product), .sampleId = standard ? "STD" : "S", .setup = setup - 1,
            .standard = standard, .time = 1796479389, .scale = 1 /* CIE Lab */, .scaleData = lab,
            .indexData = {index, 0}};
}

// Sharma, Wu and Dalal (2005), CIEDE2000 test data: pairs 1 and 17.
constexpr std::array<float, 6> Pair1{50.0f, 2.6772f, -79.7751f, 50.0f, 0.0f, -82.7485f};   // 2.0425
constexpr std::array<float, 6> Pair17{50.0f, 2.5f, 0.0f, 73.0f, 25.0f, -18.0f};            // 27.1492
constexpr std::array<float, 6> Same{60.0f, 1.0f, 1.0f, 60.0f, 1.0f, 1.0f};

TEST(ViewerStatistics, SummaryOfASmallFileAsWorkedOutByHandCsvQuotingAndPlainNumbers)
{
    const std::vector<SimDatalogRecord> records{
        reading("A, B", 3, true, 1.0f, Same),    reading("C", 1, true, 5.5f, Same),
        reading("A, B", 3, false, 2.0f, Pair1),  reading("C", 2, false, -0.25f, Same),
        reading("A, B", 3, false, 4.0f, Pair17), reading("C", 2, false, 0.75f, Same),
    };
    const Exchange exchange = [&](const QByteArray& command) {
        const int index = command.mid(2).toInt(nullptr, 16);
        return "s" + EncodeDatalogReplyFields(records[std::size_t(index)], index);
    };
    SilentProgress progress;
    QTemporaryDir dir;
    const QString file = dir.filePath("small.txt");
    DatalogCapture::Run(exchange, int32_t(records.size()), file, "\t", progress, QLocale("en_US"));
    const auto groups = DatalogSummary::Summarize(DatalogFileReader::Read(file, "\t", QLocale("en_US")).records);
    // A, B: 1, 2, 4: mean 7/3; squares about it 16/9 + 1/9 + 25/9 = 14/3,
    // over n - 1 = 2 gives 7/3, whose root is 1.52753. C 2: -0.25 and 0.75:
    // mean 0.25, sd sqrt(0.5) = 0.70711. C 1: one record, no sd.
    EXPECT_EQ(DatalogSummary::Csv(groups).toStdString(),
              "product,setup,records,samples,mean,sd,min,max\r\n"
              "\"A, B\",3,3,2,2.3333,1.5275,1.0000,4.0000\r\n"
              "C,1,1,0,5.5000,,5.5000,5.5000\r\n"
              "C,2,2,2,0.2500,0.7071,-0.2500,0.7500\r\n");
    // The colour differences of each group's samples against its standard.
    ASSERT_EQ(groups.size(), 3u);
    EXPECT_EQ(groups[0].deltaE2000.count, 2);
    EXPECT_NEAR(groups[0].deltaE2000.max, 27.1492, 2e-4);

    const QStringList lines = DatalogSummary::AlignedText(groups).split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[0].startsWith("product")) << lines[0].toStdString();
    EXPECT_TRUE(lines[0].endsWith("dE00 max"));
    EXPECT_TRUE(lines[2].contains("5.5000       -")) << lines[2].toStdString();
    for (const QString& line : lines) EXPECT_EQ(line.size(), lines[0].size()) << line.toStdString();

    // Fields quoted as CSV asks; numbers plain, without a negative zero.
    const std::vector<std::pair<QString, QString>> fields{
        {"PLAIN", "PLAIN"},       {"A, B", "\"A, B\""},          {"SAY \"HI\"", "\"SAY \"\"HI\"\"\""},
        {"TWO\nLINES", "\"TWO\nLINES\""}, {"", ""}, {"SEMI;COLON", "SEMI;COLON"}};
    for (const auto& [text, expected] : fields) EXPECT_EQ(DatalogSummary::CsvField(text), expected);
    for (const auto& [value, text] : {std::pair(-0.00004, "0.0000"), std::pair(-0.00006, "-0.0001"),
                                      std::pair(1234567.5, "1234567.5000"), std::pair(std::nan(""), "")})
        EXPECT_EQ(DatalogSummary::PlainNumber(value), text) << value;
}

TEST(ViewerStatistics, ControlLimitsDescriptionEdgesAndAThinnedTrendKeepingEndsAndExcursions)
{
    const std::vector<double> values{1.0, 2.0, 4.0};
    const ControlLimits limits = IndividualsLimits(Describe(values));
    EXPECT_NEAR(limits.centre, 7.0 / 3, 1e-12);
    EXPECT_NEAR(limits.upper, 7.0 / 3 + 3 * std::sqrt(7.0 / 3), 1e-12);
    EXPECT_NEAR(limits.lower, 7.0 / 3 - 3 * std::sqrt(7.0 / 3), 1e-12);
    // Far from zero and close together, the sum of squares would cancel.
    const std::vector<double> offset{1e9 + 1, 1e9 + 2, 1e9 + 4};
    EXPECT_NEAR(Describe(offset).sd, std::sqrt(7.0 / 3), 1e-6);
    const std::vector<double> one{3.0};
    EXPECT_TRUE(std::isnan(Describe(one).sd));
    EXPECT_TRUE(std::isnan(IndividualsLimits(Describe(one)).upper));
    EXPECT_EQ(Describe({}).count, 0);

    // A long trend thinned keeps its ends and excursions.
    QList<QPointF> points;
    for (int i = 0; i < 100000; ++i) points << QPointF(i, (i % 7) * 0.1);
    points[51234].setY(50.0);
    points[777].setY(-9.0);
    const QList<QPointF> thinned = ThinTrend(points, 2000);
    EXPECT_TRUE(thinned.size() >= 1000 && thinned.size() <= 2000) << thinned.size();
    // Kept, in order: the first and last points come first and last.
    for (qsizetype kept : {0, 777, 51234, 99999}) EXPECT_TRUE(thinned.contains(points[kept])) << kept;
    for (qsizetype i = 1; i < thinned.size(); ++i) ASSERT_LT(thinned[i - 1].x(), thinned[i].x());
    // At the limit nothing is dropped; one above it is thinned.
    EXPECT_EQ(ThinTrend(points.mid(0, 2000), 2000).size(), 2000);
    EXPECT_LT(ThinTrend(points.mid(0, 2001), 2000).size(), 2001);
}

}  // namespace
