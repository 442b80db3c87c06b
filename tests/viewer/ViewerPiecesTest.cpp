// The pieces the viewer reads and filters with, at their limits: numbers in
// regional forms, two-digit years, the ends of a date range, records without
// a product name, and sorting by value rather than by text.
#include "RecordFilter.h"
#include "RecordTableModel.h"
#include "RegionalFormat.h"
#include "RegionalNumbers.h"
#include "TimestampReader.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

TEST(ViewerPieces, NumbersInRegionalFormsTwoDigitYearsAndTimesOfDay)
{
    const struct { const char* text; bool readable; double value; } cases[]{
        {"1234.568", true, 1234.568},    {"1,234.568", true, 1234.568},  {"1.234,568", true, 1234.568},
        {"-0,50", true, -0.5},           {"12\xA0" "345,5", true, 12345.5}, {"1'234.50", true, 1234.5},
        {"0.000", true, 0.0},            {"-1,234,567.0001", true, -1234567.0001},
        {"12", false, 0},                {"12.", false, 0},              {"abc", false, 0},
        {"", false, 0},                  {"1.2x", false, 0},             {"--1.0", false, 0},
        {",5", true, 0.5},               {"1 2;3", false, 0},          {"-", false, 0},
    };
    for (const auto& c : cases) {
        double value = -99;
        EXPECT_EQ(RegionalNumbers::ParseFixed(c.text, value), c.readable) << c.text;
        EXPECT_DOUBLE_EQ(c.readable ? value : 0, c.value) << c.text;
    }
    int64_t whole = 0;
    EXPECT_TRUE(RegionalNumbers::ParseWhole("-32768", whole) && whole == -32768) << whole;
    EXPECT_FALSE(RegionalNumbers::ParseWhole("1,000", whole));

    // Two-digit years and times of day.
    TimestampReader reader(QLocale("en_US"));
    const QDateTime epoch(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC);
    // Invalid: not readable.
    const struct { const char* text; QDateTime expected; } times[]{
        {"1/1/70", epoch},
        {"12/31/69 11:59:59 PM", QDateTime(QDate(2069, 12, 31), QTime(23, 59, 59), Qt::UTC)},
        // Four-digit years as written, to the instrument clock's first second.
        {"12/31/1969 11:59:59 PM", epoch.addSecs(-1)},
        {"12/13/1901 8:45:52 PM", QDateTime(QDate(1901, 12, 13), QTime(20, 45, 52), Qt::UTC)},
        {"12/5/26 12:00:00 AM", QDateTime(QDate(2026, 12, 5), QTime(0, 0), Qt::UTC)},
        {"12/5/26 12:00:01 PM", QDateTime(QDate(2026, 12, 5), QTime(12, 0, 1), Qt::UTC)},
        {"12/5/26 2:03:09 PM", QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9), Qt::UTC)},
        {"12/5/26 13:03:09 PM", {}}, {"12/5/26 2:60:00 PM", {}}, {"13/5/26", {}}, {"12/5/26 noon", {}},
    };
    for (const auto& c : times) {
        int64_t seconds = 0;
        const bool readable = reader.read(c.text, seconds);
        EXPECT_EQ(readable ? epoch.addSecs(seconds) : QDateTime(), c.expected) << c.text;
    }
    TimestampReader german(QLocale("de_DE"));
    int64_t seconds = 0;
    ASSERT_TRUE(german.read("05.12.26 14:03:09", seconds));
    EXPECT_EQ(epoch.addSecs(seconds), QDateTime(QDate(2026, 12, 5), QTime(14, 3, 9), Qt::UTC));
}

TEST(ViewerPieces, DateRangeIncludesBothEndDaysProductsWithoutANameAndSortsByValueNotByText)
{
    const auto at = [](QDate date, QTime time) {
        DatalogRecord r;
        r.time = QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC).secsTo(QDateTime(date, time, Qt::UTC));
        return r;
    };
    RecordFilter filter;
    filter.from = QDate(2026, 12, 5);
    filter.to = QDate(2026, 12, 6);
    EXPECT_FALSE(filter.accepts(at(QDate(2026, 12, 4), QTime(23, 59, 59))));
    EXPECT_TRUE(filter.accepts(at(QDate(2026, 12, 5), QTime(0, 0))));
    EXPECT_TRUE(filter.accepts(at(QDate(2026, 12, 6), QTime(23, 59, 59))));
    EXPECT_FALSE(filter.accepts(at(QDate(2026, 12, 7), QTime(0, 0))));
    filter.from = {};
    EXPECT_TRUE(filter.accepts(at(QDate(1970, 1, 1), QTime(0, 0))));
    DatalogRecord standard = at(QDate(2026, 12, 5), QTime(1, 0));
    standard.standard = true;
    filter.kind = RecordFilter::Kind::Samples;
    EXPECT_FALSE(filter.accepts(standard));
    filter.kind = RecordFilter::Kind::Standards;
    EXPECT_TRUE(filter.accepts(standard));

    // A product chosen by name, or the records without a name; unset, every one.
    DatalogRecord named = standard, unnamed = standard;
    named.product = QStringLiteral("RED");
    filter = {};
    EXPECT_TRUE(filter.accepts(named) && filter.accepts(unnamed));
    filter.product = QString();
    EXPECT_FALSE(filter.accepts(named));
    EXPECT_TRUE(filter.accepts(unnamed));
    filter.product = QStringLiteral("RED");
    EXPECT_TRUE(filter.accepts(named));
    EXPECT_FALSE(filter.accepts(unnamed));

    // Sorted by value, not by text.
    auto document = std::make_shared<DatalogDocument>();
    for (float value : {9.5f, 10.25f, -2.0f, 100.0f}) {
        DatalogRecord r;
        r.indexData[0] = value;
        r.log = int32_t(document->records.size()) + 1;
        r.time = 1000 - r.log;  // later records are earlier in time
        document->records.push_back(r);
    }
    RecordTableModel model;
    model.setDocument(document);
    RecordFilterModel filtered(&model);
    filtered.sort(RecordTableModel::IndexValue, Qt::AscendingOrder);
    QList<float> order;
    for (int row = 0; row < filtered.rowCount(); ++row) order << filtered.recordAt(row).indexData[0];
    EXPECT_EQ(order, QList<float>({-2.0f, 9.5f, 10.25f, 100.0f}));
    filtered.sort(RecordTableModel::Time, Qt::AscendingOrder);
    EXPECT_EQ(filtered.recordAt(0).log, 4);

    // A locale with its own digits: the value in ASCII digits, as the time beside it.
    const QLocale before;
    const QLocale arabic(QLocale::Arabic, QLocale::Egypt);
    QLocale::setDefault(arabic);
    RecordTableModel arabicModel;
    arabicModel.setDocument(document);
    const QString value = arabicModel.index(1, RecordTableModel::IndexValue).data().toString();
    const QString time = arabicModel.index(1, RecordTableModel::Time).data().toString();
    QLocale::setDefault(before);
    EXPECT_EQ(value, RegionalFormat::AsciiDigits(arabic.toString(10.25, 'f', 4)));
    for (const QString& text : {value, time})
        EXPECT_TRUE(std::none_of(text.begin(), text.end(), [](QChar c) { return c.isDigit() && c.unicode() >= 0x80; }))
            << text.toStdString();
}

}  // namespace
