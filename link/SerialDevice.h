#pragma once
// A serial device of the operating system, behind one small boundary: open
// it raw and for this program alone, write, wait for input with a limit,
// drop stale input. SerialPortDriver does the framing on top. On
// QSerialPort (SerialDevice.cpp), so that it stays portable: a USB CDC port,
// an RS-232 adapter or the pseudo-terminal of tr8kz-sim.

#include <QByteArray>
#include <QString>
#include <memory>

class QSerialPort;

class SerialDevice {
public:
    SerialDevice();
    ~SerialDevice();
    SerialDevice(const SerialDevice&) = delete;
    SerialDevice& operator=(const SerialDevice&) = delete;

    // Opens the device raw (8 data bits, no parity, one stop bit, 115200 baud,
    // no flow control), takes it for this process alone and drops any input
    // waiting on it. Raises AppError PortUnavailable naming the device and
    // the reason: not found, not a serial device, permission denied (with
    // how to get the permission), in use by another program.
    void Open(const QString& path);
    bool IsOpen() const;
    void Close();
    const QString& Path() const { return path_; }

    // Sends every byte. Raises AppError LinkLost when the device fails.
    void Write(const QByteArray& bytes);

    enum class Wait { Data, Timeout, Interrupted };
    // Waits for input, at most SliceMilliseconds, and appends what has
    // arrived to the buffer (Data); bytes already received (while the windows
    // processed events) are taken without waiting. Timeout: nothing came
    // within the slice. Interrupted: a signal ended the wait early; the
    // QSerialPort wait resumes after a signal, so it reports Timeout at the
    // end of the slice instead, and the caller looks at its interrupt flag
    // either way. Raises AppError LinkLost when the device hung up or failed.
    Wait ReadSome(QByteArray& buffer);
    static constexpr int SliceMilliseconds = 100;

    // Drops input received and not read yet.
    void DiscardInput();

private:
    [[noreturn]] void lost(const QString& reason) const;

    std::unique_ptr<QSerialPort> port_;
    QString path_;
};
