// The simulated instrument's answers, command by command, decoded as the
// utility decodes them; and the in-process driver with the link faults it
// injects.
#include "SimTestSupport.h"
#include "SimulatorDriver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace simtest;

TEST(SimProtocol, IdentificationStatusClockAndClearing)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 120));
    // The Long at a byte of the reply to the command.
    const auto longAt = [&](const QByteArray& command, int at) {
        FieldCodec codec;
        codec.SetText(reply(instrument, command));
        codec.Skip(at);
        return codec.ReadLong();
    };

    // The status block: 28 bytes, the clock the Long at byte 12, the datalog
    // count the Word at byte 26, the last.
    const QByteArray status = reply(instrument, "D0001");
    EXPECT_TRUE(status.startsWith('d') && status.size() == 1 + 2 * 28) << status.constData();
    EXPECT_EQ(longAt("D0001", 12), kNowSeconds);  // the computer's clock, no offset yet
    EXPECT_EQ(status.right(4), "0078");

    // "#", version 01, uptime 0, then "TR8KZ", "3.07", "KZ8-204117" in
    // Latin-1 hex, written out by hand.
    EXPECT_EQ(reply(instrument, "#"),
              "#" "01" "00000000" "05" "5452384B5A" "04" "332E3037" "0A" "4B5A382D323034313137");
    // The uptime counts on.
    clock->advance(90);
    EXPECT_EQ(longAt("#", 1), 90);

    // 0x12345678 = 305419896 seconds; the instrument's clock then runs on
    // with the computer's, and a reading made later carries its time.
    EXPECT_EQ(reply(instrument, "X00012345678"), "x");
    clock->advance(61);
    EXPECT_EQ(longAt("D0001", 12), 305419896 + 61);
    instrument.TakeMeasurement();
    ASSERT_EQ(instrument.DatalogCount(), 121);
    EXPECT_EQ(instrument.Datalog().back().time, 305419896 + 61);
    // Records 0..120 exist, 121 does not.
    EXPECT_TRUE(reply(instrument, command("S1", 120)).startsWith("s0078"));
    EXPECT_EQ(reply(instrument, command("S1", 121)), "?03");

    // Each a second later, after a reading: the command, the clock and the
    // datalog count after it. FFFFFFFF leaves the clock running, with or
    // without a flags byte of 00; before 1970 is a negative Long (FFFFFFC4 is
    // -60); flags 01 clear the datalog, with or without setting the clock.
    const struct { const char* sent; int32_t clock; int count; } sets[] = {
        {"X000FFFFFFFF", 305419896 + 62, 122}, {"X000FFFFFFFF00", 305419896 + 63, 123}, {"X000FFFFFFC4", -60, 124},
        {"X000FFFFFFFF01", -59, 0}, {"X0000000003C01", 60, 0}};
    for (const auto& c : sets) {
        clock->advance(1);
        instrument.TakeMeasurement();
        EXPECT_EQ(reply(instrument, c.sent), "x");
        EXPECT_EQ(instrument.Clock(), c.clock) << c.sent;
        EXPECT_EQ(instrument.DatalogCount(), c.count) << c.sent;
    }
    EXPECT_EQ(reply(instrument, "D0001").right(4), "0000");
    EXPECT_EQ(reply(instrument, command("S1", 0)), "?03");
}

TEST(SimProtocol, UnknownAndMalformedCommandsAreAnsweredAndChangeNothing)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 3));
    const std::pair<QByteArray, QByteArray> cases[] = {
        {"Z", "?01"},         {"D0002", "?01"},      {"d0001", "?01"},      {"R1", "?02"},       {"#00", "?02"},
        {"D00010", "?02"},    {"S1", "?02"},         {"S1000a", "?02"},     {"S1FFFF", "?03"},   {"X0001234", "?02"},
        {"X000123456780102", "?02"}, {"X000FFFFFFFF03", "?03"}, {"P1", "?02"}, {"P100FA", "?03"},
    };
    for (const auto& [sent, answer] : cases) EXPECT_EQ(reply(instrument, sent), answer) << sent.constData();
    EXPECT_EQ(instrument.DatalogCount(), 3);
    EXPECT_EQ(instrument.Clock(), kNowSeconds);
    // Every command is received and logged, answered or not.
    EXPECT_EQ(instrument.ReceivedCommands().size(), static_cast<qsizetype>(std::size(cases)));
}

TEST(SimProtocol, WrittenSetupReadsBackByteForByteAndAMalformedOneIsRefused)
{
    auto clock = std::make_shared<TestClock>();
    SimInstrument instrument(options(clock, 0));
    // Setup 3 starts empty; the record of another instrument's product goes there.
    const QByteArray record = SimInstrument(options(clock, 0, 9)).SetupRecord(0);
    ASSERT_TRUE(instrument.Setup(3).isEmpty());
    EXPECT_EQ(reply(instrument, command("P0", 3) + record), "p0003");
    EXPECT_EQ(reply(instrument, command("P1", 3)), "P203" + record);
    // A restore sends back what "P1" gave: "P2", the index as a Byte, the record.
    EXPECT_EQ(reply(instrument, "P2F9" + record), "p00F9");
    EXPECT_EQ(reply(instrument, command("P1", 249)), "P2F9" + record);

    // Eight view entries of 27 bytes end the record: announce nine.
    const qsizetype viewCountAt = record.size() - 2 * 8 * 27 - 2;
    ASSERT_EQ(record.mid(viewCountAt, 2), "08");
    const QByteArray missingView = QByteArray(record).replace(viewCountAt, 2, "09");
    const QByteArray before = reply(instrument, command("P1", 12));
    const std::pair<QByteArray, QByteArray> cases[] = {
        {command("P0", 12) + record.chopped(2), "?02"},  // last byte missing
        {command("P0", 12) + record + "00", "?02"},      // a byte too many
        {command("P0", 12) + record + "0", "?02"},       // half a byte too many
        {command("P0", 12) + record.toLower(), "?02"},   // not upper-case hex
        {command("P0", 12), "?02"},                      // no record at all
        {command("P0", 12) + missingView, "?02"},
        {"P0000" + record, "?02"},                       // index not a Word
        {"P2" + record, "?02"},                          // no room for the Byte index
        {command("P0", 250) + record, "?03"},
        {"P2FA" + record, "?03"},
    };
    for (const auto& [sent, answer] : cases) EXPECT_EQ(reply(instrument, sent), answer) << sent.left(12).constData();
    EXPECT_EQ(reply(instrument, command("P1", 12)), before);
}

TEST(SimFaults, NoReplyRefusedAndLinkLostCountTheirOwnCommands)
{
    SimOptions o = options(std::make_shared<TestClock>(), 20);
    o.faults = {{"S1", 2, SimFault::Kind::NoReply}, {"X000", 1, SimFault::Kind::NoReply},
                {"D", 2, SimFault::Kind::Refused}, {"P1", 1, SimFault::Kind::LinkLost}};
    auto instrument = std::make_shared<SimInstrument>(o);
    SimulatorDriver driver(instrument);
    driver.OpenDevice(DeviceCode::Primary);
    driver.SetTimeout(15000);
    auto errorOfCommand = [&](const QByteArray& text) { return RaisedError([&] { driver.Execute(text); }).number(); };

    // Only "S1" commands count towards the second "S1"; "D0001" in between does not.
    EXPECT_TRUE(driver.Execute(command("S1", 0)).startsWith("s0000"));
    EXPECT_TRUE(driver.Execute("D0001").startsWith('d'));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(errorOfCommand(command("S1", 1)), ErrorNumber::CommTimeout);
    EXPECT_LT(elapsed.elapsed(), 1000);  // no waiting for the 15 s
    EXPECT_TRUE(driver.Execute(command("S1", 1)).startsWith("s0001"));  // fires once

    // The second "D": busy, and a refused command is not carried out.
    EXPECT_EQ(driver.Execute("D0001"), "?04");
    EXPECT_TRUE(driver.Execute("D0001").startsWith('d'));

    // The reply is lost, not the command: the datalog was cleared.
    EXPECT_EQ(errorOfCommand("X000FFFFFFFF01"), ErrorNumber::CommTimeout);
    EXPECT_EQ(instrument->DatalogCount(), 0);

    // From the lost link on nothing is answered or carried out.
    instrument->TakeMeasurement();
    instrument->ClearLogs();
    EXPECT_EQ(errorOfCommand(command("P1", 0)), ErrorNumber::CommTimeout);
    EXPECT_TRUE(instrument->LinkLost());
    EXPECT_EQ(errorOfCommand("#"), ErrorNumber::CommTimeout);
    EXPECT_EQ(errorOfCommand("X000FFFFFFFF01"), ErrorNumber::CommTimeout);
    EXPECT_EQ(instrument->DatalogCount(), 1);
    EXPECT_EQ(instrument->ReceivedCommands(), (QList<QByteArray>{command("P1", 0), "#", "X000FFFFFFFF01"}));

    // The fault option's text is "PREFIX:N:KIND", N from 1.
    EXPECT_EQ(SimFault::Parse(QStringLiteral("a:b:3:LinkLost")).commandPrefix, "a:b");
    for (const char* bad : {"S1", "S1:0:noreply", "S1:x:noreply", "S1:2:explode", "S1:2"})
        EXPECT_EQ(RaisedError([&] { SimFault::Parse(QString::fromLatin1(bad)); }).number(), ErrorNumber::InvalidArgument) << bad;

    // A reply slower than the timeout is a timeout after the timeout, as on the serial link.
    SimOptions slow = options(std::make_shared<TestClock>(), 0);
    slow.replyDelayMs = 60;
    SimulatorDriver slowDriver(slow);
    EXPECT_EQ(RaisedError([&] { slowDriver.Execute("R"); }).number(), ErrorNumber::LinkLost);  // not open
    slowDriver.OpenDevice(DeviceCode::Primary);
    slowDriver.SetTimeout(20);
    elapsed.restart();
    EXPECT_EQ(RaisedError([&] { slowDriver.Execute("R"); }).number(), ErrorNumber::CommTimeout);
    EXPECT_GE(elapsed.elapsed(), 15);
    EXPECT_LT(elapsed.elapsed(), 55);
}
