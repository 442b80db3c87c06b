#include "PseudoTerminal.h"

#include "AppError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

namespace {
[[noreturn]] void fail(const char* what)
{
    throw AppError(ErrorNumber::LinkLost, QStringLiteral("Pseudo-terminal: %1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno))));
}
}  // namespace

PseudoTerminal::PseudoTerminal()
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0) fail("cannot open a master");
    if (grantpt(master_) != 0 || unlockpt(master_) != 0) {
        ::close(master_);
        fail("cannot unlock the slave");
    }
    const char* name = ptsname(master_);
    if (!name) {
        ::close(master_);
        fail("the slave has no name");
    }
    devicePath_ = QString::fromLocal8Bit(name);

    slave_ = ::open(name, O_RDWR | O_NOCTTY);
    if (slave_ < 0) {
        ::close(master_);
        fail("cannot open the slave");
    }
    termios settings{};
    if (tcgetattr(slave_, &settings) == 0) {
        cfmakeraw(&settings);
        tcsetattr(slave_, TCSANOW, &settings);
    }
    const int flags = fcntl(master_, F_GETFL);
    fcntl(master_, F_SETFL, flags | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal()
{
    if (slave_ >= 0) ::close(slave_);
    if (master_ >= 0) ::close(master_);
}

QByteArray PseudoTerminal::readAvailable()
{
    QByteArray received;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            received.append(buffer, static_cast<qsizetype>(n));
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EIO)) break;  // EIO: no client now
        if (n < 0) fail("read failed");
        break;
    }
    return received;
}

void PseudoTerminal::write(const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(master_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd p{master_, POLLOUT, 0};
            ::poll(&p, 1, 100);
            continue;
        }
        fail("write failed");
    }
}
