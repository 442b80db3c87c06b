// The tolerances editor on the editor window's setup: which boxes are in use
// for the first view's scale and index, what they show, and what Save
// accepts and stores.
#include "SubEditorTestSupport.h"
#include "frmTolerances.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

const char* const UpperScale[3] = {"txtUpperX", "txtUpperY", "txtUpperZ"};
const char* const LowerScale[3] = {"txtLowerX", "txtLowerY", "txtLowerZ"};
const char* const RowLabels[3] = {"lblScaleX", "lblScaleY", "lblScaleZ"};
const QString Refused = QStringLiteral("All values must be numeric and non-negative");

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
        setup().IndexMinus = 0.005f;
    }
    QLineEdit* box(frmTolerances& dialog, const char* name) { return Control<QLineEdit>(dialog, name); }
    QString text(frmTolerances& dialog, const char* name) { return box(dialog, name)->text(); }
    QString label(frmTolerances& dialog, const char* name) { return Control<QLabel>(dialog, name)->text(); }
    bool saveEnabled(frmTolerances& dialog) { return Control<QPushButton>(dialog, "cmdSave")->isEnabled(); }
    QStringList rowLabels(frmTolerances& dialog)
    {
        QStringList labels;
        for (const char* name : RowLabels) labels << label(dialog, name);
        return labels;
    }
};

}  // namespace

TEST_F(TolerancesEditorTest, ScaleAndIndexTolerancesAsStored)
{
    prepare(1, 12);
    frmTolerances dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(dialog.objectName(), "frmTolerances");
    EXPECT_EQ(dialog.windowTitle(), "Tolerances - TR8 KZ");
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(label(dialog, "lblUpper"), "+");
    EXPECT_EQ(label(dialog, "lblLower"), "-");
    EXPECT_EQ(rowLabels(dialog), (QStringList{"dL*", "da*", "db*"}));
    EXPECT_EQ(label(dialog, "lblIndex"), "dSCAA");
    EXPECT_EQ(label(dialog, "lblWarning"), "");
    EXPECT_TRUE(saveEnabled(dialog));

    EXPECT_EQ(text(dialog, "txtUpperX"), "1.00");
    EXPECT_EQ(text(dialog, "txtUpperZ"), "3.00");
    EXPECT_EQ(text(dialog, "txtLowerY"), "1.00");
    EXPECT_EQ(text(dialog, "txtLowerZ"), "1.50");
    EXPECT_EQ(text(dialog, "txtUpper"), "2.50");
    EXPECT_EQ(text(dialog, "txtLower"), "0.005");  // not rounded to 0.01

    // Designed places: index row at 1800 twips, lower column at 3000.
    EXPECT_EQ(box(dialog, "txtLower")->pos(), QPoint(200, 120));
    EXPECT_EQ(Control<QLabel>(dialog, "lblWarning")->pos(), QPoint(24, 160));

    // Saved without editing, nothing moves.
    const ProductSetup before = setup();
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_TRUE(setup() == before);

    // Typed values are stored as typed.
    frmTolerances edit;
    LoadAndShow(edit);
    const char* upper[3] = {"0", "0.75", "12"};
    const char* lower[3] = {"1.25", "0", " 3 "};
    for (int i = 0; i < 3; ++i) {
        TypeInto(box(edit, UpperScale[i]), upper[i]);
        TypeInto(box(edit, LowerScale[i]), lower[i]);
    }
    TypeInto(box(edit, "txtUpper"), "1,000.5");
    TypeInto(box(edit, "txtLower"), "0");
    Click(edit, "cmdSave");
    EXPECT_TRUE(ClosedBySave(edit));
    EXPECT_EQ(setup().ScalePlus(1), 0.0f);
    EXPECT_EQ(setup().ScalePlus(2), 0.75f);
    EXPECT_EQ(setup().ScalePlus(3), 12.0f);
    EXPECT_EQ(setup().ScaleMinus(1), 1.25f);
    EXPECT_EQ(setup().ScaleMinus(2), 0.0f);
    EXPECT_EQ(setup().ScaleMinus(3), 3.0f);
    EXPECT_EQ(setup().IndexPlus, 1000.5f);
    EXPECT_EQ(setup().IndexMinus, 0.0f);
}

TEST_F(TolerancesEditorTest, NoScaleWithTintEditsOnlyTheIndex)
{
    prepare(0, 5);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(box(dialog, UpperScale[i])->isVisible()) << i;
        EXPECT_FALSE(box(dialog, LowerScale[i])->isVisible()) << i;
    }
    EXPECT_EQ(rowLabels(dialog), (QStringList{":", ":", ":"}));
    EXPECT_EQ(label(dialog, "lblIndex"), "dTint");
    EXPECT_TRUE(box(dialog, "txtUpper")->isVisible());
    EXPECT_TRUE(saveEnabled(dialog));

    // Hidden boxes are neither checked nor stored, whatever they hold.
    box(dialog, "txtUpperX")->setText("junk");
    box(dialog, "txtLowerY")->setText("-4");
    box(dialog, "txtLowerZ")->setText("");
    TypeInto(box(dialog, "txtUpper"), "0.8");
    TypeInto(box(dialog, "txtLower"), "0.4");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ProductSetup expected = before;
    expected.IndexPlus = 0.8f;
    expected.IndexMinus = 0.4f;
    EXPECT_TRUE(setup() == expected);
}

TEST_F(TolerancesEditorTest, NoIndexEditsOnlyTheScale)
{
    prepare(6, 0);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(rowLabels(dialog), (QStringList{"dL*", "dC*", "dH*"}));
    EXPECT_EQ(label(dialog, "lblIndex"), ":");
    EXPECT_FALSE(box(dialog, "txtUpper")->isVisible());
    EXPECT_FALSE(box(dialog, "txtLower")->isVisible());
    box(dialog, "txtUpper")->setText("-1");
    TypeInto(box(dialog, "txtLowerX"), "9");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ProductSetup expected = before;
    expected.SetScaleMinus(1, 9.0f);
    EXPECT_TRUE(setup() == expected);
}

TEST_F(TolerancesEditorTest, RowLabelsAndIndexNamesOfEveryCode)
{
    const std::pair<int, QStringList> scales[] = {
        {2, {"dL*", "dC*", "dh"}}, {3, {"dL ", "da ", "db"}}, {4, {"dX ", "dY ", "dZ"}}, {5, {"dY ", "dx ", "dy"}}};
    for (const auto& [code, labels] : scales) {
        prepare(code, 0);
        frmTolerances dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(rowLabels(dialog), labels) << code;
    }
    const std::pair<int, QString> indices[] = {{1, "dY"},   {4, "dWIE"}, {7, "d457B"}, {11, "dQBVT"},
                                               {13, ""},    {19, ""},    {20, "GSC"},  {22, "dE*"},
                                               {26, "dC"}};
    for (const auto& [code, name] : indices) {
        prepare(0, code);
        frmTolerances dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(label(dialog, "lblIndex"), name) << code;
        EXPECT_TRUE(box(dialog, "txtUpper")->isVisible()) << code;  // a known code, even unnamed
    }
}

TEST_F(TolerancesEditorTest, NegativeEmptyOrTextIsRefusedZeroIsNot)
{
    prepare(1, 5);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    const std::pair<const char*, const char*> bad[] = {
        {"txtUpperX", "-0.1"}, {"txtLowerZ", "-3"}, {"txtUpperY", ""},  {"txtLowerX", "x"},
        {"txtUpper", "-1"},    {"txtLower", ""},    {"txtLower", "1-"},
    };
    for (const auto& [name, typed] : bad) {
        const QString was = text(dialog, name);
        TypeInto(box(dialog, name), typed);
        Click(dialog, "cmdSave");
        EXPECT_EQ(label(dialog, "lblWarning"), Refused) << name << " " << typed;
        EXPECT_TRUE(StillOpen(dialog)) << name;
        EXPECT_TRUE(setup() == before) << name;
        TypeInto(box(dialog, name), was);
    }
    // A bad scale box refuses even when the index boxes are fine, and the
    // other way round; nothing of the good group is stored either.
    TypeInto(box(dialog, "txtUpper"), "7");
    TypeInto(box(dialog, "txtUpperZ"), "-7");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(setup() == before);

    // A number beyond single precision is told, and nothing is stored.
    TypeInto(box(dialog, "txtUpperZ"), "1e39");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(label(dialog, "lblWarning").contains("single-precision")) << label(dialog, "lblWarning").toStdString();
    EXPECT_TRUE(setup() == before);

    for (const char* name : UpperScale) TypeInto(box(dialog, name), "0");
    TypeInto(box(dialog, "txtUpper"), "0");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    for (int i = 1; i <= 3; ++i) EXPECT_EQ(setup().ScalePlus(i), 0.0f) << i;
    EXPECT_EQ(setup().IndexPlus, 0.0f);
}

TEST_F(TolerancesEditorTest, NothingToEditDisablesSave)
{
    prepare(0, 0);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    EXPECT_FALSE(saveEnabled(dialog));
    EXPECT_EQ(label(dialog, "lblWarning"), "");  // no warning in this case
    for (const char* name : {"txtUpperX", "txtLowerZ", "txtUpper", "txtLower"})
        EXPECT_FALSE(box(dialog, name)->isVisible()) << name;
    dialog.cmdSave_Click();
    EXPECT_TRUE(StillOpen(dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(setup() == before);
}

TEST_F(TolerancesEditorTest, CodesBeyondTheListsAreToldAndLeftAlone)
{
    prepare(9, 27);
    {
        frmTolerances dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(rowLabels(dialog), (QStringList{":", ":", ":"}));
        EXPECT_EQ(label(dialog, "lblIndex"), ":");
        EXPECT_EQ(label(dialog, "lblWarning"), "Color scale not recognised; Color index not recognised");
        EXPECT_FALSE(box(dialog, "txtUpperX")->isVisible());
        EXPECT_FALSE(box(dialog, "txtUpper")->isVisible());
        EXPECT_FALSE(saveEnabled(dialog));
    }
    // A known index beside an unknown scale stays editable.
    prepare(-1, 5);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(label(dialog, "lblWarning"), "Color scale not recognised");
    EXPECT_EQ(label(dialog, "lblIndex"), "dTint");
    EXPECT_TRUE(saveEnabled(dialog));
    TypeInto(box(dialog, "txtUpper"), "4");
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    ProductSetup expected = before;
    expected.IndexPlus = 4.0f;
    EXPECT_TRUE(setup() == expected);
}

TEST_F(TolerancesEditorTest, CancelStoresNothing)
{
    prepare(1, 5);
    const ProductSetup before = setup();
    frmTolerances dialog;
    LoadAndShow(dialog);
    TypeInto(box(dialog, "txtUpperX"), "8");
    TypeInto(box(dialog, "txtLower"), "8");
    Click(dialog, "cmdCancel");
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(setup() == before);
}
