// setups archive, restore and compare, setup show and set: what the Sensor
// menu's archive, restore and compare commands and the product setup editor
// do.
#include "CommandContext.h"
#include "Commands.h"

#include "CliFailure.h"
#include "Environment.h"
#include "OperationFailure.h"
#include "SafeFileWriter.h"
#include "SetupArchive.h"
#include "SetupComparison.h"
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

void print(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
}

// The differences on standard output; the exit code says whether there were any.
int reportComparison(const SetupComparison::Comparison& comparison)
{
    print(SetupComparison::ComparisonText(comparison));
    return comparison.Identical() ? ExitCode::Done : ExitCode::Differ;
}

// Reads back what the restore wrote and compares it with the lines sent.
int verifyRestore(const Exchange& exchange, const SetupArchive::RestoreResult& restored, const QString& file)
{
    std::optional<SetupComparison::Comparison> comparison;
    {
        TerminalProgress progress;
        comparison = SetupComparison::VerifyRestore(exchange, restored.RestoredSetupNumbers, restored.RestoredLines,
                                                    file, progress);
    }
    if (!comparison) {
        tell(QStringLiteral("Cancelled: the %1 setups restored were not all read back").arg(restored.SetupsRestored));
        return ExitCode::Interrupted;
    }
    return reportComparison(*comparison);
}

}  // namespace

int ArchiveSetups(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    CheckTargetFile(file);  // before the instrument is asked anything
    InstrumentSession& session = context.Instrument();
    InterruptAsCancel interrupt;
    SetupArchive::ArchiveResult result;
    {
        TerminalProgress progress;
        try {
            result = SetupArchive::Archive(session.exchange(), file, progress);
        } catch (const AppError& error) {
            throw OperationFailure(error, QStringLiteral("Setup archive into %1").arg(file),
                                   QStringLiteral("setup %1 of %2").arg(progress.Value() + 1).arg(SetupArchive::SetupCount));
        }
    }
    const QString warning = SetupArchive::UnrestorableWarning(result, file);
    if (!warning.isEmpty()) Env().ShowMessage(warning, MessageButtons::Ok, MessageIcon::Exclamation);
    if (result.Cancelled) {
        tell(QStringLiteral("Cancelled: %1 of %2 setups archived in %3")
                 .arg(result.SetupsArchived)
                 .arg(SetupArchive::SetupCount)
                 .arg(file));
        return ExitCode::Interrupted;
    }
    // A script must not take an archive that will not restore for a good one.
    return warning.isEmpty() ? ExitCode::Done : ExitCode::Failed;
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
        try {
            result = SetupArchive::Restore(session.exchange(), *restoreFile, progress);
        } catch (const AppError& error) {
            // The engine's description names the line, its setup and what was restored.
            throw OperationFailure(error, QStringLiteral("Setup restore from %1").arg(file));
        }
    }
    if (result.Cancelled) {
        tell(QStringLiteral("Cancelled: %1 of the %2 setup lines restored; the instrument's other setups are unchanged")
                 .arg(result.SetupsRestored)
                 .arg(restoreFile->lines.size()));
        return ExitCode::Interrupted;
    }
    if (context.IsSet(QStringLiteral("verify"))) return verifyRestore(session.exchange(), result, file);
    return ExitCode::Done;
}

int CompareSetups(CommandContext& context)
{
    const QStringList files = context.Arguments();
    // Every file is read before the instrument is asked anything.
    std::vector<SetupComparison::SetupLines> sides;
    for (const QString& file : files) {
        SetupComparison::ArchiveFile archive;
        try {
            archive = SetupComparison::ReadArchiveFile(file);
        } catch (const AppError& error) {
            // Exit code 1 says the setups differ: a file that cannot be read is not an archive to compare.
            tell(error.description());
            return ExitCode::Usage;
        }
        if (!archive.IsArchive) {
            tell(QStringLiteral("%1 is not a product setup archive: %2").arg(file, archive.Reason));
            return ExitCode::Usage;
        }
        sides.push_back(std::move(archive.Lines));
    }
    if (sides.size() == 1) {
        InstrumentSession& session = context.Instrument();
        InterruptAsCancel interrupt;
        std::optional<SetupComparison::SetupLines> instrument;
        {
            TerminalProgress progress;
            instrument = SetupComparison::ReadInstrument(session.exchange(), progress);
        }
        if (!instrument) {
            tell(QStringLiteral("Cancelled: the instrument's setups were not all read; nothing was compared"));
            return ExitCode::Interrupted;
        }
        sides.insert(sides.begin(), std::move(*instrument));
    }
    return reportComparison(SetupComparison::Compare(sides[0], sides[1]));
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
