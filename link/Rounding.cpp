#include "Rounding.h"

#include "AppError.h"

#include <QString>
#include <cmath>

int16_t RoundToInt16(double value, const char* what)
{
    const double rounded = std::nearbyint(value);
    if (!(rounded >= -32768.0 && rounded <= 32767.0))
        throw AppError::overflow(QStringLiteral("%1 of %2 does not fit in 16 bits").arg(QLatin1String(what)).arg(value));
    return static_cast<int16_t>(rounded);
}
