#include "rooms/room_tile.h"

#include <QMouseEvent>
#include <QPainter>

RoomTile::RoomTile(QWidget* parent) : QWidget(parent), caption_(QStringLiteral("--")), color_(0xC0, 0xC0, 0xC0)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    QFont bold(QStringLiteral("Arial"));
    bold.setPixelSize(13);
    bold.setBold(true);
    setFont(bold);
    setCursor(Qt::PointingHandCursor);
}

void RoomTile::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void RoomTile::setColor(const QColor& color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void RoomTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, color_);
    // Raised bevel: light top and left edges, dark bottom and right edges.
    const QColor light = color_.lighter(130);
    const QColor dark = color_.darker(160);
    painter.setPen(light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    painter.setPen(Qt::black);
    painter.drawText(r.adjusted(1, 1, -1, -1), Qt::AlignCenter | Qt::TextSingleLine, caption_);
}

void RoomTile::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
}

void RoomTile::mouseReleaseEvent(QMouseEvent* event)
{
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (wasPressed && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}
