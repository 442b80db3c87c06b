// A communications timeout at each command the program sends, answered with
// Retry (the same command goes again and the operation finishes) and with
// Cancel (ProgramEnd: the program ends, no further message). Cells already
// proven elsewhere are not repeated here (docs/reliability.md names them):
// the count with Retry and the clear with Cancel (app), the capture
// (datalog), the clock and the identification window (dialogs), the setup
// load with Retry (setups) and the screen (screen). Start-up is in
// StartupFaultTest.
#include "HardeningSupport.h"
#include "ShownChecks.h"
#include "SubEditors.h"
#include "frmCapture.h"

#include <QLineEdit>
#include <algorithm>
#include <cctype>
#include <utility>
#include <gtest/gtest.h>

using namespace Hardening;

namespace {

struct Cell {
    const char* operation;
    QByteArray prefix;  // the command that times out
    int occurrence;     // its n-th sending
    MessageAnswer answer;
    std::function<void(Program&)> run;
    // What must hold once the operation has finished after Retry, or after
    // ProgramEnd when Cancel was chosen.
    std::function<void(Program&)> check;
};

struct TimeoutMatrix : ::testing::TestWithParam<int> {
    // No sub-editor opens from the run configuration.
    const SubEditors saved = std::exchange(TheSubEditors(), SubEditors{});
    ~TimeoutMatrix() override { TheSubEditors() = saved; }
};

const QByteArray EarlierFile = "earlier file\r\n";

std::vector<Cell> cells()
{
    std::vector<Cell> c;
    using enum MessageAnswer;

    // The datalog count ("D0001") and the clear ("X000FFFFFFFF01").
    c.push_back({"count", "D0001", 1, Cancel, [](Program& p) { p.window->DatalogCount(); }, [](Program&) {}});
    c.push_back({"clear", "X000FFFFFFFF01", 1, Retry, [](Program& p) { p.window->ClearDatalog(); },
                 [](Program& p) { EXPECT_EQ(p.instrument->DatalogCount(), 0); }});

    // The archive in the progress window: setup 7's read.
    const auto archive = [](Program& p) {
        WriteWhole(p.env.path("archive.txt"), EarlierFile);
        frmCapture::instance().UploadSetups(p.env.path("archive.txt"));
    };
    c.push_back({"archive", "P1", 7, Retry, archive, [](Program& p) {
                     const QList<QByteArray> lines = Lines(p.env.path("archive.txt"));
                     ASSERT_EQ(lines.size(), 251);
                     EXPECT_EQ(lines[7].mid(4), p.instrument->SetupRecord(6));
                     EXPECT_EQ(p.SentWith("P10006"), 2);
                 }});
    c.push_back({"archive", "P1", 7, Cancel, archive,
                 [](Program& p) { EXPECT_EQ(ReadWhole(p.env.path("archive.txt")), EarlierFile); }});

    // The restore of a changed archive: the third line's write times out. The
    // instrument carried it out (only its reply was lost).
    const auto restore = [](Program& p) {
        WriteWhole(p.env.path("restore.txt"), ChangedArchive(*p.instrument));
        frmCapture::instance().DownloadSetups(p.env.path("restore.txt"));
    };
    c.push_back({"restore", "P2", 3, Retry, restore, [](Program& p) {
                     const QList<QByteArray> lines = Lines(p.env.path("restore.txt"));
                     for (int i = 0; i < 250; ++i) EXPECT_EQ(p.instrument->SetupRecord(i), lines[i + 1].mid(4)) << i;
                     EXPECT_EQ(p.SentWith("P2"), 251);
                 }});
    c.push_back({"restore", "P2", 3, Cancel, restore, [](Program& p) {
                     const QList<QByteArray> lines = Lines(p.env.path("restore.txt"));
                     for (int i = 0; i < 3; ++i) EXPECT_EQ(p.instrument->SetupRecord(i), lines[i + 1].mid(4)) << i;
                     SimInstrument untouched(InstrumentOptions());
                     for (int i = 3; i < 250; ++i) EXPECT_EQ(p.instrument->SetupRecord(i), untouched.SetupRecord(i)) << i;
                 }});

    // The setup editor: load ("P1"), save ("P0"), run configuration ("Q1...").
    // A setup already under edit stays as it was: nothing of the lost reply
    // is decoded into it.
    c.push_back({"load", "P1", 1, Cancel,
                 [](Program&) {
                     frmEditProduct::instance().EditedProductSetup().Name = "UNDER EDIT";
                     frmEditProduct::instance().cmdLoad_Click();
                 },
                 [](Program&) { EXPECT_EQ(frmEditProduct::instance().EditedProductSetup().Name, "UNDER EDIT"); }});
    // Save and run configuration share the editor's reporting exchange: one
    // answer each, and each of the run configuration's questions once.
    c.push_back({"save", "P0", 1, Retry,
                 [](Program&) {
                     frmEditProduct::instance().findChild<QLineEdit*>(QStringLiteral("txtName"))->setText(QStringLiteral("SAVED"));
                     frmEditProduct::instance().cmdSave_Click();
                 },
                 [](Program& p) { EXPECT_TRUE(p.instrument->SetupRecord(0).startsWith("05" "5341564544")); }});
    const auto runConfiguration = [](Program&) { frmEditProduct::instance().cmdRunConfig_Click(); };
    c.push_back({"run configuration", "Q10002", 1, Retry, runConfiguration, [](Program& p) {
                     EXPECT_EQ(p.sent(), (QList<QByteArray>{"Q10001", "Q10002", "Q10002"}));
                 }});
    c.push_back({"run configuration", "Q10001", 1, Cancel, runConfiguration, [](Program&) {}});
    return c;
}

}  // namespace

TEST_P(TimeoutMatrix, RetryFinishesTheOperationAndCancelEndsTheProgram)
{
    const Cell cell = cells()[static_cast<size_t>(GetParam())];

    Program p;
    p.Start(InstrumentOptions({{cell.prefix, cell.occurrence, SimFault::Kind::NoReply}}));
    p.env.answers = {cell.answer};

    const QList<QByteArray>& sent = p.sent();
    if (cell.answer == MessageAnswer::Retry) {
        ASSERT_NO_THROW(cell.run(p));
        // The sending that timed out is repeated at once.
        qsizetype i = -1;
        for (int seen = 0; seen < cell.occurrence && ++i < sent.size();) seen += sent[i].startsWith(cell.prefix);
        ASSERT_LT(i + 1, sent.size());
        EXPECT_TRUE(sent[i].startsWith(cell.prefix) && sent[i + 1] == sent[i]) << sent[i].constData();
    } else {
        EXPECT_THROW(cell.run(p), ProgramEnd);
        // Nothing is sent after the command that timed out.
        ASSERT_FALSE(sent.isEmpty());
        EXPECT_TRUE(sent.back().startsWith(cell.prefix)) << sent.back().constData();
        EXPECT_EQ(p.SentWith(cell.prefix), cell.occurrence);
    }
    // One question, and no message after it.
    EXPECT_EQ(p.env.messages, (std::vector<ShownMessage>{{"Communications Timeout", MessageButtons::RetryCancel,
                                                          MessageIcon::Critical, "TR8 KZ Utility"}}));
    cell.check(p);
}

// Named after the cell: "archive_P1_Retry".
std::string cellName(const ::testing::TestParamInfo<int>& info)
{
    const Cell cell = cells()[static_cast<size_t>(info.param)];
    std::string name = std::string(cell.operation) + "_" + cell.prefix.toStdString() +
                       (cell.answer == MessageAnswer::Retry ? "_Retry" : "_Cancel");
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(EachCommand, TimeoutMatrix, ::testing::Range(0, static_cast<int>(cells().size())), cellName);
