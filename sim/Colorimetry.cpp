#include "Colorimetry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Colorimetry {

namespace {

// CIE standard illuminant D65, relative spectral power 400..700 nm every 10 nm.
constexpr std::array<double, SpectrumPoints> kD65 = {
    82.7549, 91.4860, 93.4318, 86.6823, 104.865, 117.008, 117.812, 114.861, 115.923, 108.811, 109.354,
    107.802, 104.790, 107.689, 104.405, 104.046, 100.000, 96.3342, 95.7880, 88.6856, 90.0062, 89.5991,
    87.6987, 83.2886, 83.6992, 80.0268, 80.2146, 82.2778, 78.2842, 69.7213, 71.6091};

// One side of a piecewise Gaussian lobe.
double lobe(double wavelength, double mean, double sigmaBelow, double sigmaAbove)
{
    const double t = (wavelength - mean) / (wavelength < mean ? sigmaBelow : sigmaAbove);
    return std::exp(-0.5 * t * t);
}

// Black body relative to its power at 560 nm (the CIE form of illuminant A).
double planck(double wavelength, double kelvin)
{
    constexpr double c2 = 1.435e7;  // nm K, as in the definition of illuminant A
    return 100.0 * std::pow(560.0 / wavelength, 5) * (std::exp(c2 / (kelvin * 560.0)) - 1.0) /
           (std::exp(c2 / (kelvin * wavelength)) - 1.0);
}

double radians(double degrees) { return degrees * std::numbers::pi / 180.0; }

}  // namespace

bool IsKnownIllObsCode(int illObsCode) { return illObsCode >= 0 && illObsCode <= 17; }

Conditions ConditionsOfCode(int illObsCode)
{
    if (!IsKnownIllObsCode(illObsCode)) return {};
    return {static_cast<Illuminant>(illObsCode % 9), illObsCode < 9 ? Observer::TwoDegree : Observer::TenDegree};
}

Triple ColourMatching(double l, Observer observer)
{
    if (observer == Observer::TwoDegree) {
        return {1.056 * lobe(l, 599.8, 37.9, 31.0) + 0.362 * lobe(l, 442.0, 16.0, 26.7) - 0.065 * lobe(l, 501.1, 20.4, 26.2),
                0.821 * lobe(l, 568.8, 46.9, 40.5) + 0.286 * lobe(l, 530.9, 16.3, 31.1),
                1.217 * lobe(l, 437.0, 11.8, 36.0) + 0.681 * lobe(l, 459.0, 26.0, 13.8)};
    }
    const double lx1 = std::log((l + 570.1) / 1014.0);
    const double lx2 = std::log((1338.0 - l) / 743.5);
    const double ly = (l - 556.1) / 46.14;
    const double lz = std::log((l - 265.8) / 180.4);
    return {0.398 * std::exp(-1250.0 * lx1 * lx1) + 1.132 * std::exp(-234.0 * lx2 * lx2),
            1.011 * std::exp(-0.5 * ly * ly),
            2.060 * std::exp(-32.0 * lz * lz)};
}

double IlluminantPower(Illuminant illuminant, double wavelength)
{
    switch (illuminant) {
    case Illuminant::A: return planck(wavelength, 2848.0);
    case Illuminant::C: return planck(wavelength, 6774.0);
    case Illuminant::D50: return planck(wavelength, 5003.0);
    case Illuminant::D55: return planck(wavelength, 5503.0);
    case Illuminant::D65: {
        const double position = (wavelength - FirstWavelength) / WavelengthStep;
        const int below = std::clamp(static_cast<int>(std::floor(position)), 0, SpectrumPoints - 1);
        const int above = std::min(below + 1, SpectrumPoints - 1);
        const double f = std::clamp(position - below, 0.0, 1.0);
        return kD65[below] + f * (kD65[above] - kD65[below]);
    }
    case Illuminant::D75: return planck(wavelength, 7504.0);
    case Illuminant::F2: return planck(wavelength, 4230.0);
    case Illuminant::F7: return planck(wavelength, 6500.0);
    case Illuminant::F11: return planck(wavelength, 4000.0);
    }
    return 100.0;
}

namespace {
Triple weightedSum(const Conditions& conditions, const Spectrum* reflectance)
{
    Triple sum{0, 0, 0};
    double ySum = 0;
    for (int i = 0; i < SpectrumPoints; ++i) {
        const double l = Wavelength(i);
        const double s = IlluminantPower(conditions.illuminant, l);
        const Triple cmf = ColourMatching(l, conditions.observer);
        const double r = reflectance ? (*reflectance)[i] / 100.0 : 1.0;
        for (int k = 0; k < 3; ++k) sum[k] += s * r * cmf[k];
        ySum += s * cmf[1];
    }
    const double norm = 100.0 / ySum;
    return {sum[0] * norm, sum[1] * norm, sum[2] * norm};
}
}  // namespace

Triple WhitePoint(const Conditions& conditions) { return weightedSum(conditions, nullptr); }

Triple Tristimulus(const Spectrum& reflectance, const Conditions& conditions)
{
    return weightedSum(conditions, &reflectance);
}

Triple XYZToLab(const Triple& xyz, const Triple& white)
{
    auto f = [](double t) {
        constexpr double delta = 6.0 / 29.0;
        return t > delta * delta * delta ? std::cbrt(t) : t / (3 * delta * delta) + 4.0 / 29.0;
    };
    const double fx = f(xyz[0] / white[0]);
    const double fy = f(xyz[1] / white[1]);
    const double fz = f(xyz[2] / white[2]);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

Triple LabToLCh(const Triple& lab)
{
    const double c = std::hypot(lab[1], lab[2]);
    double h = std::atan2(lab[2], lab[1]) * 180.0 / std::numbers::pi;
    if (h < 0) h += 360.0;
    return {lab[0], c, h};
}

Triple XYZToHunterLab(const Triple& xyz, const Triple& white)
{
    const double ka = 175.0 / 198.04 * (white[0] + white[1]);
    const double kb = 70.0 / 218.11 * (white[1] + white[2]);
    const double yr = xyz[1] / white[1];
    if (yr <= 0) return {0, 0, 0};
    const double root = std::sqrt(yr);
    return {100.0 * root, ka * (xyz[0] / white[0] - yr) / root, kb * (yr - xyz[2] / white[2]) / root};
}

Triple XYZToYxy(const Triple& xyz)
{
    const double sum = xyz[0] + xyz[1] + xyz[2];
    if (sum <= 0) return {0, 0, 0};
    return {xyz[1], xyz[0] / sum, xyz[1] / sum};
}

double DeltaE76(const Triple& a, const Triple& b)
{
    return std::sqrt((a[0] - b[0]) * (a[0] - b[0]) + (a[1] - b[1]) * (a[1] - b[1]) + (a[2] - b[2]) * (a[2] - b[2]));
}

Triple DeltaLCH(const Triple& sample, const Triple& standard)
{
    const Triple s = LabToLCh(sample);
    const Triple r = LabToLCh(standard);
    double dh = s[2] - r[2];
    if (dh > 180.0) dh -= 360.0;
    if (dh < -180.0) dh += 360.0;
    const double dH = 2.0 * std::sqrt(s[1] * r[1]) * std::sin(radians(dh) / 2.0);
    return {s[0] - r[0], s[1] - r[1], dH};
}

double DeltaECMC(const Triple& sample, const Triple& standard, double l, double c)
{
    const Triple ref = LabToLCh(standard);
    const double L1 = ref[0], C1 = ref[1], h1 = ref[2];
    const double sl = L1 < 16.0 ? 0.511 : 0.040975 * L1 / (1.0 + 0.01765 * L1);
    const double sc = 0.0638 * C1 / (1.0 + 0.0131 * C1) + 0.638;
    const double c4 = C1 * C1 * C1 * C1;
    const double f = std::sqrt(c4 / (c4 + 1900.0));
    const double t = (h1 >= 164.0 && h1 <= 345.0) ? 0.56 + std::fabs(0.2 * std::cos(radians(h1 + 168.0)))
                                                   : 0.36 + std::fabs(0.4 * std::cos(radians(h1 + 35.0)));
    const double sh = sc * (f * t + 1.0 - f);
    const double dL = sample[0] - standard[0];
    const double C2 = std::hypot(sample[1], sample[2]);
    const double dC = C2 - C1;
    const double da = sample[1] - standard[1];
    const double db = sample[2] - standard[2];
    const double dH2 = std::max(0.0, da * da + db * db - dC * dC);
    const double termL = dL / (l * sl);
    const double termC = dC / (c * sc);
    return std::sqrt(termL * termL + termC * termC + dH2 / (sh * sh));
}

}  // namespace Colorimetry
