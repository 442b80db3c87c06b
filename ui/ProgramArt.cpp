#include "ProgramArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

QPixmap drawArt(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size / 64.0;
    p.scale(s, s);

    // Housing.
    QPainterPath housing;
    housing.addRoundedRect(QRectF(6, 4, 52, 38), 7, 7);
    QLinearGradient metal(0, 4, 0, 42);
    metal.setColorAt(0, QColor(0x5a, 0x6b, 0x7d));
    metal.setColorAt(1, QColor(0x2c, 0x36, 0x42));
    p.fillPath(housing, metal);
    p.setPen(QPen(QColor(0x1c, 0x22, 0x2a), 1.2));
    p.drawPath(housing);

    // Lens.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x11, 0x16, 0x1c));
    p.drawEllipse(QPointF(32, 23), 11, 11);
    QRadialGradient glass(QPointF(29, 20), 9);
    glass.setColorAt(0, QColor(0x9f, 0xd8, 0xff));
    glass.setColorAt(1, QColor(0x1d, 0x4e, 0x89));
    p.setBrush(glass);
    p.drawEllipse(QPointF(32, 23), 7.5, 7.5);

    // Beam and the spectrum it measures.
    QPolygonF beam;
    beam << QPointF(27, 34) << QPointF(37, 34) << QPointF(52, 56) << QPointF(12, 56);
    p.setBrush(QColor(255, 255, 255, 60));
    p.drawPolygon(beam);
    QLinearGradient spectrum(8, 0, 56, 0);
    const QColor colours[] = {QColor(0x6a, 0x00, 0xc8), QColor(0x00, 0x3c, 0xff), QColor(0x00, 0xc8, 0x50),
                              QColor(0xff, 0xe0, 0x00), QColor(0xff, 0x78, 0x00), QColor(0xd0, 0x00, 0x00)};
    for (int i = 0; i < 6; ++i) spectrum.setColorAt(i / 5.0, colours[i]);
    p.setBrush(spectrum);
    p.drawRoundedRect(QRectF(6, 54, 52, 7), 2, 2);
    return pixmap;
}

}  // namespace

QIcon ProgramIcon()
{
    static const QIcon icon = [] {
        QIcon result;
        for (int size : {16, 24, 32, 48, 64, 128, 256}) result.addPixmap(drawArt(size));
        return result;
    }();
    return icon;
}

QPixmap AboutPicture()
{
    static const QPixmap picture = drawArt(64);
    return picture;
}
