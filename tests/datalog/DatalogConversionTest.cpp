// Datalog conversion: stored datalog files built here record by record,
// converted, and compared line for line with lines written out by hand.

#include "AppError.h"
#include "DatalogConversion.h"
#include "DatalogTestSupport.h"
#include "ScriptedEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

constexpr int32_t AfternoonSeconds = 1710511389;  // 2024-03-15 14:03:09
constexpr int32_t MidnightSeconds = 1710460800;   // 2024-03-15 00:00:00

struct Point {
    float value;
    const char* english;  // 4 decimals, en_US
};

const Point kSpectrum[31] = {
    {-0.00004f, "0.0000"},          {-2.5f, "-2.5000"},        {0.03125f, "0.0313"},     {-0.03125f, "-0.0313"},
    {12345.678f, "12,345.6777"},     {1234567.875f, "1,234,567.8750"}, {99.99995f, "99.9999"}, {0.33333334f, "0.3333"},
    {98.7654f, "98.7654"},           {4321.1234f, "4,321.1235"}, {10.5f, "10.5000"},       {11.25f, "11.2500"},
    {12.0f, "12.0000"},              {13.75f, "13.7500"},        {14.5f, "14.5000"},       {15.0f, "15.0000"},
    {16.125f, "16.1250"},            {17.0f, "17.0000"},         {18.5f, "18.5000"},       {19.0f, "19.0000"},
    {20.25f, "20.2500"},             {21.0f, "21.0000"},         {22.5f, "22.5000"},       {23.0f, "23.0000"},
    {24.75f, "24.7500"},             {25.0f, "25.0000"},         {26.5f, "26.5000"},       {27.0f, "27.0000"},
    {28.25f, "28.2500"},             {29.0f, "29.0000"},         {1e6f, "1,000,000.0000"},
};

StoredRecord recordA()
{
    StoredRecord r;
    r.index = 0;
    r.product = "Red; Ink";
    r.sample = "X1";
    r.setup = 0;
    r.standardType = 3;
    r.viewType = 6;
    r.sequenceA = 3;
    r.sequenceB = 12;
    r.standard = false;
    r.seconds = AfternoonSeconds;
    r.illuminantObserver = 17;
    r.scale = 6;
    r.colorIndex = 29;
    for (int i = 0; i < 31; ++i) r.spectrum[i] = kSpectrum[i].value;
    r.scaleData = {50.0625f, -3.5f, 1000.0f, 0.00015f, -4321.1234f, 0.0f};
    r.indexData = {1.5f, -0.00004f};
    return r;
}

QStringList recordAEnglish(const QString& time)
{
    QStringList f{"1", "Red; Ink", "X1", "1", "HITCH", "COLOR PLOT", "3::12", "Sam", time, "F11/10", "dLCH", "MI"};
    for (const Point& p : kSpectrum) f << p.english;
    f << "50.0625" << "-3.5000" << "1,000.0000" << "0.0002" << "-4,321.1235" << "0.0000";
    f << "1.5000" << "0.0000";
    return f;
}

// Every code outside its table (32767 among them), empty texts, midnight.
StoredRecord recordB()
{
    StoredRecord r;
    r.index = 32767;
    r.setup = 249;
    r.standardType = -1;
    r.viewType = 7;
    r.sequenceA = -1;
    r.sequenceB = 0;
    r.standard = true;
    r.seconds = MidnightSeconds;
    r.illuminantObserver = -5;
    r.scale = 32767;
    r.colorIndex = 20;
    r.spectrum.fill(0.5f);
    r.indexData = {3.25f, -7.0f};
    return r;
}

QStringList recordBEnglish(const QString& date)
{
    QStringList f{"32768", "", "", "250", "", "", "-1::0", "Std", date, "", "", ""};
    for (int i = 0; i < 31; ++i) f << "0.5000";
    for (int i = 0; i < 6; ++i) f << "0.0000";
    f << "3.2500" << "-7.0000";
    return f;
}

QByteArray header(const QByteArray& d)
{
    QByteArray h = "log" + d + "product" + d + "ID" + d + "setup" + d + "stdtype" + d + "viewtype" + d + "seq" + d +
                   "type" + d + "timestamp" + d + "illobs" + d + "scale" + d + "index" + d + "spectrum";
    for (int i = 0; i < 30; ++i) h += d;
    h += d + "scaledata";
    for (int i = 0; i < 5; ++i) h += d;
    h += d + "indexdata" + d;
    return h;
}

class DatalogConversionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        source = env.path("stored.txt");
        target = env.path("converted.txt");
    }

    ScriptedEnvironment env;
    RecordingProgress progress;
    QString source, target;
};

TEST_F(DatalogConversionTest, HeaderHas51FieldsAndEndsWithTheDelimiter)
{
    const QByteArray h = DatalogConversion::HeaderLine(",");
    EXPECT_EQ(h, "log,product,ID,setup,stdtype,viewtype,seq,type,timestamp,illobs,scale,index,spectrum"
                 ",,,,,,,,,,,,,,,,,,,,,,,,,,,,,,,scaledata,,,,,,indexdata,");
    EXPECT_EQ(h.split(',').size(), 51);
    EXPECT_EQ(DatalogConversion::HeaderLine("\t"), header("\t"));
}

TEST_F(DatalogConversionTest, ConvertsRecordsAndSkipsCommentLines)
{
    WriteWhole(source, "#0A0B0C\r\n" + EncodeStoredLine(recordA()) + "\r\n#\r\n" + EncodeStoredLine(recordB()) + "\r\n");

    const auto result = DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.linesRead, 4);
    EXPECT_EQ(result.linesSkipped, 2);
    EXPECT_EQ(result.recordsWritten, 2);
    EXPECT_FALSE(result.cancelled);

    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], header(","));
    EXPECT_EQ(lines[1], Joined(recordAEnglish("3/15/24 2:03:09 PM"), ","));
    EXPECT_EQ(lines[2], Joined(recordBEnglish("3/15/24"), ","));

    EXPECT_EQ(progress.captions, QStringList{"Converting Datalog..."});
    EXPECT_EQ(progress.statuses, (QStringList{"1", "2", "3", "4"}));  // "#" lines count too
    EXPECT_EQ(progress.yields, 4);
    EXPECT_TRUE(progress.maxima.isEmpty());  // no progress bar
    EXPECT_TRUE(progress.values.isEmpty());
}

TEST_F(DatalogConversionTest, GermanFormatWithTabHas51FieldsPerLine)
{
    // Line ends of a single LF are read as well.
    WriteWhole(source, EncodeStoredLine(recordA()) + "\n" + EncodeStoredLine(recordB()) + "\n");

    DatalogConversion::Run(source, target, "\t", progress, QLocale("de_DE"));

    QStringList a = recordAEnglish("15.03.24 14:03:09");
    for (int i = 12; i < a.size(); ++i) a[i] = German(a[i]);
    EXPECT_EQ(a[16], "12.345,6777");
    EXPECT_EQ(a[17], "1.234.567,8750");
    QStringList b = recordBEnglish("15.03.24");
    for (int i = 12; i < b.size(); ++i) b[i] = German(b[i]);

    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], header("\t"));
    EXPECT_EQ(lines[1], Joined(a, "\t"));
    EXPECT_EQ(lines[2], Joined(b, "\t"));
    for (const QByteArray& line : lines) EXPECT_EQ(line.split('\t').size(), 51);
}

TEST_F(DatalogConversionTest, NamesHoldingTheDelimiterAreWrittenUnchanged)
{
    StoredRecord r = recordA();
    r.product = "a;b;c";
    r.sample = QByteArray("\xE9;");
    WriteWhole(source, EncodeStoredLine(r) + "\r\n");

    DatalogConversion::Run(source, target, ";", progress, QLocale("en_US"));

    QStringList expected = recordAEnglish("3/15/24 2:03:09 PM");
    expected[1] = "a;b;c";
    expected[2] = QString::fromLatin1("\xE9;");
    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[1], Joined(expected, ";"));
    EXPECT_EQ(lines[1].split(';').size(), 51 + 3);
}

TEST_F(DatalogConversionTest, EmptySourceOrOnlyCommentsGivesTheHeaderAlone)
{
    WriteWhole(source, "");
    auto result = DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.linesRead, 0);
    EXPECT_EQ(ReadCrLfLines(target), QList<QByteArray>{header(",")});

    WriteWhole(source, "#01\r\n#\r\n");
    result = DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.linesRead, 2);
    EXPECT_EQ(result.recordsWritten, 0);
    EXPECT_EQ(ReadCrLfLines(target), QList<QByteArray>{header(",")});
}

TEST_F(DatalogConversionTest, BadLineIsNamedAndTheEarlierTargetIsKept)
{
    QByteArray truncated = EncodeStoredLine(recordB());
    truncated.chop(3);
    WriteWhole(source, EncodeStoredLine(recordA()) + "\r\n#00\r\n" + truncated + "\r\n" + EncodeStoredLine(recordB()) + "\r\n");
    WriteWhole(target, "earlier conversion\r\n");
    try {
        DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::MalformedText);
        EXPECT_TRUE(error.description().startsWith("Line 3 of ")) << error.description().toStdString();
    }
    EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
}

TEST_F(DatalogConversionTest, EmptyLineIsAnError)
{
    WriteWhole(source, EncodeStoredLine(recordA()) + "\r\n\r\n" + EncodeStoredLine(recordB()) + "\r\n");
    try {
        DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_TRUE(error.description().startsWith("Line 2 of ")) << error.description().toStdString();
        EXPECT_TRUE(error.description().contains("empty")) << error.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(DatalogConversionTest, MissingSourceIsAnErrorAndTheEarlierTargetIsKept)
{
    WriteWhole(target, "earlier conversion\r\n");
    try {
        DatalogConversion::Run(env.path("missing.txt"), target, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
    }
    EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
}

TEST_F(DatalogConversionTest, CancelLeavesNoTargetAndTheEarlierOneIntact)
{
    WriteWhole(source, EncodeStoredLine(recordA()) + "\r\n" + EncodeStoredLine(recordA()) + "\r\n" +
                           EncodeStoredLine(recordA()) + "\r\n");
    WriteWhole(target, "earlier conversion\r\n");
    progress.cancelAfterYields = 2;

    const auto result = DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.linesRead, 2);
    EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
    EXPECT_EQ(progress.clears, 1);
}

TEST_F(DatalogConversionTest, SourceLongerThan32767LinesConvertsInFull)
{
    constexpr int Lines = 33000;
    StoredRecord r = recordB();
    r.scaleData = {1, 2, 3, 4, 5, 6};
    QByteArray stored;
    for (int i = 0; i < Lines; ++i) {
        if (i % 1000 == 0) {
            stored += "#\r\n";
            continue;
        }
        r.index = i % 32768;
        r.sequenceA = static_cast<int16_t>(i / 7);
        stored += EncodeStoredLine(r);
        stored += "\r\n";
    }
    WriteWhole(source, stored);

    const auto result = DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.linesRead, Lines);
    EXPECT_EQ(result.linesSkipped, 33);
    EXPECT_EQ(result.recordsWritten, Lines - 33);
    EXPECT_EQ(progress.statuses.last(), "33000");

    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), Lines - 33 + 1);
    // Source line 32999 holds index 32999 % 32768 = 231 and sequence 32999 / 7 = 4714.
    EXPECT_TRUE(lines.last().startsWith("232,,,250,,,4714::0,Std,3/15/24,")) << lines.last().toStdString();
    EXPECT_TRUE(lines.last().endsWith(",1.0000,2.0000,3.0000,4.0000,5.0000,6.0000,3.2500,-7.0000"));
    for (const QByteArray& line : lines) ASSERT_EQ(line.split(',').size(), 51);
}

}  // namespace
