// The simulated instrument's answers, command by command, decoded as the
// utility decodes them.
#include "SimTestSupport.h"

#include <gtest/gtest.h>

using namespace simtest;

TEST(SimProtocol, LinkControlAndIdentification)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock));
    EXPECT_EQ(reply(instrument, "R"), "r");
    EXPECT_FALSE(instrument.RemoteMode());
    EXPECT_EQ(reply(instrument, "+1"), "+");
    EXPECT_TRUE(instrument.RemoteMode());
    EXPECT_EQ(reply(instrument, "+"), "+");
    EXPECT_FALSE(instrument.RemoteMode());

    // "#", version 01, uptime 0, then the three texts: "TR8KZ", "3.07",
    // "KZ8-204117" in Latin-1 hex, written out by hand.
    EXPECT_EQ(reply(instrument, "#"),
              "#" "01" "00000000" "05" "5452384B5A" "04" "332E3037" "0A" "4B5A382D323034313137");

    // The uptime counts from the start; Skip 5 still reaches the model name.
    clock->advance(3725);
    SimOptions renamed = options(clock);
    renamed.model = "TR8 KZ/2";
    renamed.firmware = "";
    SimInstrument other(renamed);
    clock->advance(90);
    FieldCodec codec;
    codec.SetText(reply(other, "#"));
    EXPECT_EQ(codec.GetCommand(), "#");
    EXPECT_EQ(codec.ReadByte(), 1);
    EXPECT_EQ(codec.ReadLong(), 90);
    codec.ResetPosition();
    codec.Skip(5);
    EXPECT_EQ(codec.ReadString(), "TR8 KZ/2");
    EXPECT_EQ(codec.ReadString(), "");
    EXPECT_EQ(codec.ReadString(), "KZ8-204117");
    EXPECT_EQ(codec.BytesLeft(), 0);
}

TEST(SimProtocol, StatusBlockLayout)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 120);
    o.inches = true;
    o.runConfigVariant = 1;
    SimInstrument instrument(o);

    const QByteArray status = reply(instrument, "D0001");
    ASSERT_TRUE(status.startsWith('d'));
    EXPECT_EQ(status.size(), 1 + 2 * 28);  // Long + 22 bytes + Word count
    FieldCodec codec;
    codec.SetText(status);
    EXPECT_EQ(codec.ReadLong(), instrument.StandardizedAt());
    EXPECT_LT(instrument.StandardizedAt(), kNowSeconds);
    EXPECT_GT(codec.ReadLong(), 1000);          // lamp hours
    EXPECT_EQ(codec.ReadInt(), 314);            // 31.4 degrees C when just switched on
    codec.ReadWord();                           // readings since standardization
    EXPECT_EQ(codec.ReadLong(), kNowSeconds);   // the clock: the computer's, no offset yet
    EXPECT_EQ(codec.ReadByte(), 1);             // inches
    EXPECT_EQ(codec.ReadByte(), 1);             // distance variant
    EXPECT_EQ(codec.ReadWord(), instrument.SetupInUse());
    EXPECT_GE(codec.ReadLong(), 120);           // readings ever
    EXPECT_EQ(codec.ReadWord(), 2000);          // capacity
    EXPECT_EQ(codec.BytePosition(), 26);
    EXPECT_EQ(codec.ReadWord(), 120);
    EXPECT_EQ(codec.BytesLeft(), 0);

    codec.SetText(status);
    codec.Skip(26);
    EXPECT_EQ(codec.ReadWord(), 120);

    EXPECT_EQ(reply(instrument, "Q10001"), "q0001");
    EXPECT_EQ(reply(instrument, "Q10002"), "q0001");
}

TEST(SimProtocol, RunConfigurationQueriesAnswerTheConfiguredValues)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 0);
    o.inches = false;
    o.runConfigVariant = 7;  // neither variant: the utility opens no editor
    SimInstrument instrument(o);
    EXPECT_EQ(reply(instrument, "Q10001"), "q0000");
    EXPECT_EQ(reply(instrument, "Q10002"), "q0007");
    FieldCodec codec;
    codec.SetText(reply(instrument, "D0001"));
    codec.Skip(16);
    EXPECT_EQ(codec.ReadByte(), 0);
    EXPECT_EQ(codec.ReadByte(), 7);
    EXPECT_EQ(reply(instrument, "Q10003"), "?01");
    EXPECT_EQ(reply(instrument, "Q100010"), "?02");
}

TEST(SimProtocol, SettingTheClockMovesStatusAndNewReadings)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 5));

    // 0x12345678 = 305419896 seconds (1979-09-05 22:51:36).
    EXPECT_EQ(reply(instrument, "X00012345678"), "x");
    FieldCodec codec;
    codec.SetText(reply(instrument, "D0001"));
    codec.Skip(12);
    EXPECT_EQ(codec.ReadLong(), 305419896);

    // The instrument's clock runs on with the computer's.
    clock->advance(61);
    codec.SetText(reply(instrument, "D0001"));
    codec.Skip(12);
    EXPECT_EQ(codec.ReadLong(), 305419896 + 61);

    // A reading made now carries the new time.
    instrument.TakeMeasurement();
    ASSERT_EQ(instrument.DatalogCount(), 6);
    codec.SetText(reply(instrument, command("S1", 5)));
    codec.ReadWord();
    codec.ReadString();
    codec.ReadString();
    codec.Skip(2 * 4 + 1);
    EXPECT_EQ(codec.ReadLong(), 305419896 + 61);

    // FFFFFFFF leaves the clock alone; a flags byte of 00 too.
    clock->advance(1);
    EXPECT_EQ(reply(instrument, "X000FFFFFFFF"), "x");
    EXPECT_EQ(reply(instrument, "X000FFFFFFFF00"), "x");
    EXPECT_EQ(instrument.Clock(), 305419896 + 62);
    EXPECT_EQ(instrument.DatalogCount(), 6);

    // Before 1970 is a negative Long: 1969-12-31 23:59:00 is FFFFFFC4.
    EXPECT_EQ(reply(instrument, "X000FFFFFFC4"), "x");
    EXPECT_EQ(instrument.Clock(), -60);

    // Malformed or reserved arguments change nothing.
    EXPECT_EQ(reply(instrument, "X000"), "?02");
    EXPECT_EQ(reply(instrument, "X0001234"), "?02");
    EXPECT_EQ(reply(instrument, "X000123456780102"), "?02");
    EXPECT_EQ(reply(instrument, "X0001234567z"), "?02");
    EXPECT_EQ(reply(instrument, "X000FFFFFFFF03"), "?03");
    EXPECT_EQ(instrument.DatalogCount(), 6);
    EXPECT_EQ(instrument.Clock(), -60);
}

TEST(SimProtocol, ClearingTheDatalogLeavesTheClock)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 40));
    ASSERT_EQ(reply(instrument, "X00012345678"), "x");
    ASSERT_EQ(reply(instrument, command("S1", 39)).left(5), "s0027");

    EXPECT_EQ(reply(instrument, "X000FFFFFFFF01"), "x");
    EXPECT_EQ(instrument.DatalogCount(), 0);
    EXPECT_EQ(instrument.Clock(), 305419896);
    FieldCodec codec;
    codec.SetText(reply(instrument, "D0001"));
    codec.Skip(26);
    EXPECT_EQ(codec.ReadWord(), 0);
    EXPECT_EQ(reply(instrument, command("S1", 0)), "?03");

    // Setting the clock and clearing in one command.
    instrument.TakeMeasurement();
    EXPECT_EQ(reply(instrument, "X0000000003C01"), "x");
    EXPECT_EQ(instrument.DatalogCount(), 0);
    EXPECT_EQ(instrument.Clock(), 60);
}

TEST(SimProtocol, DatalogRecordFollowsTheCaptureLayout)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 120));

    // Record 0 is the standard reading that opens the first run.
    FieldCodec codec;
    codec.SetText(reply(instrument, command("S1", 0)));
    EXPECT_EQ(codec.GetCommand(), "s");
    EXPECT_EQ(codec.ReadWord(), 0);
    EXPECT_EQ(codec.ReadString(), "RED ENAMEL, GLOSS; LINE 2");
    EXPECT_EQ(codec.ReadString(), "STD");
    EXPECT_EQ(codec.ReadInt(), 0);  // setup 1
    const int standardType = codec.ReadInt();
    EXPECT_GE(standardType, 0);
    EXPECT_LE(standardType, 3);
    EXPECT_EQ(codec.ReadInt(), 0);  // view type: absolute
    EXPECT_EQ(codec.ReadInt(), 0);  // sequence: the standard is 0
    EXPECT_TRUE(codec.ReadBool());
    const int32_t time = codec.ReadLong();
    EXPECT_LT(time, kNowSeconds);
    EXPECT_GT(time, kNowSeconds - 32 * 86400);
    EXPECT_EQ(codec.ReadInt(), 13);  // D65/10
    EXPECT_EQ(codec.ReadInt(), 0);   // skipped: view 1
    const int scale = codec.ReadInt();
    EXPECT_TRUE(scale == 1 || scale == 2);
    EXPECT_EQ(codec.ReadInt(), 23);  // dE*: 15 in the view, 23 in the datalog
    codec.Skip(4);
    EXPECT_TRUE(codec.ReadBool());   // height (variant 2)
    EXPECT_TRUE(codec.ReadBool());   // millimetres
    const float height = codec.ReadSingle();
    EXPECT_GE(height, 0.0f);
    EXPECT_LE(height, 150.0f);
    // A red: low in the blue, high in the red.
    std::array<float, 31> spectrum{};
    for (float& v : spectrum) v = codec.ReadSingle();
    EXPECT_LT(spectrum[0], 10.0f);
    EXPECT_GT(spectrum[30], 60.0f);
    const float lightness = codec.ReadSingle();
    EXPECT_GT(lightness, 20.0f);
    EXPECT_LT(lightness, 70.0f);
    codec.Skip(5 * 8);
    codec.Skip(48);
    codec.ReadSingle();
    codec.ReadSingle();
    codec.Skip(16);
    const float dE = codec.ReadSingle();
    EXPECT_GE(dE, 0.0f);
    EXPECT_LT(dE, 1.0f);  // a standard reads close to its stored standard
    const float temperature = codec.ReadSingle();
    EXPECT_GT(temperature, 25.0f);
    EXPECT_LT(temperature, 40.0f);
    EXPECT_EQ(codec.BytesLeft(), 0);

    // The last record, and past the end.
    EXPECT_TRUE(reply(instrument, command("S1", 119)).startsWith("s0077"));
    EXPECT_EQ(reply(instrument, command("S1", 120)), "?03");
    EXPECT_EQ(reply(instrument, "S1FFFF"), "?03");
    EXPECT_EQ(reply(instrument, "S1"), "?02");
    EXPECT_EQ(reply(instrument, "S100"), "?02");
    EXPECT_EQ(reply(instrument, "S100000"), "?02");
    EXPECT_EQ(reply(instrument, "S1000a"), "?02");
}

TEST(SimProtocol, UnknownAndMalformedCommandsAreAlwaysAnswered)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 3));
    EXPECT_EQ(reply(instrument, "Z"), "?01");
    EXPECT_EQ(reply(instrument, ""), "?01");
    EXPECT_EQ(reply(instrument, "D0002"), "?01");
    EXPECT_EQ(reply(instrument, "d0001"), "?01");
    EXPECT_EQ(reply(instrument, "R1"), "?02");
    EXPECT_EQ(reply(instrument, "+12"), "?02");
    EXPECT_EQ(reply(instrument, "#00"), "?02");
    EXPECT_EQ(reply(instrument, "D00010"), "?02");
    EXPECT_EQ(reply(instrument, "V00010"), "?02");
    EXPECT_EQ(reply(instrument, "S1\r0000"), "?02");
    // Every command is received and logged, answered or not.
    EXPECT_EQ(instrument.ReceivedCommands().size(), 10);
    EXPECT_EQ(instrument.ReceivedCommands().first(), "Z");
}

TEST(SimProtocol, DisplayReadIsTheBitmapPixelArea)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 30));
    const QByteArray before = reply(instrument, "V0001");
    ASSERT_EQ(before.size(), 1 + 4096);
    ASSERT_TRUE(before.startsWith('v'));
    const QByteArray pixels = QByteArray::fromHex(before.mid(1));
    ASSERT_EQ(pixels.size(), 2048);
    EXPECT_EQ(pixels.left(16), QByteArray(16, char(0xFF)));  // bottom row white
    EXPECT_EQ(pixels.right(16), QByteArray(16, '\0'));       // top row: the dark title bar
    // Some text is drawn below the title.
    EXPECT_NE(pixels.mid(16 * 16, 100 * 16), QByteArray(100 * 16, char(0xFF)));

    // The screen follows the instrument: the datalog line changes when cleared.
    EXPECT_TRUE(instrument.Screen().lines.contains("LOG 30/2000"));
    reply(instrument, "X000FFFFFFFF01");
    EXPECT_TRUE(instrument.Screen().lines.contains("LOG 0/2000"));
    EXPECT_NE(reply(instrument, "V0001"), before);
}
