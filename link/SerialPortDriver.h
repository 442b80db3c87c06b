#pragma once
// The instrument on a serial device (USB CDC or any serial port, also a
// pseudo-terminal of tr8kz-sim). Blocking I/O on the calling thread: a reply
// is complete when its CR LF arrives, never judged by silence.
//
// Lean by design, as a capture is thousands of exchanges: a command costs
// one write, then one wait and read for each piece of the reply that arrives
// (SerialDevice, on QSerialPort); the framing looks only at the bytes that arrived last (linear in
// the reply's length), and a reply longer than MaxReplyBytes is refused as
// soon as it gets there. Input is dropped when the device is opened and after
// a fault (a timeout, an overlong reply, an interrupted wait), where a late
// reply may follow; not before every command.
//
// While a reply is awaited the driver wakes every SerialDevice::SliceMilliseconds
// (the device's wait limit) to call the idle hook and to give up when an interrupt is requested
// (raising LinkInterrupted).

#include "CommPortDriver.h"
#include "SerialDevice.h"

#include <QString>

class SerialPortDriver : public CommPortDriver {
public:
    // portName empty: OpenDevice looks for the first serial port whose USB
    // identity matches the device code. Otherwise that port is opened whatever
    // the code (the operator named it).
    explicit SerialPortDriver(QString portName = {});
    ~SerialPortDriver() override;

    void SetTimeout(int32_t milliseconds) override { timeout_ = milliseconds; }
    // Not connected when no port has the USB identity; a port named or found
    // that cannot be opened raises AppError PortUnavailable with the reason.
    void OpenDevice(int32_t deviceCode) override;
    bool IsConnected() const override;
    void CloseDevice() override;
    // Raises CommTimeout, LinkLost (the device hung up or failed: the device
    // is closed), MalformedText (a reply over MaxReplyBytes) or
    // LinkInterrupted.
    QByteArray Execute(const QByteArray& command) override;
    // Writes the command at once; its Execute then only waits for the reply.
    bool SendAhead(const QByteArray& command) override;

    // Where the last OpenDevice connected, for messages and traces.
    QString connectedPort() const;

    // The longest reply the instrument sends is a few hundred bytes.
    static constexpr qsizetype MaxReplyBytes = 65536;

private:
    QString findPortByIdentity(int32_t deviceCode) const;
    [[noreturn]] void fault(int32_t number, const QString& description);
    QByteArray takeReply(qsizetype end);
    void send(const QByteArray& command);
    // Waits for the reply to the command sent (CR LF, within the timeout).
    QByteArray receive(const QByteArray& command);
    // Where the CR LF that ends the reply begins in pending_, or -1.
    qsizetype findReplyEnd() const;
    // Waits for the reply to the command sent ahead and drops it.
    void dropReplyToSentAhead();
    // A command as messages quote it: made only when one is needed.
    static QString shownCommand(const QByteArray& command);

    QString portName_;
    int32_t timeout_ = 15000;
    SerialDevice device_;
    QByteArray pending_;        // bytes of the reply under way
    qsizetype scanned_ = 0;     // bytes of pending_ already searched for CR LF
    bool staleInput_ = false;   // a fault left input that belongs to no command
    QByteArray sentAhead_;      // written by SendAhead, its reply not yet taken
    QByteArray outgoing_;       // the command and its CR, as written
};
