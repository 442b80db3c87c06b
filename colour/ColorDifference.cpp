#include "ColorDifference.h"

#include <lcms2.h>

#include <algorithm>
#include <cmath>

namespace {

cmsCIELab Lab(const std::array<double, 3>& v) { return cmsCIELab{v[0], v[1], v[2]}; }

// CIE 1994, graphic arts: the hue difference is what is left of dEab once
// the lightness and chroma differences are taken out.
double DeltaE94GraphicArts(const cmsCIELab& standard, const cmsCIELab& sample)
{
    constexpr double K1 = 0.045, K2 = 0.015;
    cmsCIELCh lch1, lch2;
    cmsLab2LCh(&lch1, &standard);
    cmsLab2LCh(&lch2, &sample);
    const double dL = standard.L - sample.L;
    const double dC = lch1.C - lch2.C;
    const double dE = cmsDeltaE(&standard, &sample);
    // Rounding can leave a hair below zero for a pure lightness or chroma step.
    const double dH2 = std::max(0.0, dE * dE - dL * dL - dC * dC);
    const double sc = 1.0 + K1 * lch1.C;
    const double sh = 1.0 + K2 * lch1.C;
    return std::sqrt(dL * dL + (dC / sc) * (dC / sc) + dH2 / (sh * sh));
}

}  // namespace

ColorDifferences DifferencesOf(const std::array<double, 3>& standard, const std::array<double, 3>& sample)
{
    const cmsCIELab a = Lab(standard), b = Lab(sample);
    ColorDifferences d;
    d.DeltaEab = cmsDeltaE(&a, &b);
    d.DeltaE94 = DeltaE94GraphicArts(a, b);
    d.DeltaE2000 = cmsCIE2000DeltaE(&a, &b, 1.0, 1.0, 1.0);
    d.DeltaEcmc = cmsCMCdeltaE(&a, &b, 2.0, 1.0);
    return d;
}
