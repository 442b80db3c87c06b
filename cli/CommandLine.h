#pragma once
// The command line of tr8kz: finds the command in the arguments, reads its
// options with a parser of its own (so that --help describes that command),
// runs it and turns the way it ended into the exit code.

#include <QStringList>

class CliEnvironment;

// arguments as QCoreApplication::arguments() gives them, the program first.
int RunCommandLine(const QStringList& arguments, CliEnvironment& environment);
