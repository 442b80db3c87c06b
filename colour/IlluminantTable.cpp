#include "IlluminantTable.h"

namespace IlluminantTable {

namespace {

// ASTM E308-01, Table 5 (10 nm weighting tables), white-point rows, Y = 100.
// The order is that of the illuminant/observer code of a data view: the nine
// illuminants with the 2° observer (codes 0..8), then with the 10° observer
// (codes 9..17).
constexpr std::array<IlluminantWhite, 18> kRows = {{
    {"ASTM-A/2", 109.850, 100.000, 35.585},
    {"ASTM-C/2", 98.074, 100.000, 118.232},
    {"ASTM-D50/2", 96.422, 100.000, 82.521},
    {"ASTM-D55/2", 95.682, 100.000, 92.149},
    {"ASTM-D65/2", 95.047, 100.000, 108.883},
    {"ASTM-D75/2", 94.972, 100.000, 122.638},
    {"ASTM-F2/2", 99.186, 100.000, 67.393},
    {"ASTM-F7/2", 95.041, 100.000, 108.747},
    {"ASTM-F11/2", 100.962, 100.000, 64.350},
    {"ASTM-A/10", 111.144, 100.000, 35.200},
    {"ASTM-C/10", 97.285, 100.000, 116.145},
    {"ASTM-D50/10", 96.720, 100.000, 81.427},
    {"ASTM-D55/10", 95.799, 100.000, 90.926},
    {"ASTM-D65/10", 94.811, 100.000, 107.304},
    {"ASTM-D75/10", 94.416, 100.000, 120.641},
    {"ASTM-F2/10", 103.279, 100.000, 69.027},
    {"ASTM-F7/10", 95.792, 100.000, 107.687},
    {"ASTM-F11/10", 103.863, 100.000, 65.607},
}};

}  // namespace

const std::array<IlluminantWhite, 18>& Rows()
{
    return kRows;
}

const IlluminantWhite* Find(const QString& illObs)
{
    for (const IlluminantWhite& row : kRows) {
        if (illObs == QLatin1String(row.name)) return &row;
    }
    return nullptr;
}

QStringList Names()
{
    QStringList names;
    names.reserve(static_cast<qsizetype>(kRows.size()));
    for (const IlluminantWhite& row : kRows) names << QString::fromLatin1(row.name);
    return names;
}

}  // namespace IlluminantTable
