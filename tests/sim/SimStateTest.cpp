// The state file of the simulated instrument, and its character link framing.
#include "LineServer.h"
#include "SimState.h"
#include "SimTestSupport.h"
#include "SimulatorDriver.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace simtest;

namespace {
QList<QByteArray> everything(SimInstrument& instrument)
{
    QList<QByteArray> texts;
    for (int i = 0; i < instrument.DatalogCount(); ++i) texts.append(reply(instrument, command("S1", i)));
    for (int s = 0; s < 250; ++s) texts.append(reply(instrument, command("P1", s)));
    return texts;
}
}  // namespace

TEST(SimState, StateFileRoundTripAndRefusal)
{
    QTemporaryDir dir;
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 15);
    o.stateFile = dir.filePath(QStringLiteral("instrument.json"));
    QList<QByteArray> before;
    {
        SimInstrument instrument(o);
        ASSERT_EQ(reply(instrument, "X00012345678"), "x");
        const QByteArray record = instrument.SetupRecord(0);
        ASSERT_EQ(reply(instrument, command("P0", 77) + record), "p004D");
        EXPECT_EQ(LoadSimState(o.stateFile).setups[77], record);  // saved at the change
        instrument.SelectSetup(77);
        clock->advance(30);
        instrument.TakeMeasurement();
        instrument.Standardize();
        before = everything(instrument);
    }

    // Another seed and size do not matter once a state file exists.
    clock->advance(100);
    SimOptions again = o;
    again.seed = 5;
    again.datalogSize = 3;
    {
        SimInstrument restored(again);
        EXPECT_EQ(restored.DatalogCount(), 16);
        EXPECT_EQ(everything(restored), before);
        EXPECT_EQ(restored.StandardizedAt(), 305419896 + 30);
        EXPECT_EQ(restored.SetupInUse(), 77);
        EXPECT_EQ(restored.Clock(), 305419896 + 130);  // the offset was kept
        ASSERT_EQ(reply(restored, "X000FFFFFFFF01"), "x");
    }
    EXPECT_EQ(SimInstrument(again).DatalogCount(), 0);  // clearing is kept too

    // A file that is not a state file, or holds a setup record that is not one, is refused.
    const QByteArray good = ReadWhole(o.stateFile);
    const int firstSetup = static_cast<int>(good.indexOf("\"setups\": [\n\"")) + 13;
    ASSERT_GT(firstSetup, 13);
    for (const QByteArray& bad : {QByteArray("not json"), QByteArray(good).replace("tr8kz-sim-state", "other"),
                                  QByteArray(good).insert(firstSetup, "00")}) {
        WriteWhole(o.stateFile, bad);
        EXPECT_EQ(RaisedError([&] { SimInstrument refused(o); }).number(), ErrorNumber::InvalidArgument) << bad.left(20).data();
    }
}

TEST(SimLineServer, CommandsEndAtCarriageReturn)
{
    SimOptions o = options(std::make_shared<TestClock>(), 3);
    o.faults = {{"#", 2, SimFault::Kind::NoReply}};
    SimulatorDriver driver(o);
    driver.OpenDevice(DeviceCode::Primary);
    LineServer server(driver);
    // Two commands and half of a third in one piece; LF is ignored.
    EXPECT_EQ(server.Receive("R\r+1\n\r#"), "r\r\n+\r\n");
    EXPECT_EQ(server.Receive("\r"), driver.Instrument().IdentificationReply() + "\r\n");
    // The second "#" gets no reply at all, the next command its own.
    EXPECT_EQ(server.Receive("#\rQ10001\r"), "q0000\r\n");
}
