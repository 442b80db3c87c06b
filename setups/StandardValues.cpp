#include "StandardValues.h"

#include "AppError.h"
#include "SetupNumberText.h"
#include "SetupVocabulary.h"

#include <cmath>

namespace {

using Triple = std::array<double, 3>;

const QString XYZ = QStringLiteral("XYZ");
constexpr int16_t HitchType = 3;

// The scale codes above the last of the editor's scales (the difference
// scale "dLdCdH") edit the standard in the first scale, L*a*b*.
int16_t ClampedScale(int16_t code)
{
    const int last = static_cast<int>(SetupVocabulary::StandardScaleLabels().size()) - 1;
    return code > last ? int16_t{1} : code;
}

Triple StoredTriple(const ProductSetup& setup, float (ProductSetup::*get)(int) const)
{
    return {(setup.*get)(1), (setup.*get)(2), (setup.*get)(3)};
}

// The stored XYZ in the editor's scale. A colour whose chroma shows as zero
// has no hue worth showing: the conversion's rounding would give a neutral
// an arbitrary one (C* 0.00, h 185.7662), so its hue is shown as 0.
Triple InScale(const ProductSetup& setup, float (ProductSetup::*get)(int) const, const StandardScale& scale,
               const ColorConverter& converter)
{
    Triple v = converter.ConvertScale(XYZ, scale.ConverterScale, StoredTriple(setup, get), scale.IllObs);
    if (scale.ConverterScale == QLatin1String("CIELCh")) {
        double shown = 1.0;
        const QLocale c = QLocale::c();
        if (SetupNumberText::Read(SetupNumberText::Format(v[1], c), shown, c) && shown == 0.0) v[2] = 0.0;
    }
    return v;
}

}  // namespace

QString StandardScale::Warning() const
{
    switch (State) {
    case StandardScaleState::Ready: return {};
    case StandardScaleState::NotSelected: return QStringLiteral("Color scale not selected");
    case StandardScaleState::ScaleUnknown: return QStringLiteral("Color scale not recognised");
    case StandardScaleState::IllObsUnknown: return QStringLiteral("Illuminant/observer not recognised");
    }
    return {};
}

StandardScale StandardScaleOf(const ProductSetup& setup)
{
    const DataView& view = setup.Views(1);
    StandardScale scale;
    scale.Hitch = setup.StandardType == HitchType;
    scale.ScaleCode = ClampedScale(view.ColorScale);
    scale.IllObsCode = view.IllumObs;
    if (scale.ScaleCode == 0) {
        scale.State = StandardScaleState::NotSelected;
        return scale;
    }
    if (scale.ScaleCode < 0) {
        scale.State = StandardScaleState::ScaleUnknown;
        return scale;
    }
    const QStringList& illObs = SetupVocabulary::IllObsNames();
    if (scale.IllObsCode < 0 || scale.IllObsCode >= illObs.size()) {
        scale.State = StandardScaleState::IllObsUnknown;
        return scale;
    }
    scale.State = StandardScaleState::Ready;
    scale.ConverterScale = SetupVocabulary::ConverterScaleNames().at(scale.ScaleCode);
    scale.IllObs = QStringLiteral("ASTM-") + illObs.at(scale.IllObsCode);
    const QString label = SetupVocabulary::StandardScaleLabels().at(scale.ScaleCode);
    for (int row = 0; row < 3; ++row) scale.RowLabels[row] = SetupVocabulary::Slice(label, row, 2);
    return scale;
}

StandardDisplay ShowStandard(const ProductSetup& setup, const StandardScale& scale, const ColorConverter& converter)
{
    StandardDisplay shown;
    shown.Target = InScale(setup, &ProductSetup::XYZTarget, scale, converter);
    if (scale.Hitch) {
        const Triple read = InScale(setup, &ProductSetup::XYZRead, scale, converter);
        for (int i = 0; i < 3; ++i) shown.Offset[i] = shown.Target[i] - read[i];
    }
    return shown;
}

StandardSaveResult StoreStandard(ProductSetup& setup, const StandardScale& scale, const StandardTexts& texts,
                                 const ColorConverter& converter, const QLocale& locale)
{
    Triple target{}, offset{};
    for (int i = 0; i < 3; ++i)
        if (!SetupNumberText::Read(texts.Target[i], target[i], locale)) return StandardSaveResult::NotNumeric;
    if (scale.Hitch) {
        for (int i = 0; i < 3; ++i)
            if (!SetupNumberText::Read(texts.Offset[i], offset[i], locale)) return StandardSaveResult::NotNumeric;
    }

    // Everything is converted before anything is stored, so that a failure
    // leaves the setup as it was.
    const Triple targetXYZ = converter.ConvertScale(scale.ConverterScale, XYZ, texts.Target, scale.IllObs, locale);
    Triple readXYZ{};
    if (scale.Hitch) {
        Triple read{};
        for (int i = 0; i < 3; ++i) {
            read[i] = target[i] - offset[i];
            if (!std::isfinite(read[i]))
                throw AppError::overflow(QStringLiteral("the target minus the offset of row %1 is too large").arg(i + 1));
        }
        readXYZ = converter.ConvertScale(scale.ConverterScale, XYZ, read, scale.IllObs);
    }
    std::array<float, 3> targetSingles{}, readSingles{};
    for (int i = 0; i < 3; ++i) {
        targetSingles[i] = SetupNumberText::ToSingle(targetXYZ[i], QStringLiteral("target %1").arg(XYZ.at(i)));
        if (scale.Hitch)
            readSingles[i] = SetupNumberText::ToSingle(readXYZ[i], QStringLiteral("read %1").arg(XYZ.at(i)));
    }

    for (int i = 0; i < 3; ++i) setup.SetXYZTarget(i + 1, targetSingles[i]);
    if (scale.Hitch)
        for (int i = 0; i < 3; ++i) setup.SetXYZRead(i + 1, readSingles[i]);
    return StandardSaveResult::Stored;
}
