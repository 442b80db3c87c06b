// The two run configuration editors on the editor window's setup: units,
// limits, what they show and what Save stores (halves rounded to even).
#include "CWNumEdit.h"
#include "RaisedError.h"
#include "SubEditorTestSupport.h"
#include "frmRunConfig.h"
#include "frmRunConfig2.h"

#include <QCheckBox>
#include <QComboBox>

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
    // Lower and upper limit, step and value of the box.
    static std::vector<double> range(QDialog& dialog, const char* name)
    {
        const CWNumEdit* box = edit(dialog, name);
        return {box->LowerLimit(), box->UpperLimit(), box->Step(), box->Value()};
    }
    static void typeValue(QDialog& dialog, const char* name, const QString& text)
    {
        TypeInto(edit(dialog, name), text);
        QTest::keyClick(edit(dialog, name), Qt::Key_Tab);
    }
};

}  // namespace

TEST_F(RunConfigEditorTest, DistancesInMillimetresAndInInchesRoundingHalvesToEven)
{
    prepare(1, 15, 77, 40, 120, true);
    const ProductSetup before = setup();
    Shown<frmRunConfig> dialog;
    EXPECT_EQ((QStringList{Label(dialog, "lblMinDistance"), Label(dialog, "lblMaxDistance"),
                            Control<QComboBox>(dialog, "cboMode")->currentText()}),
              (QStringList{"Min Distance (mm):", "Max Distance (mm):", "PIECE"}));
    // Lower and upper limit, step, value.
    EXPECT_EQ(range(dialog, "cwnMinDistance"), (std::vector<double>{0, 150, 5, 40}));
    EXPECT_EQ(range(dialog, "cwnMaxDistance"), (std::vector<double>{0, 150, 5, 120}));
    EXPECT_EQ(range(dialog, "cwnInterval"), (std::vector<double>{0, 60, 5, 15}));
    ASSERT_EQ(Control<QCheckBox>(dialog, "chkTrigger")->checkState(), Qt::Checked);
    QTest::keyClick(Control<QCheckBox>(dialog, "chkTrigger"), Qt::Key_Space);
    EXPECT_TRUE(Save(dialog));
    ProductSetup expected = before;
    expected.HeightTrigger = false;
    EXPECT_TRUE(setup() == expected);

    Shown<frmRunConfig> inches([](frmRunConfig& d) { d.CustomaryUnits = true; });
    typeValue(inches, "cwnMinDistance", "2.5");
    typeValue(inches, "cwnMaxDistance", "3.5");
    EXPECT_TRUE(Save(inches));
    EXPECT_EQ(setup().MinDistance, 2);
    EXPECT_EQ(setup().MaxDistance, 4);
    EXPECT_EQ(setup().BaseDistance, 77);  // not this editor's
}

TEST_F(RunConfigEditorTest, HeightsAboveTheBaseMoveWithItAndBeyond16BitsCannotBeLoaded)
{
    prepare(1, 5, 100, 20, 60, false);
    const ProductSetup before = setup();
    Shown<frmRunConfig2> dialog;
    EXPECT_EQ((std::vector<double>{edit(dialog, "cwnBase")->Value(), edit(dialog, "cwnMinHeight")->Value(),
                                   edit(dialog, "cwnMaxHeight")->Value()}),
              (std::vector<double>{100, 40, 80}));
    EXPECT_TRUE(Save(dialog));
    EXPECT_TRUE(setup() == before);

    // The base 10 further away, the heights as they were.
    Shown<frmRunConfig2> raised;
    typeValue(raised, "cwnBase", "110");
    EXPECT_TRUE(Save(raised));
    EXPECT_EQ((std::vector<int>{setup().BaseDistance, setup().MinDistance, setup().MaxDistance}),
              (std::vector<int>{110, 30, 70}));

    // Heights beyond 16 bits cannot be loaded.
    prepare(0, 0, 30000, 0, -10000, false);  // a height of 40000
    const ProductSetup overflowing = setup();
    frmRunConfig2 overflow;
    EXPECT_EQ(RaisedError([&] { overflow.Form_Load(); }).number(), ErrorNumber::Overflow);
    EXPECT_TRUE(setup() == overflowing);
}
