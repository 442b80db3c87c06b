// The link lost part-way through a capture, an archive and a restore, in its
// two forms: the instrument falls silent (every later command times out; the
// operator gives up after Retry), and the device goes away (the driver raises
// LinkLost: the same Retry/Cancel report; Retry reconnects, identifies the
// instrument again and resends, Cancel ends the program). Either way any
// earlier file of the same name is intact until an operation completes, and
// every setup of the instrument is either as it was or as the file holds it,
// never in between.
#include "AppError.h"
#include "HardeningSupport.h"
#include "SimulatorDriver.h"
#include "frmCapture.h"

#include <QCoreApplication>
#include <QDir>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

const QByteArray EarlierFile = "TR8KZ Product Setups\r\nearlier file\r\n";
const QStringList TwoTimeouts{QStringLiteral("Communications Timeout"), QStringLiteral("Communications Timeout")};

// Every setup is either the instrument's original or the file's, whole; the
// first `restored` are the file's and the rest the original's.
void expectRestoredUpTo(const Program& p, const std::vector<QByteArray>& original, const QString& archive, int restored)
{
    const QList<QByteArray> lines = Lines(archive);
    ASSERT_EQ(lines.size(), 251);
    for (int i = 0; i < 250; ++i) {
        const QByteArray expected = i < restored ? lines[i + 1].mid(4) : original[static_cast<size_t>(i)];
        EXPECT_EQ(p.instrument->SetupRecord(i), expected) << "setup " << i + 1;
    }
}

class LinkLost : public ::testing::Test {
protected:
    void TearDown() override { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    Program p;
};

}  // namespace

TEST_F(LinkLost, SilentInstrumentDuringACaptureEndsTheProgramAndKeepsTheRecordsRead)
{
    p.Start(InstrumentOptions({{"S1", 3, SimFault::Kind::LinkLost}}));
    const QString file = p.env.path("capture.txt");
    WriteWhole(file, EarlierFile);
    p.env.answers = {MessageAnswer::Retry, MessageAnswer::Cancel};

    EXPECT_THROW(frmCapture::instance().UploadDatalog(file), ProgramEnd);

    EXPECT_EQ(p.Messages(), TwoTimeouts + QStringList{QStringLiteral("Record 3 of 5 was not read.\n2 of 5 records were saved in %1.").arg(file)});
    EXPECT_EQ(p.Sent(), (QList<QByteArray>{"D0001", "S10000", "S10001", "S10002", "S10002"}));
    const QList<QByteArray> lines = Lines(file);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines[0].startsWith("1\t") && lines[1].startsWith("2\t"));
    EXPECT_EQ(QDir(p.env.path({})).entryList({QStringLiteral("capture*")}, QDir::Files), QStringList{"capture.txt"})
        << "no temporary file is left beside it";
}

TEST_F(LinkLost, DeviceGoneDuringACaptureIsRetriedUntilItIsBackAndTheFileIsWhole)
{
    // What an undisturbed capture writes.
    const QString expected = p.env.path("expected.txt");
    {
        Program undisturbed;
        undisturbed.Start(InstrumentOptions());
        frmCapture::instance().UploadDatalog(expected);
        // Only the warning that names of the simulated datalog hold the delimiter.
        ASSERT_EQ(undisturbed.env.messages.size(), 1u);
        ASSERT_TRUE(undisturbed.env.messages[0].text.contains(QStringLiteral("delimiter")));
    }
    InstallEnvironment(&p.env);

    // Unplugged at the third record; the first Retry still finds nothing.
    p.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "S1", 3, 1); });
    const QString file = p.env.path("capture.txt");
    WriteWhole(file, EarlierFile);
    p.env.answers = {MessageAnswer::Retry, MessageAnswer::Retry};

    EXPECT_NO_THROW(frmCapture::instance().UploadDatalog(file));

    // The two questions, then the same delimiter warning as undisturbed.
    ASSERT_EQ(p.env.messages.size(), 3u);
    EXPECT_TRUE(p.env.messages[2].text.contains(QStringLiteral("delimiter")));
    p.env.messages.pop_back();
    for (const ShownMessage& shown : p.env.messages) {
        EXPECT_EQ(shown.buttons, MessageButtons::RetryCancel);
        EXPECT_TRUE(shown.text.startsWith(QStringLiteral("The link to the instrument was lost\r\n\r\n")) &&
                    shown.text.contains(QStringLiteral("Connect the instrument again")))
            << qPrintable(shown.text);
    }
    EXPECT_TRUE(p.env.messages[0].text.contains(QStringLiteral("S10002"))) << "names what was under way";
    EXPECT_TRUE(p.env.messages[1].text.contains(QStringLiteral("still not connected")));
    // Identified again after the reconnection, then the record resent.
    EXPECT_EQ(p.Sent(), (QList<QByteArray>{"D0001", "S10000", "S10001", "R", "+1", "#", "S10002", "S10003", "S10004"}));
    EXPECT_EQ(ReadWhole(file), ReadWhole(expected)) << "the same file as a capture that met no fault";
    EXPECT_TRUE(p.window->menuBar()->isEnabled());
}

TEST_F(LinkLost, ArchiveKeepsTheEarlierFileWhenTheLinkGoesEitherWay)
{
    // Silent instrument at setup 100: Cancel after the timeout.
    p.Start(InstrumentOptions({{"P1", 100, SimFault::Kind::LinkLost}}));
    const QString file = p.env.path("archive.txt");
    WriteWhole(file, EarlierFile);
    p.env.answers = {MessageAnswer::Cancel};
    EXPECT_THROW(frmCapture::instance().UploadSetups(file), ProgramEnd);
    EXPECT_EQ(p.Messages(), QStringList{QStringLiteral("Communications Timeout")});
    EXPECT_EQ(p.SentWith("P1"), 100);
    EXPECT_EQ(ReadWhole(file), EarlierFile);

    // Device gone at setup 100: Cancel on the lost-link report ends the
    // program as after a timeout.
    Program gone;
    gone.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "P1", 100); });
    gone.env.answers = {MessageAnswer::Cancel};
    EXPECT_THROW(frmCapture::instance().UploadSetups(file), ProgramEnd);
    ASSERT_EQ(gone.env.messages.size(), 1u);
    const QString text = gone.env.messages[0].text;
    EXPECT_EQ(gone.env.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_TRUE(text.startsWith(QStringLiteral("The link to the instrument was lost\r\n\r\n"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("P10063"))) << qPrintable(text);
    EXPECT_EQ(gone.SentWith("P1"), 99);
    EXPECT_EQ(ReadWhole(file), EarlierFile);
}

TEST_F(LinkLost, RestoreLeavesEverySetupWholeWhenTheInstrumentFallsSilent)
{
    p.Start(InstrumentOptions({{"P2", 4, SimFault::Kind::LinkLost}}));
    const std::vector<QByteArray> original = p.StoredSetups();
    const QString file = p.env.path("restore.txt");
    WriteWhole(file, ChangedArchive(*p.instrument));
    p.env.answers = {MessageAnswer::Retry, MessageAnswer::Cancel};

    EXPECT_THROW(frmCapture::instance().DownloadSetups(file), ProgramEnd);

    EXPECT_EQ(p.Messages(), TwoTimeouts);
    EXPECT_EQ(p.SentWith("P2"), 5) << "lines 1 to 4, then line 4 again after Retry";
    expectRestoredUpTo(p, original, file, 3);
}

TEST_F(LinkLost, RestoreGoesOnAfterTheDeviceIsBackAndRetryIsChosen)
{
    p.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "P2", 4); });
    const QString file = p.env.path("restore.txt");
    WriteWhole(file, ChangedArchive(*p.instrument));
    p.env.answers = {MessageAnswer::Retry};

    EXPECT_NO_THROW(frmCapture::instance().DownloadSetups(file));

    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("The link to the instrument was lost")));
    EXPECT_EQ(p.SentWith("P2"), 250) << "the fourth line sent once, after the reconnection";
    EXPECT_EQ(p.SentWith("#"), 1);
    expectRestoredUpTo(p, {}, file, 250);
}
