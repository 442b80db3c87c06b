#include "Statistics.h"

#include <algorithm>

void RunningDescription::add(double value)
{
    ++count_;
    if (count_ == 1) {
        min_ = max_ = value;
    } else {
        min_ = std::min(min_, value);
        max_ = std::max(max_, value);
    }
    const double delta = value - mean_;
    mean_ += delta / static_cast<double>(count_);
    squares_ += delta * (value - mean_);
}

Description RunningDescription::result() const
{
    Description d;
    d.count = count_;
    if (count_ == 0) return d;
    d.mean = mean_;
    d.min = min_;
    d.max = max_;
    if (count_ > 1) d.sd = std::sqrt(std::max(0.0, squares_ / static_cast<double>(count_ - 1)));
    return d;
}

Description Describe(std::span<const double> values)
{
    RunningDescription running;
    for (double v : values) running.add(v);
    return running.result();
}

ControlLimits IndividualsLimits(const Description& description)
{
    ControlLimits limits;
    limits.centre = description.mean;
    if (!std::isnan(description.sd)) {
        limits.lower = description.mean - 3 * description.sd;
        limits.upper = description.mean + 3 * description.sd;
    }
    return limits;
}

QList<QPointF> ThinTrend(const QList<QPointF>& points, int maxPoints)
{
    constexpr int PointsPerBucket = 4;
    if (points.size() <= maxPoints || maxPoints < PointsPerBucket) return points;
    const qsizetype buckets = maxPoints / PointsPerBucket;
    QList<QPointF> thinned;
    thinned.reserve(buckets * PointsPerBucket);
    for (qsizetype b = 0; b < buckets; ++b) {
        const qsizetype first = points.size() * b / buckets;
        const qsizetype last = points.size() * (b + 1) / buckets - 1;
        if (last < first) continue;
        qsizetype low = first, high = first;
        for (qsizetype i = first + 1; i <= last; ++i) {
            if (points[i].y() < points[low].y()) low = i;
            if (points[i].y() > points[high].y()) high = i;
        }
        qsizetype keep[PointsPerBucket]{first, std::min(low, high), std::max(low, high), last};
        qsizetype previous = -1;
        for (qsizetype i : keep) {
            if (i == previous) continue;
            thinned << points[i];
            previous = i;
        }
    }
    return thinned;
}
