#pragma once
// The main window on a new simulated instrument, with the scripted
// environment: where the window tests start from.

#include "ScriptedEnvironment.h"
#include "SimulatorDriver.h"
#include "frmUtility.h"

struct MainWindowOnSimulator {
    ScriptedEnvironment env;
    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> window;

    // The window on a new instrument, or on the driver the factory makes; not yet loaded.
    void make(SimOptions options = {}, DriverFactory factory = {})
    {
        window.reset();
        instrument = std::make_shared<SimInstrument>(std::move(options));
        window = std::make_unique<frmUtility>(factory ? std::move(factory) : SimulatorFactory(instrument));
    }
    // Loaded as at start-up, with what that sent and showed forgotten.
    void start(SimOptions options = {}, DriverFactory factory = {})
    {
        make(std::move(options), std::move(factory));
        window->Form_Load();
        instrument->ClearLogs();
        env.messages.clear();
    }
    const QList<QByteArray>& sent() const { return instrument->ReceivedCommands(); }
};
