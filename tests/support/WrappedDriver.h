#pragma once
// A driver around another that passes every call on; each reply goes through
// `onReply`, which may act on the exchange or change the reply: an instrument
// saying what the simulated one never says, or an operator acting mid-way.

#include "CommPortDriver.h"

#include <functional>
#include <memory>

class WrappedDriver : public CommPortDriver {
public:
    using OnReply = std::function<QByteArray(const QByteArray& command, const QByteArray& reply)>;
    WrappedDriver(std::unique_ptr<CommPortDriver> inner, OnReply onReply)
        : inner_(std::move(inner)), onReply_(std::move(onReply)) {}
    void SetTimeout(int32_t ms) override { inner_->SetTimeout(ms); }
    void OpenDevice(int32_t code) override { inner_->OpenDevice(code); }
    bool IsConnected() const override { return inner_->IsConnected(); }
    void CloseDevice() override { inner_->CloseDevice(); }
    QByteArray Execute(const QByteArray& command) override { return onReply_(command, inner_->Execute(command)); }

private:
    std::unique_ptr<CommPortDriver> inner_;
    OnReply onReply_;
};
