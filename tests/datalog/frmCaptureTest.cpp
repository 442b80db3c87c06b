// The progress window driven as an operator would: its status while records
// come in and Cancel clicked, Escape pressed and the title bar's close during a
// record; the capture started from the main window with a timeout answered
// Retry and Cancel. A failed operation shown without ending the program is
// BadFileTest's (the same handler for every operation of the window).

#include "AppError.h"
#include "DatalogTestSupport.h"
#include "EnglishCommaDefaults.h"
#include "MainWindowOnSimulator.h"
#include "frmCapture.h"

#include <QDir>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace {

// Deletes the windows that operations have unloaded.
void flushUnloaded() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// The window on its own, or started from the main window on the simulator.
struct frmCaptureTest : ::testing::Test, MainWindowOnSimulator {
    const EnglishCommaDefaults defaults;
    FakeDatalog datalog{std::vector<SimDatalogRecord>(5, SimDatalogRecord{.product = "P"})};
    const QString file = env.path("capture.txt");
};

TEST_F(frmCaptureTest, CancelEscapeAndCloseKeepTheRecordsUpToTheOneUnderWay)
{
    // during: the record under way
    const struct { const char* how; int during; std::function<void(frmCapture*)> act; } cases[] = {
        // The click waits in the event queue until the window lets events run.
        {"Cancel", 2,
         [](frmCapture* w) { QTimer::singleShot(0, w->findChild<QPushButton*>("cmdCancel"), &QPushButton::click); }},
        {"Escape", 1, [](frmCapture* w) { QTest::keyClick(w, Qt::Key_Escape); }},
        {"title bar", 3, [](frmCapture* w) { EXPECT_FALSE(w->close()); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        datalog.commands.clear();
        QStringList seen;  // the status while each record comes in
        datalog.afterCommand = [&](int commands) {
            frmCapture& shown = frmCapture::instance();
            ASSERT_TRUE(shown.isVisible());
            seen << shown.findChild<QStatusBar*>("sbMessage")->currentMessage();
            if (commands == c.during) c.act(&shown);
        };
        QPointer<frmCapture> progress = &frmCapture::instance();
        progress->CaptureDatalog(datalog.exchange(), 5, file);
        EXPECT_EQ(datalog.commands, QList<QByteArray>({"S10000", "S10001", "S10002"}).mid(0, c.during));
        EXPECT_EQ(seen, QStringList({"1 / 5", "2 / 5", "3 / 5"}).mid(0, c.during));
        const QList<QByteArray> lines = Lines(file);
        ASSERT_EQ(lines.size(), c.during);
        for (int i = 0; i < c.during; ++i) EXPECT_TRUE(lines[i].startsWith(QByteArray::number(i + 1) + ",P,"));
        // The next operation gets a window of its own, without this Cancel.
        flushUnloaded();
        EXPECT_TRUE(progress.isNull());
    }
    EXPECT_TRUE(env.messages.empty());
}

TEST_F(frmCaptureTest, FieldsHoldingTheDelimiterAreWarnedOnceAndTheFileIsAsTheRulesSay)
{
    // Seven products holding the comma; the same capture with ';' in their
    // place (no warning) is the file to match, ';' read as ','.
    const auto capture = [&](const QByteArray& product, const QString& name) {
        datalog.records.assign(7, SimDatalogRecord{.product = product, .reading = 2.5f});
        frmCapture::instance().CaptureDatalog(datalog.exchange(), 7, name);
        flushUnloaded();
        return ReadWhole(name);
    };
    const QByteArray plain = capture("A;B", env.path("plain.txt"));
    EXPECT_TRUE(env.messages.empty());
    EXPECT_EQ(capture("A,B", file), QByteArray(plain).replace(';', ','));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].icon == MessageIcon::Exclamation && env.messages[0].title == "TR8 KZ Utility");
    const QStringList lines = env.messages[0].text.split('\n');
    QStringList named;  // the first five records, then the count
    for (int record = 1; record <= 5; ++record)
        named << QStringLiteral("record %1: the product name holds the delimiter ','").arg(record);
    named << "7 records in all." << "Choose Tab or ';' as the delimiter in Preferences.";
    EXPECT_EQ(lines.mid(1), named);

    // The decimal symbol of the region is the delimiter: every record.
    env.messages.clear();
    QLocale::setDefault(QLocale("de_DE"));
    SetDelimiter(false, true, QStringLiteral("|"));
    const QByteArray piped = capture("P", env.path("piped.txt"));
    EXPECT_TRUE(env.messages.empty());
    SetDelimiter(false, false, {});
    EXPECT_EQ(capture("P", file), QByteArray(piped).replace('|', ','));
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.endsWith("\nThe delimiter ',' is the regional decimal symbol: every number with "
                                              "decimals splits into two columns.\nChoose Tab or ';' as the delimiter "
                                              "in Preferences."))
        << qPrintable(env.messages[0].text);
    EXPECT_FALSE(env.messages[0].text.contains("record 1"));
}

TEST_F(frmCaptureTest, UploadFromTheMainWindowWithATimeoutAnsweredRetryOrCancel)
{
    for (const MessageAnswer answer : {MessageAnswer::Retry, MessageAnswer::Cancel}) {
        start(SimOptions{.datalogSize = 3, .faults = {{"S1", 2}}});  // nothing stored: the delimiter is a tab
        WriteWhole(file, "earlier capture\r\n");
        env.answers = {answer};
        bool menusEnabled = true;
        QTimer::singleShot(0, window.get(), [&] { menusEnabled = window->menuBar()->isEnabled(); });
        if (answer == MessageAnswer::Retry) {
            frmCapture::instance().UploadDatalog(file);
            // The count first; the record that timed out is asked again, the others once.
            EXPECT_EQ(sent(), (QList<QByteArray>{"D0001", "S10000", "S10001", "S10001", "S10002"}));
            EXPECT_EQ(Lines(file).size(), 3);
            EXPECT_TRUE(Lines(file).value(2).startsWith("3\t")) << ReadWhole(file).constData();
        } else {
            EXPECT_THROW(frmCapture::instance().UploadDatalog(file), ProgramEnd);
            // The record read before the timeout is kept, and the operator told.
            EXPECT_EQ(Lines(file).size(), 1);
            EXPECT_TRUE(ReadWhole(file).startsWith("1\t"));
            ASSERT_EQ(env.messages.size(), 2u);
            EXPECT_EQ(env.messages[1].text, "Record 2 of 3 was not read.\n1 of 3 records were saved in " + file + ".");
            EXPECT_FALSE(frmCapture::exists());
            const QFileInfo target(file);
            EXPECT_EQ(target.dir().entryList({target.completeBaseName() + "*"}, QDir::Files), QStringList{target.fileName()})
                << "no temporary file is left beside it";
        }
        EXPECT_FALSE(menusEnabled) << "no second operation can start during the capture";
        // The timeout's question, then: after Retry, once the capture is
        // complete, the warning that a sample ID of the simulated datalog
        // holds the tab (as after a reconnection: LinkLost); after Cancel,
        // how many records were kept.
        ASSERT_EQ(env.messages.size(), 2u);
        EXPECT_EQ(env.messages[0].text, "Communications Timeout");
        flushUnloaded();
    }
}

}  // namespace

TEST_F(frmCaptureTest, UploadRefusesATargetThatIsNoRegularFileBeforeAskingTheInstrument)
{
    start();
    for (const QString& target : {env.path("folder"), QStringLiteral("/dev/full")}) {
        QDir().mkpath(env.path("folder"));
        instrument->ClearLogs();
        env.messages.clear();
        frmCapture::instance().UploadDatalog(target);
        EXPECT_TRUE(sent().isEmpty()) << qPrintable(target);
        ASSERT_EQ(env.messages.size(), 1u);
        EXPECT_TRUE(env.messages[0].text.startsWith("Cannot write the file " + target + ": it is "))
            << qPrintable(env.messages[0].text);
        flushUnloaded();
        EXPECT_FALSE(frmCapture::exists());
    }
}
