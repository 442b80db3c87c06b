#include "Measurement.h"

#include <algorithm>
#include <cmath>

using namespace Colorimetry;

namespace Measurement {

namespace {

// Everything about one spectrum under the record's conditions.
struct Colour {
    Triple xyz;
    Triple lab;
    Triple hunter;
    Triple yxy;
};

Colour colourOf(const Spectrum& spectrum, const Conditions& conditions, const Triple& white)
{
    Colour c;
    c.xyz = Tristimulus(spectrum, conditions);
    c.lab = XYZToLab(c.xyz, white);
    c.hunter = XYZToHunterLab(c.xyz, white);
    c.yxy = XYZToYxy(c.xyz);
    return c;
}

double reflectanceAt(const Spectrum& s, double wavelength)
{
    const double position = (wavelength - FirstWavelength) / WavelengthStep;
    const int below = std::clamp(static_cast<int>(std::floor(position)), 0, SpectrumPoints - 2);
    const double f = std::clamp(position - below, 0.0, 1.0);
    return s[below] + f * (s[below + 1] - s[below]);
}

// Kubelka-Munk absorption over scattering of a reflectance in %.
double kOverS(double percent)
{
    const double r = std::clamp(percent / 100.0, 0.001, 1.0);
    return (1.0 - r) * (1.0 - r) / (2.0 * r);
}

// Yellowness E313 coefficients: illuminant C has its own, every other
// illuminant uses those of D65.
std::pair<double, double> yellownessCoefficients(const Conditions& c)
{
    const bool two = c.observer == Observer::TwoDegree;
    if (c.illuminant == Illuminant::C) return two ? std::pair{1.2769, 1.0592} : std::pair{1.2871, 1.0781};
    return two ? std::pair{1.2985, 1.1335} : std::pair{1.3013, 1.1498};
}

// Grey scale grade for a colour difference (5 = no difference).
double greyScaleGrade(double dE)
{
    const double grade = dE <= 3.4 ? 5.0 - dE / 1.7 : 5.0 - std::log(dE / 0.85) / std::log(2.0);
    return std::max(1.0, grade);
}

double stainingGrade(double dE)
{
    if (dE <= 0.0) return 5.0;
    return std::clamp(6.1 - 1.45 * std::log(dE), 1.0, 5.0);
}

// One digit of a 555 shade number: 5 is on the standard, each block of the
// tolerance band one step away.
int shadeDigit(double difference, float tolerance, int blocks)
{
    const double band = tolerance > 0 ? 2.0 * tolerance : 2.0;
    const double block = band / std::max(1, blocks);
    return std::clamp(5 + static_cast<int>(std::lround(difference / block)), 1, 9);
}

struct IndexPair {
    double sample = 0;
    double standard = 0;
};

// Index of a single spectrum (codes that need no standard).
double singleIndex(int code, const Spectrum& s, const Colour& c, const Conditions& conditions, const Triple& white,
                   const SimSetup& setup)
{
    const Triple& xyz = c.xyz;
    const double y = std::max(xyz[1], 1e-6);
    const Triple whiteYxy = XYZToYxy(white);
    const double dx = whiteYxy[1] - c.yxy[1];
    const double dy = whiteYxy[2] - c.yxy[2];
    switch (code) {
    case 1: return xyz[1];
    case 2: return 100.0 * (1.28 * xyz[0] - 1.06 * xyz[2]) / y;
    case 3: {
        const auto [cx, cz] = yellownessCoefficients(conditions);
        return 100.0 * (cx * xyz[0] - cz * xyz[2]) / y;
    }
    case 4: return xyz[1] + 800.0 * dx + 1700.0 * dy;
    case 5: return (conditions.observer == Observer::TwoDegree ? 1000.0 : 900.0) * dx - 650.0 * dy;
    case 6: return 100.0 * xyz[2] / white[2];
    case 7: return reflectanceAt(s, 457.0);
    case 8: return 100.0 * (1.0 - 0.1 * (xyz[1] / 100.0) * (xyz[1] / 100.0));
    case 11: return setup.slope * c.lab[0] + setup.offset;
    case 12: return 2.2 * s[SpectrumPoints - 1];
    default: return 0.0;
    }
}

IndexPair indexValues(int code, const SimDatalogRecord& r, const Spectrum& standard, const Colour& sample,
                      const Colour& reference, const Conditions& conditions, const Triple& white,
                      const SimSetup& setup, const SimView& view)
{
    switch (code) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8: case 11: case 12:
        return {singleIndex(code, r.spectrum, sample, conditions, white, setup),
                singleIndex(code, standard, reference, conditions, white, setup)};
    case 9: {  // strength at the standard's wavelength of maximum absorption
        int peak = 0;
        for (int i = 1; i < SpectrumPoints; ++i)
            if (kOverS(standard[i]) > kOverS(standard[peak])) peak = i;
        return {100.0 * kOverS(r.spectrum[peak]) / kOverS(standard[peak]), 100.0};
    }
    case 10: {  // strength weighted by the illuminant and ybar over the spectrum
        double num = 0, den = 0;
        for (int i = 0; i < SpectrumPoints; ++i) {
            const double w = IlluminantPower(conditions.illuminant, Wavelength(i)) *
                             ColourMatching(Wavelength(i), conditions.observer)[1];
            num += w * kOverS(r.spectrum[i]);
            den += w * kOverS(standard[i]);
        }
        return {100.0 * num / den, 100.0};
    }
    case 21: return {greyScaleGrade(DeltaE76(sample.lab, reference.lab)), 5.0};
    case 22: return {stainingGrade(DeltaE76(sample.lab, reference.lab)), 5.0};
    case 23: return {DeltaE76(sample.lab, reference.lab), 0.0};
    case 24: {
        const double l = view.lc > 0 ? view.lc : 2.0;
        const double cf = view.cf > 0 ? view.cf : 1.0;
        return {DeltaECMC(sample.lab, reference.lab, l, 1.0) / cf, 0.0};
    }
    case 25: return {DeltaE76(sample.hunter, reference.hunter), 0.0};
    case 26: return {LabToLCh(sample.lab)[1] - LabToLCh(reference.lab)[1], 0.0};
    case 27: return {LabToLCh(sample.hunter)[1] - LabToLCh(reference.hunter)[1], 0.0};
    case 28: {
        int number = 0;
        for (int k = 0; k < 3; ++k)
            number = number * 10 + shadeDigit(sample.lab[k] - reference.lab[k], setup.scalePlus[k], view.shadeBlocks);
        return {static_cast<double>(number), 555.0};
    }
    case 29: {  // how far the match moves under illuminant A
        const Conditions a{Illuminant::A, conditions.observer};
        const Triple whiteA = WhitePoint(a);
        const double underA = DeltaE76(XYZToLab(Tristimulus(r.spectrum, a), whiteA), XYZToLab(Tristimulus(standard, a), whiteA));
        return {std::fabs(underA - DeltaE76(sample.lab, reference.lab)), 0.0};
    }
    default: return {0.0, 0.0};
    }
}

// The tolerances are magnitudes: a difference passes from -minus to +plus,
// both included; 0 and 0 is no tolerance at all. A negative lower tolerance
// (written by an earlier simulator into its state file) counts by its size.
bool outside(double difference, float plus, float minus)
{
    if (plus == 0.0f && minus == 0.0f) return false;
    return difference > plus || difference < -std::fabs(minus);
}

Spectrum standardOf(const SimSetup& setup)
{
    Spectrum s = setup.spectrum;
    const bool empty = std::all_of(s.begin(), s.end(), [](float v) { return v == 0.0f; });
    if (empty) s.fill(50.0f);  // a slot without a standard is judged against mid grey
    return s;
}

}  // namespace

int DatalogIndexCode(int viewColourIndex) { return viewColourIndex >= 13 ? viewColourIndex + 8 : viewColourIndex; }

Triple ScaleValues(int scaleCode, const Triple& xyz, const Triple& white)
{
    switch (scaleCode) {
    case 0: return {0, 0, 0};
    case 2: case 6: return LabToLCh(XYZToLab(xyz, white));
    case 3: return XYZToHunterLab(xyz, white);
    case 4: return xyz;
    case 5: return XYZToYxy(xyz);
    default: return XYZToLab(xyz, white);  // 1, and codes of newer scales
    }
}

void Evaluate(SimDatalogRecord& r, const SimSetup& setup, const SimView& view)
{
    const Conditions conditions = ConditionsOfCode(r.illObs);
    const Triple white = WhitePoint(conditions);
    const Spectrum standard = standardOf(setup);
    const Colour sample = colourOf(r.spectrum, conditions, white);
    const Colour reference = colourOf(standard, conditions, white);

    const Triple sampleScale = ScaleValues(r.scale, sample.xyz, white);
    // dLdCdH: the second run holds the differences rather than the standard.
    const Triple secondRun = r.scale == 6 ? DeltaLCH(sample.lab, reference.lab) : ScaleValues(r.scale, reference.xyz, white);
    for (int k = 0; k < 3; ++k) {
        r.scaleData[k] = static_cast<float>(sampleScale[k]);
        r.scaleData[3 + k] = static_cast<float>(secondRun[k]);
        r.tristimulus[k] = static_cast<float>(sample.xyz[k]);
        r.tristimulus[3 + k] = static_cast<float>(reference.xyz[k]);
    }

    const IndexPair index = indexValues(r.index, r, standard, sample, reference, conditions, white, setup, view);
    r.indexData = {static_cast<float>(index.sample), static_cast<float>(index.standard)};
    r.indexTolerances = {setup.indexPlus, setup.indexMinus};
    r.colourDifference = static_cast<float>(DeltaE76(sample.lab, reference.lab));

    // Pass/fail: scale terms against the scale tolerances (dL*, dC*, dH* for
    // the polar scales), the index against the index tolerances.
    Triple differences{};
    if (r.scale == 2 || r.scale == 6) {
        differences = DeltaLCH(sample.lab, reference.lab);
    } else {
        const Triple standardScale = ScaleValues(r.scale, reference.xyz, white);
        for (int k = 0; k < 3; ++k) differences[k] = sampleScale[k] - standardScale[k];
    }
    int flags = 0;
    if (r.scale != 0)
        for (int k = 0; k < 3; ++k)
            if (outside(differences[k], setup.scalePlus[k], setup.scaleMinus[k])) flags |= 1;
    if (r.index != 0 && outside(index.sample - index.standard, setup.indexPlus, setup.indexMinus)) flags |= 2;
    r.flags = flags;
}

}  // namespace Measurement
