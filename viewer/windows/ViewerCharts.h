#pragma once
// The viewer's charts, built with Qt Charts for the window and the report
// alike: the reflectance spectra of some records, the colour difference of
// samples against their standards, and the trend of the first index value
// as an individuals control chart. Each function returns a new chart that
// the caller owns (a QChartView takes it over with setChart).

#include "DatalogRecord.h"
#include "SampleDifferences.h"

#include <QString>
#include <array>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
QT_END_NAMESPACE

namespace ViewerCharts {

// Series names, for tests and exports.
inline const QString MeanSeries = QStringLiteral("Mean");
inline const QString UpperLimitSeries = QStringLiteral("+3 sd");
inline const QString LowerLimitSeries = QStringLiteral("-3 sd");
inline const QString SamplesSeries = QStringLiteral("Samples");

// Points drawn of a trend at most; longer trends are thinned (ThinTrend).
inline constexpr int TrendDrawingPoints = 2000;
// Spectra drawn at most; the first ones of the list are kept.
inline constexpr int MostSpectra = 40;

// One line a record over 400..700 nm, standards drawn dashed, named by type,
// identification and log number.
QChart* Spectra(const std::vector<const DatalogRecord*>& records, const QString& title = {});

// The samples among the records against their standards, worked out once for
// both charts below: the terms of the first sample's scale and each sample's
// differences.
struct Differences {
    ScaleTerms terms{true, QStringLiteral("L*"), QStringLiteral("a*"), QStringLiteral("b*")};
    std::vector<std::array<double, 3>> samples;
};
Differences DifferencesOf(const std::vector<const DatalogRecord*>& records);

// The plane of the second and third term (Da*/Db* for the Lab-like scales),
// and the first term beside it by sample number.
QChart* DifferencePlane(const Differences& differences);
QChart* DifferenceBeside(const Differences& differences);

// The first index value over time with its mean and the limits at three
// standard deviations (n - 1). The records are of one product and setup,
// in time order or not; `group` names them in the title after the index.
QChart* Trend(const std::vector<const DatalogRecord*>& records, const QString& group = {});

// A record's name in legends: "Sam ROLL 12 (log 57)".
QString RecordLabel(const DatalogRecord& record);

}  // namespace ViewerCharts
