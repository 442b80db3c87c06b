#pragma once
// The words of the setup sub-editors: the entries of their lists and the
// names of the colour scales, indices and differences they show. A code of a
// data view is the index of its entry (DataView.ColorScale 3 is entry 3 of
// ColorScales(), "L a b").
//
// These are the editors' own words. The datalog files name some of the same
// codes differently (CodeNames.h), and the difference names of the
// tolerances editor are numbered by that editor's own list (see
// IndexDifferenceNames).

#include <QString>
#include <QStringList>

namespace SetupVocabulary {

// The view editor's lists.
// DisplayType 0..6: "ABSOLUTE" .. "COLOR PLOT".
const QStringList& DisplayTypes();
// IllumObs 0..17: "A/2" .. "F11/2", then "A/10" .. "F11/10".
const QStringList& IllObsNames();
// ColorScale 0..6: "(...)" (none chosen), "L*a*b*", "L*C*h", "L a b",
// "X Y Z", "Y x y", "dLdCdH".
const QStringList& ColorScales();
// ColorIndex 0..21: "(...)" (none chosen), "Y" .. "SCAA", then the
// differences "GSC" .. "MI" at 13..21.
const QStringList& ColorIndices();

// The setup editor's Standard list: StandardType 0..3, "PHYSICAL",
// "WORKING", "NUMERIC", "HITCH".
const QStringList& StandardTypes();

// The run configuration editors' read modes: ReadMode 0 "TIME", 1 "PIECE".
const QStringList& ReadModes();

// The standard values editor: for scale codes 0..5, the scale as its rows
// read ("" for none, "L*a*b*", "L*C*h", "L a b", "X Y Z", "Y x y") and the
// colour converter's name of it ("", "CIELAB", "CIELCh", "Hunter Lab",
// "XYZ", "Yxy").
const QStringList& StandardScaleLabels();
const QStringList& ConverterScaleNames();

// The tolerances editor: for scale codes 0..6 the three differences of the
// scale, three characters each ("" for none, "dL*da*db*", ... "dL*dC*dH*").
const QStringList& ScaleDifferenceNames();
// For index codes 0..26 the difference of the index: "" for none, "dY" ..
// "dSCAA" for the indices 1..12, "" for 13..19, and "GSC", "GSS", "dE*",
// "dEc", "dE", "dC*", "dC" for 20..26. This is the tolerances editor's own
// numbering of the differences, kept as the instrument's editor has it; the
// name is only shown, never stored.
const QStringList& IndexDifferenceNames();

// Characters [part * width, part * width + width) of the text, as many as
// there are: the row labels are slices of a scale's name.
QString Slice(const QString& text, int part, int width);

// What a list shows for a stored code it has no entry for: "(unknown: 9)".
QString UnknownEntry(int code);

// The entry of a code, or UnknownEntry for a code the list has no entry for.
QString EntryOf(const QStringList& list, int code);

}  // namespace SetupVocabulary
