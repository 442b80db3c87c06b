#pragma once
// A scripted instrument for the screen capture window's tests: it identifies
// itself as the supported model and answers the display read with a pixel
// area the test chooses, or with timeouts and refusals when told to.

#include "AppError.h"
#include "CommPortDriver.h"
#include "FieldCodec.h"

#include <QByteArray>
#include <QList>
#include <deque>
#include <memory>

struct ScreenTestScript {
    QByteArray pixels;                 // 2048 bytes, the instrument's layout
    std::deque<QByteArray> displayReplies;  // replies to use before the pixels; "timeout" raises one
    QList<QByteArray> sent;

    int displayReads() const { return static_cast<int>(sent.count("V0001")); }
};

class ScreenTestInstrument : public CommPortDriver {
public:
    explicit ScreenTestInstrument(ScreenTestScript& script) : script_(script) {}

    void SetTimeout(int32_t) override {}
    void OpenDevice(int32_t) override { connected_ = true; }
    bool IsConnected() const override { return connected_; }
    void CloseDevice() override { connected_ = false; }

    QByteArray Execute(const QByteArray& command) override
    {
        script_.sent << command;
        if (command == "#") {
            FieldCodec identity;  // a codec of its own: the program's shared one is not disturbed
            identity.BeginCommand("#");
            identity.AppendByte(1);
            identity.AppendLong(1000);
            identity.AppendString("TR8KZ");
            identity.AppendString("2.10");
            identity.AppendString("KZ0042");
            return identity.GetText();
        }
        if (command == "V0001") {
            if (!script_.displayReplies.empty()) {
                const QByteArray reply = script_.displayReplies.front();
                script_.displayReplies.pop_front();
                if (reply == "timeout") throw AppError(ErrorNumber::CommTimeout, "no reply within the timeout");
                return reply;
            }
            return "v" + script_.pixels.toHex().toUpper();
        }
        if (command == "R") return "r";
        return "+";
    }

private:
    ScreenTestScript& script_;
    bool connected_ = false;
};

inline DriverFactory ScreenTestDriverFactory(ScreenTestScript& script)
{
    return [&script] { return std::make_unique<ScreenTestInstrument>(script); };
}
