#include "guests/placeholder_photo.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

QImage drawPlaceholderPhoto(const QSize& size)
{
    QImage image(size, QImage::Format_RGB32);
    const qreal w = size.width();
    const qreal h = size.height();
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient background(0, 0, 0, h);
    background.setColorAt(0, QColor(0xEE, 0xF1, 0xF5));
    background.setColorAt(1, QColor(0xC9, 0xD0, 0xD9));
    p.fillRect(image.rect(), background);

    const QColor figure(0x8A, 0x94, 0xA3);
    p.setPen(Qt::NoPen);
    p.setBrush(figure);
    // Shoulders: a rounded mound rising from the bottom edge.
    QPainterPath shoulders;
    shoulders.moveTo(w * 0.08, h);
    shoulders.cubicTo(w * 0.08, h * 0.70, w * 0.30, h * 0.64, w * 0.50, h * 0.64);
    shoulders.cubicTo(w * 0.70, h * 0.64, w * 0.92, h * 0.70, w * 0.92, h);
    shoulders.closeSubpath();
    p.drawPath(shoulders);
    // Neck and head.
    p.drawRect(QRectF(w * 0.42, h * 0.50, w * 0.16, h * 0.16));
    p.drawEllipse(QRectF(w * 0.30, h * 0.18, w * 0.40, h * 0.38));

    // A thin frame, as a photo print has.
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xA0, 0xA8, 0xB4), 1));
    p.drawRect(QRectF(0.5, 0.5, w - 1, h - 1));
    return image;
}
