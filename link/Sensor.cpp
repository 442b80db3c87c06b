#include "Sensor.h"

#include "FieldCodec.h"
#include "InstrumentCommands.h"
#include "LinkWait.h"

#include "AppError.h"

Sensor::Sensor(DriverFactory driverFactory) : driverFactory_(std::move(driverFactory)) {}

Sensor::~Sensor() = default;

CommPortDriver& Sensor::driver()
{
    if (!driver_) driver_ = driverFactory_();
    return *driver_;
}

bool Sensor::openDevice()
{
    CommPortDriver& link = driver();
    link.SetTimeout(TimeoutMilliseconds);
    link.OpenDevice(DeviceCode::Primary);
    if (!link.IsConnected()) link.OpenDevice(DeviceCode::Secondary);
    return link.IsConnected();
}

void Sensor::identify()
{
    execute(Command::Reset);
    execute(Command::RemoteOn);
    FieldCodec& codec = TheFieldCodec();
    codec.SetText(execute(Command::Identify));
    codec.Skip(5);  // protocol version (Byte) and uptime (Long)
    modelName_ = codec.ReadString();
    version_ = codec.ReadString();
    serialNumber_ = codec.ReadString();
}

void Sensor::OpenCommPort()
{
    if (!openDevice()) return;
    connected_ = true;
    linkLost_ = false;
    identify();
}

void Sensor::reconnect()
{
    const QByteArray model = modelName_;
    const QByteArray serialNumber = serialNumber_;
    bool opened = false;
    try {
        opened = openDevice();
    } catch (const AppError& error) {
        // The port is back but unusable, or not back yet: still a lost link
        // for the operator, who may fix it and try again.
        throw AppError(ErrorNumber::LinkLost, error.description());
    }
    if (!opened)
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("The instrument is still not connected"));
    identify();
    if (modelName_ != model || serialNumber_ != serialNumber) {
        const QString found = QStringLiteral("%1 %2").arg(QString::fromLatin1(modelName_), QString::fromLatin1(serialNumber_));
        modelName_ = model;
        serialNumber_ = serialNumber;
        driver().CloseDevice();
        throw AppError(ErrorNumber::LinkLost,
                       QStringLiteral("Another instrument answers (%1), not the one the work began with (%2 %3): "
                                      "connect that one again")
                           .arg(found, QString::fromLatin1(model), QString::fromLatin1(serialNumber)));
    }
    linkLost_ = false;
}

QByteArray Sensor::execute(const QByteArray& command)
{
    CommPortDriver& link = driver();
    try {
        QByteArray reply = link.Execute(command);
        for (int pause : BusyPauses) {
            if (reply != "?04") return reply;
            LinkWait::Pause(pause);
            reply = link.Execute(command);
        }
        if (reply != "?04") return reply;
        throw AppError(ErrorNumber::InstrumentBusy,
                       QStringLiteral("The instrument stayed busy: it answered %1 with \"?04\" %2 times")
                           .arg(QString::fromLatin1(command.left(12)))
                           .arg(std::size(BusyPauses) + 1));
    } catch (const AppError& error) {
        if (error.number() == ErrorNumber::LinkLost) {
            linkLost_ = true;
            link.CloseDevice();
        }
        throw;
    }
}

void Sensor::CloseCommPort()
{
    if (!connected_) return;
    if (linkLost_) {
        // Nothing to tell an instrument that is gone.
        driver().CloseDevice();
        return;
    }
    // The device is closed even when the instrument no longer answers; a
    // timeout still reaches the caller. A device found gone now (unplugged
    // while the program stood idle) is no error: remote mode ended with it.
    struct CloseOnExit {
        CommPortDriver& link;
        ~CloseOnExit() { link.CloseDevice(); }
    } closer{driver()};
    try {
        closer.link.Execute(Command::RemoteOff);
    } catch (const AppError& error) {
        if (error.number() != ErrorNumber::LinkLost) throw;
        linkLost_ = true;
    }
}

QString Sensor::InstrumentName() const
{
    return InstrumentSupported() ? QStringLiteral("TR8 KZ") : QString::fromLatin1(modelName_);
}

QByteArray Sensor::ExecCommand(const QByteArray& command)
{
    if (linkLost_) reconnect();
    return execute(command);
}

#include "Exchange.h"

void Sensor::SendAhead(const QByteArray& command)
{
    // A lost link is reopened by the next exchange, which sends its command
    // itself.
    if (connected_ && !linkLost_) driver().SendAhead(command);
}

Exchange DirectExchange(Sensor& sensor)
{
    return Exchange([&sensor](const QByteArray& command) { return sensor.ExecCommand(command); },
                    [&sensor](const QByteArray& command) { sensor.SendAhead(command); });
}
