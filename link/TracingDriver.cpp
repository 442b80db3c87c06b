#include "TracingDriver.h"

#include "AppError.h"

#include <QDateTime>

TracingDriver::TracingDriver(std::unique_ptr<CommPortDriver> inner, const QString& logFile)
    : inner_(std::move(inner)), file_(logFile)
{
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append))
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("Cannot open the trace file %1: %2").arg(logFile, file_.errorString()));
}

void TracingDriver::log(const QByteArray& line)
{
    const QByteArray stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toLatin1();
    file_.write(stamp + ' ' + line + '\n');
    file_.flush();
}

void TracingDriver::SetTimeout(int32_t milliseconds)
{
    log("timeout " + QByteArray::number(milliseconds) + " ms");
    inner_->SetTimeout(milliseconds);
}

void TracingDriver::OpenDevice(int32_t deviceCode)
{
    inner_->OpenDevice(deviceCode);
    log("open " + QByteArray::number(static_cast<uint32_t>(deviceCode), 16).toUpper() + " -> " +
        (inner_->IsConnected() ? "connected" : "not connected"));
}

void TracingDriver::CloseDevice()
{
    inner_->CloseDevice();
    log("close");
}

bool TracingDriver::SendAhead(const QByteArray& command)
{
    // Only a command that went out is logged here; one that did not is
    // written, and logged, by its Execute.
    const bool sent = inner_->SendAhead(command);
    if (sent) {
        log("> " + command + " (sent ahead)");
        aheadCommand_ = command;
    }
    return sent;
}

QByteArray TracingDriver::Execute(const QByteArray& command)
{
    // A command sent ahead is in the log already, where it went out. Another
    // command finds its reply still to come: the link takes it and drops it.
    if (aheadCommand_.isEmpty())
        log("> " + command);
    else if (command != aheadCommand_)
        log("> " + command + " (after the reply to " + aheadCommand_ + ", sent ahead, is dropped)");
    aheadCommand_.clear();
    try {
        QByteArray reply = inner_->Execute(command);
        log("< " + reply);
        return reply;
    } catch (const AppError& e) {
        log("! " + QByteArray::number(e.number()) + ' ' + e.description().toUtf8());
        throw;
    }
}

DriverFactory tracedFactory(DriverFactory factory, const QString& logFile)
{
    if (logFile.isEmpty()) return factory;
    return [factory = std::move(factory), logFile]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<TracingDriver>(factory(), logFile);
    };
}
