#include "AppError.h"
#include "ScreenPatterns.h"
#include "ScreenTestInstrument.h"
#include "ScriptedEnvironment.h"
#include "SimInstrument.h"
#include "SimulatorDriver.h"
#include "frmBitmap.h"
#include "frmUtility.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& name)
{
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return "<unreadable>";
    return file.readAll();
}

bool isWhite(const QImage& image, int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF; }

class ScreenCaptureWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        frmBitmap::SetTemporaryFolder(folder.path());
        script.pixels = ScreenPatterns::TopLeftOnly();
        main = std::make_unique<frmUtility>(ScreenTestDriverFactory(script));
        main->Form_Load();
        ASSERT_TRUE(env.messages.empty());
        script.sent.clear();
    }

    void TearDown() override
    {
        main.reset();
        frmBitmap::SetTemporaryFolder({});
    }

    // The bitmap files in the test's temporary folder.
    QStringList filesInFolder() const
    {
        return QDir(folder.path()).entryList({QStringLiteral("*")}, QDir::Files | QDir::Hidden);
    }

    // Load, then show until the window is active: one activation.
    void open(frmBitmap& window)
    {
        window.Form_Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    // Another window takes the activation, then this one gets it back.
    static void activateAgain(frmBitmap& window)
    {
        QWidget other;
        other.show();
        other.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &other; }));
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }));
    }

    static QImage shownPicture(frmBitmap& window)
    {
        return window.findChild<QLabel*>(QStringLiteral("imgScreen"))->pixmap().toImage();
    }
    static QPushButton* button(frmBitmap& window, const char* name)
    {
        return window.findChild<QPushButton*>(QString::fromLatin1(name));
    }

    ScriptedEnvironment env;
    QTemporaryDir folder;
    ScreenTestScript script;
    std::unique_ptr<frmUtility> main;
};

}  // namespace

TEST_F(ScreenCaptureWindow, ShowsTheInstrumentScreenReadFromTheTemporaryFile)
{
    frmBitmap window(main.get());
    open(window);

    EXPECT_EQ(window.windowTitle(), "Screen Capture - TR8 KZ");
    EXPECT_FALSE(window.windowIcon().isNull());
    ASSERT_NE(button(window, "cmdSave"), nullptr);
    ASSERT_NE(button(window, "cmdCancel"), nullptr);
    EXPECT_EQ(button(window, "cmdSave")->text(), "Save");
    EXPECT_TRUE(button(window, "cmdSave")->isDefault());
    EXPECT_TRUE(button(window, "cmdSave")->isEnabled());
    EXPECT_EQ(button(window, "cmdCancel")->text(), "Cancel");

    EXPECT_EQ(script.sent, QList<QByteArray>{"V0001"});
    EXPECT_GE(env.busyCount, 1);
    EXPECT_EQ(env.busyDepth, 0);
    EXPECT_TRUE(env.messages.empty());

    // One temporary file, named by the window's prefix, holding the bitmap.
    const QStringList files = filesInFolder();
    ASSERT_EQ(files.size(), 1);
    EXPECT_TRUE(files[0].startsWith("BMP")) << files[0].toStdString();
    const QByteArray written = readAll(folder.filePath(files[0]));
    EXPECT_EQ(written.size(), 2110);
    EXPECT_TRUE(written.startsWith("BM"));
    EXPECT_EQ(written.mid(62), script.pixels);

    // Three times larger, every instrument pixel a sharp 3 x 3 square: the one
    // white pixel is the top-left square and nothing else is white.
    const QImage picture = shownPicture(window);
    ASSERT_EQ(picture.size(), QSize(384, 384));
    int white = 0;
    for (int y = 0; y < 384; ++y)
        for (int x = 0; x < 384; ++x) white += isWhite(picture, x, y);
    EXPECT_EQ(white, 9);
    EXPECT_TRUE(isWhite(picture, 0, 0));
    EXPECT_TRUE(isWhite(picture, 2, 2));
    EXPECT_FALSE(isWhite(picture, 3, 0));
    EXPECT_FALSE(isWhite(picture, 0, 3));
}

TEST_F(ScreenCaptureWindow, SaveReplacesAnExistingFileAndCloses)
{
    const QString target = env.path(QStringLiteral("screen.bmp"));
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
    env.fileNames = {target};

    frmBitmap window(main.get());
    open(window);
    QTest::mouseClick(button(window, "cmdSave"), Qt::LeftButton);

    ASSERT_EQ(env.fileChoices.size(), 1u);
    EXPECT_EQ(env.fileChoices[0].title, "Save As");
    EXPECT_EQ(env.fileChoices[0].kind, FileDialogKind::Save);
    EXPECT_EQ(env.fileChoices[0].filter, "Bitmap Files (*.bmp)|*.bmp");

    const QByteArray saved = readAll(target);
    EXPECT_EQ(saved.size(), 2110);
    EXPECT_TRUE(saved.startsWith("BM"));
    EXPECT_EQ(saved.mid(62), script.pixels);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_TRUE(env.messages.empty());
}

TEST_F(ScreenCaptureWindow, DismissedSaveCopiesNothingAndCloses)
{
    frmBitmap window(main.get());
    open(window);
    QTest::mouseClick(button(window, "cmdSave"), Qt::LeftButton);
    EXPECT_EQ(env.fileChoices.size(), 1u);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(filesInFolder().isEmpty());
    EXPECT_TRUE(QDir(env.path({})).entryList({QStringLiteral("*.bmp")}, QDir::Files).isEmpty());
}

TEST_F(ScreenCaptureWindow, FailedSaveIsReportedAndTheWindowStaysOpen)
{
    ASSERT_TRUE(QDir(env.path({})).mkdir(QStringLiteral("taken.bmp")));
    env.fileNames = {env.path(QStringLiteral("taken.bmp"))};

    frmBitmap window(main.get());
    open(window);
    QTest::mouseClick(button(window, "cmdSave"), Qt::LeftButton);

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.contains("taken.bmp")) << env.messages[0].text.toStdString();
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(window.isVisible());
    EXPECT_FALSE(filesInFolder().isEmpty());

    QTest::mouseClick(button(window, "cmdCancel"), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(ScreenCaptureWindow, CancelAndEscapeRemoveEveryTemporaryFile)
{
    for (const bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancel");
        frmBitmap window(main.get());
        open(window);
        activateAgain(window);

        // Each activation wrote a file of its own.
        const QStringList files = filesInFolder();
        ASSERT_EQ(files.size(), 2);
        ASSERT_EQ(window.TemporaryFiles().size(), 2);
        EXPECT_NE(window.TemporaryFiles()[0], window.TemporaryFiles()[1]);

        if (escape)
            QTest::keyClick(&window, Qt::Key_Escape);
        else
            QTest::mouseClick(button(window, "cmdCancel"), Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(filesInFolder().isEmpty()) << filesInFolder().join(' ').toStdString();
        EXPECT_TRUE(env.fileChoices.empty());
    }
}

TEST_F(ScreenCaptureWindow, NoTemporaryFileIsReportedAndTheWindowCloses)
{
    frmBitmap::SetTemporaryFolder(folder.filePath(QStringLiteral("no such folder")));
    frmBitmap window(main.get());
    window.Form_Load();
    window.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !env.messages.empty(); }));
    QTest::qWait(50);  // a second activation would show a second message

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Error Creating Temporary File");
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_TRUE(window.TemporaryFiles().isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(ScreenCaptureWindow, TimeoutAnsweredWithRetryReadsTheDisplayAgain)
{
    script.displayReplies = {"timeout"};
    env.answers = {MessageAnswer::Retry};
    frmBitmap window(main.get());
    open(window);

    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(script.displayReads(), 2);
    EXPECT_EQ(env.busyDepth, 0);
    const QImage picture = shownPicture(window);
    ASSERT_EQ(picture.size(), QSize(384, 384));
    EXPECT_TRUE(isWhite(picture, 1, 1));
    EXPECT_FALSE(isWhite(picture, 4, 4));
}

TEST_F(ScreenCaptureWindow, TimeoutAnsweredWithCancelEndsTheProgram)
{
    script.displayReplies = {"timeout"};
    env.answers = {MessageAnswer::Cancel};
    frmBitmap window(main.get());
    EXPECT_THROW(window.Form_Load(), ProgramEnd);
    EXPECT_EQ(env.messages.size(), 1u);  // the timeout's, and no further message
    EXPECT_EQ(script.displayReads(), 1);
    EXPECT_EQ(env.busyDepth, 0);
    EXPECT_TRUE(window.FileImage().isEmpty());
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST_F(ScreenCaptureWindow, RefusedDisplayReadIsFatal)
{
    script.displayReplies = {"?07"};
    frmBitmap window(main.get());
    EXPECT_THROW(window.Form_Load(), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_TRUE(env.messages[0].text.startsWith("Fatal Error #")) << env.messages[0].text.toStdString();
    EXPECT_TRUE(env.messages[0].text.contains("V0001"));
    EXPECT_EQ(script.displayReads(), 1);
}

TEST_F(ScreenCaptureWindow, ShowScreenCaptureRunsTheWindowModally)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<frmBitmap*>(QApplication::activeModalWidget());
        if (!window) return;  // exec would never end: the test fails on the timeout below
        seen = QTest::qWaitFor([&] { return !window->TemporaryFiles().isEmpty(); });
        seen = seen && window->isModal() && window->parentWidget() == main.get();
        QTest::mouseClick(window->findChild<QPushButton*>(QStringLiteral("cmdCancel")), Qt::LeftButton);
    });
    QTimer watchdog;  // closes a window that the step above could not reach
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
    });
    watchdog.start(5000);

    ShowScreenCapture(main.get());
    EXPECT_TRUE(seen);
    EXPECT_TRUE(watchdog.isActive());
    EXPECT_EQ(script.displayReads(), 1);
    EXPECT_TRUE(filesInFolder().isEmpty());
}

TEST(ScreenCaptureSimulated, ShowsAndSavesWhatTheSimulatedInstrumentDisplays)
{
    ScriptedEnvironment env;
    QTemporaryDir folder;
    frmBitmap::SetTemporaryFolder(folder.path());
    SimOptions options;
    options.localClock = [] { return QDateTime(QDate(2024, 5, 6), QTime(14, 30)); };  // the clock is on the display
    auto instrument = std::make_shared<SimInstrument>(options);
    {
        frmUtility main(SimulatorFactory(instrument));
        main.Form_Load();
        const QByteArray pixels = instrument->DisplayPixels();
        ASSERT_EQ(pixels.size(), 2048);

        env.fileNames = {env.path(QStringLiteral("display.bmp"))};
        frmBitmap window(&main);
        window.Form_Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

        // Every instrument pixel, as the top-left corner of its 3 x 3 square.
        const QImage picture = window.findChild<QLabel*>(QStringLiteral("imgScreen"))->pixmap().toImage();
        ASSERT_EQ(picture.size(), QSize(384, 384));
        int wrong = 0, white = 0;
        for (int y = 0; y < 128; ++y) {
            for (int x = 0; x < 128; ++x) {
                const bool shownWhite = isWhite(picture, 3 * x + 2, 3 * y + 1);
                wrong += shownWhite != ScreenPatterns::IsWhite(pixels, x, y);
                white += shownWhite;
            }
        }
        EXPECT_EQ(wrong, 0);
        EXPECT_GT(white, 0);
        EXPECT_LT(white, 128 * 128);

        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdSave")), Qt::LeftButton);
        const QByteArray saved = readAll(env.path(QStringLiteral("display.bmp")));
        EXPECT_EQ(saved.size(), 2110);
        EXPECT_EQ(saved.mid(62), pixels);
        EXPECT_TRUE(env.messages.empty());
        EXPECT_TRUE(QDir(folder.path()).isEmpty());
    }
    frmBitmap::SetTemporaryFolder({});
}
