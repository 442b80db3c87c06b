// tr8kz-utility: the desktop utility of the TR8 KZ colour sensor.
//
//   tr8kz-utility [--port DEVICE | --simulator] [--trace FILE]
//
// Without --port (or TR8KZ_PORT) the instrument is looked for by its USB
// identity. Only one instance runs at a time: a second one returns at once.

#include "AppError.h"
#include "Application.h"
#include "DriverSelection.h"
#include "QtEnvironment.h"
#include "SingleInstance.h"
#include "UtilityOptions.h"
#include "Version.h"
#include "frmUtility.h"

#include <QCommandLineParser>

int main(int argc, char** argv)
{
    UtilityOptions::AnswerWithoutDisplay(argc, argv);

    Application app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tr8kz-utility"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TR8KZ_VERSION_TEXT));

    QCommandLineParser parser;
    UtilityOptions::Add(parser);
    parser.process(app);

    SingleInstance instance;
    if (!instance.Acquire()) return 0;

    QtEnvironment environment;
    InstallEnvironment(&environment);

    try {
        frmUtility window(DriverSelection::FromOptions(parser));
        window.Form_Load();
        return app.exec();
    } catch (const ProgramEnd& end) {
        return end.exitCode;
    } catch (const std::exception& error) {
        Application::TerminateWithReport(error);
    }
}
