#pragma once
// The commands of tr8kz, each on the engines the windows use, so that what
// they send and the files they write are the windows' own. Each returns its
// exit code (ExitCode) or raises: UsageError, InstrumentUnavailable or
// AppError (see CliFailure.h).

class CommandContext;

namespace CliCommands {

// identify [--json]
int Identify(CommandContext& context);
// clock set
int SetClock(CommandContext& context);
// datalog capture FILE
int CaptureDatalog(CommandContext& context);
// datalog convert SOURCE TARGET (no instrument needed)
int ConvertDatalog(CommandContext& context);
// datalog summary FILE [--csv] (no instrument needed)
int SummarizeDatalog(CommandContext& context);
// datalog report FILE OUT.pdf (no instrument needed; runs tr8kz-report)
int ReportDatalog(CommandContext& context);
// datalog clear [--yes]
int ClearDatalog(CommandContext& context);
// setups archive FILE
int ArchiveSetups(CommandContext& context);
// setups restore [--verify] FILE
int RestoreSetups(CommandContext& context);
// setups compare FILE (with the instrument) | FILE1 FILE2
int CompareSetups(CommandContext& context);
// setup show N
int ShowSetup(CommandContext& context);
// setup set N FIELD=VALUE...
int SetSetup(CommandContext& context);
// screen FILE.bmp
int CaptureScreen(CommandContext& context);
// colour convert --from SCALE --to SCALE --illuminant ILLOBS V1 V2 V3
int ConvertColour(CommandContext& context);
// colour difference [--from SCALE] [--illuminant ILLOBS] L1 a1 b1 L2 a2 b2
int ColourDifference(CommandContext& context);

}  // namespace CliCommands
