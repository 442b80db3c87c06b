#pragma once
// A pseudo-terminal for tr8kz-sim: the simulated instrument sits on the
// master side, and the utility opens the slave side like any serial device.
// The only place that needs the operating system's terminal interface; it is
// built on POSIX systems only (sim/CMakeLists.txt).

#include <QByteArray>
#include <QString>

class PseudoTerminal {
public:
    // Opens a master and its slave device, puts the slave in raw mode (no
    // echo, no CR or LF translation) and keeps a descriptor of the slave open,
    // so that the master does not see a hang-up while no client is attached.
    // Raises AppError (LinkLost) when the system has no pseudo-terminal to give.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    // The slave device a client opens, for example /dev/pts/3.
    const QString& devicePath() const { return devicePath_; }
    // The master's descriptor, to watch for input (QSocketNotifier).
    int masterDescriptor() const { return master_; }

    // What the client has sent so far; empty when nothing is waiting.
    // Raises AppError (LinkLost) on a read error.
    QByteArray readAvailable();
    // Sends all bytes, waiting while the terminal's buffer is full; raises
    // AppError (LinkLost) on a write error.
    void write(const QByteArray& bytes);

private:
    int master_ = -1;
    int slave_ = -1;
    QString devicePath_;
};
