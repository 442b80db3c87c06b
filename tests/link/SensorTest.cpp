#include "AppError.h"
#include "Sensor.h"
#include "SimulatorDriver.h"

#include <gtest/gtest.h>

namespace {

// A sensor on a simulated instrument without a datalog; the instrument notes
// the device codes tried and the commands received, the driver the timeout
// set and the closes.
struct OnSimulator {
    struct NotingDriver : SimulatorDriver {
        OnSimulator& link;
        explicit NotingDriver(OnSimulator& l) : SimulatorDriver(l.instrument), link(l) {}
        void SetTimeout(int32_t ms) override { link.timeout = ms; SimulatorDriver::SetTimeout(ms); }
        void CloseDevice() override { ++link.closes; SimulatorDriver::CloseDevice(); }
    };
    explicit OnSimulator(SimUsbIdentity identity, const QByteArray& model = "TR8KZ", std::vector<SimFault> faults = {})
    {
        SimOptions o;
        o.datalogSize = 0;
        o.usbIdentity = identity;
        o.model = model;
        o.faults = std::move(faults);
        instrument = std::make_shared<SimInstrument>(o);
    }
    std::shared_ptr<SimInstrument> instrument;
    int32_t timeout = 0;
    int closes = 0;
    Sensor sensor{[this] { return std::make_unique<NotingDriver>(*this); }};
};

}  // namespace

TEST(Sensor, OpensTheFirstIdentityThatAnswersSupportsOnlyItsOwnModelAndAlwaysCloses)
{
    // Other models are not supported and keep their name.
    const struct { SimUsbIdentity identity; QByteArray model; QList<int32_t> tried; bool supported; QString name; } cases[] = {
        {SimUsbIdentity::Primary, "TR8KZ", {0x1D895C03}, true, "TR8 KZ"},  // the second code is never tried
        {SimUsbIdentity::Secondary, "TR8KZ", {0x1D895C03, 0x1D895C7B}, true, "TR8 KZ"},
        {SimUsbIdentity::Primary, "TR8KY", {0x1D895C03}, false, "TR8KY"},
        {SimUsbIdentity::Primary, "tr8kz", {0x1D895C03}, false, "tr8kz"},
        {SimUsbIdentity::Primary, "TR8KZ ", {0x1D895C03}, false, "TR8KZ "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model.constData());
        OnSimulator link(c.identity, c.model);
        link.sensor.OpenCommPort();
        EXPECT_EQ(link.timeout, 15000);
        EXPECT_EQ(link.instrument->DeviceCodesTried(), c.tried);
        EXPECT_EQ(link.instrument->ReceivedCommands(), QList<QByteArray>({"R", "+1", "#"}));
        EXPECT_TRUE(link.sensor.InstrumentConnected());
        EXPECT_EQ(link.sensor.InstrumentSupported(), c.supported);
        EXPECT_EQ(link.sensor.InstrumentName(), c.name);
        EXPECT_EQ(link.sensor.Version() + ' ' + link.sensor.SerialNumber(), "3.07 KZ8-204117");
        link.sensor.CloseCommPort();
        EXPECT_EQ(link.instrument->ReceivedCommands().last(), "+");
        EXPECT_EQ(link.closes, 1);
    }

    OnSimulator absent(SimUsbIdentity::None);
    absent.sensor.OpenCommPort();
    EXPECT_EQ(absent.instrument->DeviceCodesTried(), QList<int32_t>({0x1D895C03, 0x1D895C7B}));
    EXPECT_FALSE(absent.sensor.InstrumentConnected());
    EXPECT_FALSE(absent.sensor.InstrumentSupported()) << "empty model name";
    absent.sensor.CloseCommPort();
    EXPECT_TRUE(absent.instrument->ReceivedCommands().isEmpty()) << "nothing is sent without a device";
    EXPECT_EQ(absent.closes, 0) << "a never-connected link is not closed";

    // The device is closed even when remote off fails ("+1" is the first "+").
    OnSimulator timesOut(SimUsbIdentity::Primary, "TR8KZ", {{"+", 2, SimFault::Kind::NoReply}});
    timesOut.sensor.OpenCommPort();
    EXPECT_THROW(timesOut.sensor.CloseCommPort(), AppError);
    EXPECT_EQ(timesOut.closes, 1);
}
