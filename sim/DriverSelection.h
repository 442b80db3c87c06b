#pragma once
// The driver the program talks through, from its command line: a serial port
// named with --port (or the TR8KZ_PORT environment variable), the in-process
// simulated instrument with --simulator, otherwise the instrument found by its
// USB identity; --trace FILE logs every exchange. Shared by the utility and
// the command line.

#include "CommPortDriver.h"

#include <QString>

class QCommandLineParser;

namespace DriverSelection {

struct Choice {
    QString port;       // empty: search by USB identity
    bool simulator = false;
    QString traceFile;  // empty: no trace
};

void AddOptions(QCommandLineParser& parser);
Choice ReadOptions(const QCommandLineParser& parser);
DriverFactory MakeFactory(const Choice& choice);
inline DriverFactory FromOptions(const QCommandLineParser& parser) { return MakeFactory(ReadOptions(parser)); }

}  // namespace DriverSelection
