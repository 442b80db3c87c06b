#include "SetupFieldDifferences.h"

#include "SetupNumberText.h"
#include "SetupVocabulary.h"
#include "ToleranceValues.h"

#include <array>
#include <bit>
#include <cstdint>

namespace {

using namespace SetupVocabulary;

const std::array<QString, 3> XYZ = {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};

class Collector {
public:
    Collector(const QLocale& locale) : locale_(locale) {}

    void text(const QString& field, const QString& first, const QString& second)
    {
        if (first != second) found_.push_back({field, first, second});
    }
    void entry(const QString& field, const QStringList& list, int first, int second)
    {
        if (first != second) found_.push_back({field, EntryOf(list, first), EntryOf(list, second)});
    }
    void whole(const QString& field, int first, int second)
    {
        if (first != second) found_.push_back({field, QString::number(first), QString::number(second)});
    }
    void flag(const QString& field, bool first, bool second)
    {
        if (first != second) found_.push_back({field, yesNo(first), yesNo(second)});
    }
    void number(const QString& field, float first, float second)
    {
        // Bit for bit: a stored -0 or NaN is a difference the instrument keeps.
        if (std::bit_cast<uint32_t>(first) == std::bit_cast<uint32_t>(second)) return;
        QString a = SetupNumberText::Format(first, locale_);
        QString b = SetupNumberText::Format(second, locale_);
        // Four decimals may show two values alike: then both exactly.
        if (a == b) {
            a = ShortestFloatText(first);
            b = ShortestFloatText(second);
        }
        found_.push_back({field, a, b});
    }

    std::vector<FieldDifference> take() { return std::move(found_); }

private:
    static QString yesNo(bool flag) { return flag ? QStringLiteral("Yes") : QStringLiteral("No"); }

    QLocale locale_;
    std::vector<FieldDifference> found_;
};

// The tolerances editor labels its rows by the first view's scale and index;
// when the two setups label them alike, the comparison does too.
QString sharedLabel(const QString& first, const QString& second, const QString& otherwise)
{
    return first == second && !first.trimmed().isEmpty() ? first.trimmed() : otherwise;
}

}  // namespace

std::vector<FieldDifference> FieldDifferences(const ProductSetup& a, const ProductSetup& b, const QLocale& locale)
{
    Collector c(locale);
    c.text(QStringLiteral("Name"), QString::fromLatin1(a.Name), QString::fromLatin1(b.Name));
    c.entry(QStringLiteral("Standard"), StandardTypes(), a.StandardType, b.StandardType);
    c.flag(QStringLiteral("Autosearch"), a.Searchable, b.Searchable);

    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        c.number(QStringLiteral("Standard Values: Target %1").arg(XYZ[i - 1]), a.XYZTarget(i), b.XYZTarget(i));
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        c.number(QStringLiteral("Standard Values: Read %1").arg(XYZ[i - 1]), a.XYZRead(i), b.XYZRead(i));

    const ToleranceLayout layoutA = ToleranceLayoutOf(a), layoutB = ToleranceLayoutOf(b);
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i) {
        const QString row = sharedLabel(layoutA.ScaleRowLabels[size_t(i - 1)], layoutB.ScaleRowLabels[size_t(i - 1)],
                                        QStringLiteral("scale term %1").arg(i));
        c.number(QStringLiteral("Tolerances: %1 +").arg(row), a.ScalePlus(i), b.ScalePlus(i));
        c.number(QStringLiteral("Tolerances: %1 -").arg(row), a.ScaleMinus(i), b.ScaleMinus(i));
    }
    const QString index = sharedLabel(layoutA.IndexLabel, layoutB.IndexLabel, QStringLiteral("index"));
    c.number(QStringLiteral("Tolerances: %1 +").arg(index), a.IndexPlus, b.IndexPlus);
    c.number(QStringLiteral("Tolerances: %1 -").arg(index), a.IndexMinus, b.IndexMinus);

    c.entry(QStringLiteral("Run Configuration: Read Mode"), ReadModes(), a.ReadMode, b.ReadMode);
    c.whole(QStringLiteral("Run Configuration: Interval (s)"), a.ReportInterval, b.ReportInterval);
    c.whole(QStringLiteral("Run Configuration: Distance to Base"), a.BaseDistance, b.BaseDistance);
    c.whole(QStringLiteral("Run Configuration: Min Distance"), a.MinDistance, b.MinDistance);
    c.whole(QStringLiteral("Run Configuration: Max Distance"), a.MaxDistance, b.MaxDistance);
    c.flag(QStringLiteral("Run Configuration: Height Trigger"), a.HeightTrigger, b.HeightTrigger);

    for (int v = 1; v <= ProductSetup::ViewCount; ++v) {
        const DataView& va = a.Views(v);
        const DataView& vb = b.Views(v);
        const QString view = QStringLiteral("View %1: ").arg(v);
        c.flag(view + QStringLiteral("Enable"), va.Enabled, vb.Enabled);
        c.entry(view + QStringLiteral("Display"), DisplayTypes(), va.DisplayType, vb.DisplayType);
        c.entry(view + QStringLiteral("Ill/Obs"), IllObsNames(), va.IllumObs, vb.IllumObs);
        c.entry(view + QStringLiteral("Color Scale"), ColorScales(), va.ColorScale, vb.ColorScale);
        c.entry(view + QStringLiteral("Color Index"), ColorIndices(), va.ColorIndex, vb.ColorIndex);
    }

    // What no editor shows, but the instrument keeps and a restore writes.
    c.number(QStringLiteral("Slope"), a.QBVTSlope, b.QBVTSlope);
    c.number(QStringLiteral("Offset"), a.QBVTOffset, b.QBVTOffset);
    for (int i = 1; i <= ProductSetup::SpectrumPoints; ++i)
        c.number(QStringLiteral("Spectrum point %1").arg(i), a.Spectrum(i), b.Spectrum(i));
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        c.number(QStringLiteral("Tracking + %1").arg(XYZ[i - 1]), a.TrackPlus(i), b.TrackPlus(i));
    for (int i = 1; i <= ProductSetup::TriplePoints; ++i)
        c.number(QStringLiteral("Tracking - %1").arg(XYZ[i - 1]), a.TrackMinus(i), b.TrackMinus(i));
    for (int v = 1; v <= ProductSetup::ViewCount; ++v) {
        const DataView& va = a.Views(v);
        const DataView& vb = b.Views(v);
        const QString view = QStringLiteral("View %1: ").arg(v);
        c.whole(view + QStringLiteral("Shade Blocks"), va.ShadeBlocks, vb.ShadeBlocks);
        c.number(view + QStringLiteral("CF"), va.CF, vb.CF);
        c.number(view + QStringLiteral("lc"), va.lc, vb.lc);
    }
    return c.take();
}
