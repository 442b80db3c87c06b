#include "SerialPortDriver.h"

#include "AppError.h"
#include "LinkWait.h"

#include <QDeadlineTimer>
#include <QSerialPortInfo>
#include <algorithm>

SerialPortDriver::SerialPortDriver(QString portName) : portName_(std::move(portName)) {}

SerialPortDriver::~SerialPortDriver() = default;

QString SerialPortDriver::findPortByIdentity(int32_t deviceCode) const
{
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
        if (info.hasVendorIdentifier() && info.hasProductIdentifier() &&
            info.vendorIdentifier() == DeviceCode::vendorId(deviceCode) &&
            info.productIdentifier() == DeviceCode::productId(deviceCode))
            return info.systemLocation();
    }
    return {};
}

void SerialPortDriver::OpenDevice(int32_t deviceCode)
{
    CloseDevice();
    const QString location = portName_.isEmpty() ? findPortByIdentity(deviceCode) : portName_;
    if (location.isEmpty()) return;
    device_.Open(location);  // drops stale input
    pending_.reserve(4096);
    staleInput_ = false;
}

bool SerialPortDriver::IsConnected() const { return device_.IsOpen(); }

QString SerialPortDriver::connectedPort() const { return IsConnected() ? device_.Path() : QString(); }

void SerialPortDriver::CloseDevice()
{
    device_.Close();
    pending_.clear();
    scanned_ = 0;
}

void SerialPortDriver::fault(int32_t number, const QString& description)
{
    staleInput_ = true;
    if (number == ErrorNumber::LinkLost) CloseDevice();
    throw AppError(number, description);
}

QByteArray SerialPortDriver::takeReply(qsizetype end)
{
    QByteArray reply = pending_.left(end);
    // One command, one reply: anything after it belongs to no command.
    pending_.clear();
    scanned_ = 0;
    return reply;
}

QByteArray SerialPortDriver::Execute(const QByteArray& command)
{
    const QString shown = QString::fromLatin1(command.left(8));
    if (!IsConnected())
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("The instrument's port is not open (command %1)").arg(shown));

    if (staleInput_) {
        // A reply that arrived after the fault belongs to the command that
        // failed, not to this one.
        device_.DiscardInput();
        staleInput_ = false;
    }
    pending_.clear();
    scanned_ = 0;

    try {
        device_.Write(command + '\r');
    } catch (const AppError& error) {
        fault(error.number(), error.description());
    }

    const QDeadlineTimer deadline(timeout_);
    for (;;) {
        if (deadline.hasExpired())
            fault(ErrorNumber::CommTimeout,
                  QStringLiteral("Communications timeout: no complete reply to %1 within %2 ms").arg(shown).arg(timeout_));
        SerialDevice::Wait wait = SerialDevice::Wait::Timeout;
        try {
            wait = device_.ReadSome(pending_);
        } catch (const AppError& error) {
            fault(error.number(), error.description());
        }
        if (wait != SerialDevice::Wait::Data) {
            if (LinkWait::InterruptRequested()) {
                staleInput_ = true;
                throw LinkInterrupted{};
            }
            LinkWait::Idle();
            continue;
        }
        // A CR LF may straddle two reads: look again at the last byte seen.
        const qsizetype from = std::max<qsizetype>(scanned_ - 1, 0);
        const qsizetype end = pending_.indexOf("\r\n", from);
        if (end >= 0 && end <= MaxReplyBytes) return takeReply(end);
        if (end > MaxReplyBytes || pending_.size() > MaxReplyBytes + 1)
            fault(ErrorNumber::MalformedText, QStringLiteral("The reply to %1 is longer than %2 bytes: the link "
                                                             "carries something that is not the instrument's reply")
                                                  .arg(shown)
                                                  .arg(MaxReplyBytes));
        scanned_ = pending_.size();
    }
}
