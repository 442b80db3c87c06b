#include "SetupNumberText.h"

#include "AppError.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace SetupNumberText {

namespace {

constexpr int DefaultDecimals = 2;
constexpr int MostDecimals = 4;

}  // namespace

QString Format(double value, const QLocale& locale)
{
    if (!std::isfinite(value)) return locale.toString(value);

    // Four decimals, or as many as fit in the box, then as few as show the
    // same number, but never fewer than two.
    int decimals = MostDecimals;
    while (decimals > DefaultDecimals && locale.toString(value, 'f', decimals).size() > BoxCharacters) --decimals;
    const double shown = locale.toDouble(locale.toString(value, 'f', decimals));
    while (decimals > DefaultDecimals && locale.toDouble(locale.toString(value, 'f', decimals - 1)) == shown)
        --decimals;

    // -0.00001 would read "-0.00": the operator would take it for a negative value.
    if (shown == 0.0) value = 0.0;
    return locale.toString(value, 'f', decimals);
}

bool Read(const QString& text, double& value, const QLocale& locale)
{
    bool ok = false;
    const double read = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(read)) return false;
    value = read;
    return true;
}

float ToSingle(double value, const QString& what)
{
    if (std::isfinite(value) && std::fabs(value) > static_cast<double>(std::numeric_limits<float>::max()))
        throw AppError::overflow(QStringLiteral("%1 (%2) does not fit in a single-precision number")
                                     .arg(what, QString::number(value, 'g', 10)));
    return static_cast<float>(value);
}

}  // namespace SetupNumberText

QString ShortestFloatText(float value)
{
    char buffer[32];
    const auto [end, error] = std::to_chars(buffer, buffer + sizeof buffer, value);
    if (error != std::errc()) return QString::number(static_cast<double>(value));
    return QString::fromLatin1(buffer, static_cast<qsizetype>(end - buffer));
}
