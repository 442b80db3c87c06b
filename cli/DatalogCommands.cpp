// datalog capture, convert and clear: what the Datalog menu does.
#include "CommandContext.h"
#include "Commands.h"

#include "CliFailure.h"
#include "DatalogCapture.h"
#include "DatalogConversion.h"
#include "Environment.h"
#include "InstrumentOperations.h"
#include "OperationFailure.h"
#include "SafeFileWriter.h"
#include "Sensor.h"
#include "TerminalProgress.h"

#include <QLocale>
#include <cstdio>

namespace CliCommands {

namespace {
const QString ClearQuestion = QStringLiteral("Proceed to clear the Datalog?");

void tell(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}
}  // namespace

int CaptureDatalog(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    const QString delimiter = context.Delimiter();
    CheckTargetFile(file);  // before the instrument is asked anything
    InstrumentSession& session = context.Instrument();

    const int16_t count = InstrumentOperations::DatalogCount(session.sensor());
    if (count == 0) {
        Env().ShowMessage(DatalogCapture::EmptyText, MessageButtons::Ok, MessageIcon::Exclamation);
        return ExitCode::Done;
    }
    InterruptAsCancel interrupt;
    DatalogCapture::Result result;
    try {
        TerminalProgress progress;
        result = DatalogCapture::Run(session.exchange(), count, file, delimiter, progress, QLocale());
    } catch (const AppError& error) {
        // The engine's description names the record.
        throw OperationFailure(error, QStringLiteral("Datalog capture into %1").arg(file));
    }
    if (!result.delimiterWarning.isEmpty()) tell(result.delimiterWarning);
    if (result.cancelled) {
        tell(QStringLiteral("Cancelled: %1 of %2 records captured in %3").arg(result.recordsWritten).arg(count).arg(file));
        return ExitCode::Interrupted;
    }
    return ExitCode::Done;
}

int ConvertDatalog(CommandContext& context)
{
    const QString source = context.Arguments().at(0);
    const QString target = context.Arguments().at(1);
    const QString delimiter = context.Delimiter();

    InterruptAsCancel interrupt;
    DatalogConversion::Result result;
    {
        TerminalProgress progress;
        result = DatalogConversion::Run(source, target, delimiter, progress, QLocale());
    }
    if (result.cancelled) {
        tell(QStringLiteral("Cancelled: %1 was not written").arg(target));
        return ExitCode::Interrupted;
    }
    tell(QStringLiteral("%1 to %2").arg(DatalogConversion::ConvertedRecords(result.recordsWritten), target));
    Env().ShowMessage(DatalogConversion::CompletedMessage, MessageButtons::Ok, MessageIcon::Information);
    // Written as the rules say; the warning does not make it a failure.
    if (!result.delimiterWarning.isEmpty()) tell(result.delimiterWarning);
    return ExitCode::Done;
}

int ClearDatalog(CommandContext& context)
{
    const bool confirmed = context.IsSet(QStringLiteral("yes"));
    if (!confirmed && !context.CanAsk())
        throw UsageError(QStringLiteral("datalog clear asks before it clears, and there is no terminal to ask on: "
                                        "give --yes to clear without asking"));
    InstrumentSession& session = context.Instrument();
    if (!confirmed && Env().ShowMessage(ClearQuestion, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return ExitCode::Done;
    InstrumentOperations::ClearDatalog(session.sensor());
    return ExitCode::Done;
}

}  // namespace CliCommands
