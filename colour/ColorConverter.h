#pragma once
// Converts three colour values between the colour scales the instrument shows
// its standards in, for one of its 18 illuminant/observer settings.
//
// Scales, and the order of their three terms:
//   "XYZ"        X, Y, Z      CIE tristimulus values, Y of the perfect white = 100
//   "CIELAB"     L*, a*, b*   CIE 1976 L*a*b*
//   "CIELCh"     L*, C*, h    the same in polar form, h in degrees, 0 <= h < 360
//   "Hunter Lab" L, a, b      Hunter's 1966 opponent scale
//   "Yxy"        Y, x, y      Y with the CIE 1931/1964 chromaticity x, y
// Illuminant/observer names are "ASTM-" followed by one of "A/2" .. "F11/10"
// (IlluminantTable.h); the white point of that row is the reference white of
// every scale that needs one.
//
// Black (X = Y = Z = 0) is black in every scale: CIELAB and CIELCh 0, 0, 0,
// Hunter Lab 0, 0, 0, Yxy 0 with the white's chromaticity; and each of those
// converts back to X = Y = Z = 0.
//
// Every failure raises AppError number ErrorNumber::InvalidArgument with a
// text naming the bad argument: an unknown scale or illuminant/observer name,
// a value that is not a finite number (or a text that does not read as one),
// a colour the target scale cannot express (a Yxy colour with y = 0 and
// Y != 0; Hunter Lab of a negative Y), or a result that is not finite.

#include <QLocale>
#include <QString>
#include <QStringList>
#include <array>

class ColorConverter {
public:
    // The three values expressed in toScale. The same scale on both sides
    // gives the values back unchanged (the names and values are still checked).
    std::array<double, 3> ConvertScale(const QString& fromScale, const QString& toScale,
                                       const std::array<double, 3>& values,
                                       const QString& illObs) const;

    // The same, from texts as the operator typed them: each is read as a
    // number of the given locale (its decimal symbol and digit grouping;
    // surrounding blanks and a sign allowed). An empty text is not a number.
    std::array<double, 3> ConvertScale(const QString& fromScale, const QString& toScale,
                                       const std::array<QString, 3>& texts, const QString& illObs,
                                       const QLocale& locale = QLocale::system()) const;

    // "XYZ", "CIELAB", "CIELCh", "Hunter Lab", "Yxy".
    static QStringList ScaleNames();

    // The 18 illuminant/observer names, "ASTM-A/2" .. "ASTM-F11/10", in the
    // order of the setup's illuminant/observer code.
    static QStringList IllObsNames();
};
