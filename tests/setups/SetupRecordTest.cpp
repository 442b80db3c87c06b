// The setup model and its record, both directions. The encoder's records are
// walked field by field with the codec; records for the decoder are written
// by the simulated instrument's own implementation of the layout.
#include "RaisedError.h"
#include "SetupRecord.h"
#include "SimSetup.h"

#include <gtest/gtest.h>

namespace {

// Every field and element a value of its own: the Singles after the
// distances hold 1, 2, 3, ... in record order; view 1 not enabled.
ProductSetup distinctSetup()
{
    ProductSetup s;
    s.Name = "MIXED 1", s.StandardType = 3, s.Searchable = true, s.ReadMode = 1, s.ReportInterval = 45;
    s.BaseDistance = 60, s.MaxDistance = 50, s.MinDistance = 20, s.HeightTrigger = true;
    float next = 1;
    s.QBVTSlope = next++;
    s.QBVTOffset = next++;
    for (int i = 1; i <= 31; ++i) s.SetSpectrum(i, next++);
    for (auto set : {&ProductSetup::SetXYZTarget, &ProductSetup::SetXYZRead, &ProductSetup::SetTrackPlus,
                     &ProductSetup::SetTrackMinus, &ProductSetup::SetScalePlus, &ProductSetup::SetScaleMinus})
        for (int i = 1; i <= 3; ++i) (s.*set)(i, next++);
    s.IndexPlus = next++;
    s.IndexMinus = next++;
    for (int v = 1; v <= 8; ++v)
        s.Views(v) = DataView{v % 2 == 0, static_cast<int16_t>(v % 7), static_cast<int16_t>(v + 9),
                              static_cast<int16_t>(7 - v % 7), static_cast<int16_t>(v + 12),
                              static_cast<int16_t>(200 + v), 1.0f / static_cast<float>(v), -3.0f * static_cast<float>(v)};
    return s;
}

// A record of these heights below the base and view entries, the rest zero.
QByteArray recordOf(float base, float baseMinusMax, float baseMinusMin, std::vector<SimView> views = {})
{
    SimSetup s;
    s.name = "REC", s.baseDistance = base, s.baseMinusMax = baseMinusMax, s.baseMinusMin = baseMinusMin;
    s.views = std::move(views);
    return EncodeSetupRecord(s);
}

}  // namespace

TEST(ProductSetup, ViewsAreEightDistinctObjectsAndBoundsAreError9ChangingNothing)
{
    // Distinct views are proven by the decoder filling each on its own.
    ProductSetup s = distinctSetup();
    ProductSetup copy = s;  // a copy owns views of its own
    copy.Views(2).ColorScale = 0;
    EXPECT_EQ(s.Views(2).ColorScale, 5);

    const ProductSetup before = s;
    const std::function<void()> outside[] = {
        [&] { (void)s.Spectrum(0); },      [&] { s.SetSpectrum(32, 9); },   [&] { s.SetXYZTarget(4, 9); },
        [&] { s.SetXYZRead(0, 9); },       [&] { s.SetTrackPlus(4, 9); },   [&] { s.SetTrackMinus(-1, 9); },
        [&] { s.SetScalePlus(4, 9); },     [&] { s.SetScaleMinus(0, 9); },  [&] { (void)s.TrackMinus(65540); },
        [&] { s.Views(0).Enabled = true; }, [&] { s.Views(9).Enabled = true; },
    };
    for (size_t i = 0; i < std::size(outside); ++i) EXPECT_EQ(ErrorOf(outside[i]).number(), 9) << i;
    EXPECT_TRUE(s == before);
    EXPECT_EQ(ErrorOf([&] { s.SetSpectrum(31, 1); s.SetScaleMinus(3, 1); (void)s.Views(8); }).number(), 0);
}

TEST(SetupRecord, EncodeThenDecodeGivesBackEveryField)
{
    const ProductSetup original = distinctSetup();
    FieldCodec codec;
    const QByteArray command = WriteSetupCommand(original, 250, codec);
    ASSERT_TRUE(command.startsWith("P000F9"));

    // Walked field by field: distances as heights below the base, eight view
    // entries 0..7 in order, view 1 enabled.
    FieldCodec walk;
    walk.SetText(command.mid(6));
    EXPECT_EQ(walk.ReadString(), QByteArray("MIXED 1"));
    EXPECT_EQ((std::vector<int>{walk.ReadInt(), walk.ReadBool(), walk.ReadByte(), walk.ReadInt()}),
              (std::vector<int>{3, 1, 1, 45}));
    EXPECT_EQ((std::vector<float>{walk.ReadSingle(), walk.ReadSingle(), walk.ReadSingle()}),
              (std::vector<float>{60.0f, 10.0f, 40.0f}));
    EXPECT_TRUE(walk.ReadBool());
    for (int k = 1; k <= 53; ++k) EXPECT_EQ(walk.ReadSingle(), static_cast<float>(k)) << k;
    ASSERT_EQ(walk.ReadByte(), 8);
    for (int v = 1; v <= 8; ++v) {
        EXPECT_EQ((std::vector<int>{walk.ReadByte(), walk.ReadBool(), walk.ReadInt(), walk.ReadInt(), walk.ReadInt(),
                                    walk.ReadInt(), walk.ReadByte()}),
                  (std::vector<int>{v - 1, v % 2 == 0 || v == 1, v % 7, v + 9, 7 - v % 7, v + 12, 200 + v}));
        EXPECT_EQ((std::vector<float>{walk.ReadSingle(), walk.ReadSingle()}),
                  (std::vector<float>{1.0f / static_cast<float>(v), -3.0f * static_cast<float>(v)}));
    }
    EXPECT_EQ(walk.BytesLeft(), 0);

    ProductSetup decoded;
    DecodeProductSetup(decoded, command.mid(6), codec);
    ProductSetup expected = original;
    expected.Views(1).Enabled = true;
    EXPECT_TRUE(decoded == expected);
}

TEST(SetupRecord, DistancesComeBackFromHeightsRoundedHalfToEvenAndBeyond16BitsAreError6BothWays)
{
    // The base and the heights below it; the base, maximum and minimum.
    const std::pair<std::array<float, 3>, std::vector<int>> cases[] = {
        {{60.0f, 10.0f, 40.0f}, {60, 50, 20}},
        {{12.5f, 1.5f, 2.5f}, {12, 10, 10}},   // limits from the rounded base: 12 - 1.5 = 10.5 gives 10
        {{13.5f, -0.5f, 0.5f}, {14, 14, 14}},  // 14.5 and 13.5 both give 14
    };
    for (const auto& [heights, distances] : cases) {
        ProductSetup s;
        DecodeProductSetup(s, recordOf(heights[0], heights[1], heights[2]));
        EXPECT_EQ((std::vector<int>{s.BaseDistance, s.MaxDistance, s.MinDistance}), distances) << heights[0];
    }

    // Base, maximum, minimum as distances (encode) and as heights (decode):
    // 35000, 32768 and -32769 do not fit 16 bits either way; just inside,
    // 32767 and -32768 fit both ways.
    const std::pair<std::array<int, 3>, bool> limits[] = {{{30000, -5000, 0}, false}, {{30000, 0, -2768}, false},
        {{-30000, 0, 2769}, false}, {{30000, 0, -2767}, true}, {{-30000, 0, 2768}, true}};
    for (const auto& [distances, fits] : limits) {
        const auto [base, max, min] = distances;
        ProductSetup s, back;
        s.BaseDistance = int16_t(base), s.MaxDistance = int16_t(max), s.MinDistance = int16_t(min);
        FieldCodec codec;
        codec.BeginCommand("P0");
        EXPECT_EQ(ErrorOf([&] { EncodeProductSetup(s, codec); }).number(), fits ? 0 : 6) << min;
        EXPECT_EQ(codec.GetText() == "P0", !fits) << "nothing appended when it does not fit";
        EXPECT_EQ(ErrorOf([&] { DecodeProductSetup(back, recordOf(base, max, min)); }).number(), fits ? 0 : 6) << min;
        EXPECT_TRUE(!fits || back.MinDistance == base - min) << min;
    }
}

TEST(SetupRecord, ViewEntriesFillTheViewsTheyNameAndOthersAreSkipped)
{
    ProductSetup s;
    for (int v = 1; v <= 8; ++v) s.Views(v).ColorIndex = 99;
    const ProductSetup marked = s;
    DecodeProductSetup(s, recordOf(60, 10, 40,
                                   {{0, false, 1, 2, 3, 4, 5, 0.5f, 1.5f},
                                    {8, true, 1, 1, 1, 1, 1, 1.0f, 1.0f},
                                    {4, true, 2, 3, 4, 5, 6, 2.5f, 3.5f},
                                    {255, true, 2, 2, 2, 2, 2, 2.0f, 2.0f},
                                    {2, false, 6, 17, 6, 21, 255, -1.0f, -2.0f}}));
    EXPECT_EQ(s.Views(1), (DataView{true, 1, 2, 3, 4, 5, 0.5f, 1.5f}));  // enabled whatever the flag
    EXPECT_EQ(s.Views(5), (DataView{true, 2, 3, 4, 5, 6, 2.5f, 3.5f}));
    EXPECT_EQ(s.Views(3), (DataView{false, 6, 17, 6, 21, 255, -1.0f, -2.0f}));
    for (int v : {2, 4, 6, 7, 8}) EXPECT_EQ(s.Views(v), marked.Views(v)) << v;

    // No entries at all: every view as it was, view 1 not enabled either.
    ProductSetup t = marked;
    DecodeProductSetup(t, recordOf(60, 10, 40));
    EXPECT_EQ(t.Name, QByteArray("REC"));
    for (int v = 1; v <= 8; ++v) EXPECT_EQ(t.Views(v), marked.Views(v)) << v;
}
