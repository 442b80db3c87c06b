#pragma once
// A driver for the fuzz targets: the instrument connects on the first
// identity and answers each command from a table (a command it does not
// know is refused, as the instrument would refuse it).

#include "CommPortDriver.h"

#include <QByteArray>
#include <QHash>

class ScriptedDriver : public CommPortDriver {
public:
    explicit ScriptedDriver(QHash<QByteArray, QByteArray> replies) : replies_(std::move(replies)) {}

    void SetTimeout(int32_t) override {}
    void OpenDevice(int32_t deviceCode) override { connected_ = deviceCode == DeviceCode::Primary; }
    bool IsConnected() const override { return connected_; }
    void CloseDevice() override { connected_ = false; }
    QByteArray Execute(const QByteArray& command) override { return replies_.value(command, "?01"); }

private:
    QHash<QByteArray, QByteArray> replies_;
    bool connected_ = false;
};
