#pragma once
// The words of the setup sub-editors: the entries of their lists and the
// names of the colour scales, indices and differences they show. A code of a
// data view is the index of its entry (DataView.ColorScale 3 is entry 3 of
// ColorScales(), "L a b").
//
// These are the editors' own words. The datalog files name some of the same
// codes differently (CodeNames.h) and number the colour differences 8 higher
// (a view's dE*, 15, is the datalog's 23).

#include <QString>
#include <QStringList>

namespace SetupVocabulary {

// The setup editor's Standard list: StandardType 0..3, "PHYSICAL",
// "WORKING", "NUMERIC", "HITCH".
const QStringList& StandardTypes();

// The view editor's lists.
// DisplayType 0..6: "ABSOLUTE" .. "COLOR PLOT".
const QStringList& DisplayTypes();
// IllumObs 0..17: "A/2" .. "F11/2", then "A/10" .. "F11/10".
const QStringList& IllObsNames();
// ColorScale 0..6: "(...)" (none chosen), "L*a*b*", "L*C*h", "L a b",
// "X Y Z", "Y x y", "dLdCdH".
const QStringList& ColorScales();
// ColorIndex 0..21: "(...)" (none chosen), "Y" .. "SCAA", then the
// differences "GSC" .. "MI" at 13..21. This one coding of a view's colour
// index holds for every window and command that shows or edits it, and for
// the simulated instrument (docs/protocol.md).
const QStringList& ColorIndices();

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
// For index codes 0..21, as ColorIndices() numbers them, the difference the
// tolerances editor names: "" for none, "dY" .. "dSCAA" for the indices
// 1..12, and the differences 13..21 by their own names ("GSC" .. "MI").
const QStringList& IndexDifferenceNames();

// Characters [part * width, part * width + width) of the text, as many as
// there are: the row labels are slices of a scale's name.
QString Slice(const QString& text, int part, int width);

// What a list shows for a stored code it has no entry for: "(unknown: 9)".
QString UnknownEntry(int code);

// The entry of a code, or UnknownEntry for a code the list has no entry for.
QString EntryOf(const QStringList& list, int code);

}  // namespace SetupVocabulary
