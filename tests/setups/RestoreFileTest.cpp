// The restore file is checked whole before anything is sent: damaged copies
// of a real archive of the simulated instrument, restored through the Sensor.
#include "ErrorOf.h"
#include "Exchange.h"
#include "ProgressSink.h"
#include "Sensor.h"
#include "SetupArchive.h"
#include "SimulatorDriver.h"

#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace {

const QByteArray Header = "TR8KZ Product Setups";

// The line "P1" gives for a setup index: "P2", the index and the record.
QByteArray lineOf(const SimInstrument& instrument, int index)
{
    return "P2" + QByteArray::number(index, 16).toUpper().rightJustified(2, '0') + instrument.SetupRecord(index);
}

// The longest setup write the instrument takes: a name of 255 characters,
// the fixed fields, 255 view entries; 15198 characters in all.
QByteArray longestWrite()
{
    return "P2F9FF" + QByteArray(255, 'A').toHex().toUpper() + QByteArray(455 * 2, '0') + "FF" +
           QByteArray(255 * 27 * 2, '0');
}

class RestoreFileTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        sim = std::make_shared<SimInstrument>(SimOptions{});
        sensor = std::make_unique<Sensor>(SimulatorFactory(sim));
        sensor->OpenCommPort();
        for (int index : {0, 1, 2, 3, 249}) lines << lineOf(*sim, index);
        sim->ClearLogs();
    }
    QString write(const QByteArray& bytes)
    {
        // A name with a percent sign, which a message must show as it is.
        const QString name = dir.filePath(QStringLiteral("restore %2.txt"));
        QFile file(name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        return name;
    }
    // The archive of the five lines, with `edit` applied to them first.
    QByteArray archive(const std::function<void(QByteArrayList&)>& edit = {}) const
    {
        QByteArrayList body = lines;
        if (edit) edit(body);
        return Header + "\r\n" + body.join("\r\n") + "\r\n";
    }

    QTemporaryDir dir;
    std::shared_ptr<SimInstrument> sim;
    std::unique_ptr<Sensor> sensor;
    QByteArrayList lines;  // setup indexes 0, 1, 2, 3 and 249 as read
    SilentProgress progress;
};

}  // namespace

TEST_F(RestoreFileTest, AFileThatIsNotWholeIsRefusedNamingTheLineAndNothingIsSent)
{
    struct Case {
        const char* what;
        QByteArray file;
        int line;            // named in the message
        const char* reason;  // what the message says is wrong
    };
    const QByteArray whole = archive();
    const Case cases[] = {
        {"a copy cut short in the middle of line 4", whole.left(whole.indexOf(lines[2]) + 700), 4, "cut short"},
        {"a copy cut short within the setup index", Header + "\r\n" + lines[0] + "\r\nP2", 3, "cut short"},
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
        {"251 setup lines", Header + "\r\n" + (lines[0] + "\r\n").repeated(251), 252, "at most 250 setups"},
    };
    for (const Case& c : cases) {
        const QString name = write(c.file);
        const AppError error = ErrorOf([&] { SetupArchive::Restore(DirectExchange(*sensor), name, progress); });
        EXPECT_EQ(error.number(), ErrorNumber::InvalidArgument) << c.what;
        const QString text = error.description();
        EXPECT_TRUE(text.startsWith(QStringLiteral("The file %1 cannot be restored: ").arg(name))) << qPrintable(text);
        EXPECT_TRUE(text.contains(QStringLiteral(": line %1 ").arg(c.line))) << c.what << ": " << qPrintable(text);
        EXPECT_TRUE(text.contains(QLatin1String(c.reason))) << c.what << ": " << qPrintable(text);
        EXPECT_TRUE(text.endsWith(QStringLiteral("Nothing was sent to the instrument."))) << c.what;
        EXPECT_TRUE(sim->ReceivedCommands().isEmpty()) << c.what;
    }
}

TEST_F(RestoreFileTest, WholeFilesAreSentLineByLineAsTheyStand)
{
    const QByteArray longest = longestWrite();
    struct Case {
        const char* what;
        QByteArray file;
        QByteArrayList sent;
    };
    const Case cases[] = {
        {"blank lines, white space and a CR alone at the end", archive() + "\r\n \t\r\n\r\r\n\n", lines},
        {"LF line ends, the last line without one", Header + "\n" + lines.join("\n"), lines},
        {"the header alone, without a line end", Header, {}},
        {"setup index 249 and the longest write", Header + "\r\n" + lines[4] + "\r\n" + longest + "\r\n",
         {lines[4], longest}},
        {"250 setup lines", Header + "\r\n" + (lines[0] + "\r\n").repeated(250), QByteArrayList(250, lines[0])},
    };
    for (const Case& c : cases) {
        sim->ClearLogs();
        const SetupArchive::RestoreResult result =
            SetupArchive::Restore(DirectExchange(*sensor), write(c.file), progress);
        EXPECT_FALSE(result.NotAnArchive) << c.what;
        EXPECT_EQ(result.SetupsRestored, c.sent.size()) << c.what;
        EXPECT_EQ(sim->ReceivedCommands(), c.sent) << c.what;
    }
    EXPECT_EQ(sim->SetupRecord(249), longest.mid(4)) << "the instrument stored the longest write";
}

TEST_F(RestoreFileTest, ARestoreStoppedPartWaySaysWhatWasRestored)
{
    // Refused (out of range) at the third line: it changed nothing. Silent at
    // the fourth: it may have been stored.
    struct Case {
        const char* what;
        SimFault fault;
        int32_t number;
        int sent;
        const char* said;
    };
    const Case cases[] = {
        {"refused", {"P2", 3, SimFault::Kind::Rejected}, ErrorNumber::InstrumentRefused, 3,
         "refused line 4 of the file"},
        {"no reply", {"P2", 4, SimFault::Kind::NoReply}, ErrorNumber::CommTimeout, 4, "Line 5 of the file"},
        {"garbled", {"P2", 4, SimFault::Kind::Garbled}, ErrorNumber::MalformedText, 4, "answer to line 5"},
    };
    for (const Case& c : cases) {
        SimOptions options;
        options.faults = {c.fault};
        sim = std::make_shared<SimInstrument>(options);
        sensor = std::make_unique<Sensor>(SimulatorFactory(sim));
        sensor->OpenCommPort();
        sim->ClearLogs();
        const AppError error =
            ErrorOf([&] { SetupArchive::Restore(DirectExchange(*sensor), write(archive()), progress); });
        EXPECT_EQ(error.number(), c.number) << c.what;
        EXPECT_EQ(sim->ReceivedCommands().size(), c.sent) << c.what;
        const QString text = error.description();
        EXPECT_TRUE(text.contains(QLatin1String(c.said))) << c.what << ": " << qPrintable(text);
        const int before = c.sent - 1;
        EXPECT_TRUE(text.contains(QStringLiteral("%1 setups restored from the lines before it").arg(before)))
            << c.what << ": " << qPrintable(text);
        EXPECT_TRUE(text.contains(QStringLiteral("other setups are unchanged"))) << c.what;
        // Whether the failed line's own setup was written is known only
        // when the instrument refused it.
        EXPECT_EQ(text.contains(QStringLiteral("setup %1 of this line may or may not").arg(c.sent)),
                  c.fault.kind != SimFault::Kind::Rejected)
            << c.what << ": " << qPrintable(text);
    }
}
