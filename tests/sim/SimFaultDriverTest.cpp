// The in-process driver, the link faults and the Sensor on top of them.
#include "AppError.h"
#include "InstrumentOperations.h"
#include "Sensor.h"
#include "SimTestSupport.h"
#include "SimulatorDriver.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

using namespace simtest;

namespace {

std::shared_ptr<SimInstrument> instrumentWith(std::vector<SimFault> faults, int datalogSize = 20)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, datalogSize);
    o.faults = std::move(faults);
    return std::make_shared<SimInstrument>(o);
}

SimulatorDriver openDriver(const std::shared_ptr<SimInstrument>& instrument)
{
    SimulatorDriver driver(instrument);
    driver.OpenDevice(DeviceCode::Primary);
    return driver;
}

int errorOf(SimulatorDriver& driver, const QByteArray& command)
{
    try {
        driver.Execute(command);
    } catch (const AppError& e) {
        return e.number();
    }
    return 0;
}

}  // namespace

TEST(SimFaults, NoReplyIsATimeoutAtOnceAndTheCommandIsCarriedOut)
{
    auto instrument = instrumentWith({{"S1", 2, SimFault::Kind::NoReply}, {"X000", 1, SimFault::Kind::NoReply}});
    SimulatorDriver driver = openDriver(instrument);
    driver.SetTimeout(15000);

    EXPECT_TRUE(driver.Execute(command("S1", 0)).startsWith("s0000"));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(errorOf(driver, command("S1", 1)), ErrorNumber::CommTimeout);
    EXPECT_LT(elapsed.elapsed(), 1000);  // no waiting for the 15 s
    EXPECT_TRUE(driver.Execute(command("S1", 1)).startsWith("s0001"));  // fires once

    // The reply is lost, not the command: the datalog was cleared.
    EXPECT_EQ(errorOf(driver, "X000FFFFFFFF01"), ErrorNumber::CommTimeout);
    EXPECT_EQ(instrument->DatalogCount(), 0);
}

TEST(SimFaults, OccurrencesCountOnlyCommandsWithThePrefix)
{
    auto instrument = instrumentWith({{"D", 2, SimFault::Kind::Refused}});
    SimulatorDriver driver = openDriver(instrument);
    EXPECT_EQ(driver.Execute("#").left(3), "#01");
    EXPECT_TRUE(driver.Execute("D0001").startsWith('d'));  // D number 1
    EXPECT_TRUE(driver.Execute(command("S1", 0)).startsWith('s'));
    EXPECT_EQ(driver.Execute("D0001"), "?04");  // D number 2: busy
    EXPECT_TRUE(driver.Execute("D0001").startsWith('d'));
    // A refused command is not carried out.
    auto refusing = instrumentWith({{"X000", 1, SimFault::Kind::Refused}});
    SimulatorDriver second = openDriver(refusing);
    EXPECT_EQ(second.Execute("X000FFFFFFFF01"), "?04");
    EXPECT_EQ(refusing->DatalogCount(), 20);
}

TEST(SimFaults, GarbledReplyFailsToDecode)
{
    // The empty prefix counts every command: the third is garbled.
    auto instrument = instrumentWith({{"", 3, SimFault::Kind::Garbled}});
    SimulatorDriver driver = openDriver(instrument);
    driver.Execute("R");
    driver.Execute("+1");
    const QByteArray garbled = driver.Execute("D0001");
    EXPECT_TRUE(garbled.startsWith('d'));
    EXPECT_TRUE(garbled.contains('G'));
    EXPECT_LT(garbled.size(), 1 + 2 * 28);
    FieldCodec codec;
    codec.SetText(garbled);
    try {
        codec.Skip(26);
        codec.ReadWord();
        FAIL() << "a garbled status block decoded";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::MalformedText);
    }
    codec.SetText(driver.Execute("D0001"));
    codec.Skip(26);
    EXPECT_EQ(codec.ReadWord(), 20);
}

TEST(SimFaults, LinkLostSilencesEveryLaterCommand)
{
    auto instrument = instrumentWith({{"P1", 1, SimFault::Kind::LinkLost}});
    SimulatorDriver driver = openDriver(instrument);
    EXPECT_TRUE(driver.Execute("#").startsWith('#'));
    EXPECT_EQ(errorOf(driver, command("P1", 0)), ErrorNumber::CommTimeout);
    EXPECT_TRUE(instrument->LinkLost());
    EXPECT_EQ(errorOf(driver, "#"), ErrorNumber::CommTimeout);
    EXPECT_EQ(errorOf(driver, "X000FFFFFFFF01"), ErrorNumber::CommTimeout);
    EXPECT_EQ(instrument->DatalogCount(), 20);  // nothing is carried out any more
    EXPECT_EQ(instrument->ReceivedCommands(),
              (QList<QByteArray>{"#", command("P1", 0), "#", "X000FFFFFFFF01"}));
}

TEST(SimFaults, FaultTextsParse)
{
    const SimFault a = SimFault::Parse(QStringLiteral("S1:3:NoReply"));
    EXPECT_EQ(a.commandPrefix, "S1");
    EXPECT_EQ(a.occurrence, 3);
    EXPECT_EQ(a.kind, SimFault::Kind::NoReply);
    const SimFault b = SimFault::Parse(QStringLiteral(":1:linklost"));
    EXPECT_EQ(b.commandPrefix, "");
    EXPECT_EQ(b.kind, SimFault::Kind::LinkLost);
    EXPECT_EQ(SimFault::Parse(QStringLiteral("a:b:2:refused")).commandPrefix, "a:b");
    EXPECT_EQ(SimFault::Parse(QStringLiteral("D:1:GARBLED")).kind, SimFault::Kind::Garbled);
    for (const char* bad : {"S1", "S1:0:noreply", "S1:x:noreply", "S1:2:explode", "S1:2"}) {
        try {
            SimFault::Parse(QString::fromLatin1(bad));
            ADD_FAILURE() << bad;
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::InvalidArgument) << bad;
        }
    }
}

TEST(SimDriver, ConnectsOnlyToItsIdentityAndWaitsTheDelay)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 0);
    o.usbIdentity = SimUsbIdentity::Secondary;
    o.replyDelayMs = 60;
    SimulatorDriver driver(o);

    EXPECT_EQ(errorOf(driver, "#"), ErrorNumber::LinkLost);  // not open
    driver.OpenDevice(DeviceCode::Primary);
    EXPECT_FALSE(driver.IsConnected());
    driver.OpenDevice(DeviceCode::Secondary);
    EXPECT_TRUE(driver.IsConnected());
    EXPECT_EQ(driver.Instrument().DeviceCodesTried(), (QList<int32_t>{DeviceCode::Primary, DeviceCode::Secondary}));

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(driver.Execute("R"), "r");
    EXPECT_GE(elapsed.elapsed(), 55);

    // A delay beyond the timeout is a timeout after the timeout.
    driver.SetTimeout(20);
    elapsed.restart();
    EXPECT_EQ(errorOf(driver, "R"), ErrorNumber::CommTimeout);
    EXPECT_GE(elapsed.elapsed(), 15);
    EXPECT_LT(elapsed.elapsed(), 55);

    driver.CloseDevice();
    EXPECT_FALSE(driver.IsConnected());
    EXPECT_EQ(errorOf(driver, "R"), ErrorNumber::LinkLost);
}

TEST(SimSensor, OpenIdentifiesOverTheFirstIdentity)
{
    auto clock = std::make_shared<TestClock>();
    auto instrument = std::make_shared<SimInstrument>(options(clock, 42));
    Sensor sensor(SimulatorFactory(instrument));
    sensor.OpenCommPort();

    EXPECT_TRUE(sensor.InstrumentConnected());
    EXPECT_TRUE(sensor.InstrumentSupported());
    EXPECT_EQ(sensor.InstrumentName(), QStringLiteral("TR8 KZ"));
    EXPECT_EQ(sensor.Version(), QStringLiteral("3.07"));
    EXPECT_EQ(sensor.SerialNumber(), QStringLiteral("KZ8-204117"));
    EXPECT_EQ(instrument->DeviceCodesTried(), QList<int32_t>{DeviceCode::Primary});  // the second never tried
    EXPECT_EQ(instrument->ReceivedCommands(), (QList<QByteArray>{"R", "+1", "#"}));
    EXPECT_TRUE(instrument->RemoteMode());

    EXPECT_EQ(InstrumentOperations::DatalogCount(sensor), 42);
    EXPECT_EQ(InstrumentOperations::StdzSeconds(sensor), instrument->StandardizedAt());
    InstrumentOperations::SetClock(sensor, 1000000000);
    EXPECT_EQ(instrument->Clock(), 1000000000);
    InstrumentOperations::ClearDatalog(sensor);
    EXPECT_EQ(InstrumentOperations::DatalogCount(sensor), 0);

    instrument->ClearLogs();
    sensor.CloseCommPort();
    EXPECT_EQ(instrument->ReceivedCommands(), QList<QByteArray>{"+"});
    EXPECT_FALSE(instrument->RemoteMode());
}

TEST(SimSensor, SecondIdentityOnlyWhenTheFirstFails)
{
    auto clock = std::make_shared<TestClock>();
    SimOptions o = options(clock, 0);
    o.usbIdentity = SimUsbIdentity::Secondary;
    o.model = "TR8KZX";
    auto secondary = std::make_shared<SimInstrument>(o);
    Sensor sensor(SimulatorFactory(secondary));
    sensor.OpenCommPort();
    EXPECT_TRUE(sensor.InstrumentConnected());
    EXPECT_EQ(secondary->DeviceCodesTried(), (QList<int32_t>{DeviceCode::Primary, DeviceCode::Secondary}));
    EXPECT_EQ(secondary->ReceivedCommands(), (QList<QByteArray>{"R", "+1", "#"}));
    EXPECT_FALSE(sensor.InstrumentSupported());
    EXPECT_EQ(sensor.InstrumentName(), QStringLiteral("TR8KZX"));

    o.usbIdentity = SimUsbIdentity::None;
    auto absent = std::make_shared<SimInstrument>(o);
    Sensor nothing(SimulatorFactory(absent));
    nothing.OpenCommPort();
    EXPECT_FALSE(nothing.InstrumentConnected());
    EXPECT_EQ(absent->DeviceCodesTried(), (QList<int32_t>{DeviceCode::Primary, DeviceCode::Secondary}));
    EXPECT_TRUE(absent->ReceivedCommands().isEmpty());
    nothing.CloseCommPort();
    EXPECT_TRUE(absent->ReceivedCommands().isEmpty());
}
