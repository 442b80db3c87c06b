#include "RunConfigValues.h"

#include "AppError.h"
#include "Rounding.h"

namespace {

int16_t Difference16(int16_t a, int16_t b, const char* what)
{
    const int difference = int{a} - int{b};
    if (difference < -32768 || difference > 32767)
        throw AppError::overflow(
            QStringLiteral("%1 (%2 - %3) does not fit in 16 bits").arg(QLatin1String(what)).arg(a).arg(b));
    return static_cast<int16_t>(difference);
}

}  // namespace

EditLimits RangeEditLimits(bool customaryUnits)
{
    constexpr EditLimits Design{0.0, 6.0, 0.1, 1};
    constexpr double MillimetresPerDesignUnit = 25.0;
    if (customaryUnits) return Design;
    return {Design.Lower * MillimetresPerDesignUnit, Design.Upper * MillimetresPerDesignUnit, 5.0, 0};
}

RunConfigHeights HeightsOf(const ProductSetup& setup)
{
    RunConfigHeights heights;
    heights.MinHeight = Difference16(setup.BaseDistance, setup.MaxDistance, "the minimum height");
    heights.MaxHeight = Difference16(setup.BaseDistance, setup.MinDistance, "the maximum height");
    return heights;
}

void StoreDistances(ProductSetup& setup, const DistanceEntry& entry)
{
    const int16_t interval = RoundToInt16(entry.ReportInterval, "the report interval");
    const int16_t minDistance = RoundToInt16(entry.MinDistance, "the minimum distance");
    const int16_t maxDistance = RoundToInt16(entry.MaxDistance, "the maximum distance");

    setup.ReadMode = entry.ReadMode;
    setup.ReportInterval = interval;
    setup.MinDistance = minDistance;
    setup.MaxDistance = maxDistance;
    setup.HeightTrigger = entry.HeightTrigger;
}

void StoreHeights(ProductSetup& setup, const HeightEntry& entry)
{
    const int16_t interval = RoundToInt16(entry.ReportInterval, "the report interval");
    const int16_t base = RoundToInt16(entry.BaseDistance, "the distance to the base");
    const int16_t minDistance = RoundToInt16(entry.BaseDistance - entry.MaxHeight, "the minimum distance");
    const int16_t maxDistance = RoundToInt16(entry.BaseDistance - entry.MinHeight, "the maximum distance");

    setup.ReadMode = entry.ReadMode;
    setup.ReportInterval = interval;
    setup.BaseDistance = base;
    setup.MinDistance = minDistance;
    setup.MaxDistance = maxDistance;
    setup.HeightTrigger = entry.HeightTrigger;
}
