#include "ReplyTimeout.h"

#include "CliFailure.h"

namespace {

// Passes everything through but the timeout, which it replaces.
class TimeoutOverride : public CommPortDriver {
public:
    TimeoutOverride(std::unique_ptr<CommPortDriver> inner, int32_t milliseconds)
        : inner_(std::move(inner)), milliseconds_(milliseconds)
    {
        inner_->SetTimeout(milliseconds_);
    }

    void SetTimeout(int32_t) override { inner_->SetTimeout(milliseconds_); }
    void OpenDevice(int32_t deviceCode) override { inner_->OpenDevice(deviceCode); }
    bool IsConnected() const override { return inner_->IsConnected(); }
    void CloseDevice() override { inner_->CloseDevice(); }
    QByteArray Execute(const QByteArray& command) override { return inner_->Execute(command); }

private:
    std::unique_ptr<CommPortDriver> inner_;
    int32_t milliseconds_;
};

}  // namespace

std::optional<int32_t> ReplyTimeoutFromEnvironment()
{
    if (!qEnvironmentVariableIsSet(ReplyTimeoutVariable)) return std::nullopt;
    const QString text = qEnvironmentVariable(ReplyTimeoutVariable);
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < 1 || value > 3600000)
        throw UsageError(QStringLiteral("%1 must be a whole number of milliseconds from 1 to 3600000, not \"%2\"")
                             .arg(QLatin1String(ReplyTimeoutVariable), text));
    return value;
}

DriverFactory WithReplyTimeout(DriverFactory factory, std::optional<int32_t> milliseconds)
{
    if (!milliseconds) return factory;
    return [factory = std::move(factory), ms = *milliseconds]() -> std::unique_ptr<CommPortDriver> {
        return std::make_unique<TimeoutOverride>(factory(), ms);
    };
}
