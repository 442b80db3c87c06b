#include "ReportError.h"
#include "ScriptedEnvironment.h"

#include <gtest/gtest.h>

TEST(ReportError, TimeoutOffersRetryWhichRepeatsTheStep)
{
    ScriptedEnvironment env;
    env.answers = {MessageAnswer::Retry};
    int attempts = 0;
    const int result = WithErrorReport([&] {
        if (++attempts == 1) throw AppError(ErrorNumber::CommTimeout, "no reply");
        return 42;
    });
    EXPECT_EQ(result, 42);
    EXPECT_EQ(attempts, 2);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Communications Timeout");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::RetryCancel);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);
    EXPECT_EQ(env.messages[0].title, "TR8 KZ Utility");
}

TEST(ReportError, CancelEndsTheProgramWithoutAFurtherMessage)
{
    ScriptedEnvironment env;
    env.answers = {MessageAnswer::Cancel};
    int attempts = 0;
    EXPECT_THROW(WithErrorReport([&] {
                     ++attempts;
                     throw AppError(ErrorNumber::CommTimeout, "no reply");
                 }),
                 ProgramEnd);
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(env.messages.size(), 1u);
}

TEST(ReportError, OtherErrorsAreFatalWithNumberAndDescription)
{
    ScriptedEnvironment env;
    EXPECT_THROW(WithErrorReport([] { throw AppError::overflow("the count 40000 does not fit in 16 bits"); }), ProgramEnd);
    ASSERT_EQ(env.messages.size(), 1u);
    EXPECT_EQ(env.messages[0].text, "Fatal Error #6\r\n\r\nOverflow: the count 40000 does not fit in 16 bits");
    EXPECT_EQ(env.messages[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(env.messages[0].icon, MessageIcon::Critical);

    // A number next to the timeout's is not a timeout.
    env.messages.clear();
    EXPECT_THROW(WithErrorReport([] { throw AppError(-2147213406, "x"); }), ProgramEnd);
    EXPECT_TRUE(env.messages[0].text.startsWith("Fatal Error #-2147213406\r\n\r\n"));
}
