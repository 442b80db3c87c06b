#pragma once
// The fields in which two product setups differ, named as the setup editors
// name them and valued as they show them (see SetupComparison.h), in the
// editors' order: the setup editor (name, standard, autosearch), the
// standard values, the tolerances, the run configuration, the eight views,
// then the values the utility carries unchanged (slope, offset, spectrum,
// tracking, each view's shade blocks, CF and lc).

#include "ProductSetup.h"

#include <QLocale>
#include <QString>
#include <vector>

struct FieldDifference {
    QString Field;
    QString FirstValue;
    QString SecondValue;
};

std::vector<FieldDifference> FieldDifferences(const ProductSetup& first, const ProductSetup& second,
                                              const QLocale& locale = QLocale());
