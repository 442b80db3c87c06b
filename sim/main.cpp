// tr8kz-sim: the simulated TR8 KZ on a pseudo-terminal. The first line of
// standard output is the device to open (the utility's serial port name);
// the instrument then answers until SIGINT or SIGTERM. With --write-datalog
// it writes its datalog as a stored datalog file and ends.

#include "AppError.h"
#include "LineServer.h"
#include "PseudoTerminal.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "StoredDatalogFile.h"
#include "TerminationSignals.h"
#include "TracingDriver.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QSocketNotifier>
#include <QTimer>
#include <climits>
#include <cstdio>
#include <memory>

namespace {

[[noreturn]] void usage(const QString& message)
{
    throw AppError(ErrorNumber::InvalidArgument, message);
}

int wholeNumber(const QCommandLineParser& parser, const QString& name, int low, int high)
{
    bool ok = false;
    const QString text = parser.value(name);
    const long long value = text.toLongLong(&ok);
    if (!ok || value < low || value > high)
        usage(QStringLiteral("--%1 takes a whole number from %2 to %3, not \"%4\"").arg(name).arg(low).arg(high).arg(text));
    return static_cast<int>(value);
}

QByteArray eightBit(const QCommandLineParser& parser, const QString& name)
{
    const QString text = parser.value(name);
    for (QChar c : text)
        if (c.unicode() > 255) usage(QStringLiteral("--%1 must be 8-bit text").arg(name));
    return text.toLatin1();
}

SimOptions optionsFrom(const QCommandLineParser& parser)
{
    SimOptions o;
    if (parser.isSet(QStringLiteral("model"))) o.model = eightBit(parser, QStringLiteral("model"));
    if (parser.isSet(QStringLiteral("firmware"))) o.firmware = eightBit(parser, QStringLiteral("firmware"));
    if (parser.isSet(QStringLiteral("serial"))) o.serialNumber = eightBit(parser, QStringLiteral("serial"));
    if (parser.isSet(QStringLiteral("datalog-size"))) o.datalogSize = wholeNumber(parser, QStringLiteral("datalog-size"), 0, 2000);
    if (parser.isSet(QStringLiteral("units"))) {
        const QString units = parser.value(QStringLiteral("units"));
        if (units == u"in") o.inches = true;
        else if (units == u"mm") o.inches = false;
        else usage(QStringLiteral("--units is in or mm, not \"%1\"").arg(units));
    }
    if (parser.isSet(QStringLiteral("variant"))) o.runConfigVariant = wholeNumber(parser, QStringLiteral("variant"), 0, 255);
    if (parser.isSet(QStringLiteral("delay"))) o.replyDelayMs = wholeNumber(parser, QStringLiteral("delay"), 0, 600000);
    for (const QString& fault : parser.values(QStringLiteral("fault"))) o.faults.push_back(SimFault::Parse(fault));
    o.stateFile = parser.value(QStringLiteral("state"));
    if (parser.isSet(QStringLiteral("seed")))
        o.seed = static_cast<uint32_t>(wholeNumber(parser, QStringLiteral("seed"), 0, INT_MAX));
    return o;
}

void warn(const QString& message)
{
    std::fprintf(stderr, "tr8kz-sim: %s\n", qPrintable(message));
    std::fflush(stderr);
}

int run(QCoreApplication& application, const QCommandLineParser& parser)
{
    auto instrument = std::make_shared<SimInstrument>(optionsFrom(parser));

    if (parser.isSet(QStringLiteral("write-datalog"))) {
        WriteStoredDatalog(*instrument, parser.value(QStringLiteral("write-datalog")));
        return 0;
    }

    // The instrument's link: the simulator driver, traced when asked. Replies
    // on the terminal take the full reply delay, whatever it is.
    auto simulator = std::make_unique<SimulatorDriver>(instrument);
    simulator->SetTimeout(INT_MAX);
    std::unique_ptr<CommPortDriver> link = std::move(simulator);
    if (parser.isSet(QStringLiteral("trace")))
        link = std::make_unique<TracingDriver>(std::move(link), parser.value(QStringLiteral("trace")));
    link->OpenDevice(DeviceCodeOf(instrument->Options().usbIdentity));  // the primary identity

    PseudoTerminal terminal;
    LineServer server(*link, warn);
    QuitOnTerminationSignals(application);

    QSocketNotifier input(terminal.masterDescriptor(), QSocketNotifier::Read);
    QObject::connect(&input, &QSocketNotifier::activated, &application, [&] {
        try {
            const QByteArray reply = server.Receive(terminal.readAvailable());
            if (!reply.isEmpty()) terminal.write(reply);
        } catch (const AppError& e) {
            warn(e.description());
        }
    });
    QTimer measuring;
    const int every = parser.isSet(QStringLiteral("measure-every"))
                          ? wholeNumber(parser, QStringLiteral("measure-every"), 1, 86400)
                          : 0;
    if (every > 0) {
        QObject::connect(&measuring, &QTimer::timeout, &application, [&] {
            try {
                instrument->TakeMeasurement();
            } catch (const AppError& e) {
                warn(e.description());
            }
        });
        measuring.start(every * 1000);
    }

    std::fprintf(stdout, "%s\n", qPrintable(terminal.devicePath()));
    std::fflush(stdout);
    return application.exec();
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tr8kz-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TR8KZ_VERSION_TEXT));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral(
        "The simulated TR8 KZ colour sensor on a pseudo-terminal. The first line of output is the device to "
        "open; it answers the instrument's commands until interrupted."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("model"), QStringLiteral("Model name in the identification (default TR8KZ)."), QStringLiteral("NAME")},
        {QStringLiteral("firmware"), QStringLiteral("Firmware version (default 3.07)."), QStringLiteral("TEXT")},
        {QStringLiteral("serial"), QStringLiteral("Serial number (default KZ8-204117)."), QStringLiteral("TEXT")},
        {QStringLiteral("datalog-size"), QStringLiteral("Records in the datalog at start, 0 to 2000 (default 120)."), QStringLiteral("N")},
        {QStringLiteral("units"), QStringLiteral("Units: in or mm (default mm)."), QStringLiteral("UNITS")},
        {QStringLiteral("variant"), QStringLiteral("Run configuration variant: 1 distance, 2 height (default 2)."), QStringLiteral("N")},
        {QStringLiteral("delay"), QStringLiteral("Reply delay in milliseconds (default 0)."), QStringLiteral("MS")},
        {QStringLiteral("fault"), QStringLiteral("Link fault on the N-th command starting with PREFIX; KIND is noreply, garbled, refused (busy), linklost, rejected (out of range) or altered (a setup write stored altered). Repeatable."), QStringLiteral("PREFIX:N:KIND")},
        {QStringLiteral("state"), QStringLiteral("State file (JSON): loaded at start, saved after every change."), QStringLiteral("FILE")},
        {QStringLiteral("seed"), QStringLiteral("Seed of the generated setups and datalog (default 1)."), QStringLiteral("N")},
        {QStringLiteral("trace"), QStringLiteral("Append every command and reply to FILE."), QStringLiteral("FILE")},
        {QStringLiteral("measure-every"), QStringLiteral("Take a reading with the setup in use every N seconds."), QStringLiteral("N")},
        {QStringLiteral("write-datalog"), QStringLiteral("Write the datalog as a stored datalog file and exit."), QStringLiteral("FILE")},
    });
    parser.process(application);
    if (!parser.positionalArguments().isEmpty()) {
        warn(QStringLiteral("unexpected argument \"%1\" (see --help)").arg(parser.positionalArguments().first()));
        return 2;
    }

    try {
        return run(application, parser);
    } catch (const AppError& e) {
        warn(e.description());
        return e.number() == ErrorNumber::InvalidArgument ? 2 : 1;
    }
}
