// Every locale Qt knows, as the datalog files and the windows write numbers
// and times: ASCII digits, four-digit years, no time-zone brackets, nothing an
// 8-bit file cannot hold, and each value readable back.

#include "DatalogLine.h"
#include "LocaleNumberFormat.h"
#include "RegionalFormat.h"
#include "TextFiles.h"

#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

// A symbol as a file holds it: the locale's, or the en_US one where Latin-1
// has no character for it.
QByteArray fileSymbol(const QString& own, const char* usual)
{
    return FitsEightBit(own) ? ToEightBit(own) : QByteArray(usual);
}

// The number a file's text stands for, read with the locale's symbols; NaN
// when anything but ASCII digits is left once they are taken out.
double readBack(QByteArray text, const QLocale& locale)
{
    const QByteArray minus = fileSymbol(locale.negativeSign(), "-");
    const bool negative = text.startsWith(minus);
    if (negative) text.remove(0, minus.size());
    if (locale.numberOptions().testFlag(QLocale::OmitGroupSeparator) == false)
        text.replace(fileSymbol(locale.groupSeparator(), ","), "");
    text.replace(fileSymbol(locale.decimalPoint(), "."), ".");
    if (!QRegularExpression(QStringLiteral("^[0-9]+\\.[0-9]+$")).match(QString::fromLatin1(text)).hasMatch())
        return std::nan("");
    return negative ? -text.toDouble() : text.toDouble();
}

// The numbers of the ASCII digit runs in the text.
QList<int> digitRuns(const QString& text)
{
    QList<int> runs;
    for (const auto& match : QRegularExpression(QStringLiteral("[0-9]+")).globalMatch(text)) runs.append(match.captured().toInt());
    std::sort(runs.begin(), runs.end());
    return runs;
}

// Latin-1's superscripts included.
bool hasForeignDigit(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() && c.unicode() >= 0x80; });
}

TEST(EveryLocale, NumbersAndTimesAreAsciiReadableAndFourDigitYears)
{
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    ASSERT_GT(locales.size(), 300);
    // 2030-07-04 13:05:09, and its midnight: the date alone.
    constexpr int32_t Afternoon = 1909400709;
    constexpr int32_t Midnight = 1909353600;
    for (const QLocale& locale : locales) {
        const std::string name = locale.name().toStdString();
        const LocaleNumberFormat numbers(locale);
        // A double (the general path) and a single (the readings' path).
        for (const auto& [value, decimals] : {std::pair{-1234567.891, 3}, {double(-98765.4375f), 4}, {0.5, 1}}) {
            QByteArray text;
            numbers.appendEightBit(text, value, decimals);
            EXPECT_FALSE(text.contains('?')) << name << " " << text.constData();
            EXPECT_NEAR(readBack(text, locale), value, 1e-9) << name << " " << text.toStdString();
        }

        TimestampFormat timestamps(locale);
        QByteArray date, dateTime;
        timestamps.appendEightBit(date, Midnight);
        timestamps.appendEightBit(dateTime, Afternoon);
        ASSERT_TRUE(dateTime.startsWith(date + ' ')) << name;
        const QString dateText = QString::fromLatin1(date);
        const QString timeText = QString::fromLatin1(dateTime.mid(date.size() + 1));
        for (const QString& text : {dateText, timeText}) {
            EXPECT_FALSE(text.contains(u'?') || text.contains(QStringLiteral("()")) || text.contains(QStringLiteral("[]")) ||
                         hasForeignDigit(text) || text != text.trimmed())
                << name << " [" << text.toStdString() << "]";
        }
        // Day, month, year; or, where the month is a name, as the locale reads it.
        EXPECT_TRUE(digitRuns(dateText) == (QList<int>{4, 7, 2030}) ||
                    locale.toDate(dateText, RegionalFormat::ShortDateFormat(locale)) == QDate(2030, 7, 4))
            << name << " " << dateText.toStdString();
        const QList<int> time = digitRuns(timeText);
        EXPECT_TRUE(time == (QList<int>{5, 9, 13}) || time == (QList<int>{1, 5, 9})) << name << " " << timeText.toStdString();

        // The windows: the same rules without the 8-bit fallback.
        const QString shown = RegionalFormat::GeneralDateTime(QDateTime(QDate(1901, 12, 14), QTime(13, 5, 9), Qt::UTC), locale);
        EXPECT_TRUE(shown.contains(QStringLiteral("1901")) && !hasForeignDigit(shown) && !shown.contains(QStringLiteral("()")))
            << name << " " << shown.toStdString();
    }
}

}  // namespace
