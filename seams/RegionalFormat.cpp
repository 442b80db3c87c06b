#include "RegionalFormat.h"

namespace RegionalFormat {

QString LongTimeFormat(const QLocale& locale)
{
    const QString format = locale.timeFormat(QLocale::LongFormat);
    // Drop every unquoted run of 't' with the blanks before it.
    QString result;
    bool quoted = false;
    for (int i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            result += c;
            continue;
        }
        if (!quoted && c == QLatin1Char('t')) {
            while (!result.isEmpty() && result.back().isSpace()) result.chop(1);
            while (i + 1 < format.size() && format[i + 1] == QLatin1Char('t')) ++i;
            continue;
        }
        result += c;
    }
    return result.trimmed();
}

QString GeneralDateTime(const QDateTime& value, const QLocale& locale)
{
    QString text = locale.toString(value.date(), QLocale::ShortFormat);
    if (value.time() != QTime(0, 0)) text += QLatin1Char(' ') + locale.toString(value.time(), LongTimeFormat(locale));
    return text;
}

}  // namespace RegionalFormat
