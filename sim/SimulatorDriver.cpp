#include "SimulatorDriver.h"

#include "AppError.h"
#include "LinkWait.h"

#include <algorithm>

SimulatorDriver::SimulatorDriver(std::shared_ptr<SimInstrument> instrument) : instrument_(std::move(instrument))
{
    if (!instrument_) throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("A simulator driver needs an instrument"));
}

SimulatorDriver::SimulatorDriver(const SimOptions& options) : instrument_(std::make_shared<SimInstrument>(options)) {}

void SimulatorDriver::OpenDevice(int32_t deviceCode)
{
    connected_ = instrument_->AnswersTo(deviceCode);
}

QByteArray SimulatorDriver::Execute(const QByteArray& command)
{
    const QString shown = QString::fromLatin1(command.left(8));
    if (!connected_)
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("The simulated instrument is not connected (command %1)").arg(shown));

    const std::optional<QByteArray> reply = instrument_->Handle(command);
    if (!reply)
        throw AppError(ErrorNumber::CommTimeout,
                       QStringLiteral("Communications timeout: the simulated instrument gave no reply to %1").arg(shown));

    const int delay = instrument_->Options().replyDelayMs;
    // Waited as the serial link waits: the windows keep painting, Ctrl-C is heard.
    if (delay > 0) LinkWait::Pause(std::min(delay, std::max(timeout_, 0)));
    if (delay > timeout_)
        throw AppError(ErrorNumber::CommTimeout, QStringLiteral("Communications timeout: no complete reply to %1 within %2 ms")
                                                     .arg(shown)
                                                     .arg(timeout_));
    return *reply;
}

DriverFactory SimulatorFactory(std::shared_ptr<SimInstrument> instrument)
{
    return [instrument = std::move(instrument)]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<SimulatorDriver>(instrument);
    };
}
