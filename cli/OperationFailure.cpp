#include "OperationFailure.h"

AppError OperationFailure(const AppError& error, const QString& operation, const QString& place)
{
    const QString where = place.isEmpty() ? QString() : QStringLiteral(" at ") + place;
    return AppError(error.number(), QStringLiteral("%1 failed%2: %3").arg(operation, where, error.description()));
}
