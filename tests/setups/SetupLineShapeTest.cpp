// The shape of a whole setup write: lines the encoder makes pass, and each
// limit is tried just inside and just outside.
#include "FieldCodec.h"
#include "ProductSetup.h"
#include "SetupLineShape.h"
#include "SetupRecord.h"

#include <gtest/gtest.h>

namespace {

// "P2", the index, and the record the encoder writes for a setup so named.
QByteArray setupLine(int index, const QByteArray& name)
{
    ProductSetup setup;
    setup.Name = name;
    FieldCodec codec;
    codec.BeginCommand("P2");
    codec.AppendByte(index);
    return EncodeProductSetup(setup, codec);
}

TEST(SetupLineShape, EncodedSetupsPassAndEveryOtherShapeIsNamed)
{
    const QByteArray plain = setupLine(4, "RED ENAMEL");
    // The view-entry count stands before the encoder's eight entries of 27 bytes.
    const qsizetype countAt = plain.size() - 8 * 54 - 2;
    ASSERT_EQ(plain.mid(countAt, 2), "08");
    QByteArray sevenViews = plain.chopped(54);
    sevenViews.replace(countAt, 2, "07");
    // "RED ENAMEL" holds hex letters: its 'E' is 45.
    QByteArray lowerCase = plain;
    const qsizetype letter = plain.indexOf('E', 4);
    ASSERT_GT(letter, 0);
    lowerCase[letter] = 'e';

    const struct { const char* name; QByteArray line; int index; const char* problem; } cases[] = {
        {"an empty name", setupLine(0, ""), 0, nullptr},
        {"the longest name", setupLine(249, QByteArray(255, 'N')), 249, nullptr},
        {"seven views counted and sent", sevenViews, 4, nullptr},
        {"index 250", setupLine(250, "X"), -1, "setup index 250"},
        {"a byte short", plain.chopped(2), -1, "(2 missing"},
        {"a digit short", plain.chopped(1), -1, "(1 missing"},
        {"a byte more", plain + "00", -1, "(2 too many)"},
        {"eight views counted, seven sent", plain.chopped(54), -1, "(54 missing"},
        {"cut before the view count", plain.left(countAt), -1, "cut short"},
        {"a lower-case digit", lowerCase, -1, "lower-case hex digit"},
        {"a NUL inside", plain.left(100) + QByteArray(1, '\0') + plain.mid(101), -1, "at character 101"},
        {"a CR at the end", plain + "\r", -1, "\\x0D"},
        {"the refusal", "?04", -1, "is no setup write"},
        {"the other write", "P0" + plain.mid(2), -1, "is no setup write"},
        {"the code alone", "P2", -1, "cut short"},
        {"the index alone", "P2F9", -1, "cut short"},
        {"nothing", "", -1, "is no setup write"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const SetupLineShape shape = CheckSetupLine(c.line);
        EXPECT_EQ(shape.isSetup, c.problem == nullptr) << qPrintable(shape.problem);
        EXPECT_EQ(shape.setupIndex, c.index);
        if (c.problem) EXPECT_TRUE(shape.problem.contains(QLatin1String(c.problem))) << qPrintable(shape.problem);
    }
}

}  // namespace
