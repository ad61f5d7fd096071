#include "widgets/gradient_background.h"

#include "widgets/gradient_geometry.h"
#include "widgets/painting.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

GradientBackground::GradientBackground(QWidget* parent) : QWidget(parent)
{
    resize(100, 80);
    rebuildTable();
    setAttribute(Qt::WA_OpaquePaintEvent, coversEverything());
}

void GradientBackground::setStartColor(TColor color)
{
    if (color == startColor_)
        return;
    startColor_ = color;
    rebuildTable();
    changed();
}

void GradientBackground::setEndColor(TColor color)
{
    if (color == endColor_)
        return;
    endColor_ = color;
    rebuildTable();
    changed();
}

void GradientBackground::setDirection(TGradientDirection direction)
{
    if (direction == direction_)
        return;
    direction_ = direction;
    rebuildTable();
    changed();
}

void GradientBackground::setStyle(TGradientBkStyle style)
{
    if (style == style_)
        return;
    style_ = style;
    changed();
}

void GradientBackground::setStepWidth(int width)
{
    if (width == stepWidth_ || width < 1 || width > 10)
        return;
    stepWidth_ = width;
    changed();
}

void GradientBackground::setBevelStyle(TBevelStyle style)
{
    if (style == bevelStyle_)
        return;
    bevelStyle_ = style;
    changed();
}

void GradientBackground::setBevelWidth(int width)
{
    if (width == bevelWidth_ || width < 0 || width > 255)
        return;
    bevelWidth_ = width;
    changed();
}

void GradientBackground::setBuffered(bool buffered)
{
    if (buffered == buffered_)
        return;
    buffered_ = buffered;
    buffer_ = QImage();
    changed();
}

void GradientBackground::setAlign(TAlign align)
{
    if (align == align_)
        return;
    if (parentWidget())
        parentWidget()->removeEventFilter(this);
    align_ = align;
    if (align_ == TAlign::alClient && parentWidget()) {
        parentWidget()->installEventFilter(this);
        setGeometry(parentWidget()->rect());
        lower();
    }
}

void GradientBackground::changed()
{
    bufferStale_ = true;
    setAttribute(Qt::WA_OpaquePaintEvent, coversEverything());
    update();
}

void GradientBackground::rebuildTable()
{
    table_ = backgroundColorTable(paint::resolve(startColor_, this), paint::resolve(endColor_, this), direction_);
}

bool GradientBackground::coversEverything() const
{
    // The ellipses leave the corners, a bvSpace frame its ring and the pyramid's fan of lines may
    // leave single pixels: those show the parent beneath.
    if (style_ == TGradientBkStyle::gsEllipse || style_ == TGradientBkStyle::gsPyramid)
        return false;
    return bevelStyle_ != TBevelStyle::bvSpace || bevelWidth_ == 0;
}

void GradientBackground::renderGradient(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    geo::Rct r{0, 0, width(), height()};
    if (bevelStyle_ != TBevelStyle::bvNone && bevelWidth_ > 0) {
        const QColor shadow = toQColor(paint::resolve(clBtnShadow, this));
        const QColor light = toQColor(paint::resolve(clBtnHighlight, this));
        for (const geo::Stroke& s : geo::backgroundBevel(r, bevelStyle_, bevelWidth_))
            paint::drawStroke(p, s, s.ink == geo::Ink::Shadow ? shadow : light);
        r = r.inset(bevelWidth_);
    }
    if (r.isEmpty())
        return;
    p.save();
    p.setClipRect(paint::qRect(r));
    paint::drawGradient(p, geo::backgroundGradientShapes(style_, r, stepWidth_), table_);
    p.restore();
    ++renderCount_;
}

void GradientBackground::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (!buffered_) {
        renderGradient(p);
        return;
    }
    if (bufferStale_ || buffer_.size() != size()) {
        // Styles that leave pixels unpainted get a transparent buffer, so those pixels show the parent.
        const bool opaque = coversEverything();
        buffer_ = QImage(size(), opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
        if (buffer_.isNull()) {
            renderGradient(p); // no memory for the image: draw directly
            return;
        }
        buffer_.fill(opaque ? Qt::black : Qt::transparent);
        QPainter bp(&buffer_);
        renderGradient(bp);
        bufferStale_ = false;
    }
    p.drawImage(0, 0, buffer_);
}

void GradientBackground::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QWidget::mousePressEvent(event);
}

void GradientBackground::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

void GradientBackground::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void GradientBackground::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        rebuildTable();
        changed();
    }
    QWidget::changeEvent(event);
}

bool GradientBackground::eventFilter(QObject* watched, QEvent* event)
{
    if (align_ == TAlign::alClient && watched == parentWidget() && event->type() == QEvent::Resize)
        setGeometry(parentWidget()->rect());
    return QWidget::eventFilter(watched, event);
}
