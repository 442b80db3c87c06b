#include "HardeningSupport.h"

#include "AppError.h"
#include "frmEditProduct.h"

#include <QCoreApplication>
#include <QFile>
#include <algorithm>

namespace Hardening {

SimOptions InstrumentOptions(std::vector<SimFault> faults, int datalogSize)
{
    SimOptions options;
    options.datalogSize = datalogSize;
    options.faults = std::move(faults);
    options.localClock = [] { return QDateTime(QDate(2026, 6, 1), QTime(8, 30, 0)); };
    return options;
}

void Program::Start(const SimOptions& options,
                    const std::function<DriverFactory(std::shared_ptr<SimInstrument>)>& factory)
{
    window.reset();
    instrument = std::make_shared<SimInstrument>(options);
    window = std::make_unique<frmUtility>(factory(instrument));
    window->Form_Load();
    instrument->ClearLogs();
}

Program::~Program()
{
    frmEditProduct::DestroyInstance();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

int Program::SentWith(const QByteArray& prefix) const
{
    return int(std::count_if(Sent().begin(), Sent().end(), [&](const QByteArray& c) { return c.startsWith(prefix); }));
}

std::vector<QByteArray> Program::StoredSetups() const
{
    std::vector<QByteArray> records;
    for (int i = 0; i < 250; ++i) records.push_back(instrument->SetupRecord(i));
    return records;
}

void UnpluggedDriver::OpenDevice(int32_t deviceCode)
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

QByteArray UnpluggedDriver::Execute(const QByteArray& command)
{
    if (!pluggedBack_ && command.startsWith(prefix_) && ++seen_ >= occurrence_) gone_ = true;
    if (gone_)
        throw AppError(ErrorNumber::LinkLost,
                       QStringLiteral("The link to the instrument was lost: No such device (command %1)")
                           .arg(QString::fromLatin1(command.left(8))));
    return SimulatorDriver::Execute(command);
}

DriverFactory UnpluggedAt(std::shared_ptr<SimInstrument> instrument, const QByteArray& prefix, int occurrence,
                          int failedReopens)
{
    return [=]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<UnpluggedDriver>(instrument, prefix, occurrence, failedReopens);
    };
}

QByteArray ChangedArchive(const SimInstrument& instrument)
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
