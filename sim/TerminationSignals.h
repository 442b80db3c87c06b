#pragma once
// Ends tr8kz-sim's event loop cleanly on SIGINT or SIGTERM (POSIX only, with
// PseudoTerminal): the signal handler only writes to a pipe, and the event
// loop quits the application when the pipe becomes readable.

class QCoreApplication;

void QuitOnTerminationSignals(QCoreApplication& application);
