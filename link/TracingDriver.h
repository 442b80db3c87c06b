#pragma once
// Wraps any driver and writes every command, reply and failure to a traffic
// log with a timestamp, so that an operator can send support a transcript:
//
//   2026-12-05 14:03:09.120 open 1D895C03 -> connected
//   2026-12-05 14:03:09.121 > D0001
//   2026-12-05 14:03:09.135 < d5F2A...
//   2026-12-05 14:03:09.136 > S10001 (sent ahead)
//   2026-12-05 14:03:24.140 ! -2147213405 Communications timeout: ...
//
// A command sent ahead (Exchange.h) is logged when it goes out, and not again
// when its reply is taken.

#include "CommPortDriver.h"

#include <QFile>
#include <QString>
#include <memory>

class TracingDriver : public CommPortDriver {
public:
    // Appends to the file; raises AppError when it cannot be opened.
    TracingDriver(std::unique_ptr<CommPortDriver> inner, const QString& logFile);

    void SetTimeout(int32_t milliseconds) override;
    void OpenDevice(int32_t deviceCode) override;
    bool IsConnected() const override { return inner_->IsConnected(); }
    void CloseDevice() override;
    QByteArray Execute(const QByteArray& command) override;
    bool SendAhead(const QByteArray& command) override;

private:
    void log(const QByteArray& line);

    std::unique_ptr<CommPortDriver> inner_;
    QFile file_;
    QByteArray aheadCommand_;
};

// A factory that wraps every driver the given factory makes, when logFile is
// not empty.
DriverFactory tracedFactory(DriverFactory factory, const QString& logFile);
