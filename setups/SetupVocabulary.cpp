#include "SetupVocabulary.h"

namespace SetupVocabulary {

const QStringList& StandardTypes()
{
    static const QStringList list{QStringLiteral("PHYSICAL"), QStringLiteral("WORKING"), QStringLiteral("NUMERIC"),
                                  QStringLiteral("HITCH")};
    return list;
}

const QStringList& DisplayTypes()
{
    static const QStringList list = {"ABSOLUTE",      "DIFFERENCE", "SPECTRAL DATA", "SPECTRAL DIFF",
                                     "SPECTRAL PLOT", "DIFF PLOT",  "COLOR PLOT"};
    return list;
}

const QStringList& IllObsNames()
{
    static const QStringList list = {"A/2",  "C/2",  "D50/2",  "D55/2",  "D65/2",  "D75/2",
                                     "F2/2", "F7/2", "F11/2",  "A/10",   "C/10",   "D50/10",
                                     "D55/10", "D65/10", "D75/10", "F2/10", "F7/10", "F11/10"};
    return list;
}

const QStringList& ColorScales()
{
    static const QStringList list = {"(...)", "L*a*b*", "L*C*h", "L a b", "X Y Z", "Y x y", "dLdCdH"};
    return list;
}

namespace {

// A view's colour index: the view editor's entry and the difference the
// tolerances editor names. The position is the code (ColorIndex): the indices
// 1..12, then the differences 13..21.
struct ColorIndexEntry {
    const char* entry;
    const char* difference;
};

constexpr ColorIndexEntry kColorIndices[] = {
    {"(...)", ""},       {"Y", "dY"},       {"YID", "dYID"},   {"YIE", "dYIE"},   {"WIE", "dWIE"},
    {"Tint", "dTint"},   {"Z%", "dZ%"},     {"457B", "d457B"}, {"BCU", "dBCU"},   {"SMA", "dSMA"},
    {"SW", "dSW"},       {"QBVT", "dQBVT"}, {"SCAA", "dSCAA"},                                        // 0..12
    {"GSC", "GSC"},      {"GSS", "GSS"},    {"dE*", "dE*"},    {"dEc", "dEc"},    {"dE", "dE"},
    {"dC*", "dC*"},      {"dC", "dC"},      {"SSN", "SSN"},    {"MI", "MI"},                        // 13..21
};

QStringList ColorIndexColumn(const char* ColorIndexEntry::*column)
{
    QStringList list;
    for (const ColorIndexEntry& e : kColorIndices) list << QString::fromLatin1(e.*column);
    return list;
}

}  // namespace

const QStringList& ColorIndices()
{
    static const QStringList list = ColorIndexColumn(&ColorIndexEntry::entry);
    return list;
}

const QStringList& ReadModes()
{
    static const QStringList list = {"TIME", "PIECE"};
    return list;
}

const QStringList& StandardScaleLabels()
{
    static const QStringList list = {"", "L*a*b*", "L*C*h", "L a b", "X Y Z", "Y x y"};
    return list;
}

const QStringList& ConverterScaleNames()
{
    static const QStringList list = {"", "CIELAB", "CIELCh", "Hunter Lab", "XYZ", "Yxy"};
    return list;
}

const QStringList& ScaleDifferenceNames()
{
    static const QStringList list = {"",          "dL*da*db*", "dL*dC*dh", "dL da db",
                                     "dX dY dZ",  "dY dx dy",  "dL*dC*dH*"};
    return list;
}

const QStringList& IndexDifferenceNames()
{
    static const QStringList list = ColorIndexColumn(&ColorIndexEntry::difference);
    return list;
}

QString Slice(const QString& text, int part, int width) { return text.mid(part * width, width); }

QString UnknownEntry(int code) { return QStringLiteral("(unknown: %1)").arg(code); }

QString EntryOf(const QStringList& list, int code)
{
    if (code >= 0 && code < list.size()) return list[code];
    return UnknownEntry(code);
}

}  // namespace SetupVocabulary
