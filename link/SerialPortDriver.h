#pragma once
// The instrument on a serial device (USB CDC or any serial port, also a
// pseudo-terminal of tr8kz-sim). Blocking I/O on the calling thread: a reply
// is complete when its CR LF arrives, never judged by silence.

#include "CommPortDriver.h"

#include <QString>
#include <memory>

class QSerialPort;

class SerialPortDriver : public CommPortDriver {
public:
    // portName empty: OpenDevice looks for the first serial port whose USB
    // identity matches the device code. Otherwise that port is opened whatever
    // the code (the operator named it).
    explicit SerialPortDriver(QString portName = {});
    ~SerialPortDriver() override;

    void SetTimeout(int32_t milliseconds) override { timeout_ = milliseconds; }
    void OpenDevice(int32_t deviceCode) override;
    bool IsConnected() const override;
    void CloseDevice() override;
    QByteArray Execute(const QByteArray& command) override;

    // Where the last OpenDevice connected, for messages and traces.
    QString connectedPort() const;

private:
    QString findPortByIdentity(int32_t deviceCode) const;

    QString portName_;
    int32_t timeout_ = 15000;
    std::unique_ptr<QSerialPort> port_;
    QByteArray pending_;  // bytes received after the last reply's terminator
};
