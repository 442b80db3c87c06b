#pragma once
// Expected values for the colour converter tests, worked out here from the
// textbook formulas with the white points written out, independently of the
// converter and of Little CMS.

#include "AppError.h"

#include <QString>
#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

namespace ref {

using Triple = std::array<double, 3>;

// White points, ASTM E308-01 Table 5 (10 nm tables), Y = 100.
inline constexpr Triple kD65_10{94.811, 100.0, 107.304};
inline constexpr Triple kD65_2{95.047, 100.0, 108.883};
inline constexpr Triple kC_2{98.074, 100.0, 118.232};
inline constexpr Triple kA_2{109.850, 100.0, 35.585};

inline constexpr double kPi = 3.14159265358979323846;

// CIELAB as defined in CIE 15:2004 (Colorimetry, 3rd ed.): f(t) = t^(1/3)
// above (6/29)^3, else t/(3 (6/29)^2) + 4/29.
inline double LabF(double t)
{
    constexpr double d = 6.0 / 29.0;
    return t > d * d * d ? std::cbrt(t) : t / (3.0 * d * d) + 4.0 / 29.0;
}

inline Triple Lab(const Triple& xyz, const Triple& w)
{
    const double fx = LabF(xyz[0] / w[0]);
    const double fy = LabF(xyz[1] / w[1]);
    const double fz = LabF(xyz[2] / w[2]);
    return {116.0 * fy - 16.0, 500.0 * (fx - fy), 200.0 * (fy - fz)};
}

inline Triple Lch(const Triple& lab)
{
    double h = std::atan2(lab[2], lab[1]) * 180.0 / kPi;
    if (h < 0.0) h += 360.0;
    return {lab[0], std::hypot(lab[1], lab[2]), h};
}

// Hunter Lab with Ka = 175 sqrt(Xn/98.043), Kb = 70 sqrt(Zn/118.115).
inline Triple Hunter(const Triple& xyz, const Triple& w)
{
    const double ka = 175.0 * std::sqrt(w[0] / 98.043);
    const double kb = 70.0 * std::sqrt(w[2] / 118.115);
    const double yr = xyz[1] / w[1];
    const double s = std::sqrt(yr);
    return {100.0 * s, ka * (xyz[0] / w[0] - yr) / s, kb * (yr - xyz[2] / w[2]) / s};
}

inline Triple Yxy(const Triple& xyz)
{
    const double sum = xyz[0] + xyz[1] + xyz[2];
    return {xyz[1], xyz[0] / sum, xyz[1] / sum};
}

}  // namespace ref

// Compares all three elements, naming the case on failure.
inline void ExpectNear(const std::array<double, 3>& actual, const std::array<double, 3>& expected,
                       double tolerance, const QString& what)
{
    for (int i = 0; i < 3; ++i) {
        EXPECT_NEAR(actual[i], expected[i], tolerance) << qPrintable(what) << ", element " << i;
    }
}

// The call must raise AppError InvalidArgument whose text contains needle.
inline void ExpectInvalidArgument(const std::function<void()>& call, const QString& needle)
{
    try {
        call();
        ADD_FAILURE() << "no error raised; expected one mentioning " << qPrintable(needle);
    } catch (const AppError& e) {
        EXPECT_EQ(e.number(), ErrorNumber::InvalidArgument) << qPrintable(e.description());
        EXPECT_TRUE(e.description().contains(needle))
            << "\"" << qPrintable(e.description()) << "\" does not mention " << qPrintable(needle);
    }
}
