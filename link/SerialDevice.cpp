#include "SerialDevice.h"

#include "AppError.h"

#include <QFileInfo>
#include <QSerialPort>
#include <algorithm>

namespace {

constexpr qint32 BaudRate = 115200;

[[noreturn]] void unavailable(const QString& path, const QString& reason)
{
    throw AppError(ErrorNumber::PortUnavailable, QStringLiteral("The serial port %1 cannot be used: %2").arg(path, reason));
}

QString notFound() { return QStringLiteral("not found (is the instrument plugged in, and is the name right?)"); }
QString notSerial() { return QStringLiteral("it is not a serial device"); }
QString inUse() { return QStringLiteral("in use by another program"); }

QString permissionAdvice()
{
    return QStringLiteral("permission denied. Add your user to the group that owns the port (usually \"dialout\": "
                          "sudo usermod -aG dialout $USER, then log in again), or install the package's udev rule "
                          "(60-tr8kz.rules) and plug the instrument in again");
}

// QSerialPort reports three different refusals as PermissionError: the
// device's own permissions, its lock file held by another program, and the
// exclusive mode another program set on it (busy). A device this user may
// read and write was refused for the other two reasons: it is in use.
QString openFailure(const QSerialPort& port, const QFileInfo& device)
{
    switch (port.error()) {
    case QSerialPort::DeviceNotFoundError: return notFound();
    case QSerialPort::PermissionError: return device.isReadable() && device.isWritable() ? inUse() : permissionAdvice();
    // The terminal settings cannot be read or set: /dev/null, a file.
    case QSerialPort::UnsupportedOperationError: return notSerial();
    default: return port.errorString();
    }
}

}  // namespace

SerialDevice::SerialDevice() = default;

SerialDevice::~SerialDevice() { Close(); }

bool SerialDevice::IsOpen() const { return port_ && port_->isOpen(); }

void SerialDevice::Open(const QString& path)
{
    Close();
    const QFileInfo device(path);
    if (!device.exists()) unavailable(path, notFound());
    // A regular file or a folder opens without complaint on some systems.
    if (device.isFile() || device.isDir()) unavailable(path, notSerial());

    auto port = std::make_unique<QSerialPort>();
    // The device itself, not a link to it (udev's names under /dev/serial):
    // the lock file QSerialPort takes is named after it, so that every name
    // of one port shares one lock, as other serial programs expect.
    port->setPortName(device.canonicalFilePath());
    port->setBaudRate(BaudRate);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // Takes the lock file and the terminal's exclusive mode; close() gives
    // both back, so that the next program (or this one again) gets the port.
    if (!port->open(QIODevice::ReadWrite)) unavailable(path, openFailure(*port, QFileInfo(device.canonicalFilePath())));
    port->clear(QSerialPort::Input);
    port->clearError();
    port_ = std::move(port);
    path_ = path;
}

void SerialDevice::Close()
{
    if (!port_) return;
    port_->close();
    port_.reset();
}

void SerialDevice::lost(const QString& reason) const
{
    throw AppError(ErrorNumber::LinkLost, QStringLiteral("The link to the instrument on %1 was lost: %2").arg(path_, reason));
}

void SerialDevice::Write(const QByteArray& bytes)
{
    port_->clearError();
    if (port_->write(bytes) != bytes.size()) lost(port_->errorString());
    // A command fits the device's output buffer: sent at once, without a
    // wait before it. What flush() could not send (a full buffer, which it
    // also reports as an error) is waited out; a real failure shows again
    // there.
    if (!port_->flush()) port_->clearError();
    while (port_->bytesToWrite() > 0) {
        if (port_->waitForBytesWritten(SliceMilliseconds)) continue;
        // The device's output buffer stays full: wait until it drains.
        if (port_->error() == QSerialPort::TimeoutError) {
            port_->clearError();
            continue;
        }
        // The wait saw the device readable but read nothing: its other end
        // hung up. Any other error is the device's own.
        lost(port_->error() == QSerialPort::NoError ? QStringLiteral("the device hung up") : port_->errorString());
    }
}

SerialDevice::Wait SerialDevice::ReadSome(QByteArray& buffer)
{
    // The windows process events between slices, and with them QSerialPort's
    // own notifier, which may already have read a whole reply: take it
    // rather than wait for more that will not come.
    if (port_->bytesAvailable() == 0) {
        port_->clearError();
        if (!port_->waitForReadyRead(SliceMilliseconds)) {
            switch (port_->error()) {
            case QSerialPort::TimeoutError: port_->clearError(); return Wait::Timeout;
            // Readable with nothing to read: a pseudo-terminal whose master
            // closed, a USB port unplugged (its reads end at once, empty).
            case QSerialPort::NoError: lost(QStringLiteral("the device hung up"));
            default: lost(port_->errorString());
            }
        }
    }
    // Straight into the caller's buffer, which keeps its storage from reply
    // to reply: no byte array made and dropped per read.
    const qint64 available = port_->bytesAvailable();
    if (available <= 0) return Wait::Timeout;
    const qsizetype before = buffer.size();
    buffer.resize(before + available);
    const qint64 got = port_->read(buffer.data() + before, available);
    buffer.resize(before + std::max<qint64>(got, 0));
    if (got < 0) lost(port_->errorString());
    return got > 0 ? Wait::Data : Wait::Timeout;
}

void SerialDevice::DiscardInput()
{
    if (!IsOpen()) return;
    port_->clear(QSerialPort::Input);  // the device's queue and the bytes QSerialPort holds
}
