#include "widgets/led_button.h"

#include "widgets/painting.h"
#include "widgets/panel_geometry.h"

#include <QEvent>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcutEvent>

TLEDButton::TLEDButton(QWidget* parent) : QWidget(parent)
{
    resize(45, 45);
    updateColors();
}

void TLEDButton::setCaption(const QString& caption)
{
    caption_ = caption;
    updateShortcut();
    update();
}

void TLEDButton::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    updateColors();
    update();
}

void TLEDButton::setFontColor(TColor color)
{
    if (color == fontColor_)
        return;
    fontColor_ = color;
    update();
}

void TLEDButton::setColorLED(TColor color)
{
    if (color == colorLED_)
        return;
    colorLED_ = color;
    updateColors();
    update();
}

void TLEDButton::setLEDContrast(int contrast)
{
    if (contrast == ledContrast_ || contrast < 0 || contrast > 9)
        return;
    ledContrast_ = contrast;
    updateColors();
    update();
}

void TLEDButton::setShowLED(bool show)
{
    if (show == showLED_)
        return;
    showLED_ = show;
    update();
}

void TLEDButton::setStateOn(bool on)
{
    if (on == stateOn_)
        return;
    stateOn_ = on;
    update();
    emit stateOnChanged(on);
}

void TLEDButton::setSwitching(bool switching)
{
    switching_ = switching;
}

void TLEDButton::setButtonDirection(TButtonDirection direction)
{
    if (direction == direction_)
        return;
    direction_ = direction;
    update();
}

void TLEDButton::setBeveled(bool beveled)
{
    if (beveled == beveled_)
        return;
    beveled_ = beveled;
    update();
}

void TLEDButton::setDepth(int depth)
{
    if (depth == depth_ || depth < 0)
        return;
    depth_ = depth;
    update();
}

void TLEDButton::setBorderStyle(TLEDBorderStyle style)
{
    if (style == borderStyle_)
        return;
    borderStyle_ = style;
    update();
}

void TLEDButton::setTextPosition(TTextPosition position)
{
    if (position == textPosition_)
        return;
    textPosition_ = position;
    update();
}

void TLEDButton::setGlyph(const QImage& bitmap)
{
    glyph_ = bitmap;
    glyphFrames_ = paint::glyphFrames(glyph_, numGlyphs_);
    update();
}

void TLEDButton::setNumGlyphs(int count)
{
    if (count == numGlyphs_ || count < 1 || count > 4)
        return;
    numGlyphs_ = count;
    glyphFrames_ = paint::glyphFrames(glyph_, numGlyphs_);
    update();
}

void TLEDButton::updateColors()
{
    rgb_ = paint::resolve(color_, this);
    highlight_ = Lighten(rgb_, 0.5);
    shadow_ = Darken(rgb_, 0.6);
    unlitLED_ = Darken(paint::resolve(colorLED_, this), (10 - ledContrast_) / 10.0);
}

void TLEDButton::updateShortcut()
{
    if (shortcutId_ != 0)
        releaseShortcut(shortcutId_);
    shortcutId_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption_);
    if (!key.isEmpty())
        shortcutId_ = grabShortcut(key);
}

void TLEDButton::drawCaption(QPainter& p, const QRect& r, int verticalFlag)
{
    const TColor ink = isEnabled() ? paint::resolve(fontColor_, this) : paint::resolve(clGrayText, this);
    p.setPen(toQColor(ink));
    p.drawText(r, Qt::AlignHCenter | verticalFlag | Qt::TextSingleLine | Qt::TextShowMnemonic, caption_);
}

void TLEDButton::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setFont(font());
    const QFontMetrics fm(font());

    geo::LedButtonInput in;
    in.client = {0, 0, width(), height()};
    in.direction = direction_;
    in.depth = depth_;
    in.beveled = beveled_;
    in.pressed = pressed_;
    in.singleBorder = borderStyle_ == TLEDBorderStyle::bsSingle;
    in.showLED = showLED_;
    in.hasCaption = !caption_.isEmpty();
    in.textPosition = textPosition_;
    in.captionBand = fm.horizontalAdvance(QLatin1Char('W')) + 2;
    const geo::LedButtonLayout layout = geo::ledButtonLayout(in);

    if (layout.captionFirst)
        drawCaption(p, rect(), textPosition_ == TTextPosition::tpAbove ? Qt::AlignTop : Qt::AlignBottom);

    const QColor face = toQColor(rgb_);
    paint::fillRect(p, layout.face, face);
    if (layout.frame) {
        const geo::Rct& f = layout.face;
        const QColor frame = toQColor(paint::resolve(clWindowFrame, this));
        paint::drawStroke(p,
                          {geo::Ink::Border,
                           {{f.left, f.top},
                            {f.right - 1, f.top},
                            {f.right - 1, f.bottom - 1},
                            {f.left, f.bottom - 1},
                            {f.left, f.top}},
                           1},
                          frame);
    }
    const QColor light = toQColor(highlight_);
    const QColor dark = toQColor(shadow_);
    for (const geo::Stroke& s : layout.slab)
        paint::drawStroke(p, s, s.ink == geo::Ink::Highlight ? light : dark);

    if (layout.led && !layout.ledRect.isEmpty()) {
        const QColor fill = !isEnabled() ? face : toQColor(stateOn_ ? paint::resolve(colorLED_, this) : unlitLED_);
        paint::fillRect(p, layout.ledRect, Qt::black);
        paint::fillRect(p, layout.ledRect.inset(1), fill);
    }

    if (textPosition_ == TTextPosition::tpOnButton) {
        if (!caption_.isEmpty())
            drawCaption(p, paint::qRect(layout.content), Qt::AlignVCenter);
    } else if (!glyphFrames_.empty()) {
        const QImage& g = glyphFrames_[!isEnabled() && glyphFrames_.size() >= 2 ? 1 : 0];
        const QRect c = paint::qRect(layout.content);
        p.drawImage(c.left() + (c.width() - g.width()) / 2, c.top() + (c.height() - g.height()) / 2, g);
    }
}

void TLEDButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !isEnabled()) {
        QWidget::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    update();
}

void TLEDButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !pressed_) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    update();
    if (!isEnabled())
        return;
    // Only a release over the button is a click; the lamp follows the click, so that it never shows
    // a state the click handler did not see.
    if (rect().contains(event->position().toPoint())) {
        if (switching_)
            setStateOn(!stateOn_);
        emit clicked();
    }
}

void TLEDButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange)
        updateColors();
    if (event->type() == QEvent::EnabledChange && !isEnabled())
        pressed_ = false;
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
        event->type() == QEvent::EnabledChange)
        update();
    QWidget::changeEvent(event);
}

bool TLEDButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut && static_cast<QShortcutEvent*>(event)->shortcutId() == shortcutId_) {
        // The accelerator clicks an enabled button; the key is consumed either way.
        if (isEnabled()) {
            if (switching_)
                setStateOn(!stateOn_);
            emit clicked();
            update();
        }
        return true;
    }
    return QWidget::event(event);
}
