#include "frmDateTime.h"

#include "AppError.h"
#include "DialogTestSupport.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QString shown(QWidget& window) { return window.findChild<QLabel*>(QStringLiteral("lblDateTime"))->text(); }
QTimer* timer(QWidget& window) { return window.findChild<QTimer*>(QStringLiteral("tmrTimer")); }
QPushButton* button(QWidget& window, const char* name) { return window.findChild<QPushButton*>(QLatin1String(name)); }

// 2026-12-05 14:03:09 and 14:03:16 in seconds since 1970 (date -u -d ... +%s).
const QDateTime At140309(QDate(2026, 12, 5), QTime(14, 3, 9));
constexpr int32_t At140309Seconds = 1796479389;
constexpr int32_t At140316Seconds = 1796479396;

// The computer's wall-clock time as the instrument counts it.
int64_t WallClockSeconds()
{
    const QDateTime now = QDateTime::currentDateTime();
    return QDateTime(now.date(), now.time(), Qt::UTC).toSecsSinceEpoch();
}

}  // namespace

TEST(SetClock, ControlsAndCaption)
{
    SimMainWindow main;
    frmDateTime window;
    EXPECT_EQ(window.objectName(), "frmDateTime");
    EXPECT_EQ(window.windowTitle(), "Set Clock - TR8 KZ");
    EXPECT_FALSE(window.windowIcon().isNull());
    EXPECT_EQ(window.findChild<QLabel*>("lblPrompt")->text(),
              "Press Set to update the instrument's clock to the date and time shown");
    EXPECT_EQ(button(window, "cmdSet")->text(), "Set");
    EXPECT_TRUE(button(window, "cmdSet")->isDefault());
    EXPECT_EQ(button(window, "cmdCancel")->text(), "Cancel");
    ASSERT_NE(timer(window), nullptr);
    EXPECT_TRUE(timer(window)->isActive());
    EXPECT_EQ(timer(window)->interval(), 300);
}

TEST(SetClock, ShowsTheClockInTheRegionalGeneralForm)
{
    ScriptedEnvironment env;
    struct Case {
        QLocale locale;
        QDateTime now;
        QString text;
    };
    const QDate day(2026, 12, 5);
    const Case cases[] = {
        {QLocale(QLocale::English, QLocale::UnitedStates), QDateTime(day, QTime(0, 0)), "12/5/26"},
        {QLocale(QLocale::English, QLocale::UnitedStates), QDateTime(day, QTime(14, 3, 9)), "12/5/26 2:03:09 PM"},
        {QLocale(QLocale::English, QLocale::UnitedStates), QDateTime(day, QTime(0, 0, 1)), "12/5/26 12:00:01 AM"},
        {QLocale(QLocale::German, QLocale::Germany), QDateTime(day, QTime(0, 0)), "05.12.26"},
        {QLocale(QLocale::German, QLocale::Germany), QDateTime(day, QTime(14, 3, 9)), "05.12.26 14:03:09"},
        // Shown to the whole second: part of the first second is midnight.
        {QLocale(QLocale::German, QLocale::Germany), QDateTime(day, QTime(0, 0, 0, 400)), "05.12.26"},
        {QLocale(QLocale::German, QLocale::Germany), QDateTime(day, QTime(9, 5, 7, 999)), "05.12.26 09:05:07"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        LocaleGuard locale(c.locale);
        env.fixedNow = c.now;
        frmDateTime window;
        EXPECT_EQ(shown(window), c.text);
    }
}

TEST(SetClock, SetSendsTheTimeOfTheClickAndCloses)
{
    LocaleGuard locale(QLocale(QLocale::English, QLocale::UnitedStates));
    SimMainWindow main;
    main.env.fixedNow = At140309;
    frmDateTime window;
    window.show();
    EXPECT_EQ(shown(window), "12/5/26 2:03:09 PM");

    // Seven seconds pass before the click, and the label has not caught up.
    main.env.fixedNow = At140309.addSecs(7);
    const int busyBefore = main.env.busyCount;
    button(window, "cmdSet")->click();

    // "X000", then the seconds as a Long: 1796479396 is 6B1419A4.
    EXPECT_EQ(main.sentSinceLoad(), QByteArrayList{"X0006B1419A4"});
    EXPECT_EQ(main.instrument->Clock(), At140316Seconds);
    EXPECT_GT(main.env.busyCount, busyBefore);
    EXPECT_EQ(main.env.busyDepth, 0);
    EXPECT_FALSE(timer(window)->isActive());
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_TRUE(main.env.messages.empty());
}

TEST(SetClock, SetWithTheComputersClock)
{
    SimMainWindow main;
    frmDateTime window;
    window.show();
    const int64_t before = WallClockSeconds();
    button(window, "cmdSet")->click();
    const int64_t after = WallClockSeconds();
    ASSERT_EQ(main.sentSinceLoad().size(), 1);
    // The time sent, rounded to the nearest second, lies between the
    // readings taken around the click.
    const QByteArray sent = main.sentSinceLoad()[0];
    ASSERT_TRUE(sent.startsWith("X000"));
    bool ok = false;
    const int64_t seconds = static_cast<int32_t>(sent.mid(4).toUInt(&ok, 16));
    ASSERT_TRUE(ok) << sent.toStdString();
    EXPECT_GE(seconds, before);
    EXPECT_LE(seconds, after + 1);
    // And the instrument's clock now keeps the computer's time.
    EXPECT_LE(std::abs(main.instrument->Clock() - WallClockSeconds()), 1);
}

TEST(SetClock, LabelFollowsEachChangeOfTheSecondsWithinTheInterval)
{
    LocaleGuard locale(QLocale(QLocale::German, QLocale::Germany));
    // How late the event loop of a busy test machine may run the timer.
    constexpr qint64 slack = 150;
    {
        // The scripted clock, moved on at chosen moments.
        SimMainWindow main;
        main.env.fixedNow = At140309;
        frmDateTime window;
        window.show();
        for (int step = 1; step <= 3; ++step) {
            QTest::qWait(40 * step);  // at different points of the timer's period
            main.env.fixedNow = At140309.addSecs(step);
            const QString expected = QStringLiteral("05.12.26 14:03:%1").arg(9 + step, 2, 10, QLatin1Char('0'));
            QElapsedTimer waited;
            waited.start();
            while (shown(window) != expected && waited.elapsed() < 2000) QTest::qWait(5);
            EXPECT_EQ(shown(window), expected);
            EXPECT_LE(waited.elapsed(), 300 + slack) << "step " << step;
        }
        window.reject();
    }
    {
        // The computer's clock over more than two changes of its seconds: the
        // label never lags behind it for longer than the interval.
        ScriptedEnvironment env;
        frmDateTime window;
        window.show();
        QElapsedTimer total, lagging;
        total.start();
        qint64 longestLag = 0;
        int changes = 0;
        QString last = shown(window);
        while (total.elapsed() < 2500) {
            QTest::qWait(5);
            const QDateTime now = QDateTime::currentDateTime();
            const QString current = QLocale().toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                                    now.time().toString(QStringLiteral("HH:mm:ss"));
            if (shown(window) != last) {
                last = shown(window);
                ++changes;
            }
            if (shown(window) == current || current.endsWith(QLatin1String("00:00:00"))) {
                lagging.invalidate();
            } else if (!lagging.isValid()) {
                lagging.start();
            } else {
                longestLag = std::max(longestLag, lagging.elapsed());
            }
        }
        EXPECT_GE(changes, 2);
        EXPECT_LE(longestLag, 300 + slack);
    }
}

TEST(SetClock, EscapeClosesWithoutSendingAndEnterSets)
{
    SimMainWindow main;
    {
        frmDateTime window;
        window.show();
        QTest::keyClick(&window, Qt::Key_Escape);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
        EXPECT_FALSE(timer(window)->isActive());
        EXPECT_TRUE(main.sentSinceLoad().isEmpty());
    }
    {
        frmDateTime window;
        window.show();
        button(window, "cmdCancel")->click();
        EXPECT_FALSE(window.isVisible());
        EXPECT_FALSE(timer(window)->isActive());
        EXPECT_TRUE(main.sentSinceLoad().isEmpty());
    }
    {
        main.env.fixedNow = At140309;
        frmDateTime window;
        window.show();
        QTest::keyClick(&window, Qt::Key_Return);
        EXPECT_EQ(main.sentSinceLoad(), QByteArrayList{"X0006B14199D"});
        EXPECT_EQ(main.instrument->Clock(), At140309Seconds);
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
}

TEST(SetClock, TimeoutAnsweredWithRetrySetsTheClockWithTheTimeOfTheRetry)
{
    SimOptions options;
    options.faults = {Fault("X000", 1)};
    SimMainWindow main(options);
    main.env.fixedNow = At140309;
    // The operator reads the message for seven seconds before Retry.
    main.env.onMessage = [&](const ShownMessage&) { main.env.fixedNow = At140309.addSecs(7); };
    main.env.answers = {MessageAnswer::Retry};
    frmDateTime window;
    window.show();
    button(window, "cmdSet")->click();
    ASSERT_EQ(main.env.messages.size(), 1u);
    EXPECT_EQ(main.env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(main.sentSinceLoad(), (QByteArrayList{"X0006B14199D", "X0006B1419A4"}));
    EXPECT_EQ(main.instrument->Clock(), At140316Seconds);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(main.env.busyDepth, 0);
}

TEST(SetClock, CancelAfterTimeoutEndsTheProgramWithoutFurtherMessage)
{
    SimOptions options;
    options.faults = {Fault("X000", 1)};
    SimMainWindow main(options);
    main.env.answers = {MessageAnswer::Cancel};
    frmDateTime window;
    window.show();
    EXPECT_THROW(window.cmdSet_Click(), ProgramEnd);
    EXPECT_EQ(main.env.messages.size(), 1u);
    EXPECT_EQ(main.sentSinceLoad().size(), 1);
    EXPECT_EQ(main.env.busyDepth, 0);
}

TEST(SetClock, MenuCommandRunsTheWindowModally)
{
    SimMainWindow main;
    main.env.fixedNow = At140309;
    bool wasModal = false;
    WhenModal<frmDateTime>([&](frmDateTime& window) {
        wasModal = window.isModal();
        button(window, "cmdSet")->click();
    });
    ShowSetClock(main.window.get());
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(main.instrument->Clock(), At140309Seconds);
}

TEST(SetClock, SensorMenuOpensTheWindow)
{
    SimMainWindow main;
    bool shown = false;
    WhenModal<frmDateTime>([&](frmDateTime& window) {
        shown = true;
        QTest::keyClick(&window, Qt::Key_Escape);
    });
    main.window->mnuSensorItem(5)->trigger();
    EXPECT_TRUE(shown);
    EXPECT_TRUE(main.sentSinceLoad().isEmpty());
}
