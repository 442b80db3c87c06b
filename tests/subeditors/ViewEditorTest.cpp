// The view editor on the view of the editor window's setup that its view
// number names: the lists, the enable box, Save and Cancel.
#include "CWNumEdit.h"
#include "SubEditorTestSupport.h"
#include "frmEditView.h"

#include <QCheckBox>
#include <QComboBox>

namespace {

class ViewEditorTest : public SubEditorTest {
protected:
    // The view of that number holds these codes (shade blocks, CF and lc
    // besides) and is the one the editor window names.
    void prepare(int number, bool enabled, int display, int illObs, int scale, int index)
    {
        const auto code = [](int value) { return static_cast<int16_t>(value); };
        setup().Views(number) = DataView{enabled, code(display), code(illObs), code(scale), code(index), 3, 1.25f, -0.5f};
        Control<CWNumEdit>(frmEditProduct::instance(), "cwnView")->SetValue(number);
    }
    static QComboBox* list(frmEditView& dialog, const char* name) { return Control<QComboBox>(dialog, name); }
    static QCheckBox* enable(frmEditView& dialog) { return Control<QCheckBox>(dialog, "chkEnable"); }
};

}  // namespace

TEST_F(ViewEditorTest, TheListsShowTheCodesSaveWritesThemBackEvenBeyondTheListsCancelNot)
{
    // View 1 is always enabled, whatever its flag; a scale beyond the list is
    // shown as unknown and kept.
    const std::tuple<int, bool, int, const char*> cases[] = {{1, false, 3, "L a b"}, {6, true, 7, "(unknown: 7)"}};
    for (const auto& [number, enabled, scale, shown] : cases) {
        prepare(number, enabled, 9, -1, scale, 22);
        ProductSetup expected = setup();
        expected.Views(number).Enabled = true;
        Shown<frmEditView> dialog;
        EXPECT_EQ(list(dialog, "cboScale")->currentText(), shown);
        EXPECT_EQ(enable(dialog)->checkState(), Qt::Checked);
        EXPECT_EQ(enable(dialog)->isEnabled(), number != 1);
        EXPECT_TRUE(Save(dialog));
        EXPECT_TRUE(setup() == expected) << number;
    }

    prepare(5, true, 6, 17, 3, 12);
    const ProductSetup before = setup();
    Shown<frmEditView> dialog;
    EXPECT_EQ(list(dialog, "cboDisplay")->currentText(), "COLOR PLOT");
    EXPECT_EQ(list(dialog, "cboIllObs")->currentText(), "F11/10");
    list(dialog, "cboScale")->setCurrentText("(...)");
    EXPECT_TRUE(Save(dialog));
    ProductSetup expected = before;
    expected.Views(5).ColorScale = 0;
    EXPECT_TRUE(setup() == expected);

    // Cancel changes nothing.
    Shown<frmEditView> cancelled;
    list(cancelled, "cboScale")->setCurrentIndex(1);
    enable(cancelled)->setCheckState(Qt::Unchecked);
    Click(cancelled, "cmdCancel");
    EXPECT_FALSE(cancelled.isVisible());
    EXPECT_TRUE(setup() == expected);
}
