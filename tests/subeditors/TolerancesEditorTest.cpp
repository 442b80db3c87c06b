// The tolerances editor on the editor window's setup: which boxes are in use
// for the first view's scale and index, and what Save accepts and stores.
#include "SubEditorTestSupport.h"
#include "frmTolerances.h"

#include <QLineEdit>

namespace {

class TolerancesEditorTest : public SubEditorTest {
protected:
    void prepare(int scale, int index)
    {
        setup().Views(1).ColorScale = static_cast<int16_t>(scale);
        setup().Views(1).ColorIndex = static_cast<int16_t>(index);
        for (int i = 1; i <= 3; ++i) {
            setup().SetScalePlus(i, 1.0f * static_cast<float>(i));
            setup().SetScaleMinus(i, 0.5f * static_cast<float>(i));
        }
        setup().IndexPlus = 2.5f;
        setup().IndexMinus = 0.5f;
    }
    static QLineEdit* box(frmTolerances& dialog, const char* name) { return Control<QLineEdit>(dialog, name); }
};

}  // namespace

TEST_F(TolerancesEditorTest, NoScaleWithTintStoresOnlyTheIndexTolerancesAndScale6TakesZeroAndRefusesNegatives)
{
    prepare(0, 5);
    const ProductSetup before = setup();
    Shown<frmTolerances> dialog;
    EXPECT_EQ(Label(dialog, "lblIndex"), "dTint");
    // Hidden boxes are neither checked nor stored, whatever they hold.
    for (const char* name : {"txtUpperX", "txtUpperY", "txtUpperZ", "txtLowerX", "txtLowerY", "txtLowerZ"}) {
        EXPECT_FALSE(box(dialog, name)->isVisible()) << name;
        box(dialog, name)->setText("-4");
    }
    TypeInto(box(dialog, "txtUpper"), "0.8");
    TypeInto(box(dialog, "txtLower"), "0.4");
    EXPECT_TRUE(Save(dialog));
    ProductSetup expected = before;
    expected.IndexPlus = 0.8f;
    expected.IndexMinus = 0.4f;
    EXPECT_TRUE(setup() == expected);

    // Scale code 6 takes zero and refuses negatives.
    prepare(6, 0);
    const ProductSetup scaled = setup();
    Shown<frmTolerances> scale6;
    EXPECT_EQ((QStringList{Label(scale6, "lblScaleX"), Label(scale6, "lblScaleY"), Label(scale6, "lblScaleZ")}),
              (QStringList{"dL*", "dC*", "dH*"}));
    TypeInto(box(scale6, "txtUpperX"), "-0.1");
    Click(scale6, "cmdSave");
    EXPECT_EQ(Label(scale6, "lblWarning"), "All values must be numeric and non-negative");
    EXPECT_TRUE(scale6.isVisible());
    EXPECT_TRUE(setup() == scaled);

    TypeInto(box(scale6, "txtUpperX"), "0");
    EXPECT_TRUE(Save(scale6));
    expected = scaled;
    expected.SetScalePlus(1, 0.0f);
    EXPECT_TRUE(setup() == expected);
}
