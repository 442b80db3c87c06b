// The hue rules, and the errors that name the bad argument.

#include <cmath>

#include "ColorReference.h"

TEST(ColorConverterRules, HueStaysInZeroTo360WithoutNegativeZeros)
{
    const struct { const char* from; Triple in; const char* to; Triple out; double tolerance; } cases[] = {
        {"CIELAB", {50.0, 0.0, -20.0}, "CIELCh", {50.0, 20.0, 270.0}, 0.0},
        {"CIELAB", {50.0, -30.0, 0.0}, "CIELCh", {50.0, 30.0, 180.0}, 1e-12},
        {"CIELAB", {50.0, 0.0, 25.0}, "CIELCh", {50.0, 25.0, 90.0}, 1e-12},
        {"CIELAB", {50.0, 30.0, -0.0}, "CIELCh", {50.0, 30.0, 0.0}, 0.0},  // 0, not 360
        {"CIELAB", {0.0, 0.0, -0.0}, "CIELCh", {0.0, 0.0, 0.0}, 0.0},     // no chroma: no hue of its own
        {"CIELCh", {40.0, 0.0, 180.0}, "CIELAB", {40.0, 0.0, 0.0}, 0.0},   // a* 0, not -0
        {"CIELCh", {50.0, 20.0, 360.0}, "CIELAB", {50.0, 20.0, 0.0}, 1e-12},
        {"CIELCh", {50.0, 20.0, -90.0}, "CIELAB", {50.0, 0.0, -20.0}, 1e-12},
        {"CIELCh", {50.0, 20.0, 450.0}, "CIELAB", {50.0, 0.0, 20.0}, 1e-12},
    };
    for (const auto& c : cases) {
        const QString what = QStringLiteral("%1 %2 %3 %4").arg(c.from).arg(c.in[0]).arg(c.in[1]).arg(c.in[2]);
        const Triple v = Convert(c.from, c.to, c.in, "ASTM-D65/10");
        ExpectNear(v, c.out, c.tolerance, what);
        // The exact rows hold no negative value, and so no -0 either.
        for (double e : v) EXPECT_FALSE(c.tolerance == 0.0 && std::signbit(e)) << qPrintable(what);
    }
    // b* a hair below zero: the hue rounds to 360 when moved into range and must come out below.
    const double hair = Convert("CIELAB", "CIELCh", {50.0, 30.0, -1e-300}, "ASTM-D65/10")[2];
    EXPECT_TRUE(hair >= 0.0 && hair < 360.0) << hair;
    // Through XYZ, just to the blue side of +a* (X 1 % above the grey's, Z 1e-8 above): below 360.
    const double h = Convert("XYZ", "CIELCh", {94.811 * 0.3 * 1.01, 30.0, 107.304 * 0.3 * (1.0 + 1e-8)}, "ASTM-D65/10")[2];
    EXPECT_TRUE(h > 359.999 && h < 360.0) << h;
}

TEST(ColorConverterRules, ErrorsNameTheBadArgument)
{
    const QString ill = QStringLiteral("ASTM-D65/10");
    const Triple v{20.0, 21.0, 22.0};
    ExpectInvalidArgument([&] { Convert("Lab", "XYZ", v, ill); }, "from-scale \"Lab\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIE Lab", v, ill); }, "to-scale \"CIE Lab\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "CIELAB", v, "D65/10"); }, "illuminant/observer \"D65/10\"");
    ExpectInvalidArgument([&] { Convert("XYZ", "XYZ", v, "ASTM-B/2"); }, "ASTM-B/2");  // checked with nothing to convert
    ExpectInvalidArgument([&] { Convert("CIELAB", "XYZ", {50.0, std::nan(""), 0.0}, ill); }, "value 2 (a*)");
    ExpectInvalidArgument([&] { Convert("CIELAB", "XYZ", {1e300, 0.0, 0.0}, ill); }, "not all finite");
    // Yxy with y = 0 and Y not 0; Hunter Lab divides by sqrt(Y/Yn).
    ExpectInvalidArgument([&] { Convert("Yxy", "CIELAB", {10.0, 0.3, 0.0}, ill); }, "y = 0");
    ExpectInvalidArgument([&] { Convert("XYZ", "Hunter Lab", {5.0, 0.0, 0.0}, ill); }, "Y = 0");
    ExpectInvalidArgument([&] { Convert("XYZ", "Hunter Lab", {5.0, -1.0, 3.0}, ill); }, "negative Y");

    // Texts read as numbers of the locale, and only those.
    const ColorConverter converter;
    const QLocale german(QLocale::German, QLocale::Germany), english(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(converter.ConvertScale("XYZ", "XYZ", {"1,5", " -2,25 ", "+1.234,5"}, ill, german), (Triple{1.5, -2.25, 1234.5}));
    const auto texts = [&](const std::array<QString, 3>& t, const QLocale& l) { converter.ConvertScale("XYZ", "XYZ", t, ill, l); };
    ExpectInvalidArgument([&] { texts({"1", "abc", "3"}, english); }, "value 2 (Y)");
    ExpectInvalidArgument([&] { texts({"", "2", "3"}, english); }, "value 1 (X)");
    ExpectInvalidArgument([&] { texts({"1", "12x", "3"}, english); }, "\"12x\"");
    ExpectInvalidArgument([&] { texts({"1.5", "2", "3"}, german); }, "\"1.5\"");
    ExpectInvalidArgument([&] { converter.ConvertScale("CIELCh", "XYZ", {"50", "20", "north"}, ill, english); },
                          "value 3 (h) of the CIELCh colour");
}
