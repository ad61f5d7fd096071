#include "widgets/screw_panel.h"

#include "widgets/painting.h"
#include "widgets/panel_geometry.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

#include <map>

namespace {

// A screw head at the origin in drawing form, computed once per screw size and shared by all panels.
struct ScrewPixels
{
    std::vector<QRect> discRows;
    QPolygon shadowArc, slot, highlightArc, glint;
};

QPolygon points(const std::vector<geo::Pt>& pts)
{
    QPolygon poly;
    for (const geo::Pt& pt : pts)
        poly << QPoint(pt.x, pt.y);
    return poly;
}

const ScrewPixels& screwPixels(int screwSize)
{
    static std::map<int, ScrewPixels> cache;
    auto it = cache.find(screwSize);
    if (it == cache.end()) {
        const geo::ScrewShape shape = geo::screwShape({0, 0}, screwSize);
        ScrewPixels px;
        for (const geo::Rct& r : shape.discRows)
            px.discRows.push_back(paint::qRect(r));
        px.shadowArc = points(shape.shadowArc);
        px.slot = points(shape.slot);
        px.highlightArc = points(shape.highlightArc);
        px.glint = points(shape.glint);
        it = cache.emplace(screwSize, std::move(px)).first;
    }
    return it->second;
}

} // namespace

TScrewPanel::TScrewPanel(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(45, 45);
    updateColors();
}

void TScrewPanel::setCaption(const QString& caption)
{
    if (caption == caption_)
        return;
    caption_ = caption;
    update();
}

void TScrewPanel::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    updateColors();
    update();
}

void TScrewPanel::setFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

void TScrewPanel::setAlignment(TAlignment alignment)
{
    if (alignment == alignment_)
        return;
    alignment_ = alignment;
    update();
}

void TScrewPanel::setBevelOuter(TBevelStyle style)
{
    if (style == bevelOuter_)
        return;
    bevelOuter_ = style;
    update();
}

void TScrewPanel::setBevelInner(TBevelStyle style)
{
    if (style == bevelInner_)
        return;
    bevelInner_ = style;
    update();
}

void TScrewPanel::setBevelWidth(int width)
{
    if (width == bevelWidth_ || width < 1)
        return;
    bevelWidth_ = width;
    update();
}

void TScrewPanel::setBorderWidth(int width)
{
    if (width == borderWidth_ || width < 0)
        return;
    borderWidth_ = width;
    update();
}

void TScrewPanel::setMargin(int margin)
{
    if (margin == margin_ || margin >= width() - screwSize_ || margin >= height() - screwSize_)
        return;
    margin_ = margin;
    update();
}

void TScrewPanel::setScrewSize(int size)
{
    if (size == screwSize_ || size < 0 || size > 255 || size >= width() || size >= height())
        return;
    screwSize_ = size;
    update();
}

void TScrewPanel::setShowScrews(bool show)
{
    if (show == showScrews_)
        return;
    showScrews_ = show;
    update();
}

void TScrewPanel::updateColors()
{
    rgb_ = paint::resolve(color_, this);
    highlight_ = Lighten(rgb_, 0.5);
    shadow_ = Darken(rgb_, 0.6);
}

void TScrewPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const QColor face = toQColor(rgb_);
    const QColor light = toQColor(highlight_);
    const QColor dark = toQColor(shadow_);

    geo::ScrewPanelInput in;
    in.client = {0, 0, width(), height()};
    in.bevelOuter = bevelOuter_;
    in.bevelInner = bevelInner_;
    in.bevelWidth = bevelWidth_;
    in.borderWidth = borderWidth_;
    in.margin = margin_;
    in.screwSize = screwSize_;
    in.showScrews = showScrews_;
    const geo::ScrewPanelLayout layout = geo::screwPanelLayout(in);

    paint::fillRect(p, in.client, face);
    for (const geo::Stroke& s : layout.bevels)
        paint::drawStroke(p, s, s.ink == geo::Ink::Highlight ? light : dark);

    if (!layout.screws.empty()) {
        const ScrewPixels& screw = screwPixels(screwSize_);
        static const QColor silver = toQColor(clSilver);
        static const QColor gray = toQColor(clGray);
        static const QColor white = toQColor(clWhite);
        for (const geo::Pt& origin : layout.screws) {
            p.translate(origin.x, origin.y);
            for (const QRect& row : screw.discRows)
                p.fillRect(row, silver);
            // The outline is covered completely by the two halves drawn over it.
            p.setPen(dark);
            p.drawPoints(screw.shadowArc);
            p.setPen(gray);
            p.drawPoints(screw.slot);
            p.setPen(light);
            p.drawPoints(screw.highlightArc);
            p.setPen(white);
            p.drawPoints(screw.glint);
            p.translate(-origin.x, -origin.y);
        }
    }

    if (!caption_.isEmpty()) {
        const Qt::Alignment h = alignment_ == TAlignment::taLeftJustify    ? Qt::AlignLeft
                                : alignment_ == TAlignment::taRightJustify ? Qt::AlignRight
                                                                           : Qt::AlignHCenter;
        p.setFont(font());
        p.setPen(toQColor(paint::resolve(fontColor_, this)));
        p.drawText(paint::qRect(layout.captionRect), int(h | Qt::AlignVCenter | Qt::TextSingleLine), caption_);
    }
}

void TScrewPanel::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        pressed_ = true;
    QWidget::mousePressEvent(event);
}

void TScrewPanel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    if (click)
        emit clicked();
}

void TScrewPanel::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}

void TScrewPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        updateColors();
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange)
        update();
    QWidget::changeEvent(event);
}
