#pragma once
// The main window on the simulated instrument, for the dialogs that talk to
// it. The instrument's notion of the computer's time is the environment's
// clock.

#include "MainWindowOnSimulator.h"

#include <functional>

struct SimMainWindow : MainWindowOnSimulator {
    using MakeDriver = std::function<std::unique_ptr<CommPortDriver>(std::shared_ptr<SimInstrument>)>;

    explicit SimMainWindow(SimOptions options = {}, MakeDriver driver = {})
    {
        options.localClock = [this] { return env.Now(); };
        start(std::move(options), driver ? DriverFactory([this, driver] { return driver(instrument); }) : DriverFactory{});
    }
};
