#include "SetupDescription.h"

#include "SetupListEntries.h"
#include "SetupVocabulary.h"

#include <QStringList>

namespace {

QString yesNo(bool flag) { return flag ? QStringLiteral("yes") : QStringLiteral("no"); }

template <typename Read>
QString values(int count, Read read)
{
    QStringList texts;
    for (int i = 1; i <= count; ++i) texts << ShortestFloatText(read(i));
    return texts.join(QLatin1Char(' '));
}

QString variantName(const RunConfigChoice& runConfig)
{
    switch (runConfig.Editor()) {
    case RunConfigEditor::Distance: return QStringLiteral("distance");
    case RunConfigEditor::Height: return QStringLiteral("height");
    case RunConfigEditor::None: break;
    }
    return QStringLiteral("%1 (no editor)").arg(runConfig.Variant);
}

}  // namespace

QString DescribeSetup(const ProductSetup& s, int setupNumber, const std::optional<RunConfigChoice>& runConfig)
{
    using SetupListEntries::Describe;
    using namespace SetupVocabulary;
    QStringList lines;
    auto line = [&lines](const QString& field, const QString& value) { lines << field + QStringLiteral(": ") + value; };

    line(QStringLiteral("setup"), QString::number(setupNumber));
    line(QStringLiteral("name"), QString::fromLatin1(s.Name));
    line(QStringLiteral("standard"), Describe(SetupVocabulary::StandardTypes(), s.StandardType));
    line(QStringLiteral("autosearch"), yesNo(s.Searchable));
    if (runConfig) {
        line(QStringLiteral("units"), runConfig->CustomaryUnits ? QStringLiteral("in.") : QStringLiteral("mm"));
        line(QStringLiteral("runconfig"), variantName(*runConfig));
    }
    line(QStringLiteral("readmode"), Describe(ReadModes(), s.ReadMode));
    line(QStringLiteral("interval"), QString::number(s.ReportInterval));
    line(QStringLiteral("base"), QString::number(s.BaseDistance));
    line(QStringLiteral("mindistance"), QString::number(s.MinDistance));
    line(QStringLiteral("maxdistance"), QString::number(s.MaxDistance));
    // The heights the height editor shows for these distances.
    line(QStringLiteral("minheight"), QString::number(int{s.BaseDistance} - int{s.MaxDistance}));
    line(QStringLiteral("maxheight"), QString::number(int{s.BaseDistance} - int{s.MinDistance}));
    line(QStringLiteral("trigger"), yesNo(s.HeightTrigger));
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        line(QStringLiteral("scaleplus%1").arg(i), ShortestFloatText(s.ScalePlus(i)));
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        line(QStringLiteral("scaleminus%1").arg(i), ShortestFloatText(s.ScaleMinus(i)));
    line(QStringLiteral("indexplus"), ShortestFloatText(s.IndexPlus));
    line(QStringLiteral("indexminus"), ShortestFloatText(s.IndexMinus));
    for (int v = 1; v <= ProductSetup::ViewCount; ++v) {
        const DataView& view = s.Views(v);
        const QString prefix = QStringLiteral("view%1.").arg(v);
        line(prefix + QStringLiteral("enabled"), yesNo(view.Enabled));
        line(prefix + QStringLiteral("display"), Describe(DisplayTypes(), view.DisplayType));
        line(prefix + QStringLiteral("illobs"), Describe(IllObsNames(), view.IllumObs));
        line(prefix + QStringLiteral("scale"), Describe(ColorScales(), view.ColorScale));
        line(prefix + QStringLiteral("index"), Describe(ColorIndices(), view.ColorIndex));
        line(prefix + QStringLiteral("shadeblocks"), QString::number(view.ShadeBlocks));
        line(prefix + QStringLiteral("cf"), ShortestFloatText(view.CF));
        line(prefix + QStringLiteral("lc"), ShortestFloatText(view.lc));
    }
    line(QStringLiteral("target"), values(ProductSetup::TriplePoints, [&](int i) { return s.XYZTarget(i); }));
    line(QStringLiteral("read"), values(ProductSetup::TriplePoints, [&](int i) { return s.XYZRead(i); }));
    line(QStringLiteral("trackplus"), values(ProductSetup::TriplePoints, [&](int i) { return s.TrackPlus(i); }));
    line(QStringLiteral("trackminus"), values(ProductSetup::TriplePoints, [&](int i) { return s.TrackMinus(i); }));
    line(QStringLiteral("slope"), ShortestFloatText(s.QBVTSlope));
    line(QStringLiteral("offset"), ShortestFloatText(s.QBVTOffset));
    line(QStringLiteral("spectrum"), values(ProductSetup::SpectrumPoints, [&](int i) { return s.Spectrum(i); }));
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
