// Comparing setups: field by field in the editors' words, and which files
// are archives to compare with.
#include "TestFiles.h"
#include "RaisedError.h"
#include "SetupComparison.h"
#include "SetupRecord.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace SetupComparison;

namespace {

// The archive line of a setup: "P2", the index and the record.
QByteArray lineOf(const ProductSetup& setup, int setupNumber)
{
    FieldCodec codec;
    codec.BeginCommand("P2");
    codec.AppendByte(setupNumber - 1);
    return EncodeProductSetup(setup, codec);
}

ProductSetup sample()
{
    ProductSetup s;
    s.Name = "BLUE 2", s.StandardType = 1, s.ReadMode = 1, s.ReportInterval = 30;
    s.BaseDistance = 120, s.MinDistance = 70, s.MaxDistance = 110;
    s.Views(1).ColorScale = 1;  // L*a*b*: the tolerance rows are dL*, da*, db*
    s.Views(1).ColorIndex = 2;  // YID: its tolerance is dYID
    s.SetXYZTarget(2, 31.25f);
    s.SetScalePlus(1, 0.5f);
    return s;
}

std::vector<Difference> differencesOf(const ProductSetup& first, const ProductSetup& second,
                                      const QLocale& locale = QLocale::c())
{
    SetupLines a, b;
    a.Line(12) = lineOf(first, 12);
    b.Line(12) = lineOf(second, 12);
    return Compare(a, b, locale).Differences;
}

}  // namespace

// The name and the run configuration's interval are shown through the
// window (CompareSetupsWindowTest).
TEST(SetupComparison, EachKindOfFieldIsNamedAndValuedAsTheEditorsShowIt)
{
    const struct { std::function<void(ProductSetup&)> change; const char* field; const char* first; const char* second; } cases[] = {
        {[](ProductSetup& s) { s.StandardType = 3; }, "Standard", "WORKING", "HITCH"},
        {[](ProductSetup& s) { s.StandardType = 4; }, "Standard", "WORKING", "(unknown: 4)"},
        {[](ProductSetup& s) { s.Searchable = true; }, "Autosearch", "No", "Yes"},
        {[](ProductSetup& s) { s.SetXYZTarget(2, 31.5f); }, "Standard Values: Target Y", "31.25", "31.50"},
        {[](ProductSetup& s) { s.SetXYZRead(3, 0.3127f); }, "Standard Values: Read Z", "0.00", "0.3127"},
        {[](ProductSetup& s) { s.SetScalePlus(1, 0.75f); }, "Tolerances: dL* +", "0.50", "0.75"},
        {[](ProductSetup& s) { s.SetScaleMinus(3, 1.0f); }, "Tolerances: db* -", "0.00", "1.00"},
        {[](ProductSetup& s) { s.IndexPlus = 2.0f; }, "Tolerances: dYID +", "0.00", "2.00"},
        {[](ProductSetup& s) { s.IndexMinus = 0.005f; }, "Tolerances: dYID -", "0.00", "0.005"},
        {[](ProductSetup& s) { s.ReadMode = 0; }, "Run Configuration: Read Mode", "PIECE", "TIME"},
        {[](ProductSetup& s) { s.BaseDistance = 121; }, "Run Configuration: Distance to Base", "120", "121"},
        {[](ProductSetup& s) { s.MinDistance = 60; }, "Run Configuration: Min Distance", "70", "60"},
        {[](ProductSetup& s) { s.MaxDistance = 111; }, "Run Configuration: Max Distance", "110", "111"},
        {[](ProductSetup& s) { s.HeightTrigger = true; }, "Run Configuration: Height Trigger", "No", "Yes"},
        {[](ProductSetup& s) { s.Views(8).Enabled = true; }, "View 8: Enable", "No", "Yes"},
        {[](ProductSetup& s) { s.Views(2).DisplayType = 1; }, "View 2: Display", "ABSOLUTE", "DIFFERENCE"},
        {[](ProductSetup& s) { s.Views(3).IllumObs = 17; }, "View 3: Ill/Obs", "A/2", "F11/10"},
        {[](ProductSetup& s) { s.Views(3).IllumObs = 18; }, "View 3: Ill/Obs", "A/2", "(unknown: 18)"},
        {[](ProductSetup& s) { s.Views(4).ColorScale = 3; }, "View 4: Color Scale", "(...)", "L a b"},
        {[](ProductSetup& s) { s.Views(5).ColorIndex = 21; }, "View 5: Color Index", "(...)", "MI"},
        {[](ProductSetup& s) { s.QBVTSlope = 1.5f; }, "Slope", "0.00", "1.50"},
        {[](ProductSetup& s) { s.QBVTOffset = -2.0f; }, "Offset", "0.00", "-2.00"},
        {[](ProductSetup& s) { s.SetSpectrum(31, 88.125f); }, "Spectrum point 31", "0.00", "88.125"},
        {[](ProductSetup& s) { s.SetTrackPlus(1, 1.0f); }, "Tracking + X", "0.00", "1.00"},
        {[](ProductSetup& s) { s.SetTrackMinus(3, 1.0f); }, "Tracking - Z", "0.00", "1.00"},
        {[](ProductSetup& s) { s.Views(6).ShadeBlocks = 4; }, "View 6: Shade Blocks", "0", "4"},
        {[](ProductSetup& s) { s.Views(7).CF = 0.25f; }, "View 7: CF", "0.00", "0.25"},
        {[](ProductSetup& s) { s.Views(1).lc = 2.0f; }, "View 1: lc", "0.00", "2.00"},
    };
    for (const auto& c : cases) {
        ProductSetup changed = sample();
        c.change(changed);
        const std::vector<Difference> found = differencesOf(sample(), changed);
        ASSERT_FALSE(found.empty()) << c.field;
        const Difference& last = found.back();
        EXPECT_EQ(std::tuple(last.SetupNumber, last.Field, last.FirstValue, last.SecondValue),
                  std::tuple(12, QString(c.field), QString(c.first), QString(c.second)));
    }
}

TEST(SetupComparison, RowsLabelledByScaleOnlyWhenBothSidesShareItAndNumbersInTheRegionalFormat)
{
    ProductSetup other = sample();
    other.Views(1).ColorScale = 3;  // L a b: rows "dL ", "da ", "db "
    other.SetScalePlus(1, 0.75f);
    const std::vector<Difference> found = differencesOf(sample(), other);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Field, "Tolerances: scale term 1 +");
    EXPECT_EQ(std::pair(found[1].Field, found[1].SecondValue), std::pair(QString("View 1: Color Scale"), QString("L a b")));

    // Numbers in the regional format, and exact where four decimals look alike.
    ProductSetup first = sample();
    other = sample();
    other.SetXYZTarget(2, 1234.5f);
    first.IndexMinus = 0.3127f;
    other.IndexMinus = 0.31271f;
    const std::vector<Difference> numbers = differencesOf(first, other, QLocale(QLocale::German, QLocale::Germany));
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(QStringList({numbers[0].FirstValue, numbers[0].SecondValue, numbers[1].FirstValue, numbers[1].SecondValue}),
              QStringList({"31,25", "1.234,50", "0.3127", "0.31271"}));
}

TEST(SetupComparison, UndecodableAndMissingLinesAreReportedForTheirSetup)
{
    SetupLines a, b;
    a.Name = "instrument";
    b.Name = "b.txt";
    const QByteArray good = lineOf(sample(), 3);
    a.Line(3) = good;
    b.Line(3) = good.left(good.size() / 2);  // cut
    a.Line(4) = "?04";                         // a refusal archived as the reply
    b.Line(4) = "?04";                         // alike on both sides: no difference
    a.Line(5) = lineOf(sample(), 6);           // the line of another setup
    b.Line(5) = lineOf(sample(), 5);
    a.Line(250) = lineOf(sample(), 250);       // only one side holds it
    const Comparison c = Compare(a, b, QLocale::c());
    ASSERT_EQ(c.Differences.size(), 3u) << qPrintable(ComparisonText(c));
    const Difference &cut = c.Differences[0], &other = c.Differences[1], &missing = c.Differences[2];
    EXPECT_EQ(std::tuple(cut.SetupNumber, cut.Field, cut.FirstValue), std::tuple(3, QString("Setup line"), QString("(decodes)")));
    EXPECT_TRUE(cut.SecondValue.startsWith("(does not decode: ")) << qPrintable(cut.SecondValue);
    EXPECT_EQ(other.FirstValue, "(does not decode: it is the line of setup 6)");
    EXPECT_EQ(std::pair(missing.SetupNumber, missing.SecondValue), std::pair(250, QString("(missing)")));
    EXPECT_EQ(SummaryText(c), "3 differences in 3 setups");
    EXPECT_TRUE(ComparisonText(c).startsWith("setup 3: Setup line: \"(decodes)\" (instrument), \"(does not decode: "));
}

// The instrument read, a restore whose read-back differs, and a read cancelled
// part-way are proven through the window (CompareSetupsWindowTest) and the
// command line.

TEST(SetupComparisonFiles, WhatIsNotAnArchive)
{
    QTemporaryDir dir;
    const QString name = dir.filePath("f.txt");
    const QByteArray line = lineOf(sample(), 1) + "\r\n";
    const struct { QByteArray bytes; bool archive; const char* reason; } cases[] = {
        {"", false, "it is empty"},
        {"tr8kz product setups\r\n", false, "its first line is not \"TR8KZ Product Setups\""},
        {"TR8KZ Product Setups\r\n" + line.repeated(250) + "\r\n\r\n", true, ""},
        {"TR8KZ Product Setups\r\n" + line.repeated(251), false,
         "it holds 251 setup lines, more than the instrument's 250"},
    };
    for (const auto& c : cases) {
        WriteWhole(name, c.bytes);
        const ArchiveFile file = ReadArchiveFile(name);
        EXPECT_EQ(file.IsArchive, c.archive) << c.reason;
        EXPECT_EQ(file.Reason, c.reason);
    }
    EXPECT_NE(ErrorOf([&] { ReadArchiveFile(dir.filePath("none.txt")); }).number(), 0);
}
