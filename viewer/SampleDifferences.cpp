#include "SampleDifferences.h"

#include "CodeNames.h"
#include "ColorDifference.h"

#include <lcms2.h>

namespace {

enum ScaleCode { None = 0, CieLab = 1, CieLch = 2, HunterLab = 3, Xyz = 4, Yxy = 5, DeltaLch = 6, Count = 7 };

// The datalog's own names of the scales, made once.
int codeOf(const QString& scaleName)
{
    static const std::array<QString, Count> names = [] {
        std::array<QString, Count> n;
        for (int code = CieLab; code < Count; ++code) n[std::size_t(code)] = GetCodeName(CodeKind::ColorScale, int16_t(code));
        return n;
    }();
    for (int code = CieLab; code < Count; ++code)
        if (scaleName == names[std::size_t(code)]) return code;
    return None;
}

std::array<double, 3> labOfLch(float l, float c, float h)
{
    const cmsCIELCh lch{l, c, h};
    cmsCIELab lab;
    cmsLCh2Lab(&lab, &lch);
    return {lab.L, lab.a, lab.b};
}

std::array<double, 3> run(const DatalogRecord& record, int first)
{
    return {record.scaleData[std::size_t(first)], record.scaleData[std::size_t(first) + 1],
            record.scaleData[std::size_t(first) + 2]};
}

}  // namespace

ScaleTerms TermsOfScale(const QString& scaleName)
{
    switch (codeOf(scaleName)) {
    case CieLab:
    case CieLch: return {true, QStringLiteral("L*"), QStringLiteral("a*"), QStringLiteral("b*")};
    case HunterLab: return {true, QStringLiteral("L"), QStringLiteral("a"), QStringLiteral("b")};
    case Xyz: return {true, QStringLiteral("Y"), QStringLiteral("X"), QStringLiteral("Z")};
    case Yxy: return {true, QStringLiteral("Y"), QStringLiteral("x"), QStringLiteral("y")};
    case DeltaLch: return {true, QStringLiteral("L*"), QStringLiteral("C*"), QStringLiteral("H*")};
    default: return {};
    }
}

std::optional<std::array<double, 3>> ScaleDifferences(const DatalogRecord& record)
{
    const auto& s = record.scaleData;
    switch (codeOf(record.scale)) {
    case CieLab:
    case HunterLab:
    case Yxy: return std::array<double, 3>{double(s[0]) - s[3], double(s[1]) - s[4], double(s[2]) - s[5]};
    case Xyz: return std::array<double, 3>{double(s[1]) - s[4], double(s[0]) - s[3], double(s[2]) - s[5]};
    case CieLch: {
        const auto sample = labOfLch(s[0], s[1], s[2]);
        const auto standard = labOfLch(s[3], s[4], s[5]);
        return std::array<double, 3>{sample[0] - standard[0], sample[1] - standard[1], sample[2] - standard[2]};
    }
    case DeltaLch: return std::array<double, 3>{s[3], s[4], s[5]};
    default: return std::nullopt;
    }
}

std::optional<double> DeltaE2000(const DatalogRecord& record)
{
    const auto& s = record.scaleData;
    switch (codeOf(record.scale)) {
    case CieLab: return DifferencesOf(run(record, 3), run(record, 0)).DeltaE2000;
    case CieLch: return DifferencesOf(labOfLch(s[3], s[4], s[5]), labOfLch(s[0], s[1], s[2])).DeltaE2000;
    default: return std::nullopt;
    }
}
