#pragma once
// The QApplication of the utility, with the one top-level handler for an error
// that nothing else caught: the generic "Fatal Error #" report, then the
// program ends. ProgramEnd ends it without a further message.

#include <QApplication>

class Application : public QApplication {
public:
    Application(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // Reports an escaped error (if any) and ends the process with the code.
    [[noreturn]] static void Terminate(int exitCode);
    [[noreturn]] static void TerminateWithReport(const std::exception& error);
};
