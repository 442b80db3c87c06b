#pragma once
// The statistics of the viewer: mean, sample standard deviation (n - 1),
// minimum and maximum, the limits of an individuals control chart, and the
// thinning of a long trend for drawing.

#include <QPointF>
#include <QList>
#include <cmath>
#include <cstdint>
#include <limits>
#include <span>

struct Description {
    int64_t count = 0;
    double mean = std::numeric_limits<double>::quiet_NaN();
    double sd = std::numeric_limits<double>::quiet_NaN();  // n - 1; NaN below two values
    double min = std::numeric_limits<double>::quiet_NaN();
    double max = std::numeric_limits<double>::quiet_NaN();
};

// Adds values one at a time (Welford's method, which keeps its accuracy
// where the values lie far from zero and close together).
class RunningDescription {
public:
    void add(double value);
    Description result() const;

private:
    int64_t count_ = 0;
    double mean_ = 0;
    double squares_ = 0;
    double min_ = 0;
    double max_ = 0;
};

Description Describe(std::span<const double> values);

// The individuals chart: the centre line at the mean, the control limits
// three standard deviations (n - 1) either side.
struct ControlLimits {
    double centre = std::numeric_limits<double>::quiet_NaN();
    double lower = std::numeric_limits<double>::quiet_NaN();
    double upper = std::numeric_limits<double>::quiet_NaN();
};
ControlLimits IndividualsLimits(const Description& description);

// A trend of at most about `maxPoints` points for drawing. The points (in x
// order) are cut into buckets of equal count; each bucket keeps its first,
// lowest, highest and last point in x order, so every excursion stays
// visible. A trend of at most maxPoints points is returned whole.
QList<QPointF> ThinTrend(const QList<QPointF>& points, int maxPoints);
