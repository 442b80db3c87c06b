// The number texts of the sub-editors' boxes: the regional format with two
// to four decimals, within 10 characters.
#include "AppError.h"
#include "SetupNumberText.h"
#include "SubEditorTestSupport.h"

#include <cmath>
#include <limits>

using SetupNumberText::Format;
using SetupNumberText::Read;

TEST(SetupNumberText, ShowsTwoToFourDecimalsInTheRegionalForm)
{
    const QLocale us = UnitedStates();
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {
        {0.0, "0.00"},
        {-0.0, "0.00"},
        {1.5, "1.50"},
        {-2.0, "-2.00"},
        {20.5, "20.50"},
        {1234.5, "1,234.50"},         // digit grouping
        {1234567.0, "1,234,567.00"},  // too long for the box even so: shown whole
        {0.005, "0.005"},             // a small tolerance keeps its digit
        {0.3127, "0.3127"},           // a chromaticity keeps its digits
        {0.31271234, "0.3127"},       // at most four decimals
        {31.272689, "31.2727"},
        {-12.3456789, "-12.3457"},
        {99.999996, "100.00"},        // rounds up into the next decade
        {12345.6789, "12,345.679"},   // as many decimals as 10 characters hold
        {-12345.6789, "-12,345.68"},
        {-0.001, "-0.001"},
        {-0.0000023, "0.00"},         // conversion noise of a neutral: no sign
        {0.00004, "0.00"},
    };
    for (const Case& c : cases) EXPECT_EQ(Format(c.value, us), c.text) << c.value;
    // Single-precision values as the setup holds them show as typed.
    EXPECT_EQ(Format(static_cast<float>(0.005), us), "0.005");
    EXPECT_EQ(Format(static_cast<float>(31.27), us), "31.27");
    EXPECT_EQ(Format(static_cast<float>(1.1), us), "1.10");

    const QLocale de = Germany();
    EXPECT_EQ(Format(1234.5, de), "1.234,50");
    EXPECT_EQ(Format(-0.3127, de), "-0,3127");
}

TEST(SetupNumberText, ReadsNumbersOfTheLocaleOnly)
{
    const QLocale us = UnitedStates();
    double v = -1.0;
    EXPECT_TRUE(Read(" 12.5 ", v, us));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(Read("+3", v, us));
    EXPECT_EQ(v, 3.0);
    EXPECT_TRUE(Read("-0.25", v, us));
    EXPECT_EQ(v, -0.25);
    EXPECT_TRUE(Read("1,234.5", v, us));
    EXPECT_EQ(v, 1234.5);
    for (const char* text : {"", "   ", "abc", "12,5", "1.2.3", "- 3", "inf", "nan", "1e400"}) {
        v = 7.0;
        EXPECT_FALSE(Read(text, v, us)) << text;
        EXPECT_EQ(v, 7.0) << text;  // untouched
    }

    const QLocale de = Germany();
    EXPECT_TRUE(Read("12,5", v, de));
    EXPECT_EQ(v, 12.5);
    EXPECT_TRUE(Read("1.234,5", v, de));
    EXPECT_EQ(v, 1234.5);
    EXPECT_FALSE(Read("12.5", v, de));

    // What is shown reads back as the value shown.
    for (double value : {0.005, 31.2727, -12.3457, 1234.5, 0.3127})
        for (const QLocale& locale : {us, de}) {
            ASSERT_TRUE(Read(Format(value, locale), v, locale));
            EXPECT_EQ(v, value);
        }
}

TEST(SetupNumberText, SinglePrecisionOverflowIsError6)
{
    EXPECT_EQ(SetupNumberText::ToSingle(1.5, "x"), 1.5f);
    EXPECT_EQ(SetupNumberText::ToSingle(-3.0e38, "x"), -3.0e38f);
    for (double tooBig : {3.5e38, -1.0e39}) {
        try {
            SetupNumberText::ToSingle(tooBig, "the target X");
            ADD_FAILURE() << tooBig;
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::Overflow);
            EXPECT_TRUE(e.description().contains("the target X")) << e.description().toStdString();
        }
    }
}
