#pragma once
// The white points behind the instrument's 18 illuminant/observer settings.
//
// Each row holds the tristimulus values X, Y, Z of the perfect reflecting
// diffuser for one CIE illuminant and one standard observer, with Y = 100.
// They are the "white point" rows printed under the 10 nm tristimulus
// weighting tables of ASTM E308-01 (Table 5, "Standard Practice for Computing
// the Colors of Objects by Using the CIE System"), for the 1931 2° observer
// and the 1964 10° observer. Those rows, not sums of rounded weights, are what
// the standard says to use as Xn, Yn, Zn in CIELAB, Hunter Lab and any other
// ratio to the white.
//
// The names are those the setup editors pass: "ASTM-" followed by the
// illuminant, a slash and the observer angle in degrees ("ASTM-D65/10"),
// listed in the order of the setup's illuminant/observer code 0..17.

#include <QString>
#include <QStringList>
#include <array>

struct IlluminantWhite {
    const char* name;  // "ASTM-D65/10"
    double X;
    double Y;  // always 100
    double Z;
};

namespace IlluminantTable {

// All 18 rows, in the order of the illuminant/observer code.
const std::array<IlluminantWhite, 18>& Rows();

// The row of an exact name ("ASTM-C/2"); nullptr for a name not in the table.
const IlluminantWhite* Find(const QString& illObs);

// The 18 names, in code order.
QStringList Names();

}  // namespace IlluminantTable
