// Datalog capture: whole files compared line for line with lines written out
// here by hand, in two regional formats and with each kind of delimiter; the
// progress protocol; cancel; failures part-way.

#include "AppError.h"
#include "DatalogCapture.h"
#include "DatalogTestSupport.h"
#include "ScriptedEnvironment.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

// 2024-03-15 14:03:09 and 2024-03-15 00:00:00 (instrument seconds).
constexpr int32_t AfternoonSeconds = 1710511389;
constexpr int32_t MidnightSeconds = 1710460800;

struct SpectrumPoint {
    float value;
    const char* english;  // 3 decimals, en_US
};

// The first ten points cover the rounding rules: a negative value that rounds
// to zero has no sign, exact binary ties round away from zero, grouping,
// carries into a new digit.
const SpectrumPoint kSpectrum[31] = {
    {-0.0004f, "0.000"},       {-2.5f, "-2.500"},          {0.0625f, "0.063"},   {-0.0625f, "-0.063"},
    {12345.678f, "12,345.678"}, {1234567.875f, "1,234,567.875"}, {99.99995f, "100.000"}, {0.33333334f, "0.333"},
    {98.7654f, "98.765"},      {4321.1234f, "4,321.124"},  {10.5f, "10.500"},   {11.25f, "11.250"},
    {12.0f, "12.000"},         {13.75f, "13.750"},         {14.5f, "14.500"},    {15.0f, "15.000"},
    {16.125f, "16.125"},       {17.0f, "17.000"},          {18.5f, "18.500"},    {19.0f, "19.000"},
    {20.25f, "20.250"},        {21.0f, "21.000"},          {22.5f, "22.500"},    {23.0f, "23.000"},
    {24.75f, "24.750"},        {25.0f, "25.000"},          {26.5f, "26.500"},    {27.0f, "27.000"},
    {28.25f, "28.250"},        {29.0f, "29.000"},          {999.9996f, "1,000.000"},
};

CaptureRecord firstRecord()
{
    CaptureRecord r;
    r.index = 0;
    r.product = "Blue, Paint";  // holds a comma
    r.sample = "S-01";
    r.setup = 11;
    r.standardType = 1;
    r.viewType = 1;
    r.sequence = 7;
    r.standard = true;
    r.seconds = AfternoonSeconds;
    r.illuminantObserver = 13;
    r.scale = 1;
    r.colorIndex = 23;
    r.height = true;
    r.millimetres = true;
    r.reading = 1234.5f;
    for (int i = 0; i < 31; ++i) r.spectrum[i] = kSpectrum[i].value;
    r.scaleData = {50.0625f, -3.5f, 5e-05f, 1000.0f, 0.00015f, -4321.1234f};
    r.indexData = {1.5f, -0.00004f};
    r.value55 = 0.33333334f;
    r.value56 = 98.7654f;
    return r;
}

QStringList firstRecordEnglish(const QString& time)
{
    QStringList f{"1",     "Blue, Paint", "S-01",   "12",       "WORKING", "DELTA", "7",  "Std", time,
                  "D65/10", "CIE Lab",    "dE*",    "height",   "mm",      "1,234.50"};
    for (const SpectrumPoint& p : kSpectrum) f << p.english;
    f << "50.0625" << "-3.5000" << "0.0000" << "1,000.0000" << "0.0002" << "-4,321.1235";
    f << "1.5000" << "0.0000";
    f << "0.3333" << "98.765";
    return f;
}

// Every code outside its table, the sample id holding the other delimiters,
// no standard, distance in inches, a measurement at midnight.
CaptureRecord secondRecord()
{
    CaptureRecord r;
    r.index = 1;
    r.product = "";
    r.sample = "a\tb;c|d";
    r.setup = -1;
    r.standardType = 4;
    r.viewType = -1;
    r.sequence = -3;
    r.standard = false;
    r.seconds = MidnightSeconds;
    r.illuminantObserver = 18;
    r.scale = 7;
    r.colorIndex = 15;
    r.height = false;
    r.millimetres = false;
    r.reading = 0.125f;  // a tie: away from zero
    r.spectrum.fill(7.25f);
    r.scaleData = {-1234.625f, 0, 0, 0, 0, 0};
    r.indexData = {0, 0};
    r.value55 = -0.00005f;
    r.value56 = 2.0005f;
    return r;
}

QStringList secondRecordEnglish(const QString& date)
{
    QStringList f{"2", "", "a\tb;c|d", "0", "", "", "-3", "Sam", date, "", "", "", "distance", "in.", "0.13"};
    for (int i = 0; i < 31; ++i) f << "7.250";
    f << "-1,234.6250" << "0.0000" << "0.0000" << "0.0000" << "0.0000" << "0.0000";
    f << "0.0000" << "0.0000";
    f << "0.0000" << "2.000";  // 2.0005f is 2.000499963...: rounds down
    return f;
}

class DatalogCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        datalog.replies[0] = EncodeCaptureReply(firstRecord());
        datalog.replies[1] = EncodeCaptureReply(secondRecord());
        file = env.path("capture.txt");
    }

    ScriptedEnvironment env;
    FakeDatalog datalog;
    RecordingProgress progress;
    QString file;
};

TEST_F(DatalogCaptureTest, WritesEveryFieldInUsFormatWithCommaDelimiter)
{
    const auto result = DatalogCapture::Run(datalog.exchange(), 2, file, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.recordsWritten, 2);
    EXPECT_FALSE(result.cancelled);

    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], Joined(firstRecordEnglish("3/15/24 2:03:09 PM"), ","));
    EXPECT_EQ(lines[1], Joined(secondRecordEnglish("3/15/24"), ","));
    // The product name's comma and the grouped numbers give more parts than 56.
    EXPECT_EQ(lines[0].count(',') + 1, 56 + 1 + 8);

    EXPECT_EQ(datalog.commands, (QList<QByteArray>{"S10000", "S10001"}));
    EXPECT_EQ(progress.captions, QStringList{"Capturing Datalog..."});
    EXPECT_EQ(progress.maxima, QList<int>{2});
    EXPECT_EQ(progress.values, (QList<int>{0, 1, 2}));
    EXPECT_EQ(progress.statuses, (QStringList{"1 / 2", "2 / 2"}));
    EXPECT_EQ(progress.yields, 2);
    EXPECT_EQ(progress.clears, 1);
}

TEST_F(DatalogCaptureTest, WritesGermanFormatWithTabDelimiter)
{
    DatalogCapture::Run(datalog.exchange(), 2, file, "\t", progress, QLocale("de_DE"));

    QStringList first = firstRecordEnglish("15.03.24 14:03:09");
    for (int i = 14; i < first.size(); ++i) first[i] = German(first[i]);
    QStringList second = secondRecordEnglish("15.03.24");
    for (int i = 14; i < second.size(); ++i) second[i] = German(second[i]);
    // A few written out in full, so that the swap above is not the only proof.
    EXPECT_EQ(first[14], "1.234,50");
    EXPECT_EQ(first[19], "12.345,678");
    EXPECT_EQ(first[20], "1.234.567,875");
    EXPECT_EQ(second[46], "-1.234,6250");

    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], Joined(first, "\t"));
    EXPECT_EQ(lines[1], Joined(second, "\t"));
    EXPECT_EQ(lines[0].split('\t').size(), 56);
    // The tab inside the sample identification is written unchanged.
    EXPECT_EQ(lines[1].split('\t').size(), 57);
}

TEST_F(DatalogCaptureTest, CustomDelimiterAndEightBitNames)
{
    CaptureRecord r = firstRecord();
    r.product = QByteArray("Cr\xE8me|Br\xFBl\xE9");  // Latin-1 bytes and the delimiter
    r.sample = QByteArray("\x80\xFF");               // any byte survives
    datalog.replies[0] = EncodeCaptureReply(r);

    DatalogCapture::Run(datalog.exchange(), 1, file, "|", progress, QLocale("en_US"));

    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 1);
    QByteArray expected = Joined(firstRecordEnglish("3/15/24 2:03:09 PM"), "|");
    expected.replace("Blue, Paint", QByteArray("Cr\xE8me|Br\xFBl\xE9"));
    expected.replace("S-01", QByteArray("\x80\xFF"));
    EXPECT_EQ(lines[0], expected);
    EXPECT_EQ(progress.statuses, QStringList{"1 / 1"});
    EXPECT_EQ(progress.values, (QList<int>{0, 1}));
}

TEST_F(DatalogCaptureTest, FrenchGroupingIsWrittenAsNoBreakSpace)
{
    DatalogCapture::Run(datalog.exchange(), 1, file, ";", progress, QLocale("fr_FR"));
    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 1);
    const QList<QByteArray> fields = lines[0].split(';');
    ASSERT_EQ(fields.size(), 56);
    EXPECT_EQ(fields[8], "15/03/2024 14:03:09");
    EXPECT_EQ(fields[14], QByteArray("1\xA0" "234,50"));
    EXPECT_EQ(fields[20], QByteArray("1\xA0" "234\xA0" "567,875"));
}

TEST_F(DatalogCaptureTest, CancelKeepsTheRecordsCapturedSoFar)
{
    for (int i = 0; i < 5; ++i) {
        CaptureRecord r = secondRecord();
        r.index = i;
        datalog.replies[i] = EncodeCaptureReply(r);
    }
    WriteWhole(file, "earlier capture\r\n");
    // Cancel pressed while record 2 is being read: it is completed and written.
    datalog.afterCommand = [&](int commands) {
        if (commands == 2) progress.cancel = true;
    };

    const auto result = DatalogCapture::Run(datalog.exchange(), 5, file, ",", progress, QLocale("en_US"));
    EXPECT_TRUE(result.cancelled);
    EXPECT_EQ(result.recordsWritten, 2);
    EXPECT_EQ(datalog.commands, (QList<QByteArray>{"S10000", "S10001"}));
    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("1,,a\tb;c|d,0,"));
    EXPECT_TRUE(lines[1].startsWith("2,,a\tb;c|d,0,"));
    EXPECT_EQ(progress.statuses, (QStringList{"1 / 5", "2 / 5"}));
}

TEST_F(DatalogCaptureTest, CancelLeftFromAnEarlierOperationIsCleared)
{
    progress.cancel = true;
    const auto result = DatalogCapture::Run(datalog.exchange(), 2, file, ",", progress, QLocale("en_US"));
    EXPECT_FALSE(result.cancelled);
    EXPECT_EQ(result.recordsWritten, 2);
}

TEST_F(DatalogCaptureTest, RefusedReplyNamesTheRecordAndKeepsTheEarlierFile)
{
    datalog.replies[2] = "?05";
    WriteWhole(file, "earlier capture\r\n");
    try {
        DatalogCapture::Run(datalog.exchange(), 4, file, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(error.description().startsWith("Record 3 of 4: ")) << error.description().toStdString();
        EXPECT_TRUE(error.description().contains("S10002")) << error.description().toStdString();
    }
    EXPECT_EQ(ReadWhole(file), "earlier capture\r\n");
    EXPECT_EQ(datalog.commands.size(), 3);
}

TEST_F(DatalogCaptureTest, ReplyOfAnotherKindIsAnError)
{
    datalog.replies[0] = "p0001";
    try {
        DatalogCapture::Run(datalog.exchange(), 1, file, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(error.description().startsWith("Record 1 of 1: ")) << error.description().toStdString();
    }
    EXPECT_FALSE(QFile::exists(file));
}

TEST_F(DatalogCaptureTest, TruncatedReplyNamesTheRecordAndKeepsTheEarlierFile)
{
    QByteArray truncated = EncodeCaptureReply(secondRecord());
    truncated.chop(10);  // the last Single is cut short
    datalog.replies[1] = truncated;
    WriteWhole(file, "earlier capture\r\n");
    try {
        DatalogCapture::Run(datalog.exchange(), 2, file, ",", progress, QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::MalformedText);
        EXPECT_TRUE(error.description().startsWith("Record 2 of 2: ")) << error.description().toStdString();
    }
    EXPECT_EQ(ReadWhole(file), "earlier capture\r\n");
}

TEST_F(DatalogCaptureTest, EmptyOrNegativeCountWritesAnEmptyFile)
{
    WriteWhole(file, "earlier capture\r\n");
    const auto result = DatalogCapture::Run(datalog.exchange(), 0, file, ",", progress, QLocale("en_US"));
    EXPECT_EQ(result.recordsWritten, 0);
    EXPECT_TRUE(datalog.commands.isEmpty());
    EXPECT_EQ(ReadWhole(file), "");

    DatalogCapture::Run(datalog.exchange(), -2, file, ",", progress, QLocale("en_US"));
    EXPECT_TRUE(datalog.commands.isEmpty());
    EXPECT_EQ(progress.maxima.last(), 0);
}

TEST_F(DatalogCaptureTest, FileThatCannotBeCreatedIsAnError)
{
    try {
        DatalogCapture::Run(datalog.exchange(), 2, env.path("no/such/folder/capture.txt"), ",", progress,
                            QLocale("en_US"));
        FAIL() << "no error";
    } catch (const AppError& error) {
        EXPECT_EQ(error.number(), ErrorNumber::FileAccess);
    }
    EXPECT_TRUE(datalog.commands.isEmpty());
}

}  // namespace
