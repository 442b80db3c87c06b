// The standard values editor on the editor window's setup: values shown in
// the first view's scale and illuminant/observer, validated and stored back
// as tristimulus values. Expected colour values are worked out here from the
// CIE formulas and the ASTM E308 white points.
#include "SubEditorTestSupport.h"
#include "frmStandard.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <cmath>

namespace {

using Triple = std::array<double, 3>;

// Perfect white of ASTM E308, 10 nm tables (X, Y, Z).
constexpr Triple D65_10 = {94.811, 100.000, 107.304};
constexpr Triple D65_2 = {95.047, 100.000, 108.883};
constexpr Triple A_2 = {109.850, 100.000, 35.585};

constexpr int D65_10Code = 13, D65_2Code = 4, A_2Code = 0;

// CIE 1976 L*a*b*.
constexpr double Delta = 6.0 / 29.0;
double f(double t) { return t > Delta * Delta * Delta ? std::cbrt(t) : t / (3 * Delta * Delta) + 4.0 / 29.0; }
double fInverse(double t) { return t > Delta ? t * t * t : 3 * Delta * Delta * (t - 4.0 / 29.0); }

Triple LabOf(const Triple& xyz, const Triple& white)
{
    const double fx = f(xyz[0] / white[0]), fy = f(xyz[1] / white[1]), fz = f(xyz[2] / white[2]);
    return {116 * fy - 16, 500 * (fx - fy), 200 * (fy - fz)};
}

Triple XyzOfLab(const Triple& lab, const Triple& white)
{
    const double fy = (lab[0] + 16) / 116;
    return {white[0] * fInverse(fy + lab[1] / 500), white[1] * fInverse(fy), white[2] * fInverse(fy - lab[2] / 200)};
}

const char* const TargetBoxes[3] = {"txtTargetX", "txtTargetY", "txtTargetZ"};
const char* const OffsetBoxes[3] = {"txtOffsetX", "txtOffsetY", "txtOffsetZ"};
const char* const RowLabels[3] = {"lblScaleX", "lblScaleY", "lblScaleZ"};

class StandardEditorTest : public SubEditorTest {
protected:
    void prepare(int standardType, int scale, int illObs, const Triple& target, const Triple& read = {1, 2, 3})
    {
        setup().StandardType = static_cast<int16_t>(standardType);
        setup().Views(1).ColorScale = static_cast<int16_t>(scale);
        setup().Views(1).IllumObs = static_cast<int16_t>(illObs);
        for (int i = 0; i < 3; ++i) {
            setup().SetXYZTarget(i + 1, static_cast<float>(target[i]));
            setup().SetXYZRead(i + 1, static_cast<float>(read[i]));
        }
    }
    QLineEdit* box(frmStandard& dialog, const char* name) { return Control<QLineEdit>(dialog, name); }
    QString text(frmStandard& dialog, const char* name) { return box(dialog, name)->text(); }
    QString label(frmStandard& dialog, const char* name) { return Control<QLabel>(dialog, name)->text(); }
    double number(frmStandard& dialog, const char* name)
    {
        bool ok = false;
        const double v = QLocale().toDouble(text(dialog, name), &ok);
        EXPECT_TRUE(ok) << name << ": " << text(dialog, name).toStdString();
        return v;
    }
    Triple stored(float (ProductSetup::*get)(int) const)
    {
        return {(setup().*get)(1), (setup().*get)(2), (setup().*get)(3)};
    }
    bool saveEnabled(frmStandard& dialog) { return Control<QPushButton>(dialog, "cmdSave")->isEnabled(); }
};

void ExpectNear(const Triple& actual, const Triple& expected, double tolerance, const char* what)
{
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(actual[i], expected[i], tolerance) << what << " " << i;
}

}  // namespace

TEST_F(StandardEditorTest, ScaleCode6EditsInLabUnderTheViewsIlluminant)
{
    const Triple target = {41.24, 21.26, 1.93};
    prepare(0, 6, D65_10Code, target, {5, 6, 7});
    const ProductSetup before = setup();
    frmStandard dialog;
    LoadAndShow(dialog);

    EXPECT_EQ(dialog.objectName(), "frmStandard");
    EXPECT_EQ(dialog.windowTitle(), "Standard - TR8 KZ");
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.size(), QSize(273, 225));  // 4092 x 3372 twips
    EXPECT_EQ(label(dialog, "lblScaleX"), "L*");
    EXPECT_EQ(label(dialog, "lblScaleY"), "a*");
    EXPECT_EQ(label(dialog, "lblScaleZ"), "b*");
    EXPECT_EQ(label(dialog, "lblTarget"), "Target");
    EXPECT_EQ(label(dialog, "lblWarning"), "");
    EXPECT_EQ(Control<QPushButton>(dialog, "cmdSave")->text(), "Save");
    EXPECT_EQ(Control<QPushButton>(dialog, "cmdCancel")->text(), "Cancel");
    EXPECT_TRUE(saveEnabled(dialog));

    // The targets as stored, in L*a*b* of the D65/10 white, to the four
    // decimals shown.
    const Triple expected = LabOf(stored(&ProductSetup::XYZTarget), D65_10);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(number(dialog, TargetBoxes[i]), expected[i], 1e-4) << i;

    // Not a hitch standard: one "Target" column where the offsets would be.
    EXPECT_EQ(Control<QLabel>(dialog, "lblTarget")->pos(), QPoint(208, 16));  // 3120, 240 twips
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(box(dialog, TargetBoxes[i])->x(), 200) << i;  // 3000 twips
        EXPECT_FALSE(box(dialog, OffsetBoxes[i])->isVisible()) << i;
    }
    EXPECT_FALSE(Control<QLabel>(dialog, "lblOffset")->isVisible());
    EXPECT_EQ(box(dialog, TargetBoxes[1])->y(), 64);  // 960 twips

    // Saved without editing: the targets come back through the shown
    // texts; the read, the view and everything else stay as they were.
    QStringList shown;
    for (const char* name : TargetBoxes) shown << text(dialog, name);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ExpectNear(stored(&ProductSetup::XYZTarget), target, 1e-4, "target");
    ProductSetup expectedSetup = before;
    for (int i = 1; i <= 3; ++i) expectedSetup.SetXYZTarget(i, setup().XYZTarget(i));
    EXPECT_TRUE(setup() == expectedSetup);
    EXPECT_EQ(setup().Views(1).ColorScale, 6);

    // And opening again shows the same texts: saving unchanged is stable.
    frmStandard again;
    LoadAndShow(again);
    QStringList shownAgain;
    for (const char* name : TargetBoxes) shownAgain << text(again, name);
    EXPECT_EQ(shownAgain, shown);
}

TEST_F(StandardEditorTest, TheIlluminantObserverCodeChoosesTheWhite)
{
    // The white itself is L* 100, a* 0, b* 0 under its own illuminant only.
    const std::pair<int, Triple> cases[] = {{A_2Code, A_2}, {D65_2Code, D65_2}, {D65_10Code, D65_10}};
    for (const auto& [code, white] : cases) {
        prepare(1, 1, code, white);
        frmStandard dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(text(dialog, "txtTargetX"), "100.00") << code;
        EXPECT_EQ(text(dialog, "txtTargetY"), "0.00") << code;
        EXPECT_EQ(text(dialog, "txtTargetZ"), "0.00") << code;
    }
    // D65/10's white under D65/2 is not neutral.
    prepare(1, 1, D65_2Code, D65_10);
    frmStandard dialog;
    LoadAndShow(dialog);
    EXPECT_NEAR(number(dialog, "txtTargetY"), LabOf(D65_10, D65_2)[1], 1e-4);
    EXPECT_LT(number(dialog, "txtTargetY"), -0.1);
}

TEST_F(StandardEditorTest, HitchStandardShowsOffsetsAndSavesTheReadBack)
{
    prepare(3, 1, D65_10Code, {41.24, 21.26, 1.93}, {40.0, 21.0, 2.5});
    frmStandard dialog;
    LoadAndShow(dialog);

    // Two columns as designed.
    EXPECT_EQ(Control<QLabel>(dialog, "lblTarget")->pos(), QPoint(128, 16));  // 1920 twips
    EXPECT_EQ(Control<QLabel>(dialog, "lblOffset")->pos(), QPoint(208, 16));
    EXPECT_EQ(label(dialog, "lblOffset"), "Offset");
    EXPECT_TRUE(Control<QLabel>(dialog, "lblOffset")->isVisible());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(box(dialog, TargetBoxes[i])->x(), 120) << i;
        EXPECT_EQ(box(dialog, OffsetBoxes[i])->x(), 200) << i;
        EXPECT_TRUE(box(dialog, OffsetBoxes[i])->isVisible()) << i;
    }

    // Offsets are target minus read, in L*a*b*.
    const Triple target = LabOf(stored(&ProductSetup::XYZTarget), D65_10);
    const Triple read = LabOf(stored(&ProductSetup::XYZRead), D65_10);
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(number(dialog, TargetBoxes[i]), target[i], 1e-4) << i;
        EXPECT_NEAR(number(dialog, OffsetBoxes[i]), target[i] - read[i], 1e-4) << i;
    }

    // New values: the read is target minus offset, converted to XYZ.
    const char* targets[3] = {"50", "10", "-5"};
    const char* offsets[3] = {"1.5", "-2", "0.25"};
    for (int i = 0; i < 3; ++i) {
        TypeInto(box(dialog, TargetBoxes[i]), targets[i]);
        TypeInto(box(dialog, OffsetBoxes[i]), offsets[i]);
    }
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ExpectNear(stored(&ProductSetup::XYZTarget), XyzOfLab({50, 10, -5}, D65_10), 1e-4, "target");
    ExpectNear(stored(&ProductSetup::XYZRead), XyzOfLab({48.5, 12, -5.25}, D65_10), 1e-4, "read");
}

TEST_F(StandardEditorTest, XyzScalePassesTheValuesUnchangedBothWays)
{
    prepare(3, 4, D65_10Code, {20.5, 30.25, 1234.5}, {20.0, 31.0, 1234.5});
    frmStandard dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblScaleX"), "X ");
    EXPECT_EQ(label(dialog, "lblScaleY"), "Y ");
    EXPECT_EQ(label(dialog, "lblScaleZ"), "Z");
    EXPECT_EQ(text(dialog, "txtTargetX"), "20.50");
    EXPECT_EQ(text(dialog, "txtTargetY"), "30.25");
    EXPECT_EQ(text(dialog, "txtTargetZ"), "1,234.50");
    EXPECT_EQ(text(dialog, "txtOffsetX"), "0.50");
    EXPECT_EQ(text(dialog, "txtOffsetY"), "-0.75");
    EXPECT_EQ(text(dialog, "txtOffsetZ"), "0.00");

    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(stored(&ProductSetup::XYZTarget), (Triple{20.5, 30.25, 1234.5}));
    EXPECT_EQ(stored(&ProductSetup::XYZRead), (Triple{20.0, 31.0, 1234.5}));

    frmStandard edit;
    LoadAndShow(edit);
    TypeInto(box(edit, "txtTargetX"), "21.125");
    Click(edit, "cmdSave");
    EXPECT_TRUE(ClosedBySave(edit));
    EXPECT_EQ(setup().XYZTarget(1), 21.125f);
    EXPECT_EQ(setup().XYZRead(1), 20.625f);  // the offset 0.50 kept
}

TEST_F(StandardEditorTest, ABoxThatIsNotANumberRefusesSave)
{
    prepare(3, 4, D65_10Code, {20, 30, 40}, {19, 29, 39});
    const ProductSetup before = setup();
    frmStandard dialog;
    LoadAndShow(dialog);

    const std::pair<const char*, const char*> bad[] = {
        {"txtTargetY", ""}, {"txtTargetX", "abc"}, {"txtOffsetZ", ""}, {"txtOffsetX", "1..2"}, {"txtTargetZ", " "}};
    for (const auto& [name, typed] : bad) {
        const QString was = text(dialog, name);
        TypeInto(box(dialog, name), typed);
        Click(dialog, "cmdSave");
        EXPECT_EQ(label(dialog, "lblWarning"), "All values must be numeric") << name;
        EXPECT_TRUE(StillOpen(dialog)) << name;
        EXPECT_TRUE(setup() == before) << name;
        TypeInto(box(dialog, name), was);
    }
    // Blanks around and a sign are fine; a later Save checks afresh.
    TypeInto(box(dialog, "txtTargetX"), " +25 ");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(setup().XYZTarget(1), 25.0f);
    EXPECT_EQ(setup().XYZRead(1), 24.0f);
}

TEST_F(StandardEditorTest, OtherStandardsIgnoreTheOffsetBoxes)
{
    prepare(2, 4, D65_10Code, {20, 30, 40}, {1, 2, 3});
    frmStandard dialog;
    LoadAndShow(dialog);
    for (const char* name : OffsetBoxes) {
        EXPECT_EQ(text(dialog, name), "") << name;
        box(dialog, name)->setText("junk");
    }
    TypeInto(box(dialog, "txtTargetZ"), "41");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(stored(&ProductSetup::XYZTarget), (Triple{20, 30, 41}));
    EXPECT_EQ(stored(&ProductSetup::XYZRead), (Triple{1, 2, 3}));
}

TEST_F(StandardEditorTest, NoScaleOrUnknownCodesLeaveNothingToSave)
{
    struct Case {
        int scale, illObs;
        const char* warning;
    };
    const Case cases[] = {
        {0, D65_10Code, "Color scale not selected"},
        {-1, D65_10Code, "Color scale not recognised"},
        {1, 18, "Illuminant/observer not recognised"},
        {4, -1, "Illuminant/observer not recognised"},
        {0, 18, "Color scale not selected"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.warning);
        prepare(3, c.scale, c.illObs, {20, 30, 40});
        const ProductSetup before = setup();
        frmStandard dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(label(dialog, "lblWarning"), c.warning);
        EXPECT_FALSE(saveEnabled(dialog));
        for (const char* name : TargetBoxes) EXPECT_EQ(text(dialog, name), "");
        for (const char* name : RowLabels) EXPECT_EQ(label(dialog, name), ":");
        dialog.cmdSave_Click();  // disabled: does nothing
        EXPECT_TRUE(StillOpen(dialog));
        Click(dialog, "cmdCancel");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(setup() == before);
    }
    // Scale codes above 5 edit in L*a*b*.
    prepare(0, 7, D65_10Code, {20, 30, 40});
    frmStandard dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblScaleX"), "L*");
    EXPECT_NEAR(number(dialog, "txtTargetX"), LabOf({20, 30, 40}, D65_10)[0], 1e-4);
}

TEST_F(StandardEditorTest, ConversionErrorsAreToldAndTheDialogStaysUsable)
{
    // A stored standard with a negative Y has no Hunter Lab value.
    prepare(0, 3, D65_10Code, {10, -5, 10});
    ProductSetup before = setup();
    {
        frmStandard dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(label(dialog, "lblScaleX"), "L ");
        EXPECT_EQ(label(dialog, "lblScaleY"), "a ");
        EXPECT_EQ(label(dialog, "lblScaleZ"), "b");
        EXPECT_FALSE(label(dialog, "lblWarning").isEmpty());
        EXPECT_FALSE(saveEnabled(dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_TRUE(setup() == before);
    }

    // A Yxy colour with y = 0 cannot be stored: told, nothing stored, and
    // the operator can correct it.
    prepare(0, 5, D65_10Code, {20, 30, 40});
    before = setup();
    frmStandard dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblScaleX"), "Y ");
    const QString y = text(dialog, "txtTargetZ");
    TypeInto(box(dialog, "txtTargetZ"), "0");
    Click(dialog, "cmdSave");
    const QString warning = label(dialog, "lblWarning");
    EXPECT_FALSE(warning.isEmpty());
    EXPECT_NE(warning, "All values must be numeric");
    EXPECT_TRUE(StillOpen(dialog));
    EXPECT_TRUE(setup() == before);
    TypeInto(box(dialog, "txtTargetZ"), y);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
}

TEST_F(StandardEditorTest, ValuesBeyondDoubleOrSinglePrecisionAreRefused)
{
    prepare(3, 4, D65_10Code, {20, 30, 40}, {19, 29, 39});
    const ProductSetup before = setup();
    frmStandard dialog;
    LoadAndShow(dialog);
    // 1e308 - (-1e308) overflows double precision.
    TypeInto(box(dialog, "txtTargetX"), "1e308");
    TypeInto(box(dialog, "txtOffsetX"), "-1e308");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(label(dialog, "lblWarning").contains("row 1")) << label(dialog, "lblWarning").toStdString();
    EXPECT_TRUE(StillOpen(dialog));
    EXPECT_TRUE(setup() == before);

    // 1e39 is a double but no single-precision number.
    TypeInto(box(dialog, "txtTargetX"), "1e39");
    TypeInto(box(dialog, "txtOffsetX"), "0");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(label(dialog, "lblWarning").contains("single-precision")) << label(dialog, "lblWarning").toStdString();
    EXPECT_TRUE(StillOpen(dialog));
    EXPECT_TRUE(setup() == before);
}

TEST_F(StandardEditorTest, NumbersFollowTheOperatorsLocale)
{
    PinnedLocale german(Germany());
    prepare(0, 4, D65_10Code, {1234.5, 30, 40});
    frmStandard dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(text(dialog, "txtTargetX"), "1.234,50");
    TypeInto(box(dialog, "txtTargetY"), "50.5");  // not a German number
    Click(dialog, "cmdSave");
    EXPECT_EQ(label(dialog, "lblWarning"), "All values must be numeric");
    TypeInto(box(dialog, "txtTargetY"), "50,5");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(stored(&ProductSetup::XYZTarget), (Triple{1234.5, 50.5, 40}));
}

TEST_F(StandardEditorTest, CancelAndEscapeStoreNothing)
{
    prepare(3, 1, D65_10Code, {41.24, 21.26, 1.93}, {40.0, 21.0, 2.5});
    const ProductSetup before = setup();
    for (bool escape : {false, true}) {
        frmStandard dialog;
        LoadAndShow(dialog);
        TypeInto(box(dialog, "txtTargetX"), "12");
        TypeInto(box(dialog, "txtOffsetY"), "3");
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            Click(dialog, "cmdCancel");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(setup() == before);
    }
}
