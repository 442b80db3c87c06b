#pragma once
// The program's one link to the attached instrument. It owns the driver,
// opens the link, identifies the instrument and passes command texts to it one
// at a time, returning each reply unchanged. Only the identification reply is
// interpreted here.

#include "CommPortDriver.h"

#include <QByteArray>
#include <QString>
#include <memory>

class Sensor {
public:
    // The factory makes the driver on first use (serial, simulated, traced).
    explicit Sensor(DriverFactory driverFactory);
    ~Sensor();

    // Opens the link and identifies the instrument: the first USB identity,
    // then the second only if the first did not connect; then "R", "+1", "#".
    // A failed open is not an error: InstrumentConnected stays false.
    void OpenCommPort();
    // If connected: "+" (remote mode off, reply ignored), then close.
    void CloseCommPort();

    bool InstrumentConnected() const { return connected_; }
    bool InstrumentSupported() const { return modelName_ == SupportedModel; }
    QString InstrumentName() const;
    QString ModelName() const { return QString::fromLatin1(modelName_); }
    QString Version() const { return QString::fromLatin1(version_); }
    QString SerialNumber() const { return QString::fromLatin1(serialNumber_); }
    int32_t ErrorCodes() const { return 0; }

    // Sends one command and returns the reply; does not look at the connected
    // flag (the driver raises its own error when there is no link).
    QByteArray ExecCommand(const QByteArray& command);

    static constexpr const char* SupportedModel = "TR8KZ";
    static constexpr int32_t TimeoutMilliseconds = 15000;

private:
    CommPortDriver& driver();

    DriverFactory driverFactory_;
    std::unique_ptr<CommPortDriver> driver_;
    QByteArray modelName_;
    QByteArray version_;
    QByteArray serialNumber_;
    bool connected_ = false;
};
