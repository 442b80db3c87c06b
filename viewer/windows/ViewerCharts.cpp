#include "ViewerCharts.h"

#include "RecordFilter.h"
#include "Statistics.h"

#include <QChart>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QPen>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace ViewerCharts {

namespace {

const QString Delta = QString(QChar(0x0394));

QChart* newChart(const QString& title)
{
    auto* chart = new QChart;
    chart->setTitle(title);
    chart->setAnimationOptions(QChart::NoAnimation);
    chart->setMargins(QMargins(4, 4, 4, 4));
    chart->legend()->setAlignment(Qt::AlignBottom);
    return chart;
}

QValueAxis* valueAxis(QChart* chart, Qt::Alignment side, const QString& title)
{
    auto* axis = new QValueAxis;
    axis->setTitleText(title);
    chart->addAxis(axis, side);
    return axis;
}

void attach(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y)
{
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

// Room around the values so that no point sits on the frame.
void fitAxis(QValueAxis* axis, double low, double high)
{
    if (!std::isfinite(low) || !std::isfinite(high)) {
        axis->setRange(-1, 1);
        return;
    }
    const double margin = high > low ? (high - low) * 0.08 : std::max(std::abs(high) * 0.1, 0.5);
    axis->setRange(low - margin, high + margin);
    axis->applyNiceNumbers();
}

// Milliseconds for a date-time axis, which shows local time: the record's
// wall-clock time taken as local time.
qreal axisTime(const DatalogRecord& record)
{
    const QDateTime wall = RecordDateTime(record);
    return qreal(QDateTime(wall.date(), wall.time(), Qt::LocalTime).toMSecsSinceEpoch());
}

}  // namespace

QString RecordLabel(const DatalogRecord& record)
{
    QString label = record.standard ? QStringLiteral("Std") : QStringLiteral("Sam");
    if (!record.sampleId.isEmpty()) label += QLatin1Char(' ') + record.sampleId;
    return label + QStringLiteral(" (log %1)").arg(record.log);
}

QChart* Spectra(const std::vector<const DatalogRecord*>& records, const QString& title)
{
    QChart* chart = newChart(title.isEmpty() ? QStringLiteral("Reflectance Spectra") : title);
    auto* x = valueAxis(chart, Qt::AlignBottom, QStringLiteral("Wavelength (nm)"));
    auto* y = valueAxis(chart, Qt::AlignLeft, QStringLiteral("Reflectance"));
    x->setRange(FirstWavelength, FirstWavelength + (SpectrumPoints - 1) * WavelengthStep);
    x->setTickCount(7);
    double low = INFINITY, high = -INFINITY;
    const std::size_t shown = std::min<std::size_t>(records.size(), MostSpectra);
    for (std::size_t i = 0; i < shown; ++i) {
        const DatalogRecord& r = *records[i];
        auto* series = new QLineSeries;
        series->setName(RecordLabel(r));
        QList<QPointF> points;
        points.reserve(SpectrumPoints);
        for (int p = 0; p < SpectrumPoints; ++p) {
            points << QPointF(FirstWavelength + p * WavelengthStep, r.spectrum[std::size_t(p)]);
            low = std::min(low, double(r.spectrum[std::size_t(p)]));
            high = std::max(high, double(r.spectrum[std::size_t(p)]));
        }
        series->replace(points);
        attach(chart, series, x, y);
        QPen pen = series->pen();
        pen.setWidthF(r.standard ? 2.5 : 1.5);
        if (r.standard) pen.setStyle(Qt::DashLine);
        series->setPen(pen);
    }
    fitAxis(y, records.empty() ? 0 : low, records.empty() ? 100 : high);
    chart->legend()->setVisible(shown > 0 && shown <= 8);
    return chart;
}

Differences DifferencesOf(const std::vector<const DatalogRecord*>& records)
{
    Differences result;
    for (const DatalogRecord* r : records) {
        if (r->standard) continue;
        const auto d = ScaleDifferences(*r);
        if (!d) continue;
        if (result.samples.empty()) result.terms = TermsOfScale(r->scale);
        result.samples.push_back(*d);
    }
    return result;
}

QChart* DifferencePlane(const Differences& differences)
{
    const ScaleTerms& terms = differences.terms;
    QChart* chart = newChart(QStringLiteral("Colour Difference: %1%2 / %1%3").arg(Delta, terms.planeX, terms.planeY));
    auto* x = valueAxis(chart, Qt::AlignBottom, Delta + terms.planeX);
    auto* y = valueAxis(chart, Qt::AlignLeft, Delta + terms.planeY);
    auto* series = new QScatterSeries;
    series->setName(SamplesSeries);
    series->setMarkerSize(7);
    QList<QPointF> points;
    double extent = 0.5;
    for (const auto& d : differences.samples) {
        points << QPointF(d[1], d[2]);
        extent = std::max({extent, std::abs(d[1]), std::abs(d[2])});
    }
    series->replace(points);
    attach(chart, series, x, y);
    // The standard at the centre of a square plane.
    fitAxis(x, -extent, extent);
    fitAxis(y, -extent, extent);
    chart->legend()->setVisible(false);
    return chart;
}

QChart* DifferenceBeside(const Differences& differences)
{
    const ScaleTerms& terms = differences.terms;
    const auto& samples = differences.samples;
    QChart* chart = newChart(Delta + terms.beside);
    auto* x = valueAxis(chart, Qt::AlignBottom, QStringLiteral("Sample"));
    auto* y = valueAxis(chart, Qt::AlignLeft, Delta + terms.beside);
    x->setLabelFormat(QStringLiteral("%d"));
    auto* series = new QScatterSeries;
    series->setName(SamplesSeries);
    series->setMarkerSize(7);
    QList<QPointF> points;
    double extent = 0.5;
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const double d = samples[i][0];
        points << QPointF(double(i + 1), d);
        extent = std::max(extent, std::abs(d));
    }
    series->replace(points);
    attach(chart, series, x, y);
    fitAxis(x, 1, std::max<double>(1, double(samples.size())));
    fitAxis(y, -extent, extent);
    chart->legend()->setVisible(false);
    return chart;
}

QChart* Trend(const std::vector<const DatalogRecord*>& records, const QString& group)
{
    std::vector<const DatalogRecord*> ordered = records;
    std::stable_sort(ordered.begin(), ordered.end(),
                     [](const DatalogRecord* a, const DatalogRecord* b) { return a->time < b->time; });
    const QString indexName = ordered.empty() || ordered.front()->index.isEmpty() ? QStringLiteral("Index Value")
                                                                                  : ordered.front()->index;
    QChart* chart = newChart(group.isEmpty() ? QStringLiteral("Trend of %1").arg(indexName)
                                             : QStringLiteral("Trend of %1: %2").arg(indexName, group));
    auto* x = new QDateTimeAxis;
    x->setTitleText(QStringLiteral("Time"));
    x->setTickCount(5);
    chart->addAxis(x, Qt::AlignBottom);
    auto* y = valueAxis(chart, Qt::AlignLeft, indexName);

    QList<QPointF> points;
    points.reserve(qsizetype(ordered.size()));
    RunningDescription description;
    for (const DatalogRecord* r : ordered) {
        points << QPointF(axisTime(*r), r->indexValue());
        description.add(r->indexValue());
    }
    const Description d = description.result();
    const ControlLimits limits = IndividualsLimits(d);

    auto* values = new QLineSeries;
    values->setName(indexName);
    values->setPointsVisible(points.size() <= 200);
    values->replace(ThinTrend(points, TrendDrawingPoints));
    attach(chart, values, x, y);

    double low = d.min, high = d.max;
    const auto level = [&](const QString& name, double value, Qt::PenStyle style, const QColor& colour) {
        if (points.isEmpty() || std::isnan(value)) return;
        auto* line = new QLineSeries;
        line->setName(name);
        line->replace({QPointF(points.front().x(), value), QPointF(points.back().x(), value)});
        attach(chart, line, x, y);
        line->setPen(QPen(colour, 1.5, style));
        low = std::min(low, value);
        high = std::max(high, value);
    };
    level(MeanSeries, limits.centre, Qt::SolidLine, QColor(0, 128, 0));
    level(UpperLimitSeries, limits.upper, Qt::DashLine, QColor(200, 0, 0));
    level(LowerLimitSeries, limits.lower, Qt::DashLine, QColor(200, 0, 0));
    if (points.isEmpty()) {
        x->setRange(QDateTime::currentDateTime().addDays(-1), QDateTime::currentDateTime());
    } else {
        // A trend of one point still needs a span of time; the labels show
        // as much of the time as the span needs.
        const qint64 first = qint64(points.front().x()), last = qint64(points.back().x());
        const qint64 span = last - first;
        const qint64 pad = std::max<qint64>(span / 20, 1000);
        constexpr qint64 Hour = 3600 * 1000;
        x->setFormat(span < Hour ? QStringLiteral("HH:mm:ss") : span < 48 * Hour ? QStringLiteral("MM-dd HH:mm")
                                                                                 : QStringLiteral("yyyy-MM-dd"));
        x->setRange(QDateTime::fromMSecsSinceEpoch(first - pad), QDateTime::fromMSecsSinceEpoch(last + pad));
    }
    fitAxis(y, points.isEmpty() ? 0 : low, points.isEmpty() ? 1 : high);
    return chart;
}

}  // namespace ViewerCharts
