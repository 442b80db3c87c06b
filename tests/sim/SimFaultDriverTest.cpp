// The in-process driver and the link faults it injects.
#include "Sensor.h"
#include "SimTestSupport.h"
#include "SimulatorDriver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace simtest;

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
