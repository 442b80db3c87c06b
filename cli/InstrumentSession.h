#pragma once
// The link to the instrument for one command: start-up identification with
// the utility's refusals, then the command's exchanges, then "+" and close.
//
//  - No instrument: "Instrument not connected or turned off".
//  - A port that cannot be used: its name and the reason (not found, not a
//    serial device, permission denied, in use).
//  - Another model: the firmware message, then "+" and close.
// All raise InstrumentUnavailable (exit code 3) after the message.
//
// Close() is for the normal end of a command (a Ctrl-C'd operation
// included). After an error the link is left as it is, as the utility leaves
// it when it ends after a fatal error: a dead link would only keep the
// operator waiting for another timeout.

#include "CommPortDriver.h"
#include "Exchange.h"

#include <QString>
#include <memory>

class Sensor;

class InstrumentSession {
public:
    explicit InstrumentSession(DriverFactory factory);
    ~InstrumentSession();

    // Opens the link and identifies the instrument; see above.
    void Open();
    void Close();

    Sensor& sensor();
    // Exchanges that report every error to the caller (no Retry here).
    Exchange exchange();
    // "TR8 KZ" for the supported instrument.
    QString DisplayName() const;

    static const QString NotConnectedMessage;
    static const QString UnsupportedMessage;

private:
    std::unique_ptr<Sensor> sensor_;
    bool open_ = false;
};
