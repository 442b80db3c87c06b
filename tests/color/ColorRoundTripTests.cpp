// Round trips through every scale under every illuminant/observer, the hue
// rules and the name lists.

#include <cmath>

#include "ColorConverter.h"
#include "ColorReference.h"

namespace {

const ColorConverter converter;

// Colours of everyday measurement: saturated, near white, dark (in the
// linear part of CIELAB), bluish, greenish.
const std::array<double, 3> kColours[] = {
    {41.24, 21.26, 1.93}, {18.0, 18.5, 30.0}, {90.0, 95.0, 100.0},
    {0.5, 0.4, 0.3},      {60.0, 40.0, 80.0}, {5.0, 10.0, 2.0},
};

}  // namespace

TEST(ColorConverterRoundTrip, EveryScaleEveryIlluminant)
{
    const QStringList scales = ColorConverter::ScaleNames();
    for (const QString& illObs : ColorConverter::IllObsNames()) {
        for (const auto& xyz : kColours) {
            for (const QString& scale : scales) {
                const auto there = converter.ConvertScale(QStringLiteral("XYZ"), scale, xyz, illObs);
                const auto back = converter.ConvertScale(scale, QStringLiteral("XYZ"), there, illObs);
                ExpectNear(back, xyz, 1e-4, QStringLiteral("XYZ via %1 under %2").arg(scale, illObs));
                // From this scale through every other one and back.
                for (const QString& other : scales) {
                    const auto across = converter.ConvertScale(scale, other, there, illObs);
                    const auto home = converter.ConvertScale(other, scale, across, illObs);
                    ExpectNear(home, there, 1e-4, QStringLiteral("%1 via %2 under %3").arg(scale, other, illObs));
                }
            }
        }
    }
}

TEST(ColorConverterRoundTrip, SameScaleGivesValuesUnchanged)
{
    // Not even a hue of 400 or a negative X is touched.
    const std::array<double, 3> odd{-1.5, 2.25, 400.0};
    for (const QString& scale : ColorConverter::ScaleNames()) {
        EXPECT_EQ(converter.ConvertScale(scale, scale, odd, QStringLiteral("ASTM-D65/10")), odd) << qPrintable(scale);
    }
    const std::array<double, 3> xyz{12.345678901, 23.456789012, 34.567890123};
    EXPECT_EQ(converter.ConvertScale(QStringLiteral("XYZ"), QStringLiteral("XYZ"), xyz, QStringLiteral("ASTM-A/2")),
              xyz);
}

TEST(ColorConverterHue, HueStaysInZeroTo360)
{
    const QString lab = QStringLiteral("CIELAB");
    const QString lch = QStringLiteral("CIELCh");
    const QString ill = QStringLiteral("ASTM-D65/10");

    // Pure -b* (blue): 270 degrees.
    auto v = converter.ConvertScale(lab, lch, {50.0, 0.0, -20.0}, ill);
    EXPECT_EQ(v, (std::array<double, 3>{50.0, 20.0, 270.0}));

    // a* > 0 with b* = -0: hue 0, a positive zero, not 360.
    v = converter.ConvertScale(lab, lch, {50.0, 30.0, -0.0}, ill);
    EXPECT_EQ(v[2], 0.0);
    EXPECT_FALSE(std::signbit(v[2]));

    // b* a hair below zero: the hue rounds to 360 when moved into range and
    // must come out as 0.
    v = converter.ConvertScale(lab, lch, {50.0, 30.0, -1e-300}, ill);
    EXPECT_GE(v[2], 0.0);
    EXPECT_LT(v[2], 360.0);

    // The other axes.
    EXPECT_DOUBLE_EQ(converter.ConvertScale(lab, lch, {50.0, -30.0, 0.0}, ill)[2], 180.0);
    EXPECT_DOUBLE_EQ(converter.ConvertScale(lab, lch, {50.0, 0.0, 25.0}, ill)[2], 90.0);
    // No chroma at all: exactly C* 0 and hue 0, for a neutral of any
    // lightness (no rounding noise with a hue of its own).
    for (double lightness : {0.0, 3.0, 33.3, 50.0, 71.7, 100.0}) {
        v = converter.ConvertScale(lab, lch, {lightness, 0.0, -0.0}, ill);
        EXPECT_EQ(v, (std::array<double, 3>{lightness, 0.0, 0.0})) << lightness;
        EXPECT_FALSE(std::signbit(v[2])) << lightness;
    }
    // And back: a hue of 180 with C* 0 gives a* 0, not -0.
    v = converter.ConvertScale(lch, lab, {40.0, 0.0, 180.0}, ill);
    EXPECT_EQ(v, (std::array<double, 3>{40.0, 0.0, 0.0}));
    EXPECT_FALSE(std::signbit(v[1]));
    EXPECT_FALSE(std::signbit(v[2]));

    // Through XYZ, a colour just to the blue side of the +a* axis: close to
    // 360 but below it. X 1 % above the grey's gives a* of about 1.1; Z 1e-8
    // above it gives b* of about -4e-7.
    const ref::Triple w = ref::kD65_10;
    const ref::Triple xyz{w[0] * 0.3 * 1.01, 30.0, w[2] * 0.3 * (1.0 + 1e-8)};
    v = converter.ConvertScale(QStringLiteral("XYZ"), lch, xyz, ill);
    EXPECT_GT(v[2], 359.999);
    EXPECT_LT(v[2], 360.0);

    // A hue given as 360, -90 or 450 means the same as 0, 270 or 90.
    ExpectNear(converter.ConvertScale(lch, lab, {50.0, 20.0, 360.0}, ill), {50.0, 20.0, 0.0}, 1e-12,
               QStringLiteral("h 360"));
    ExpectNear(converter.ConvertScale(lch, lab, {50.0, 20.0, -90.0}, ill), {50.0, 0.0, -20.0}, 1e-12,
               QStringLiteral("h -90"));
    ExpectNear(converter.ConvertScale(lch, lab, {50.0, 20.0, 450.0}, ill), {50.0, 0.0, 20.0}, 1e-12,
               QStringLiteral("h 450"));
}

TEST(ColorConverterNames, ScaleAndIlluminantLists)
{
    EXPECT_EQ(ColorConverter::ScaleNames(), QStringList({"XYZ", "CIELAB", "CIELCh", "Hunter Lab", "Yxy"}));
    const QStringList ills = ColorConverter::IllObsNames();
    ASSERT_EQ(ills.size(), 18);
    // In the order of the data view's illuminant/observer code.
    EXPECT_EQ(ills[0], QStringLiteral("ASTM-A/2"));
    EXPECT_EQ(ills[4], QStringLiteral("ASTM-D65/2"));
    EXPECT_EQ(ills[8], QStringLiteral("ASTM-F11/2"));
    EXPECT_EQ(ills[9], QStringLiteral("ASTM-A/10"));
    EXPECT_EQ(ills[13], QStringLiteral("ASTM-D65/10"));
    EXPECT_EQ(ills[17], QStringLiteral("ASTM-F11/10"));
}

// Each illuminant/observer has its own white: the white of one row is
// L* 100, a* 0, b* 0 in that row and in no other.
TEST(ColorConverterNames, EachIlluminantUsesItsOwnWhite)
{
    const QStringList ills = ColorConverter::IllObsNames();
    for (const QString& own : ills) {
        // The white's XYZ, read back from L* 100, a* 0, b* 0.
        const auto white =
            converter.ConvertScale(QStringLiteral("CIELAB"), QStringLiteral("XYZ"), {100.0, 0.0, 0.0}, own);
        EXPECT_NEAR(white[1], 100.0, 1e-9);
        for (const QString& other : ills) {
            if (other == own) continue;
            const auto lab = converter.ConvertScale(QStringLiteral("XYZ"), QStringLiteral("CIELAB"), white, other);
            EXPECT_GT(std::hypot(lab[1], lab[2]), 0.05)
                << qPrintable(own) << " and " << qPrintable(other) << " share a white";
        }
    }
}
