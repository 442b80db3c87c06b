#pragma once
// What the simulated instrument computes for one reading: the colour values of
// the sample and of the product's standard in the view's colour scale, the
// colour index or difference, the pass/fail flags and the total colour
// difference. docs/protocol.md lists the formulas of every scale and index.

#include "Colorimetry.h"
#include "SimDatalog.h"
#include "SimSetup.h"

namespace Measurement {

// The datalog numbers colour differences from 21 where the setup's views
// number them from 13 (dE* is 15 in a view and 23 in the datalog).
int DatalogIndexCode(int viewColourIndex);

// The colour values of one scale for tristimulus values xyz (code 1 CIELAB,
// 2 CIELCh, 3 Hunter Lab, 4 XYZ, 5 Yxy, 6 CIELCh as the base of dLdCdH).
// Code 0 gives zeros; a code the instrument does not know gives CIELAB.
Colorimetry::Triple ScaleValues(int scaleCode, const Colorimetry::Triple& xyz, const Colorimetry::Triple& white);

// Fills the colour fields of a record from its spectrum and codes (illObs,
// scale, index): scaleData, tristimulus, indexData, indexTolerances,
// colourDifference and flags. The standard is the setup's spectrum; the
// setup and view give the tolerances, the QBVT slope and offset, the CMC
// factors and the shade blocks.
void Evaluate(SimDatalogRecord& record, const SimSetup& setup, const SimView& view);

}  // namespace Measurement
