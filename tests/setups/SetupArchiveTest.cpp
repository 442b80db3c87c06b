// Archive and restore of all setups against a stand-in instrument.
#include "AppError.h"
#include "SetupArchive.h"
#include "SetupRecord.h"
#include "SetupTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& name)
{
    QFile f(name);
    if (!f.open(QIODevice::ReadOnly)) return "(missing)";
    return f.readAll();
}

void writeFile(const QString& name, const QByteArray& bytes)
{
    QFile f(name);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// An archive file as the instrument's replies for the given setup indexes.
QByteArray archiveOf(const FakeSetupInstrument& instrument, const std::vector<int>& indexes)
{
    QByteArray text = "TR8KZ Product Setups\r\n";
    for (int i : indexes) text += instrument.ReadReply(i) + "\r\n";
    return text;
}

std::vector<int> allIndexes()
{
    std::vector<int> v;
    for (int i = 0; i < 250; ++i) v.push_back(i);
    return v;
}

int32_t errorOf(const std::function<void()>& f, QString* description = nullptr)
{
    try {
        f();
    } catch (const AppError& e) {
        if (description) *description = e.description();
        return e.number();
    }
    return 0;
}

class SetupArchiveTest : public ::testing::Test {
protected:
    QString path(const QString& name) const { return dir.filePath(name); }
    QTemporaryDir dir;
    FakeSetupInstrument instrument;
    RecordingProgress progress;
    FieldCodec codec;
};

}  // namespace

TEST_F(SetupArchiveTest, ArchiveWritesTheHeaderAndEveryReplyUnchanged)
{
    const QString file = path("all.txt");
    const SetupArchive::ArchiveResult result = SetupArchive::Archive(instrument.exchange(), file, progress, codec);
    EXPECT_EQ(result.SetupsArchived, 250);
    EXPECT_FALSE(result.Cancelled);

    const QByteArray bytes = readAll(file);
    ASSERT_TRUE(bytes.endsWith("\r\n"));
    const QList<QByteArray> lines = bytes.chopped(2).split('\n');
    ASSERT_EQ(lines.size(), 251);
    EXPECT_EQ(lines[0], QByteArray("TR8KZ Product Setups\r"));
    for (int i = 0; i < 250; ++i) EXPECT_EQ(lines[i + 1], instrument.ReadReply(i) + (i < 249 ? "\r" : "")) << i;

    ASSERT_EQ(instrument.commands.size(), 250u);
    EXPECT_EQ(instrument.commands.front(), QByteArray("P10000"));
    EXPECT_EQ(instrument.commands[6], QByteArray("P10006"));
    EXPECT_EQ(instrument.commands.back(), QByteArray("P100F9"));

    EXPECT_EQ(progress.captions, QStringList{"Archiving Product Setups..."});
    EXPECT_EQ(progress.maximums, std::vector<int>{250});
    ASSERT_EQ(progress.values.size(), 251u);
    EXPECT_EQ(progress.values.front(), 0);
    EXPECT_EQ(progress.values[7], 7);
    EXPECT_EQ(progress.values.back(), 250);
    ASSERT_EQ(progress.statuses.size(), 250);
    EXPECT_EQ(progress.statuses[0], "1 / 250");
    EXPECT_EQ(progress.statuses[6], "7 / 250");
    EXPECT_EQ(progress.statuses[249], "250 / 250");
    EXPECT_EQ(progress.yields, 250);
    EXPECT_EQ(progress.clears, 1);
}

TEST_F(SetupArchiveTest, CancelDuringSetup7KeepsSevenSetups)
{
    progress.cancel = true;     // a Cancel left from an earlier operation is cleared at the start
    progress.cancelAtYield = 7; // the click arrives while setup 7 is read
    const QString file = path("part.txt");
    const SetupArchive::ArchiveResult result = SetupArchive::Archive(instrument.exchange(), file, progress, codec);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.SetupsArchived, 7);
    EXPECT_EQ(instrument.commands.size(), 7u);
    EXPECT_EQ(progress.statuses.back(), "7 / 250");
    EXPECT_EQ(readAll(file), archiveOf(instrument, {0, 1, 2, 3, 4, 5, 6}));
}

TEST_F(SetupArchiveTest, FailurePartWayLeavesTheEarlierArchive)
{
    const QString file = path("kept.txt");
    writeFile(file, "TR8KZ Product Setups\r\nearlier\r\n");
    instrument.beforeReply = [](int count) {
        if (count == 100) throw AppError(ErrorNumber::CommTimeout, "timeout");
    };
    EXPECT_EQ(errorOf([&] { SetupArchive::Archive(instrument.exchange(), file, progress, codec); }),
              ErrorNumber::CommTimeout);
    EXPECT_EQ(readAll(file), QByteArray("TR8KZ Product Setups\r\nearlier\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"kept.txt"});  // no temporary left behind

    // A file that cannot be created fails before anything is asked.
    instrument.commands.clear();
    EXPECT_EQ(errorOf([&] { SetupArchive::Archive(instrument.exchange(), path("no/such/dir/a.txt"), progress, codec); }),
              ErrorNumber::FileAccess);
    EXPECT_TRUE(instrument.commands.empty());
}

TEST_F(SetupArchiveTest, RestoreSendsEveryLineUnchangedInFileOrder)
{
    FakeSetupInstrument source;  // another instrument whose setups are archived
    for (int i = 0; i < 250; ++i) source.records[i] = SampleRecord(1000 + i);
    const QString file = path("restore.txt");
    writeFile(file, archiveOf(source, allIndexes()));

    const SetupArchive::RestoreResult result = SetupArchive::Restore(instrument.exchange(), file, progress, codec);
    EXPECT_FALSE(result.NotAnArchive);
    EXPECT_FALSE(result.Cancelled);
    EXPECT_EQ(result.SetupsRestored, 250);
    ASSERT_EQ(instrument.commands.size(), 250u);
    for (int i = 0; i < 250; ++i) EXPECT_EQ(instrument.commands[i], source.ReadReply(i)) << i;
    EXPECT_EQ(instrument.records, source.records);
    ASSERT_EQ(result.RestoredSetupNumbers.size(), 250u);
    EXPECT_EQ(result.RestoredSetupNumbers.front(), 1);
    EXPECT_EQ(result.RestoredSetupNumbers.back(), 250);

    EXPECT_EQ(progress.captions, QStringList{"Restoring Product Setups..."});
    EXPECT_EQ(progress.maximums, std::vector<int>{250});
    EXPECT_EQ(progress.values.front(), 0);
    EXPECT_EQ(progress.values.back(), 250);
    EXPECT_EQ(progress.statuses[0], "1 (1)");
    EXPECT_EQ(progress.statuses[249], "250 (250)");
}

TEST_F(SetupArchiveTest, RestoreStatusShowsTheCounterAndTheSetupRestored)
{
    const QString file = path("three.txt");
    // The file ends with blank lines, as a text editor may leave it.
    writeFile(file, archiveOf(instrument, {4, 8, 16}) + "\r\n\r\n");
    const SetupArchive::RestoreResult result = SetupArchive::Restore(instrument.exchange(), file, progress, codec);
    EXPECT_EQ(progress.statuses, (QStringList{"1 (5)", "2 (9)", "3 (17)"}));
    EXPECT_EQ(progress.values, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(result.RestoredSetupNumbers, (std::vector<int>{5, 9, 17}));
    EXPECT_EQ(instrument.commands.size(), 3u);
}

TEST_F(SetupArchiveTest, FilesThatAreNoArchiveAreRefusedSilently)
{
    const QByteArray body = instrument.ReadReply(0) + "\r\n";
    const std::pair<const char*, QByteArray> files[] = {
        {"empty", QByteArray()},
        {"case", "TR8KZ PRODUCT SETUPS\r\n" + body},
        {"trailing blank", "TR8KZ Product Setups \r\n" + body},
        {"other", "Something else\r\n" + body},
        {"no header", body},
    };
    for (const auto& [name, bytes] : files) {
        const QString file = path(name);
        writeFile(file, bytes);
        const SetupArchive::RestoreResult result = SetupArchive::Restore(instrument.exchange(), file, progress, codec);
        EXPECT_TRUE(result.NotAnArchive) << name;
        EXPECT_EQ(result.SetupsRestored, 0) << name;
    }
    EXPECT_TRUE(instrument.commands.empty());

    // The header alone is an archive of no setups: nothing to send.
    writeFile(path("header"), "TR8KZ Product Setups\r\n");
    const SetupArchive::RestoreResult header = SetupArchive::Restore(instrument.exchange(), path("header"), progress, codec);
    EXPECT_FALSE(header.NotAnArchive);
    EXPECT_EQ(header.SetupsRestored, 0);
    EXPECT_TRUE(instrument.commands.empty());

    EXPECT_EQ(errorOf([&] { SetupArchive::Restore(instrument.exchange(), path("missing"), progress, codec); }),
              ErrorNumber::FileAccess);
}

TEST_F(SetupArchiveTest, DamagedFilesAreRefusedWholeBeforeAnythingIsSent)
{
    const QByteArray good = instrument.ReadReply(1);
    const QByteArray header = "TR8KZ Product Setups\r\n";
    std::vector<int> tooMany = allIndexes();
    tooMany.push_back(3);

    struct Case {
        const char* name;
        QByteArray bytes;
        const char* mentions;  // part of the error's description
    };
    const Case cases[] = {
        {"251 setups", archiveOf(instrument, tooMany), "line 252"},
        {"index 250", header + good + "\r\nP2FA" + instrument.records[0] + "\r\n", "line 3"},
        {"read command", header + good + "\r\nP10003\r\n", "line 3"},
        {"cut short", header + good + "\r\n" + good.left(good.size() - 6) + "\r\n" + good + "\r\n", "line 3"},
        {"extra bytes", header + good + "00\r\n", "line 2"},
        {"not hex", header + "P2" + good.mid(2).toLower() + "\r\n", "line 2"},
        {"blank between", header + good + "\r\n\r\n" + good + "\r\n", "line 3"},
        {"spaces between", header + good + "\r\n   \r\n" + good + "\r\n", "line 3"},
        {"prefix only", header + "P205\r\n", "line 2"},
    };
    for (const Case& c : cases) {
        const QString file = path(c.name);
        writeFile(file, c.bytes);
        QString description;
        EXPECT_EQ(errorOf([&] { SetupArchive::Restore(instrument.exchange(), file, progress, codec); }, &description),
                  ErrorNumber::InvalidArgument)
            << c.name;
        EXPECT_TRUE(description.contains(c.mentions)) << c.name << ": " << description.toStdString();
    }
    EXPECT_TRUE(instrument.commands.empty());
}

TEST_F(SetupArchiveTest, ALineTheInstrumentRefusesStopsTheRestore)
{
    const QString file = path("refused.txt");
    writeFile(file, archiveOf(instrument, {0, 1, 2, 3, 4}));
    instrument.refuseWriteOf = {2};
    QString description;
    EXPECT_EQ(errorOf([&] { SetupArchive::Restore(instrument.exchange(), file, progress, codec); }, &description),
              ErrorNumber::InstrumentRefused);
    EXPECT_EQ(instrument.commands.size(), 3u);  // lines for setups 1 and 2 sent and kept, 4 and 5 not sent
    EXPECT_TRUE(description.contains("line 4")) << description.toStdString();
    EXPECT_TRUE(description.contains("error 07")) << description.toStdString();
    EXPECT_TRUE(description.contains("2 setups")) << description.toStdString();

    // A reply of another kind is no confirmation either.
    instrument.commands.clear();
    FakeSetupInstrument odd;
    Exchange answersWrongly = [&](const QByteArray& command) {
        odd.Execute(command);
        return QByteArray("P20000");
    };
    EXPECT_EQ(errorOf([&] { SetupArchive::Restore(answersWrongly, file, progress, codec); }),
              ErrorNumber::InstrumentRefused);
    EXPECT_EQ(odd.commands.size(), 1u);
}

TEST_F(SetupArchiveTest, CancelStopsTheRestoreBeforeTheNextLine)
{
    const QString file = path("cancel.txt");
    writeFile(file, archiveOf(instrument, allIndexes()));
    progress.cancelAtYield = 5;
    const SetupArchive::RestoreResult result = SetupArchive::Restore(instrument.exchange(), file, progress, codec);
    EXPECT_TRUE(result.Cancelled);
    EXPECT_EQ(result.SetupsRestored, 5);
    EXPECT_EQ(instrument.commands.size(), 5u);
    EXPECT_EQ(progress.statuses.back(), "5 (5)");
}

TEST_F(SetupArchiveTest, ArchiveThenRestoreBringsBackTheSetups)
{
    const QString file = path("roundtrip.txt");
    SetupArchive::Archive(instrument.exchange(), file, progress, codec);
    const std::vector<QByteArray> original = instrument.records;

    // Setup 12 is changed with "P0" after the archive.
    ProductSetup changed;
    DecodeProductSetup(changed, instrument.records[11], codec);
    changed.Name = "CHANGED";
    changed.MaxDistance = 33;
    instrument.Execute(WriteSetupCommand(changed, 12, codec));
    ASSERT_NE(instrument.records[11], original[11]);

    SetupArchive::Restore(instrument.exchange(), file, progress, codec);
    EXPECT_EQ(instrument.records, original);
}
