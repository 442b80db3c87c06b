// Datalog capture and conversion: whole files compared line for line with
// lines written out here by hand, in two regional formats and with each kind
// of delimiter; failures part-way; a source longer than 32767 lines.

#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "DatalogTestSupport.h"
#include "ProgressSink.h"
#include "RaisedError.h"
#include "ScriptedEnvironment.h"

namespace {

std::array<float, 31> spectrum(std::initializer_list<float> first, float rest)
{
    std::array<float, 31> points;
    points.fill(rest);
    std::copy(first.begin(), first.end(), points.begin());
    return points;
}

// Names holding ',' and '|'; codes of the tables; 2024-03-15 14:03:09. The
// spectrum opens with a negative value written as zero, a grouped value and
// an exact tie. The fields the files leave out hold values of their own, so
// that a reader that does not skip them reads those.
const SimDatalogRecord RecordA{
    .product = "Blue, Paint", .sampleId = "S|01", .setup = 11, .standardType = 1, .viewType = 1, .run = 3, .sequence = 7,
    .standard = true, .time = 1710511389, .illObs = 13, .view = 5, .scale = 1, .index = 23, .flags = 3, .readMode = 1,
    .height = true, .millimetres = true, .reading = 1234.5f, .spectrum = spectrum({-0.00004f, 12345.678f, 0.0625f}, 0.5f),
    .scaleData = {50.0625f, -3.5f, 0, 0, 0, -4321.1234f}, .tristimulus = {77, 77, 77, 77, 77, 77},
    .indexData = {1.5f, -0.00004f}, .indexTolerances = {9, 9}, .colourDifference = 0.33333334f, .temperature = 98.7654f};

// A sample id holding a tab and ';'; every code outside its table (index 15
// lies in the gap between indices and differences); measured at midnight.
const SimDatalogRecord RecordB{
    .sampleId = "a\tb;c", .setup = -1, .standardType = 4, .viewType = -1, .run = -1, .sequence = -3, .time = 1710460800,
    .illObs = 18, .scale = 7, .index = 15, .reading = 0.125f, .spectrum = spectrum({}, 7.25f),
    .scaleData = {-1234.625f, 0, 0, 0, 0, 0}, .colourDifference = -0.00005f, .temperature = 2.0005f};

// The expected lines, '~' standing for the delimiter.
QByteArray delimited(QByteArray line, const QByteArray& delimiter) { return line.replace("~", delimiter); }
QByteArray times(const char* fields, int count) { return QByteArray(fields).repeated(count); }

const QByteArray CaptureA_en = "1~Blue, Paint~S|01~12~WORKING~DELTA~7~Std~3/15/2024 2:03:09 PM~D65/10~CIE Lab~dE*"
                               "~height~mm~1,234.50~0.000~12,345.678~0.063" + times("~0.500", 28) +
                               "~50.0625~-3.5000~0.0000~0.0000~0.0000~-4,321.1235~1.5000~0.0000~0.3333~98.765";
const QByteArray CaptureB_en = "2~~a\tb;c~0~~~-3~Sam~3/15/2024~~~~distance~in.~0.13" + times("~7.250", 31) +
                               "~-1,234.6250" + times("~0.0000", 8) + "~2.000";
const QByteArray CaptureA_de = "1~Blue, Paint~S|01~12~WORKING~DELTA~7~Std~15.03.2024 14:03:09~D65/10~CIE Lab~dE*"
                               "~height~mm~1.234,50~0,000~12.345,678~0,063" + times("~0,500", 28) +
                               "~50,0625~-3,5000~0,0000~0,0000~0,0000~-4.321,1235~1,5000~0,0000~0,3333~98,765";
const QByteArray CaptureB_de = "2~~a\tb;c~0~~~-3~Sam~15.03.2024~~~~distance~in.~0,13" + times("~7,250", 31) +
                               "~-1.234,6250" + times("~0,0000", 8) + "~2,000";
const QByteArray Header = "log~product~ID~setup~stdtype~viewtype~seq~type~timestamp~illobs~scale~index~spectrum" +
                          times("~", 31) + "scaledata" + times("~", 6) + "indexdata~";
const QByteArray ConvertedA_en = "1~Blue, Paint~S|01~12~WORKING~DELTA~3::7~Std~3/15/2024 2:03:09 PM~D65/10~CIE Lab~dE*"
                                 "~0.0000~12,345.6777~0.0625" + times("~0.5000", 28) +
                                 "~50.0625~-3.5000~0.0000~0.0000~0.0000~-4,321.1235~1.5000~0.0000";
const QByteArray ConvertedB_en = "2~~a\tb;c~0~~~-1::-3~Sam~3/15/2024~~~" + times("~7.2500", 31) + "~-1,234.6250" +
                                 times("~0.0000", 7);
const QByteArray ConvertedA_de = "1~Blue, Paint~S|01~12~WORKING~DELTA~3::7~Std~15.03.2024 14:03:09~D65/10~CIE Lab~dE*"
                                 "~0,0000~12.345,6777~0,0625" + times("~0,5000", 28) +
                                 "~50,0625~-3,5000~0,0000~0,0000~0,0000~-4.321,1235~1,5000~0,0000";
const QByteArray ConvertedB_de = "2~~a\tb;c~0~~~-1::-3~Sam~15.03.2024~~~" + times("~7,2500", 31) + "~-1.234,6250" +
                                 times("~0,0000", 7);

class DatalogFiles : public ::testing::Test {
protected:
    ScriptedEnvironment env;
    SilentProgress progress;
    const QString file = env.path("capture.txt"), source = env.path("stored.txt"), target = env.path("converted.txt");
};

TEST_F(DatalogFiles, CaptureAndConversionWriteEveryFieldInEachFormat)
{
    FakeDatalog datalog{{RecordA, RecordB}};
    WriteWhole(source, "#0A0B0C\r\n" + EncodeStoredDatalogLine(RecordA, 0) + "\r\n#\r\n" +
                           EncodeStoredDatalogLine(RecordB, 1) + "\r\n");
    // The files are as the rules say even where a field holds the
    // delimiter; the warning names what does, between its first line and
    // the advice of its last.
    const auto warning = [](const char* delimiter, const char* body) {
        return QStringLiteral("The file %2 was written as asked, but some of its fields hold the delimiter %1: the "
                              "columns after them shift.\n%3\nChoose Tab or ';' as the delimiter in Preferences.")
            .arg(QLatin1String(delimiter), QLatin1String("%1"), QLatin1String(body));
    };
    // The warning's %1 stands for the file.
    const struct {
        const char* locale;
        QByteArray delimiter, captureA, captureB, convertedA, convertedB;
        QString warning;
    } cases[] = {
        {"en_US", ",", CaptureA_en, CaptureB_en, ConvertedA_en, ConvertedB_en,
         warning("','", "record 1: the product name holds the delimiter ','\n1 record in all.\nThe delimiter ',' is "
                        "the regional digit grouping symbol: every number of 1000 or more splits into more than one "
                        "column.")},
        {"de_DE", "\t", CaptureA_de, CaptureB_de, ConvertedA_de, ConvertedB_de,
         warning("Tab", "record 2: the sample ID holds the delimiter Tab\n1 record in all.").replace("Tab or ", "")},
        {"en_US", "|", CaptureA_en, CaptureB_en, ConvertedA_en, ConvertedB_en,
         warning("'|'", "record 1: the sample ID holds the delimiter '|'\n1 record in all.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE((c.locale + (" " + c.delimiter)).toStdString());
        const auto d = [&](const QByteArray& line) { return delimited(line, c.delimiter); };
        const QLocale locale(QLatin1String(c.locale));
        const QString delimiter = QString::fromLatin1(c.delimiter);
        const auto captured = DatalogCapture::Run(datalog.exchange(), 2, file, delimiter, progress, locale);
        EXPECT_EQ(captured.recordsWritten, 2);
        EXPECT_EQ(Lines(file), (QList<QByteArray>{d(c.captureA), d(c.captureB)}));
        EXPECT_EQ(captured.delimiterWarning, c.warning.arg(file));

        const auto result = DatalogConversion::Run(source, target, delimiter, progress, locale);
        EXPECT_EQ(result.linesRead, 4);
        EXPECT_EQ(result.linesSkipped, 2);
        EXPECT_EQ(Lines(target), (QList<QByteArray>{d(Header), d(c.convertedA), d(c.convertedB)}));
        EXPECT_EQ(result.delimiterWarning, c.warning.arg(target));
    }
    // An empty source gives the header alone.
    WriteWhole(source, "");
    DatalogConversion::Run(source, target, ",", progress, QLocale("en_US"));
    EXPECT_EQ(Lines(target), QList<QByteArray>{delimited(Header, ",")});
}

TEST_F(DatalogFiles, FailurePartWayNamesTheRecordKeepsTheRecordsReadOrTheEarlierFile)
{
    const QByteArray cut = ("s" + EncodeDatalogReplyFields(RecordB, 1)).chopped(10);  // the last Single cut short
    // The record that fails (from 0), its reply, the records asked for, the error.
    const struct { int record; QByteArray reply; int count; int32_t number; QString opening, saved; } cases[] = {
        {2, "?05", 4, ErrorNumber::InstrumentRefused, "Record 3 of 4: ", "2 of 4 records were saved in "},
        {1, cut, 2, ErrorNumber::MalformedText, "Record 2 of 2: ", "1 of 2 records were saved in "},
        {0, "?05", 2, ErrorNumber::InstrumentRefused, "Record 1 of 2: ", "None of the 2 records was saved; an earlier file "},
    };
    for (const auto& c : cases) {
        FakeDatalog datalog{{RecordA, RecordB, RecordA, RecordB}, {{c.record, c.reply}}};
        WriteWhole(file, "earlier capture\r\n");
        const AppError error =
            RaisedError([&] { DatalogCapture::Run(datalog.exchange(), c.count, file, ",", progress, QLocale("en_US")); });
        EXPECT_EQ(error.number(), c.number);
        EXPECT_TRUE(error.description().startsWith(c.opening) && error.description().contains("\n" + c.saved + file))
            << qPrintable(error.description());
        if (c.record == 0) {
            EXPECT_EQ(ReadWhole(file), "earlier capture\r\n");
        } else {
            const QList<QByteArray> lines = Lines(file);
            ASSERT_EQ(lines.size(), c.record);
            EXPECT_EQ(lines[0], delimited(CaptureA_en, ","));
        }
        EXPECT_EQ(datalog.commands.size(), c.record + 1) << "nothing asked after the failure";
    }

    for (const QByteArray& bad : {EncodeStoredDatalogLine(RecordB, 1).chopped(3), QByteArray()}) {  // cut short, empty
        WriteWhole(source, EncodeStoredDatalogLine(RecordA, 0) + "\r\n#00\r\n" + bad + "\r\n" +
                               EncodeStoredDatalogLine(RecordB, 1) + "\r\n");
        WriteWhole(target, "earlier conversion\r\n");
        const AppError error = RaisedError([&] { DatalogConversion::Run(source, target, ",", progress, QLocale("en_US")); });
        EXPECT_TRUE(error.number() == ErrorNumber::MalformedText && error.description().startsWith("Line 3 of "))
            << qPrintable(error.description());
        EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
    }
}

TEST_F(DatalogFiles, ConversionOfMoreThan32767Lines)
{
    QByteArray stored;
    for (int i = 0; i < 33000; ++i) stored += EncodeStoredDatalogLine(SimDatalogRecord{}, i % 32768) + "\r\n";
    WriteWhole(source, stored);
    EXPECT_EQ(DatalogConversion::Run(source, target, ",", progress, QLocale("en_US")).recordsWritten, 33000);
    const QList<QByteArray> lines = Lines(target);
    ASSERT_EQ(lines.size(), 33001);
    // The last source line holds log index 32999 % 32768 = 231.
    EXPECT_EQ(lines.last(), "232,,,1,PHYSICAL,ABSOLUTE,0::0,Sam,1/1/1970,A/2,(...),(...)" + times(",0.0000", 39));
    for (const QByteArray& line : lines) ASSERT_EQ(line.count(',') + 1, 51);
}

}  // namespace
