#include "AppError.h"

AppError::AppError(int32_t number, const QString& description)
    : std::runtime_error(description.toStdString()), number_(number), description_(description)
{
}

AppError AppError::overflow(const QString& what)
{
    return AppError(ErrorNumber::Overflow, QStringLiteral("Overflow: %1").arg(what));
}

AppError AppError::subscript(const QString& what, int index)
{
    return AppError(ErrorNumber::SubscriptOutOfRange,
                    QStringLiteral("Subscript out of range: %1 has no element %2").arg(what).arg(index));
}
