#pragma once
// The program's one link to the attached instrument. It owns the driver,
// opens the link, identifies the instrument and passes command texts to it one
// at a time, returning each reply unchanged. Only the identification reply is
// interpreted here.
//
// Two faults of the link are the Sensor's to mend, for every command:
//  - A busy reply ("?04": nothing was done, send it again) is resent after
//    pauses of BusyPauses milliseconds; when the instrument is still busy,
//    AppError InstrumentBusy is raised.
//  - After the link was lost (AppError LinkLost: the device hung up or went
//    away), the next command first reopens the link as OpenCommPort did and
//    identifies the instrument again; it must be the same model and serial
//    number, else LinkLost is raised again, naming both. So a caller's Retry
//    after a lost link is simply the command sent again.

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
    // If connected: "+" (remote mode off, reply ignored), then close. Quiet
    // when the link is (or turns out to be) lost: the instrument is gone.
    void CloseCommPort();

    bool InstrumentConnected() const { return connected_; }
    bool InstrumentSupported() const { return modelName_ == SupportedModel; }
    QString InstrumentName() const;
    QString ModelName() const { return QString::fromLatin1(modelName_); }
    QString Version() const { return QString::fromLatin1(version_); }
    QString SerialNumber() const { return QString::fromLatin1(serialNumber_); }
    int32_t ErrorCodes() const { return 0; }

    // Sends one command and returns the reply; does not look at the connected
    // flag (the driver raises its own error when there is no link). See
    // above for busy replies and a lost link.
    QByteArray ExecCommand(const QByteArray& command);
    // Sends the command that the next ExecCommand will exchange, while the
    // caller decodes the reply in hand (Exchange.h). A busy reply to it is
    // resent by that ExecCommand as any other.
    void SendAhead(const QByteArray& command);
    // Whether the link was lost and not reopened since.
    bool LinkLost() const { return linkLost_; }

    static constexpr const char* SupportedModel = "TR8KZ";
    static constexpr int32_t TimeoutMilliseconds = 15000;
    static constexpr int BusyPauses[] = {50, 100, 200, 400, 800};

private:
    CommPortDriver& driver();
    // Opens the first USB identity, else the second; whether one connected.
    bool openDevice();
    // "R", "+1", "#": the identification's fields.
    void identify();
    // A command with the busy replies resent.
    QByteArray execute(const QByteArray& command);
    // Reopens a lost link and checks that the same instrument answers.
    void reconnect();

    DriverFactory driverFactory_;
    std::unique_ptr<CommPortDriver> driver_;
    QByteArray modelName_;
    QByteArray version_;
    QByteArray serialNumber_;
    bool connected_ = false;
    bool linkLost_ = false;
};
