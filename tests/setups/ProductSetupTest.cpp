// The setup model: defaults, the eight owned views, bounds of the indexed
// properties.
#include "AppError.h"
#include "ProductSetup.h"

#include <gtest/gtest.h>

namespace {

template <typename F>
void expectSubscriptError(F&& f)
{
    try {
        f();
        FAIL() << "no error raised";
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 9);
    }
}

ProductSetup filledSetup()
{
    ProductSetup s;
    s.Name = "FILLED";
    for (int i = 1; i <= 31; ++i) s.SetSpectrum(i, static_cast<float>(i));
    for (int i = 1; i <= 3; ++i) {
        s.SetXYZTarget(i, 10.0f + i);
        s.SetXYZRead(i, 20.0f + i);
        s.SetTrackPlus(i, 30.0f + i);
        s.SetTrackMinus(i, 40.0f + i);
        s.SetScalePlus(i, 50.0f + i);
        s.SetScaleMinus(i, 60.0f + i);
    }
    for (int v = 1; v <= 8; ++v) s.Views(v).ColorIndex = static_cast<int16_t>(v);
    return s;
}

}  // namespace

TEST(ProductSetup, NewSetupHasDefaultsEverywhere)
{
    const ProductSetup s;
    EXPECT_TRUE(s.Name.isEmpty());
    EXPECT_EQ(s.StandardType, 0);
    EXPECT_FALSE(s.Searchable);
    EXPECT_EQ(s.ReadMode, 0);
    EXPECT_EQ(s.ReportInterval, 0);
    EXPECT_EQ(s.BaseDistance, 0);
    EXPECT_EQ(s.MinDistance, 0);
    EXPECT_EQ(s.MaxDistance, 0);
    EXPECT_FALSE(s.HeightTrigger);
    EXPECT_EQ(s.QBVTSlope, 0.0f);
    EXPECT_EQ(s.QBVTOffset, 0.0f);
    EXPECT_EQ(s.IndexPlus, 0.0f);
    EXPECT_EQ(s.IndexMinus, 0.0f);
    for (int i = 1; i <= 31; ++i) EXPECT_EQ(s.Spectrum(i), 0.0f) << i;
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(s.XYZTarget(i), 0.0f);
        EXPECT_EQ(s.XYZRead(i), 0.0f);
        EXPECT_EQ(s.TrackPlus(i), 0.0f);
        EXPECT_EQ(s.TrackMinus(i), 0.0f);
        EXPECT_EQ(s.ScalePlus(i), 0.0f);
        EXPECT_EQ(s.ScaleMinus(i), 0.0f);
    }
    for (int v = 1; v <= 8; ++v) {
        const DataView& view = s.Views(v);
        EXPECT_FALSE(view.Enabled);
        EXPECT_EQ(view.DisplayType, 0);
        EXPECT_EQ(view.IllumObs, 0);
        EXPECT_EQ(view.ColorScale, 0);
        EXPECT_EQ(view.ColorIndex, 0);
        EXPECT_EQ(view.ShadeBlocks, 0);
        EXPECT_EQ(view.CF, 0.0f);
        EXPECT_EQ(view.lc, 0.0f);
    }
}

TEST(ProductSetup, ViewsAreEightDistinctObjectsHandedOutByReference)
{
    ProductSetup s;
    EXPECT_NE(&s.Views(1), &s.Views(8));
    for (int a = 1; a <= 8; ++a)
        for (int b = a + 1; b <= 8; ++b) EXPECT_NE(&s.Views(a), &s.Views(b)) << a << " " << b;
    EXPECT_EQ(&s.Views(3), &s.Views(3));

    s.Views(2).ColorScale = 4;
    EXPECT_EQ(s.Views(2).ColorScale, 4);
    EXPECT_EQ(s.Views(1).ColorScale, 0);
    EXPECT_EQ(s.Views(3).ColorScale, 0);
}

TEST(ProductSetup, IndexedPropertiesKeepTheirOwnElements)
{
    ProductSetup s;
    s.SetSpectrum(1, 1.5f);
    s.SetSpectrum(31, 31.5f);
    s.SetXYZTarget(3, 3.25f);
    s.SetScaleMinus(2, -2.0f);
    EXPECT_EQ(s.Spectrum(1), 1.5f);
    EXPECT_EQ(s.Spectrum(2), 0.0f);
    EXPECT_EQ(s.Spectrum(31), 31.5f);
    EXPECT_EQ(s.XYZTarget(3), 3.25f);
    EXPECT_EQ(s.XYZRead(3), 0.0f);
    EXPECT_EQ(s.ScaleMinus(2), -2.0f);
    EXPECT_EQ(s.ScalePlus(2), 0.0f);
}

TEST(ProductSetup, IndexOutsideTheBoundsIsError9AndChangesNothing)
{
    ProductSetup s = filledSetup();
    const ProductSetup before = s;

    expectSubscriptError([&] { (void)s.Spectrum(0); });
    expectSubscriptError([&] { (void)s.Spectrum(32); });
    expectSubscriptError([&] { s.SetSpectrum(32, 9.0f); });
    expectSubscriptError([&] { s.SetSpectrum(0, 9.0f); });
    expectSubscriptError([&] { s.SetSpectrum(-1, 9.0f); });
    expectSubscriptError([&] { (void)s.XYZTarget(4); });
    expectSubscriptError([&] { s.SetXYZTarget(4, 9.0f); });
    expectSubscriptError([&] { s.SetXYZRead(0, 9.0f); });
    expectSubscriptError([&] { s.SetTrackPlus(4, 9.0f); });
    expectSubscriptError([&] { s.SetTrackMinus(4, 9.0f); });
    expectSubscriptError([&] { s.SetScalePlus(4, 9.0f); });
    expectSubscriptError([&] { s.SetScaleMinus(0, 9.0f); });
    expectSubscriptError([&] { (void)s.TrackMinus(65540); });  // would be 4 if cut to 16 bits
    expectSubscriptError([&] { s.Views(9).Enabled = true; });
    expectSubscriptError([&] { s.Views(0).Enabled = true; });
    EXPECT_TRUE(s == before);

    // The upper bounds themselves are accepted.
    EXPECT_EQ(s.Spectrum(31), 31.0f);
    EXPECT_EQ(s.XYZTarget(3), 13.0f);
    EXPECT_EQ(s.Views(8).ColorIndex, 8);
}

TEST(ProductSetup, CopiesOwnTheirViews)
{
    ProductSetup a = filledSetup();
    ProductSetup b = a;
    EXPECT_NE(&a.Views(1), &b.Views(1));
    b.Views(1).ColorIndex = 99;
    EXPECT_EQ(a.Views(1).ColorIndex, 1);
    EXPECT_FALSE(a == b);
}
