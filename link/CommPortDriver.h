#pragma once
// The transport to the instrument: one small interface with the serial
// implementation (SerialPortDriver), the in-process simulated instrument
// (SimulatorDriver) and a tracing wrapper (TracingDriver).
//
// Framing is the driver's: a command is sent followed by CR; a reply ends at
// CR LF, which Execute strips. A reply that has not ended within the timeout
// raises AppError ErrorNumber::CommTimeout.

#include <QByteArray>
#include <cstdint>
#include <functional>
#include <memory>

class CommPortDriver {
public:
    virtual ~CommPortDriver() = default;

    // Milliseconds a reply may take before Execute gives up.
    virtual void SetTimeout(int32_t milliseconds) = 0;
    // Opens the device that the code selects: the upper 16 bits are the USB
    // vendor id, the lower 16 the product id. Success shows only through
    // IsConnected.
    virtual void OpenDevice(int32_t deviceCode) = 0;
    virtual bool IsConnected() const = 0;
    virtual void CloseDevice() = 0;
    // Sends one command and returns the instrument's complete reply.
    virtual QByteArray Execute(const QByteArray& command) = 0;
    // Sends the command that the next Execute will be asked for, so that the
    // instrument works on it while the caller decodes the last reply
    // (Exchange.h). Execute of that command then only waits for its reply;
    // Execute of another command first waits for the reply to this one and
    // drops it. Returns whether the command went out, and never raises: a
    // command that could not be sent ahead is sent by its Execute, which
    // meets the fault. A driver whose Execute costs no waiting need not do
    // anything here.
    virtual bool SendAhead(const QByteArray& command)
    {
        (void)command;
        return false;
    }
};

using DriverFactory = std::function<std::unique_ptr<CommPortDriver>()>;

// The two USB identities the instrument presents (vendor 1D89).
namespace DeviceCode {
inline constexpr int32_t Primary = 0x1D895C03;
inline constexpr int32_t Secondary = 0x1D895C7B;
inline constexpr uint16_t vendorId(int32_t code) { return static_cast<uint16_t>(static_cast<uint32_t>(code) >> 16); }
inline constexpr uint16_t productId(int32_t code) { return static_cast<uint16_t>(code & 0xFFFF); }
}  // namespace DeviceCode
