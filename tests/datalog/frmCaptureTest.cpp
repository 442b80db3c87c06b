// The progress window driven as an operator would: found by its name, its
// Cancel clicked from inside the loop, Escape pressed, closed through its
// title bar; failures shown without ending the program; a fresh window for
// every operation; the capture started from the main window.

#include "AppError.h"
#include "DatalogTestSupport.h"
#include "Preferences.h"
#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "frmCapture.h"
#include "frmUtility.h"
#include "modGlobals.h"

#include <QApplication>
#include <QMenuBar>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

frmCapture* findWindow()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("frmCapture") && w->isVisible()) return qobject_cast<frmCapture*>(w);
    return nullptr;
}

QPushButton* cancelButton(QWidget* window) { return window->findChild<QPushButton*>("cmdCancel"); }
QProgressBar* progressBar(QWidget* window) { return window->findChild<QProgressBar*>("barCompleted"); }
QString statusText(QWidget* window) { return window->findChild<QStatusBar*>("sbMessage")->currentMessage(); }

// Deletes the windows that operations have unloaded.
void flushUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

CaptureRecord simpleRecord(int index)
{
    CaptureRecord r;
    r.index = index;
    r.product = "P";
    r.seconds = 1710460800;  // 2024-03-15, midnight
    return r;
}

class frmCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QLocale::setDefault(QLocale("en_US"));
        SetDelimiter(false, false, {});  // comma
        modGlobals::MainCaption = QStringLiteral("TR8 KZ Utility");
        for (int i = 0; i < 5; ++i) datalog.replies[i] = EncodeCaptureReply(simpleRecord(i));
        file = env.path("capture.txt");
    }
    void TearDown() override
    {
        flushUnloaded();
        QLocale::setDefault(QLocale::system());
    }

    ScriptedEnvironment env;
    FakeDatalog datalog;
    QString file;
};

TEST_F(frmCaptureTest, ShowsTheProgressOfEachRecord)
{
    QStringList seen;
    datalog.afterCommand = [&](int commands) {
        frmCapture* window = findWindow();
        ASSERT_NE(window, nullptr);
        EXPECT_EQ(window->windowTitle(), "Capturing Datalog...");
        EXPECT_FALSE(window->isModal());
        EXPECT_EQ(progressBar(window)->maximum(), 3);
        EXPECT_EQ(progressBar(window)->value(), commands - 1);
        seen << statusText(window);
    };

    frmCapture::instance().CaptureDatalog(datalog.exchange(), 3, file);

    EXPECT_EQ(seen, (QStringList{"1 / 3", "2 / 3", "3 / 3"}));
    EXPECT_EQ(ReadCrLfLines(file).size(), 3);
    EXPECT_TRUE(ReadCrLfLines(file)[2].startsWith("3,P,,1,PHYSICAL,ABSOLUTE,0,Sam,3/15/24,A/2,(...),(...),distance,"));
    EXPECT_TRUE(env.messages.empty());
    EXPECT_FALSE(frmCapture::exists());
    EXPECT_EQ(findWindow(), nullptr);
}

TEST_F(frmCaptureTest, WindowLayout)
{
    frmCapture& window = frmCapture::instance();
    EXPECT_EQ(window.objectName(), "frmCapture");
    QPushButton* cancel = cancelButton(&window);
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(cancel->text(), "Cancel");
    ASSERT_NE(progressBar(&window), nullptr);
    ASSERT_NE(window.findChild<QStatusBar*>("sbMessage"), nullptr);
    window.show();
    QCoreApplication::processEvents();
    // The bar above the button, the status bar along the bottom edge.
    EXPECT_LT(progressBar(&window)->geometry().bottom(), cancel->geometry().top());
    EXPECT_LT(cancel->geometry().bottom(), window.findChild<QStatusBar*>("sbMessage")->geometry().top());
    EXPECT_EQ(window.findChild<QStatusBar*>("sbMessage")->geometry().bottom(), window.rect().bottom());
    EXPECT_NEAR(cancel->geometry().center().x(), window.rect().center().x(), 2);
    delete &window;
    EXPECT_FALSE(frmCapture::exists());
}

TEST_F(frmCaptureTest, CancelClickedDuringRecordKeepsRecordsUpToIt)
{
    datalog.afterCommand = [&](int commands) {
        // The click waits in the event queue until the record is written and
        // the window lets events run.
        if (commands == 2) QTimer::singleShot(0, [] { cancelButton(findWindow())->click(); });
    };
    frmCapture::instance().CaptureDatalog(datalog.exchange(), 5, file);

    EXPECT_EQ(datalog.commands, (QList<QByteArray>{"S10000", "S10001"}));
    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[1].startsWith("2,P,"));
    EXPECT_TRUE(env.messages.empty());
    EXPECT_EQ(findWindow(), nullptr);
}

TEST_F(frmCaptureTest, EscapePressesCancel)
{
    datalog.afterCommand = [&](int commands) {
        if (commands == 1) QTest::keyClick(findWindow(), Qt::Key_Escape);
    };
    frmCapture::instance().CaptureDatalog(datalog.exchange(), 5, file);
    EXPECT_EQ(datalog.commands.size(), 1);
    EXPECT_EQ(ReadCrLfLines(file).size(), 1);
}

TEST_F(frmCaptureTest, ClosingThroughTheTitleBarActsAsCancel)
{
    datalog.afterCommand = [&](int commands) {
        if (commands != 3) return;
        frmCapture* window = findWindow();
        EXPECT_FALSE(window->close());  // the close is refused...
        EXPECT_TRUE(window->isVisible());
        EXPECT_TRUE(window->CancelRequested());  // ...and taken as Cancel
    };
    frmCapture::instance().CaptureDatalog(datalog.exchange(), 5, file);
    EXPECT_EQ(datalog.commands.size(), 3);
    EXPECT_EQ(ReadCrLfLines(file).size(), 3);
    EXPECT_EQ(findWindow(), nullptr);
}

TEST_F(frmCaptureTest, ErrorIsShownAndTheProgramGoesOn)
{
    datalog.replies[1] = "?05";
    WriteWhole(file, "earlier capture\r\n");

    EXPECT_NO_THROW(frmCapture::instance().CaptureDatalog(datalog.exchange(), 3, file));

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
    EXPECT_TRUE(env.messages[0].text.startsWith("Record 2 of 3: ")) << env.messages[0].text.toStdString();
    EXPECT_EQ(ReadWhole(file), "earlier capture\r\n");
    EXPECT_FALSE(frmCapture::exists());
    EXPECT_EQ(findWindow(), nullptr);
}

TEST_F(frmCaptureTest, TimeoutDuringARecordOffersRetryOfThatRecord)
{
    SimOptions options;
    options.datalogSize = 3;
    options.faults.push_back({"S1", 2, SimFault::Kind::NoReply});
    auto instrument = std::make_shared<SimInstrument>(options);
    frmUtility main(SimulatorFactory(instrument));
    main.Form_Load();
    instrument->ClearLogs();
    env.answers = {MessageAnswer::Retry};

    frmCapture::instance().UploadDatalog(file);

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(instrument->ReceivedCommands(),
              (QList<QByteArray>{"D0001", "S10000", "S10001", "S10001", "S10002"}))
        << "the record that timed out is asked again, the others once";
    EXPECT_EQ(ReadCrLfLines(file).size(), 3);
}

TEST_F(frmCaptureTest, TimeoutCancelledEndsTheProgramAndKeepsTheEarlierFile)
{
    SimOptions options;
    options.datalogSize = 3;
    options.faults.push_back({"S1", 2, SimFault::Kind::NoReply});
    auto instrument = std::make_shared<SimInstrument>(options);
    frmUtility main(SimulatorFactory(instrument));
    main.Form_Load();
    WriteWhole(file, "earlier capture\r\n");
    env.answers = {MessageAnswer::Cancel};

    EXPECT_THROW(frmCapture::instance().UploadDatalog(file), ProgramEnd);
    EXPECT_FALSE(frmCapture::exists());
    EXPECT_EQ(ReadWhole(file), "earlier capture\r\n");
    EXPECT_EQ(env.messages.size(), 1u) << "only the timeout's question";

    const Exchange ends = [](const QByteArray&) -> QByteArray { throw ProgramEnd{1}; };
    EXPECT_THROW(frmCapture::instance().CaptureDatalog(ends, 3, file), ProgramEnd);
    EXPECT_FALSE(frmCapture::exists());
    EXPECT_EQ(env.messages.size(), 1u);
}

TEST_F(frmCaptureTest, EachOperationStartsFromAFreshWindow)
{
    QPointer<frmCapture> first = &frmCapture::instance();
    // Cancelled through the title bar after the first record.
    datalog.afterCommand = [&](int) { findWindow()->close(); };
    first->CaptureDatalog(datalog.exchange(), 3, file);
    EXPECT_EQ(ReadCrLfLines(file).size(), 1);
    flushUnloaded();
    EXPECT_TRUE(first.isNull());

    datalog.afterCommand = nullptr;
    frmCapture& second = frmCapture::instance();
    EXPECT_FALSE(second.CancelRequested());
    second.CaptureDatalog(datalog.exchange(), 3, file);
    EXPECT_EQ(ReadCrLfLines(file).size(), 3);  // the earlier Cancel did not carry over
}

class frmCaptureConversionTest : public frmCaptureTest {
protected:
    void SetUp() override
    {
        frmCaptureTest::SetUp();
        source = env.path("stored.txt");
        StoredRecord r;
        r.product = "Q";
        r.seconds = 1710460800;
        QByteArray stored = "#00\r\n";
        for (int i = 0; i < 4; ++i) {
            r.index = i;
            stored += EncodeStoredLine(r) + "\r\n";
        }
        WriteWhole(source, stored);
        target = env.path("converted.txt");
    }
    QString source, target;
};

TEST_F(frmCaptureConversionTest, ConversionEndsWithItsMessage)
{
    env.onMessage = [&](const ShownMessage&) {
        frmCapture* window = findWindow();
        ASSERT_NE(window, nullptr);  // the message comes before the window closes
        EXPECT_EQ(window->windowTitle(), "Converting Datalog...");
        EXPECT_EQ(statusText(window), "5");
    };
    frmCapture::instance().ConvertDatalog(source, target);

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Conversion completed");
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Information);
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
    const QList<QByteArray> lines = ReadCrLfLines(target);
    ASSERT_EQ(lines.size(), 5);
    EXPECT_TRUE(lines[4].startsWith("4,Q,,1,PHYSICAL,ABSOLUTE,0::0,Sam,3/15/24,A/2,(...),(...),0.0000,"));
    EXPECT_EQ(findWindow(), nullptr);
}

TEST_F(frmCaptureConversionTest, CancelledConversionWritesNothingAndSaysNothing)
{
    WriteWhole(target, "earlier conversion\r\n");
    QTimer::singleShot(0, [] { cancelButton(findWindow())->click(); });  // heard after the first line
    frmCapture::instance().ConvertDatalog(source, target);
    EXPECT_TRUE(env.messages.empty());
    EXPECT_EQ(ReadWhole(target), "earlier conversion\r\n");
}

TEST_F(frmCaptureConversionTest, BadLineIsShownAndNoCompletionMessage)
{
    WriteWhole(source, "#00\r\nL0001\r\n");
    frmCapture::instance().ConvertDatalog(source, target);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(env.messages[0].text.startsWith("Line 2 of ")) << env.messages[0].text.toStdString();
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(frmCaptureTest, UploadDatalogFromTheMainWindow)
{
    SimOptions options;
    options.datalogSize = 7;
    auto instrument = std::make_shared<SimInstrument>(options);
    frmUtility main(SimulatorFactory(instrument));
    main.Form_Load();
    ASSERT_TRUE(env.messages.empty());
    instrument->ClearLogs();

    bool menusEnabledDuringCapture = true;
    QTimer::singleShot(0, [&] { menusEnabledDuringCapture = main.menuBar()->isEnabled(); });
    frmCapture::instance().UploadDatalog(file);

    const QList<QByteArray>& received = instrument->ReceivedCommands();
    ASSERT_EQ(received.size(), 8);
    EXPECT_EQ(received[0], "D0001");  // the count first
    EXPECT_EQ(received[1], "S10000");
    EXPECT_EQ(received[7], "S10006");
    const QList<QByteArray> lines = ReadCrLfLines(file);
    ASSERT_EQ(lines.size(), 7);
    // Nothing stored yet: the delimiter preference is a tab.
    EXPECT_GE(lines[6].split('\t').size(), 56);
    EXPECT_TRUE(lines[6].startsWith("7\t"));
    EXPECT_FALSE(menusEnabledDuringCapture);
    EXPECT_TRUE(main.menuBar()->isEnabled());
    EXPECT_TRUE(env.messages.empty());
}

}  // namespace
