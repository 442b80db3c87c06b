#pragma once
// Every failure in this program is an AppError: a number and a description,
// raised as an exception and caught where the operator can be told (see
// ReportError in the application shell). Numbers keep the meanings operators
// and support staff already know from the instrument's documentation.

#include <QString>
#include <cstdint>
#include <stdexcept>

namespace ErrorNumber {
// Arithmetic overflow: a value does not fit where it must go (16 or 32 bits).
inline constexpr int32_t Overflow = 6;
// An index outside the bounds of an array (setup views, spectrum points...).
inline constexpr int32_t SubscriptOutOfRange = 9;
// A file could not be read or written.
inline constexpr int32_t FileAccess = 75;
// The instrument did not finish its reply within the link's timeout
// (component-error base 0x80040000 plus 8099).
inline constexpr int32_t CommTimeout = static_cast<int32_t>(0x80041FA3u);
// A reply or a stored record that does not follow the instrument's field
// format (odd digit count, non-hex digit, read past its end).
inline constexpr int32_t MalformedText = static_cast<int32_t>(0x80041FA4u);
// The serial device went away or could not be written.
inline constexpr int32_t LinkLost = static_cast<int32_t>(0x80041FA5u);
// The instrument answered with its refusal ("?" and an error code), or with a
// reply of another kind than the command asks for.
inline constexpr int32_t InstrumentRefused = static_cast<int32_t>(0x80041FA6u);
// A serial port that exists by name or by USB identity but cannot be used:
// missing, not a serial device, no permission, in use by another program.
inline constexpr int32_t PortUnavailable = static_cast<int32_t>(0x80041FA7u);
// The instrument kept answering "busy" (?04) after the link layer's own
// pauses and resends.
inline constexpr int32_t InstrumentBusy = static_cast<int32_t>(0x80041FA8u);
// A value given on the command line or in a file that the program cannot use.
inline constexpr int32_t InvalidArgument = 5;
}  // namespace ErrorNumber

class AppError : public std::runtime_error {
public:
    AppError(int32_t number, const QString& description);

    int32_t number() const { return number_; }
    const QString& description() const { return description_; }

    static AppError overflow(const QString& what);
    static AppError subscript(const QString& what, int index);

private:
    int32_t number_;
    QString description_;
};

// Ends the program at once (the operator chose Cancel after a timeout, or a
// fatal error was reported). It unwinds the stack so that files being written
// are discarded cleanly; the application's top level turns it into the exit.
// Tests catch it to see that the program would have ended.
struct ProgramEnd {
    int exitCode = 0;
};
