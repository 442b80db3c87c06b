#include "SerialPortDriver.h"

#include "AppError.h"

#include <QDeadlineTimer>
#include <QSerialPort>
#include <QSerialPortInfo>

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

    auto port = std::make_unique<QSerialPort>();
    port->setPortName(location);
    // The instrument's USB serial function ignores the line settings; these
    // suit a real RS-232 adapter too.
    port->setBaudRate(QSerialPort::Baud115200);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    if (!port->open(QIODevice::ReadWrite)) return;
    port_ = std::move(port);
    pending_.clear();
}

bool SerialPortDriver::IsConnected() const { return port_ && port_->isOpen(); }

QString SerialPortDriver::connectedPort() const { return IsConnected() ? port_->portName() : QString(); }

void SerialPortDriver::CloseDevice()
{
    if (port_) port_->close();
    port_.reset();
    pending_.clear();
}

QByteArray SerialPortDriver::Execute(const QByteArray& command)
{
    if (!IsConnected())
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("The instrument's port is not open (command %1)")
                                                  .arg(QString::fromLatin1(command.left(8))));

    // A reply that arrived after an earlier timeout belongs to that command,
    // not to this one: drop it before sending.
    pending_.clear();
    port_->clear(QSerialPort::Input);

    const QByteArray frame = command + '\r';
    if (port_->write(frame) != frame.size())
        throw AppError(ErrorNumber::LinkLost,
                       QStringLiteral("Could not send to the instrument: %1").arg(port_->errorString()));

    const QDeadlineTimer deadline(timeout_);
    while (port_->bytesToWrite() > 0) {
        if (!port_->waitForBytesWritten(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0)))) {
            if (deadline.hasExpired()) break;
            throw AppError(ErrorNumber::LinkLost,
                           QStringLiteral("Could not send to the instrument: %1").arg(port_->errorString()));
        }
    }

    for (;;) {
        pending_ += port_->readAll();
        const int end = pending_.indexOf("\r\n");
        if (end >= 0) {
            QByteArray reply = pending_.left(end);
            pending_.remove(0, end + 2);
            return reply;
        }
        if (deadline.hasExpired())
            throw AppError(ErrorNumber::CommTimeout, QStringLiteral("Communications timeout: no complete reply to %1 within %2 ms")
                                                         .arg(QString::fromLatin1(command.left(8)))
                                                         .arg(timeout_));
        if (!port_->waitForReadyRead(static_cast<int>(std::max<qint64>(deadline.remainingTime(), 1)))) {
            const auto error = port_->error();
            if (error != QSerialPort::NoError && error != QSerialPort::TimeoutError)
                throw AppError(ErrorNumber::LinkLost,
                               QStringLiteral("The link to the instrument was lost: %1").arg(port_->errorString()));
        }
    }
}
