// The built tr8kz-sim as a program: its stored datalog file and its refusal
// of a bad option. The command line's tests drive it on a pseudo-terminal.
#include "FieldCodec.h"
#include "TestFiles.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SimEndToEnd, StoredDatalogFileAndABadOption)
{
    // Seed 7's datalog as a stored datalog file: "#", 25 records, each line ended by CR LF.
    QTemporaryDir dir;
    const QString stored = dir.filePath(QStringLiteral("datalog.txt"));
    const Ran writer = RunProgram(TR8KZ_SIM_EXECUTABLE, {"--seed", "7", "--datalog-size", "25", "--write-datalog", stored});
    EXPECT_EQ(writer.code, 0) << writer.err.toStdString();
    const QList<QByteArray> lines = Lines(stored);
    ASSERT_EQ(lines.size(), 26);
    FieldCodec codec;
    codec.SetText(lines[0]);
    codec.Skip(5);
    EXPECT_EQ(codec.ReadString(), "TR8KZ");
    // A stored line ("L") begins as a "S1" reply: log index, product, identification.
    codec.SetText(lines[1]);
    EXPECT_EQ(codec.GetCommand(), "L");
    EXPECT_EQ(codec.ReadWord(), 0);
    EXPECT_EQ(codec.ReadString(), "RED ENAMEL, GLOSS; LINE 2");
    EXPECT_EQ(codec.ReadString(), "STD");

    // A bad option ends with a message, not an instrument.
    const Ran bad = RunProgram(TR8KZ_SIM_EXECUTABLE, {"--fault", "S1:0:noreply"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_TRUE(bad.out.isEmpty());
}
