// The screen capture window against the simulated instrument: the picture,
// saving it, the temporary files and a timeout during the display read.
#include "TestFiles.h"
#include "AppError.h"
#include "MainWindowOnSimulator.h"
#include "ShownChecks.h"
#include "frmBitmap.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class ScreenCaptureWindow : public ::testing::Test, protected MainWindowOnSimulator {
protected:
    void start(std::vector<SimFault> faults = {})
    {
        frmBitmap::SetTemporaryFolder(folder.path());
        SimOptions options;
        // The clock is on the display.
        options.faults = std::move(faults), options.localClock = [] { return QDateTime(QDate(2024, 5, 6), QTime(14, 30)); };
        MainWindowOnSimulator::start(options);
    }
    ~ScreenCaptureWindow() override { frmBitmap::SetTemporaryFolder({}); }
    QStringList temporaryFiles() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden); }
    qsizetype displayReads() const { return instrument->ReceivedCommands().count("V0001"); }

    static void open(frmBitmap& screen)
    {
        screen.Form_Load();
        screen.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
        // The main window was active (painted before the link opened): the
        // activation moves over in events still queued.
        QCoreApplication::processEvents();
    }
    // Shown pixels that differ from the instrument's: each is a 3 x 3 square.
    // The instrument's pixel area is 128 rows of 16 bytes, the bottom row
    // first, the leftmost pixel in the most significant bit, 1 white.
    int wrongPixels(frmBitmap& screen) const
    {
        const QImage picture = screen.findChild<QLabel*>(QStringLiteral("imgScreen"))->pixmap().toImage();
        if (picture.size() != QSize(384, 384)) return -1;
        const QByteArray pixels = instrument->DisplayPixels();
        int wrong = 0;
        for (int y = 0; y < 384; ++y)
            for (int x = 0; x < 384; ++x)
                wrong += ((picture.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF) !=
                         bool((static_cast<unsigned char>(pixels[(127 - y / 3) * 16 + x / 24]) >> (7 - x / 3 % 8)) & 1);
        return wrong;
    }

    QTemporaryDir folder;
};

}  // namespace

TEST_F(ScreenCaptureWindow, ShowsTheDisplaySavesOverAFileAndCancelAndEscapeRemoveEveryTemporaryFile)
{
    start();
    const QString target = env.path(QStringLiteral("screen.bmp"));
    WriteWhole(target, QByteArray(5000, 'x'));  // an earlier, longer file of that name
    env.fileNames = {target};

    frmBitmap saving(window.get());
    open(saving);
    EXPECT_EQ(displayReads(), 1);
    EXPECT_EQ(wrongPixels(saving), 0);
    // The picture is shown from one temporary file holding the bitmap.
    ASSERT_EQ(temporaryFiles().size(), 1);
    const QByteArray shown = ReadWhole(folder.filePath(temporaryFiles()[0]));
    EXPECT_EQ(shown.mid(62), instrument->DisplayPixels());

    QTest::mouseClick(saving.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
    EXPECT_EQ(ReadWhole(target), shown);
    EXPECT_FALSE(saving.isVisible());
    EXPECT_TRUE(temporaryFiles().isEmpty());
    EXPECT_TRUE(env.messages.empty());

    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        frmBitmap screen(window.get());
        open(screen);
        // Another window takes the activation and gives it back: a second file.
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }));
        screen.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &screen; }));
        ASSERT_EQ(temporaryFiles().size(), 2);

        if (escape)
            QTest::keyClick(&screen, Qt::Key_Escape);
        else
            QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
        EXPECT_FALSE(screen.isVisible());
        EXPECT_TRUE(temporaryFiles().isEmpty()) << temporaryFiles().join(' ').toStdString();
    }

    // No temporary file can be made: the window says so and closes.
    frmBitmap::SetTemporaryFolder(folder.filePath(QStringLiteral("no such folder")));
    frmBitmap screen(window.get());
    screen.Form_Load();
    screen.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !env.messages.empty(); }));
    QTest::qWait(50);  // a second activation would show a second message
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Error Creating Temporary File");
    EXPECT_FALSE(screen.isVisible());
    EXPECT_TRUE(temporaryFiles().isEmpty());
}

TEST_F(ScreenCaptureWindow, TimeoutDuringTheReadRetriesOrEndsTheProgramAndADamagedReplyIsFatal)
{
    start({{"V0001", 1, SimFault::Kind::NoReply}, {"V0001", 3, SimFault::Kind::NoReply}, {"V0001", 4, SimFault::Kind::Garbled}});
    env.answers = {MessageAnswer::Retry, MessageAnswer::Cancel};
    {
        frmBitmap screen(window.get());
        open(screen);
        EXPECT_EQ(env.messages, (std::vector<ShownMessage>{{"Communications Timeout", MessageButtons::RetryCancel,
                                                            MessageIcon::Critical, "TR8 KZ Utility"}}));
        EXPECT_EQ(displayReads(), 2);
        EXPECT_EQ(wrongPixels(screen), 0);
    }
    frmBitmap screen(window.get());
    EXPECT_THROW(screen.Form_Load(), ProgramEnd);
    EXPECT_EQ(env.messages.size(), 2u);  // the timeout's, and no further message
    EXPECT_EQ(displayReads(), 3);
    EXPECT_EQ(env.busyDepth, 0);
    EXPECT_TRUE(temporaryFiles().isEmpty());

    frmBitmap damaged(window.get());
    EXPECT_THROW(damaged.Form_Load(), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 3u);
    EXPECT_TRUE(env.messages[2].text.startsWith("Fatal Error #") && env.messages[2].text.contains("V0001"))
        << env.messages[2].text.toStdString();
}
