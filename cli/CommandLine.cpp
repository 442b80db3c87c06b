#include "CommandLine.h"

#include "CliEnvironment.h"
#include "CliFailure.h"
#include "ColorConverter.h"
#include "CommandContext.h"
#include "Commands.h"
#include "DriverSelection.h"
#include "LinkWait.h"
#include "Version.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

const QString ProgramName = QStringLiteral("tr8kz");

struct Positional {
    QString name;
    QString description;
};

struct CommandEntry {
    QStringList words;  // "datalog", "capture"
    QString summary;
    std::vector<Positional> positionals;
    bool moreArguments = false;  // the last positional may repeat
    QList<QCommandLineOption> options;
    ErrorStyle style = ErrorStyle::Fatal;
    QString details;  // appended to the command's help
    std::function<int(CommandContext&)> run;
    std::vector<Positional> optionalPositionals = {};  // after the positionals, each may be left out
    QStringList required = {};  // options the command cannot do without (shown without brackets)

    QString name() const { return words.join(QLatin1Char(' ')); }
    QString synopsis() const
    {
        QStringList parts{name()};
        for (const QCommandLineOption& option : options) {
            const QString value = option.valueName().isEmpty() ? QString() : QLatin1Char(' ') + option.valueName();
            const QString name = option.names().constLast();
            parts << (required.contains(name) ? QStringLiteral("--%1%2") : QStringLiteral("[--%1%2]")).arg(name, value);
        }
        for (const Positional& p : positionals) parts << p.name;
        if (moreArguments) parts.last() += QStringLiteral("...");
        for (const Positional& p : optionalPositionals) parts << QStringLiteral("[%1]").arg(p.name);
        return parts.join(QLatin1Char(' '));
    }
};

QCommandLineOption delimiterOption()
{
    return {QStringLiteral("delimiter"),
            QStringLiteral("Delimiter of the datalog files: tab, comma or one character (default: the stored "
                           "preference, as the utility uses it)."),
            QStringLiteral("tab|comma|C")};
}

const std::vector<CommandEntry>& commands()
{
    static const std::vector<CommandEntry> table = [] {
        std::vector<CommandEntry> t;
        t.push_back({{QStringLiteral("identify")},
                     QStringLiteral("Show the instrument's firmware, serial number, last standardization and datalog fill."),
                     {},
                     false,
                     {{QStringLiteral("json"), QStringLiteral("Write the identification as a JSON object.")}},
                     ErrorStyle::Fatal,
                     {},
                     CliCommands::Identify});
        t.push_back({{QStringLiteral("datalog"), QStringLiteral("capture")},
                     QStringLiteral("Capture the instrument's datalog into a delimited text file."),
                     {{QStringLiteral("FILE"), QStringLiteral("The file to write (replaced when it exists).")}},
                     false,
                     {},
                     ErrorStyle::Operation,
                     QStringLiteral("One line of 56 fields per record. Ctrl-C stops after the record under way; the "
                                    "file then holds the records captured so far (exit code 130). A failure part-way "
                                    "keeps the records read before it too, and says how many (exit code 1)."),
                     CliCommands::CaptureDatalog});
        t.push_back({{QStringLiteral("datalog"), QStringLiteral("convert")},
                     QStringLiteral("Convert a stored datalog file into a delimited text file with a header line."),
                     {{QStringLiteral("SOURCE"), QStringLiteral("The stored datalog file.")},
                      {QStringLiteral("TARGET"), QStringLiteral("The file to write (replaced when it exists).")}},
                     false,
                     {},
                     ErrorStyle::Operation,
                     QStringLiteral("No instrument is needed. CR, LF and CR LF all end a source line; a line that is "
                                    "not exactly one record stops the conversion naming the line. Ctrl-C stops the "
                                    "conversion and writes no file."),
                     CliCommands::ConvertDatalog});
        t.push_back({{QStringLiteral("datalog"), QStringLiteral("summary")},
                     QStringLiteral("Summarize a datalog file per product and setup."),
                     {{QStringLiteral("FILE"), QStringLiteral("A capture, stored or converted datalog file.")}},
                     false,
                     {{QStringLiteral("csv"), QStringLiteral("Write CSV instead of an aligned table.")}},
                     ErrorStyle::Operation,
                     QStringLiteral("Records, samples, and the mean, standard deviation (n-1), minimum and maximum of "
                                    "the first index value; with --csv the header is "
                                    "product,setup,records,samples,mean,sd,min,max. Lines that cannot be read are "
                                    "listed on the standard error. No instrument is needed."),
                     CliCommands::SummarizeDatalog});
        t.push_back({{QStringLiteral("datalog"), QStringLiteral("report")},
                     QStringLiteral("Write the PDF report of a datalog file."),
                     {{QStringLiteral("FILE"), QStringLiteral("A capture, stored or converted datalog file.")},
                      {QStringLiteral("OUT.pdf"), QStringLiteral("The report to write (replaced when it exists).")}},
                     false,
                     {},
                     ErrorStyle::Operation,
                     QStringLiteral("The summary, and per product and setup its trend and spectra charts, drawn by "
                                    "tr8kz-report (next to tr8kz, or in ../lib/tr8kz/ of an installed tr8kz). No "
                                    "instrument is needed."),
                     CliCommands::ReportDatalog});
        t.push_back({{QStringLiteral("datalog"), QStringLiteral("clear")},
                     QStringLiteral("Clear the instrument's datalog."),
                     {},
                     false,
                     {{QStringLiteral("yes"), QStringLiteral("Clear without asking (needed when there is no terminal).")}},
                     ErrorStyle::Fatal,
                     QStringLiteral("Without --yes the question \"Proceed to clear the Datalog?\" is asked on the "
                                    "terminal."),
                     CliCommands::ClearDatalog});
        t.push_back({{QStringLiteral("setups"), QStringLiteral("archive")},
                     QStringLiteral("Archive the instrument's 250 product setups into a file."),
                     {{QStringLiteral("FILE"), QStringLiteral("The archive to write (replaced when it exists).")}},
                     false,
                     {},
                     ErrorStyle::Operation,
                     QStringLiteral("Ctrl-C stops after the setup under way; the file is then a valid archive of the "
                                    "setups read so far (exit code 130). A reply that is not a setup is asked for "
                                    "once more; when it still is not, the archive is written, the setups are named "
                                    "and the exit code is 1: such an archive will not restore."),
                     CliCommands::ArchiveSetups});
        t.push_back({{QStringLiteral("setups"), QStringLiteral("restore")},
                     QStringLiteral("Restore the product setups of an archive file to the instrument."),
                     {{QStringLiteral("FILE"), QStringLiteral("An archive written by setups archive.")}},
                     false,
                     {{QStringLiteral("verify"),
                       QStringLiteral("Read back every setup written and compare it with the line sent.")}},
                     ErrorStyle::Operation,
                     QStringLiteral("The whole file is checked before the instrument is opened: a file that "
                                    "cannot be restored whole is refused naming the line, and nothing is sent "
                                    "(exit code 1). With --verify each setup that differs from the line sent is "
                                    "listed as setups compare lists it, and the exit code is 1."),
                     CliCommands::RestoreSetups});
        t.push_back({{QStringLiteral("setups"), QStringLiteral("compare")},
                     QStringLiteral("Compare the instrument's product setups with an archive, or two archives."),
                     {{QStringLiteral("FILE"),
                       QStringLiteral("An archive; alone, it is compared with the instrument's setups.")}},
                     false,
                     {},
                     ErrorStyle::Operation,
                     QStringLiteral(
                         "Each field that differs is listed with its setup number and both values, in the words of "
                         "the setup editors:\n"
                         "  setup 12: View 2: Color Scale: \"L*a*b*\" (instrument), \"L a b\" (setups.txt)\n"
                         "A line that does not decode is listed as such for its setup. Exit code 0 when the setups "
                         "are identical, 1 when they differ (or the instrument failed: the message says so), 2 for a "
                         "file that is not an archive or cannot be read."),
                     CliCommands::CompareSetups,
                     {{QStringLiteral("FILE2"),
                       QStringLiteral("A second archive: the two files are compared, no instrument is needed.")}}});
        t.push_back({{QStringLiteral("setup"), QStringLiteral("show")},
                     QStringLiteral("Show every field of one product setup."),
                     {{QStringLiteral("N"), QStringLiteral("The setup number, 1 to 250.")}},
                     false,
                     {},
                     ErrorStyle::Fatal,
                     {},
                     CliCommands::ShowSetup});
        t.push_back({{QStringLiteral("setup"), QStringLiteral("set")},
                     QStringLiteral("Change fields of one product setup, checked as the setup editors check them."),
                     {{QStringLiteral("N"), QStringLiteral("The setup number, 1 to 250.")},
                      {QStringLiteral("FIELD=VALUE"), QStringLiteral("A field and its new value.")}},
                     true,
                     {},
                     ErrorStyle::Fatal,
                     QStringLiteral(
                         "The setup is read from the instrument, changed and written back. A value the editors "
                         "would refuse changes nothing and sends nothing (exit code 2).\n\n"
                         "Fields:\n"
                         "  name=TEXT                 capitals, digits and spaces, at most 15 (small letters "
                         "become capitals)\n"
                         "  standard=ENTRY            PHYSICAL, WORKING, NUMERIC or HITCH\n"
                         "  autosearch=yes|no\n"
                         "  readmode=TIME|PIECE\n"
                         "  interval=SECONDS          0 to 60\n"
                         "  mindistance=, maxdistance=        (distance run configuration)\n"
                         "  base=, minheight=, maxheight=     (height run configuration)\n"
                         "                            0 to 6 in. or 0 to 150 mm, as the instrument works\n"
                         "  trigger=yes|no            height trigger\n"
                         "  scaleplus1..3=, scaleminus1..3=   tolerances, not below 0 (view 1 needs a colour scale)\n"
                         "  indexplus=, indexminus=   tolerances, not below 0 (view 1 needs a colour index)\n"
                         "  target1..3=               the standard's target in view 1's scale and ill/obs\n"
                         "  offset1..3=, read1..3=    a HITCH standard's offset (target minus reading) or the\n"
                         "                            instrument's reading of it, in the same scale\n"
                         "  viewN.enabled=yes|no      N = 1..8; view 1 is always enabled\n"
                         "  viewN.display=, viewN.illobs=, viewN.scale=, viewN.index=\n"
                         "                            an entry of the view editor's list (\"SPECTRAL DATA\", "
                         "\"D65/10\", \"L*a*b*\", \"SCAA\"...) or its code\n\n"
                         "Example: tr8kz setup set 12 name=\"BLUE 2\" view1.scale=\"L*a*b*\" scaleplus1=0.5"),
                     CliCommands::SetSetup});
        const QString scales = ColorConverter::ScaleNames().join(QLatin1String(", "));
        const QString colourDetails = QStringLiteral(
            "No instrument is needed. SCALE is one of %1 (letter case and blanks do not matter); ILLOBS an "
            "illuminant/observer of the instrument, A, C, D50, D55, D65, D75, F2, F7 or F11, a slash and 2 or 10 "
            "(D65/10), with or without \"ASTM-\" before it. White points are those of ASTM E308 (10 nm). Values "
            "are written with a point; negative values work with or without -- before them. An unknown scale or "
            "illuminant/observer exits with code 2 and lists the accepted names.")
                                          .arg(scales);
        const QCommandLineOption illuminant{QStringLiteral("illuminant"),
                                            QStringLiteral("The illuminant/observer (D65/10)."), QStringLiteral("ILLOBS")};
        t.push_back({{QStringLiteral("colour"), QStringLiteral("convert")},
                     QStringLiteral("Convert three colour values from one colour scale to another."),
                     {{QStringLiteral("V1"), QStringLiteral("The first value in the from-scale (X, L*, L or Y).")},
                      {QStringLiteral("V2"), QStringLiteral("The second value.")},
                      {QStringLiteral("V3"), QStringLiteral("The third value.")}},
                     false,
                     {{QStringLiteral("from"), QStringLiteral("The scale of the values."), QStringLiteral("SCALE")},
                      {QStringLiteral("to"), QStringLiteral("The scale to convert to."), QStringLiteral("SCALE")},
                      illuminant},
                     ErrorStyle::Operation,
                     colourDetails + QStringLiteral("\n\nPrints the three converted values on one line, separated by "
                                                    "single spaces, with 8 decimals.\n\n"
                                                    "Example: tr8kz colour convert --from XYZ --to CIELAB "
                                                    "--illuminant D65/10 -- 41.24 21.26 1.93"),
                     CliCommands::ConvertColour,
                     {},
                     {QStringLiteral("from"), QStringLiteral("to"), QStringLiteral("illuminant")}});
        t.push_back({{QStringLiteral("colour"), QStringLiteral("difference")},
                     QStringLiteral("Colour differences between a standard and a sample."),
                     {{QStringLiteral("L1"), QStringLiteral("The standard's first value.")},
                      {QStringLiteral("a1"), QStringLiteral("The standard's second value.")},
                      {QStringLiteral("b1"), QStringLiteral("The standard's third value.")},
                      {QStringLiteral("L2"), QStringLiteral("The sample's first value.")},
                      {QStringLiteral("a2"), QStringLiteral("The sample's second value.")},
                      {QStringLiteral("b2"), QStringLiteral("The sample's third value.")}},
                     false,
                     {{QStringLiteral("from"), QStringLiteral("The scale of the values (default CIELAB)."),
                       QStringLiteral("SCALE")},
                      illuminant},
                     ErrorStyle::Operation,
                     colourDetails + QStringLiteral(
                         "\n\nValues of another scale than CIELAB are converted to CIELAB under the illuminant "
                         "first. Prints four lines with 8 decimals: dEab (CIE 1976), dE94 (CIE 1994, graphic-arts "
                         "weights), dE2000 (CIEDE2000) and dEcmc (CMC l:c 2:1); the standard is the reference.\n\n"
                         "Example: tr8kz colour difference 50 2.6772 -79.7751 50 0 -82.7485"),
                     CliCommands::ColourDifference});
        t.push_back({{QStringLiteral("clock"), QStringLiteral("set")},
                     QStringLiteral("Set the instrument's clock to the computer's date and time."),
                     {},
                     false,
                     {},
                     ErrorStyle::Fatal,
                     {},
                     CliCommands::SetClock});
        t.push_back({{QStringLiteral("screen")},
                     QStringLiteral("Save a picture of the instrument's display as a bitmap file."),
                     {{QStringLiteral("FILE.bmp"), QStringLiteral("The bitmap file to write (replaced when it exists).")}},
                     false,
                     {},
                     ErrorStyle::Fatal,
                     {},
                     CliCommands::CaptureScreen});
        return t;
    }();
    return table;
}

const QString EnvironmentHelp = QStringLiteral(
    "Environment:\n"
    "  TR8KZ_PORT        serial device of the instrument when --port is not given\n"
    "  TR8KZ_TIMEOUT_MS  milliseconds to wait for each reply (default 15000)\n");

// A heading of its own, so that the manual page made from --help gets an
// EXIT STATUS section.
const QString ExitCodeHelp = QStringLiteral(
    "Exit status:\n"
    "  0    done\n"
    "  1    instrument or file error\n"
    "  2    wrong command line or refused value\n"
    "  3    no instrument or an unsupported one\n"
    "  130  stopped by Ctrl-C (what was done is kept)\n");

void addCommonOptions(QCommandLineParser& parser)
{
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.addHelpOption();
    parser.addVersionOption();
    DriverSelection::AddOptions(parser);
    parser.addOption(delimiterOption());
}

QString optionsHelp()
{
    QCommandLineParser parser;
    addCommonOptions(parser);
    const QString text = parser.helpText();
    const qsizetype start = text.indexOf(QLatin1String("Options:"));
    return start >= 0 ? text.mid(start) : QString();
}

QString generalHelp()
{
    QString text = QStringLiteral("Usage: %1 [options] COMMAND [arguments]\n\n"
                                  "The TR8 KZ colour sensor from the command line, on the utility's engines.\n\n"
                                  "Commands:\n")
                       .arg(ProgramName);
    for (const CommandEntry& entry : commands())
        text += QStringLiteral("  %1\n      %2\n").arg(entry.synopsis(), entry.summary);
    text += QStringLiteral("\n%1 COMMAND --help describes one command.\n\n").arg(ProgramName);
    return text + optionsHelp() + QLatin1Char('\n') + EnvironmentHelp + QLatin1Char('\n') + ExitCodeHelp;
}

QString groupHelp(const QString& group)
{
    QString text = QStringLiteral("Commands of %1 %2:\n").arg(ProgramName, group);
    for (const CommandEntry& entry : commands())
        if (entry.words.first() == group) text += QStringLiteral("  %1 %2\n      %3\n").arg(ProgramName, entry.synopsis(), entry.summary);
    return text;
}

QString commandHelp(const CommandEntry& entry, const QCommandLineParser& parser)
{
    QString text = parser.helpText();
    // Qt's first line names the program only; the command belongs in it.
    const qsizetype lineEnd = text.indexOf(QLatin1Char('\n'));
    QStringList usage{QStringLiteral("Usage:"), ProgramName, entry.name(), QStringLiteral("[options]")};
    for (const Positional& p : entry.positionals) usage << p.name;
    if (entry.moreArguments) usage.last() += QStringLiteral("...");
    for (const Positional& p : entry.optionalPositionals) usage << QStringLiteral("[%1]").arg(p.name);
    text = usage.join(QLatin1Char(' ')) + text.mid(lineEnd);
    if (!entry.details.isEmpty()) text += QLatin1Char('\n') + entry.details + QLatin1Char('\n');
    return text + QLatin1Char('\n') + EnvironmentHelp + QLatin1Char('\n') + ExitCodeHelp;
}

void write(std::FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

int usageFailure(const QString& message, const QString& helpHint)
{
    write(stderr, QStringLiteral("%1: %2\nTry '%3 --help'.\n").arg(ProgramName, message, helpHint));
    return ExitCode::Usage;
}

// The colour calculator takes negative values ("-79.7751"), which the
// option parser would read as options. In a colour command, each argument
// before a "--" that is a negative number gets a leading blank, which makes
// it a positional argument; the command reads its numbers with blanks
// allowed. Other commands are left alone: there a "-5" is still refused as
// an option rather than taken as a file name.
QStringList shieldNegativeNumbers(const QStringList& arguments)
{
    static const QRegularExpression negative(QStringLiteral("^-(\\d|\\.\\d)"));
    const qsizetype end = arguments.indexOf(QStringLiteral("--"));
    const QStringList before = end < 0 ? arguments : arguments.mid(0, end);
    if (!before.mid(1).contains(QStringLiteral("colour")) && !before.mid(1).contains(QStringLiteral("color")))
        return arguments;
    QStringList shielded = arguments;
    for (qsizetype i = 1; i < before.size(); ++i)
        if (negative.match(before[i]).hasMatch()) shielded[i].prepend(QLatin1Char(' '));
    return shielded;
}

int runCommand(const CommandEntry& entry, CommandContext& context)
{
    const QString hint = ProgramName + QLatin1Char(' ') + entry.name();
    try {
        // A wrong --delimiter is refused by every command, also by those
        // that write no datalog file.
        if (context.IsSet(QStringLiteral("delimiter"))) context.Delimiter();
        const int code = entry.run(context);
        context.Finish();
        return code;
    } catch (const UsageError& error) {
        const int code = usageFailure(error.message(), hint);
        try {
            context.Finish();
        } catch (const AppError& closing) {
            write(stderr, TerminalText(ErrorText(closing, ErrorStyle::Fatal)) + QLatin1Char('\n'));
            return ExitCode::Failed;
        }
        return code;
    } catch (const InstrumentUnavailable&) {
        return ExitCode::NoInstrument;
    } catch (const LinkInterrupted&) {
        // Ctrl-C while a reply was awaited outside a long operation.
        return ExitCode::Interrupted;
    } catch (const ProgramEnd& end) {
        return end.exitCode;
    } catch (const AppError& error) {
        write(stderr, TerminalText(ErrorText(error, entry.style)) + QLatin1Char('\n'));
        return ExitCode::Failed;
    } catch (const std::exception& error) {
        write(stderr, TerminalText(ErrorText(error, entry.style)) + QLatin1Char('\n'));
        return ExitCode::Failed;
    }
}

}  // namespace

int RunCommandLine(const QStringList& arguments, CliEnvironment& environment)
{
    // First pass: every option any command knows, to find the command words
    // among the arguments wherever the options stand.
    const QStringList shielded = shieldNegativeNumbers(arguments);
    QCommandLineParser scan;
    addCommonOptions(scan);
    QStringList scanned;  // commands share some options (--from, --illuminant)
    for (const CommandEntry& entry : commands())
        for (const QCommandLineOption& option : entry.options)
            if (!scanned.contains(option.names().constFirst())) {
                scan.addOption(option);
                scanned << option.names().constFirst();
            }
    if (!scan.parse(shielded)) return usageFailure(scan.errorText(), ProgramName);
    if (scan.isSet(QStringLiteral("version"))) {
        write(stdout, QStringLiteral("%1 %2\n").arg(ProgramName, QLatin1String(TR8KZ_VERSION_TEXT)));
        return ExitCode::Done;
    }
    const auto wantsHelp = [](const QCommandLineParser& p) {
        return p.isSet(QStringLiteral("help")) || p.isSet(QStringLiteral("help-all"));
    };
    const bool help = wantsHelp(scan);
    const QStringList words = scan.positionalArguments();
    if (words.isEmpty()) {
        if (help) {
            write(stdout, generalHelp());
            return ExitCode::Done;
        }
        write(stderr, generalHelp());
        return ExitCode::Usage;
    }

    // "color" is the same command group as "colour".
    const QString group = words.first() == QLatin1String("color") ? QStringLiteral("colour") : words.first();
    const CommandEntry* found = nullptr;
    bool groupKnown = false;
    for (const CommandEntry& entry : commands()) {
        if (entry.words.first() != group) continue;
        groupKnown = true;
        if (entry.words.size() == 1 || (words.size() > 1 && entry.words[1] == words[1])) {
            found = &entry;
            break;
        }
    }
    if (!found) {
        if (!groupKnown) return usageFailure(QStringLiteral("unknown command \"%1\"").arg(words.first()), ProgramName);
        if (help && words.size() == 1) {
            write(stdout, groupHelp(group));
            return ExitCode::Done;
        }
        write(stderr, groupHelp(group));
        return words.size() == 1
                   ? ExitCode::Usage
                   : usageFailure(QStringLiteral("unknown command \"%1 %2\"").arg(words[0], words[1]), ProgramName);
    }
    const CommandEntry& entry = *found;
    const QString hint = ProgramName + QLatin1Char(' ') + entry.name();

    // Second pass: the command's own parser, which refuses the options of
    // other commands.
    QCommandLineParser parser;
    parser.setApplicationDescription(entry.summary);
    addCommonOptions(parser);
    for (const QCommandLineOption& option : entry.options) parser.addOption(option);
    for (const Positional& p : entry.positionals) parser.addPositionalArgument(p.name, p.description);
    for (const Positional& p : entry.optionalPositionals)
        parser.addPositionalArgument(p.name, p.description, QStringLiteral("[%1]").arg(p.name));
    if (!parser.parse(shielded)) return usageFailure(parser.errorText(), hint);
    if (wantsHelp(parser)) {
        write(stdout, commandHelp(entry, parser));
        return ExitCode::Done;
    }

    const QStringList given = parser.positionalArguments().mid(entry.words.size());
    const auto wanted = static_cast<qsizetype>(entry.positionals.size());
    const auto most = wanted + static_cast<qsizetype>(entry.optionalPositionals.size());
    if (given.size() < wanted || (!entry.moreArguments && given.size() > most)) {
        QStringList names;
        for (const Positional& p : entry.positionals) names << p.name;
        if (given.size() < wanted)
            return usageFailure(QStringLiteral("%1 needs %2").arg(entry.name(), names.join(QLatin1Char(' '))), hint);
        return usageFailure(QStringLiteral("unexpected argument \"%1\"").arg(given.at(most)), hint);
    }

    CommandContext context(parser, given, environment);
    return runCommand(entry, context);
}
