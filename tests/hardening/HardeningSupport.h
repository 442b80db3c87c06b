#pragma once
// The operator's program on a simulated instrument with link faults: the main
// window started as at start-up, the instrument kept so that a test sees every
// command it received and every setup it stores, and a driver for a device
// that goes away part-way (a USB cable pulled).

#include "TestFiles.h"
#include "CommPortDriver.h"
#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "frmUtility.h"

#include <QByteArray>
#include <QString>
#include <memory>
#include <vector>

namespace Hardening {

// Options of the instrument of these tests: a small datalog, a fixed clock
// (so that every run sees the same content).
SimOptions InstrumentOptions(std::vector<SimFault> faults = {}, int datalogSize = 5);

// The program's main window on a simulated instrument. Going, it closes the
// setup editor and deletes the windows that were unloaded, so that the next
// test starts with none of them.
class Program {
public:
    ~Program();
    // Starts the main window as Form_Load does, with the driver the factory
    // makes for the instrument; the commands of start-up are then forgotten,
    // so that Sent() holds only what the test's operation sends.
    void Start(const SimOptions& options,
               const std::function<DriverFactory(std::shared_ptr<SimInstrument>)>& factory = SimulatorFactory);

    ScriptedEnvironment env;
    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> window;

    const QList<QByteArray>& Sent() const { return instrument->ReceivedCommands(); }
    // Commands received that start with the prefix.
    int SentWith(const QByteArray& prefix) const;
    // The instrument's 250 stored setup records.
    std::vector<QByteArray> StoredSetups() const;
};

// A device that goes away: from the n-th command that starts with the prefix
// on, Execute raises AppError LinkLost, as the serial driver does when the
// port fails; nothing reaches the instrument any more. It is plugged back in
// for the open after `failedReopens` opens that still find nothing.
class UnpluggedDriver : public SimulatorDriver {
public:
    UnpluggedDriver(std::shared_ptr<SimInstrument> instrument, QByteArray prefix, int occurrence, int failedReopens)
        : SimulatorDriver(std::move(instrument)), prefix_(std::move(prefix)), occurrence_(occurrence),
          failedReopens_(failedReopens) {}
    void OpenDevice(int32_t deviceCode) override;
    bool IsConnected() const override { return !gone_ && SimulatorDriver::IsConnected(); }
    QByteArray Execute(const QByteArray& command) override;

private:
    QByteArray prefix_;
    int occurrence_;
    int failedReopens_;
    int seen_ = 0;
    bool gone_ = false;
    bool pluggedBack_ = false;
};

DriverFactory UnpluggedAt(std::shared_ptr<SimInstrument> instrument, const QByteArray& prefix, int occurrence,
                          int failedReopens = 0);

// An archive of the instrument's setups with each renamed "RESTORED n" (n the
// setup number), every other field as stored: a valid archive whose restore
// changes every setup, line by line.
QByteArray ChangedArchive(const SimInstrument& instrument);

}  // namespace Hardening
