#pragma once
// An error that stopped a long operation of the command line, told with the
// operation and how far it got, so that a script's log says where to pick up:
// "Setup archive failed at setup 42 of 250: The link to the instrument on
// /dev/ttyACM0 was lost: ...". The number stays the error's own.

#include "AppError.h"

#include <QString>

// place: where the operation stood ("setup 42 of 250"); empty when the
// error's description already says it.
AppError OperationFailure(const AppError& error, const QString& operation, const QString& place = {});
