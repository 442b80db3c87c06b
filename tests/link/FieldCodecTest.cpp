#include "AppError.h"
#include "FieldCodec.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(FieldCodec, WritesEachFieldKindBigEndianInUpperCaseHex)
{
    FieldCodec codec;
    codec.BeginCommand("X000");
    codec.AppendLong(-1);
    codec.AppendByte(1);
    EXPECT_EQ(codec.GetText(), "X000FFFFFFFF01");

    codec.BeginCommand("S1");
    codec.AppendWord(0x1A2B);
    codec.AppendInt(-2);
    codec.AppendBool(true);
    codec.AppendBool(false);
    codec.AppendSingle(1.0f);
    codec.AppendString("AB");
    EXPECT_EQ(codec.GetText(), "S11A2BFFFE0100" "3FF0000000000000" "024142");
}

TEST(FieldCodec, ReadsBackEveryFieldKindAcrossItsRange)
{
    // The values whose sign, width or byte order a reader gets wrong; the
    // others are as the writer test shows.
    QByteArray allBytes;
    for (int i = 1; i < 256; ++i) allBytes.append(static_cast<char>(i));
    FieldCodec codec;
    codec.BeginCommand("s");
    codec.AppendByte(255);
    codec.AppendInt(-32768);
    codec.AppendLong(std::numeric_limits<int32_t>::min());
    codec.AppendLong(std::numeric_limits<int32_t>::max());
    codec.AppendSingle(0.1f);
    codec.AppendSingle(std::numeric_limits<float>::max());
    codec.AppendString(allBytes);
    codec.AppendString({});
    codec.AppendString(QByteArray("a\0b", 3));

    codec.SetText(codec.GetText());
    EXPECT_EQ(codec.GetCommand(), "s");
    EXPECT_EQ(codec.ReadByte(), 255);
    EXPECT_EQ(codec.ReadInt(), -32768);
    EXPECT_EQ(codec.ReadLong(), std::numeric_limits<int32_t>::min());
    EXPECT_EQ(codec.ReadLong(), std::numeric_limits<int32_t>::max());
    EXPECT_EQ(codec.ReadSingle(), 0.1f);  // exact: widened, then rounded back
    EXPECT_EQ(codec.ReadSingle(), std::numeric_limits<float>::max());
    EXPECT_EQ(codec.ReadString(), allBytes);
    EXPECT_EQ(codec.ReadString(), QByteArray());
    EXPECT_EQ(codec.ReadString(), QByteArray("a\0b", 3));
    EXPECT_EQ(codec.BytesLeft(), 0);

    // Any non-zero byte reads as true; a double reads rounded to a float.
    codec.SetText("x02" "00" "3FB999999999999A");  // 0.1 as a double
    EXPECT_TRUE(codec.ReadBool());
    EXPECT_FALSE(codec.ReadBool());
    EXPECT_EQ(codec.ReadSingle(), 0.1f);
}

TEST(FieldCodec, CodesPositionsAndSkips)
{
    FieldCodec codec;
    // A code is the leading run of characters that are not upper-case hex.
    codec.SetText("#01000000FF05TR8KZ");
    EXPECT_EQ(codec.GetCommand(), "#");
    codec.SetText("P2" "05" "00");
    EXPECT_EQ(codec.GetCommand(), "P");  // '2' is already a hex digit
    codec.SetText("0102");
    EXPECT_EQ(codec.GetCommand(), "");
    EXPECT_EQ(codec.ReadByte(), 1);

    // Identification: Skip 5 reaches the model.
    codec.SetText("#" "01" "00000E10" "05" "5452384B5A" "03" "312E30");
    codec.Skip(5);
    EXPECT_EQ(codec.ReadString(), "TR8KZ");
    EXPECT_EQ(codec.BytePosition(), 11);
    codec.ResetPosition();
    EXPECT_EQ(codec.ReadByte(), 1);
}

TEST(FieldCodec, RefusesValuesThatDoNotFitAndMalformedText)
{
    FieldCodec codec;
    codec.BeginCommand("P1");
    EXPECT_EQ(errorNumberOf([&] { codec.AppendWord(-1); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([&] { codec.AppendWord(65536); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([&] { codec.AppendInt(32768); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([&] { codec.AppendByte(256); }), ErrorNumber::Overflow);
    EXPECT_EQ(errorNumberOf([&] { codec.AppendString(QByteArray(256, 'A')); }), ErrorNumber::Overflow);
    EXPECT_EQ(codec.GetText(), "P1") << "a refused value appends nothing";

    codec.SetText("d8000");
    EXPECT_EQ(errorNumberOf([&] { codec.ReadWord(); }), ErrorNumber::Overflow) << "a count above 32767";
    codec.SetText("d7FFF");
    EXPECT_EQ(codec.ReadWord(), 32767);

    codec.SetText("s0");  // odd digit count
    EXPECT_EQ(errorNumberOf([&] { codec.ReadByte(); }), ErrorNumber::MalformedText);
    codec.SetText("s0a");  // lower-case is not a hex digit of the format
    EXPECT_EQ(errorNumberOf([&] { codec.ReadByte(); }), ErrorNumber::MalformedText);
    codec.SetText("s0001");
    EXPECT_EQ(errorNumberOf([&] { codec.ReadLong(); }), ErrorNumber::MalformedText);
    codec.SetText("s05414243");  // a String longer than the text
    EXPECT_EQ(errorNumberOf([&] { codec.ReadString(); }), ErrorNumber::MalformedText);
    codec.SetText("s0102");
    EXPECT_EQ(errorNumberOf([&] { codec.Skip(3); }), ErrorNumber::MalformedText);
    codec.Skip(2);
    EXPECT_EQ(codec.BytesLeft(), 0);

    try {
        codec.SetText("s00G0");
        codec.ReadByte();
        codec.ReadByte();
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.description().contains("byte 1")) << qPrintable(e.description());
        EXPECT_TRUE(e.description().contains("'G'")) << qPrintable(e.description());
    }
}
