// The sub-editors behind the product setup editor's Edit buttons, with the
// main window on the simulated instrument: the instrument's default opens the
// height editor in millimetres (which variant the answers choose, and what the
// editor shows, are proven in frmEditProductTest and RunConfigEditorTest).
#include "SimulatorDriver.h"
#include "SubEditorTestSupport.h"
#include "frmRunConfig2.h"
#include "frmUtility.h"

#include <QApplication>
#include <QTimer>

TEST_F(SubEditorTest, TheInstrumentsDefaultOpensTheHeightEditorInMillimetres)
{
    frmUtility main(SimulatorFactory(std::make_shared<SimInstrument>()));
    main.Form_Load();
    frmEditProduct& editor = frmEditProduct::instance();
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const ProductSetup before = setup();

    // Looks at the dialog once its modal loop runs, then closes it unsaved.
    bool opened = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!modal) return;
        poll.stop();
        const auto* dialog = qobject_cast<frmRunConfig2*>(modal);
        opened = dialog != nullptr;
        EXPECT_TRUE(opened && !dialog->CustomaryUnits);
        modal->reject();
    });
    poll.start(10);
    Click(editor, "cmdRunConfig");
    EXPECT_TRUE(opened);
    EXPECT_TRUE(setup() == before);
    EXPECT_TRUE(editor.isVisible());
}
