#include "SetupEdit.h"

#include "AppError.h"
#include "CliFailure.h"
#include "Rounding.h"
#include "RunConfigValues.h"
#include "SetupListEntries.h"
#include "SetupNameFilter.h"
#include "SetupNumberText.h"
#include "SetupVocabulary.h"
#include "StandardValues.h"
#include "ToleranceValues.h"

#include <QLocale>
#include <QRegularExpression>
#include <array>
#include <stdexcept>

struct SetupEdit::Change {
    enum class Field {
        Name, Standard, Autosearch, ReadMode, Interval,
        MinDistance, MaxDistance, Base, MinHeight, MaxHeight, Trigger,
        ScalePlus, ScaleMinus, IndexPlus, IndexMinus,
        Target, Offset, Read,
        ViewEnabled, ViewDisplay, ViewIllObs, ViewScale, ViewIndex,
    };
    Field field = Field::Name;
    int element = 0;  // 1..3 of a scale tolerance or standard value, 1..8 of a view
    QString spelled;  // the field as the command line wrote it
    QByteArray name;
    int16_t code = 0;
    bool flag = false;
    double number = 0.0;
};

namespace {

using Field = SetupEdit::Change::Field;


[[noreturn]] void refuse(const QString& field, const QString& why)
{
    throw UsageError(QStringLiteral("%1: %2").arg(field, why));
}

// The setup editor's name rules, applied to every character given: a
// character that the editor's name box would swallow is refused here rather
// than silently dropped.
QByteArray checkedName(const QString& field, const QString& text)
{
    QString name;
    for (const QChar c : text) {
        if (const std::optional<QChar> kept = FilterNameCharacter(c))
            name += *kept;
        else if (c.unicode() < 32 || c.unicode() == 127)
            refuse(field, QStringLiteral("a control character cannot be part of a setup name"));
        else
            refuse(field, QStringLiteral("\"%1\" cannot be part of a setup name (capitals, digits and spaces only)").arg(c));
    }
    if (name.size() > SetupNameMaxLength)
        refuse(field, QStringLiteral("a setup name has at most %1 characters; \"%2\" has %3")
                          .arg(SetupNameMaxLength)
                          .arg(name)
                          .arg(name.size()));
    return name.toLatin1();
}

bool yesNo(const QString& field, const QString& text)
{
    const QString word = text.trimmed().toLower();
    if (word == QLatin1String("yes") || word == QLatin1String("y")) return true;
    if (word == QLatin1String("no") || word == QLatin1String("n")) return false;
    refuse(field, QStringLiteral("yes or no, not \"%1\"").arg(text));
}

// A number written with a point (as scripts write them), or as the
// sub-editors read their boxes: in the operator's regional form, blanks
// around it and a sign allowed; an empty value is not a number.
double number(const QString& field, const QString& text)
{
    double value = 0.0;
    if (SetupNumberText::Read(text, value, QLocale::c()) || SetupNumberText::Read(text, value, QLocale()))
        return value;
    refuse(field, QStringLiteral("a number, not \"%1\"").arg(text));
}

int16_t listCode(const QString& field, const QStringList& list, const QString& text)
{
    if (const std::optional<int16_t> code = SetupListEntries::Find(list, text)) return *code;
    refuse(field, QStringLiteral("one of %1 (or its code 0 to %2), not \"%3\"")
                      .arg(list.join(QLatin1String(", ")))
                      .arg(list.size() - 1)
                      .arg(text));
}

// A tolerance as the tolerances editor takes it: a number, converted to
// single precision, not below 0; refused in the editor's words.
double tolerance(const QString& field, const QString& text)
{
    double value = 0.0;
    if (!SetupNumberText::Read(text, value, QLocale::c()) && !SetupNumberText::Read(text, value, QLocale()))
        refuse(field, QStringLiteral("%1 (not \"%2\")").arg(ToleranceWarning(), text));
    float single = 0.0f;
    try {
        single = SetupNumberText::ToSingle(value, field);
    } catch (const AppError& error) {
        refuse(field, error.description());
    }
    if (single < 0.0f) refuse(field, QStringLiteral("%1 (not %2)").arg(ToleranceWarning(), text.trimmed()));
    return value;
}

SetupEdit::Change parse(const QString& assignment)
{
    const qsizetype equals = assignment.indexOf(QLatin1Char('='));
    if (equals <= 0) throw UsageError(QStringLiteral("\"%1\" is not FIELD=VALUE").arg(assignment));
    SetupEdit::Change change;
    change.spelled = assignment.left(equals).trimmed();
    const QString key = change.spelled.toLower();
    const QString value = assignment.mid(equals + 1);

    static const QRegularExpression scaleTolerance(QStringLiteral("^scale(plus|minus)([1-3])$"));
    static const QRegularExpression standardValue(QStringLiteral("^(target|offset|read)([1-3])$"));
    static const QRegularExpression viewField(QStringLiteral("^view([1-8])\\.(enabled|display|illobs|scale|index)$"));

    if (key == QLatin1String("name")) {
        change.field = Field::Name;
        change.name = checkedName(change.spelled, value);
    } else if (key == QLatin1String("standard")) {
        change.field = Field::Standard;
        change.code = listCode(change.spelled, SetupVocabulary::StandardTypes(), value);
    } else if (key == QLatin1String("autosearch")) {
        change.field = Field::Autosearch;
        change.flag = yesNo(change.spelled, value);
    } else if (key == QLatin1String("readmode")) {
        change.field = Field::ReadMode;
        change.code = listCode(change.spelled, SetupVocabulary::ReadModes(), value);
    } else if (key == QLatin1String("interval")) {
        change.field = Field::Interval;
        change.number = number(change.spelled, value);
        if (!IntervalEditLimits.Holds(change.number))
            refuse(change.spelled, QStringLiteral("from %1 to %2 seconds, not %3")
                                       .arg(IntervalEditLimits.Lower)
                                       .arg(IntervalEditLimits.Upper)
                                       .arg(value.trimmed()));
    } else if (key == QLatin1String("trigger")) {
        change.field = Field::Trigger;
        change.flag = yesNo(change.spelled, value);
    } else if (key == QLatin1String("mindistance") || key == QLatin1String("maxdistance") ||
               key == QLatin1String("base") || key == QLatin1String("minheight") ||
               key == QLatin1String("maxheight")) {
        change.field = key == QLatin1String("mindistance")   ? Field::MinDistance
                       : key == QLatin1String("maxdistance") ? Field::MaxDistance
                       : key == QLatin1String("base")        ? Field::Base
                       : key == QLatin1String("minheight")   ? Field::MinHeight
                                                             : Field::MaxHeight;
        // The limits depend on the instrument's units: checked in ApplyTo.
        change.number = number(change.spelled, value);
    } else if (key == QLatin1String("indexplus") || key == QLatin1String("indexminus")) {
        change.field = key == QLatin1String("indexplus") ? Field::IndexPlus : Field::IndexMinus;
        change.number = tolerance(change.spelled, value);
    } else if (const QRegularExpressionMatch m = scaleTolerance.match(key); m.hasMatch()) {
        change.field = m.captured(1) == QLatin1String("plus") ? Field::ScalePlus : Field::ScaleMinus;
        change.element = m.captured(2).toInt();
        change.number = tolerance(change.spelled, value);
    } else if (const QRegularExpressionMatch m = standardValue.match(key); m.hasMatch()) {
        const QString kind = m.captured(1);
        change.field = kind == QLatin1String("target") ? Field::Target
                       : kind == QLatin1String("offset") ? Field::Offset
                                                         : Field::Read;
        change.element = m.captured(2).toInt();
        change.number = number(change.spelled, value);
    } else if (const QRegularExpressionMatch v = viewField.match(key); v.hasMatch()) {
        change.element = v.captured(1).toInt();
        const QString part = v.captured(2);
        if (part == QLatin1String("enabled")) {
            change.field = Field::ViewEnabled;
            change.flag = yesNo(change.spelled, value);
            if (change.element == 1 && !change.flag)
                refuse(change.spelled, QStringLiteral("view 1 is always enabled"));
        } else if (part == QLatin1String("display")) {
            change.field = Field::ViewDisplay;
            change.code = listCode(change.spelled, SetupVocabulary::DisplayTypes(), value);
        } else if (part == QLatin1String("illobs")) {
            change.field = Field::ViewIllObs;
            change.code = listCode(change.spelled, SetupVocabulary::IllObsNames(), value);
        } else if (part == QLatin1String("scale")) {
            change.field = Field::ViewScale;
            change.code = listCode(change.spelled, SetupVocabulary::ColorScales(), value);
        } else {
            change.field = Field::ViewIndex;
            change.code = listCode(change.spelled, SetupVocabulary::ColorIndices(), value);
        }
    } else {
        throw UsageError(QStringLiteral("unknown setup field \"%1\" (see tr8kz setup set --help)").arg(change.spelled));
    }
    return change;
}

bool isDistance(Field field)
{
    return field == Field::MinDistance || field == Field::MaxDistance || field == Field::Base ||
           field == Field::MinHeight || field == Field::MaxHeight;
}

// The distances of a run configuration given on the command line, the last
// of each field winning.
struct Distances {
    std::optional<double> minDistance, maxDistance, base, minHeight, maxHeight;
    QStringList spelledDistance;  // mindistance, maxdistance as written
    QStringList spelledHeight;    // base, minheight, maxheight as written
};

// The run configuration editor the instrument names, its controls showing
// the setup with the command line's values typed over them, then saved.
void applyDistances(ProductSetup& s, const Distances& d, const RunConfigChoice& runConfig)
{
    switch (runConfig.Editor()) {
    case RunConfigEditor::Distance: {
        if (!d.spelledHeight.isEmpty())
            refuse(d.spelledHeight.first(),
                   QStringLiteral("the instrument keeps its range as distances from the sensor: "
                                  "set mindistance and maxdistance"));
        DistanceEntry entry;
        entry.ReadMode = s.ReadMode;
        entry.ReportInterval = s.ReportInterval;
        entry.MinDistance = d.minDistance.value_or(s.MinDistance);
        entry.MaxDistance = d.maxDistance.value_or(s.MaxDistance);
        entry.HeightTrigger = s.HeightTrigger;
        StoreDistances(s, entry);
        return;
    }
    case RunConfigEditor::Height: {
        if (!d.spelledDistance.isEmpty())
            refuse(d.spelledDistance.first(),
                   QStringLiteral("the instrument keeps its range as heights above a base: "
                                  "set base, minheight and maxheight"));
        const RunConfigHeights shown = HeightsOf(s);
        HeightEntry entry;
        entry.ReadMode = s.ReadMode;
        entry.ReportInterval = s.ReportInterval;
        entry.BaseDistance = d.base.value_or(s.BaseDistance);
        entry.MinHeight = d.minHeight.value_or(shown.MinHeight);
        entry.MaxHeight = d.maxHeight.value_or(shown.MaxHeight);
        entry.HeightTrigger = s.HeightTrigger;
        StoreHeights(s, entry);
        return;
    }
    case RunConfigEditor::None: break;
    }
    const QString first = !d.spelledDistance.isEmpty() ? d.spelledDistance.first() : d.spelledHeight.first();
    refuse(first, QStringLiteral("the instrument names no run configuration editor (it answers %1 to Q10002)")
                      .arg(runConfig.Variant));
}

// The standard values given, in the scale and illuminant/observer of view 1:
// row i of the target, of the offset (target minus the instrument's reading)
// and of the reading itself.
struct StandardValues {
    std::array<std::optional<double>, 3> target, offset, read;
    QString spelled;  // the first of them, as written
    QString spelledOffset;  // the first offset or reading, as written
};

QString exact(double value) { return QString::number(value, 'g', 17); }

// As the standard values editor on the setup as it will be saved: the values
// it shows, with the command line's typed over them, then saved. The values
// not given keep their full precision rather than the four decimals the
// editor shows, so that they move by no more than the conversion's round
// trip.
void applyStandard(ProductSetup& s, const StandardValues& given)
{
    const StandardScale scale = StandardScaleOf(s);
    if (scale.State != StandardScaleState::Ready)
        refuse(given.spelled, QStringLiteral("%1 (view 1 has scale code %2, illuminant/observer code %3)")
                                  .arg(scale.Warning())
                                  .arg(s.Views(1).ColorScale)
                                  .arg(s.Views(1).IllumObs));
    if (!scale.Hitch && !given.spelledOffset.isEmpty())
        refuse(given.spelledOffset, QStringLiteral("only a HITCH standard has offsets and a reading of its own"));
    const ColorConverter converter;
    try {
        const StandardDisplay shown = ShowStandard(s, scale, converter);
        StandardTexts texts;
        for (int i = 0; i < 3; ++i) {
            const double target = given.target[i].value_or(shown.Target[i]);
            if (given.offset[i] && given.read[i])
                refuse(given.spelledOffset, QStringLiteral("give the offset or the reading of row %1, not both").arg(i + 1));
            const double offset = given.read[i] ? target - *given.read[i] : given.offset[i].value_or(shown.Offset[i]);
            texts.Target[i] = exact(target);
            texts.Offset[i] = exact(offset);
        }
        StoreStandard(s, scale, texts, converter, QLocale::c());
    } catch (const AppError& error) {
        refuse(given.spelled, error.description());
    }
}

}  // namespace

SetupEdit::SetupEdit(const QStringList& assignments)
{
    if (assignments.isEmpty()) throw UsageError(QStringLiteral("no FIELD=VALUE given"));
    for (const QString& assignment : assignments) changes_.push_back(parse(assignment));
}

SetupEdit::~SetupEdit() = default;
SetupEdit::SetupEdit(SetupEdit&&) noexcept = default;

bool SetupEdit::NeedsRunConfiguration() const
{
    for (const Change& c : changes_)
        if (isDistance(c.field)) return true;
    return false;
}

ProductSetup SetupEdit::ApplyTo(const ProductSetup& setup, const std::optional<RunConfigChoice>& runConfig) const
{
    ProductSetup s = setup;
    Distances distances;
    StandardValues standard;
    QString scaleTolerance, indexTolerance;  // the first of each kind set, as written

    for (const Change& c : changes_) {
        switch (c.field) {
        case Field::Name: s.Name = c.name; break;
        case Field::Standard: s.StandardType = c.code; break;
        case Field::Autosearch: s.Searchable = c.flag; break;
        case Field::ReadMode: s.ReadMode = c.code; break;
        case Field::Interval: s.ReportInterval = RoundToInt16(c.number, "the report interval"); break;
        case Field::Trigger: s.HeightTrigger = c.flag; break;
        case Field::MinDistance:
            distances.minDistance = c.number;
            distances.spelledDistance << c.spelled;
            break;
        case Field::MaxDistance:
            distances.maxDistance = c.number;
            distances.spelledDistance << c.spelled;
            break;
        case Field::Base:
            distances.base = c.number;
            distances.spelledHeight << c.spelled;
            break;
        case Field::MinHeight:
            distances.minHeight = c.number;
            distances.spelledHeight << c.spelled;
            break;
        case Field::MaxHeight:
            distances.maxHeight = c.number;
            distances.spelledHeight << c.spelled;
            break;
        case Field::ScalePlus:
            s.SetScalePlus(c.element, static_cast<float>(c.number));
            if (scaleTolerance.isEmpty()) scaleTolerance = c.spelled;
            break;
        case Field::ScaleMinus:
            s.SetScaleMinus(c.element, static_cast<float>(c.number));
            if (scaleTolerance.isEmpty()) scaleTolerance = c.spelled;
            break;
        case Field::IndexPlus:
            s.IndexPlus = static_cast<float>(c.number);
            if (indexTolerance.isEmpty()) indexTolerance = c.spelled;
            break;
        case Field::IndexMinus:
            s.IndexMinus = static_cast<float>(c.number);
            if (indexTolerance.isEmpty()) indexTolerance = c.spelled;
            break;
        case Field::Target:
        case Field::Offset:
        case Field::Read: {
            auto& row = c.field == Field::Target ? standard.target : c.field == Field::Offset ? standard.offset : standard.read;
            row[c.element - 1] = c.number;
            if (standard.spelled.isEmpty()) standard.spelled = c.spelled;
            if (c.field != Field::Target && standard.spelledOffset.isEmpty()) standard.spelledOffset = c.spelled;
            break;
        }
        case Field::ViewEnabled: s.Views(c.element).Enabled = c.element == 1 || c.flag; break;
        case Field::ViewDisplay: s.Views(c.element).DisplayType = c.code; break;
        case Field::ViewIllObs: s.Views(c.element).IllumObs = c.code; break;
        case Field::ViewScale: s.Views(c.element).ColorScale = c.code; break;
        case Field::ViewIndex: s.Views(c.element).ColorIndex = c.code; break;
        }
    }

    if (!distances.spelledDistance.isEmpty() || !distances.spelledHeight.isEmpty()) {
        if (!runConfig) throw std::logic_error("the run configuration is needed for distances");
        // The editors' range edits take no typed value outside their limits.
        const EditLimits limits = RangeEditLimits(runConfig->CustomaryUnits);
        const QString unit = runConfig->CustomaryUnits ? QStringLiteral("in.") : QStringLiteral("mm");
        for (const Change& c : changes_) {
            if (isDistance(c.field) && !limits.Holds(c.number))
                refuse(c.spelled, QStringLiteral("from %1 to %2 %3, not %4")
                                      .arg(limits.Lower)
                                      .arg(limits.Upper)
                                      .arg(unit)
                                      .arg(c.number));
        }
        applyDistances(s, distances, *runConfig);
    }

    // The standard values editor works in view 1's scale and
    // illuminant/observer as they will be saved.
    if (!standard.spelled.isEmpty()) applyStandard(s, standard);

    // The tolerances editor shows the scale tolerances only for a first view
    // with a colour scale it knows, and the index ones only for one with an
    // index it knows; it looks at the first view as it will be saved.
    const ToleranceLayout layout = ToleranceLayoutOf(s);
    if (!scaleTolerance.isEmpty() && !layout.ScaleInUse)
        refuse(scaleTolerance, layout.ScaleUnknown
                                   ? QStringLiteral("Color scale not recognised (view 1 has scale code %1)").arg(layout.ScaleCode)
                                   : QStringLiteral("view 1 has no colour scale, so the setup has no scale tolerances"));
    if (!indexTolerance.isEmpty() && !layout.IndexInUse)
        refuse(indexTolerance, layout.IndexUnknown
                                   ? QStringLiteral("Color index not recognised (view 1 has index code %1)").arg(layout.IndexCode)
                                   : QStringLiteral("view 1 has no colour index, so the setup has no index tolerances"));
    return s;
}

int SetupNumberArgument(const QString& text)
{
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok || number < 1 || number > 250)
        throw UsageError(QStringLiteral("the setup number is a whole number from 1 to 250, not \"%1\"").arg(text));
    return number;
}
