#include "AppError.h"
#include "FieldCodec.h"
#include "Sensor.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

// What was done to the driver below.
struct DriverLog {
    QList<int32_t> opened;
    QList<QByteArray> sent;
    int closes = 0;
    int32_t timeout = 0;
};

// Answers to one USB identity with a fixed identification; "+" (remote off)
// times out when asked to.
class RecordingDriver : public CommPortDriver {
public:
    RecordingDriver(DriverLog& log, int32_t answersTo, QByteArray model, bool failRemoteOff)
        : log_(log), answersTo_(answersTo), model_(std::move(model)), failRemoteOff_(failRemoteOff) {}
    void SetTimeout(int32_t ms) override { log_.timeout = ms; }
    void OpenDevice(int32_t code) override { log_.opened << code; connected_ = code == answersTo_; }
    bool IsConnected() const override { return connected_; }
    void CloseDevice() override { ++log_.closes; connected_ = false; }
    QByteArray Execute(const QByteArray& command) override
    {
        log_.sent << command;
        if (command == "+" && failRemoteOff_) throw AppError(ErrorNumber::CommTimeout, "timeout");
        if (command != "#") return command == "R" ? "r" : "+";
        FieldCodec codec;
        codec.BeginCommand("#");
        codec.AppendByte(1);
        codec.AppendLong(3600);
        for (const QByteArray& text : {model_, QByteArray("2.0.117"), QByteArray("KZ-004711")}) codec.AppendString(text);
        return codec.GetText();
    }

private:
    DriverLog& log_;
    int32_t answersTo_;
    QByteArray model_;
    bool failRemoteOff_, connected_ = false;
};

Sensor makeSensor(DriverLog& log, int32_t answersTo, QByteArray model = "TR8KZ", bool failRemoteOff = false)
{
    return Sensor([=, &log] { return std::make_unique<RecordingDriver>(log, answersTo, model, failRemoteOff); });
}

}  // namespace

TEST(Sensor, OpensTheFirstIdentityThatAnswersSupportsOnlyItsOwnModelAndAlwaysCloses)
{
    // Other models are not supported and keep their name.
    const struct { int32_t answersTo; QByteArray model; QList<int32_t> opened; bool supported; QString name; } cases[] = {
        {DeviceCode::Primary, "TR8KZ", {0x1D895C03}, true, "TR8 KZ"},  // the second code is never tried
        {DeviceCode::Secondary, "TR8KZ", {0x1D895C03, 0x1D895C7B}, true, "TR8 KZ"},
        {DeviceCode::Primary, "TR8KY", {0x1D895C03}, false, "TR8KY"},
        {DeviceCode::Primary, "tr8kz", {0x1D895C03}, false, "tr8kz"},
        {DeviceCode::Primary, "TR8KZ ", {0x1D895C03}, false, "TR8KZ "},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.model.constData());
        DriverLog log;
        Sensor sensor = makeSensor(log, c.answersTo, c.model);
        sensor.OpenCommPort();
        EXPECT_EQ(log.timeout, 15000);
        EXPECT_EQ(log.opened, c.opened);
        EXPECT_EQ(log.sent.mid(0, 3), QList<QByteArray>({"R", "+1", "#"}));
        EXPECT_TRUE(sensor.InstrumentConnected());
        EXPECT_EQ(sensor.InstrumentSupported(), c.supported);
        EXPECT_EQ(sensor.InstrumentName(), c.name);
    }

    DriverLog log;
    Sensor sensor = makeSensor(log, DeviceCode::Primary);
    sensor.OpenCommPort();
    EXPECT_EQ(sensor.Version(), "2.0.117");
    EXPECT_EQ(sensor.SerialNumber(), "KZ-004711");
    EXPECT_EQ(sensor.ErrorCodes(), 0);
    sensor.CloseCommPort();
    EXPECT_EQ(log.sent.last(), "+");
    EXPECT_EQ(log.closes, 1);

    DriverLog none;
    Sensor absent = makeSensor(none, 0);
    absent.OpenCommPort();
    EXPECT_EQ(none.opened, QList<int32_t>({0x1D895C03, 0x1D895C7B}));
    EXPECT_FALSE(absent.InstrumentConnected());
    EXPECT_FALSE(absent.InstrumentSupported()) << "empty model name";
    absent.CloseCommPort();
    EXPECT_TRUE(none.sent.isEmpty()) << "nothing is sent without a device";
    EXPECT_EQ(none.closes, 0) << "a never-connected link is not closed";

    // The device is closed even when remote off fails.
    DriverLog failing;
    Sensor timesOut = makeSensor(failing, DeviceCode::Primary, "TR8KZ", true);
    timesOut.OpenCommPort();
    EXPECT_THROW(timesOut.CloseCommPort(), AppError);
    EXPECT_EQ(failing.closes, 1);
}
