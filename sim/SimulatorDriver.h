#pragma once
// The simulated instrument as a communications driver, in process: the
// utility's --simulator option and the tests put it where the serial driver
// would be. It speaks to a SimInstrument that it owns or shares, so a test
// can keep the instrument and look at its state and at every command it
// received.
//
// OpenDevice connects only to the USB identity the instrument answers to.
// Execute waits the instrument's reply delay (sleeping, not spinning) and
// returns its reply. When the instrument gives no reply (a fault), Execute
// raises the communications timeout at once: in process the driver knows no
// reply will come, so it does not keep the operator waiting for the full
// timeout. A reply delay longer than the timeout waits the timeout, then
// raises the same error, as the serial link would.

#include "CommPortDriver.h"
#include "SimInstrument.h"

#include <memory>

class SimulatorDriver : public CommPortDriver {
public:
    explicit SimulatorDriver(std::shared_ptr<SimInstrument> instrument);
    // Makes an instrument of its own.
    explicit SimulatorDriver(const SimOptions& options);

    void SetTimeout(int32_t milliseconds) override { timeout_ = milliseconds; }
    void OpenDevice(int32_t deviceCode) override;
    bool IsConnected() const override { return connected_; }
    void CloseDevice() override { connected_ = false; }
    // Raises AppError: LinkLost when no device is open, CommTimeout when the
    // instrument does not answer.
    QByteArray Execute(const QByteArray& command) override;

    int32_t Timeout() const { return timeout_; }
    SimInstrument& Instrument() { return *instrument_; }
    const std::shared_ptr<SimInstrument>& SharedInstrument() const { return instrument_; }

private:
    std::shared_ptr<SimInstrument> instrument_;
    int32_t timeout_ = 15000;
    bool connected_ = false;
};

// A factory for Sensor: every driver it makes talks to the same instrument.
DriverFactory SimulatorFactory(std::shared_ptr<SimInstrument> instrument);
