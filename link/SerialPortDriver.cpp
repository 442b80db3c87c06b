#include "SerialPortDriver.h"

#include "AppError.h"
#include "LinkWait.h"

#include <QDeadlineTimer>
#include <QSerialPortInfo>
#include <algorithm>
#include <cstring>

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
    sentAhead_.clear();
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
    // One command, one reply: anything after it belongs to no command (a
    // command sent ahead is sent only once its predecessor's reply is whole).
    // truncate, not clear: the buffer keeps its storage for the next reply.
    pending_.truncate(0);
    scanned_ = 0;
    return reply;
}

void SerialPortDriver::send(const QByteArray& command)
{
    // One write of the command and its CR, from storage kept between
    // commands.
    outgoing_.truncate(0);
    outgoing_.append(command).append('\r');
    device_.Write(outgoing_);
}

bool SerialPortDriver::SendAhead(const QByteArray& command)
{
    if (!IsConnected() || staleInput_ || !sentAhead_.isEmpty()) return false;
    try {
        send(command);
    } catch (const AppError&) {
        // Execute writes the command again and raises the device's fault
        // with the command's own context; input left by a part-written
        // command is dropped first.
        staleInput_ = true;
        return false;
    }
    sentAhead_ = command;
    return true;
}

QByteArray SerialPortDriver::Execute(const QByteArray& command)
{
    if (!IsConnected())
        throw AppError(ErrorNumber::LinkLost,
                       QStringLiteral("The instrument's port is not open (command %1)").arg(shownCommand(command)));

    bool alreadySent = false;
    if (!sentAhead_.isEmpty()) {
        alreadySent = sentAhead_ == command;
        // The loop that sent a command ahead went elsewhere (it stopped at a
        // bad record, or was cancelled): that command's reply comes all the
        // same, and must not be taken for this one's.
        if (!alreadySent) dropReplyToSentAhead();
        sentAhead_.clear();
    }
    if (staleInput_) {
        // A reply that arrived after the fault belongs to the command that
        // failed, not to this one.
        device_.DiscardInput();
        staleInput_ = false;
    }
    if (!alreadySent) {
        pending_.truncate(0);
        scanned_ = 0;
        try {
            send(command);
        } catch (const AppError& error) {
            fault(error.number(), error.description());
        }
    }
    return receive(command);
}

void SerialPortDriver::dropReplyToSentAhead()
{
    const QByteArray abandoned = sentAhead_;
    sentAhead_.clear();
    try {
        receive(abandoned);
    } catch (const AppError& error) {
        // A lost link is the next command's fault too; a reply that did not
        // come, or came overlong, leaves input that belongs to no command,
        // which receive() has already marked to be dropped.
        if (error.number() == ErrorNumber::LinkLost) throw;
    }
}

QString SerialPortDriver::shownCommand(const QByteArray& command)
{
    return QString::fromLatin1(command.left(8));
}

qsizetype SerialPortDriver::findReplyEnd() const
{
    // Only the bytes that arrived since the last look are searched; a CR LF
    // may straddle two reads, so the search for its LF starts one byte
    // back. memchr for the one byte is far cheaper than a two-byte search.
    const char* const data = pending_.constData();
    qsizetype from = std::max<qsizetype>(scanned_, 1);
    while (from < pending_.size()) {
        const void* found = std::memchr(data + from, '\n', static_cast<size_t>(pending_.size() - from));
        if (!found) return -1;
        const qsizetype lf = static_cast<const char*>(found) - data;
        if (data[lf - 1] == '\r') return lf - 1;
        from = lf + 1;
    }
    return -1;
}

QByteArray SerialPortDriver::receive(const QByteArray& command)
{
    const QDeadlineTimer deadline(timeout_);
    for (;;) {
        if (deadline.hasExpired())
            fault(ErrorNumber::CommTimeout, QStringLiteral("Communications timeout: no complete reply to %1 within %2 ms")
                                                .arg(shownCommand(command))
                                                .arg(timeout_));
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
        const qsizetype end = findReplyEnd();
        if (end >= 0 && end <= MaxReplyBytes) return takeReply(end);
        if (end > MaxReplyBytes || pending_.size() > MaxReplyBytes + 1)
            fault(ErrorNumber::MalformedText, QStringLiteral("The reply to %1 is longer than %2 bytes: the link "
                                                             "carries something that is not the instrument's reply")
                                                  .arg(shownCommand(command))
                                                  .arg(MaxReplyBytes));
        scanned_ = pending_.size();
    }
}
