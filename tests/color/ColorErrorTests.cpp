// Bad arguments and colours a scale cannot express, and the text overload.

#include <limits>

#include "ColorConverter.h"
#include "ColorReference.h"

namespace {

const ColorConverter converter;
const QString kIll = QStringLiteral("ASTM-D65/10");

std::array<double, 3> Convert(const QString& from, const QString& to, const std::array<double, 3>& v,
                              const QString& illObs = kIll)
{
    return converter.ConvertScale(from, to, v, illObs);
}

std::array<double, 3> ConvertTexts(const std::array<QString, 3>& texts, const QLocale& locale)
{
    return converter.ConvertScale(QStringLiteral("XYZ"), QStringLiteral("XYZ"), texts, kIll, locale);
}

}  // namespace

TEST(ColorConverterErrors, UnknownNames)
{
    const std::array<double, 3> v{20.0, 21.0, 22.0};
    ExpectInvalidArgument([&] { Convert("Lab", "XYZ", v); }, "\"Lab\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIE Lab", v); }, "to-scale \"CIE Lab\"");
    ExpectInvalidArgument([&] { Convert("xyz", "XYZ", v); }, "from-scale");
    ExpectInvalidArgument([&] { Convert("", "XYZ", v); }, "from-scale");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIELAB", v, "D65/10"); }, "\"D65/10\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIELAB", v, "ASTM-D65/5"); }, "illuminant/observer \"ASTM-D65/5\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIELAB", v, "ASTM-F12/2"); }, "ASTM-F12/2");
    // The names are checked even when there is nothing to convert.
    ExpectInvalidArgument([&] { Convert("XYZ", "XYZ", v, "ASTM-B/2"); }, "ASTM-B/2");
}

TEST(ColorConverterErrors, ValuesThatAreNotFiniteNumbers)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    ExpectInvalidArgument([&] { Convert("CIELAB", "XYZ", {50.0, nan, 0.0}); }, "value 2 (a*)");
    ExpectInvalidArgument([&] { Convert("XYZ", "Yxy", {inf, 1.0, 1.0}); }, "value 1 (X)");
    ExpectInvalidArgument([&] { Convert("XYZ", "XYZ", {1.0, 1.0, -inf}); }, "value 3 (Z)");
    // A result out of range of a double: an L* that large overflows X.
    ExpectInvalidArgument([&] { Convert("CIELAB", "XYZ", {1e300, 0.0, 0.0}); }, "not all finite");
}

TEST(ColorConverterErrors, ColoursAScaleCannotExpress)
{
    // Yxy with y = 0 and Y not 0.
    ExpectInvalidArgument([&] { Convert("Yxy", "XYZ", {10.0, 0.3, 0.0}); }, "y = 0");
    ExpectInvalidArgument([&] { Convert("Yxy", "CIELAB", {10.0, 0.3, 0.0}); }, "y = 0");
    // Hunter Lab has a square root of Y/Yn and divides by it.
    ExpectInvalidArgument([&] { Convert("XYZ", "Hunter Lab", {5.0, 0.0, 0.0}); }, "Y = 0");
    ExpectInvalidArgument([&] { Convert("XYZ", "Hunter Lab", {5.0, -1.0, 3.0}); }, "negative Y");
    ExpectInvalidArgument([&] { Convert("Hunter Lab", "XYZ", {-3.0, 1.0, 1.0}); }, "negative L");
    // A sum X + Y + Z of 0 that is not black has no chromaticity.
    ExpectInvalidArgument([&] { Convert("XYZ", "Yxy", {1.0, 0.0, -1.0}); }, "not all finite");
}

TEST(ColorConverterTexts, ReadsNumbersOfTheLocale)
{
    const QLocale german(QLocale::German, QLocale::Germany);
    const QLocale english(QLocale::English, QLocale::UnitedStates);

    EXPECT_EQ(ConvertTexts({"1,5", " -2,25 ", "+1.234,5"}, german), (std::array<double, 3>{1.5, -2.25, 1234.5}));
    EXPECT_EQ(ConvertTexts({"1.5", "\t-2.25", "1,234.5 "}, english), (std::array<double, 3>{1.5, -2.25, 1234.5}));

    // Texts are converted like numbers: L* 100, a* 0, b* 0 is the white.
    const auto white = converter.ConvertScale("CIELAB", "XYZ", {"100", "0", "-0"}, "ASTM-C/2", english);
    ExpectNear(white, ref::kC_2, 1e-9, "white from texts");
}

TEST(ColorConverterTexts, RejectsTextsThatAreNotNumbers)
{
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    const QLocale german(QLocale::German, QLocale::Germany);
    ExpectInvalidArgument([&] { ConvertTexts({"1", "abc", "3"}, english); }, "value 2 (Y)");
    ExpectInvalidArgument([&] { ConvertTexts({"", "2", "3"}, english); }, "value 1 (X)");
    ExpectInvalidArgument([&] { ConvertTexts({"1", "2", "   "}, english); }, "value 3 (Z)");
    ExpectInvalidArgument([&] { ConvertTexts({"1", "12x", "3"}, english); }, "\"12x\"");
    // The decimal symbol of another locale does not read.
    ExpectInvalidArgument([&] { ConvertTexts({"1.5", "2", "3"}, german); }, "\"1.5\"");
    // Words for infinity and not-a-number are not finite numbers.
    ExpectInvalidArgument([&] { ConvertTexts({"inf", "2", "3"}, english); }, "value 1 (X)");
    ExpectInvalidArgument([&] { ConvertTexts({"1", "nan", "3"}, english); }, "value 2 (Y)");
    // The scale is named in the error of a text: the terms are those of the from-scale.
    ExpectInvalidArgument(
        [&] {
            converter.ConvertScale("CIELCh", "XYZ", {"50", "20", "north"}, kIll, english);
        },
        "value 3 (h) of the CIELCh colour");
}
