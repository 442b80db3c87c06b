#pragma once
// The run configuration editor of an instrument that works with heights
// above a base: read mode, report interval, distance from the sensor to the
// base, minimum and maximum height of the product above the base, height
// trigger (RunConfigDialog.h). The setup keeps distances (RunConfigValues.h):
// the heights shown are BaseDistance - MaxDistance and BaseDistance -
// MinDistance, and Save stores ReadMode, ReportInterval, BaseDistance,
// MinDistance = base - maximum height, MaxDistance = base - minimum height,
// HeightTrigger, in that order, each difference taken on the edits' values
// and then rounded (halves to even). Cancel stores nothing.
//
// A stored setup whose heights do not fit in 16 bits cannot be shown: Form_Load
// raises the overflow error (AppError 6) and the dialog does not open.

#include "RunConfigDialog.h"

class frmRunConfig2 : public RunConfigDialog {
    Q_OBJECT
public:
    explicit frmRunConfig2(QWidget* parent = nullptr);

protected:
    void LoadRanges(const ProductSetup& setup) override;
    void Store(ProductSetup& setup, const CommonEntry& common) override;
};
