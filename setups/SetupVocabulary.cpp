#include "SetupVocabulary.h"

namespace SetupVocabulary {

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

const QStringList& ColorIndices()
{
    static const QStringList list = {"(...)", "Y",   "YID", "YIE", "WIE", "Tint", "Z%",  "457B",
                                     "BCU",   "SMA", "SW",  "QBVT", "SCAA", "GSC", "GSS", "dE*",
                                     "dEc",   "dE",  "dC*", "dC",  "SSN", "MI"};
    return list;
}

const QStringList& StandardTypes()
{
    static const QStringList list = {"PHYSICAL", "WORKING", "NUMERIC", "HITCH"};
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
    static const QStringList list = {
        "",      "dY",   "dYID", "dYIE", "dWIE", "dTint", "dZ%",  // 0..6
        "d457B", "dBCU", "dSMA", "dSW",  "dQBVT", "dSCAA",        // 7..12
        "",      "",     "",     "",     "",     "",     "",      // 13..19
        "GSC",   "GSS",  "dE*",  "dEc",  "dE",   "dC*",  "dC",    // 20..26
    };
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
