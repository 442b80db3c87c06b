#include "DatalogReport.h"

#include "AppError.h"
#include "DatalogSummary.h"
#include "RecordFilter.h"
#include "RegionalFormat.h"
#include "SafeFileWriter.h"
#include "ViewerCharts.h"

#include <QBuffer>
#include <QChart>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QDir>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>
#include <map>
#include <memory>

namespace DatalogReport {

namespace {

constexpr int Resolution = 96;  // points of the page per inch, as the charts are laid out on screen
const QSize ChartSize(900, 400);

class Pages {
public:
    Pages(QPdfWriter& writer, QPainter& painter) : writer_(writer), painter_(painter)
    {
        area_ = QRectF(QPointF(0, 0), QSizeF(writer.width(), writer.height()));
    }

    void newPage()
    {
        writer_.newPage();
        y_ = 0;
    }
    // Room for `height` more on this page, else a new page.
    void need(double height)
    {
        if (y_ + height > area_.height()) newPage();
    }
    void text(const QString& text, double pointSize, bool bold = false)
    {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setStyleHint(QFont::SansSerif);
        font.setPointSizeF(pointSize);
        font.setBold(bold);
        painter_.setFont(font);
        const double height = QFontMetricsF(font, &writer_).lineSpacing();
        need(height);
        painter_.drawText(QRectF(0, y_, area_.width(), height), Qt::AlignLeft | Qt::AlignVCenter, text);
        y_ += height;
    }
    void space(double height) { y_ += height; }
    void chart(QChart* chart)
    {
        const double height = area_.width() * ChartSize.height() / ChartSize.width();
        need(height);
        // The chart lays itself out in a scene of its own, on the events
        // its new size posts.
        QGraphicsScene scene;
        scene.addItem(chart);  // the scene owns the chart from here on
        chart->setGeometry(QRectF(QPointF(0, 0), QSizeF(ChartSize)));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        scene.render(&painter_, QRectF(0, y_, area_.width(), height), QRectF(QPointF(0, 0), QSizeF(ChartSize)));
        y_ += height;
    }
    // A block of lines of fixed-width text, its size made to fit the width.
    void table(const QStringList& lines, double largestPointSize)
    {
        QFont font(QStringLiteral("DejaVu Sans Mono"));
        font.setStyleHint(QFont::Monospace);
        font.setPointSizeF(largestPointSize);
        qsizetype longest = 0;
        for (const QString& line : lines) longest = std::max(longest, line.size());
        const double width = QFontMetricsF(font, &writer_).horizontalAdvance(QString(longest, QLatin1Char('0')));
        if (width > area_.width()) font.setPointSizeF(largestPointSize * area_.width() / width * 0.98);
        painter_.setFont(font);
        const double lineHeight = QFontMetricsF(font, &writer_).lineSpacing();
        for (const QString& line : lines) {
            need(lineHeight);
            painter_.drawText(QRectF(0, y_, area_.width(), lineHeight), Qt::AlignLeft | Qt::AlignVCenter, line);
            y_ += lineHeight;
        }
    }

private:
    QPdfWriter& writer_;
    QPainter& painter_;
    QRectF area_;
    double y_ = 0;
};

QString dateRange(const DatalogDocument& document)
{
    if (document.records.empty()) return QStringLiteral("no records");
    const auto [first, last] = std::minmax_element(document.records.begin(), document.records.end(),
                                                   [](const DatalogRecord& a, const DatalogRecord& b) { return a.time < b.time; });
    return QStringLiteral("%1 to %2").arg(RegionalFormat::GeneralDateTime(RecordDateTime(*first)),
                                          RegionalFormat::GeneralDateTime(RecordDateTime(*last)));
}

}  // namespace

std::vector<const DatalogRecord*> ReportSpectra(std::vector<const DatalogRecord*> group)
{
    std::stable_sort(group.begin(), group.end(),
                     [](const DatalogRecord* a, const DatalogRecord* b) { return a->time < b->time; });
    const auto latestStandard = std::find_if(group.rbegin(), group.rend(), [](const DatalogRecord* r) { return r->standard; });
    std::vector<const DatalogRecord*> shown;
    if (latestStandard == group.rend()) {
        const std::size_t from = group.size() > std::size_t(SpectraPerProduct) ? group.size() - SpectraPerProduct : 0;
        shown.assign(group.begin() + std::ptrdiff_t(from), group.end());
        return shown;
    }
    shown.push_back(*latestStandard);
    for (auto it = latestStandard.base(); it != group.end() && shown.size() <= std::size_t(SpectraPerProduct); ++it)
        if (!(*it)->standard) shown.push_back(*it);
    return shown;
}

void Write(const DatalogDocument& document, const QString& pdfFile)
{
    // A target that cannot take the report is refused before the pages are
    // drawn, which takes a while for a long datalog.
    CheckTargetFile(pdfFile);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setTitle(QStringLiteral("Datalog Report - %1").arg(QFileInfo(document.fileName).fileName()));
        writer.setCreator(QStringLiteral("TR8 KZ Utility"));
        writer.setResolution(Resolution);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                         QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer))
            throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot write the report %1").arg(pdfFile));
        Pages pages(writer, painter);

        pages.text(QStringLiteral("Datalog Report"), 18, true);
        pages.space(6);
        pages.text(QStringLiteral("File: %1").arg(QDir::toNativeSeparators(document.fileName)), 10);
        pages.text(QStringLiteral("Dates: %1").arg(dateRange(document)), 10);
        QString count = QStringLiteral("Records: %1").arg(document.records.size());
        if (!document.unreadable.empty()) count += QStringLiteral(" (%1 lines could not be read)").arg(document.unreadable.size());
        if (document.ambiguousCount > 0)
            count += QStringLiteral(", %1 with a doubtful product name or ID").arg(document.ambiguousCount);
        pages.text(count, 10);
        pages.space(12);

        pages.text(QStringLiteral("Summary of the first index value per product and setup"), 12, true);
        pages.space(4);
        const auto groups = DatalogSummary::Summarize(document.records);
        pages.table(DatalogSummary::AlignedText(groups).split(QLatin1Char('\n'), Qt::SkipEmptyParts), 9);

        std::map<std::pair<QString, int32_t>, std::vector<const DatalogRecord*>> members;
        for (const DatalogRecord& r : document.records) members[{r.product, r.setup}].push_back(&r);
        for (const auto& [key, records] : members) {
            pages.newPage();
            pages.text(QStringLiteral("%1 - setup %2").arg(key.first.isEmpty() ? QStringLiteral("(no name)") : key.first)
                           .arg(key.second),
                       14, true);
            pages.text(QStringLiteral("%1 records").arg(records.size()), 10);
            pages.space(6);
            pages.chart(ViewerCharts::Trend(records));
            pages.space(10);
            pages.chart(ViewerCharts::Spectra(ReportSpectra(records)));
        }
        if (!painter.end())
            throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot complete the report %1").arg(pdfFile));
    }
    SafeFileWriter::WriteAll(pdfFile, buffer.data());
}

}  // namespace DatalogReport
