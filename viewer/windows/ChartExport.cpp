#include "ChartExport.h"

#include "AppError.h"
#include "SafeFileWriter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QSvgGenerator>
#include <QWidget>

namespace ChartExport {

void Save(QWidget* chartArea, const QString& fileName, const QString& title)
{
    const QString suffix = QFileInfo(fileName).suffix().toLower();
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (suffix == QLatin1String("png")) {
        if (!chartArea->grab().toImage().save(&buffer, "PNG"))
            throw AppError(ErrorNumber::FileAccess, QStringLiteral("Cannot draw the chart for %1").arg(fileName));
    } else if (suffix == QLatin1String("svg")) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(chartArea->size());
        svg.setViewBox(QRect(QPoint(0, 0), chartArea->size()));
        svg.setTitle(title);
        QPainter painter(&svg);
        chartArea->render(&painter);
        painter.end();
    } else {
        throw AppError(ErrorNumber::InvalidArgument,
                       QStringLiteral("Cannot save the chart as %1: the name must end in .png or .svg").arg(fileName));
    }
    SafeFileWriter::WriteAll(fileName, buffer.data());
}

}  // namespace ChartExport
