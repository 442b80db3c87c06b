#include "Application.h"

#include "AppError.h"
#include "Environment.h"

#include <cstdio>
#include <cstdlib>

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const ProgramEnd& end) {
        Terminate(end.exitCode);
    } catch (const std::exception& error) {
        TerminateWithReport(error);
    }
}

void Application::Terminate(int exitCode)
{
    std::fflush(nullptr);
    // Everything between the error and this handler has been unwound (files
    // being written discarded); the rest of the program ends here.
    std::exit(exitCode);
}

void Application::TerminateWithReport(const std::exception& error)
{
    const auto* appError = dynamic_cast<const AppError*>(&error);
    const int number = appError ? appError->number() : 51;
    const QString description = appError ? appError->description() : QString::fromLocal8Bit(error.what());
    const QString text = QStringLiteral("Fatal Error #%1\r\n\r\n%2").arg(number).arg(description);
    std::fprintf(stderr, "%s\n", qPrintable(QString(text).replace(QLatin1String("\r\n"), QLatin1String("\n"))));
    try {
        Env().ShowMessage(text, MessageButtons::Ok, MessageIcon::Critical, ApplicationTitle);
    } catch (...) {
        // Nothing more can be shown; the message went to the error stream.
    }
    Terminate(1);
}
