// The datalog vocabulary: every entry, the gaps and the edges.

#include "CodeNames.h"
#include "DatalogTestSupport.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace {

void expectTable(int32_t kind, int16_t first, const QStringList& names)
{
    for (int i = 0; i < names.size(); ++i)
        EXPECT_EQ(GetCodeName(kind, static_cast<int16_t>(first + i)), names[i]) << "kind " << kind << " code " << first + i;
}

TEST(CodeNames, EveryTableInFull)
{
    for (int kind = 0; kind <= 4; ++kind) expectTable(kind, 0, ExpectedNames(kind));
    expectTable(4, 21, ExpectedDifferenceNames());
    EXPECT_EQ(GetCodeName(4, 12), "SCAA");
    EXPECT_EQ(GetCodeName(4, 21), "Gray Scale");
    EXPECT_EQ(GetCodeName(4, 29), "MI");
    EXPECT_EQ(GetCodeName(2, 17), "F11/10");
    EXPECT_EQ(GetCodeName(3, 0), "(...)");
    EXPECT_EQ(GetCodeName(4, 0), "(...)");
}

TEST(CodeNames, CodesOutsideTheTablesGiveTheEmptyText)
{
    // Past the end of each table.
    EXPECT_EQ(GetCodeName(0, 4), "");
    EXPECT_EQ(GetCodeName(1, 7), "");
    EXPECT_EQ(GetCodeName(2, 18), "");
    EXPECT_EQ(GetCodeName(3, 7), "");
    EXPECT_EQ(GetCodeName(4, 30), "");
    // The gap between the indices and the differences.
    for (int16_t code = 13; code <= 20; ++code) EXPECT_EQ(GetCodeName(4, code), "") << code;
    // Negative codes, the largest code, the smallest.
    for (int32_t kind = 0; kind <= 4; ++kind) {
        for (int16_t code : {int16_t(-1), int16_t(-20), int16_t(-21), int16_t(32767), int16_t(-32768)})
            EXPECT_EQ(GetCodeName(kind, code), "") << "kind " << kind << " code " << code;
    }
    // Kinds outside 0..4.
    for (int32_t kind : {-1, 5, 6, 1000, INT32_MIN})
        for (int16_t code : {int16_t(0), int16_t(1), int16_t(21)}) EXPECT_EQ(GetCodeName(kind, code), "");
}

TEST(CodeNames, ByteFormMatchesTheText)
{
    for (int32_t kind = -1; kind <= 5; ++kind) {
        for (int code = -2; code <= 31; ++code) {
            const std::string_view bytes = CodeNameText(kind, static_cast<int16_t>(code));
            EXPECT_EQ(QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())),
                      GetCodeName(kind, static_cast<int16_t>(code)));
        }
    }
}

}  // namespace
