#include "DialogTestSupport.h"

#include "SimulatorDriver.h"

SimMainWindow::SimMainWindow(SimOptions options, DriverWrapper wrap)
{
    options.localClock = [this] { return env.Now(); };
    instrument = std::make_shared<SimInstrument>(options);
    DriverFactory factory = SimulatorFactory(instrument);
    if (wrap) factory = [factory, wrap] { return wrap(factory()); };
    window = std::make_unique<frmUtility>(factory);
    window->Form_Load();
    receivedAtLoad_ = instrument->ReceivedCommands().size();
}

SimMainWindow::~SimMainWindow() = default;

QByteArrayList SimMainWindow::sentSinceLoad() const { return instrument->ReceivedCommands().mid(receivedAtLoad_); }

SimFault Fault(const QByteArray& prefix, int occurrence, SimFault::Kind kind)
{
    SimFault fault;
    fault.commandPrefix = prefix;
    fault.occurrence = occurrence;
    fault.kind = kind;
    return fault;
}
