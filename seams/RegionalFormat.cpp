#include "RegionalFormat.h"

#include <QList>

namespace RegionalFormat {

namespace {

// A run of one unquoted format letter: [begin, end) in the format.
struct LetterRun {
    qsizetype begin = 0;
    qsizetype end = 0;
};

// The unquoted runs of the letter in a Qt date or time format ('' is a
// quote character, text between single quotes is literal).
QList<LetterRun> unquotedRuns(const QString& format, QChar letter)
{
    QList<LetterRun> runs;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || format[i] != letter) continue;
        LetterRun run{i, i};
        while (run.end < format.size() && format[run.end] == letter) ++run.end;
        runs.append(run);
        i = run.end - 1;
    }
    return runs;
}

bool isBlank(QChar c) { return c.isSpace(); }

}  // namespace

QString ShortDateFormat(const QLocale& locale)
{
    QString format = locale.dateFormat(QLocale::ShortFormat);
    const QList<LetterRun> runs = unquotedRuns(format, QLatin1Char('y'));
    for (auto run = runs.crbegin(); run != runs.crend(); ++run)
        format.replace(run->begin, run->end - run->begin, QStringLiteral("yyyy"));
    return format;
}

QString LongTimeFormat(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    const QList<LetterRun> runs = unquotedRuns(format, QLatin1Char('t'));
    for (auto run = runs.crbegin(); run != runs.crend(); ++run) {
        qsizetype begin = run->begin;
        qsizetype end = run->end;
        // "(t)" and "[t]" go with the field.
        if (begin > 0 && end < format.size()) {
            const QChar open = format[begin - 1];
            const QChar close = format[end];
            if ((open == QLatin1Char('(') && close == QLatin1Char(')')) ||
                (open == QLatin1Char('[') && close == QLatin1Char(']'))) {
                --begin;
                ++end;
            }
        }
        // The blanks that separated it: before it, or after it when it
        // leads the format.
        while (begin > 0 && isBlank(format[begin - 1])) --begin;
        if (begin == 0)
            while (end < format.size() && isBlank(format[end])) ++end;
        format.remove(begin, end - begin);
    }
    return format.trimmed();
}

QString AsciiDigits(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        char32_t code = text[i].unicode();
        qsizetype width = 1;
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            code = QChar::surrogateToUcs4(text[i], text[i + 1]);
            width = 2;
        }
        if (code >= 0x80 && QChar::category(code) == QChar::Number_DecimalDigit)
            result += QLatin1Char(static_cast<char>('0' + QChar::digitValue(code)));
        else
            result += QStringView(text).mid(i, width);
        i += width - 1;
    }
    return result;
}

QString ShortDate(const QDate& date, const QLocale& locale)
{
    return AsciiDigits(locale.toString(date, ShortDateFormat(locale)));
}

QString LongTime(const QTime& time, const QLocale& locale)
{
    return AsciiDigits(locale.toString(time, LongTimeFormat(locale)));
}

QString GeneralDateTime(const QDateTime& value, const QLocale& locale)
{
    QString text = ShortDate(value.date(), locale);
    if (value.time() != QTime(0, 0)) text += QLatin1Char(' ') + LongTime(value.time(), locale);
    return text;
}

}  // namespace RegionalFormat
