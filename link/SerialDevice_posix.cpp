#include "SerialDevice.h"

#include "AppError.h"

#include <QFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr int ReadChunk = 4096;
// A read returns when bytes arrive or after this long without any (the
// terminal's VTIME, in tenths of a second): the waits' slice. One read per
// piece of a reply, no poll before it.
constexpr cc_t ReadSliceTenths = 1;

QString systemReason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

[[noreturn]] void unavailable(const QString& path, const QString& reason)
{
    throw AppError(ErrorNumber::PortUnavailable, QStringLiteral("The serial port %1 cannot be used: %2").arg(path, reason));
}

QString permissionAdvice()
{
    return QStringLiteral("permission denied. Add your user to the group that owns the port (usually \"dialout\": "
                          "sudo usermod -aG dialout $USER, then log in again), or install the package's udev rule "
                          "(60-tr8kz.rules) and plug the instrument in again");
}

QString openFailure(int error)
{
    switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO: return QStringLiteral("not found (is the instrument plugged in, and is the name right?)");
    case EACCES:
    case EPERM: return permissionAdvice();
    case EBUSY: return QStringLiteral("in use by another program");
    default: return systemReason(error);
    }
}

}  // namespace

SerialDevice::~SerialDevice() { Close(); }

void SerialDevice::Open(const QString& path)
{
    Close();
    const QByteArray name = QFile::encodeName(path);
    // Not blocking: a modem line without carrier would hold the open.
    const int fd = ::open(name.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) unavailable(path, openFailure(errno));

    struct termios mode {};
    if (::tcgetattr(fd, &mode) != 0) {
        const int error = errno;
        ::close(fd);
        unavailable(path, error == ENOTTY ? QStringLiteral("it is not a serial device") : systemReason(error));
    }
    // Another program of ours (or any that locks the same way) holding the
    // port: refuse rather than share the replies.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        ::close(fd);
        unavailable(path, error == EWOULDBLOCK ? QStringLiteral("in use by another program") : systemReason(error));
    }
    ::ioctl(fd, TIOCEXCL);  // others' opens fail with EBUSY; a pseudo-terminal may refuse, which is harmless

    ::cfmakeraw(&mode);
    mode.c_cflag |= CLOCAL | CREAD;
    mode.c_cflag &= ~static_cast<tcflag_t>(CSTOPB | PARENB | CRTSCTS);
    mode.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY);
    mode.c_cc[VMIN] = 0;
    mode.c_cc[VTIME] = ReadSliceTenths;
    ::cfsetispeed(&mode, B115200);
    ::cfsetospeed(&mode, B115200);
    if (::tcsetattr(fd, TCSANOW, &mode) != 0) {
        const int error = errno;
        ::close(fd);
        unavailable(path, systemReason(error));
    }
    ::tcflush(fd, TCIFLUSH);
    // Opened without blocking (a modem line without carrier would hold the
    // open); reads now block, each for at most the slice.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    fd_ = fd;
    path_ = path;
}

void SerialDevice::Close()
{
    if (fd_ < 0) return;
    // The exclusive mode belongs to the terminal, not to this descriptor: it
    // would outlive the close while another holds the terminal open (as
    // tr8kz-sim does), refusing the next program.
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);  // releases the lock
    fd_ = -1;
}

void SerialDevice::Write(const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd_, data, static_cast<size_t>(left));
        if (written > 0) {
            data += written;
            left -= written;
            continue;
        }
        if (written < 0 && errno == EINTR) continue;
        if (written < 0 && errno == EAGAIN) {
            // The device's output buffer is full: wait until it drains.
            struct pollfd out {fd_, POLLOUT, 0};
            if (::poll(&out, 1, -1) < 0 && errno != EINTR) break;
            if (out.revents & (POLLERR | POLLHUP)) break;
            continue;
        }
        break;
    }
    if (left > 0) {
        const int error = errno;
        throw AppError(ErrorNumber::LinkLost, QStringLiteral("The link to the instrument on %1 was lost: %2")
                                                  .arg(path_, error ? systemReason(error) : QStringLiteral("nothing could be sent")));
    }
}

SerialDevice::Wait SerialDevice::ReadSome(QByteArray& buffer)
{
    const qsizetype before = buffer.size();
    buffer.resize(before + ReadChunk);
    const ssize_t got = ::read(fd_, buffer.data() + before, ReadChunk);
    const int error = errno;
    buffer.resize(before + std::max<ssize_t>(got, 0));
    if (got > 0) return Wait::Data;
    if (got < 0 && error == EINTR) return Wait::Interrupted;
    if (got == 0) {
        // Nothing within the slice, or a terminal that hung up (its reads
        // end at once with nothing): only the second shows in poll.
        struct pollfd state {fd_, POLLIN, 0};
        if (::poll(&state, 1, 0) <= 0 || !(state.revents & (POLLHUP | POLLERR | POLLNVAL))) return Wait::Timeout;
    }
    // A pseudo-terminal whose master closed, a USB port unplugged: EIO.
    const QString reason = got == 0 || error == EIO ? QStringLiteral("the device hung up (%1)").arg(systemReason(EIO))
                                                    : systemReason(error);
    throw AppError(ErrorNumber::LinkLost, QStringLiteral("The link to the instrument on %1 was lost: %2").arg(path_, reason));
}

void SerialDevice::DiscardInput()
{
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}
