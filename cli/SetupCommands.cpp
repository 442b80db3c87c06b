// setups archive and restore, setup show and set: what the Sensor menu's
// archive and restore commands and the product setup editor do.
#include "CommandContext.h"
#include "Commands.h"

#include "CliFailure.h"
#include "SetupArchive.h"
#include "SetupDescription.h"
#include "SetupEdit.h"
#include "SetupRecord.h"
#include "TerminalProgress.h"

#include <cstdio>

namespace CliCommands {

namespace {

void tell(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
    std::fflush(stderr);
}

// The setup as the editor's Load reads it: "P1" with the setup index, the
// reply less its first four characters decoded into a setup.
ProductSetup loadSetup(const Exchange& exchange, int setupNumber)
{
    FieldCodec& codec = TheFieldCodec();
    const QByteArray command = ReadSetupCommand(setupNumber, codec);
    const QByteArray reply = exchange(command);
    ThrowIfRefused(reply, command);
    ProductSetup setup;
    DecodeProductSetup(setup, RecordOfReadReply(reply), codec);
    return setup;
}

}  // namespace

int ArchiveSetups(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    InstrumentSession& session = context.Instrument();
    InterruptAsCancel interrupt;
    SetupArchive::ArchiveResult result;
    {
        TerminalProgress progress;
        result = SetupArchive::Archive(session.exchange(), file, progress);
    }
    if (result.Cancelled) {
        tell(QStringLiteral("Cancelled: %1 of %2 setups archived in %3")
                 .arg(result.SetupsArchived)
                 .arg(SetupArchive::SetupCount)
                 .arg(file));
        return ExitCode::Interrupted;
    }
    return ExitCode::Done;
}

int RestoreSetups(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    // The whole file is checked before the instrument is even opened.
    const std::optional<SetupArchive::RestoreFile> restoreFile = SetupArchive::ReadRestoreFile(file);
    if (!restoreFile) {
        // The window closes without a word; a script needs to know.
        tell(QStringLiteral("%1 is not a product setup archive (its first line is not \"%2\"): nothing was restored")
                 .arg(file, QLatin1String(SetupArchive::Header)));
        return ExitCode::Failed;
    }
    InstrumentSession& session = context.Instrument();
    InterruptAsCancel interrupt;
    SetupArchive::RestoreResult result;
    {
        TerminalProgress progress;
        result = SetupArchive::Restore(session.exchange(), *restoreFile, progress);
    }
    if (result.Cancelled) {
        tell(QStringLiteral("Cancelled: %1 of the %2 setup lines restored; the instrument's other setups are unchanged")
                 .arg(result.SetupsRestored)
                 .arg(restoreFile->lines.size()));
        return ExitCode::Interrupted;
    }
    return ExitCode::Done;
}

int ShowSetup(CommandContext& context)
{
    const int setupNumber = SetupNumberArgument(context.Arguments().at(0));
    InstrumentSession& session = context.Instrument();
    const Exchange exchange = session.exchange();
    const ProductSetup setup = loadSetup(exchange, setupNumber);
    const RunConfigChoice runConfig = QueryRunConfiguration(exchange);
    std::fputs(DescribeSetup(setup, setupNumber, runConfig).toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return ExitCode::Done;
}

int SetSetup(CommandContext& context)
{
    const int setupNumber = SetupNumberArgument(context.Arguments().at(0));
    // Every assignment is read before the instrument is asked anything.
    const SetupEdit edit(context.Arguments().mid(1));
    InstrumentSession& session = context.Instrument();
    const Exchange exchange = session.exchange();

    const ProductSetup loaded = loadSetup(exchange, setupNumber);
    std::optional<RunConfigChoice> runConfig;
    if (edit.NeedsRunConfiguration()) runConfig = QueryRunConfiguration(exchange);
    // A refused value raises here: nothing is written.
    const ProductSetup changed = edit.ApplyTo(loaded, runConfig);

    const QByteArray command = WriteSetupCommand(changed, setupNumber, TheFieldCodec());
    // The editor does not look at the reply; a script is told when the
    // instrument refused the setup.
    ThrowIfRefused(exchange(command), command);
    return ExitCode::Done;
}

}  // namespace CliCommands
