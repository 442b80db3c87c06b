#include "frmRunConfig.h"

#include "CWNumEdit.h"
#include "RunConfigValues.h"

namespace {
enum Row { MinDistanceRow, MaxDistanceRow };
}  // namespace

frmRunConfig::frmRunConfig(QWidget* parent)
    : RunConfigDialog("frmRunConfig",
                      {{QStringLiteral("MinDistance"), QStringLiteral("Min Distance")},
                       {QStringLiteral("MaxDistance"), QStringLiteral("Max Distance")}},
                      parent)
{
}

void frmRunConfig::LoadRanges(const ProductSetup& setup)
{
    RangeEdit(MinDistanceRow)->SetValue(setup.MinDistance);
    RangeEdit(MaxDistanceRow)->SetValue(setup.MaxDistance);
}

void frmRunConfig::Store(ProductSetup& setup, const CommonEntry& common)
{
    DistanceEntry entry;
    entry.ReadMode = common.ReadMode;
    entry.ReportInterval = common.ReportInterval;
    entry.MinDistance = RangeEdit(MinDistanceRow)->Value();
    entry.MaxDistance = RangeEdit(MaxDistanceRow)->Value();
    entry.HeightTrigger = common.HeightTrigger;
    StoreDistances(setup, entry);
}
