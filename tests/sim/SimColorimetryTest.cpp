// The colour arithmetic of the simulated instrument against published values.
#include "Colorimetry.h"
#include "DisplayRenderer.h"

#include <gtest/gtest.h>

using namespace Colorimetry;

TEST(SimColorimetry, MatchingFunctionsFollowTheCieObservers)
{
    // CIE 1931 2 degree table: ybar(555) 1.0000, xbar(600) 1.0622, zbar(450) 1.7721;
    // the analytic fit stays within about 1 % of them.
    EXPECT_NEAR(ColourMatching(555, Observer::TwoDegree)[1], 1.0000, 0.01);
    EXPECT_NEAR(ColourMatching(600, Observer::TwoDegree)[0], 1.0622, 0.015);
    EXPECT_NEAR(ColourMatching(450, Observer::TwoDegree)[2], 1.7721, 0.02);
    // CIE 1964 10 degree table: ybar10(560) 0.9977 (its maximum is near 556 nm).
    EXPECT_NEAR(ColourMatching(560, Observer::TenDegree)[1], 0.9977, 0.02);
}

TEST(SimColorimetry, WhitePointsAreThoseOfThePublishedIlluminants)
{
    // Published white points (Y = 100): D65/2 95.047 108.883, D65/10 94.811
    // 107.304, A/2 109.850 35.585. Summing 31 points of a fitted observer from
    // 400 to 700 nm keeps within 1.5 %.
    const Triple d65 = WhitePoint({Illuminant::D65, Observer::TwoDegree});
    EXPECT_DOUBLE_EQ(d65[1], 100.0);
    EXPECT_NEAR(d65[0], 95.047, 0.5);
    EXPECT_NEAR(d65[2], 108.883, 0.6);
    const Triple d65ten = WhitePoint({Illuminant::D65, Observer::TenDegree});
    EXPECT_NEAR(d65ten[0], 94.811, 1.5);
    EXPECT_NEAR(d65ten[2], 107.304, 1.5);
    const Triple a = WhitePoint({Illuminant::A, Observer::TwoDegree});
    EXPECT_NEAR(a[0], 109.850, 1.1);
    EXPECT_NEAR(a[2], 35.585, 0.4);

    // Codes: 4 is D65/2, 9 is A/10; codes outside the list weigh as D65/10.
    EXPECT_EQ(ConditionsOfCode(4).illuminant, Illuminant::D65);
    EXPECT_EQ(ConditionsOfCode(4).observer, Observer::TwoDegree);
    EXPECT_EQ(ConditionsOfCode(9).illuminant, Illuminant::A);
    EXPECT_EQ(ConditionsOfCode(9).observer, Observer::TenDegree);
    EXPECT_EQ(ConditionsOfCode(18).illuminant, Illuminant::D65);
    EXPECT_EQ(ConditionsOfCode(-1).observer, Observer::TenDegree);
}

TEST(SimColorimetry, PerfectWhiteAndBlackGiveTheScaleEnds)
{
    Spectrum white{};
    white.fill(100.0f);
    for (int code : {0, 4, 13, 17}) {
        const Conditions c = ConditionsOfCode(code);
        const Triple lab = XYZToLab(Tristimulus(white, c), WhitePoint(c));
        EXPECT_NEAR(lab[0], 100.0, 1e-9) << code;
        EXPECT_NEAR(lab[1], 0.0, 1e-9) << code;
        EXPECT_NEAR(lab[2], 0.0, 1e-9) << code;
    }
    Spectrum black{};
    const Triple lab = XYZToLab(Tristimulus(black, Conditions{}), WhitePoint(Conditions{}));
    EXPECT_NEAR(lab[0], 0.0, 1e-9);
}

TEST(SimColorimetry, ScalesMatchPublishedConversions)
{
    // The red primary of sRGB, XYZ 41.24 21.26 1.93 under D65/2 white
    // 95.047 100 108.883: CIELAB 53.24 80.09 67.20 (published), Hunter Lab by
    // hand with the published D65/2 constants Ka 172.30 and Kb 67.20:
    // L 46.11, a 82.69, b 28.40.
    const Triple white{95.047, 100.0, 108.883};
    const Triple red{41.24, 21.26, 1.93};
    const Triple lab = XYZToLab(red, white);
    EXPECT_NEAR(lab[0], 53.24, 0.05);
    EXPECT_NEAR(lab[1], 80.09, 0.05);
    EXPECT_NEAR(lab[2], 67.20, 0.05);
    const Triple hunter = XYZToHunterLab(red, white);
    EXPECT_NEAR(hunter[0], 46.11, 0.01);
    EXPECT_NEAR(hunter[1], 82.69, 0.1);
    EXPECT_NEAR(hunter[2], 28.40, 0.1);
    const Triple yxy = XYZToYxy(red);
    EXPECT_NEAR(yxy[1], 41.24 / 64.43, 1e-12);
    EXPECT_NEAR(yxy[2], 21.26 / 64.43, 1e-12);
    // L*C*h of a* -20, b* 0: chroma 20 at 180 degrees.
    const Triple lch = LabToLCh({50, -20, 0});
    EXPECT_NEAR(lch[1], 20.0, 1e-12);
    EXPECT_NEAR(lch[2], 180.0, 1e-12);
}

TEST(SimColorimetry, ColourDifferences)
{
    EXPECT_DOUBLE_EQ(DeltaE76({50, 0, 0}, {53, 4, 0}), 5.0);
    // CMC values worked out by hand from the CMC(l:c) formula.
    EXPECT_NEAR(DeltaECMC({50, 2.6772, -79.7751}, {50, 0, -82.7485}, 2, 1), 1.7014, 1e-3);
    EXPECT_NEAR(DeltaECMC({61.3, 10.2, -5.1}, {60.0, 12.0, -4.0}, 1, 1), 2.2447, 1e-3);
    // Hue 40 degrees against 30, both at chroma 30: dH* = 2 * 30 * sin(5 deg),
    // positive because the sample's hue angle is the greater.
    const double cos40 = 22.98133329356934, sin40 = 19.28362829059617;
    const double cos30 = 25.98076211353316, sin30 = 15.0;
    const Triple d = DeltaLCH({52, cos40, sin40}, {50, cos30, sin30});
    EXPECT_NEAR(d[0], 2.0, 1e-9);
    EXPECT_NEAR(d[1], 0.0, 1e-9);
    EXPECT_NEAR(d[2], 5.22934, 1e-4);
    EXPECT_NEAR(DeltaLCH({50, cos30, sin30}, {50, cos40, sin40})[2], -5.22934, 1e-4);
}

TEST(SimDisplay, PixelAreaIsABottomUpOneBitBitmap)
{
    // An "L" at the top left: its first row is one dark pixel at the left
    // (byte 0111 1111), its last row five dark pixels (0000 0111). Rows are
    // stored bottom first, so the top row is the last of 128.
    DisplayCanvas canvas;
    canvas.drawText(0, 0, "L");
    const QByteArray area = canvas.pixelArea();
    ASSERT_EQ(area.size(), 2048);
    EXPECT_EQ(static_cast<uint8_t>(area[127 * 16]), 0x7F);
    EXPECT_EQ(static_cast<uint8_t>(area[121 * 16]), 0x07);
    EXPECT_EQ(static_cast<uint8_t>(area[120 * 16]), 0xFF);  // row 7, below the glyph
    EXPECT_EQ(static_cast<uint8_t>(area[127 * 16 + 1]), 0xFF);

    // The main screen: a dark title bar on rows 0..9, white from row 118 down.
    DisplayScreen screen;
    screen.title = "TR8KZ";
    screen.lines = {"SETUP 1"};
    const QByteArray pixels = RenderDisplay(screen);
    EXPECT_EQ(pixels.right(16), QByteArray(16, '\0'));           // top row: all black
    EXPECT_EQ(pixels.left(16), QByteArray(16, char(0xFF)));      // bottom row: all white
}
