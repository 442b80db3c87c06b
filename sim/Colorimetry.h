#pragma once
// How the simulated instrument turns a reflectance spectrum into colour values.
//
// Spectra are 31 points from 400 to 700 nm every 10 nm, in % reflectance.
// Tristimulus values are weighted sums over those 31 points:
//   X = k * sum S(l) R(l)/100 xbar(l),  k = 100 / sum S(l) ybar(l)
// so a perfect white diffuser gives Y = 100 and the white point of the
// illuminant/observer. The colour-matching functions are the analytic fits of
// Wyman, Sloan and Shirley (2013): the multi-lobe piecewise Gaussian fit of the
// CIE 1931 2 degree observer and their single-lobe fit of the CIE 1964 10
// degree observer. Illuminant A is the CIE definition (Planck, 2848 K with
// c2 = 1.435e7 nm K), D65 the CIE table at 10 nm; the other illuminants of the
// instrument's list are approximated by a black body of their correlated colour
// temperature (C 6774 K, D50 5003 K, D55 5503 K, D75 7504 K, F2 4230 K,
// F7 6500 K, F11 4000 K). Every colour value derived here (CIELAB, Hunter Lab,
// the indices) uses the white point computed in the same way, so a perfect
// white is L* 100, a* 0, b* 0 exactly under every illuminant.

#include <array>

namespace Colorimetry {

inline constexpr int SpectrumPoints = 31;
inline constexpr double FirstWavelength = 400.0;
inline constexpr double WavelengthStep = 10.0;
inline double Wavelength(int point) { return FirstWavelength + WavelengthStep * point; }

using Spectrum = std::array<float, SpectrumPoints>;
using Triple = std::array<double, 3>;

enum class Illuminant { A, C, D50, D55, D65, D75, F2, F7, F11 };
enum class Observer { TwoDegree, TenDegree };

struct Conditions {
    Illuminant illuminant = Illuminant::D65;
    Observer observer = Observer::TenDegree;
};

// The instrument's illuminant/observer codes: 0..8 are A, C, D50, D55, D65,
// D75, F2, F7, F11 with the 2 degree observer, 9..17 the same with 10 degrees.
// A code outside 0..17 is weighted as D65/10, the instrument's default.
Conditions ConditionsOfCode(int illObsCode);
bool IsKnownIllObsCode(int illObsCode);

// xbar, ybar, zbar of the observer at a wavelength in nm.
Triple ColourMatching(double wavelength, Observer observer);
// Relative spectral power of the illuminant (100 at 560 nm, D65 100 at 560 nm).
double IlluminantPower(Illuminant illuminant, double wavelength);

Triple WhitePoint(const Conditions& conditions);
Triple Tristimulus(const Spectrum& reflectance, const Conditions& conditions);

Triple XYZToLab(const Triple& xyz, const Triple& white);
Triple LabToLCh(const Triple& lab);  // L*, C*, h in degrees 0..360
Triple XYZToHunterLab(const Triple& xyz, const Triple& white);
Triple XYZToYxy(const Triple& xyz);  // Y, x, y

// CIE 1976 colour difference.
double DeltaE76(const Triple& sampleLab, const Triple& standardLab);
// CMC(l:c) colour difference, the standard being the reference.
double DeltaECMC(const Triple& sampleLab, const Triple& standardLab, double l, double c);
// dL*, dC*, dH* (dH* signed by the hue angle difference).
Triple DeltaLCH(const Triple& sampleLab, const Triple& standardLab);

}  // namespace Colorimetry
