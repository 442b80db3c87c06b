#include "TerminationSignals.h"

#include "AppError.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int gSignalPipe[2] = {-1, -1};

extern "C" void onTerminationSignal(int)
{
    const char byte = 1;
    [[maybe_unused]] const ssize_t n = ::write(gSignalPipe[1], &byte, 1);  // async-signal-safe
}
}  // namespace

void QuitOnTerminationSignals(QCoreApplication& application)
{
    if (::pipe(gSignalPipe) != 0)
        throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("Cannot watch for termination signals"));
    fcntl(gSignalPipe[1], F_SETFL, fcntl(gSignalPipe[1], F_GETFL) | O_NONBLOCK);

    auto* notifier = new QSocketNotifier(gSignalPipe[0], QSocketNotifier::Read, &application);
    QObject::connect(notifier, &QSocketNotifier::activated, &application, [&application] {
        char byte;
        [[maybe_unused]] const ssize_t n = ::read(gSignalPipe[0], &byte, 1);
        application.quit();
    });

    struct sigaction action {};
    action.sa_handler = onTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
