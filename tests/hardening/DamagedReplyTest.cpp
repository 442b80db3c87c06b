// Damaged ("garbled": cut short and a noise character) and refused ("?03",
// busy) replies where the program expects a record or a confirmation: what
// each operation does with them. Proven elsewhere: a damaged or refused
// datalog record stops the capture naming the record, the earlier file kept
// (datalog); a refused setup read in the editor (setups); a damaged or
// refused display read is fatal naming the command (screen); the run
// configuration's refusals (setups); the other lines a restore refuses
// (setups, cli).
#include "HardeningSupport.h"
#include "RaisedError.h"
#include "frmCapture.h"
#include "frmEditProduct.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

struct DamagedReply : ::testing::Test { Program p; };

}  // namespace

TEST_F(DamagedReply, SetupReadsThatAreNoSetupAreAskedAgainThenArchivedWithAWarningAndStopTheirRestore)
{
    // "P1" commands 5 and 6 are both for setup 5 (garbled, then refused for good when
    // asked again); command 10 is for setup 9, garbled once, whole when asked
    // again.
    p.Start(InstrumentOptions({{"P1", 5, SimFault::Kind::Garbled},
                               {"P1", 6, SimFault::Kind::Rejected},
                               {"P1", 10, SimFault::Kind::Garbled}}));
    const std::vector<QByteArray> original = p.StoredSetups();
    const QString file = p.env.path("archive.txt");
    frmCapture::instance().UploadSetups(file);

    EXPECT_EQ(p.SentWith("P1"), 252);
    const QList<QByteArray> lines = Lines(file);
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[5], "?03") << "the second reply, as received";
    EXPECT_EQ(lines[6], "P205" + original[5]);
    EXPECT_EQ(lines[9], "P208" + original[8]) << "the second reply was whole";
    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_EQ(p.env.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_EQ(p.env.messages[0].text,
              QStringLiteral("The archive %1 was written, but it will not restore: asked twice, the instrument did "
                             "not answer with the setup for setup 5 (the reply \"?03\" is no setup write: it begins \"?03\", not "
                             "\"P2\").")
                  .arg(file));

    // Restoring that file is refused before anything is sent, at line 6,
    // the refusal archived: the progress window shows why, and the program
    // goes on.
    p.env.messages.clear();
    p.instrument->ClearLogs();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    frmCapture::instance().DownloadSetups(file);
    EXPECT_EQ(p.SentWith("P2"), 0);
    ASSERT_EQ(p.env.messages.size(), 1u);
    const QString text = p.env.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("The file %1 cannot be restored: line 6 is no setup write: it begins "
                                               "\"?03\"").arg(file)))
        << qPrintable(text);
    EXPECT_EQ(p.env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(p.StoredSetups(), original);
}

TEST_F(DamagedReply, DamagedConfirmationOfARestoredLineIsFatalNamingTheLine)
{
    p.Start(InstrumentOptions({{"P2", 2, SimFault::Kind::Garbled}}));
    const QString file = p.env.path("restore.txt");
    WriteWhole(file, ChangedArchive(*p.instrument));

    EXPECT_THROW(frmCapture::instance().DownloadSetups(file), ProgramEnd);

    ASSERT_EQ(p.env.messages.size(), 1u);
    const QString text = p.env.messages[0].text;
    EXPECT_TRUE(text.startsWith(QStringLiteral("Fatal Error #-2147213404\r\n\r\n"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("line 3 of the file"))) << qPrintable(text);
    EXPECT_TRUE(text.contains(QStringLiteral("1 setup restored from the lines before it; setup 2 of this line may "
                                              "or may not have been written")))
        << qPrintable(text);
    EXPECT_EQ(p.SentWith("P2"), 2) << "the lines after it are not sent";
}

TEST_F(DamagedReply, GarbledSetupReadInTheEditorNamesTheCommandAndAGarbledStatusIsFatal)
{
    p.Start(InstrumentOptions({{"P1", 1, SimFault::Kind::Garbled}, {"D0001", 1, SimFault::Kind::Garbled}}));
    const AppError error = RaisedError([] { frmEditProduct::instance().cmdLoad_Click(); });
    EXPECT_EQ(error.number(), ErrorNumber::MalformedText);
    EXPECT_TRUE(error.description().startsWith("The reply to the command P10000: ")) << qPrintable(error.description());
    EXPECT_EQ(p.sent(), QList<QByteArray>{"P10000"}) << "nothing is written back";

    p.instrument->ClearLogs();
    EXPECT_THROW(p.window->DatalogCount(), ProgramEnd);
    ASSERT_EQ(p.env.messages.size(), 1u);
    EXPECT_TRUE(p.env.messages[0].text.startsWith(QStringLiteral("Fatal Error #-2147213404\r\n\r\n")))
        << qPrintable(p.env.messages[0].text);
    EXPECT_EQ(p.sent(), QList<QByteArray>{"D0001"});
}
