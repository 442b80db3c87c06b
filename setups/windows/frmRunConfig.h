#pragma once
// The run configuration editor of an instrument that works with distances
// from the sensor: read mode, report interval, minimum and maximum distance,
// height trigger (RunConfigDialog.h). Save stores ReadMode, ReportInterval,
// MinDistance, MaxDistance and HeightTrigger, in that order, the numbers
// rounded to whole numbers (halves to even: 2.5 is stored as 2, 3.5 as 4);
// Cancel stores nothing.

#include "RunConfigDialog.h"

class frmRunConfig : public RunConfigDialog {
    Q_OBJECT
public:
    explicit frmRunConfig(QWidget* parent = nullptr);

protected:
    void LoadRanges(const ProductSetup& setup) override;
    void Store(ProductSetup& setup, const CommonEntry& common) override;
};
