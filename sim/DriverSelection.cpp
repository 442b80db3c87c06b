#include "DriverSelection.h"

#include "SerialPortDriver.h"
#include "SimulatorDriver.h"
#include "TracingDriver.h"

#include <QCommandLineParser>

namespace DriverSelection {

void AddOptions(QCommandLineParser& parser)
{
    parser.addOption({QStringLiteral("port"),
                      QStringLiteral("Serial device of the instrument (default: TR8KZ_PORT, else found by USB identity)."),
                      QStringLiteral("device")});
    parser.addOption({QStringLiteral("simulator"), QStringLiteral("Use the built-in simulated instrument.")});
    parser.addOption({QStringLiteral("trace"), QStringLiteral("Write every command and reply to this file."),
                      QStringLiteral("file")});
}

Choice ReadOptions(const QCommandLineParser& parser)
{
    Choice choice;
    choice.simulator = parser.isSet(QStringLiteral("simulator"));
    choice.port = parser.isSet(QStringLiteral("port")) ? parser.value(QStringLiteral("port"))
                                                         : qEnvironmentVariable("TR8KZ_PORT");
    choice.traceFile = parser.value(QStringLiteral("trace"));
    return choice;
}

DriverFactory MakeFactory(const Choice& choice)
{
    DriverFactory factory;
    if (choice.simulator)
        factory = [] { return std::make_unique<SimulatorDriver>(SimOptions{}); };
    else
        factory = [port = choice.port] { return std::make_unique<SerialPortDriver>(port); };
    return tracedFactory(std::move(factory), choice.traceFile);
}

}  // namespace DriverSelection
