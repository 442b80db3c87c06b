#pragma once
// The instrument's end of a character link: commands end at CR (LF is
// ignored), each complete command goes to the driver, and each reply goes
// back followed by CR LF. A command the instrument does not answer (a fault)
// sends nothing back. tr8kz-sim puts it between its pseudo-terminal and a
// SimulatorDriver (or a TracingDriver around one).

#include <QByteArray>
#include <QString>
#include <functional>

class CommPortDriver;

class LineServer {
public:
    // A command longer than this without its CR is passed on as it stands,
    // so that the instrument refuses it rather than swallowing the link.
    static constexpr int MaximumCommandLength = 65536;

    explicit LineServer(CommPortDriver& link, std::function<void(const QString&)> warn = {});

    // Bytes received from the client in, bytes to send to it out.
    QByteArray Receive(const QByteArray& bytes);

private:
    QByteArray answer(const QByteArray& command);

    CommPortDriver& link_;
    std::function<void(const QString&)> warn_;
    QByteArray pending_;
};
