// The state file of the simulated instrument, and its character link framing.
#include "AppError.h"
#include "LineServer.h"
#include "SimState.h"
#include "SimTestSupport.h"
#include "SimulatorDriver.h"

#include <QDir>
#include <QFile>
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

TEST(SimState, StateFileRoundTrip)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("instrument.json"));
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 15);
    o.stateFile = file;

    QList<QByteArray> before;
    int32_t standardized = 0;
    {
        SimInstrument instrument(o);
        EXPECT_TRUE(QFile::exists(file));  // written at start
        ASSERT_EQ(reply(instrument, "X00012345678"), "x");
        const QByteArray record = instrument.SetupRecord(0);
        ASSERT_EQ(reply(instrument, command("P0", 77) + record), "p004D");
        // Saved after that change, before the instrument goes away.
        EXPECT_EQ(LoadSimState(file).setups[77], record);
        instrument.SelectSetup(77);
        clock->advance(30);
        instrument.TakeMeasurement();
        instrument.Standardize();
        EXPECT_EQ(LoadSimState(file).datalog.size(), 16u);
        before = everything(instrument);
        standardized = instrument.StandardizedAt();
        EXPECT_EQ(standardized, 305419896 + 30);
    }

    // Another seed and size do not matter once a state file exists.
    clock->advance(100);
    SimOptions again = o;
    again.seed = 5;
    again.datalogSize = 3;
    SimInstrument restored(again);
    EXPECT_EQ(restored.DatalogCount(), 16);
    EXPECT_EQ(everything(restored), before);
    EXPECT_EQ(restored.StandardizedAt(), standardized);
    EXPECT_EQ(restored.SetupInUse(), 77);
    EXPECT_EQ(restored.Clock(), 305419896 + 130);  // the offset was kept

    // Clearing is kept too.
    ASSERT_EQ(reply(restored, "X000FFFFFFFF01"), "x");
    EXPECT_EQ(SimInstrument(again).DatalogCount(), 0);
}

TEST(SimState, BrokenStateFilesAreRefused)
{
    QTemporaryDir dir;
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 2);
    o.stateFile = dir.filePath(QStringLiteral("state.json"));
    { SimInstrument made(o); }
    QFile file(o.stateFile);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray good = file.readAll();
    file.close();

    auto refused = [&](const QByteArray& text) {
        QFile out(o.stateFile);
        out.open(QIODevice::WriteOnly | QIODevice::Truncate);
        out.write(text);
        out.close();
        try {
            SimInstrument instrument(o);
        } catch (const AppError& e) {
            return e.number() == ErrorNumber::InvalidArgument;
        }
        return false;
    };
    EXPECT_TRUE(refused("not json"));
    EXPECT_TRUE(refused(QByteArray(good).replace("tr8kz-sim-state", "something-else")));
    EXPECT_TRUE(refused(QByteArray(good).replace("\"setupInUse\":", "\"setupInUse\":1000, \"x\":")));
    // A setup record that is not one.
    const int at = static_cast<int>(good.indexOf("\"setups\": [\n\"")) + 13;
    EXPECT_TRUE(refused(QByteArray(good).insert(at, "00")));
    EXPECT_FALSE(refused(good));
}

TEST(SimLineServer, CommandsEndAtCarriageReturn)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 3);
    o.faults = {{"#", 2, SimFault::Kind::NoReply}};
    SimulatorDriver driver(o);
    driver.OpenDevice(DeviceCode::Primary);
    QStringList warnings;
    LineServer server(driver, [&](const QString& w) { warnings.append(w); });

    // Two commands and half of a third in one piece; LF is ignored.
    EXPECT_EQ(server.Receive("R\r+1\n\r#"), "r\r\n+\r\n");
    const QByteArray identification = server.Receive("\r");
    EXPECT_TRUE(identification.startsWith("#01"));
    EXPECT_TRUE(identification.endsWith("\r\n"));
    EXPECT_EQ(identification.count('\r'), 1);
    // The second "#" gets no reply at all, the next command its own.
    EXPECT_EQ(server.Receive("#\rQ10001\r"), "q0000\r\n");
    EXPECT_EQ(server.Receive("\r"), "?01\r\n");  // an empty command is still answered
    EXPECT_TRUE(warnings.isEmpty());
    EXPECT_EQ(driver.Instrument().ReceivedCommands(), (QList<QByteArray>{"R", "+1", "#", "#", "Q10001", ""}));
}

TEST(SimState, AStateFileThatCannotBeWrittenIsAnErrorNotARefusal)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("gone")));
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 1);
    o.stateFile = dir.filePath(QStringLiteral("gone/state.json"));
    SimInstrument instrument(o);
    ASSERT_TRUE(QDir(dir.filePath(QStringLiteral("gone"))).removeRecursively());

    try {
        instrument.Handle("X000FFFFFFFF01");
        FAIL() << "the lost state file went unnoticed";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::FileAccess);
    }
    // Commands that change nothing need no state file.
    EXPECT_EQ(reply(instrument, "Q10001"), "q0000");
}
