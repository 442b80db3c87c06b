#pragma once
// A product setup as readable text, one "field: value" line each, every
// field of the setup: the fields that `tr8kz setup set` can change under the
// names it takes, then the values the utility carries unchanged (slope,
// offset, spectrum, the standard's target and reading, tracking, and each
// view's shade blocks, CF and lc). List codes are shown as the editors'
// entries; floating-point values in their shortest exact form with a point.

#include "ProductSetup.h"
#include "RunConfigQuery.h"
#include "SetupNumberText.h"  // ShortestFloatText

#include <QString>
#include <optional>

// runConfig, when given, adds the instrument's units and run configuration
// variant.
QString DescribeSetup(const ProductSetup& setup, int setupNumber, const std::optional<RunConfigChoice>& runConfig);

