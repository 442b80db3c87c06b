#include "AppError.h"
#include "DateConversion.h"
#include "Rounding.h"

#include <gtest/gtest.h>

namespace {
double dateValue(int y, int m, int d, int hh = 0, int mm = 0, int ss = 0)
{
    return DateValueFromDateTime(QDateTime(QDate(y, m, d), QTime(hh, mm, ss), Qt::UTC));
}
}  // namespace

TEST(DateConversion, SecondsSince1970AndBack)
{
    EXPECT_EQ(dateValue(1899, 12, 30), 0.0);
    EXPECT_EQ(dateValue(1970, 1, 1), 25569.0);
    EXPECT_EQ(DateToSeconds(dateValue(1970, 1, 1)), 0);
    EXPECT_EQ(DateToSeconds(dateValue(1970, 1, 2)), 86400);
    EXPECT_EQ(DateToSeconds(dateValue(2026, 12, 5, 14, 3, 9)), 1796479389);
    EXPECT_EQ(DateToSeconds(dateValue(2038, 1, 19, 3, 14, 7)), 2147483647);
    try {
        DateToSeconds(dateValue(2038, 1, 19, 3, 14, 8));
        FAIL() << "no overflow";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
    }
    EXPECT_EQ(DateToSeconds(dateValue(1901, 12, 13, 20, 45, 52)), std::numeric_limits<int32_t>::min());

    EXPECT_EQ(SecondsToDate(0), 25569.0);
    EXPECT_EQ(SecondsToDate(43200), 25569.5);
    EXPECT_EQ(DateTimeFromSeconds(0), QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(DateTimeFromSeconds(-1), QDateTime(QDate(1969, 12, 31), QTime(23, 59, 59), Qt::UTC));
    EXPECT_EQ(DateTimeFromSeconds(1796479389), QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9), Qt::UTC));
    EXPECT_EQ(DateTimeFromDateValue(SecondsToDate(1796479389)), DateTimeFromSeconds(1796479389));
}

TEST(DateConversion, RoundsHalvesToEvenWithin16Bits)
{
    EXPECT_EQ(RoundToInt16(12.5, "x"), 12);
    EXPECT_EQ(RoundToInt16(13.5, "x"), 14);
    EXPECT_EQ(RoundToInt16(-2.5, "x"), -2);
    EXPECT_EQ(RoundToInt16(32767.4, "x"), 32767);
    EXPECT_EQ(RoundToInt16(-32768.5, "x"), -32768);
    for (double bad : {32767.5, -32768.6, std::nan(""), 1e9}) {
        try {
            RoundToInt16(bad, "the base distance");
            FAIL() << bad;
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::Overflow);
            EXPECT_TRUE(e.description().contains("the base distance"));
        }
    }
}
