// Conversions out of XYZ and back, checked against published values and
// values worked by hand.

#include <cmath>

#include "ColorReference.h"

// Bruce Lindbloom's colour calculator (brucelindbloom.com) gives the sRGB
// red primary in CIELAB under D65 with Xn 95.047, Zn 108.883 (ASTM E308's
// D65/2 row). The other rows are worked by hand from CIE 15:2004 (f(t) =
// t^(1/3) above (6/29)^3, else t / (3 (6/29)^2) + 4/29) and Hunter's Ka =
// 175 sqrt(Xn / 98.043), Kb = 70 sqrt(Zn / 118.115), with the white points
// of ASTM E308-01 Table 5: D65/10 94.811 100 107.304, A/2 109.850 100
// 35.585 (the other white points: PublishedValues). XYZ (30, 25, 10) lies in the cube-root
// part of CIELAB, (0.5, 0.4, 0.3) in its linear part. For example under
// A/2: X/Xn 0.2730997, Y/Yn 0.25, Z/Zn 0.2810173, cube roots 0.6487944,
// 0.6299605, 0.6550046, so L* = 116 * 0.6299605 - 16 = 57.0754,
// a* = 9.4169, b* = -5.0088.
TEST(ColorConverterReference, PublishedAndHandWorkedValuesBothWays)
{
    const Triple red{41.24564, 21.26729, 1.93339}, mid{30.0, 25.0, 10.0}, dark{0.5, 0.4, 0.3};
    const struct { const char* illObs; Triple xyz; const char* scale; Triple expected; double tolerance; } cases[] = {
        {"ASTM-D65/2", red, "CIELAB", {53.2408, 80.0925, 67.2032}, 3e-4},
        {"ASTM-D65/10", mid, "CIELAB", {57.0754209, 25.7344182, 35.3163128}, 1e-6},
        {"ASTM-D65/10", mid, "Hunter Lab", {50.0, 22.8602681, 20.9241795}, 1e-6},
        {"ASTM-A/2", mid, "CIELAB", {57.0754209, 9.4169165, -5.0088130}, 1e-6},
        {"ASTM-A/2", mid, "Hunter Lab", {50.0, 8.5578717, -2.3834867}, 1e-6},
        {"ASTM-A/2", dark, "CIELAB", {3.6131852, 2.1479037, -6.9001223}, 1e-6},
    };
    for (const auto& c : cases) {
        const QString what = QStringLiteral("%1 %2 (%3)").arg(c.illObs, c.scale).arg(c.xyz[0]);
        ExpectNear(Convert("XYZ", c.scale, c.xyz, c.illObs), c.expected, c.tolerance, what);
        ExpectNear(Convert(c.scale, "XYZ", c.expected, c.illObs), c.xyz, 10 * c.tolerance, what + " back");
    }
}

// Per illuminant/observer: Hunter Associates Laboratory's table of Ka and Kb
// (application note "Hunter L, a, b Color Scale"), to its printed precision
// (with Y = Yn and X 1 % above Xn, a = Ka / 100; with Z 1 % below Zn,
// b = Kb / 100), and the white's chromaticity from CIE 15:2004 Table T.3,
// which is the Yxy of black and of any grey. Black is black in every scale,
// with positive zeros, and converts back to black; a grey (XYZ in proportion
// to the white) has no chroma.
TEST(ColorConverterReference, HunterCoefficientsWhiteChromaticityBlackAndGrey)
{
    const struct { const char* illObs; double xn, zn, ka, kb, x, y; } cases[] = {
        {"ASTM-D65/10", 94.811, 107.304, 172.1, 66.7, 0.31382, 0.33100},
        {"ASTM-C/2", 98.074, 118.232, 175.0, 70.0, 0.31006, 0.31616},
        {"ASTM-A/2", 109.850, 35.585, 185.2, 38.4, 0.44757, 0.40745},
        {"ASTM-D65/2", 95.047, 108.883, 172.30, 67.20, 0.31272, 0.32903},
    };
    const Triple black{0.0, 0.0, 0.0};
    for (const auto& c : cases) {
        ExpectNear(Convert("XYZ", "Hunter Lab", {c.xn * 1.01, 100.0, c.zn}, c.illObs), {100.0, c.ka / 100, 0.0}, 5e-4, c.illObs);
        ExpectNear(Convert("XYZ", "Hunter Lab", {c.xn, 100.0, c.zn * 0.99}, c.illObs), {100.0, 0.0, c.kb / 100}, 5e-4, c.illObs);
        ExpectNear(Convert("XYZ", "Yxy", black, c.illObs), {0.0, c.x, c.y}, 2e-5, c.illObs);

        for (const char* scale : {"CIELAB", "CIELCh", "Hunter Lab"}) {
            const Triple v = Convert("XYZ", scale, black, c.illObs);
            for (double e : v) EXPECT_TRUE(e == 0.0 && !std::signbit(e)) << scale << " " << c.illObs << ": " << e;
            EXPECT_EQ(Convert(scale, "XYZ", v, c.illObs), black) << scale << " " << c.illObs;
        }
        // Y = 0 is black whatever the chromaticity, even y = 0; Hunter L = 0 whatever a and b.
        EXPECT_EQ(Convert("Yxy", "XYZ", black, c.illObs), black) << c.illObs;
        EXPECT_EQ(Convert("Hunter Lab", "XYZ", {0.0, 12.0, -7.0}, c.illObs), black) << c.illObs;

        // L* = 116 * 0.2^(1/3) - 16 = 51.83721; Hunter L = 100 * sqrt(0.2) = 44.72136.
        const Triple grey{c.xn * 0.2, 20.0, c.zn * 0.2};
        ExpectNear(Convert("XYZ", "CIELAB", grey, c.illObs), {51.83721, 0.0, 0.0}, 1e-5, c.illObs);
        ExpectNear(Convert("XYZ", "Hunter Lab", grey, c.illObs), {44.72136, 0.0, 0.0}, 1e-5, c.illObs);
        ExpectNear(Convert("XYZ", "Yxy", grey, c.illObs), {20.0, c.x, c.y}, 2e-5, c.illObs);
    }
}
