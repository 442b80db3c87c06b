#include "CliFailure.h"

QString ErrorText(const AppError& error, ErrorStyle style)
{
    if (error.number() == ErrorNumber::CommTimeout)
        return QStringLiteral("Communications Timeout\n%1").arg(error.description());
    if (style == ErrorStyle::Operation) return error.description();
    return QStringLiteral("Fatal Error #%1\n\n%2").arg(error.number()).arg(error.description());
}

QString ErrorText(const std::exception& error, ErrorStyle style)
{
    return ErrorText(AppError(51, QString::fromLocal8Bit(error.what())), style);
}
