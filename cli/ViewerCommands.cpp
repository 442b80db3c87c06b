// datalog summary and datalog report: the Datalog Viewer's summary and PDF
// report of a datalog file, no instrument needed.
#include "CommandContext.h"
#include "Commands.h"

#include "AppError.h"
#include "CliFailure.h"
#include "DatalogFileReader.h"
#include "DatalogSummary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QProcess>
#include <cstdio>

namespace CliCommands {

namespace {

DatalogDocument readDatalog(CommandContext& context)
{
    const QString file = context.Arguments().at(0);
    DatalogDocument document = DatalogFileReader::Read(file, context.Delimiter(), QLocale());
    // Unreadable lines are told, never dropped in silence; the rest is summarized.
    for (const UnreadableLine& line : document.unreadable)
        std::fprintf(stderr, "%s\n", UnreadableText(file, line).toLocal8Bit().constData());
    return document;
}

// The report program: next to tr8kz (the build tree), or in lib/tr8kz/ beside
// the bin/ folder of an installed tr8kz.
QString reportProgram()
{
    const QDir here(QCoreApplication::applicationDirPath());
    const QStringList candidates{here.filePath(QStringLiteral("tr8kz-report")),
                                 here.filePath(QStringLiteral("../lib/tr8kz/tr8kz-report"))};
    for (const QString& candidate : candidates)
        if (QFileInfo(candidate).isExecutable()) return QDir::cleanPath(candidate);
    throw AppError(ErrorNumber::FileAccess,
                   QStringLiteral("Cannot find the report program: neither %1 nor %2 exists")
                       .arg(QDir::cleanPath(candidates[0]), QDir::cleanPath(candidates[1])));
}

}  // namespace

int SummarizeDatalog(CommandContext& context)
{
    const DatalogDocument document = readDatalog(context);
    const auto groups = DatalogSummary::Summarize(document.records);
    const QString text = context.IsSet(QStringLiteral("csv")) ? DatalogSummary::Csv(groups)
                                                               : DatalogSummary::AlignedText(groups);
    std::fputs(text.toLocal8Bit().constData(), stdout);
    std::fflush(stdout);
    return ExitCode::Done;
}

int ReportDatalog(CommandContext& context)
{
    const QString program = reportProgram();
    QProcess report;
    report.setProcessChannelMode(QProcess::ForwardedChannels);
    // The delimiter itself is a valid --delimiter value: one character.
    report.start(program, {context.Arguments().at(0), context.Arguments().at(1), QStringLiteral("--delimiter"),
                           context.Delimiter()});
    if (!report.waitForStarted(-1))
        throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot run %1: %2").arg(program, report.errorString()));
    report.waitForFinished(-1);
    if (report.exitStatus() != QProcess::NormalExit)
        throw AppError(ErrorNumber::FileAccess,
                       QStringLiteral("%1 ended abnormally; %2 was not written").arg(program, context.Arguments().at(1)));
    // Its own messages have gone to the terminal; its exit codes are ours.
    return report.exitCode();
}

}  // namespace CliCommands
