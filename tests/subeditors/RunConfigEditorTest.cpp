// The two run configuration editors on the editor window's setup: units,
// limits, what they show and what Save stores (rounded halves to even).
#include "AppError.h"
#include "CWNumEdit.h"
#include "RunConfigValues.h"
#include "SubEditorTestSupport.h"
#include "frmRunConfig.h"
#include "frmRunConfig2.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

class RunConfigEditorTest : public SubEditorTest {
protected:
    void prepare(int readMode, int interval, int base, int minDistance, int maxDistance, bool trigger)
    {
        setup().ReadMode = static_cast<int16_t>(readMode);
        setup().ReportInterval = static_cast<int16_t>(interval);
        setup().BaseDistance = static_cast<int16_t>(base);
        setup().MinDistance = static_cast<int16_t>(minDistance);
        setup().MaxDistance = static_cast<int16_t>(maxDistance);
        setup().HeightTrigger = trigger;
    }
    static CWNumEdit* edit(QDialog& dialog, const char* name) { return Control<CWNumEdit>(dialog, name); }
    static QString label(QDialog& dialog, const char* name) { return Control<QLabel>(dialog, name)->text(); }
    static QComboBox* mode(QDialog& dialog) { return Control<QComboBox>(dialog, "cboMode"); }
    static QCheckBox* trigger(QDialog& dialog) { return Control<QCheckBox>(dialog, "chkTrigger"); }
    static void typeValue(QDialog& dialog, const char* name, const QString& text)
    {
        TypeInto(edit(dialog, name), text);
        QTest::keyClick(edit(dialog, name), Qt::Key_Tab);
    }
};

void ExpectRange(CWNumEdit* edit, double lower, double upper, double step, int decimals)
{
    EXPECT_EQ(edit->LowerLimit(), lower) << edit->objectName().toStdString();
    EXPECT_EQ(edit->UpperLimit(), upper) << edit->objectName().toStdString();
    EXPECT_DOUBLE_EQ(edit->Step(), step) << edit->objectName().toStdString();
    EXPECT_EQ(edit->Decimals(), decimals) << edit->objectName().toStdString();
}

}  // namespace

TEST_F(RunConfigEditorTest, DistancesInMillimetres)
{
    prepare(1, 15, 0, 40, 120, true);
    frmRunConfig dialog;
    dialog.CustomaryUnits = false;
    LoadAndShow(dialog);
    EXPECT_EQ(dialog.objectName(), "frmRunConfig");
    EXPECT_EQ(dialog.windowTitle(), "Run Configuration - TR8 KZ");
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(label(dialog, "lblMode"), "Read Mode:");
    EXPECT_EQ(label(dialog, "lblInterval"), "Interval (s):");
    EXPECT_EQ(label(dialog, "lblMinDistance"), "Min Distance (mm):");
    EXPECT_EQ(label(dialog, "lblMaxDistance"), "Max Distance (mm):");
    EXPECT_EQ(label(dialog, "lblTrigger"), "Height Trigger:");
    ExpectRange(edit(dialog, "cwnMinDistance"), 0, 150, 5, 0);
    ExpectRange(edit(dialog, "cwnMaxDistance"), 0, 150, 5, 0);
    ExpectRange(edit(dialog, "cwnInterval"), 0, 60, 5, 0);
    EXPECT_EQ(mode(dialog)->count(), 2);
    EXPECT_EQ(mode(dialog)->itemText(0), "TIME");
    EXPECT_EQ(mode(dialog)->currentText(), "PIECE");
    EXPECT_EQ(edit(dialog, "cwnInterval")->Value(), 15.0);
    EXPECT_EQ(edit(dialog, "cwnMinDistance")->Value(), 40.0);
    EXPECT_EQ(edit(dialog, "cwnMaxDistance")->Value(), 120.0);
    EXPECT_EQ(trigger(dialog)->checkState(), Qt::Checked);
    // Inputs at 2520 twips, rows 360 apart.
    EXPECT_EQ(edit(dialog, "cwnMaxDistance")->geometry().topLeft(), QPoint(168, 88));

    // The step buttons move by 5 within the limits.
    edit(dialog, "cwnMaxDistance")->stepBy(1);
    EXPECT_EQ(edit(dialog, "cwnMaxDistance")->Value(), 125.0);
    mode(dialog)->setCurrentIndex(0);
    typeValue(dialog, "cwnInterval", "30");
    QTest::keyClick(trigger(dialog), Qt::Key_Space);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(setup().ReadMode, 0);
    EXPECT_EQ(setup().ReportInterval, 30);
    EXPECT_EQ(setup().MinDistance, 40);
    EXPECT_EQ(setup().MaxDistance, 125);
    EXPECT_FALSE(setup().HeightTrigger);
}

TEST_F(RunConfigEditorTest, DistancesInInchesRoundHalvesToEven)
{
    prepare(0, 0, 77, 1, 5, false);
    const ProductSetup before = setup();
    frmRunConfig dialog;
    dialog.CustomaryUnits = true;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblMinDistance"), "Min Distance (in.):");
    EXPECT_EQ(label(dialog, "lblMaxDistance"), "Max Distance (in.):");
    ExpectRange(edit(dialog, "cwnMinDistance"), 0, 6, 0.1, 1);
    ExpectRange(edit(dialog, "cwnInterval"), 0, 60, 5, 0);
    EXPECT_EQ(mode(dialog)->currentText(), "TIME");
    EXPECT_EQ(trigger(dialog)->checkState(), Qt::Unchecked);

    typeValue(dialog, "cwnMinDistance", "2.5");
    typeValue(dialog, "cwnMaxDistance", "3.5");
    EXPECT_EQ(edit(dialog, "cwnMinDistance")->Value(), 2.5);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ProductSetup expected = before;
    expected.MinDistance = 2;
    expected.MaxDistance = 4;
    EXPECT_TRUE(setup() == expected);  // the base distance is not this editor's
}

TEST_F(RunConfigEditorTest, HeightsAboveTheBase)
{
    prepare(1, 5, 100, 20, 60, false);
    frmRunConfig2 dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(dialog.objectName(), "frmRunConfig2");
    EXPECT_EQ(dialog.windowTitle(), "Run Configuration - TR8 KZ");
    EXPECT_EQ(label(dialog, "lblBase"), "Distance to Base (mm):");
    EXPECT_EQ(label(dialog, "lblMinHeight"), "Min Height (mm):");
    EXPECT_EQ(label(dialog, "lblMaxHeight"), "Max Height (mm):");
    for (const char* name : {"cwnBase", "cwnMinHeight", "cwnMaxHeight"}) ExpectRange(edit(dialog, name), 0, 150, 5, 0);
    ExpectRange(edit(dialog, "cwnInterval"), 0, 60, 5, 0);
    EXPECT_EQ(edit(dialog, "cwnBase")->Value(), 100.0);
    EXPECT_EQ(edit(dialog, "cwnMinHeight")->Value(), 40.0);
    EXPECT_EQ(edit(dialog, "cwnMaxHeight")->Value(), 80.0);
    EXPECT_EQ(mode(dialog)->currentText(), "PIECE");
    EXPECT_EQ(edit(dialog, "cwnInterval")->Value(), 5.0);
    EXPECT_EQ(trigger(dialog)->geometry().topLeft(), QPoint(168, 136));  // 2040 twips

    const ProductSetup before = setup();
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_TRUE(setup() == before);

    // The base 10 further away, the heights as they were: both distances
    // move with it.
    frmRunConfig2 raised;
    LoadAndShow(raised);
    typeValue(raised, "cwnBase", "110");
    Click(raised, "cmdSave");
    EXPECT_EQ(setup().BaseDistance, 110);
    EXPECT_EQ(setup().MinDistance, 30);
    EXPECT_EQ(setup().MaxDistance, 70);
}

TEST_F(RunConfigEditorTest, HeightsInInchesRoundTheDifference)
{
    prepare(0, 0, 5, 1, 3, true);
    frmRunConfig2 dialog;
    dialog.CustomaryUnits = true;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblBase"), "Distance to Base (in.):");
    for (const char* name : {"cwnBase", "cwnMinHeight", "cwnMaxHeight"}) ExpectRange(edit(dialog, name), 0, 6, 0.1, 1);
    EXPECT_EQ(edit(dialog, "cwnMinHeight")->Value(), 2.0);
    EXPECT_EQ(edit(dialog, "cwnMaxHeight")->Value(), 4.0);

    // The differences are rounded, not the values: 5.5 - 1 = 4.5 is stored
    // as 4 and 5.5 - 0.5 = 5 as 5 (rounding first would give 6 - 1 = 5 and
    // 6 - 0 = 6); the base 5.5 as 6.
    typeValue(dialog, "cwnBase", "5.5");
    typeValue(dialog, "cwnMaxHeight", "1");
    typeValue(dialog, "cwnMinHeight", "0.5");
    QTest::keyClick(trigger(dialog), Qt::Key_Space);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_EQ(setup().BaseDistance, 6);
    EXPECT_EQ(setup().MinDistance, 4);
    EXPECT_EQ(setup().MaxDistance, 5);
    EXPECT_FALSE(setup().HeightTrigger);
}

TEST_F(RunConfigEditorTest, AnUnknownReadModeIsShownAndKept)
{
    prepare(7, 0, 100, 20, 60, false);
    {
        frmRunConfig dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(mode(dialog)->count(), 3);
        EXPECT_EQ(mode(dialog)->currentText(), "(unknown: 7)");
        Click(dialog, "cmdSave");
        EXPECT_EQ(setup().ReadMode, 7);
    }
    frmRunConfig2 dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(mode(dialog)->currentText(), "(unknown: 7)");
    mode(dialog)->setCurrentIndex(1);
    Click(dialog, "cmdSave");
    EXPECT_EQ(setup().ReadMode, 1);
}

TEST_F(RunConfigEditorTest, StoredValuesOutsideTheLimitsAreShownAndKept)
{
    prepare(0, 90, 0, -5, 400, false);
    const ProductSetup before = setup();
    frmRunConfig dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(edit(dialog, "cwnInterval")->Value(), 90.0);
    EXPECT_EQ(edit(dialog, "cwnMinDistance")->Value(), -5.0);
    EXPECT_EQ(edit(dialog, "cwnMaxDistance")->Value(), 400.0);
    Click(dialog, "cmdSave");
    EXPECT_TRUE(setup() == before);
}

TEST_F(RunConfigEditorTest, HeightsBeyond16BitsCannotBeShown)
{
    // 30000 - (-10000) = 40000 does not fit in 16 bits.
    for (const auto& [minDistance, maxDistance] : {std::pair{0, -10000}, std::pair{-10000, 0}}) {
        prepare(0, 0, 30000, minDistance, maxDistance, false);
        const ProductSetup before = setup();
        frmRunConfig2 dialog;
        try {
            dialog.Form_Load();
            ADD_FAILURE() << minDistance << " " << maxDistance;
        } catch (const AppError& e) {
            EXPECT_EQ(e.number(), ErrorNumber::Overflow);
        }
        EXPECT_TRUE(setup() == before);
    }
    // -32768 itself fits.
    prepare(0, 0, -32000, 768, 0, false);
    frmRunConfig2 dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(edit(dialog, "cwnMaxHeight")->Value(), -32768.0);
}

TEST_F(RunConfigEditorTest, SavingWhatDoesNotFitIn16BitsStoresNothing)
{
    prepare(0, 0, 100, 20, 60, false);
    const ProductSetup before = setup();
    HeightEntry heights;
    heights.ReadMode = 1;
    heights.BaseDistance = 32767;
    heights.MaxHeight = 0;
    heights.MinHeight = -1;  // 32767 + 1
    try {
        StoreHeights(setup(), heights);
        ADD_FAILURE();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::Overflow);
    }
    EXPECT_TRUE(setup() == before);

    DistanceEntry distances;
    distances.ReadMode = 1;
    distances.MaxDistance = 32767.5;  // rounds to the even 32768
    EXPECT_THROW(StoreDistances(setup(), distances), AppError);
    EXPECT_TRUE(setup() == before);
    distances.MaxDistance = 32766.5;  // rounds to the even 32766
    StoreDistances(setup(), distances);
    EXPECT_EQ(setup().MaxDistance, 32766);
}

TEST_F(RunConfigEditorTest, CancelStoresNothing)
{
    prepare(0, 10, 100, 20, 60, false);
    const ProductSetup before = setup();
    frmRunConfig distances;
    LoadAndShow(distances);
    typeValue(distances, "cwnMinDistance", "50");
    Click(distances, "cmdCancel");
    EXPECT_EQ(distances.result(), QDialog::Rejected);
    frmRunConfig2 heights;
    LoadAndShow(heights);
    typeValue(heights, "cwnBase", "120");
    QTest::keyClick(&heights, Qt::Key_Escape);
    EXPECT_FALSE(heights.isVisible());
    EXPECT_EQ(heights.result(), QDialog::Rejected);
    EXPECT_TRUE(setup() == before);
}
