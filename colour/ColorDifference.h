#pragma once
// Colour differences between a standard and a sample, both in CIELAB: the
// four the command line's colour calculator reports.
//
//   dEab    CIE 1976, the distance in L*a*b*
//   dE94    CIE 1994 with the graphic-arts weights (kL = kC = kH = 1,
//           K1 = 0.045, K2 = 0.015); SC and SH from the standard's chroma
//   dE2000  CIEDE2000 with kL = kC = kH = 1
//   dEcmc   CMC l:c with l = 2, c = 1 (acceptability); SL, SC, SH from the
//           standard
//
// dEab, dE2000 and dEcmc are Little CMS's own functions. Its CIE 1994
// function weighs with 0.048 and 0.014 of the geometric mean chroma (the
// textile constants, without the textile kL = 2), so dE94 is worked out here
// from Little CMS's L*C*h, with the graphic-arts constants.

#include <array>

struct ColorDifferences {
    double DeltaEab = 0.0;
    double DeltaE94 = 0.0;
    double DeltaE2000 = 0.0;
    double DeltaEcmc = 0.0;
};

// standard and sample are L*, a*, b*. CIE 1994 and CMC are not symmetric:
// the standard is the reference.
ColorDifferences DifferencesOf(const std::array<double, 3>& standard, const std::array<double, 3>& sample);
