#pragma once
// One product setup of the instrument in memory: a name, the kind of
// standard, the run configuration, the standard values, the tolerances, a
// block of spectral and tracking values that the utility carries unchanged,
// and eight data views that say how a measurement is shown.
//
// A plain data holder: no validation, no unit conversion, no arithmetic. The
// record encoding (SetupRecord.h) fills it from the instrument and turns it
// back into a write command; the editor window and its sub-editors change it
// in place.
//
// The name is kept as the instrument's 8-bit text (Latin-1 bytes), exactly as
// the instrument sent it, so that a setup read and written back keeps every
// byte of its name; windows show it with QString::fromLatin1.
//
// Indexed properties count from 1, as the operator does. An index outside the
// bounds raises AppError 9 (subscript out of range) and nothing is read or
// written. Indexes are taken as int so that no out-of-range value can wrap
// into range on the way in.

#include <QByteArray>
#include <array>
#include <cstdint>

class DataView {
public:
    bool Enabled = false;       // shown on the instrument; view 1 always is
    int16_t DisplayType = 0;    // 0..6
    int16_t IllumObs = 0;       // illuminant/observer, 0..17
    int16_t ColorScale = 0;     // 0 = none chosen, 1..6
    int16_t ColorIndex = 0;     // 0 = none chosen, 1..21
    int16_t ShadeBlocks = 0;    // carried unchanged
    float CF = 0.0f;            // carried unchanged
    float lc = 0.0f;            // carried unchanged

    bool operator==(const DataView&) const = default;
};

class ProductSetup {
public:
    static constexpr int ViewCount = 8;
    static constexpr int SpectrumPoints = 31;
    static constexpr int TriplePoints = 3;

    QByteArray Name;              // at most 15 capitals, digits and spaces when typed
    int16_t StandardType = 0;     // 0 PHYSICAL, 1 WORKING, 2 NUMERIC, 3 HITCH
    bool Searchable = false;      // "Autosearch:"
    int16_t ReadMode = 0;         // 0 TIME, 1 PIECE
    int16_t ReportInterval = 0;   // whole seconds
    int16_t BaseDistance = 0;     // in the instrument's unit (in. or mm)
    int16_t MinDistance = 0;
    int16_t MaxDistance = 0;
    bool HeightTrigger = false;
    float QBVTSlope = 0.0f;       // carried unchanged
    float QBVTOffset = 0.0f;      // carried unchanged
    float IndexPlus = 0.0f;       // upper tolerance of the colour index
    float IndexMinus = 0.0f;      // lower tolerance of the colour index

    // Data view iIndex, 1..8: the same object on every call, owned by this
    // setup for its whole life; changing it changes the setup.
    DataView& Views(int iIndex);
    const DataView& Views(int iIndex) const;

    // 31 spectrum points, carried unchanged.
    float Spectrum(int iPoint) const;
    void SetSpectrum(int iPoint, float aValue);
    // Target tristimulus values X, Y, Z of the standard.
    float XYZTarget(int iPoint) const;
    void SetXYZTarget(int iPoint, float aValue);
    // The instrument's reading of the standard, X, Y, Z.
    float XYZRead(int iPoint) const;
    void SetXYZRead(int iPoint, float aValue);
    // Tracking values, carried unchanged.
    float TrackPlus(int iPoint) const;
    void SetTrackPlus(int iPoint, float aValue);
    float TrackMinus(int iPoint) const;
    void SetTrackMinus(int iPoint, float aValue);
    // Upper and lower tolerances of the three colour-scale terms.
    float ScalePlus(int iPoint) const;
    void SetScalePlus(int iPoint, float aValue);
    float ScaleMinus(int iPoint) const;
    void SetScaleMinus(int iPoint, float aValue);

    // Every field, every array element and every view equal.
    bool operator==(const ProductSetup&) const = default;

private:
    using Triple = std::array<float, TriplePoints>;

    std::array<DataView, ViewCount> views_{};
    std::array<float, SpectrumPoints> spectrum_{};
    Triple xyzTarget_{};
    Triple xyzRead_{};
    Triple trackPlus_{};
    Triple trackMinus_{};
    Triple scalePlus_{};
    Triple scaleMinus_{};
};
