#include "FieldCodec.h"
#include "RaisedError.h"

#include <limits>

TEST(FieldCodec, WritesEachFieldKindBigEndianInUpperCaseHexAndReadsItBackAcrossItsRange)
{
    FieldCodec codec;
    codec.BeginCommand("S1");
    codec.AppendWord(0x1A2B);
    codec.AppendInt(-2);
    codec.AppendLong(-2);
    codec.AppendByte(1);
    codec.AppendBool(true);
    codec.AppendBool(false);
    codec.AppendSingle(1.0f);
    codec.AppendString("AB");
    EXPECT_EQ(codec.GetText(), "S11A2BFFFE" "FFFFFFFE" "01" "0100" "3FF0000000000000" "024142");

    // Read back: the values whose sign, width or byte order a reader gets
    // wrong; the others are as the text above shows.
    QByteArray allBytes;
    for (int i = 1; i < 256; ++i) allBytes.append(static_cast<char>(i));
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
    codec.SetText("P2" "05" "00");
    EXPECT_EQ(codec.GetCommand(), "P");  // '2' is already a hex digit
    codec.SetText("0102");
    EXPECT_EQ(codec.GetCommand(), "");
    EXPECT_EQ(codec.ReadByte(), 1);

    // Identification: Skip 5 reaches the model.
    codec.SetText("#" "01" "00000E10" "05" "5452384B5A" "03" "312E30");
    EXPECT_EQ(codec.GetCommand(), "#");
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
    for (const auto& append : std::initializer_list<std::function<void()>>{
             [&] { codec.AppendWord(-1); }, [&] { codec.AppendWord(65536); }, [&] { codec.AppendInt(32768); },
             [&] { codec.AppendByte(256); }, [&] { codec.AppendString(QByteArray(256, 'A')); }})
        EXPECT_EQ(RaisedError(append).number(), ErrorNumber::Overflow);
    EXPECT_EQ(codec.GetText(), "P1") << "a refused value appends nothing";

    codec.SetText("d8000");
    EXPECT_EQ(RaisedError([&] { codec.ReadWord(); }).number(), ErrorNumber::Overflow) << "a count above 32767";
    codec.SetText("d7FFF");
    EXPECT_EQ(codec.ReadWord(), 32767);

    // An odd digit count, lower-case (no hex digit of the format), a Long or
    // a String longer than the text, a skip past its end.
    const struct { const char* text; std::function<void()> read; } malformed[] = {
        {"s0", [&] { codec.ReadByte(); }},     {"s0a", [&] { codec.ReadByte(); }},
        {"s0001", [&] { codec.ReadLong(); }},  {"s05414243", [&] { codec.ReadString(); }},
        {"s0102", [&] { codec.Skip(3); }},
    };
    for (const auto& m : malformed) {
        codec.SetText(m.text);
        EXPECT_EQ(RaisedError(m.read).number(), ErrorNumber::MalformedText) << m.text;
    }
    codec.Skip(2);
    EXPECT_EQ(codec.BytesLeft(), 0);

    codec.SetText("s00G0");
    const QString description = RaisedError([&] { codec.ReadByte(); codec.ReadByte(); }).description();
    EXPECT_TRUE(description.contains("byte 1") && description.contains("'G'")) << qPrintable(description);
}
