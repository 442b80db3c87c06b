// How messages quote replies and stored lines: control characters escaped,
// long texts cut at the limit; and a reply holding a NUL quoted whole. How
// an error that offers no retry is reported.
#include "InstrumentOperations.h"
#include "RaisedError.h"
#include "ReplyText.h"
#include "ReportError.h"
#include "ScriptedEnvironment.h"

TEST(QuotedText, ControlCharactersEscapedAndLongTextsCut)
{
    const QByteArray limit(QuotedTextLimit, 'A');
    const struct { QByteArray text; QString quoted; } cases[] = {
        {QByteArray("a\0b", 3), "a\\x00b"},
        {"\r\n\t\x1B", "\\x0D\\x0A\\x09\\x1B"},
        {"\x1F \x7E\x7F\x80\x9F\xA0\xFF", QStringLiteral("\\x1F ~\\x7F\\x80\\x9F\u00A0\u00FF")},
        {"C:\\x00", "C:\\\\x00"},  // a backslash of the text is no escape
        {limit, QString::fromLatin1(limit)},
        {limit + "B", QString::fromLatin1(limit) + "... (201 characters in all)"},
        {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(QuotedText(c.text), c.quoted) << c.text.toStdString();
    EXPECT_EQ(QuotedText("abc", 2), "ab... (3 characters in all)");
}

TEST(QuotedText, AReplyHoldingANulIsQuotedPastIt)
{
    EXPECT_EQ(RaisedError([] { InstrumentOperations::ExpectReply(QByteArray("x\0tail", 6), 's', "S10000"); }).description(),
              "Unexpected reply to the command S10000: \"x\\x00tail\"");
}

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
