// The link lost part-way through a capture, an archive and a restore, in its
// two forms: the instrument falls silent (every later command times out; the
// operator gives up after Retry), and the device goes away (the driver raises
// LinkLost, which is no timeout, so no Retry is offered: a capture shows the
// error and the program goes on; an archive or restore reports it as fatal
// and the program ends). Either way any earlier file of the same name is
// intact, and every setup of the instrument is either as it was or as the
// file holds it, never in between.
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

TEST_F(LinkLost, DeviceGoneDuringACaptureIsShownTheRecordsReadKeptAndTheProgramGoesOn)
{
    p.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "S1", 3); });
    const QString file = p.env.path("capture.txt");
    WriteWhole(file, EarlierFile);

    EXPECT_NO_THROW(frmCapture::instance().UploadDatalog(file));

    ASSERT_EQ(p.env.messages.size(), 1u);
    const QString text = p.env.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Record 3 of 5: The link to the instrument was lost"))) << qPrintable(text);
    EXPECT_TRUE(text.endsWith(QStringLiteral("\n2 of 5 records were saved in %1.").arg(file))) << qPrintable(text);
    EXPECT_EQ(p.env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Lines(file).size(), 2);
    EXPECT_FALSE(frmCapture::exists());
    EXPECT_TRUE(p.window->menuBar()->isEnabled()) << "the main window takes commands again";
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

    // Device gone at setup 100: a fatal error naming the command.
    Program gone;
    gone.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "P1", 100); });
    EXPECT_THROW(frmCapture::instance().UploadSetups(file), ProgramEnd);
    ASSERT_EQ(gone.env.messages.size(), 1u) << "no Retry is offered for a device that is gone";
    const QString text = gone.env.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Fatal Error #-2147213403\r\n\r\n"))) << qPrintable(text);
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

TEST_F(LinkLost, RestoreLeavesEverySetupWholeWhenTheDeviceGoes)
{
    p.Start(InstrumentOptions(), [](std::shared_ptr<SimInstrument> shared) { return UnpluggedAt(shared, "P2", 4); });
    const std::vector<QByteArray> original = p.StoredSetups();
    const QString file = p.env.path("restore.txt");
    WriteWhole(file, ChangedArchive(*p.instrument));

    EXPECT_THROW(frmCapture::instance().DownloadSetups(file), ProgramEnd);

    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("Fatal Error #-2147213403\r\n\r\n")))
        << qPrintable(p.env.messages[0].text);
    EXPECT_EQ(p.SentWith("P2"), 3) << "the fourth line never reached the instrument";
    expectRestoredUpTo(p, original, file, 3);
}
