// The run configuration query: two literal commands, one Word each.
#include "AppError.h"
#include "RunConfigQuery.h"

#include <gtest/gtest.h>

namespace {

struct Answers {
    QByteArray units, variant;
    std::vector<QByteArray> sent;
    Exchange exchange()
    {
        return [this](const QByteArray& command) {
            sent.push_back(command);
            return command == "Q10001" ? units : variant;
        };
    }
};

}  // namespace

TEST(RunConfigQuery, AsksUnitsThenVariantAndChoosesTheEditor)
{
    struct Case {
        const char* units;
        const char* variant;
        bool customary;
        RunConfigEditor editor;
    };
    const Case cases[] = {
        {"q0001", "q0001", true, RunConfigEditor::Distance},
        {"q0000", "q0002", false, RunConfigEditor::Height},
        {"q0002", "q0000", false, RunConfigEditor::None},
        {"q0001", "q0003", true, RunConfigEditor::None},
        {"q0101", "q0102", false, RunConfigEditor::None},  // 257 and 258: not 1 and not 2
    };
    for (const Case& c : cases) {
        Answers answers{c.units, c.variant, {}};
        FieldCodec codec;
        const RunConfigChoice choice = QueryRunConfiguration(answers.exchange(), codec);
        ASSERT_EQ(answers.sent.size(), 2u);
        EXPECT_EQ(answers.sent[0], QByteArray("Q10001"));
        EXPECT_EQ(answers.sent[1], QByteArray("Q10002"));
        EXPECT_EQ(choice.CustomaryUnits, c.customary) << c.units;
        EXPECT_EQ(choice.Editor(), c.editor) << c.variant;
    }
}

TEST(RunConfigQuery, RefusalsAndOversizedAnswersAreErrors)
{
    Answers refused{"?05", "q0001", {}};
    FieldCodec codec;
    try {
        QueryRunConfiguration(refused.exchange(), codec);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InstrumentRefused);
        EXPECT_TRUE(e.description().contains("Q10001"));
    }
    EXPECT_EQ(refused.sent.size(), 1u);  // nothing asked after the refusal

    Answers wide{"q0001", "q8000", {}};  // 32768 does not fit 16 bits
    try {
        QueryRunConfiguration(wide.exchange(), codec);
        FAIL();
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), 6);
    }
}
