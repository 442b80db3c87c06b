// The product setup editor, driven through its controls, with a main window
// whose Sensor talks to the simulated instrument; and its numeric edit, whose
// limits bind the operator, not the program.
#include "CWNumEdit.h"
#include "RaisedError.h"
#include "MainWindowOnSimulator.h"
#include "SubEditors.h"
#include "frmEditProduct.h"
#include "frmRunConfig.h"
#include "frmRunConfig2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

class frmEditProductTest : public ::testing::Test, protected MainWindowOnSimulator {
protected:
    void SetUp() override { TheSubEditors() = SubEditors{}; start(); }
    void TearDown() override { TheSubEditors() = savedEditors; frmEditProduct::DestroyInstance(); }
    // A main window on a new simulated instrument, and the editor opened afresh.
    void start(bool inches = false, int runConfigVariant = 2, std::vector<SimFault> faults = {})
    {
        frmEditProduct::DestroyInstance();
        SimOptions options;
        options.inches = inches, options.runConfigVariant = runConfigVariant, options.faults = std::move(faults);
        MainWindowOnSimulator::start(options);
        open();
    }
    void open() { editor().show(); ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor())); }
    frmEditProduct& editor() { return frmEditProduct::instance(); }
    template <typename T>
    T* control(const char* name) { return editor().findChild<T*>(QLatin1String(name)); }
    QLineEdit* txtName() { return control<QLineEdit>("txtName"); }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }

    SubEditors savedEditors = TheSubEditors();
};

}  // namespace

TEST_F(frmEditProductTest, TheNameTakesCapitalsDigitsAndSpacesOnlyAndSetups1And250LoadAndSave)
{
    QTest::keyClicks(txtName(), "ab-1 cdefghijklmnopq");  // 15 characters kept of 19
    EXPECT_EQ(txtName()->text(), "AB1 CDEFGHIJKLM");

    // Setup 1 made a NUMERIC standard with autosearch on.
    SimSetup first = instrument->Setup(0);
    first.standardType = 2, first.searchable = true;
    instrument->Handle("P200" + EncodeSetupRecord(first));
    instrument->ClearLogs();

    click("cmdLoad");
    EXPECT_EQ(instrument->ReceivedCommands(), QList<QByteArray>{"P10000"});
    EXPECT_EQ(txtName()->text(), QString::fromLatin1(first.name));
    EXPECT_EQ(control<QComboBox>("cboStandard")->currentText(), "NUMERIC");
    ASSERT_EQ(control<QCheckBox>("chkAutosearch")->checkState(), Qt::Checked);
    control<QCheckBox>("chkAutosearch")->setCheckState(Qt::PartiallyChecked);  // grey saves false
    click("cmdSave");
    first.searchable = false;
    EXPECT_EQ(instrument->ReceivedCommands().back(), "P00000" + EncodeSetupRecord(first));
    EXPECT_FALSE(editor().isVisible());

    // Setup 250, loaded and saved unchanged, is index 249 both ways.
    const QByteArray last = instrument->SetupRecord(249);
    open();
    control<CWNumEdit>("cwnSetup")->selectAll();
    QTest::keyClicks(control<CWNumEdit>("cwnSetup"), "250");
    click("cmdLoad");
    click("cmdSave");
    EXPECT_EQ(instrument->ReceivedCommands().mid(2), (QList<QByteArray>{"P100F9", "P000F9" + last}));

    // Cancel sends nothing.
    open();
    instrument->ClearLogs();
    txtName()->setText("CHANGED");
    click("cmdCancel");
    EXPECT_TRUE(instrument->ReceivedCommands().isEmpty());
    EXPECT_EQ(editor().result(), QDialog::Rejected);
}

// The program's own editors open, modal, and are closed unsaved here.
TEST_F(frmEditProductTest, RunConfigurationOpensTheEditorOfTheVariantTheInstrumentNames)
{
    TheSubEditors() = savedEditors;
    std::vector<std::pair<int, bool>> opened;  // 1 distances, 2 heights; customary units
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* distances = qobject_cast<frmRunConfig*>(modal)) opened.push_back({1, distances->CustomaryUnits});
        else if (auto* heights = qobject_cast<frmRunConfig2*>(modal)) opened.push_back({2, heights->CustomaryUnits});
        else return;
        qobject_cast<QDialog*>(modal)->reject();
    });
    poll.start(10);
    // Inches, the variant; the editors opened.
    const std::tuple<bool, int, std::vector<std::pair<int, bool>>> cases[] = {
        {true, 1, {{1, true}}}, {false, 2, {{2, false}}}, {true, 0, {}}, {false, 3, {}}};
    for (const auto& [inches, variant, expected] : cases) {
        start(inches, variant);
        opened.clear();
        const ProductSetup before = editor().EditedProductSetup();
        click("cmdRunConfig");
        EXPECT_EQ(instrument->ReceivedCommands(), (QList<QByteArray>{"Q10001", "Q10002"}));
        EXPECT_EQ(opened, expected) << variant;
        EXPECT_TRUE(editor().EditedProductSetup() == before);
    }
}

TEST_F(frmEditProductTest, ExchangesGoThroughTheMainWindowsErrorReport)
{
    // The first read times out (Retry is the scripted answer), the third is refused.
    start(false, 2, {{"P1", 1, SimFault::Kind::NoReply}, {"P1", 3, SimFault::Kind::Rejected}});
    click("cmdLoad");
    EXPECT_EQ(instrument->ReceivedCommands(), (QList<QByteArray>{"P10000", "P10000"}));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(txtName()->text(), QString::fromLatin1(instrument->Setup(0).name));

    const ProductSetup before = editor().EditedProductSetup();
    EXPECT_EQ(ErrorOf([&] { editor().cmdLoad_Click(); }).number(), ErrorNumber::InstrumentRefused);
    EXPECT_TRUE(editor().EditedProductSetup() == before);
}

TEST(CWNumEdit, AValueOutsideTheLimitsIsShownAsItIsAndStepsStayWithinThem)
{
    CWNumEdit edit;
    edit.setLocale(QLocale::c());
    edit.SetLimits(0, 150);
    edit.SetStep(5);
    edit.SetValue(200);
    EXPECT_EQ(edit.Value(), 200.0);
    EXPECT_EQ(edit.findChild<QLineEdit*>()->text(), "200");
    edit.show();
    // Each key, and the value after it: away from the limits nothing, toward
    // them onto the upper limit, then bounded by them again.
    const std::pair<Qt::Key, double> steps[] = {{Qt::Key_Up, 200}, {Qt::Key_Down, 150}, {Qt::Key_Up, 150}, {Qt::Key_Down, 145}};
    for (const auto& [key, value] : steps) {
        QTest::keyClick(&edit, key);
        EXPECT_EQ(edit.Value(), value) << key;
    }
}
