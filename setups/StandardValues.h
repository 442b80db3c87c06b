#pragma once
// The rules of the standard values editor (frmStandard). The setup keeps its
// standard as tristimulus values: the target X, Y, Z and, for a standard of
// type 3 ("HITCH"), the instrument's own reading X, Y, Z of it. The editor
// shows and takes them in the colour scale and illuminant/observer of the
// setup's first data view: the target in that scale and, for a hitch
// standard, the offsets target minus read in that scale.
//
// A first view with scale code 6 ("dLdCdH", which has no standard values of
// its own) edits its standard in L*a*b*; the view is not changed. A scale or
// illuminant/observer code the editor has no entry for is refused (nothing
// shown, nothing stored), as is a view with no scale chosen.

#include "ColorConverter.h"
#include "ProductSetup.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

enum class StandardScaleState {
    Ready,          // values can be shown and stored
    NotSelected,    // the first view has no colour scale (code 0)
    ScaleUnknown,   // a negative scale code
    IllObsUnknown,  // an illuminant/observer code outside 0..17
};

// The scale the standard is edited in, taken from the setup.
struct StandardScale {
    StandardScaleState State = StandardScaleState::NotSelected;
    int16_t ScaleCode = 0;   // the first view's, after scale codes above 5 became 1
    int16_t IllObsCode = 0;  // the first view's
    bool Hitch = false;      // standard type 3: offsets are edited too
    QString ConverterScale;  // "CIELAB", "CIELCh", "Hunter Lab", "XYZ" or "Yxy"
    QString IllObs;          // the converter's illuminant/observer: "ASTM-D65/10"
    // The three rows, two characters each of the scale's label: "L*", "a*",
    // "b*"; "L ", "a ", "b" for L a b.
    std::array<QString, 3> RowLabels;

    // What the operator is told when the state is not Ready ("Color scale
    // not selected"...); empty when it is.
    QString Warning() const;
};

StandardScale StandardScaleOf(const ProductSetup& setup);

// The values as shown: the target in the scale, and for a hitch standard the
// offsets (converted target minus converted read, term by term).
struct StandardDisplay {
    std::array<double, 3> Target{};
    std::array<double, 3> Offset{};
};

// Raises the converter's AppError when the stored values have no value in
// the scale (a Hunter Lab of a negative Y...). The scale must be Ready.
StandardDisplay ShowStandard(const ProductSetup& setup, const StandardScale& scale, const ColorConverter& converter);

// The texts of the boxes, X, Y, Z; the offsets are used for a hitch
// standard only.
struct StandardTexts {
    std::array<QString, 3> Target;
    std::array<QString, 3> Offset;
};

enum class StandardSaveResult { Stored, NotNumeric };

// Checks the boxes in use (targets, then for a hitch standard the offsets):
// any that does not read as a number of the locale refuses the save, and
// nothing is stored. Otherwise converts the targets to XYZ and, for a hitch
// standard, the reads (target minus offset, in double precision) too, then
// stores XYZTarget(1..3) and after them XYZRead(1..3). Raises AppError when a
// conversion fails, a difference overflows or a result does not fit a
// single-precision number; nothing is stored then either.
StandardSaveResult StoreStandard(ProductSetup& setup, const StandardScale& scale, const StandardTexts& texts,
                                 const ColorConverter& converter, const QLocale& locale = QLocale());
