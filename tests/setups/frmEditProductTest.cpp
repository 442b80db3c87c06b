// The product setup editor, driven through its controls with a main window
// whose Sensor talks to a stand-in instrument.
#include "AppError.h"
#include "CWNumEdit.h"
#include "CommPortDriver.h"
#include "ScriptedEnvironment.h"
#include "SetupRecord.h"
#include "SetupTestSupport.h"
#include "Sensor.h"
#include "SimulatorDriver.h"
#include "SubEditors.h"
#include "frmEditProduct.h"
#include "frmUtility.h"
#include "modGlobals.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// The instrument behind the Sensor: setups, the two queries, and a timeout
// on demand.
struct Bench {
    FakeSetupInstrument setups;
    QByteArray unitsReply = "q0001";
    QByteArray variantReply = "q0001";
    int timeoutsToGive = 0;
    std::vector<QByteArray> sent;
};

class BenchDriver : public CommPortDriver {
public:
    explicit BenchDriver(Bench& bench) : bench_(bench) {}
    void SetTimeout(int32_t) override {}
    void OpenDevice(int32_t) override {}
    bool IsConnected() const override { return true; }
    void CloseDevice() override {}
    QByteArray Execute(const QByteArray& command) override
    {
        bench_.sent.push_back(command);
        if (bench_.timeoutsToGive > 0) {
            --bench_.timeoutsToGive;
            throw AppError(ErrorNumber::CommTimeout, "timeout");
        }
        if (command == "Q10001") return bench_.unitsReply;
        if (command == "Q10002") return bench_.variantReply;
        if (command == "+") return "+";
        return bench_.setups.Execute(command);
    }

private:
    Bench& bench_;
};

// A record with the given name, standard type and searchable flag; every
// other field from the sample record of that seed.
QByteArray recordWith(int seed, const QByteArray& name, int standardType, bool searchable)
{
    FieldCodec codec;
    codec.SetText(SampleRecord(seed));
    codec.ReadString();
    codec.ReadInt();
    codec.ReadBool();
    const QByteArray rest = SampleRecord(seed).mid(codec.BytePosition() * 2);
    FieldText head;
    head.str(name).i16(standardType).flag(searchable);
    return head.text() + rest;
}

ProductSetup decoded(const QByteArray& record)
{
    ProductSetup setup;
    FieldCodec codec;
    DecodeProductSetup(setup, record, codec);
    return setup;
}

class frmEditProductTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        modGlobals::InstrumentDisplayName = "TR8 KZ";
        main = std::make_unique<frmUtility>([this] { return std::make_unique<BenchDriver>(bench); });
        frmEditProduct::DestroyInstance();
        savedEditors = TheSubEditors();
        TheSubEditors() = SubEditors{};
        open();
    }
    void TearDown() override
    {
        TheSubEditors() = savedEditors;
        frmEditProduct::DestroyInstance();
        main.reset();
    }

    void open()
    {
        window().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window()));
    }
    frmEditProduct& window() { return frmEditProduct::instance(); }
    template <typename T>
    T* control(const char* name)
    {
        T* found = window().findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QLineEdit* txtName() { return control<QLineEdit>("txtName"); }
    QComboBox* cboStandard() { return control<QComboBox>("cboStandard"); }
    QCheckBox* chkAutosearch() { return control<QCheckBox>("chkAutosearch"); }
    CWNumEdit* cwnSetup() { return control<CWNumEdit>("cwnSetup"); }
    CWNumEdit* cwnView() { return control<CWNumEdit>("cwnView"); }
    void click(const char* button) { QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton); }
    void setSetupNumber(int number)
    {
        cwnSetup()->selectAll();
        QTest::keyClicks(cwnSetup(), QString::number(number));
    }

    ScriptedEnvironment env;
    Bench bench;
    std::unique_ptr<frmUtility> main;
    SubEditors savedEditors;
};

}  // namespace

TEST_F(frmEditProductTest, ControlsCaptionsAndLayoutAsDesigned)
{
    EXPECT_EQ(window().windowTitle(), "Edit Product - TR8 KZ");
    EXPECT_TRUE(window().isModal());
    EXPECT_EQ(window().size(), QSize(273, 225));  // 4092 x 3372 twips

    const std::pair<const char*, const char*> labels[] = {
        {"lblName", "Name:"},           {"lblStandard", "Standard:"},     {"lblAutosearch", "Autosearch:"},
        {"lblViews", "Views:"},         {"lblTargets", "Standard Values:"}, {"lblTolerances", "Tolerances:"},
        {"lblRunConfig", "Run Configuration:"},
    };
    for (const auto& [name, caption] : labels) EXPECT_EQ(control<QLabel>(name)->text(), caption) << name;
    const std::pair<const char*, const char*> buttons[] = {
        {"cmdViews", "Edit"}, {"cmdTargets", "Edit"}, {"cmdTolerances", "Edit"}, {"cmdRunConfig", "Edit"},
        {"cmdLoad", "Load"},  {"cmdSave", "Save"},    {"cmdCancel", "Cancel"},
    };
    for (const auto& [name, caption] : buttons) EXPECT_EQ(control<QPushButton>(name)->text(), caption) << name;

    ASSERT_EQ(cboStandard()->count(), 4);
    EXPECT_EQ(cboStandard()->itemText(0), "PHYSICAL");
    EXPECT_EQ(cboStandard()->itemText(1), "WORKING");
    EXPECT_EQ(cboStandard()->itemText(2), "NUMERIC");
    EXPECT_EQ(cboStandard()->itemText(3), "HITCH");

    // Twips / 15: Save at 2160, 2880, 732 x 372; Edit buttons 1332 x 252.
    EXPECT_EQ(control<QPushButton>("cmdSave")->geometry(), QRect(144, 192, 49, 25));
    EXPECT_EQ(control<QPushButton>("cmdRunConfig")->geometry(), QRect(168, 160, 89, 17));
    EXPECT_EQ(txtName()->geometry().topLeft(), QPoint(120, 16));
    EXPECT_EQ(txtName()->width(), 137);
    EXPECT_EQ(cwnSetup()->geometry().topLeft(), QPoint(16, 192));
    EXPECT_EQ(cwnView()->geometry().topLeft(), QPoint(120, 88));
    EXPECT_EQ(control<QLabel>("lblRunConfig")->geometry(), QRect(16, 160, 105, 17));

    // Initial contents.
    EXPECT_EQ(txtName()->text(), "");
    EXPECT_EQ(cboStandard()->currentIndex(), -1);
    EXPECT_EQ(chkAutosearch()->checkState(), Qt::Unchecked);
    EXPECT_EQ(cwnView()->Value(), 1.0);
    EXPECT_EQ(cwnView()->LowerLimit(), 1.0);
    EXPECT_EQ(cwnView()->UpperLimit(), 8.0);
    EXPECT_EQ(cwnSetup()->Value(), 1.0);
    EXPECT_EQ(cwnSetup()->UpperLimit(), 250.0);
    EXPECT_TRUE(bench.sent.empty());  // nothing is read until Load
}

TEST_F(frmEditProductTest, TheNameTakesCapitalsDigitsAndSpacesOnly)
{
    txtName()->setFocus();
    QTest::keyClick(txtName(), Qt::Key_A);
    QTest::keyClick(txtName(), Qt::Key_B);
    QTest::keyClick(txtName(), Qt::Key_Minus);
    QTest::keyClick(txtName(), Qt::Key_1);
    QTest::keyClick(txtName(), Qt::Key_Space);
    QTest::keyClick(txtName(), Qt::Key_C);
    EXPECT_EQ(txtName()->text(), "AB1 C");
    QTest::keyClick(txtName(), Qt::Key_Backspace);  // control keys still edit
    EXPECT_EQ(txtName()->text(), "AB1 ");

    txtName()->clear();
    QTest::keyClicks(txtName(), "abcdefghijklmnop");  // 16 keys
    EXPECT_EQ(txtName()->text(), "ABCDEFGHIJKLMNO");
    QTest::keyClicks(txtName(), "Z");
    EXPECT_EQ(txtName()->text(), "ABCDEFGHIJKLMNO");

    // Pasted text passes the same filter, at the cursor, within the 15.
    txtName()->clear();
    QTest::keyClicks(txtName(), "ab");
    txtName()->setCursorPosition(1);
    txtName()->insert(QString::fromUtf8("x-y\tz 9\u00e9\u20ac!"));
    EXPECT_EQ(txtName()->text(), QString::fromUtf8("AXYZ 9\u00e9B"));
    EXPECT_EQ(txtName()->cursorPosition(), 7);
    txtName()->selectAll();
    txtName()->insert("0123456789abcdefghij");
    EXPECT_EQ(txtName()->text(), "0123456789ABCDE");
}

TEST_F(frmEditProductTest, LoadShowsTheSetupAndSaveWritesItBack)
{
    bench.setups.records[0] = recordWith(0, "LOADED-1", 2, true);
    click("cmdLoad");
    ASSERT_EQ(bench.sent.size(), 1u);
    EXPECT_EQ(bench.sent[0], QByteArray("P10000"));
    EXPECT_EQ(txtName()->text(), "LOADED-1");  // shown as loaded, hyphen and all
    EXPECT_EQ(cboStandard()->currentText(), "NUMERIC");
    EXPECT_EQ(chkAutosearch()->checkState(), Qt::Checked);
    EXPECT_EQ(window().EditedProductSetup().BaseDistance, 100);
    EXPECT_EQ(window().EditedProductSetup().Name, QByteArray("LOADED-1"));

    // Saved without changes, the instrument gets the record it sent.
    click("cmdSave");
    ASSERT_EQ(bench.sent.size(), 2u);
    EXPECT_EQ(bench.sent[1], "P00000" + recordWith(0, "LOADED-1", 2, true));
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().result(), QDialog::Accepted);
}

TEST_F(frmEditProductTest, Setup250IsIndex249BothWays)
{
    setSetupNumber(250);
    EXPECT_EQ(cwnSetup()->Value(), 250.0);
    click("cmdLoad");
    EXPECT_EQ(bench.sent.back(), QByteArray("P100F9"));
    EXPECT_EQ(txtName()->text(), "SETUP 249");

    txtName()->selectAll();
    QTest::keyClicks(txtName(), "new name");
    cboStandard()->setCurrentIndex(1);
    chkAutosearch()->setCheckState(Qt::Unchecked);
    click("cmdSave");
    ASSERT_TRUE(bench.sent.back().startsWith("P000F9"));
    const ProductSetup stored = decoded(bench.setups.records[249]);
    EXPECT_EQ(stored.Name, QByteArray("NEW NAME"));
    EXPECT_EQ(stored.StandardType, 1);
    EXPECT_FALSE(stored.Searchable);
    // The rest is the setup as loaded.
    ProductSetup expected = decoded(SampleRecord(249));
    expected.Name = "NEW NAME";
    expected.StandardType = 1;
    expected.Searchable = false;
    EXPECT_TRUE(stored == expected);
}

TEST_F(frmEditProductTest, GreyAutosearchSavesFalse)
{
    bench.setups.records[0] = recordWith(0, "GREY", 0, true);
    click("cmdLoad");
    ASSERT_EQ(chkAutosearch()->checkState(), Qt::Checked);
    chkAutosearch()->setCheckState(Qt::PartiallyChecked);
    click("cmdSave");
    EXPECT_FALSE(decoded(bench.setups.records[0]).Searchable);

    open();
    click("cmdLoad");
    EXPECT_EQ(chkAutosearch()->checkState(), Qt::Unchecked);
    chkAutosearch()->setCheckState(Qt::Checked);
    click("cmdSave");
    EXPECT_TRUE(decoded(bench.setups.records[0]).Searchable);
}

TEST_F(frmEditProductTest, NoStandardTypeChosenKeepsTheSetupsOwn)
{
    // Saved without Load: the list is empty, the setup's type is kept.
    window().EditedProductSetup().StandardType = 3;
    click("cmdSave");
    EXPECT_EQ(decoded(bench.setups.records[0]).StandardType, 3);

    // A loaded type beyond the list shows the list empty and is kept...
    bench.setups.records[4] = recordWith(4, "ODD", 7, false);
    open();
    setSetupNumber(5);
    click("cmdLoad");
    EXPECT_EQ(cboStandard()->currentIndex(), -1);
    click("cmdSave");
    EXPECT_EQ(decoded(bench.setups.records[4]).StandardType, 7);
    // ...unless the operator picks an entry.
    open();
    setSetupNumber(5);
    click("cmdLoad");
    cboStandard()->setCurrentIndex(0);
    click("cmdSave");
    EXPECT_EQ(decoded(bench.setups.records[4]).StandardType, 0);
}

TEST_F(frmEditProductTest, CancelSendsNothingAndTheSetupOutlivesTheWindow)
{
    click("cmdLoad");
    const ProductSetup* setup = &window().EditedProductSetup();
    bench.sent.clear();
    window().EditedProductSetup().SetScalePlus(1, 4.5f);  // as the tolerances editor would
    txtName()->setText("CHANGED");
    click("cmdCancel");
    EXPECT_TRUE(bench.sent.empty());
    EXPECT_FALSE(window().isVisible());
    EXPECT_EQ(window().result(), QDialog::Rejected);

    // The next opening starts from the initial contents, on the same setup.
    open();
    EXPECT_EQ(txtName()->text(), "");
    EXPECT_EQ(cboStandard()->currentIndex(), -1);
    EXPECT_EQ(cwnSetup()->Value(), 1.0);
    EXPECT_EQ(&window().EditedProductSetup(), setup);
    EXPECT_EQ(window().EditedProductSetup().Name, QByteArray("SETUP 0"));
    EXPECT_EQ(window().EditedProductSetup().ScalePlus(1), 4.5f);

    // Escape is Cancel too.
    QTest::keyClick(&window(), Qt::Key_Escape);
    EXPECT_FALSE(window().isVisible());
    EXPECT_TRUE(bench.sent.empty());
}

TEST_F(frmEditProductTest, RunConfigurationOpensTheVariantTheInstrumentNames)
{
    std::vector<std::pair<int, bool>> opened;  // 1 distance, 2 height; customary units
    TheSubEditors().ShowRunConfig = [&](QWidget* parent, bool customary) {
        EXPECT_EQ(parent, &window());
        opened.push_back({1, customary});
    };
    TheSubEditors().ShowRunConfig2 = [&](QWidget*, bool customary) { opened.push_back({2, customary}); };

    struct Case {
        const char* units;
        const char* variant;
        std::vector<std::pair<int, bool>> expected;
    };
    const Case cases[] = {
        {"q0001", "q0001", {{1, true}}},
        {"q0000", "q0002", {{2, false}}},
        {"q0001", "q0002", {{2, true}}},
        {"q0002", "q0001", {{1, false}}},
        {"q0001", "q0000", {}},
        {"q0001", "q0003", {}},
    };
    for (const Case& c : cases) {
        bench.unitsReply = c.units;
        bench.variantReply = c.variant;
        bench.sent.clear();
        opened.clear();
        click("cmdRunConfig");
        EXPECT_EQ(bench.sent, (std::vector<QByteArray>{"Q10001", "Q10002"})) << c.variant;
        EXPECT_EQ(opened, c.expected) << c.units << " " << c.variant;
    }

    // Without the sub-editors installed, nothing opens and nothing fails.
    TheSubEditors() = SubEditors{};
    bench.variantReply = "q0002";
    EXPECT_NO_THROW(window().cmdRunConfig_Click());
}

TEST_F(frmEditProductTest, EditButtonsOpenTheirSubEditors)
{
    std::vector<std::string> opened;
    int viewSeen = 0;
    TheSubEditors().ShowEditView = [&](QWidget* parent) {
        EXPECT_EQ(parent, &window());
        viewSeen = frmEditProduct::instance().ViewIndex();
        opened.push_back("view");
    };
    TheSubEditors().ShowStandard = [&](QWidget*) { opened.push_back("standard"); };
    TheSubEditors().ShowTolerances = [&](QWidget*) { opened.push_back("tolerances"); };

    cwnView()->selectAll();
    QTest::keyClicks(cwnView(), "5");
    click("cmdViews");
    click("cmdTargets");
    click("cmdTolerances");
    EXPECT_EQ(opened, (std::vector<std::string>{"view", "standard", "tolerances"}));
    EXPECT_EQ(viewSeen, 5);
    EXPECT_TRUE(bench.sent.empty());

    TheSubEditors() = SubEditors{};
    click("cmdViews");
    click("cmdTargets");
    click("cmdTolerances");
    EXPECT_EQ(opened.size(), 3u);
}

TEST_F(frmEditProductTest, ExchangesGoThroughTheMainWindowsErrorReport)
{
    // A timeout offers Retry (the scripted answer); the same command is sent again.
    bench.timeoutsToGive = 1;
    click("cmdLoad");
    EXPECT_EQ(bench.sent, (std::vector<QByteArray>{"P10000", "P10000"}));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(txtName()->text(), "SETUP 0");
    EXPECT_EQ(env.busyDepth, 0);

    // A refused read is an error of the click, and the setup is untouched.
    const ProductSetup before = window().EditedProductSetup();
    bench.sent.clear();
    cwnSetup()->SetValue(251);  // the stand-in refuses index 250
    try {
        window().cmdLoad_Click();
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InstrumentRefused);
    }
    EXPECT_TRUE(window().EditedProductSetup() == before);
}

TEST_F(frmEditProductTest, ShowModalRunsUntilSaveOrCancel)
{
    window().hide();
    QTimer::singleShot(0, [this] {
        QTest::keyClicks(txtName(), "modal");
        click("cmdSave");
    });
    window().ShowModal();
    EXPECT_EQ(window().result(), QDialog::Accepted);
    EXPECT_EQ(decoded(bench.setups.records[0]).Name, QByteArray("MODAL"));
}

TEST(frmEditProductWithSimulator, LoadEditSaveAndRunConfigurationAgainstTheInstrument)
{
    ScriptedEnvironment env;
    modGlobals::InstrumentDisplayName = "TR8 KZ";
    SimOptions options;
    options.inches = true;
    options.runConfigVariant = 1;
    auto sim = std::make_shared<SimInstrument>(options);
    frmUtility main(SimulatorFactory(sim));
    main.SensorDriver().OpenCommPort();
    frmEditProduct::DestroyInstance();
    const SubEditors saved = TheSubEditors();
    std::vector<std::pair<int, bool>> opened;
    TheSubEditors() = SubEditors{};
    TheSubEditors().ShowRunConfig = [&](QWidget*, bool customary) { opened.push_back({1, customary}); };
    TheSubEditors().ShowRunConfig2 = [&](QWidget*, bool customary) { opened.push_back({2, customary}); };

    frmEditProduct& window = frmEditProduct::instance();
    window.show();
    auto* cwnSetup = window.findChild<CWNumEdit*>("cwnSetup");
    auto* txtName = window.findChild<QLineEdit*>("txtName");
    cwnSetup->selectAll();
    QTest::keyClicks(cwnSetup, "37");
    sim->ClearLogs();
    QTest::mouseClick(window.findChild<QPushButton*>("cmdLoad"), Qt::LeftButton);
    EXPECT_EQ(sim->ReceivedCommands(), QList<QByteArray>{"P10024"});
    ProductSetup expected;
    FieldCodec codec;
    DecodeProductSetup(expected, sim->SetupRecord(36), codec);
    EXPECT_TRUE(window.EditedProductSetup() == expected);
    EXPECT_EQ(txtName->text(), QString::fromLatin1(expected.Name));

    QTest::mouseClick(window.findChild<QPushButton*>("cmdRunConfig"), Qt::LeftButton);
    EXPECT_EQ(opened, (std::vector<std::pair<int, bool>>{{1, true}}));

    txtName->selectAll();
    QTest::keyClicks(txtName, "renamed 37");
    QTest::mouseClick(window.findChild<QPushButton*>("cmdSave"), Qt::LeftButton);
    ProductSetup stored;
    DecodeProductSetup(stored, sim->SetupRecord(36), codec);
    expected.Name = "RENAMED 37";  // everything else as loaded
    EXPECT_TRUE(stored == expected);
    EXPECT_FALSE(window.isVisible());

    TheSubEditors() = saved;
    frmEditProduct::DestroyInstance();
}
