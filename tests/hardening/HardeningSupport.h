#pragma once
// The operator's program on a simulated instrument with link faults: the main
// window started as at start-up, the instrument kept so that a test sees every
// command it received and every setup it stores, and a driver for a device
// that goes away part-way (a USB cable pulled).

#include "AppError.h"
#include "MainWindowOnSimulator.h"
#include "TestFiles.h"
#include "frmEditProduct.h"

#include <QCoreApplication>
#include <algorithm>
#include <memory>
#include <vector>

namespace Hardening {

// Options of the instrument of these tests: a small datalog, a fixed clock
// (so that every run sees the same content).
inline SimOptions InstrumentOptions(std::vector<SimFault> faults = {}, int datalogSize = 5)
{
    SimOptions options;
    options.datalogSize = datalogSize;
    options.faults = std::move(faults);
    options.localClock = [] { return QDateTime(QDate(2026, 6, 1), QTime(8, 30, 0)); };
    return options;
}

// The program's main window on a simulated instrument, started as at
// start-up (Form_Load) with the commands of start-up forgotten, so that
// sent() holds only what the test's operation sends. Going, it closes the
// setup editor and deletes the windows that were unloaded, so that the next
// test starts with none of them.
struct Program : MainWindowOnSimulator {
    ~Program()
    {
        frmEditProduct::DestroyInstance();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Start(SimOptions options, DriverFactory factory = {}) { start(std::move(options), std::move(factory)); }
    // Commands received that start with the prefix.
    int SentWith(const QByteArray& prefix) const
    {
        return int(std::count_if(sent().begin(), sent().end(), [&](const QByteArray& c) { return c.startsWith(prefix); }));
    }
    // The instrument's 250 stored setup records.
    std::vector<QByteArray> StoredSetups() const
    {
        std::vector<QByteArray> records;
        for (int i = 0; i < 250; ++i) records.push_back(instrument->SetupRecord(i));
        return records;
    }
};

// A device that goes away: from the n-th command that starts with the prefix
// on, Execute raises AppError LinkLost, as the serial driver does when the
// port fails; nothing reaches the instrument any more. It is plugged back in
// for the open after `failedReopens` opens that still find nothing.
struct UnpluggedDriver : SimulatorDriver {
    UnpluggedDriver(std::shared_ptr<SimInstrument> instrument, QByteArray prefix, int occurrence, int failedReopens)
        : SimulatorDriver(std::move(instrument)), prefix_(std::move(prefix)), occurrence_(occurrence),
          failedReopens_(failedReopens) {}
    void OpenDevice(int32_t deviceCode) override
    {
        if (gone_) {
            // Each reopen tries both identities; count the operator's retries.
            if (deviceCode == DeviceCode::Primary && failedReopens_-- > 0) return;
            if (failedReopens_ >= 0) return;
            gone_ = false;
            pluggedBack_ = true;
        }
        SimulatorDriver::OpenDevice(deviceCode);
    }
    bool IsConnected() const override { return !gone_ && SimulatorDriver::IsConnected(); }
    QByteArray Execute(const QByteArray& command) override
    {
        if (!pluggedBack_ && command.startsWith(prefix_) && ++seen_ >= occurrence_) gone_ = true;
        if (gone_)
            throw AppError(ErrorNumber::LinkLost,
                           QStringLiteral("The link to the instrument was lost: No such device (command %1)")
                               .arg(QString::fromLatin1(command.left(8))));
        return SimulatorDriver::Execute(command);
    }

    QByteArray prefix_;
    int occurrence_;
    int failedReopens_;
    int seen_ = 0;
    bool gone_ = false;
    bool pluggedBack_ = false;
};

// For Program::Start: the program's instrument behind an UnpluggedDriver.
inline DriverFactory UnpluggedAt(const Program& p, const QByteArray& prefix, int occurrence, int failedReopens = 0)
{
    return [&p, prefix, occurrence, failedReopens]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<UnpluggedDriver>(p.instrument, prefix, occurrence, failedReopens);
    };
}

// An archive of the instrument's setups with each renamed "RESTORED n" (n the
// setup number), every other field as stored: a valid archive whose restore
// changes every setup, line by line.
inline QByteArray ChangedArchive(const SimInstrument& instrument)
{
    const auto hex = [](int value) { return QByteArray::number(value, 16).rightJustified(2, '0').toUpper(); };
    QByteArray text = "TR8KZ Product Setups\r\n";
    for (int i = 0; i < 250; ++i) {
        const QByteArray record = instrument.SetupRecord(i);
        const int nameLength = record.left(2).toInt(nullptr, 16);
        const QByteArray name = "RESTORED " + QByteArray::number(i + 1);
        text += "P2" + hex(i) + hex(static_cast<int>(name.size())) + name.toHex().toUpper() +
                record.mid(2 + 2 * nameLength) + "\r\n";
    }
    return text;
}

}  // namespace Hardening
