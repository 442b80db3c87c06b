#pragma once
// The main window on the simulated instrument with a scripted environment,
// for the dialogs that talk to the instrument.

#include "ScriptedEnvironment.h"
#include "SimulatorDriver.h"
#include "frmUtility.h"

#include <functional>
#include <memory>

// Loaded after the scripted environment is installed. The instrument's
// notion of the computer's time is the environment's clock.
struct SimMainWindow {
    using MakeDriver = std::function<std::unique_ptr<CommPortDriver>(std::shared_ptr<SimInstrument>)>;

    explicit SimMainWindow(SimOptions options = {}, MakeDriver make = {})
    {
        options.localClock = [this] { return env.Now(); };
        instrument = std::make_shared<SimInstrument>(options);
        window = std::make_unique<frmUtility>(make ? DriverFactory([make, i = instrument] { return make(i); })
                                                   : SimulatorFactory(instrument));
        window->Form_Load();
        atLoad = instrument->ReceivedCommands().size();
    }
    // Commands the instrument received after start-up.
    QByteArrayList sentSinceLoad() const { return instrument->ReceivedCommands().mid(atLoad); }

    ScriptedEnvironment env;
    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> window;
    qsizetype atLoad = 0;
};
