// Comparing product setups from the Sensor menu, and the read-back offered
// after a restore, against the simulated instrument: the progress window,
// then the differences window and its text file.
#include "TestFiles.h"
#include "MainWindowOnSimulator.h"
#include "ShownChecks.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `act` on the modal window of that name once it is shown (the
// progress window lets events run first, so a single-shot timer is too early).
// The watch ends with the test's.
std::unique_ptr<QTimer> whenShown(const QString& objectName, std::function<void(QDialog*)> act)
{
    auto watch = std::make_unique<QTimer>();
    QTimer* poll = watch.get();
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, objectName, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || dialog->objectName() != objectName) return;
        poll->stop();
        act(dialog);
    });
    poll->start();
    return watch;
}

QStringList rowOf(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) texts << table->item(row, column)->text();
    return texts;
}

// After an archive of the instrument's setups from the Sensor menu.
struct CompareSetupsWindowTest : ::testing::Test, MainWindowOnSimulator {
    QString archive = env.path("setups.txt");
    void start(std::vector<SimFault> faults = {})
    {
        SimOptions options;
        options.faults = std::move(faults);
        MainWindowOnSimulator::start(options);
        env.fileNames = {archive};
        window->mnuSensorItem(0)->trigger();
        instrument->ClearLogs();
    }
};

}  // namespace

TEST_F(CompareSetupsWindowTest, DifferencesShownAndSavedAndNothingComparedForANonArchiveOrACancelledRead)
{
    start();
    const QString other = env.path("other.txt");
    WriteWhole(other, "TR8KZ product setups\r\n");
    env.fileNames = {other};
    window->mnuSensorItem(2)->trigger();
    EXPECT_TRUE(sent().isEmpty());
    EXPECT_EQ(env.messages, (std::vector<ShownMessage>{{other + " is not a product setup archive: its first line is not "
                                                                "\"TR8KZ Product Setups\"", MessageButtons::Ok, MessageIcon::Exclamation, ""}}));
    env.messages.clear();

    // Cancelled once the progress window has asked for a few setups.
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (sent().size() < 3) return;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("frmCapture") && w->isVisible()) {
                w->findChild<QPushButton*>("cmdCancel")->click();
                poll.stop();
            }
    });
    poll.start();
    bool differencesShown = false;
    auto watch = whenShown("frmSetupDifferences", [&](QDialog* d) {
        differencesShown = true;
        d->accept();
    });
    env.fileNames = {archive};
    window->mnuSensorItem(2)->trigger();
    EXPECT_TRUE(sent().size() >= 3 && sent().size() < 250) << sent().size();
    QCoreApplication::processEvents();
    EXPECT_FALSE(differencesShown);
    EXPECT_TRUE(window->menuBar()->isEnabled());
    instrument->ClearLogs();
    env.fileChoices.clear();

    // Setup 3, "OCEAN BLUE 3", renamed in the archive (same length).
    QByteArray bytes = ReadWhole(archive);
    bytes.replace(QByteArray("OCEAN BLUE 3").toHex().toUpper(), QByteArray("OCEAN BLUE 4").toHex().toUpper());
    WriteWhole(archive, bytes);
    const QString saved = env.path("differences.txt");
    env.fileNames = {archive, env.path("no such folder/d.txt"), saved};
    QStringList row, summary;
    watch = whenShown("frmSetupDifferences", [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Compare Product Setups - TR8 KZ");
        auto* table = d->findChild<QTableWidget*>("grdDifferences");
        EXPECT_EQ(table->rowCount(), 1);
        row = rowOf(table, 0);
        summary = d->findChild<QLabel*>("lblSummary")->text().split('\n');
        d->findChild<QPushButton*>("cmdSave")->click();  // refused: no such folder
        d->findChild<QPushButton*>("cmdSave")->click();
        d->accept();
    });
    window->mnuSensorItem(2)->trigger();

    ASSERT_GE(env.fileChoices.size(), 3u);
    EXPECT_EQ(env.fileChoices[1].kind, FileDialogKind::Save);
    EXPECT_EQ(sent().size(), 250) << "every setup read once";
    EXPECT_EQ(row, QStringList({"3", "Name", "OCEAN BLUE 3", "OCEAN BLUE 4"}));
    EXPECT_EQ(summary, QStringList({"1 difference in 1 setup", "File: " + archive}));
    ASSERT_EQ(env.messages.size(), 1u) << "the refused save";
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(env.messages[0].text.contains("no such folder")) << qPrintable(env.messages[0].text);
    EXPECT_EQ(ReadWhole(saved), ("setup 3: Name: \"OCEAN BLUE 3\" (instrument), \"OCEAN BLUE 4\" (" + archive +
                               ")\r\n1 difference in 1 setup\r\n").toLatin1());
    EXPECT_TRUE(window->menuBar()->isEnabled());
}

TEST_F(CompareSetupsWindowTest, ARestoreReadBackThatDiffers)
{
    start({{"P2", 5, SimFault::Kind::Altered}});
    env.fileNames = {archive};
    env.answers = {MessageAnswer::Yes};
    QStringList row;
    const auto watch = whenShown("frmSetupDifferences", [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Restored Product Setups - TR8 KZ");
        auto* table = d->findChild<QTableWidget*>("grdDifferences");
        EXPECT_EQ(table->rowCount(), 1);
        if (table->rowCount() > 0) row = rowOf(table, 0);
        d->accept();
    });
    window->mnuSensorItem(1)->trigger();
    // The archive of start() and this restore, from the Sensor menu.
    ASSERT_EQ(env.fileChoices.size(), 2u);
    EXPECT_EQ(std::pair(env.fileChoices[0].title, env.fileChoices[0].kind), std::pair(QString("Archive Product Setups"), FileDialogKind::Save));
    EXPECT_EQ(std::pair(env.fileChoices[1].title, env.fileChoices[1].kind), std::pair(QString("Restore Product Setups"), FileDialogKind::Open));
    EXPECT_EQ(env.messages, (std::vector<ShownMessage>{{"250 product setups were restored. Read them back from the instrument "
                                                        "and compare them with the file?", MessageButtons::YesNo, MessageIcon::Question, ""}}));
    EXPECT_EQ(sent().size(), 500) << "250 lines written, 250 setups read back";
    EXPECT_EQ(sent()[250], "P10000");
    ASSERT_EQ(row.size(), 4);
    EXPECT_EQ(row.mid(0, 2), QStringList({"5", "Run Configuration: Interval (s)"}));
    EXPECT_EQ(row[2].toInt(), row[3].toInt() + 1);
}
