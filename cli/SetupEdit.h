#pragma once
// Scripted edits of one product setup: "FIELD=VALUE" arguments checked as the
// setup editor and its sub-editors check what the operator enters, then
// applied to a loaded setup. A value the editors would refuse raises
// UsageError and changes nothing.
//
// Fields (names in any letter case):
//   name=TEXT            capitals, digits and spaces, at most 15 (small
//                        letters become capitals, as typed into the editor)
//   standard=ENTRY       PHYSICAL, WORKING, NUMERIC or HITCH
//   autosearch=yes|no
//   readmode=TIME|PIECE
//   interval=SECONDS     0 to 60
//   mindistance=, maxdistance=            the distance editor's range
//   base=, minheight=, maxheight=         the height editor's range
//                        in the instrument's units: 0 to 6 in. or 0 to 150
//                        mm; only the fields of the editor the instrument
//                        names for its run configuration are accepted
//   trigger=yes|no       the height trigger
//   scaleplus1..3=, scaleminus1..3=, indexplus=, indexminus=
//                        tolerances, numbers not below 0; the scale ones only
//                        when view 1 has a colour scale, the index ones only
//                        when it has a colour index (as the tolerances editor
//                        shows them)
//   target1..3=, offset1..3=, read1..3=
//                        the standard values in view 1's colour scale and
//                        illuminant/observer, as the standard values editor
//                        shows them (L*, a*, b* for L*a*b*...): the target,
//                        and for a HITCH standard the offset (target minus
//                        the instrument's reading) or the reading itself;
//                        the values not given stay as they are
//   viewN.enabled=yes|no (N = 1..8; view 1 is always enabled)
//   viewN.display=, viewN.illobs=, viewN.scale=, viewN.index=
//                        an entry of the view editor's list, or its code
//
// Entries of the lists may be given without regard to letter case or blanks
// ("lab" for "L a b"), or as their codes. Numbers are written with a point
// or in the operator's regional form. Distances are rounded to whole numbers
// (halves to even), as the run configuration editors store them.

#include "ProductSetup.h"
#include "RunConfigQuery.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class SetupEdit {
public:
    // Reads the assignments; an unknown field, a malformed assignment or a
    // value out of its fixed range raises UsageError.
    explicit SetupEdit(const QStringList& assignments);
    ~SetupEdit();
    SetupEdit(SetupEdit&&) noexcept;

    // Whether the instrument's units and run configuration variant are
    // needed (a distance or height is set).
    bool NeedsRunConfiguration() const;

    // The setup with the edits applied, in the order given; the checks that
    // depend on the setup or on the instrument are made here. Raises
    // UsageError for a refused value; the given setup is never changed.
    ProductSetup ApplyTo(const ProductSetup& setup, const std::optional<RunConfigChoice>& runConfig) const;

    struct Change;

private:
    std::vector<Change> changes_;
};

// The setup number of a command line argument: a whole number from 1 to 250,
// else UsageError.
int SetupNumberArgument(const QString& text);
