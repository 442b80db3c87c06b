// The device gone part-way through a capture, an archive and a restore (the
// driver raises LinkLost: a Retry/Cancel report as for a timeout; Retry
// reconnects, identifies the instrument again and resends, Cancel ends the
// program). Any earlier file of the same name is intact until an operation
// completes. A silent instrument is a timeout like any other (TimeoutMatrix,
// frmCaptureTest).
// The lost-link text asserted here is the program's own report around the
// driver's error, never the error text of the test's driver.
#include "HardeningSupport.h"
#include "frmCapture.h"

#include <QMenuBar>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

const QByteArray EarlierFile = "TR8KZ Product Setups\r\nearlier file\r\n";

struct LinkLost : ::testing::Test { Program p; };

}  // namespace

TEST_F(LinkLost, DeviceGoneDuringACaptureIsRetriedUntilItIsBackAndTheFileIsWhole)
{
    // What an undisturbed capture writes, with only the warning that names
    // of the simulated datalog hold the delimiter.
    p.Start(InstrumentOptions());
    const QString expected = p.env.path("expected.txt");
    frmCapture::instance().UploadDatalog(expected);
    ASSERT_EQ(p.env.messages.size(), 1u);
    ASSERT_TRUE(p.env.messages[0].text.contains(QStringLiteral("delimiter")));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // The same instrument anew, unplugged at the third record; the first
    // Retry still finds nothing.
    p.Start(InstrumentOptions(), UnpluggedAt(p, "S1", 3, 1));
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
    EXPECT_TRUE(p.env.messages[1].text.contains(QStringLiteral("still not connected")));
    // Identified again after the reconnection, then the record resent.
    EXPECT_EQ(p.sent(), (QList<QByteArray>{"D0001", "S10000", "S10001", "R", "+1", "#", "S10002", "S10003", "S10004"}));
    EXPECT_EQ(ReadWhole(file), ReadWhole(expected)) << "the same file as a capture that met no fault";
    EXPECT_TRUE(p.window->menuBar()->isEnabled());
}

TEST_F(LinkLost, DeviceGoneDuringAnArchiveKeepsTheEarlierFile)
{
    // Device gone at setup 100: Cancel on the lost-link report ends the
    // program as after a timeout.
    p.Start(InstrumentOptions(), UnpluggedAt(p, "P1", 100));
    const QString file = p.env.path("archive.txt");
    WriteWhole(file, EarlierFile);
    p.env.answers = {MessageAnswer::Cancel};
    EXPECT_THROW(frmCapture::instance().UploadSetups(file), ProgramEnd);
    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_EQ(p.env.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("The link to the instrument was lost\r\n\r\n")));
    EXPECT_EQ(p.SentWith("P1"), 99);
    EXPECT_EQ(ReadWhole(file), EarlierFile);
}

TEST_F(LinkLost, RestoreGoesOnAfterTheDeviceIsBackAndRetryIsChosen)
{
    p.Start(InstrumentOptions(), UnpluggedAt(p, "P2", 4));
    const QString file = p.env.path("restore.txt");
    WriteWhole(file, ChangedArchive(*p.instrument));
    p.env.answers = {MessageAnswer::Retry};

    EXPECT_NO_THROW(frmCapture::instance().DownloadSetups(file));

    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("The link to the instrument was lost")));
    EXPECT_EQ(p.SentWith("P2"), 250) << "the fourth line sent once, after the reconnection";
    EXPECT_EQ(p.SentWith("#"), 1);
    const QList<QByteArray> lines = Lines(file);
    ASSERT_EQ(lines.size(), 251);
    for (int i = 0; i < 250; ++i) EXPECT_EQ(p.instrument->SetupRecord(i), lines[i + 1].mid(4)) << "setup " << i + 1;
}
