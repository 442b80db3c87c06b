#include "LinkWait.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>
#include <atomic>

namespace LinkWait {

namespace {
// Lock-free, so that a signal handler may set it.
std::atomic<bool> interruptRequested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

std::function<void()>& idleHook()
{
    static std::function<void()> hook;
    return hook;
}

std::function<void(int)>& pauseHandler()
{
    static std::function<void(int)> handler;
    return handler;
}
}  // namespace

void RequestInterrupt() noexcept { interruptRequested.store(true, std::memory_order_relaxed); }
bool InterruptRequested() noexcept { return interruptRequested.load(std::memory_order_relaxed); }
void ClearInterrupt() noexcept { interruptRequested.store(false, std::memory_order_relaxed); }

void SetIdleHook(std::function<void()> hook) { idleHook() = std::move(hook); }

void Idle()
{
    if (idleHook()) idleHook()();
}

void SetPauseHandler(std::function<void(int)> handler) { pauseHandler() = std::move(handler); }

void Pause(int milliseconds)
{
    if (pauseHandler()) {
        if (InterruptRequested()) throw LinkInterrupted{};
        pauseHandler()(milliseconds);
        return;
    }
    const QDeadlineTimer deadline(milliseconds);
    for (;;) {
        if (InterruptRequested()) throw LinkInterrupted{};
        const qint64 left = deadline.remainingTime();
        if (left <= 0) return;
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, SliceMilliseconds)));
        Idle();
    }
}

}  // namespace LinkWait
