// The regional number format against QLocale itself over many random values,
// and hand-written texts for the rounding, grouping and zero rules.

#include "DatalogLine.h"
#include "DatalogTestSupport.h"
#include "DateConversion.h"
#include "LocaleNumberFormat.h"
#include "RegionalFormat.h"
#include "TextFiles.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>

namespace {

QLocale withoutGrouping(QLocale locale)
{
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale;
}

TEST(LocaleNumberFormat, MatchesQLocaleOnRandomValues)
{
    const QList<QLocale> locales{QLocale("en_US"), QLocale("de_DE"), QLocale("fr_FR"), QLocale("hi_IN"),
                                 QLocale("ar_EG"), QLocale("es_ES"), QLocale("fa_IR"), QLocale("de_CH"),
                                 QLocale("pt_PT"), QLocale::c(),     withoutGrouping(QLocale("en_US"))};
    QRandomGenerator random(20240315);
    for (const QLocale& locale : locales) {
        const LocaleNumberFormat format(locale);
        EXPECT_TRUE(format.fast()) << locale.name().toStdString();
        QByteArray bytes;
        for (int n = 0; n < 20000; ++n) {
            const int decimals = static_cast<int>(random.bounded(7));
            double value;
            switch (n % 5) {
            case 0:  // any magnitude from 1e-7 to 1e17
                value = std::pow(10.0, random.generateDouble() * 24.0 - 7.0);
                break;
            case 1:  // readings as the instrument stores them (single precision)
                value = static_cast<float>(random.generateDouble() * std::pow(10.0, random.bounded(9)));
                break;
            case 2:  // k / 2^(decimals + 1): an exact tie when k is odd; single precision
                value = std::ldexp(static_cast<double>(random.bounded(4000000)), -(decimals + 1));
                break;
            case 3:  // the same with more bits than single precision holds
                value = std::ldexp(static_cast<double>((1u << 30) + random.bounded(1u << 20)), -(decimals + 1));
                break;
            default:  // small values near zero
                value = (random.generateDouble() - 0.5) * std::pow(10.0, -decimals);
                break;
            }
            if (random.bounded(2)) value = -value;
            const QString expected = ExpectedNumber(locale, value, decimals);
            ASSERT_EQ(format.toString(value, decimals), expected)
                << locale.name().toStdString() << " value " << value << " decimals " << decimals;
            bytes.clear();
            format.appendEightBit(bytes, value, decimals);
            ASSERT_EQ(bytes, ToEightBit(expected));
        }
    }
}

TEST(LocaleNumberFormat, HandWrittenTexts)
{
    const LocaleNumberFormat us(QLocale("en_US"));
    EXPECT_EQ(us.toString(1234.5678, 3), "1,234.568");
    EXPECT_EQ(us.toString(-1234567.125, 2), "-1,234,567.13");  // tie: away from zero
    EXPECT_EQ(us.toString(0.125, 2), "0.13");
    EXPECT_EQ(us.toString(-0.125, 2), "-0.13");
    EXPECT_EQ(us.toString(1.625, 2), "1.63");   // half-even would give 1.62
    EXPECT_EQ(us.toString(9.995, 2), "9.99");   // 9.995 is 9.99499999... in binary: no tie
    EXPECT_EQ(us.toString(0.5, 0), "1");
    EXPECT_EQ(us.toString(99.5, 0), "100");     // carry into a new digit
    EXPECT_EQ(us.toString(999.5, 0), "1,000");  // and into a new group
    EXPECT_EQ(us.toString(-999.9999, 3), "-1,000.000");
    EXPECT_EQ(us.toString(-0.001, 2), "0.00");  // no sign on zero
    EXPECT_EQ(us.toString(-0.0, 4), "0.0000");
    EXPECT_EQ(us.toString(-0.00049, 3), "0.000");
    EXPECT_EQ(us.toString(-0.0005, 3), "-0.001");  // 0.0005 is just above the tie in binary
    EXPECT_EQ(us.toString(0, 0), "0");
    EXPECT_EQ(us.toString(123, 0), "123");
    EXPECT_EQ(us.toString(1e15, 1), "1,000,000,000,000,000.0");
    // Ties of values that single precision cannot hold.
    EXPECT_EQ(us.toString(16777217.5, 0), "16,777,218");
    EXPECT_EQ(us.toString(-1234567.8125, 3), "-1,234,567.813");
    EXPECT_EQ(us.toString(33554431.25, 1), "33,554,431.3");
    EXPECT_EQ(us.toString(0.1 + 0.2, 16), "0.3000000000000000");
    EXPECT_EQ(us.toString(3.4028234663852886e38, 0), "340,282,346,638,528,859,811,704,183,484,516,925,440");

    const LocaleNumberFormat de(QLocale("de_DE"));
    EXPECT_EQ(de.toString(1234.5678, 3), "1.234,568");
    EXPECT_EQ(de.toString(-0.5, 2), "-0,50");

    const LocaleNumberFormat hi(QLocale("hi_IN"));
    EXPECT_EQ(hi.toString(1234567.125, 2), "12,34,567.13");
    EXPECT_EQ(hi.toString(1234.0, 1), "1,234.0");
    EXPECT_EQ(hi.groupingLeast(), 3);
    EXPECT_EQ(hi.groupingHigher(), 2);

    // Spanish leaves four whole digits ungrouped.
    const LocaleNumberFormat es(QLocale("es_ES"));
    EXPECT_EQ(es.toString(1234.5, 1), "1234,5");
    EXPECT_EQ(es.toString(12345.0, 1), "12.345,0");
    EXPECT_EQ(es.toString(1234567.0, 0), "1234.567");
    EXPECT_EQ(es.groupingTop(), 2);

    const LocaleNumberFormat fr(QLocale("fr_FR"));
    EXPECT_EQ(fr.toString(-1234.5, 1), QString::fromUtf8("-1\u202F234,5"));
    QByteArray bytes;
    fr.appendEightBit(bytes, -1234.5, 1);
    EXPECT_EQ(bytes, QByteArray("-1\xA0" "234,5"));

    const LocaleNumberFormat ar(QLocale("ar_EG"));
    EXPECT_EQ(ar.toString(-1234.5, 1), QString::fromUtf8("\u061C-\u0661\u066C\u0662\u0663\u0664\u066B\u0665"));

    const LocaleNumberFormat plain(withoutGrouping(QLocale("en_US")));
    EXPECT_FALSE(plain.groups());
    EXPECT_EQ(plain.toString(1234567.25, 2), "1234567.25");
}

TEST(LocaleNumberFormat, TimestampsMatchTheRegionalGeneralForm)
{
    QRandomGenerator random(7);
    for (const QLocale& locale : {QLocale("en_US"), QLocale("de_DE"), QLocale("fr_FR"), QLocale("ar_EG")}) {
        TimestampFormat format(locale);
        int32_t seconds = 0;
        for (int n = 0; n < 3000; ++n) {
            // Runs of nearby times (as a datalog holds), jumps, midnights.
            if (n % 50 == 0) seconds = static_cast<int32_t>(random.bounded(4000000000u) - 2000000000u);
            else if (n % 7 == 0) seconds = static_cast<int32_t>((seconds / 86400 + 1) * 86400);
            else seconds += static_cast<int32_t>(random.bounded(600));
            QByteArray bytes;
            format.appendEightBit(bytes, seconds);
            ASSERT_EQ(bytes, ToEightBit(RegionalFormat::GeneralDateTime(DateTimeFromSeconds(seconds), locale)))
                << locale.name().toStdString() << " " << seconds;
        }
    }
    TimestampFormat us(QLocale("en_US"));
    QByteArray bytes;
    us.appendEightBit(bytes, 1710511389);
    EXPECT_EQ(bytes, "3/15/24 2:03:09 PM");
    bytes.clear();
    us.appendEightBit(bytes, 0);
    EXPECT_EQ(bytes, "1/1/70");
    bytes.clear();
    us.appendEightBit(bytes, -1);
    EXPECT_EQ(bytes, "12/31/69 11:59:59 PM");
}

}  // namespace
