#include "CodeNames.h"

#include <array>

namespace {

constexpr std::array<std::string_view, 4> kStandardTypes{"PHYSICAL", "WORKING", "NUMERIC", "HITCH"};

constexpr std::array<std::string_view, 7> kViewTypes{"ABSOLUTE",      "DELTA",     "SPECTRAL DATA", "SPECTRAL DIFF",
                                                     "SPECTRAL PLOT", "DIFF PLOT", "COLOR PLOT"};

constexpr std::array<std::string_view, 18> kIlluminantObservers{
    "A/2",  "C/2",  "D50/2",  "D55/2",  "D65/2",  "D75/2",  "F2/2",  "F7/2",  "F11/2",
    "A/10", "C/10", "D50/10", "D55/10", "D65/10", "D75/10", "F2/10", "F7/10", "F11/10"};

constexpr std::array<std::string_view, 7> kColorScales{"(...)", "CIE Lab", "CIE LCh", "Hunter Lab",
                                                       "XYZ",   "Yxy",     "dLCH"};

// Codes 0..12.
constexpr std::array<std::string_view, 13> kColorIndices{
    "(...)",  "Y",       "YI D1925",           "YI E313",             "WI E313", "Tint", "Z%",
    "BT457",  "Opacity", "Strength (max abs)", "Strength (weighted)", "QBVT",    "SCAA"};

// Codes 21..29; codes 13..20 are unassigned in the datalog.
constexpr int32_t kFirstDifferenceCode = 21;
constexpr std::array<std::string_view, 9> kColorDifferences{"Gray Scale", "Gray Stain", "dE*",          "dEcmc", "dE",
                                                            "dC*",        "dC",         "Shade Number", "MI"};

template <std::size_t N>
std::string_view entry(const std::array<std::string_view, N>& table, int32_t index)
{
    // The index is worked out in 32 bits, so code 32767 simply lies past the
    // end of every table instead of overflowing.
    if (index < 0 || index >= static_cast<int32_t>(N)) return {};
    return table[static_cast<std::size_t>(index)];
}

}  // namespace

std::string_view CodeNameText(int32_t kind, int16_t code)
{
    const int32_t c = code;
    switch (kind) {
    case CodeKind::StandardType: return entry(kStandardTypes, c);
    case CodeKind::ViewType: return entry(kViewTypes, c);
    case CodeKind::IlluminantObserver: return entry(kIlluminantObservers, c);
    case CodeKind::ColorScale: return entry(kColorScales, c);
    case CodeKind::ColorIndex:
        return c < kFirstDifferenceCode ? entry(kColorIndices, c) : entry(kColorDifferences, c - kFirstDifferenceCode);
    default: return {};
    }
}

QString GetCodeName(int32_t kind, int16_t code)
{
    const std::string_view name = CodeNameText(kind, code);
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}
