#pragma once
// The rules of the tolerances editor (frmTolerances): an upper and a lower
// tolerance for each of the three difference terms of the first data view's
// colour scale, and an upper and a lower tolerance of its colour index's
// difference. They are stored as typed (single precision), with no
// conversion between scales.
//
// A group of boxes is in use when its code names an entry: a scale code
// 1..6, an index code 1..21. Code 0 means none chosen; a code beyond the
// lists (or negative) is one this editor does not know: its boxes are not
// shown, validated or stored either, its labels keep ":", and the operator is
// told the code is not recognised.

#include "ProductSetup.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>

struct ToleranceLayout {
    int16_t ScaleCode = 0;  // ColorScale of the first view
    int16_t IndexCode = 0;  // ColorIndex of the first view
    bool ScaleInUse = false;
    bool IndexInUse = false;
    bool ScaleUnknown = false;
    bool IndexUnknown = false;
    // The three difference terms, three characters each ("dL*", "da*",
    // "db*"); set when the scale is in use.
    std::array<QString, 3> ScaleRowLabels;
    // The index's difference ("dTint"); set when the index is in use (some
    // codes have an empty name).
    QString IndexLabel;

    // With no box in use there is nothing to save.
    bool CanSave() const { return ScaleInUse || IndexInUse; }
    // "Color scale not recognised" and/or "Color index not recognised", for
    // codes beyond the lists; empty otherwise.
    QString Notice() const;
};

ToleranceLayout ToleranceLayoutOf(const ProductSetup& setup);

struct ToleranceTexts {
    std::array<QString, 3> ScaleUpper;  // X, Y, Z rows
    std::array<QString, 3> ScaleLower;
    QString IndexUpper;
    QString IndexLower;
};

// The warning of a refused save.
QString ToleranceWarning();

// Validates the boxes in use: each must read as a number of the locale (the
// scale's six first, upper X, Y, Z then lower X, Y, Z; then the index's
// upper and lower), and then not be below 0 as a single-precision number.
// Returns false, storing nothing, at the first failure. Otherwise stores
// ScalePlus(1..3), ScaleMinus(1..3) (scale in use), then IndexPlus and
// IndexMinus (index in use) and returns true. A number beyond the
// single-precision range raises an overflow error (AppError 6) before
// anything is stored.
bool StoreTolerances(ProductSetup& setup, const ToleranceLayout& layout, const ToleranceTexts& texts,
                     const QLocale& locale = QLocale());
