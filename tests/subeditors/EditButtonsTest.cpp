// The sub-editors behind the product setup editor's Edit buttons, with the
// main window on the simulated instrument: the instrument chooses the run
// configuration editor and its units, and each button opens its dialog on
// the setup loaded from the instrument.
#include "CWNumEdit.h"
#include "SimulatorDriver.h"
#include "SubEditorTestSupport.h"
#include "frmEditView.h"
#include "frmRunConfig.h"
#include "frmRunConfig2.h"
#include "frmStandard.h"
#include "frmTolerances.h"
#include "frmUtility.h"

#include <QLabel>
#include <QLineEdit>
#include <memory>

namespace {

class EditButtonsTest : public SubEditorTest {
protected:
    void start(SimOptions options = {})
    {
        instrument = std::make_shared<SimInstrument>(std::move(options));
        main = std::make_unique<frmUtility>(SimulatorFactory(instrument));
        main->Form_Load();
        editor().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor()));
        Click(editor(), "cmdLoad");  // setup 1
    }
    frmEditProduct& editor() { return frmEditProduct::instance(); }
    // Presses the button; the dialog it opens is looked at, then closed with
    // Cancel. True when a dialog of type T opened.
    template <typename T>
    bool opensOnClick(const char* button, std::function<void(T&)> look)
    {
        bool opened = false;
        WhenModal<T>([&](T& dialog) {
            opened = true;
            look(dialog);
            Click(dialog, "cmdCancel");
        });
        Click(editor(), button);
        return opened;
    }

    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> main;
};

QString LabelText(QWidget& dialog, const char* name) { return Control<QLabel>(dialog, name)->text(); }
double Value(QWidget& dialog, const char* name) { return Control<CWNumEdit>(dialog, name)->Value(); }

}  // namespace

TEST_F(EditButtonsTest, TheInstrumentsDefaultOpensTheHeightEditorInMillimetres)
{
    start();
    const SimSetup stored = instrument->Setup(0);
    ASSERT_FALSE(stored.isEmpty());
    const ProductSetup before = setup();

    bool millimetres = false;
    const bool opened = opensOnClick<frmRunConfig2>("cmdRunConfig", [&](frmRunConfig2& dialog) {
        millimetres = !dialog.CustomaryUnits;
        EXPECT_EQ(dialog.parentWidget(), &editor());
        EXPECT_EQ(dialog.windowTitle(), "Run Configuration - TR8 KZ");
        EXPECT_EQ(LabelText(dialog, "lblBase"), "Distance to Base (mm):");
        EXPECT_EQ(Control<CWNumEdit>(dialog, "cwnBase")->UpperLimit(), 150.0);
        // The heights the instrument keeps for its setup 1.
        EXPECT_EQ(Value(dialog, "cwnBase"), stored.baseDistance);
        EXPECT_EQ(Value(dialog, "cwnMinHeight"), stored.baseMinusMax);
        EXPECT_EQ(Value(dialog, "cwnMaxHeight"), stored.baseMinusMin);
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(millimetres);
    EXPECT_TRUE(setup() == before);  // cancelled
    EXPECT_TRUE(editor().isVisible());
}

TEST_F(EditButtonsTest, AnInchInstrumentWithDistancesOpensTheDistanceEditor)
{
    SimOptions options;
    options.inches = true;
    options.runConfigVariant = 1;
    start(options);
    bool customary = false;
    const bool opened = opensOnClick<frmRunConfig>("cmdRunConfig", [&](frmRunConfig& dialog) {
        customary = dialog.CustomaryUnits;
        EXPECT_EQ(LabelText(dialog, "lblMinDistance"), "Min Distance (in.):");
        EXPECT_EQ(Value(dialog, "cwnMinDistance"), setup().MinDistance);
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(customary);
}

TEST_F(EditButtonsTest, TheOtherButtonsOpenTheirEditorsOnTheLoadedSetup)
{
    start();
    const DataView& first = setup().Views(1);
    ASSERT_GT(first.ColorScale, 0);  // the simulated setups choose a scale

    EXPECT_TRUE(opensOnClick<frmStandard>("cmdTargets", [&](frmStandard& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Standard - TR8 KZ");
        EXPECT_EQ(LabelText(dialog, "lblWarning"), "");
        EXPECT_FALSE(Control<QLineEdit>(dialog, "txtTargetX")->text().isEmpty());
    }));
    EXPECT_TRUE(opensOnClick<frmTolerances>("cmdTolerances", [&](frmTolerances& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Tolerances - TR8 KZ");
        EXPECT_NE(LabelText(dialog, "lblScaleX"), ":");
    }));

    // The view editor edits the view numbered in the editor window.
    Control<CWNumEdit>(editor(), "cwnView")->SetValue(3);
    EXPECT_TRUE(opensOnClick<frmEditView>("cmdViews", [&](frmEditView& dialog) {
        EXPECT_EQ(dialog.windowTitle(), "Edit View - TR8 KZ");
        EXPECT_EQ(LabelText(dialog, "lblView"), "View #3");
    }));
}
