#pragma once
// ColorButton: the push button of every window. A coloured face with a two-colour bevel derived
// from the face colour, a raised or pressed border, optionally a colour gradient over the face,
// and a centred caption; it can also act in radio-like groups and repeat its click while held.
//
// Events: OnClick is the signal clicked(), raised on every release of the left button that began
// on the enabled button (also when released outside), on an auto-repeat tick, and on the Alt
// accelerator of the caption's "&" letter. OnStateChange is stateChanged(), raised when Down
// changes. Colours are TColor values (system colours such as clBtnFace resolved from the palette).
// The Layout property is glyphLayout() here, as QWidget::layout() names the widget's layout.

#include "widgets/colors.h"
#include "widgets/mnemonic_shortcut.h"
#include "widgets/widget_types.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

class QTimer;

class ColorButton final : public QWidget
{
    Q_OBJECT
public:
    explicit ColorButton(QWidget* parent = nullptr);
    ~ColorButton() override;

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString text() const { return caption_; }
    void setText(const QString& text) { setCaption(text); }

    TColor color() const { return color_; }
    void setColor(TColor color);
    // Colour of the caption (the font colour); a disabled button draws in clGrayText instead.
    TColor fontColor() const { return fontColor_; }
    void setFontColor(TColor color);
    TColor borderColor() const { return borderColor_; }
    void setBorderColor(TColor color);
    TButtonBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(TButtonBorderStyle style);
    // Accepted only when 0 or more and less than half the height and half the width.
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);
    // 0..9; other values are ignored.
    int contrastHighlight() const { return contrastHighlight_; }
    void setContrastHighlight(int value);
    int contrastShadow() const { return contrastShadow_; }
    void setContrastShadow(int value);
    TButtonGradientStyle gradientStyle() const { return gradientStyle_; }
    void setGradientStyle(TButtonGradientStyle style);
    TGradientDirection gradientDirection() const { return gradientDirection_; }
    void setGradientDirection(TGradientDirection direction);
    // While pressed, the gradient runs the other way and the caption moves up by TopMargin.
    bool changeDirection() const { return changeDirection_; }
    void setChangeDirection(bool on);

    bool down() const { return down_; }
    void setDown(bool down);
    bool grouped() const { return grouped_; }
    void setGrouped(bool grouped);
    int groupIndex() const { return groupIndex_; }
    void setGroupIndex(int index);
    bool allowAllUp() const { return allowAllUp_; }
    void setAllowAllUp(bool allow);
    bool allowTimer() const { return allowTimer_; }
    void setAllowTimer(bool allow);
    quint16 timerDelay() const { return timerDelay_; }
    void setTimerDelay(quint16 ms);
    quint16 timerInterval() const { return timerInterval_; }
    void setTimerInterval(quint16 ms);

    QImage glyph() const { return glyph_; }
    void setGlyph(const QImage& bitmap);
    // 0..4 frames side by side in the glyph; other values are ignored.
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);
    TButtonLayout glyphLayout() const { return layout_; }
    void setGlyphLayout(TButtonLayout layout);
    int margin() const { return margin_; }
    void setMargin(int margin);
    int spacing() const { return spacing_; }
    void setSpacing(int spacing);
    int topMargin() const { return topMargin_; }
    void setTopMargin(int margin);

    // Derived colours (RGB): Lighten(Color, (10 - ContrastHighlight) / 10) and
    // Darken(Color, (10 - ContrastShadow) / 10).
    TColor highlightColor() const { return highlight_; }
    TColor shadowColor() const { return shadow_; }
    // The 256 shades the gradient styles paint with.
    const ColorTable& gradientTable();

    // The auto-repeat timer (null until first used) and its handler, public so that tests can tick it.
    const QTimer* repeatTimer() const { return timer_; }
    void repeatTimerTick();

    QSize sizeHint() const override { return {75, 25}; }

signals:
    void clicked();
    void stateChanged();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateColors();

    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clBtnText;
    TColor borderColor_ = clBlack;
    TButtonBorderStyle borderStyle_ = TButtonBorderStyle::bsNormal;
    int bevelWidth_ = 1;
    int contrastHighlight_ = 5;
    int contrastShadow_ = 6;
    TButtonGradientStyle gradientStyle_ = TButtonGradientStyle::gsNone;
    TGradientDirection gradientDirection_ = TGradientDirection::gdDownRight;
    bool changeDirection_ = false;
    bool down_ = false;
    bool grouped_ = false;
    int groupIndex_ = 0;
    bool allowAllUp_ = false;
    bool allowTimer_ = false;
    quint16 timerDelay_ = 400;
    quint16 timerInterval_ = 100;
    QImage glyph_;
    std::vector<QImage> glyphFrames_;
    int numGlyphs_ = 0;
    TButtonLayout layout_ = TButtonLayout::blGlyphLeft;
    int margin_ = 1;
    int spacing_ = 1;
    int topMargin_ = 0;

    TColor rgb_ = 0; // Color resolved
    TColor highlight_ = 0;
    TColor shadow_ = 0;
    ColorTable table_{};
    bool tableStale_ = true;
    bool wasDown_ = false;   // Down before the current press
    bool mouseHeld_ = false; // a left press began on the button and is not yet released
    QTimer* timer_ = nullptr;
    MnemonicShortcut shortcut_{this};
};
