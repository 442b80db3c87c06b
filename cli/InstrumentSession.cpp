#include "InstrumentSession.h"

#include "CliFailure.h"
#include "Environment.h"
#include "Sensor.h"

const QString InstrumentSession::NotConnectedMessage = QStringLiteral("Instrument not connected or turned off");
const QString InstrumentSession::UnsupportedMessage =
    QStringLiteral("The firmware in the attached instrument is not compatible with this program"
                   "\r\n\r\nPlease contact Velmora to obtain upgrade information");

InstrumentSession::InstrumentSession(DriverFactory factory) : sensor_(std::make_unique<Sensor>(std::move(factory))) {}

InstrumentSession::~InstrumentSession() = default;

void InstrumentSession::Open()
{
    try {
        sensor_->OpenCommPort();
    } catch (const AppError& error) {
        // A port that is there but cannot be used: named, with the reason.
        if (error.number() != ErrorNumber::PortUnavailable) throw;
        Env().ShowMessage(error.description(), MessageButtons::Ok, MessageIcon::Critical);
        throw InstrumentUnavailable{};
    }
    if (!sensor_->InstrumentConnected()) {
        Env().ShowMessage(NotConnectedMessage, MessageButtons::Ok, MessageIcon::None);
        throw InstrumentUnavailable{};
    }
    if (!sensor_->InstrumentSupported()) {
        Env().ShowMessage(UnsupportedMessage, MessageButtons::Ok, MessageIcon::Critical);
        sensor_->CloseCommPort();
        throw InstrumentUnavailable{};
    }
    open_ = true;
}

void InstrumentSession::Close()
{
    if (!open_) return;
    open_ = false;
    sensor_->CloseCommPort();
}

Sensor& InstrumentSession::sensor() { return *sensor_; }

Exchange InstrumentSession::exchange() { return DirectExchange(*sensor_); }

QString InstrumentSession::DisplayName() const { return sensor_->InstrumentName(); }
