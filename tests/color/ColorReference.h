#pragma once
// Shared by the colour converter tests: a converter, and comparisons that
// name the case on failure.

#include "ColorConverter.h"
#include "RaisedError.h"

#include <QString>
#include <array>

using Triple = std::array<double, 3>;

inline Triple Convert(const QString& from, const QString& to, const Triple& values, const QString& illObs)
{
    return ColorConverter().ConvertScale(from, to, values, illObs);
}

inline void ExpectNear(const Triple& actual, const Triple& expected, double tolerance, const QString& what)
{
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << qPrintable(what) << ", element " << i;
}

// The call must raise AppError InvalidArgument whose text contains needle.
inline void ExpectInvalidArgument(const std::function<void()>& call, const QString& needle)
{
    const AppError e = RaisedError(call);
    EXPECT_TRUE(e.number() == ErrorNumber::InvalidArgument && e.description().contains(needle))
        << e.number() << " " << qPrintable(e.description()) << " lacks " << qPrintable(needle);
}
