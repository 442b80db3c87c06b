#include "ColorConverter.h"

#include "AppError.h"
#include "IlluminantTable.h"

#include <lcms2.h>

#include <cmath>

// Conversions go through XYZ: the from-scale is turned into XYZ, and XYZ into
// the to-scale; only CIELAB and CIELCh convert into each other directly.
// Little CMS does the CIE formulas (CIELAB, its polar form, chromaticity); it
// works with the white's Y = 1, so XYZ values are divided by 100 on the way in
// and multiplied by 100 on the way out. Hunter Lab is not in Little CMS and is
// written out here.

namespace {

using Triple = std::array<double, 3>;

enum class Scale { XYZ, CIELAB, CIELCh, HunterLab, Yxy };

struct ScaleEntry {
    Scale scale;
    const char* name;
    const char* terms[3];  // used to name a bad value in error texts
};

constexpr ScaleEntry kScales[] = {
    {Scale::XYZ, "XYZ", {"X", "Y", "Z"}},
    {Scale::CIELAB, "CIELAB", {"L*", "a*", "b*"}},
    {Scale::CIELCh, "CIELCh", {"L*", "C*", "h"}},
    {Scale::HunterLab, "Hunter Lab", {"L", "a", "b"}},
    {Scale::Yxy, "Yxy", {"Y", "x", "y"}},
};

// Hunter's constants Ka = 175 and Kb = 70 belong to his illuminant C white
// (98.043, 100, 118.115); for another white they scale with the square root of
// its Xn and Zn. This reproduces Hunter's published Ka/Kb table (C/2 175.0,
// 70.0; D65/2 172.30, 67.20; A/2 185.2, 38.4) to within 0.05.
constexpr double kHunterKa = 175.0;
constexpr double kHunterKb = 70.0;
constexpr double kHunterXc = 98.043;
constexpr double kHunterZc = 118.115;

[[noreturn]] void Fail(const QString& text)
{
    throw AppError(ErrorNumber::InvalidArgument, QStringLiteral("Colour conversion: ") + text);
}

QString Num(double v)
{
    return QString::number(v, 'g', 10);
}

QString Describe(const Triple& v)
{
    return QStringLiteral("(%1, %2, %3)").arg(Num(v[0]), Num(v[1]), Num(v[2]));
}

const ScaleEntry& FindScale(const QString& name, const char* role)
{
    for (const ScaleEntry& entry : kScales) {
        if (name == QLatin1String(entry.name)) return entry;
    }
    Fail(QStringLiteral("the %1 \"%2\" is not a known colour scale (XYZ, CIELAB, CIELCh, Hunter Lab, Yxy)")
             .arg(QLatin1String(role), name));
}

const IlluminantWhite& FindWhite(const QString& illObs)
{
    if (const IlluminantWhite* white = IlluminantTable::Find(illObs)) return *white;
    Fail(QStringLiteral("the illuminant/observer \"%1\" is not known (\"ASTM-\" followed by one of A, C, "
                        "D50, D55, D65, D75, F2, F7, F11, a slash and 2 or 10)")
             .arg(illObs));
}

bool IsBlack(const Triple& xyz)
{
    return xyz[0] == 0.0 && xyz[1] == 0.0 && xyz[2] == 0.0;
}

// A hue in [0, 360): atan2 of a tiny negative b* gives a hue that rounds to
// exactly 360 once moved into range, and a b* of -0 gives -0; neither may
// reach the operator.
double NormaliseHue(double h)
{
    h = std::fmod(h, 360.0);
    if (h < 0.0) h += 360.0;
    if (h >= 360.0) h -= 360.0;
    return h == 0.0 ? 0.0 : h;
}

cmsCIEXYZ UnitWhite(const IlluminantWhite& white)
{
    return cmsCIEXYZ{white.X / white.Y, 1.0, white.Z / white.Y};
}

cmsCIEXYZ ToUnit(const Triple& xyz)
{
    return cmsCIEXYZ{xyz[0] / 100.0, xyz[1] / 100.0, xyz[2] / 100.0};
}

Triple FromUnit(const cmsCIEXYZ& xyz)
{
    return {xyz.X * 100.0, xyz.Y * 100.0, xyz.Z * 100.0};
}

// --- CIELAB and CIELCh --------------------------------------------------

Triple XyzToLab(const Triple& xyz, const IlluminantWhite& white)
{
    const cmsCIEXYZ w = UnitWhite(white);
    const cmsCIEXYZ c = ToUnit(xyz);
    cmsCIELab lab;
    cmsXYZ2Lab(&w, &lab, &c);
    return {lab.L, lab.a, lab.b};
}

Triple LabToXyz(const Triple& lab, const IlluminantWhite& white)
{
    const cmsCIEXYZ w = UnitWhite(white);
    const cmsCIELab in{lab[0], lab[1], lab[2]};
    cmsCIEXYZ xyz;
    cmsLab2XYZ(&w, &xyz, &in);
    return FromUnit(xyz);
}

Triple LabToLch(const Triple& lab)
{
    const cmsCIELab in{lab[0], lab[1], lab[2]};
    cmsCIELCh lch;
    cmsLab2LCh(&lch, &in);
    return {lch.L, lch.C, NormaliseHue(lch.h)};
}

Triple LchToLab(const Triple& lch)
{
    const cmsCIELCh in{lch[0], lch[1], lch[2]};
    cmsCIELab lab;
    cmsLCh2Lab(&lab, &in);
    return {lab.L, lab.a, lab.b};
}

// --- Hunter Lab ----------------------------------------------------------

double HunterKa(const IlluminantWhite& white)
{
    return kHunterKa * std::sqrt(white.X / kHunterXc);
}

double HunterKb(const IlluminantWhite& white)
{
    return kHunterKb * std::sqrt(white.Z / kHunterZc);
}

// L = 100 sqrt(Y/Yn), a = Ka (X/Xn - Y/Yn) / sqrt(Y/Yn),
// b = Kb (Y/Yn - Z/Zn) / sqrt(Y/Yn).
Triple XyzToHunter(const Triple& xyz, const IlluminantWhite& white)
{
    const double yr = xyz[1] / white.Y;
    if (yr < 0.0) {
        Fail(QStringLiteral("the XYZ colour %1 has a negative Y and has no Hunter Lab value").arg(Describe(xyz)));
    }
    if (yr == 0.0) {
        if (IsBlack(xyz)) return {0.0, 0.0, 0.0};
        Fail(QStringLiteral("the XYZ colour %1 has Y = 0 but X or Z not 0 and has no Hunter Lab value")
                 .arg(Describe(xyz)));
    }
    const double root = std::sqrt(yr);
    return {100.0 * root, HunterKa(white) * (xyz[0] / white.X - yr) / root,
            HunterKb(white) * (yr - xyz[2] / white.Z) / root};
}

// The inverse: sqrt(Y/Yn) = L/100, X/Xn = a sqrt(Y/Yn)/Ka + Y/Yn,
// Z/Zn = Y/Yn - b sqrt(Y/Yn)/Kb. L = 0 is black whatever a and b say.
Triple HunterToXyz(const Triple& hunter, const IlluminantWhite& white)
{
    if (hunter[0] < 0.0) {
        Fail(QStringLiteral("the Hunter Lab colour %1 has a negative L").arg(Describe(hunter)));
    }
    const double root = hunter[0] / 100.0;
    const double yr = root * root;
    return {white.X * (hunter[1] * root / HunterKa(white) + yr), white.Y * yr,
            white.Z * (yr - hunter[2] * root / HunterKb(white))};
}

// --- Yxy -----------------------------------------------------------------

Triple XyzToYxy(const Triple& xyz, const IlluminantWhite& white)
{
    // Black has no chromaticity of its own; it takes the white's, so that
    // it converts back to black and never to NaN.
    const cmsCIEXYZ source = IsBlack(xyz) ? UnitWhite(white) : ToUnit(xyz);
    cmsCIExyY xyY;
    cmsXYZ2xyY(&xyY, &source);
    return {IsBlack(xyz) ? 0.0 : xyY.Y * 100.0, xyY.x, xyY.y};
}

Triple YxyToXyz(const Triple& yxy)
{
    if (yxy[0] == 0.0) return {0.0, 0.0, 0.0};
    if (yxy[2] == 0.0) {
        Fail(QStringLiteral("the Yxy colour %1 has y = 0 with Y not 0 and cannot be converted").arg(Describe(yxy)));
    }
    const cmsCIExyY in{yxy[1], yxy[2], yxy[0] / 100.0};
    cmsCIEXYZ xyz;
    cmsxyY2XYZ(&xyz, &in);
    return FromUnit(xyz);
}

// --- Through XYZ ---------------------------------------------------------

Triple ToXyz(Scale scale, const Triple& v, const IlluminantWhite& white)
{
    switch (scale) {
    case Scale::XYZ: return v;
    case Scale::CIELAB: return LabToXyz(v, white);
    case Scale::CIELCh: return LabToXyz(LchToLab(v), white);
    case Scale::HunterLab: return HunterToXyz(v, white);
    case Scale::Yxy: return YxyToXyz(v);
    }
    return v;
}

Triple FromXyz(Scale scale, const Triple& xyz, const IlluminantWhite& white)
{
    switch (scale) {
    case Scale::XYZ: return xyz;
    case Scale::CIELAB: return XyzToLab(xyz, white);
    case Scale::CIELCh: return LabToLch(XyzToLab(xyz, white));
    case Scale::HunterLab: return XyzToHunter(xyz, white);
    case Scale::Yxy: return XyzToYxy(xyz, white);
    }
    return xyz;
}

bool AllFinite(const Triple& v)
{
    return std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
}

Triple Convert(Scale from, Scale to, const Triple& v, const IlluminantWhite& white)
{
    // CIELAB and CIELCh are two forms of one space: no detour through XYZ
    // between them, whose rounding would turn the a* = b* = 0 of a neutral
    // into noise with an arbitrary hue.
    if (from == Scale::CIELAB && to == Scale::CIELCh) return LabToLch(v);
    if (from == Scale::CIELCh && to == Scale::CIELAB) return LchToLab(v);
    const Triple xyz = ToXyz(from, v, white);
    return AllFinite(xyz) ? FromXyz(to, xyz, white) : xyz;
}

}  // namespace

std::array<double, 3> ColorConverter::ConvertScale(const QString& fromScale, const QString& toScale,
                                                   const std::array<double, 3>& values,
                                                   const QString& illObs) const
{
    const ScaleEntry& from = FindScale(fromScale, "from-scale");
    const ScaleEntry& to = FindScale(toScale, "to-scale");
    const IlluminantWhite& white = FindWhite(illObs);
    for (int i = 0; i < 3; ++i) {
        if (!std::isfinite(values[i])) {
            Fail(QStringLiteral("value %1 (%2) of the %3 colour is %4, not a finite number")
                     .arg(i + 1)
                     .arg(QLatin1String(from.terms[i]), QLatin1String(from.name), Num(values[i])));
        }
    }
    if (from.scale == to.scale) return values;

    Triple result = Convert(from.scale, to.scale, values, white);
    if (!AllFinite(result)) {
        Fail(QStringLiteral("the %1 colour %2 under %3 has no %4 value: the result is not all finite numbers")
                 .arg(QLatin1String(from.name), Describe(values), illObs, QLatin1String(to.name)));
    }
    for (double& v : result) {
        if (v == 0.0) v = 0.0;  // never show "-0"
    }
    return result;
}

std::array<double, 3> ColorConverter::ConvertScale(const QString& fromScale, const QString& toScale,
                                                   const std::array<QString, 3>& texts,
                                                   const QString& illObs, const QLocale& locale) const
{
    const ScaleEntry& from = FindScale(fromScale, "from-scale");
    Triple values{};
    for (int i = 0; i < 3; ++i) {
        // QLocale skips surrounding blanks, takes a sign and the locale's
        // digit grouping, and refuses an empty or blank text.
        bool ok = false;
        values[i] = locale.toDouble(texts[i], &ok);
        if (!ok) {
            Fail(QStringLiteral("value %1 (%2) of the %3 colour, \"%4\", does not read as a number")
                     .arg(i + 1)
                     .arg(QLatin1String(from.terms[i]), QLatin1String(from.name), texts[i]));
        }
    }
    return ConvertScale(fromScale, toScale, values, illObs);
}

QStringList ColorConverter::ScaleNames()
{
    QStringList names;
    for (const ScaleEntry& entry : kScales) names << QString::fromLatin1(entry.name);
    return names;
}

QStringList ColorConverter::IllObsNames()
{
    return IlluminantTable::Names();
}
