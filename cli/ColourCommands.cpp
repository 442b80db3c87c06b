// tr8kz colour convert and colour difference: the colour calculator, on the
// converter of the standard values editor and Little CMS's differences. No
// instrument is needed.

#include "AppError.h"
#include "CliFailure.h"
#include "ColorConverter.h"
#include "ColorDifference.h"
#include "CommandContext.h"
#include "Commands.h"

#include <QLocale>

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using Triple = std::array<double, 3>;

// Scale names compare without regard to letter case or blanks ("cie lab",
// "hunterlab").
QString Squeezed(const QString& text) { return text.simplified().remove(QLatin1Char(' ')).toLower(); }

QString ScaleOption(const CommandContext& context, const QString& option, const QString& fallback)
{
    if (!context.IsSet(option)) {
        if (!fallback.isEmpty()) return fallback;
        throw UsageError(QStringLiteral("--%1 SCALE is needed (one of %2)")
                             .arg(option, ColorConverter::ScaleNames().join(QLatin1String(", "))));
    }
    const QString given = context.Value(option);
    for (const QString& name : ColorConverter::ScaleNames())
        if (Squeezed(name) == Squeezed(given)) return name;
    throw UsageError(QStringLiteral("unknown colour scale \"%1\" for --%2; the scales are %3 (letter case and "
                                    "blanks do not matter)")
                         .arg(given, option, ColorConverter::ScaleNames().join(QLatin1String(", "))));
}

// "D65/10", "d65/10" or "ASTM-D65/10": the converter's "ASTM-D65/10".
QString IllObsOption(const CommandContext& context)
{
    const QString given = context.Value(QStringLiteral("illuminant"));
    QString wanted = given.trimmed().toUpper();
    if (!wanted.startsWith(QLatin1String("ASTM-"))) wanted.prepend(QLatin1String("ASTM-"));
    QStringList accepted;
    for (const QString& name : ColorConverter::IllObsNames()) {
        if (name.toUpper() == wanted) return name;
        accepted << name.mid(5);
    }
    throw UsageError(QStringLiteral("unknown illuminant/observer \"%1\"; the accepted names are %2 (with or "
                                    "without \"ASTM-\" before them)")
                         .arg(given, accepted.join(QLatin1String(", "))));
}

// The values as numbers written with a point ("-12.5", "1e-3"); the command
// line keeps the form a script writes, whatever the operator's region.
std::vector<double> Values(const QStringList& arguments)
{
    std::vector<double> values;
    for (const QString& argument : arguments) {
        bool ok = false;
        const double v = QLocale::c().toDouble(argument.trimmed(), &ok);
        if (!ok || !std::isfinite(v))
            throw UsageError(QStringLiteral("\"%1\" is not a number (write numbers with a point: -12.5)").arg(argument));
        values.push_back(v);
    }
    return values;
}

void ExpectCount(const QStringList& arguments, int count, const QString& what)
{
    if (arguments.size() != count)
        throw UsageError(QStringLiteral("%1 values are needed (%2), %3 given").arg(count).arg(what).arg(arguments.size()));
}

// Plain C-locale form with 8 decimals; a value that rounds to zero has no
// sign.
QString Plain(double value)
{
    QString text = QString::number(value, 'f', 8);
    if (text.startsWith(QLatin1Char('-')) && text.count(QLatin1Char('0')) == text.size() - 2) text.remove(0, 1);
    return text;
}

// A colour the scale cannot express (a Yxy with y = 0, a Hunter Lab of a
// negative Y) is a refused value of the command line: exit code 2.
Triple Converted(const QString& from, const QString& to, const Triple& values, const QString& illObs)
{
    try {
        return ColorConverter().ConvertScale(from, to, values, illObs);
    } catch (const AppError& error) {
        throw UsageError(error.description());
    }
}

void Print(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

}  // namespace

int CliCommands::ConvertColour(CommandContext& context)
{
    const QString from = ScaleOption(context, QStringLiteral("from"), {});
    const QString to = ScaleOption(context, QStringLiteral("to"), {});
    if (!context.IsSet(QStringLiteral("illuminant")))
        throw UsageError(QStringLiteral("--illuminant ILLOBS is needed (D65/10...)"));
    const QString illObs = IllObsOption(context);
    ExpectCount(context.Arguments(), 3, QStringLiteral("V1 V2 V3"));
    const std::vector<double> v = Values(context.Arguments());
    Triple out = Converted(from, to, {v[0], v[1], v[2]}, illObs);
    // A colour whose chroma prints as zero has no hue: print 0, not the
    // conversion's noise.
    if (to == QLatin1String("CIELCh") && Plain(out[1]) == Plain(0.0)) out[2] = 0.0;
    Print(QStringLiteral("%1 %2 %3\n").arg(Plain(out[0]), Plain(out[1]), Plain(out[2])));
    return ExitCode::Done;
}

int CliCommands::ColourDifference(CommandContext& context)
{
    const QString from = ScaleOption(context, QStringLiteral("from"), QStringLiteral("CIELAB"));
    QString illObs;
    if (context.IsSet(QStringLiteral("illuminant")))
        illObs = IllObsOption(context);
    else if (from != QLatin1String("CIELAB"))
        throw UsageError(QStringLiteral("--illuminant ILLOBS is needed to bring %1 values to CIELAB").arg(from));
    ExpectCount(context.Arguments(), 6, QStringLiteral("L1 a1 b1 L2 a2 b2, the standard then the sample"));
    const std::vector<double> v = Values(context.Arguments());
    Triple standard{v[0], v[1], v[2]}, sample{v[3], v[4], v[5]};
    if (from != QLatin1String("CIELAB")) {
        standard = Converted(from, QStringLiteral("CIELAB"), standard, illObs);
        sample = Converted(from, QStringLiteral("CIELAB"), sample, illObs);
    }
    const ColorDifferences d = DifferencesOf(standard, sample);
    Print(QStringLiteral("dEab %1\ndE94 %2\ndE2000 %3\ndEcmc %4\n")
              .arg(Plain(d.DeltaEab), Plain(d.DeltaE94), Plain(d.DeltaE2000), Plain(d.DeltaEcmc)));
    return ExitCode::Done;
}
