// The sub-editors behind the product setup editor's Edit buttons, with the
// main window on the simulated instrument: the instrument chooses the run
// configuration editor and its units, and the editor opens on the setup
// loaded from the instrument.
#include "CWNumEdit.h"
#include "SimulatorDriver.h"
#include "SubEditorTestSupport.h"
#include "frmRunConfig2.h"
#include "frmUtility.h"

#include <QApplication>
#include <QLabel>
#include <QTimer>

TEST_F(SubEditorTest, TheInstrumentsDefaultOpensTheHeightEditorInMillimetresOnTheLoadedSetup)
{
    auto instrument = std::make_shared<SimInstrument>();
    frmUtility main(SimulatorFactory(instrument));
    main.Form_Load();
    frmEditProduct& editor = frmEditProduct::instance();
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    Click(editor, "cmdLoad");  // setup 1
    const SimSetup stored = instrument->Setup(0);
    const ProductSetup before = setup();

    // Looks at the dialog once its modal loop runs, then closes it unsaved.
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal) return;
        poll.stop();
        if (auto* dialog = qobject_cast<frmRunConfig2*>(modal)) {
            opened = true;
            EXPECT_FALSE(dialog->CustomaryUnits);
            EXPECT_EQ(Control<QLabel>(*dialog, "lblBase")->text(), "Distance to Base (mm):");
            EXPECT_EQ(Control<CWNumEdit>(*dialog, "cwnBase")->Value(), stored.baseDistance);
            EXPECT_EQ(Control<CWNumEdit>(*dialog, "cwnMinHeight")->Value(), stored.baseMinusMax);
            EXPECT_EQ(Control<CWNumEdit>(*dialog, "cwnMaxHeight")->Value(), stored.baseMinusMin);
        }
        modal->reject();
    });
    poll.start(10);
    Click(editor, "cmdRunConfig");
    EXPECT_TRUE(opened);
    EXPECT_TRUE(setup() == before);
    EXPECT_TRUE(editor.isVisible());
}
