#include "ProductSetup.h"

#include "AppError.h"

namespace {

// Checks a 1-based index against an array and returns its 0-based position.
template <typename Array>
std::size_t slot(const Array& array, int index, const char* property)
{
    if (index < 1 || index > static_cast<int>(array.size()))
        throw AppError::subscript(QString::fromLatin1(property), index);
    return static_cast<std::size_t>(index - 1);
}

}  // namespace

DataView& ProductSetup::Views(int iIndex) { return views_[slot(views_, iIndex, "Views")]; }
const DataView& ProductSetup::Views(int iIndex) const { return views_[slot(views_, iIndex, "Views")]; }

float ProductSetup::Spectrum(int iPoint) const { return spectrum_[slot(spectrum_, iPoint, "Spectrum")]; }
void ProductSetup::SetSpectrum(int iPoint, float aValue) { spectrum_[slot(spectrum_, iPoint, "Spectrum")] = aValue; }

float ProductSetup::XYZTarget(int iPoint) const { return xyzTarget_[slot(xyzTarget_, iPoint, "XYZTarget")]; }
void ProductSetup::SetXYZTarget(int iPoint, float aValue) { xyzTarget_[slot(xyzTarget_, iPoint, "XYZTarget")] = aValue; }

float ProductSetup::XYZRead(int iPoint) const { return xyzRead_[slot(xyzRead_, iPoint, "XYZRead")]; }
void ProductSetup::SetXYZRead(int iPoint, float aValue) { xyzRead_[slot(xyzRead_, iPoint, "XYZRead")] = aValue; }

float ProductSetup::TrackPlus(int iPoint) const { return trackPlus_[slot(trackPlus_, iPoint, "TrackPlus")]; }
void ProductSetup::SetTrackPlus(int iPoint, float aValue) { trackPlus_[slot(trackPlus_, iPoint, "TrackPlus")] = aValue; }

float ProductSetup::TrackMinus(int iPoint) const { return trackMinus_[slot(trackMinus_, iPoint, "TrackMinus")]; }
void ProductSetup::SetTrackMinus(int iPoint, float aValue)
{
    trackMinus_[slot(trackMinus_, iPoint, "TrackMinus")] = aValue;
}

float ProductSetup::ScalePlus(int iPoint) const { return scalePlus_[slot(scalePlus_, iPoint, "ScalePlus")]; }
void ProductSetup::SetScalePlus(int iPoint, float aValue) { scalePlus_[slot(scalePlus_, iPoint, "ScalePlus")] = aValue; }

float ProductSetup::ScaleMinus(int iPoint) const { return scaleMinus_[slot(scaleMinus_, iPoint, "ScaleMinus")]; }
void ProductSetup::SetScaleMinus(int iPoint, float aValue)
{
    scaleMinus_[slot(scaleMinus_, iPoint, "ScaleMinus")] = aValue;
}
