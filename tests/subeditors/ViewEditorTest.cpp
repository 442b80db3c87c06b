// The view editor on the view of the editor window's setup that its view
// number names: the lists, the enable box, Save and Cancel.
#include "SubEditorTestSupport.h"
#include "frmEditView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>

namespace {

QStringList Entries(const QComboBox* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) entries << list->itemText(i);
    return entries;
}

class ViewEditorTest : public SubEditorTest {
protected:
    void prepare(int viewNumber, const DataView& view)
    {
        setup().Views(viewNumber) = view;
        setViewNumber(viewNumber);
    }
    QComboBox* list(frmEditView& dialog, const char* name) { return Control<QComboBox>(dialog, name); }
    QCheckBox* enable(frmEditView& dialog) { return Control<QCheckBox>(dialog, "chkEnable"); }
};

DataView ViewWith(bool enabled, int display, int illObs, int scale, int index)
{
    DataView view;
    view.Enabled = enabled;
    view.DisplayType = static_cast<int16_t>(display);
    view.IllumObs = static_cast<int16_t>(illObs);
    view.ColorScale = static_cast<int16_t>(scale);
    view.ColorIndex = static_cast<int16_t>(index);
    view.ShadeBlocks = 3;
    view.CF = 1.25f;
    view.lc = -0.5f;
    return view;
}

}  // namespace

TEST_F(ViewEditorTest, ListsCaptionsAndLayoutAsDesigned)
{
    prepare(3, ViewWith(true, 0, 0, 0, 0));
    frmEditView dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(dialog.objectName(), "frmEditView");
    EXPECT_EQ(dialog.windowTitle(), "Edit View - TR8 KZ");
    EXPECT_FALSE(dialog.windowIcon().isNull());
    EXPECT_TRUE(dialog.isModal());
    EXPECT_EQ(dialog.size(), QSize(273, 225));

    const std::pair<const char*, const char*> labels[] = {
        {"lblView", "View #3"},         {"lblEnable", "Enable:"},   {"lblDisplay", "Display:"},
        {"lblIllObs", "Ill/Obs:"},      {"lblScale", "Color Scale:"}, {"lblIndex", "Color Index:"},
    };
    for (const auto& [name, caption] : labels) EXPECT_EQ(Control<QLabel>(dialog, name)->text(), caption) << name;

    EXPECT_EQ(Entries(list(dialog, "cboDisplay")),
              (QStringList{"ABSOLUTE", "DIFFERENCE", "SPECTRAL DATA", "SPECTRAL DIFF", "SPECTRAL PLOT", "DIFF PLOT",
                           "COLOR PLOT"}));
    EXPECT_EQ(Entries(list(dialog, "cboIllObs")),
              (QStringList{"A/2", "C/2", "D50/2", "D55/2", "D65/2", "D75/2", "F2/2", "F7/2", "F11/2", "A/10", "C/10",
                           "D50/10", "D55/10", "D65/10", "D75/10", "F2/10", "F7/10", "F11/10"}));
    EXPECT_EQ(Entries(list(dialog, "cboScale")),
              (QStringList{"(...)", "L*a*b*", "L*C*h", "L a b", "X Y Z", "Y x y", "dLdCdH"}));
    EXPECT_EQ(Entries(list(dialog, "cboIndex")),
              (QStringList{"(...)", "Y",   "YID", "YIE", "WIE", "Tint", "Z%", "457B", "BCU", "SMA", "SW",
                           "QBVT",  "SCAA", "GSC", "GSS", "dE*", "dEc",  "dE", "dC*",  "dC",  "SSN", "MI"}));

    // Lists at 2520 twips, 1332 wide; rows 360 twips apart.
    EXPECT_EQ(list(dialog, "cboScale")->geometry().topLeft(), QPoint(168, 112));
    EXPECT_EQ(list(dialog, "cboScale")->width(), 89);
    EXPECT_EQ(enable(dialog)->geometry().topLeft(), QPoint(168, 40));
}

TEST_F(ViewEditorTest, ViewOneIsAlwaysEnabled)
{
    prepare(1, ViewWith(false, 1, 2, 3, 4));
    frmEditView dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(Control<QLabel>(dialog, "lblView")->text(), "View #1");
    EXPECT_EQ(enable(dialog)->checkState(), Qt::Checked);
    EXPECT_FALSE(enable(dialog)->isEnabled());
    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_TRUE(setup().Views(1).Enabled);
    EXPECT_EQ(setup().Views(1).ColorIndex, 4);

    // Other views follow their flag, and the box can be changed.
    prepare(2, ViewWith(false, 0, 0, 0, 0));
    frmEditView second;
    LoadAndShow(second);
    EXPECT_EQ(enable(second)->checkState(), Qt::Unchecked);
    EXPECT_TRUE(enable(second)->isEnabled());
    QTest::keyClick(enable(second), Qt::Key_Space);
    Click(second, "cmdSave");
    EXPECT_TRUE(setup().Views(2).Enabled);

    prepare(8, ViewWith(true, 0, 0, 0, 0));
    frmEditView last;
    LoadAndShow(last);
    EXPECT_EQ(enable(last)->checkState(), Qt::Checked);
    enable(last)->setTristate(true);
    enable(last)->setCheckState(Qt::PartiallyChecked);  // grey saves false
    Click(last, "cmdSave");
    EXPECT_FALSE(setup().Views(8).Enabled);
}

TEST_F(ViewEditorTest, SaveWritesTheFiveFieldsOfThatViewOnly)
{
    prepare(5, ViewWith(true, 6, 17, 3, 12));
    const ProductSetup before = setup();
    frmEditView dialog;
    LoadAndShow(dialog);
    EXPECT_EQ(Control<QLabel>(dialog, "lblView")->text(), "View #5");
    EXPECT_EQ(list(dialog, "cboDisplay")->currentText(), "COLOR PLOT");
    EXPECT_EQ(list(dialog, "cboIllObs")->currentText(), "F11/10");
    EXPECT_EQ(list(dialog, "cboScale")->currentText(), "L a b");
    EXPECT_EQ(list(dialog, "cboIndex")->currentText(), "SCAA");

    Click(dialog, "cmdSave");
    EXPECT_TRUE(ClosedBySave(dialog));
    EXPECT_TRUE(setup() == before);  // the same codes written back

    frmEditView edit;
    LoadAndShow(edit);
    list(edit, "cboDisplay")->setCurrentIndex(1);
    list(edit, "cboIllObs")->setCurrentIndex(13);
    list(edit, "cboScale")->setCurrentIndex(0);  // "(...)"
    list(edit, "cboIndex")->setCurrentIndex(21);
    QTest::keyClick(enable(edit), Qt::Key_Space);
    Click(edit, "cmdSave");
    EXPECT_TRUE(ClosedBySave(edit));
    ProductSetup expected = before;
    expected.Views(5) = ViewWith(false, 1, 13, 0, 21);  // shade blocks, CF and lc as they were
    EXPECT_TRUE(setup() == expected);
}

TEST_F(ViewEditorTest, CancelLeavesTheViewAsItWas)
{
    prepare(4, ViewWith(true, 2, 5, 1, 7));
    const ProductSetup before = setup();
    for (bool escape : {false, true}) {
        frmEditView dialog;
        LoadAndShow(dialog);
        list(dialog, "cboDisplay")->setCurrentIndex(0);
        list(dialog, "cboIndex")->setCurrentIndex(0);
        enable(dialog)->setCheckState(Qt::Unchecked);
        if (escape)
            QTest::keyClick(&dialog, Qt::Key_Escape);
        else
            Click(dialog, "cmdCancel");
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
        EXPECT_TRUE(setup() == before);
    }
}

TEST_F(ViewEditorTest, ACodeBeyondItsListIsShownAndKept)
{
    prepare(6, ViewWith(true, 9, -1, 7, 22));
    const ProductSetup before = setup();
    {
        frmEditView dialog;
        LoadAndShow(dialog);
        EXPECT_EQ(list(dialog, "cboDisplay")->count(), 8);
        EXPECT_EQ(list(dialog, "cboDisplay")->currentText(), "(unknown: 9)");
        EXPECT_EQ(list(dialog, "cboIllObs")->currentText(), "(unknown: -1)");
        EXPECT_EQ(list(dialog, "cboScale")->currentText(), "(unknown: 7)");
        EXPECT_EQ(list(dialog, "cboIndex")->currentText(), "(unknown: 22)");
        Click(dialog, "cmdSave");
        EXPECT_TRUE(ClosedBySave(dialog));
        EXPECT_TRUE(setup() == before);
    }
    // Picking an entry replaces it.
    frmEditView dialog;
    LoadAndShow(dialog);
    list(dialog, "cboDisplay")->setCurrentIndex(2);
    Click(dialog, "cmdSave");
    EXPECT_EQ(setup().Views(6).DisplayType, 2);
    EXPECT_EQ(setup().Views(6).ColorScale, 7);
}
