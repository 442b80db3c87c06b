// Archive and restore of all setups against the simulated instrument, through
// the Sensor as the program runs it.
#include "ErrorOf.h"
#include "Exchange.h"
#include "ProgressSink.h"
#include "Sensor.h"
#include "SetupArchive.h"
#include "SimulatorDriver.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QByteArray Header = "TR8KZ Product Setups\r\n";

class RecordingProgress : public ProgressSink {
public:
    void SetCaption(const QString&) override {}
    void SetMaximum(int) override {}
    void SetValue(int) override {}
    void SetStatus(const QString& s) override { statuses << s; }
    void Yield() override { cancel = cancel || ++yields == cancelAtYield; }
    void ClearCancel() override { cancel = false; }
    bool CancelRequested() const override { return cancel; }

    QStringList statuses;
    int yields = 0;
    int cancelAtYield = -1;  // the Yield that delivers the operator's Cancel
    bool cancel = false;
};

QByteArray readAll(const QString& name)
{
    QFile f(name);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(missing)");
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// The archive line of a setup index: "P2", the index and the stored record.
QByteArray lineOf(const SimInstrument& instrument, int index)
{
    return "P2" + QByteArray::number(index, 16).toUpper().rightJustified(2, '0') + instrument.SetupRecord(index);
}

class SetupArchiveTest : public ::testing::Test {
protected:
    void SetUp() override { start(); }
    void start(std::vector<SimFault> faults = {})
    {
        SimOptions options;
        options.faults = std::move(faults);
        sim = std::make_shared<SimInstrument>(options);
        sensor = std::make_unique<Sensor>(SimulatorFactory(sim));
        sensor->OpenCommPort();
        sim->ClearLogs();
    }
    Exchange exchange() { return DirectExchange(*sensor); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QByteArray archiveOf(int count) const
    {
        QByteArray text = Header;
        for (int i = 0; i < count; ++i) text += lineOf(*sim, i) + "\r\n";
        return text;
    }

    QTemporaryDir dir;
    std::shared_ptr<SimInstrument> sim;
    std::unique_ptr<Sensor> sensor;
    RecordingProgress progress;
};

}  // namespace

TEST_F(SetupArchiveTest, ArchiveChangeRestoreBringsBackTheOriginalSetups)
{
    const auto original = sim->State().setups;
    const SetupArchive::ArchiveResult archived = SetupArchive::Archive(exchange(), path("all.txt"), progress);
    EXPECT_EQ(archived.SetupsArchived, 250);
    EXPECT_FALSE(archived.Cancelled);
    EXPECT_EQ(readAll(path("all.txt")), archiveOf(250));  // the header and 250 lines
    ASSERT_EQ(sim->ReceivedCommands().size(), 250);
    EXPECT_EQ(sim->ReceivedCommands().front(), "P10000");
    EXPECT_EQ(sim->ReceivedCommands().back(), "P100F9");

    // Three setups of another instrument restored: each line sent unchanged,
    // in file order, the status naming the counter and the setup.
    SimOptions seed2;
    seed2.seed = 2;
    const SimInstrument other(seed2);
    QList<QByteArray> lines;
    for (int index : {4, 8, 16}) lines << lineOf(other, index);
    writeFile(path("three.txt"), Header + lines.join("\r\n") + "\r\n\r\n");  // an editor's blank last line
    sim->ClearLogs();
    progress.statuses.clear();
    EXPECT_EQ(SetupArchive::Restore(exchange(), path("three.txt"), progress).SetupsRestored, 3);
    EXPECT_EQ(sim->ReceivedCommands(), lines);
    EXPECT_EQ(progress.statuses, (QStringList{"1 (5)", "2 (9)", "3 (17)"}));
    ASSERT_NE(sim->State().setups, original);

    sim->ClearLogs();
    EXPECT_EQ(SetupArchive::Restore(exchange(), path("all.txt"), progress).SetupsRestored, 250);
    EXPECT_EQ(sim->ReceivedCommands().size(), 250);
    EXPECT_EQ(sim->State().setups, original);
}

TEST_F(SetupArchiveTest, CancelDuringSetup7KeepsSevenSetups)
{
    progress.cancel = true;      // a Cancel left from an earlier operation is cleared at the start
    progress.cancelAtYield = 7;  // the click arrives while setup 7 is read
    const SetupArchive::ArchiveResult result = SetupArchive::Archive(exchange(), path("part.txt"), progress);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.SetupsArchived, 7);
    EXPECT_EQ(sim->ReceivedCommands().size(), 7);
    EXPECT_EQ(readAll(path("part.txt")), archiveOf(7));
}

TEST_F(SetupArchiveTest, FailurePartWayLeavesTheEarlierArchive)
{
    start({{"P1", 100, SimFault::Kind::NoReply}});
    writeFile(path("kept.txt"), Header + "earlier\r\n");
    EXPECT_EQ(ErrorOf([&] { SetupArchive::Archive(exchange(), path("kept.txt"), progress); }).number(),
              ErrorNumber::CommTimeout);
    EXPECT_EQ(readAll(path("kept.txt")), Header + "earlier\r\n");
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.txt"});  // no temporary left behind
}

TEST_F(SetupArchiveTest, FilesThatAreNoArchiveAreRefusedSilently)
{
    const QByteArray body = lineOf(*sim, 0) + "\r\n";
    for (const QByteArray& bytes : {QByteArray(), "TR8KZ PRODUCT SETUPS\r\n" + body, body}) {
        writeFile(path("foreign.txt"), bytes);
        const SetupArchive::RestoreResult result = SetupArchive::Restore(exchange(), path("foreign.txt"), progress);
        EXPECT_TRUE(result.NotAnArchive) << bytes.left(24).constData();
        EXPECT_EQ(result.SetupsRestored, 0);
    }
    EXPECT_TRUE(sim->ReceivedCommands().isEmpty());
}
