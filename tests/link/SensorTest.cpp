#include "AppError.h"
#include "FieldCodec.h"
#include "Sensor.h"

#include <QList>
#include <gtest/gtest.h>

namespace {

// A driver that answers to one USB identity with a fixed identification,
// and records everything done to it.
struct DriverLog {
    QList<int32_t> opened;
    QList<QByteArray> sent;
    int closes = 0;
    int32_t timeout = 0;
};

class RecordingDriver : public CommPortDriver {
public:
    RecordingDriver(DriverLog& log, int32_t answersTo, QByteArray model) : log_(log), answersTo_(answersTo), model_(std::move(model)) {}
    void SetTimeout(int32_t ms) override { log_.timeout = ms; }
    void OpenDevice(int32_t code) override
    {
        log_.opened << code;
        connected_ = code == answersTo_;
    }
    bool IsConnected() const override { return connected_; }
    void CloseDevice() override
    {
        ++log_.closes;
        connected_ = false;
    }
    QByteArray Execute(const QByteArray& command) override
    {
        log_.sent << command;
        if (command == "+" && failRemoteOff) throw AppError(ErrorNumber::CommTimeout, "timeout");
        if (command == "#") {
            FieldCodec codec;
            codec.BeginCommand("#");
            codec.AppendByte(1);
            codec.AppendLong(3600);
            codec.AppendString(model_);
            codec.AppendString("2.0.117");
            codec.AppendString("KZ-004711");
            return codec.GetText();
        }
        return command == "R" ? "r" : "+";
    }
    bool failRemoteOff = false;

private:
    DriverLog& log_;
    int32_t answersTo_;
    QByteArray model_;
    bool connected_ = false;
};

Sensor makeSensor(DriverLog& log, int32_t answersTo, QByteArray model = "TR8KZ", bool failRemoteOff = false)
{
    return Sensor([&log, answersTo, model, failRemoteOff] {
        auto driver = std::make_unique<RecordingDriver>(log, answersTo, model);
        driver->failRemoteOff = failRemoteOff;
        return driver;
    });
}

}  // namespace

TEST(Sensor, OpensTheFirstIdentityThatAnswersAndSupportsOnlyItsOwnModel)
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
}

TEST(Sensor, ClosesTheDeviceEvenWhenRemoteOffFails)
{
    DriverLog log;
    Sensor sensor = makeSensor(log, DeviceCode::Primary, "TR8KZ", true);
    sensor.OpenCommPort();
    EXPECT_THROW(sensor.CloseCommPort(), AppError);
    EXPECT_EQ(log.closes, 1);
}
