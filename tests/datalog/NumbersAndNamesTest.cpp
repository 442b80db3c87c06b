// The datalog's vocabulary, and its fast number and time formats checked
// against QLocale and the regional general form over random values.

#include "CodeNames.h"
#include "DatalogLine.h"
#include "DateConversion.h"
#include "LocaleNumberFormat.h"
#include "RegionalFormat.h"
#include "TextFiles.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

void expectName(int32_t kind, int code, const QString& name)
{
    EXPECT_EQ(GetCodeName(kind, int16_t(code)), name) << kind << "/" << code;
    const std::string_view bytes = CodeNameText(kind, int16_t(code));
    EXPECT_EQ(QLatin1String(bytes.data(), qsizetype(bytes.size())), name) << kind << "/" << code;
}

TEST(CodeNames, EveryTableAndItsEdges)
{
    // Kind by kind from its first code; each table ends before the next code.
    const struct { int32_t kind; int first; const char* names; } tables[] = {
        {0, 0, "PHYSICAL|WORKING|NUMERIC|HITCH"},
        {1, 0, "ABSOLUTE|DELTA|SPECTRAL DATA|SPECTRAL DIFF|SPECTRAL PLOT|DIFF PLOT|COLOR PLOT"},
        {2, 0, "A/2|C/2|D50/2|D55/2|D65/2|D75/2|F2/2|F7/2|F11/2|"
               "A/10|C/10|D50/10|D55/10|D65/10|D75/10|F2/10|F7/10|F11/10"},
        {3, 0, "(...)|CIE Lab|CIE LCh|Hunter Lab|XYZ|Yxy|dLCH"},
        {4, 0, "(...)|Y|YI D1925|YI E313|WI E313|Tint|Z%|BT457|Opacity|"
               "Strength (max abs)|Strength (weighted)|QBVT|SCAA"},
        {4, 21, "Gray Scale|Gray Stain|dE*|dEcmc|dE|dC*|dC|Shade Number|MI"},
    };
    for (const auto& t : tables) {
        const QStringList names = QString::fromLatin1(t.names).split(u'|');
        for (int i = 0; i < names.size(); ++i) expectName(t.kind, t.first + i, names[i]);
        expectName(t.kind, t.first + int(names.size()), "");
    }
    for (int code = 13; code <= 20; ++code) expectName(4, code, "");  // between indices and differences
    for (int code : {-1, -21, 32767, -32768})
        for (int32_t kind = 0; kind <= 4; ++kind) expectName(kind, code, "");
    for (int32_t kind : {-1, 5, INT32_MIN}) expectName(kind, 0, "");
}

TEST(LocaleNumberFormat, MatchesQLocaleExceptForTheSignOfZero)
{
    QLocale plain("en_US");
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    QRandomGenerator random(20240315);
    for (const QLocale& locale : {QLocale("en_US"), QLocale("de_DE"), QLocale("fr_FR"), QLocale("hi_IN"),
                                  QLocale("ar_EG"), QLocale("es_ES"), QLocale::c(), plain}) {
        const LocaleNumberFormat format(locale);
        EXPECT_TRUE(format.fast()) << locale.name().toStdString();
        for (int n = 0; n < 20000; ++n) {
            const int decimals = int(random.bounded(7));
            double value = 0;
            switch (n % 4) {
            case 0: value = std::pow(10.0, random.generateDouble() * 24.0 - 7.0); break;  // 1e-7 to 1e17
            case 1: value = float(random.generateDouble() * std::pow(10.0, random.bounded(9))); break;
            case 2: value = std::ldexp(double(random.bounded(1u << 31)), -(decimals + 1)); break;  // ties when odd
            default: value = (random.generateDouble() - 0.5) * std::pow(10.0, -decimals); break;  // near zero
            }
            if (random.bounded(2)) value = -value;
            // QLocale's text in ASCII digits, but a value written as zero has
            // no sign.
            QString expected = locale.toString(value, 'f', decimals);
            if (locale.toString(std::fabs(value), 'f', decimals) == locale.toString(0.0, 'f', decimals))
                expected = locale.toString(0.0, 'f', decimals);
            expected = RegionalFormat::AsciiDigits(expected);
            ASSERT_EQ(format.toString(value, decimals), expected) << locale.name().toStdString() << " " << value;
            QByteArray bytes;
            format.appendEightBit(bytes, value, decimals);
            if (FitsEightBit(expected)) {
                ASSERT_EQ(bytes, ToEightBit(expected));  // else see EveryLocale
            }
        }
    }
    const LocaleNumberFormat us(QLocale("en_US"));
    EXPECT_EQ(us.toString(-0.001, 2), "0.00");  // QLocale writes "-0.00"
    EXPECT_EQ(us.toString(-0.0005, 3), "-0.001");  // just above the tie in binary
    EXPECT_EQ(us.toString(16777217.5, 0), "16,777,218");  // a tie single precision cannot hold
    // Indian grouping and Arabic digits follow QLocale above; what a file
    // holds where Latin-1 lacks the symbol is EveryLocale's.
}

TEST(TimestampFormat, MatchesTheRegionalGeneralForm)
{
    QRandomGenerator random(7);
    for (const QLocale& locale : {QLocale("en_US"), QLocale("de_DE"), QLocale("es_ES")}) {
        TimestampFormat format(locale);
        int32_t seconds = 0;
        for (int n = 0; n < 3000; ++n) {
            // Runs of nearby times (as a datalog holds), jumps, midnights.
            if (n % 50 == 0) seconds = int32_t(random.bounded(4000000000u) - 2000000000u);
            else if (n % 7 == 0) seconds = (seconds / 86400 + 1) * 86400;
            else seconds += int32_t(random.bounded(600));
            QByteArray bytes;
            format.appendEightBit(bytes, seconds);
            ASSERT_EQ(bytes, ToEightBit(RegionalFormat::GeneralDateTime(DateTimeFromSeconds(seconds), locale)))
                << locale.name().toStdString() << " " << seconds;
        }
    }
}

}  // namespace
