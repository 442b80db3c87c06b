#pragma once
// How the command line ends: its exit codes, the failures that are not the
// instrument's or a file's (a wrong command line, no usable instrument), and
// the texts of the errors that are, worded as the windows word them.

#include "AppError.h"

#include <QString>
#include <exception>

namespace ExitCode {
inline constexpr int Done = 0;
inline constexpr int Failed = 1;       // an instrument or file error
inline constexpr int Differ = 1;       // setups compare, restore --verify: the setups differ
inline constexpr int Usage = 2;        // the command line cannot be carried out
inline constexpr int NoInstrument = 3; // none attached, or another model
inline constexpr int Interrupted = 130;  // Ctrl-C: the operation kept what it had done
}  // namespace ExitCode

// The command line asks for something that cannot be done as asked: an
// unknown command or option, a missing argument, a value the setup editors
// would refuse. Nothing has been sent to change the instrument.
class UsageError : public std::exception {
public:
    explicit UsageError(QString message) : message_(std::move(message)), text_(message_.toLocal8Bit()) {}
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return text_.constData(); }

private:
    QString message_;
    QByteArray text_;
};

// The start-up found no instrument, or one this program does not support;
// the operator has been told.
struct InstrumentUnavailable {};

// How an error of a command is told.
enum class ErrorStyle {
    // Instrument operations, the setup editor, the screen capture:
    // "Fatal Error #N", a blank line and the description.
    Fatal,
    // The long operations (capture, conversion, archive, restore): the
    // description alone.
    Operation,
};

// The text for the operator. A communications timeout is always
// "Communications Timeout", followed by what timed out on the next line.
QString ErrorText(const AppError& error, ErrorStyle style);
// An error from outside the program's own code (number 51, internal error).
QString ErrorText(const std::exception& error, ErrorStyle style);
