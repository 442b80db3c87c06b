// Archive and restore of all setups against the simulated instrument, through
// the Sensor as the program runs it. The restore file is checked whole before
// anything is sent: damaged copies of a real archive are refused. An archive
// that fails part-way keeps the earlier file: the timeout and lost-link
// hardening tests, through the program.
#include "RaisedError.h"
#include "Exchange.h"
#include "ProgressSink.h"
#include "Sensor.h"
#include "SetupArchive.h"
#include "SimulatorDriver.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QByteArray Header = "TR8KZ Product Setups\r\n";

class RecordingProgress : public SilentProgress {
public:
    void SetStatus(const QString& s) override { statuses << s; }
    void Yield() override { cancel = cancel || ++yields == cancelAtYield; }
    void ClearCancel() override { cancel = false; }
    bool CancelRequested() const override { return cancel; }

    QStringList statuses;
    int yields = 0, cancelAtYield = -1;  // the Yield that delivers the operator's Cancel
    bool cancel = false;
};

// The longest setup write the instrument takes: a name of 255 characters,
// the fixed fields, 255 view entries; 15198 characters in all.
QByteArray longestWrite()
{
    return "P2F9FF" + QByteArray(255, 'A').toHex().toUpper() + QByteArray(455 * 2, '0') + "FF" +
           QByteArray(255 * 27 * 2, '0');
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

// The archive of setups 0, 1, 2, 3 and 249 as read, in files whose name has a
// percent sign, which a message must show as it is.
class RestoreFileTest : public SetupArchiveTest {
protected:
    void SetUp() override { start(); for (int index : {0, 1, 2, 3, 249}) lines << lineOf(*sim, index); }
    QString write(const QByteArray& bytes) { WriteWhole(restoreFile, bytes); return restoreFile; }
    // The archive of the five lines, with `edit` applied to them first.
    QByteArray archive(const std::function<void(QByteArrayList&)>& edit = {}) const
    {
        QByteArrayList body = lines;
        if (edit) edit(body);
        return Header + body.join("\r\n") + "\r\n";
    }

    QByteArrayList lines;
    const QString restoreFile = dir.filePath(QStringLiteral("restore %2.txt"));
};

}  // namespace

// That a restore of a changed archive stores every line is proven through
// the program (LinkLost, TimeoutMatrix restore cells), in file order below.
TEST_F(SetupArchiveTest, ArchiveReadsEverySetupRestoreNamesTheSetupOfEachLineAndCancelKeepsTheSetupsRead)
{
    const SetupArchive::ArchiveResult archived = SetupArchive::Archive(exchange(), path("all.txt"), progress);
    EXPECT_EQ(std::pair(archived.SetupsArchived, archived.Cancelled), std::pair(250, false));
    EXPECT_EQ(ReadWhole(path("all.txt")), archiveOf(250));  // the header and 250 lines
    ASSERT_EQ(sim->ReceivedCommands().size(), 250);
    EXPECT_EQ(sim->ReceivedCommands().back(), "P100F9");

    // The status names the counter and the setup.
    WriteWhole(path("three.txt"), Header + lineOf(*sim, 4) + "\r\n" + lineOf(*sim, 8) + "\r\n" + lineOf(*sim, 16));
    progress.statuses.clear();
    EXPECT_EQ(SetupArchive::Restore(exchange(), path("three.txt"), progress).SetupsRestored, 3);
    EXPECT_EQ(progress.statuses, (QStringList{"1 (5)", "2 (9)", "3 (17)"}));

    sim->ClearLogs();
    progress.yields = 0;
    progress.cancel = true;      // a Cancel left from an earlier operation is cleared at the start
    progress.cancelAtYield = 7;  // the click arrives while setup 7 is read
    const SetupArchive::ArchiveResult result = SetupArchive::Archive(exchange(), path("part.txt"), progress);
    EXPECT_EQ(std::pair(result.SetupsArchived, result.Cancelled), std::pair(7, true));
    EXPECT_EQ(sim->ReceivedCommands().size(), 7);
    EXPECT_EQ(ReadWhole(path("part.txt")), archiveOf(7));
}

TEST_F(RestoreFileTest, AFileThatIsNotWholeIsRefusedNamingTheLineAndNothingIsSent)
{
    // What is wrong, the file, the line the message names and what it says is wrong.
    struct Case { const char* what; QByteArray file; int line; const char* reason; };
    const QByteArray whole = archive();
    const Case cases[] = {
        {"a copy cut short in the middle of line 4", whole.left(whole.indexOf(lines[2]) + 700), 4, "cut short"},
        {"a copy cut short within the setup index", Header + lines[0] + "\r\nP2", 3, "cut short"},
        {"a blank line in the middle", archive([](QByteArrayList& l) { l.insert(2, ""); }), 4,
         "blank lines may only end the file"},
        {"white space in the middle", archive([](QByteArrayList& l) { l.insert(1, " \t"); }), 3,
         "blank lines may only end the file"},
        {"lower-case hex", archive([](QByteArrayList& l) { l[1] = l[1].left(40) + l[1].mid(40).toLower(); }), 3,
         "lower-case hex digit"},
        {"setup index 250", archive([](QByteArrayList& l) { l[4].replace(2, 2, "FA"); }), 6, "setup index 250"},
        {"one character short", archive([](QByteArrayList& l) { l[3].chop(1); }), 5, "1 missing"},
        {"one character too many", archive([](QByteArrayList& l) { l[0] += "0"; }), 2, "1 too many"},
        {"a whole byte too many", archive([](QByteArrayList& l) { l[0] += "00"; }), 2, "2 too many"},
        {"the refusal an archive caught", archive([](QByteArrayList& l) { l[2] = "?04"; }), 4, "no setup write"},
        {"the datalog's clearing", archive([](QByteArrayList& l) { l[0] = "X000FFFFFFFF01"; }), 2, "no setup write"},
        {"a CR inside a line", archive([](QByteArrayList& l) { l[1] = l[1] + "\r" + l[2]; }), 3, "\\x0D"},
        {"a NUL in a line", archive([](QByteArrayList& l) { l[1][9] = '\0'; }), 3, "\"\\x00\" at character 10"},
        {"one character beyond the longest write", archive([](QByteArrayList& l) { l[0] = longestWrite() + "0"; }),
         2, "longer than any setup write"},
        {"a megabyte line", archive([](QByteArrayList& l) { l[1] = "P2" + QByteArray(1 << 20, 'A'); }), 3,
         "longer than any setup write"},
        {"251 setup lines", Header + (lines[0] + "\r\n").repeated(251), 252, "at most 250 setups"},
    };
    for (const Case& c : cases) {
        const QString name = write(c.file);
        const AppError error = ErrorOf([&] { SetupArchive::Restore(exchange(), name, progress); });
        EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument) << c.what;
        const QString text = error.description();
        EXPECT_TRUE(text.startsWith(QStringLiteral("The file %1 cannot be restored: ").arg(name)) &&
                    text.contains(QStringLiteral(": line %1 ").arg(c.line)) && text.contains(QLatin1String(c.reason)) &&
                    text.endsWith(QStringLiteral("Nothing was sent to the instrument.")))
            << c.what << ": " << qPrintable(text);
        EXPECT_TRUE(sim->ReceivedCommands().isEmpty()) << c.what;
    }
}

TEST_F(RestoreFileTest, WholeFilesAreSentLineByLineAsTheyStandAndOthersAreNoArchive)
{
    const QByteArray longest = longestWrite();
    // Not an archive (the last field false): nothing sent, nothing said.
    struct Case { const char* what; QByteArray file; QByteArrayList sent; bool archive = true; };
    const Case cases[] = {
        {"an empty file", "", {}, false},
        {"the header in another case", "TR8KZ PRODUCT SETUPS\r\n" + lines[0] + "\r\n", {}, false},
        {"no header", lines[0] + "\r\n", {}, false},
        {"blank lines, white space and a CR alone at the end", archive() + "\r\n \t\r\n\r\r\n\n", lines},
        {"LF line ends, the last line without one", Header.chopped(2) + "\n" + lines.join("\n"), lines},
        {"the header alone, without a line end", Header.chopped(2), {}},
        {"setup index 249 and the longest write", Header + lines[4] + "\r\n" + longest + "\r\n",
         {lines[4], longest}},
        {"250 setup lines", Header + (lines[0] + "\r\n").repeated(250), QByteArrayList(250, lines[0])},
    };
    for (const Case& c : cases) {
        sim->ClearLogs();
        const SetupArchive::RestoreResult result = SetupArchive::Restore(exchange(), write(c.file), progress);
        EXPECT_EQ(result.NotAnArchive, !c.archive) << c.what;
        EXPECT_EQ(result.SetupsRestored, c.sent.size()) << c.what;
        EXPECT_EQ(sim->ReceivedCommands(), c.sent) << c.what;
    }
    EXPECT_EQ(sim->SetupRecord(249), longest.mid(4)) << "the instrument stored the longest write";
}

TEST_F(RestoreFileTest, ARestoreStoppedPartWaySaysWhatWasRestored)
{
    // Refused (out of range) at the third line: it changed nothing. Silent at
    // the fourth: it may have been stored.
    struct Case { const char* what; SimFault fault; int32_t number; int sent; const char* said; };
    const Case cases[] = {
        {"refused", {"P2", 3, SimFault::Kind::Rejected}, ErrorNumber::InstrumentRefused, 3,
         "refused line 4 of the file"},
        {"no reply", {"P2", 4, SimFault::Kind::NoReply}, ErrorNumber::CommTimeout, 4, "Line 5 of the file"},
        {"garbled", {"P2", 4, SimFault::Kind::Garbled}, ErrorNumber::MalformedText, 4, "answer to line 5"},
    };
    for (const Case& c : cases) {
        start({c.fault});
        const AppError error = ErrorOf([&] { SetupArchive::Restore(exchange(), write(archive()), progress); });
        EXPECT_EQ(error.number(), c.number) << c.what;
        EXPECT_EQ(sim->ReceivedCommands().size(), c.sent) << c.what;
        const QString text = error.description();
        EXPECT_TRUE(text.contains(QLatin1String(c.said)) && text.contains("other setups are unchanged") &&
                    text.contains(QStringLiteral("%1 setups restored from the lines before it").arg(c.sent - 1)))
            << c.what << ": " << qPrintable(text);
        // Whether the failed line's own setup was written is known only
        // when the instrument refused it.
        EXPECT_EQ(text.contains(QStringLiteral("setup %1 of this line may or may not").arg(c.sent)),
                  c.fault.kind != SimFault::Kind::Rejected)
            << c.what << ": " << qPrintable(text);
    }
}
