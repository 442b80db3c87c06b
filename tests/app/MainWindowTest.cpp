// The main window against the simulated instrument, through the real driver
// interface: start-up, its refusals, and the commands of its menus.
#include "AppError.h"
#include "QtEnvironment.h"
#include "ScriptedEnvironment.h"
#include "SimulatorDriver.h"
#include "WrappedDriver.h"
#include "frmAbout.h"
#include "Preferences.h"
#include "frmUtility.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

struct MainWindowTest : ::testing::Test {
    ScriptedEnvironment env;
    std::shared_ptr<SimInstrument> instrument;
    std::unique_ptr<frmUtility> window;

    // The window on a new instrument, not yet loaded.
    void make(SimOptions options = {}, DriverFactory factory = {})
    {
        instrument = std::make_shared<SimInstrument>(std::move(options));
        window = std::make_unique<frmUtility>(factory ? factory : SimulatorFactory(instrument));
    }
    void start(SimOptions options = {}, DriverFactory factory = {})
    {
        make(std::move(options), std::move(factory));
        window->Form_Load();
        instrument->ClearLogs();
    }
    const QList<QByteArray>& sent() const { return instrument->ReceivedCommands(); }
};

}  // namespace

TEST_F(MainWindowTest, StartsUpIdentifiedAndAppliesTheStoredDelimiter)
{
    make();
    env.settings().write("Preferences", "Delimiter", "Custom:;");
    window->Form_Load();

    EXPECT_EQ(instrument->ReceivedCommands(), QList<QByteArray>({"R", "+1", "#"}));
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(GetDelimiter(), ";") << "the stored delimiter is applied at start-up";
    EXPECT_TRUE(env.messages.empty());
    // The service items stay hidden until their shortcuts.
    EXPECT_FALSE(window->mnuSensorItem(8)->isVisible());
    EXPECT_FALSE(window->mnuDatalogItem(1)->isVisible());
}

// Which device codes are tried, and that nothing is sent without a device,
// is the Sensor's (SensorTest); here the window's report, and the link
// closed behind another model.
TEST_F(MainWindowTest, RefusesAMissingInstrumentOrAnotherModelAndClosesTheLink)
{
    SimOptions missing;
    missing.usbIdentity = SimUsbIdentity::None;
    make(missing);
    EXPECT_THROW(window->Form_Load(), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Instrument not connected or turned off");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::None);
    EXPECT_EQ(env.messages[0].title, "");

    SimOptions other;
    other.model = "TR8KY";
    instrument = std::make_shared<SimInstrument>(other);
    SimulatorDriver* driver = nullptr;
    window = std::make_unique<frmUtility>([&] {
        auto made = std::make_unique<SimulatorDriver>(instrument);
        driver = made.get();
        return made;
    });
    EXPECT_THROW(window->Form_Load(), ProgramEnd);
    EXPECT_EQ(instrument->ReceivedCommands(), QList<QByteArray>({"R", "+1", "#", "+"}));
    ASSERT_TRUE(driver);
    EXPECT_FALSE(driver->IsConnected()) << "the device is closed";
    ASSERT_EQ(env.messages.size(), 2u);
    EXPECT_EQ(env.messages[1].text,
              "The firmware in the attached instrument is not compatible with this program\r\n\r\n"
              "Please contact Velmora to obtain upgrade information");
    EXPECT_EQ(env.messages[1].icon, MessageIcon::Critical);
}

TEST_F(MainWindowTest, DatalogCaptureAsksForAFileOnlyWhenTheDatalogHoldsRecords)
{
    SimOptions empty;
    empty.datalogSize = 0;
    start(empty);
    window->mnuDatalogItem(0)->trigger();
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001"}));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Datalog is empty");
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
    EXPECT_TRUE(env.fileChoices.empty());

    SimOptions some;
    some.datalogSize = 3;
    start(some);
    env.messages.clear();
    window->mnuDatalogItem(0)->trigger();  // the file choice is cancelled
    EXPECT_TRUE(env.messages.empty());
    ASSERT_EQ(env.fileChoices.size(), 1u);
    EXPECT_EQ(env.fileChoices[0].title, "Capture Datalog");
    EXPECT_EQ(env.fileChoices[0].kind, FileDialogKind::Save);
    EXPECT_EQ(env.fileChoices[0].filter, "All Files|*.*");
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001"})) << "nothing read without a file";
}

TEST_F(MainWindowTest, DatalogCountIsReadAtByte26AndOverflowIsFatal)
{
    start();
    EXPECT_EQ(window->DatalogCount(), 120);
    EXPECT_EQ(env.busyDepth, 0);
    EXPECT_GT(env.busyCount, 0) << "the hourglass shows while the instrument is asked";

    // A count above 32767 does not fit: fatal error 6, the program ends.
    auto shared = std::make_shared<SimInstrument>(SimOptions{});
    const QByteArray status = shared->Handle("D0001").value();
    const QByteArray tooMany = status.left(status.size() - 4) + "8000";
    start({}, [shared, tooMany] {
        return std::make_unique<WrappedDriver>(std::make_unique<SimulatorDriver>(shared),
                                               [tooMany](const QByteArray& command, const QByteArray& reply) {
                                                   return command == "D0001" ? tooMany : reply;
                                               });
    });
    EXPECT_THROW(window->DatalogCount(), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.startsWith("Fatal Error #6\r\n\r\n")) << qPrintable(env.messages[0].text);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
}

TEST_F(MainWindowTest, TimeoutOffersRetryAndCancelEndsWithoutAFurtherMessage)
{
    SimOptions options;
    options.faults.push_back({"D0001", 1, SimFault::Kind::NoReply});
    start(options);
    env.answers = {MessageAnswer::Retry};
    EXPECT_EQ(window->DatalogCount(), 120);
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001", "D0001"})) << "Retry repeats the exchange";
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::RetryCancel);

    SimOptions again;
    again.faults.push_back({"X000", 1, SimFault::Kind::NoReply});
    start(again);
    env.messages.clear();
    env.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
    EXPECT_THROW(window->mnuDatalogItem(2)->trigger(), ProgramEnd);
    EXPECT_EQ(env.messages.size(), 2u) << "the question, then the timeout; nothing after Cancel";
}

TEST_F(MainWindowTest, ClearSendsTheClearCommandOnlyOnYesAndExitClosesTheLink)
{
    start();
    env.answers = {MessageAnswer::No};
    window->mnuDatalogItem(2)->trigger();
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Proceed to clear the Datalog?");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Question);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
    EXPECT_TRUE(sent().isEmpty());

    env.answers = {MessageAnswer::Yes};
    window->mnuDatalogItem(2)->trigger();
    EXPECT_EQ(instrument->DatalogCount(), 0);

    window->mnuFileItem(2)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(sent(), QList<QByteArray>({"X000FFFFFFFF01", "+"}));
    EXPECT_FALSE(instrument->RemoteMode());
}

TEST_F(MainWindowTest, AboutShowsTheProgramsVersion)
{
    start();
    QString version;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        version = about->findChild<QLabel*>("lblVersion")->text();
        about->accept();
    });
    window->mnuHelpItem(0)->trigger();
    EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch()) << qPrintable(version);
}

TEST_F(MainWindowTest, ServiceShortcutsReachTheHiddenCommands)
{
    start();
    QApplication::setActiveWindow(window.get());
    // The hidden Convert item: a cancelled source asks nothing further, a
    // source then asks for the target.
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(env.fileChoices.size(), 1u);
    EXPECT_EQ(env.fileChoices[0].title, "Convert Datalog File - Import From");
    EXPECT_EQ(env.fileChoices[0].kind, FileDialogKind::Open);
    env.fileNames = {env.path("source.txt")};  // then the target is cancelled
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    ASSERT_EQ(env.fileChoices.size(), 3u);
    EXPECT_EQ(env.fileChoices[2].title, "Convert Datalog File - Save As");
    EXPECT_EQ(env.fileChoices[2].kind, FileDialogKind::Save);
    EXPECT_TRUE(sent().isEmpty());

    // The hidden Capture Screen item, after the items before it moved by one.
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            shown = dialog->objectName();
            dialog->reject();
        }
    });
    QTest::keyClick(window.get(), Qt::Key_S, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(shown, "frmBitmap");

    // Not while a long operation runs.
    window->SetOperationRunning(true);
    QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(env.fileChoices.size(), 3u);
    window->SetOperationRunning(false);
}

TEST(QtFileFilter, EveryFileAndNoPatternTwice)
{
#ifndef Q_OS_WIN
    EXPECT_EQ(QtFileFilter("All Files|*.*"), "All Files (*)");
#endif
    EXPECT_EQ(QtFileFilter("Bitmap Files (*.bmp)|*.bmp"), "Bitmap Files (*.bmp)");
    EXPECT_EQ(QtFileFilter("Text|*.txt|Bitmap Files (*.bmp)|*.bmp"), "Text (*.txt);;Bitmap Files (*.bmp)");
}
