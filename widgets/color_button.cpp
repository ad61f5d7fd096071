#include "widgets/color_button.h"

#include "widgets/button_geometry.h"
#include "widgets/gradient_geometry.h"
#include "widgets/painting.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>
#include <QTimer>

ColorButton::ColorButton(QWidget* parent) : QWidget(parent)
{
    // Every pixel is painted, so the background need not be erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(75, 25);
    updateColors();
}

ColorButton::~ColorButton() = default;

void ColorButton::setCaption(const QString& caption)
{
    caption_ = caption;
    updateShortcut();
    update();
}

void ColorButton::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    updateColors();
    update();
}

void ColorButton::setFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

void ColorButton::setBorderColor(TColor color)
{
    if (color == borderColor_)
        return;
    borderColor_ = color;
    update();
}

void ColorButton::setBorderStyle(TButtonBorderStyle style)
{
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    update();
}

void ColorButton::setBevelWidth(int width)
{
    if (width == bevelWidth_ || width < 0 || 2 * width >= height() || 2 * width >= this->width())
        return;
    bevelWidth_ = width;
    update();
}

void ColorButton::setContrastHighlight(int value)
{
    if (value == contrastHighlight_ || value < 0 || value > 9)
        return;
    contrastHighlight_ = value;
    updateColors();
    update();
}

void ColorButton::setContrastShadow(int value)
{
    if (value == contrastShadow_ || value < 0 || value > 9)
        return;
    contrastShadow_ = value;
    updateColors();
    update();
}

void ColorButton::setGradientStyle(TButtonGradientStyle style)
{
    if (style == gradientStyle_)
        return;
    gradientStyle_ = style;
    update();
}

void ColorButton::setGradientDirection(TGradientDirection direction)
{
    if (direction == gradientDirection_)
        return;
    gradientDirection_ = direction;
    tableStale_ = true;
    update();
}

void ColorButton::setChangeDirection(bool on)
{
    if (on == changeDirection_)
        return;
    changeDirection_ = on;
    update();
}

void ColorButton::setDown(bool down)
{
    if (down == down_)
        return;
    down_ = down;
    update();
    emit stateChanged();
}

void ColorButton::setGrouped(bool grouped)
{
    if (grouped == grouped_)
        return;
    grouped_ = grouped;
    update();
}

void ColorButton::setGroupIndex(int index)
{
    if (index == groupIndex_)
        return;
    groupIndex_ = index;
    update();
}

void ColorButton::setAllowAllUp(bool allow)
{
    allowAllUp_ = allow;
}
void ColorButton::setAllowTimer(bool allow)
{
    allowTimer_ = allow;
}
void ColorButton::setTimerDelay(quint16 ms)
{
    timerDelay_ = ms;
}
void ColorButton::setTimerInterval(quint16 ms)
{
    timerInterval_ = ms;
}

void ColorButton::setGlyph(const QImage& bitmap)
{
    glyph_ = bitmap;
    glyphFrames_ = paint::glyphFrames(glyph_, numGlyphs_);
    update();
}

void ColorButton::setNumGlyphs(int count)
{
    if (count == numGlyphs_ || count < 0 || count > 4)
        return;
    numGlyphs_ = count;
    glyphFrames_ = paint::glyphFrames(glyph_, numGlyphs_);
    update();
}

void ColorButton::setGlyphLayout(TButtonLayout layout)
{
    if (layout == layout_)
        return;
    layout_ = layout;
    update();
}

void ColorButton::setMargin(int margin)
{
    if (margin == margin_)
        return;
    margin_ = margin;
    update();
}

void ColorButton::setSpacing(int spacing)
{
    if (spacing == spacing_)
        return;
    spacing_ = spacing;
    update();
}

void ColorButton::setTopMargin(int margin)
{
    if (margin == topMargin_)
        return;
    topMargin_ = margin;
    update();
}

const ColorTable& ColorButton::gradientTable()
{
    // Rebuilt lazily whenever its inputs changed, also while the button has no gradient, so that a
    // button given its colour first and its gradient style later never paints a stale table.
    if (tableStale_) {
        table_ = buttonGradientTable(rgb_, gradientDirection_);
        tableStale_ = false;
    }
    return table_;
}

void ColorButton::updateColors()
{
    rgb_ = paint::resolve(color_, this);
    highlight_ = Lighten(rgb_, (10 - contrastHighlight_) / 10.0);
    shadow_ = Darken(rgb_, (10 - contrastShadow_) / 10.0);
    tableStale_ = true;
}

void ColorButton::updateShortcut()
{
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

void ColorButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    const geo::Rct client{0, 0, width(), height()};
    const QColor face = toQColor(rgb_);
    const bool hasGradient = gradientStyle_ != TButtonGradientStyle::gsNone;

    const geo::Rct faceRect = geo::buttonFaceRect(client, bevelWidth_, borderStyle_);
    paint::fillRect(p, faceRect, face);
    if (hasGradient)
        paint::drawGradient(p, geo::buttonGradientShapes(gradientStyle_, width(), height()), gradientTable(),
                            changeDirection_ && down_);

    // Frame of the glyph: the second when disabled, the third when down, if the bitmap has them.
    const QImage* glyph = nullptr;
    if (numGlyphs_ != 0 && !glyphFrames_.empty()) {
        size_t frame = 0;
        if (!isEnabled() && glyphFrames_.size() >= 2)
            frame = 1;
        else if (down_ && glyphFrames_.size() >= 3)
            frame = 2;
        glyph = &glyphFrames_[frame];
    }

    p.setFont(font());
    const QSize textSize =
        caption_.isEmpty() ? QSize() : QFontMetrics(font()).size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
    geo::ButtonContentInput in;
    in.face = faceRect;
    in.textWidth = textSize.width();
    in.textHeight = textSize.height();
    in.hasCaption = !caption_.isEmpty();
    in.hasGlyph = glyph != nullptr;
    in.glyphWidth = glyph ? glyph->width() : 0;
    in.glyphHeight = glyph ? glyph->height() : 0;
    in.layout = layout_;
    in.margin = margin_;
    in.spacing = spacing_;
    in.topMargin = topMargin_;
    in.down = down_;
    in.changeDirection = changeDirection_;
    // A pressed button without gradient shows its up face moved one pixel right and down.
    in.contentMovesRight = !hasGradient;
    const geo::ButtonContent content = geo::buttonContentLayout(in);

    if (glyph)
        p.drawImage(content.glyph.x, content.glyph.y, *glyph);
    if (!caption_.isEmpty()) {
        if (!hasGradient)
            paint::fillRect(p, content.captionFill, face);
        const TColor ink = isEnabled() ? paint::resolve(fontColor_, this) : paint::resolve(clGrayText, this);
        p.setPen(toQColor(ink));
        p.drawText(QRect(content.caption.x, content.caption.y, in.textWidth, in.textHeight),
                   Qt::AlignCenter | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
    }

    const QColor border = toQColor(paint::resolve(borderColor_, this));
    for (const geo::Stroke& s : geo::buttonFrameStrokes(client, borderStyle_, bevelWidth_, down_)) {
        const QColor c = s.ink == geo::Ink::Highlight ? toQColor(highlight_)
                         : s.ink == geo::Ink::Shadow  ? toQColor(shadow_)
                                                      : border;
        paint::drawStroke(p, s, c);
    }
}

void ColorButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    mouseHeld_ = true;
    wasDown_ = down_;
    if (!down_)
        setDown(true);
    if (allowTimer_) {
        if (!timer_) {
            timer_ = new QTimer(this);
            connect(timer_, &QTimer::timeout, this, &ColorButton::repeatTimerTick);
        }
        timer_->start(timerDelay_);
    }
}

void ColorButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !mouseHeld_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    mouseHeld_ = false;
    if (timer_)
        timer_->stop();
    if (!isEnabled())
        return;
    if (down_ && (!grouped_ || (wasDown_ && allowAllUp_)))
        setDown(false);
    if (grouped_ && down_ && parentWidget()) {
        for (ColorButton* other : parentWidget()->findChildren<ColorButton*>(Qt::FindDirectChildrenOnly))
            if (other != this && other->grouped_ && other->groupIndex_ == groupIndex_ && other->down_)
                other->setDown(false);
    }
    // The click comes on every release of a press that began here, wherever the pointer is now.
    emit clicked();
}

void ColorButton::repeatTimerTick()
{
    if (!timer_)
        return;
    timer_->setInterval(timerInterval_);
    if (down_ && isEnabled() && mouseHeld_) {
        try {
            emit clicked();
        } catch (...) {
            timer_->stop();
            throw;
        }
    }
}

void ColorButton::changeEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::EnabledChange:
        if (!grouped_)
            setDown(false);
        update();
        break;
    case QEvent::PaletteChange:
        updateColors();
        update();
        break;
    case QEvent::FontChange:
        update();
        break;
    default:
        break;
    }
    QWidget::changeEvent(event);
}

bool ColorButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        // The Alt accelerator clicks an enabled button; a disabled one leaves the key to others.
        if (!isEnabled())
            return false;
        emit clicked();
        return true;
    }
    return QWidget::event(event);
}
