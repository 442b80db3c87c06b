// The setup record: field order and arithmetic in both directions. Expected
// texts are written out by hand in the instrument's format (two hex digits a
// byte, Singles as big-endian binary64).
#include "AppError.h"
#include "SetupRecord.h"
#include "SetupTestSupport.h"

#include <gtest/gtest.h>

namespace {

const QByteArray Zero8 = "0000000000000000";  // a Single of 0.0

QByteArray repeat(const QByteArray& text, int count)
{
    QByteArray result;
    for (int i = 0; i < count; ++i) result += text;
    return result;
}

// A setup whose every field and element holds a value of its own.
ProductSetup distinctSetup()
{
    ProductSetup s;
    s.Name = "MIXED 1";
    s.StandardType = 3;
    s.Searchable = true;
    s.ReadMode = 1;
    s.ReportInterval = 45;
    s.BaseDistance = 120;
    s.MinDistance = 35;
    s.MaxDistance = 90;
    s.HeightTrigger = true;
    s.QBVTSlope = 1.5f;
    s.QBVTOffset = -2.75f;
    s.IndexPlus = 0.375f;
    s.IndexMinus = -0.625f;
    for (int i = 1; i <= 31; ++i) s.SetSpectrum(i, 0.01f * static_cast<float>(i) + 0.3f);
    for (int i = 1; i <= 3; ++i) {
        s.SetXYZTarget(i, 10.1f * i);
        s.SetXYZRead(i, 20.2f * i);
        s.SetTrackPlus(i, 30.3f * i);
        s.SetTrackMinus(i, -40.4f * i);
        s.SetScalePlus(i, 50.5f * i);
        s.SetScaleMinus(i, -60.6f * i);
    }
    for (int v = 1; v <= 8; ++v) {
        DataView& view = s.Views(v);
        view.Enabled = v % 2 == 0;  // view 1 disabled here
        view.DisplayType = static_cast<int16_t>(v % 7);
        view.IllumObs = static_cast<int16_t>(v + 9);
        view.ColorScale = static_cast<int16_t>(7 - v % 7);
        view.ColorIndex = static_cast<int16_t>(v + 12);
        view.ShadeBlocks = static_cast<int16_t>(200 + v);
        view.CF = 1.0f / static_cast<float>(v);
        view.lc = -3.0f * static_cast<float>(v);
    }
    return s;
}

// Every field set to a value the records of these tests never carry.
ProductSetup sentinelSetup()
{
    ProductSetup s;
    s.Name = "OLD";
    s.StandardType = 9;
    s.ReportInterval = 999;
    s.BaseDistance = 5;
    s.MinDistance = 6;
    s.MaxDistance = 7;
    s.IndexMinus = 77.0f;
    for (int v = 1; v <= 8; ++v) {
        s.Views(v).ColorIndex = 99;
        s.Views(v).CF = 99.0f;
    }
    return s;
}

QByteArray withoutViews(const QByteArray& head) { return head + "00"; }

int32_t errorNumberOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(SetupRecord, EncodedCommandFollowsTheRecordLayout)
{
    ProductSetup s;  // view 1 not enabled in the setup
    s.BaseDistance = 60;
    s.MaxDistance = 50;
    s.MinDistance = 20;
    FieldCodec codec;
    codec.BeginCommand("P0");
    codec.AppendWord(11);

    QByteArray expected = "P0000B";
    expected += "00" "0000" "00" "00" "0000";                         // name, standard, searchable, mode, interval
    expected += "404E000000000000" "4024000000000000" "4044000000000000";  // 60.0, 10.0, 40.0
    expected += "00";                                                  // height trigger
    expected += repeat(Zero8, 2 + 31 + 18 + 2);
    expected += "08";
    for (int v = 0; v < 8; ++v)
        expected += Hex2(v) + (v == 0 ? "01" : "00") + repeat("0000", 4) + "00" + Zero8 + Zero8;

    EXPECT_EQ(EncodeProductSetup(s, codec), expected);
    EXPECT_EQ(codec.GetText(), expected);
    EXPECT_FALSE(s.Views(1).Enabled);  // the setup itself is not changed
}

TEST(SetupRecord, EncodedRecordAlwaysHasEightViewEntriesInOrder)
{
    const ProductSetup s = distinctSetup();
    FieldCodec codec;
    codec.BeginCommand("P0");
    codec.AppendWord(0);
    const QByteArray text = EncodeProductSetup(s, codec);

    // Walk the record with the codec: 56 Singles and the leading fields first.
    FieldCodec reader;
    reader.SetText(text.mid(6));
    EXPECT_EQ(reader.ReadString(), QByteArray("MIXED 1"));
    reader.Skip(2 + 1 + 1 + 2 + 56 * 8 + 1);
    ASSERT_EQ(reader.ReadByte(), 8);
    for (int v = 0; v < 8; ++v) {
        EXPECT_EQ(reader.ReadByte(), v);
        EXPECT_EQ(reader.ReadBool(), v == 0 ? true : (v + 1) % 2 == 0) << v;
        EXPECT_EQ(reader.ReadInt(), (v + 1) % 7);
        EXPECT_EQ(reader.ReadInt(), v + 1 + 9);
        EXPECT_EQ(reader.ReadInt(), 7 - (v + 1) % 7);
        EXPECT_EQ(reader.ReadInt(), v + 1 + 12);
        EXPECT_EQ(reader.ReadByte(), 200 + v + 1);
        EXPECT_EQ(reader.ReadSingle(), 1.0f / static_cast<float>(v + 1));
        EXPECT_EQ(reader.ReadSingle(), -3.0f * static_cast<float>(v + 1));
    }
    EXPECT_EQ(reader.BytesLeft(), 0);
}

TEST(SetupRecord, DecodingWhatTheEncoderWroteGivesBackTheSetup)
{
    const ProductSetup original = distinctSetup();
    FieldCodec codec;
    codec.BeginCommand("P0");
    codec.AppendWord(249);
    const QByteArray command = EncodeProductSetup(original, codec);
    ASSERT_TRUE(command.startsWith("P000F9"));

    ProductSetup decoded = sentinelSetup();
    DecodeProductSetup(decoded, command.mid(6), codec);

    ProductSetup expected = original;
    expected.Views(1).Enabled = true;  // view 1 always comes back enabled
    EXPECT_TRUE(decoded == expected);
    // A few fields spelt out, so that a failure says where.
    EXPECT_EQ(decoded.Name, QByteArray("MIXED 1"));
    EXPECT_EQ(decoded.BaseDistance, 120);
    EXPECT_EQ(decoded.MinDistance, 35);
    EXPECT_EQ(decoded.MaxDistance, 90);
    EXPECT_EQ(decoded.Spectrum(31), original.Spectrum(31));
    EXPECT_EQ(decoded.ScaleMinus(3), original.ScaleMinus(3));
    EXPECT_EQ(decoded.Views(8).lc, -24.0f);
    EXPECT_TRUE(decoded.Views(1).Enabled);
    EXPECT_FALSE(decoded.Views(3).Enabled);
}

TEST(SetupRecord, DistancesTravelAsHeightsBelowTheBase)
{
    // 60, 10, 40 on the instrument are base 60, maximum 50, minimum 20.
    ProductSetup s = sentinelSetup();
    DecodeProductSetup(s, withoutViews(RecordHead(1, 60.0f, 10.0f, 40.0f)));
    EXPECT_EQ(s.BaseDistance, 60);
    EXPECT_EQ(s.MaxDistance, 50);
    EXPECT_EQ(s.MinDistance, 20);

    // Halves go to the even neighbour; the limits are taken from the rounded
    // base (12 - 1.5 = 10.5 gives 10; from 12.5 it would have been 11).
    DecodeProductSetup(s, withoutViews(RecordHead(1, 12.5f, 1.5f, 2.5f)));
    EXPECT_EQ(s.BaseDistance, 12);
    EXPECT_EQ(s.MaxDistance, 10);
    EXPECT_EQ(s.MinDistance, 10);
    DecodeProductSetup(s, withoutViews(RecordHead(1, 13.5f, -0.5f, 0.5f)));
    EXPECT_EQ(s.BaseDistance, 14);
    EXPECT_EQ(s.MaxDistance, 14);  // 14.5 -> 14
    EXPECT_EQ(s.MinDistance, 14);  // 13.5 -> 14
}

TEST(SetupRecord, DecodeOverflowStopsAtTheFieldAndKeepsWhatWasRead)
{
    ProductSetup s = sentinelSetup();
    EXPECT_EQ(errorNumberOf([&] { DecodeProductSetup(s, withoutViews(RecordHead(7, 40000.0f, 0.0f, 0.0f))); }), 6);
    EXPECT_EQ(s.Name, QByteArray("SETUP 7"));  // read before the failing field
    EXPECT_EQ(s.ReportInterval, 21);
    EXPECT_EQ(s.BaseDistance, 5);              // the failing field and all after it unchanged
    EXPECT_EQ(s.MaxDistance, 7);
    EXPECT_EQ(s.IndexMinus, 77.0f);

    s = sentinelSetup();
    EXPECT_EQ(errorNumberOf([&] { DecodeProductSetup(s, withoutViews(RecordHead(7, 30000.0f, -5000.0f, 0.0f))); }), 6);
    EXPECT_EQ(s.BaseDistance, 30000);
    EXPECT_EQ(s.MaxDistance, 7);
    EXPECT_EQ(s.MinDistance, 6);

    s = sentinelSetup();
    EXPECT_EQ(errorNumberOf([&] { DecodeProductSetup(s, withoutViews(RecordHead(7, -30000.0f, 0.0f, 5000.0f))); }), 6);
    EXPECT_EQ(s.BaseDistance, -30000);
    EXPECT_EQ(s.MaxDistance, -30000);
    EXPECT_EQ(s.MinDistance, 6);

    // A record cut short: the codec's error, and the fields before it kept.
    s = sentinelSetup();
    const QByteArray head = RecordHead(2, 60.0f, 10.0f, 40.0f);
    const int32_t malformed = errorNumberOf([&] { DecodeProductSetup(s, head.left(head.size() - 8)); });
    EXPECT_EQ(malformed, ErrorNumber::MalformedText);
    EXPECT_EQ(s.BaseDistance, 60);
    EXPECT_EQ(s.IndexPlus, 0.75f);
    EXPECT_EQ(s.IndexMinus, 77.0f);
}

TEST(SetupRecord, EncodeOverflowLeavesTheBegunCommandAlone)
{
    for (int which = 0; which < 3; ++which) {
        ProductSetup s;
        s.BaseDistance = which == 2 ? -30000 : 30000;
        if (which == 0) s.MaxDistance = -5000;  // 35000
        if (which == 1) s.MinDistance = -2768;  // 32768
        if (which == 2) s.MinDistance = 2769;   // -32769
        FieldCodec codec;
        codec.BeginCommand("P0");
        codec.AppendWord(3);
        EXPECT_EQ(errorNumberOf([&] { EncodeProductSetup(s, codec); }), 6) << which;
        EXPECT_EQ(codec.GetText(), QByteArray("P00003")) << which;
    }
    // The largest height that fits is accepted.
    ProductSetup s;
    s.BaseDistance = 30000;
    s.MinDistance = -2767;
    FieldCodec codec;
    codec.BeginCommand("P0");
    EXPECT_NO_THROW(EncodeProductSetup(s, codec));
}

TEST(SetupRecord, ViewEntriesFillTheViewsTheyName)
{
    FieldText views;
    views.byte(4)
        .view(0, false, 1, 2, 3, 4, 5, 0.5f, 1.5f)   // view 1: enabled whatever the flag
        .view(4, true, 2, 3, 4, 5, 6, 2.5f, 3.5f)    // view 5
        .view(2, false, 6, 17, 6, 21, 255, -1.0f, -2.0f)  // view 3
        .view(4, false, 0, 13, 1, 12, 7, 4.5f, 5.5f);    // view 5 again: the later entry wins
    ProductSetup s = sentinelSetup();
    DecodeProductSetup(s, RecordHead(3, 60.0f, 10.0f, 40.0f) + views.text());

    EXPECT_EQ(s.Views(1), (DataView{true, 1, 2, 3, 4, 5, 0.5f, 1.5f}));
    EXPECT_EQ(s.Views(3), (DataView{false, 6, 17, 6, 21, 255, -1.0f, -2.0f}));
    EXPECT_EQ(s.Views(5), (DataView{false, 0, 13, 1, 12, 7, 4.5f, 5.5f}));
    for (int v : {2, 4, 6, 7, 8}) {
        EXPECT_EQ(s.Views(v).ColorIndex, 99) << v;
        EXPECT_EQ(s.Views(v).CF, 99.0f) << v;
    }
}

TEST(SetupRecord, ViewEntriesOutsideTheEightViewsAreSkipped)
{
    FieldText views;
    views.byte(3)
        .view(8, true, 1, 1, 1, 1, 1, 1.0f, 1.0f)      // view number 9
        .view(255, true, 2, 2, 2, 2, 2, 2.0f, 2.0f)    // view number 256
        .view(1, true, 3, 4, 5, 6, 7, 8.0f, 9.0f);     // view 2, read after the two skips
    ProductSetup s = sentinelSetup();
    DecodeProductSetup(s, RecordHead(3, 60.0f, 10.0f, 40.0f) + views.text());
    EXPECT_EQ(s.Views(2), (DataView{true, 3, 4, 5, 6, 7, 8.0f, 9.0f}));
    for (int v : {1, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(s.Views(v).ColorIndex, 99) << v;

    // No entries at all: every view as it was.
    ProductSetup t = sentinelSetup();
    t.Views(1).Enabled = false;
    const ProductSetup before = t;
    DecodeProductSetup(t, withoutViews(RecordHead(3, 60.0f, 10.0f, 40.0f)));
    for (int v = 1; v <= 8; ++v) EXPECT_EQ(t.Views(v), before.Views(v)) << v;
    EXPECT_EQ(t.Name, QByteArray("SETUP 3"));
}

TEST(SetupRecord, SetupCommandsAndTheReadReply)
{
    FieldCodec codec;
    EXPECT_EQ(ReadSetupCommand(1, codec), QByteArray("P10000"));
    EXPECT_EQ(ReadSetupCommand(250, codec), QByteArray("P100F9"));
    ProductSetup s;
    EXPECT_TRUE(WriteSetupCommand(s, 250, codec).startsWith("P000F900"));
    EXPECT_EQ(RecordOfReadReply("P20AABCD"), QByteArray("ABCD"));
    EXPECT_EQ(RecordOfReadReply("P20A"), QByteArray());
    EXPECT_EQ(RecordOfReadReply("P2"), QByteArray());

    EXPECT_NO_THROW(ThrowIfRefused("p0001", "P2"));
    try {
        ThrowIfRefused("?07", "Q10002");
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(e.description().contains("Q10002"));
        EXPECT_TRUE(e.description().contains("07"));
    }
}
