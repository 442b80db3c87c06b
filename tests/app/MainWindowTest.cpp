// The main window against the simulated instrument, through the real driver
// interface: start-up, its refusals, and the commands of its menus.
#include "AppError.h"
#include "QtEnvironment.h"
#include "MainWindowOnSimulator.h"
#include "ShownChecks.h"
#include "WrappedDriver.h"
#include "frmAbout.h"
#include "Preferences.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

using Messages = std::vector<ShownMessage>;
const QString Title = "TR8 KZ Utility";

struct MainWindowTest : ::testing::Test, MainWindowOnSimulator {};

}  // namespace

TEST_F(MainWindowTest, StartsUpIdentifiedWithTheStoredDelimiterAndItsHelpAndServiceCommands)
{
    make();
    env.settings().write("Preferences", "Delimiter", "Custom:;");
    window->Form_Load();
    EXPECT_EQ(sent(), QList<QByteArray>({"R", "+1", "#"}));
    EXPECT_TRUE(window->isVisible() && env.messages.empty());
    EXPECT_EQ(GetDelimiter(), ";") << "the stored delimiter is applied at start-up";
    // The service items stay hidden until their shortcuts.
    EXPECT_FALSE(window->mnuSensorItem(8)->isVisible() || window->mnuDatalogItem(1)->isVisible());
    instrument->ClearLogs();

    QString version;
    QTimer::singleShot(0, [&] {
        auto* about = qobject_cast<frmAbout*>(QApplication::activeModalWidget());
        ASSERT_TRUE(about);
        version = about->findChild<QLabel*>("lblVersion")->text();
        about->accept();
    });
    window->mnuHelpItem(0)->trigger();
    EXPECT_TRUE(QRegularExpression("^Version \\d+\\.\\d+\\.\\d+$").match(version).hasMatch()) << qPrintable(version);

    QApplication::setActiveWindow(window.get());
    // The hidden Convert item: a cancelled source asks nothing further, a
    // source then asks for the target.
    const auto convert = [&] { QTest::keyClick(window.get(), Qt::Key_V, Qt::ControlModifier | Qt::ShiftModifier); };
    convert();
    env.fileNames = {env.path("source.txt")};  // then the target is cancelled
    convert();
    const QString all = "All Files|*.*";
    EXPECT_EQ(env.fileChoices, (std::vector<FileChoice>{{"Convert Datalog File - Import From", FileDialogKind::Open, all},
                                                        {"Convert Datalog File - Import From", FileDialogKind::Open, all},
                                                        {"Convert Datalog File - Save As", FileDialogKind::Save, all}}));
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
    convert();
    EXPECT_EQ(env.fileChoices.size(), 3u);
}

// Which device codes are tried, and that nothing is sent without a device,
// is the Sensor's (SensorTest); here the window's report, and the link
// closed behind another model.
TEST_F(MainWindowTest, RefusesAMissingInstrumentOrAnotherModelAndClosesTheLink)
{
    SimOptions missing, other;
    missing.usbIdentity = SimUsbIdentity::None;
    other.model = "TR8KY";
    make(missing);
    EXPECT_THROW(window->Form_Load(), ProgramEnd);
    SimulatorDriver* driver = nullptr;
    make(other, [&] {
        auto made = std::make_unique<SimulatorDriver>(instrument);
        driver = made.get();
        return made;
    });
    EXPECT_THROW(window->Form_Load(), ProgramEnd);
    EXPECT_EQ(sent(), QList<QByteArray>({"R", "+1", "#", "+"}));
    ASSERT_TRUE(driver);
    EXPECT_FALSE(driver->IsConnected()) << "the device is closed";
    EXPECT_EQ(env.messages, (Messages{{"Instrument not connected or turned off", MessageButtons::Ok, MessageIcon::None, ""},
                                      {"The firmware in the attached instrument is not compatible with this program\r\n\r\n"
                                       "Please contact Velmora to obtain upgrade information",
                                       MessageButtons::Ok, MessageIcon::Critical, ""}}));
}

TEST_F(MainWindowTest, CaptureAsksForAFileOnlyWhenTheDatalogHoldsRecordsClearOnlyOnYesAndExitClosesTheLink)
{
    SimOptions empty, some;
    empty.datalogSize = 0;
    some.datalogSize = 3;
    start(empty);
    window->mnuDatalogItem(0)->trigger();
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001"}));
    EXPECT_EQ(env.messages, (Messages{{"Datalog is empty", MessageButtons::Ok, MessageIcon::Exclamation, Title}}));
    EXPECT_TRUE(env.fileChoices.empty());

    start(some);
    window->mnuDatalogItem(0)->trigger();  // the file choice is cancelled
    EXPECT_TRUE(env.messages.empty());
    EXPECT_EQ(env.fileChoices, (std::vector<FileChoice>{{"Capture Datalog", FileDialogKind::Save, "All Files|*.*"}}));
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001"})) << "nothing read without a file";

    // Clear asks first, and Exit closes the link.
    start();
    env.answers = {MessageAnswer::No, MessageAnswer::Yes};
    window->mnuDatalogItem(2)->trigger();
    EXPECT_EQ(env.messages, (Messages{{"Proceed to clear the Datalog?", MessageButtons::YesNo, MessageIcon::Question, Title}}));
    EXPECT_TRUE(sent().isEmpty());

    window->mnuDatalogItem(2)->trigger();
    EXPECT_EQ(instrument->DatalogCount(), 0);
    window->mnuFileItem(2)->trigger();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(sent(), QList<QByteArray>({"X000FFFFFFFF01", "+"}));
    EXPECT_FALSE(instrument->RemoteMode());
}

TEST_F(MainWindowTest, DatalogCountIsReadAtByte26AndOverflowIsFatal)
{
    start();
    EXPECT_EQ(window->DatalogCount(), 120);
    EXPECT_EQ(env.busyDepth, 0);
    EXPECT_GT(env.busyCount, 0) << "the hourglass shows while the instrument is asked";

    // A count above 32767 does not fit: fatal error 6, the program ends.
    const QByteArray status = instrument->Handle("D0001").value();
    const QByteArray tooMany = status.left(status.size() - 4) + "8000";
    start({}, [this, tooMany] {
        return std::make_unique<WrappedDriver>(std::make_unique<SimulatorDriver>(instrument),
            [tooMany](const QByteArray& command, const QByteArray& reply) { return command == "D0001" ? tooMany : reply; });
    });
    EXPECT_THROW(window->DatalogCount(), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.startsWith("Fatal Error #6\r\n\r\n")) << qPrintable(env.messages[0].text);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
}

TEST_F(MainWindowTest, TimeoutOffersRetryAndCancelEndsWithoutAFurtherMessage)
{
    SimOptions options, again;
    options.faults.push_back({"D0001", 1, SimFault::Kind::NoReply});
    again.faults.push_back({"X000", 1, SimFault::Kind::NoReply});
    start(options);
    env.answers = {MessageAnswer::Retry};
    EXPECT_EQ(window->DatalogCount(), 120);
    EXPECT_EQ(sent(), QList<QByteArray>({"D0001", "D0001"})) << "Retry repeats the exchange";
    EXPECT_EQ(env.messages, (Messages{{"Communications Timeout", MessageButtons::RetryCancel, MessageIcon::Critical, Title}}));

    start(again);
    env.answers = {MessageAnswer::Yes, MessageAnswer::Cancel};
    EXPECT_THROW(window->mnuDatalogItem(2)->trigger(), ProgramEnd);
    EXPECT_EQ(env.messages.size(), 2u) << "the question, then the timeout; nothing after Cancel";
}


TEST(QtFileFilter, EveryFileAndNoPatternTwice)
{
#ifndef Q_OS_WIN
    EXPECT_EQ(QtFileFilter("All Files|*.*"), "All Files (*)");
#endif
    EXPECT_EQ(QtFileFilter("Bitmap Files (*.bmp)|*.bmp"), "Bitmap Files (*.bmp)");
    EXPECT_EQ(QtFileFilter("Text|*.txt|Bitmap Files (*.bmp)|*.bmp"), "Text (*.txt);;Bitmap Files (*.bmp)");
}
