#include "Preferences.h"

#include "Environment.h"

namespace {
QString delimiterInForce;
}

namespace Preferences {

DelimiterChoice ParseStored(const QString& stored)
{
    if (stored.isEmpty() || stored == QLatin1String("Tab")) return {true, false, {}};
    if (stored == QLatin1String("Comma")) return {false, false, {}};
    return {false, true, stored.right(1)};
}

QString ToStored(const DelimiterChoice& choice)
{
    if (choice.CustomDelimiter) {
        if (choice.Delimiter.isEmpty()) return QStringLiteral("Tab");
        return QStringLiteral("Custom:") + choice.Delimiter.left(1);
    }
    return choice.TabDelimiter ? QStringLiteral("Tab") : QStringLiteral("Comma");
}

QString ReadPreference(const QString& name, const QString& defaultValue)
{
    return Env().ReadSetting(Section, name, defaultValue);
}

void WritePreference(const QString& name, const QString& value) { Env().WriteSetting(Section, name, value); }

DelimiterChoice LoadPreferences() { return ParseStored(ReadPreference(DelimiterValue, QStringLiteral("Tab"))); }

void SavePreferences(const DelimiterChoice& choice) { WritePreference(DelimiterValue, ToStored(choice)); }

QString DelimiterNamed(const QString& value)
{
    if (value.compare(QLatin1String("tab"), Qt::CaseInsensitive) == 0) return QStringLiteral("\t");
    if (value.compare(QLatin1String("comma"), Qt::CaseInsensitive) == 0) return QStringLiteral(",");
    if (value.size() == 1 || (value.size() == 2 && value[0].isHighSurrogate())) return value;
    return {};
}

}  // namespace Preferences

void SetDelimiter(bool tabDelimiter, bool customDelimiter, const QString& delimiter)
{
    if (customDelimiter)
        delimiterInForce = delimiter;
    else
        delimiterInForce = tabDelimiter ? QStringLiteral("\t") : QStringLiteral(",");
}

void SetDelimiter(const DelimiterChoice& choice)
{
    SetDelimiter(choice.TabDelimiter, choice.CustomDelimiter, choice.Delimiter);
}

QString GetDelimiter() { return delimiterInForce; }
