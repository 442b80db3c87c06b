#include "frmRunConfig2.h"

#include "CWNumEdit.h"
#include "RunConfigValues.h"

namespace {
enum Row { BaseRow, MinHeightRow, MaxHeightRow };
}  // namespace

frmRunConfig2::frmRunConfig2(QWidget* parent)
    : RunConfigDialog("frmRunConfig2",
                      {{QStringLiteral("Base"), QStringLiteral("Distance to Base")},
                       {QStringLiteral("MinHeight"), QStringLiteral("Min Height")},
                       {QStringLiteral("MaxHeight"), QStringLiteral("Max Height")}},
                      parent)
{
}

void frmRunConfig2::LoadRanges(const ProductSetup& setup)
{
    const RunConfigHeights heights = HeightsOf(setup);
    RangeEdit(BaseRow)->SetValue(setup.BaseDistance);
    RangeEdit(MinHeightRow)->SetValue(heights.MinHeight);
    RangeEdit(MaxHeightRow)->SetValue(heights.MaxHeight);
}

void frmRunConfig2::Store(ProductSetup& setup, const CommonEntry& common)
{
    HeightEntry entry;
    entry.ReadMode = common.ReadMode;
    entry.ReportInterval = common.ReportInterval;
    entry.BaseDistance = RangeEdit(BaseRow)->Value();
    entry.MinHeight = RangeEdit(MinHeightRow)->Value();
    entry.MaxHeight = RangeEdit(MaxHeightRow)->Value();
    entry.HeightTrigger = common.HeightTrigger;
    StoreHeights(setup, entry);
}
