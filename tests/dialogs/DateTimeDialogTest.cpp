// The set clock window: the instrument's clock set to the time of the click
// (or of the Retry after a timeout), Escape and Enter, and the label
// following the computer's clock.

#include "frmDateTime.h"

#include "AppError.h"
#include "DialogTestSupport.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

QString shown(QWidget& window) { return window.findChild<QLabel*>(QStringLiteral("lblDateTime"))->text(); }

// 2026-12-05 14:03:09 is 1796479389 seconds since 1970 (date -u -d ... +%s):
// "X000" and the Long 6B14199D; seven seconds later 6B1419A4.
const QDateTime At140309(QDate(2026, 12, 5), QTime(14, 3, 9));

}  // namespace

TEST(SetClock, SetSendsTheTimeOfTheClickEscapeSendsNothingEnterSets)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    SimMainWindow main;
    main.env.fixedNow = At140309;
    frmDateTime clicked;
    clicked.show();
    EXPECT_EQ(shown(clicked), "12/5/2026 2:03:09 PM");
    // Seven seconds pass before the click, and the label has not caught up.
    main.env.fixedNow = At140309.addSecs(7);
    clicked.findChild<QPushButton*>(QStringLiteral("cmdSet"))->click();
    EXPECT_EQ(main.sent(), QByteArrayList{"X0006B1419A4"});
    EXPECT_EQ(main.instrument->Clock(), 1796479396);

    frmDateTime escaped;
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    EXPECT_FALSE(escaped.isVisible());
    EXPECT_EQ(main.sent().size(), 1);

    main.env.fixedNow = At140309;
    frmDateTime entered;
    entered.show();
    QTest::keyClick(&entered, Qt::Key_Return);
    EXPECT_EQ(main.sent(), (QByteArrayList{"X0006B1419A4", "X0006B14199D"}));
    EXPECT_EQ(main.instrument->Clock(), 1796479389);
}

TEST(SetClock, TimeoutAnsweredRetrySendsTheTimeOfTheRetry)
{
    SimOptions options;
    options.faults = {{"X000", 1, SimFault::Kind::NoReply}};
    SimMainWindow main(options);
    main.env.fixedNow = At140309;
    // The operator reads the message for seven seconds before Retry.
    main.env.onMessage = [&](const ShownMessage&) { main.env.fixedNow = At140309.addSecs(7); };
    frmDateTime window;
    window.cmdSet_Click();
    EXPECT_EQ(main.sent(), (QByteArrayList{"X0006B14199D", "X0006B1419A4"}));
    EXPECT_EQ(main.instrument->Clock(), 1796479396);
    EXPECT_EQ(main.env.messages.size(), 1u);

    // Cancel instead ends the program, without a further message.
    SimMainWindow again(options);
    again.env.answers = {MessageAnswer::Cancel};
    frmDateTime second;
    EXPECT_THROW(second.cmdSet_Click(), ProgramEnd);
    EXPECT_EQ(again.env.messages.size(), 1u);
}

TEST(SetClock, LabelFollowsEachChangeOfTheSecondsWithinTheInterval)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    constexpr qint64 slack = 150;  // how late the event loop of a busy machine may run the timer
    SimMainWindow main;
    main.env.fixedNow = At140309;
    frmDateTime window;
    window.show();
    const QString expected[] = {"05.12.2026 14:03:10", "05.12.2026 14:03:11", "05.12.2026 14:03:12"};
    for (int step = 1; step <= 3; ++step) {
        QTest::qWait(40 * step);  // at different points of the timer's period
        main.env.fixedNow = At140309.addSecs(step);
        QElapsedTimer waited;
        waited.start();
        while (shown(window) != expected[step - 1] && waited.elapsed() < 2000) QTest::qWait(5);
        EXPECT_EQ(shown(window), expected[step - 1]);
        EXPECT_LE(waited.elapsed(), 300 + slack) << "step " << step;
    }
}
