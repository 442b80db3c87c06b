#pragma once
// The rules of the run configuration editors. The setup keeps the working
// range as two distances from the sensor (MinDistance, MaxDistance) and the
// distance to the base below it (BaseDistance), all whole numbers in the
// instrument's unit. The distance editor (frmRunConfig) shows the two
// distances; the height editor (frmRunConfig2) shows the range as heights of
// the product above the base: the lowest product reaches up to the longest
// distance, so
//     minimum height = BaseDistance - MaxDistance
//     maximum height = BaseDistance - MinDistance.
// The edits hold decimals (customary units); what is stored is rounded to
// the nearest whole number, a half to the even neighbour (2.5 to 2, 3.5 to
// 4). Nothing here converts between inches and millimetres.

#include "ProductSetup.h"

#include <cstdint>

// The limits of the editors' number edits. A range edit (a distance or a
// height) is designed in customary units: 0 to 6 in steps of 0.1, shown to
// one decimal. In millimetres the limits are 25 times those and the step 5,
// in whole numbers. The value shown is never converted between the units.
// The report interval is whole seconds, 0 to 60 in steps of 5, in either
// unit. Typed values outside the limits are not taken; a stored value outside
// them is shown as it is.
struct EditLimits {
    double Lower = 0.0;
    double Upper = 0.0;
    double Step = 0.0;
    int Decimals = 0;

    bool Holds(double value) const { return value >= Lower && value <= Upper; }
};
EditLimits RangeEditLimits(bool customaryUnits);
inline constexpr EditLimits IntervalEditLimits{0.0, 60.0, 5.0, 0};

struct RunConfigHeights {
    int16_t MinHeight = 0;
    int16_t MaxHeight = 0;
};

// The heights of the stored setup, in 16-bit arithmetic: a difference outside
// -32768..32767 is an overflow error (AppError 6).
RunConfigHeights HeightsOf(const ProductSetup& setup);

// What the distance editor stores, as its controls hold it.
struct DistanceEntry {
    int16_t ReadMode = 0;
    double ReportInterval = 0.0;
    double MinDistance = 0.0;
    double MaxDistance = 0.0;
    bool HeightTrigger = false;
};

// Stores ReadMode, ReportInterval, MinDistance, MaxDistance, HeightTrigger,
// in that order, each number rounded to 16 bits. A value that does not fit
// raises an overflow error (AppError 6) before anything is stored.
void StoreDistances(ProductSetup& setup, const DistanceEntry& entry);

// What the height editor stores, as its controls hold it.
struct HeightEntry {
    int16_t ReadMode = 0;
    double ReportInterval = 0.0;
    double BaseDistance = 0.0;
    double MinHeight = 0.0;
    double MaxHeight = 0.0;
    bool HeightTrigger = false;
};

// Stores ReadMode, ReportInterval, BaseDistance, MinDistance = base - maximum
// height, MaxDistance = base - minimum height, HeightTrigger, in that order.
// The differences are taken on the entry's values and rounded after. A value
// that does not fit raises an overflow error before anything is stored.
void StoreHeights(ProductSetup& setup, const HeightEntry& entry);
