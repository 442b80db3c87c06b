// The standard values editor on the editor window's setup: values shown in
// the first view's scale and illuminant/observer, stored back as tristimulus
// values. Expected colour values are worked out here from the CIE 1976
// formulas and the ASTM E308 white point.
#include "SubEditorTestSupport.h"
#include "frmStandard.h"

#include <QLineEdit>
#include <array>
#include <cmath>

namespace {

using Triple = std::array<double, 3>;

// Perfect white of ASTM E308 for D65 and the 10 degree observer (X, Y, Z).
constexpr Triple D65_10 = {94.811, 100.000, 107.304};
constexpr int D65_10Code = 13;

Triple LabOf(const Triple& xyz, const Triple& white)
{
    constexpr double d = 6.0 / 29.0;
    const auto f = [&](double t) { return t > d * d * d ? std::cbrt(t) : t / (3 * d * d) + 4.0 / 29.0; };
    const double fx = f(xyz[0] / white[0]), fy = f(xyz[1] / white[1]), fz = f(xyz[2] / white[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

// The targets' boxes, then the offsets'.
const char* const Boxes[6] = {"txtTargetX", "txtTargetY", "txtTargetZ", "txtOffsetX", "txtOffsetY", "txtOffsetZ"};

class StandardEditorTest : public SubEditorTest {
protected:
    void prepare(int standardType, int scale, const Triple& target, const Triple& read)
    {
        setup().StandardType = static_cast<int16_t>(standardType);
        setup().Views(1).ColorScale = static_cast<int16_t>(scale);
        setup().Views(1).IllumObs = D65_10Code;
        for (int i = 0; i < 3; ++i) {
            setup().SetXYZTarget(i + 1, static_cast<float>(target[i]));
            setup().SetXYZRead(i + 1, static_cast<float>(read[i]));
        }
    }
    static QLineEdit* box(frmStandard& dialog, const char* name) { return Control<QLineEdit>(dialog, name); }
    static QString text(frmStandard& dialog, const char* name) { return box(dialog, name)->text(); }
    Triple stored(float (ProductSetup::*get)(int) const) { return {(setup().*get)(1), (setup().*get)(2), (setup().*get)(3)}; }
};

}  // namespace

TEST_F(StandardEditorTest, ScaleCode6EditsInLabAndOneTargetColumnLeavesTheReadAlone)
{
    const Triple target = {41.24, 21.26, 1.93};
    prepare(0, 6, target, {5, 6, 7});
    Shown<frmStandard> dialog;
    EXPECT_EQ((QStringList{Label(dialog, "lblScaleX"), Label(dialog, "lblScaleY"), Label(dialog, "lblScaleZ")}),
              (QStringList{"L*", "a*", "b*"}));
    const Triple lab = LabOf(target, D65_10);
    // No value is near 0, which a text that is no number reads as.
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(QLocale().toDouble(text(dialog, Boxes[i])), lab[i], 1e-4) << i;

    // Not a hitch standard: no offsets.
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(box(dialog, Boxes[i + 3])->isVisible()) << i;
    EXPECT_TRUE(Save(dialog));
    const Triple back = stored(&ProductSetup::XYZTarget);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(back[i], target[i], 1e-4) << i;
    EXPECT_EQ(stored(&ProductSetup::XYZRead), (Triple{5, 6, 7}));
}

TEST_F(StandardEditorTest, HitchOffsetsInXyzPassBothWaysAndAnEmptyBoxRefusesSave)
{
    prepare(3, 4, {20.5, 30.25, 1234.5}, {20.0, 31.0, 1234.5});
    const ProductSetup before = setup();
    Shown<frmStandard> dialog;
    const char* const shown[6] = {"20.50", "30.25", "1,234.50", "0.50", "-0.75", "0.00"};  // targets, then target - read
    for (int i = 0; i < 6; ++i) EXPECT_EQ(text(dialog, Boxes[i]), shown[i]);

    TypeInto(box(dialog, "txtTargetY"), "");
    Click(dialog, "cmdSave");
    EXPECT_EQ(Label(dialog, "lblWarning"), "All values must be numeric");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(setup() == before);

    // The read is the target less the offset.
    TypeInto(box(dialog, "txtTargetY"), "30.25");
    TypeInto(box(dialog, "txtTargetX"), "21.125");
    TypeInto(box(dialog, "txtOffsetY"), "1");
    EXPECT_TRUE(Save(dialog));
    EXPECT_EQ(stored(&ProductSetup::XYZTarget), (Triple{21.125, 30.25, 1234.5}));
    EXPECT_EQ(stored(&ProductSetup::XYZRead), (Triple{20.625, 29.25, 1234.5}));
}

// A neutral target (the white's proportions, stored in single precision)
// and a reading a hair to the blue side of it: their chromas show as 0.00,
// so their hues show as 0 rather than the rounding's arbitrary angle; a
// chroma just large enough to show keeps its hue.
TEST_F(StandardEditorTest, HueShowsAsZeroWhenTheChromaShowsAsZero)
{
    const Triple grey = {D65_10[0] * 0.2, 20.0, D65_10[2] * 0.2};
    prepare(3, 2, grey, {grey[0], grey[1], grey[2] * 1.0000001});
    {
        Shown<frmStandard> dialog;
        for (const char* name : {"txtTargetY", "txtTargetZ", "txtOffsetZ"}) EXPECT_EQ(text(dialog, name), "0.00") << name;
    }
    // b* about -0.002: C* 0.0020 shows, and so does its hue, near 270.
    prepare(0, 2, {grey[0], grey[1], grey[2] * 1.0001}, grey);
    Shown<frmStandard> dialog;
    EXPECT_NE(text(dialog, "txtTargetY"), "0.00");
    EXPECT_NEAR(QLocale().toDouble(text(dialog, "txtTargetZ")), 270.0, 1.0);
}
