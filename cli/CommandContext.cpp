#include "CommandContext.h"

#include "CliEnvironment.h"
#include "CliFailure.h"
#include "DriverSelection.h"
#include "Preferences.h"
#include "ReplyTimeout.h"

CommandContext::CommandContext(const QCommandLineParser& parser, QStringList arguments, CliEnvironment& environment)
    : parser_(parser), arguments_(std::move(arguments)), environment_(environment)
{
}

CommandContext::~CommandContext() = default;

QString DelimiterFromOption(const QString& value)
{
    const QString delimiter = Preferences::DelimiterNamed(value);
    if (delimiter.isEmpty())
        throw UsageError(QStringLiteral("--delimiter is tab, comma or one character, not \"%1\"").arg(value));
    return delimiter;
}

QString CommandContext::Delimiter() const
{
    if (parser_.isSet(QStringLiteral("delimiter"))) return DelimiterFromOption(parser_.value(QStringLiteral("delimiter")));
    SetDelimiter(Preferences::LoadPreferences());
    return GetDelimiter();
}

bool CommandContext::CanAsk() const { return environment_.CanAsk(); }

InstrumentSession& CommandContext::Instrument()
{
    if (!session_) {
        const DriverFactory factory =
            WithReplyTimeout(DriverSelection::FromOptions(parser_), ReplyTimeoutFromEnvironment());
        session_ = std::make_unique<InstrumentSession>(factory);
        session_->Open();
    }
    return *session_;
}

void CommandContext::Finish()
{
    if (session_) session_->Close();
}
