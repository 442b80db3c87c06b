#pragma once
// One command sent, its reply returned. Long operations (capture, archive,
// restore) and the setup editor take their exchanges through this, so that
// each front end decides what a failed exchange means: the windows offer Retry
// after a timeout (and then send the same command again), the command line
// reports and stops, tests count.

#include <QByteArray>
#include <functional>

class Sensor;

using Exchange = std::function<QByteArray(const QByteArray& command)>;

// Sends straight to the Sensor; every error reaches the caller.
Exchange DirectExchange(Sensor& sensor);
