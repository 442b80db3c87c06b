#include "Sensor.h"

#include "FieldCodec.h"
#include "InstrumentCommands.h"

Sensor::Sensor(DriverFactory driverFactory) : driverFactory_(std::move(driverFactory)) {}

Sensor::~Sensor() = default;

CommPortDriver& Sensor::driver()
{
    if (!driver_) driver_ = driverFactory_();
    return *driver_;
}

void Sensor::OpenCommPort()
{
    CommPortDriver& link = driver();
    link.SetTimeout(TimeoutMilliseconds);
    link.OpenDevice(DeviceCode::Primary);
    if (!link.IsConnected()) {
        link.OpenDevice(DeviceCode::Secondary);
        if (!link.IsConnected()) return;
    }
    connected_ = true;

    link.Execute(Command::Reset);
    link.Execute(Command::RemoteOn);
    FieldCodec& codec = TheFieldCodec();
    codec.SetText(link.Execute(Command::Identify));
    codec.Skip(5);  // protocol version (Byte) and uptime (Long)
    modelName_ = codec.ReadString();
    version_ = codec.ReadString();
    serialNumber_ = codec.ReadString();
}

void Sensor::CloseCommPort()
{
    if (!connected_) return;
    // The device is closed even when the instrument no longer answers; the
    // error still reaches the caller.
    struct CloseOnExit {
        CommPortDriver& link;
        ~CloseOnExit() { link.CloseDevice(); }
    } closer{driver()};
    closer.link.Execute(Command::RemoteOff);
}

QString Sensor::InstrumentName() const
{
    return InstrumentSupported() ? QStringLiteral("TR8 KZ") : QString::fromLatin1(modelName_);
}

QByteArray Sensor::ExecCommand(const QByteArray& command) { return driver().Execute(command); }

#include "Exchange.h"

Exchange DirectExchange(Sensor& sensor)
{
    return [&sensor](const QByteArray& command) { return sensor.ExecCommand(command); };
}
