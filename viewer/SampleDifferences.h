#pragma once
// A sample against its standard in the terms of its record's colour scale.
// A record holds two runs of three scale values: the sample's, then the
// standard's (for dLCH the second run already holds the differences dL*,
// dC*, dH*). The differences are sample minus standard.
//
// The Lab-like scales are drawn as the a/b plane with the lightness
// difference beside it: CIE Lab, Hunter Lab, and CIE LCh, whose runs are
// turned into L*a*b* first. The others keep their own terms: the second and
// third term span the plane, the first stands beside it (Yxy: dx/dy with dY).
// CIEDE2000 is given for the CIELAB scales (CIE Lab and CIE LCh), by the
// colour engine (ColorDifference.h).

#include "DatalogRecord.h"

#include <QString>
#include <array>
#include <optional>

struct ScaleTerms {
    bool known = false;   // a scale with colour values ("(...)" has none)
    QString beside;       // "L*"
    QString planeX;       // "a*"
    QString planeY;       // "b*"
};

ScaleTerms TermsOfScale(const QString& scaleName);

// The differences (beside, planeX, planeY); nullopt for a record without a
// colour scale.
std::optional<std::array<double, 3>> ScaleDifferences(const DatalogRecord& record);

std::optional<double> DeltaE2000(const DatalogRecord& record);

