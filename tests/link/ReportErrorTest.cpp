#include "ReportError.h"
#include "ScriptedEnvironment.h"

#include <gtest/gtest.h>

// Retry repeating the step after a timeout, and Cancel ending the program
// with no further message, are proven at every command through the whole
// program (hardening_tests, TimeoutMatrix).
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
