// tr8kz: the TR8 KZ colour sensor from the command line.
//
//   tr8kz [--port DEVICE | --simulator] [--trace FILE] [--delimiter tab|comma|C] COMMAND ...
//
// Every command runs the operation of the desktop utility's window on the
// same engines: the same commands reach the instrument and the same files
// are written. `tr8kz --help` lists the commands.

#include "CliEnvironment.h"
#include "CommandLine.h"
#include "Version.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tr8kz"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TR8KZ_VERSION_TEXT));

    CliEnvironment environment;
    InstallEnvironment(&environment);
    const int code = RunCommandLine(QCoreApplication::arguments(), environment);
    InstallEnvironment(nullptr);
    return code;
}
