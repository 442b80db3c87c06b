#pragma once
// What an exchange does while it waits for the instrument (a reply, or the
// pause before resending after a busy reply). Whoever drives the link can
// ask the wait to give up (Ctrl-C on the command line), and the windows keep
// painting: the serial driver waits in short slices and calls the idle hook
// between them.

#include <functional>

namespace LinkWait {

// The longest a wait goes without looking at the interrupt flag and calling
// the idle hook.
inline constexpr int SliceMilliseconds = 20;

// Asks the waiting exchange to give up. Safe in a signal handler.
void RequestInterrupt() noexcept;
bool InterruptRequested() noexcept;
void ClearInterrupt() noexcept;

// Called between slices while a reply is awaited (the windows process their
// paint events there). Empty: nothing is called.
void SetIdleHook(std::function<void()> hook);
void Idle();

// Sleeps the milliseconds in slices, calling the idle hook; raises
// LinkInterrupted when an interrupt is requested.
void Pause(int milliseconds);

// Takes the place of Pause's sleep (the interrupt is still looked at first):
// the fuzz targets meet busy replies by the thousand and must not sleep
// 1.55 s for each, and tests record the pauses asked for. Empty: Pause
// sleeps.
void SetPauseHandler(std::function<void(int milliseconds)> handler);

}  // namespace LinkWait

// Raised by an exchange given up on request: not an error of the link. A long
// operation stops there and keeps what it has done, as after its Cancel.
struct LinkInterrupted {};
