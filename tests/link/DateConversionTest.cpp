#include "DateConversion.h"
#include "RaisedError.h"
#include "Rounding.h"

TEST(DateConversion, SecondsSince1970AndBack)
{
    // The date value counts days from 1899-12-30.
    EXPECT_EQ(DateValueFromDateTime(QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)), 0.0);
    EXPECT_EQ(SecondsToDate(0), 25569.0);
    EXPECT_EQ(SecondsToDate(43200), 25569.5);
    const struct { QDateTime time; int32_t seconds; } rows[] = {
        {{QDate(1970, 1, 1), QTime(0, 0), Qt::UTC}, 0},
        {{QDate(1970, 1, 2), QTime(0, 0), Qt::UTC}, 86400},
        {{QDate(1969, 12, 31), QTime(23, 59, 59), Qt::UTC}, -1},
        {{QDate(2026, 12, 5), QTime(14, 3, 9), Qt::UTC}, 1796479389},
        {{QDate(2038, 1, 19), QTime(3, 14, 7), Qt::UTC}, std::numeric_limits<int32_t>::max()},
        {{QDate(1901, 12, 13), QTime(20, 45, 52), Qt::UTC}, std::numeric_limits<int32_t>::min()},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(DateToSeconds(DateValueFromDateTime(row.time)), row.seconds);
        EXPECT_EQ(DateTimeFromSeconds(row.seconds), row.time);
        EXPECT_EQ(DateTimeFromDateValue(SecondsToDate(row.seconds)), row.time);
    }
    const QDateTime pastTheEnd(QDate(2038, 1, 19), QTime(3, 14, 8), Qt::UTC);
    // A datalog file's times may lie outside the instrument's clock.
    EXPECT_EQ(DateTimeFromSeconds(int64_t(std::numeric_limits<int32_t>::max()) + 1), pastTheEnd);
    EXPECT_EQ(DateTimeFromSeconds(int64_t(std::numeric_limits<int32_t>::min()) - 1),
              QDateTime(QDate(1901, 12, 13), QTime(20, 45, 51), Qt::UTC));
    EXPECT_EQ(RaisedError([&] { DateToSeconds(DateValueFromDateTime(pastTheEnd)); }).number(), ErrorNumber::Overflow);
}

TEST(DateConversion, RoundsHalvesToEvenWithin16Bits)
{
    for (const auto& [value, rounded] : {std::pair{12.5, 12}, {13.5, 14}, {-2.5, -2}, {32767.4, 32767}, {-32768.5, -32768}})
        EXPECT_EQ(RoundToInt16(value, "x"), rounded) << value;
    for (double bad : {32767.5, -32768.6, std::nan(""), 1e9}) {
        const AppError error = RaisedError([&] { RoundToInt16(bad, "the base distance"); });
        EXPECT_EQ(error.number(), ErrorNumber::Overflow) << bad;
        EXPECT_TRUE(error.description().contains("the base distance"));
    }
}
