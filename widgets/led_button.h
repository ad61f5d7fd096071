#pragma once
// TLEDButton: a push button drawn as a three-dimensional slab with an LED lamp on it (the room
// window's lock indicator). A click toggles the lamp when Switching is set.
//
// Events: OnClick is clicked(), the standard click (press and release over the button), also
// raised by the Alt accelerator of the caption's "&" letter. stateOnChanged(bool) reports every
// change of StateOn.

#include "widgets/colors.h"
#include "widgets/mnemonic_shortcut.h"
#include "widgets/widget_types.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <vector>

class TLEDButton final : public QWidget
{
    Q_OBJECT
public:
    explicit TLEDButton(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString text() const { return caption_; }
    void setText(const QString& text) { setCaption(text); }

    // Setting the colour recomputes the highlight Lighten(Color, 0.5) and the shadow Darken(Color, 0.6).
    TColor color() const { return color_; }
    void setColor(TColor color);
    TColor fontColor() const { return fontColor_; }
    void setFontColor(TColor color);
    TColor colorLED() const { return colorLED_; }
    void setColorLED(TColor color);
    // 0..9, the unlit LED is Darken(ColorLED, (10 - LEDContrast) / 10); other values are ignored.
    int ledContrast() const { return ledContrast_; }
    void setLEDContrast(int contrast);
    bool showLED() const { return showLED_; }
    void setShowLED(bool show);
    bool stateOn() const { return stateOn_; }
    void setStateOn(bool on);
    bool switching() const { return switching_; }
    void setSwitching(bool switching);
    TButtonDirection buttonDirection() const { return direction_; }
    void setButtonDirection(TButtonDirection direction);
    bool beveled() const { return beveled_; }
    void setBeveled(bool beveled);
    // Slab thickness in pixels, 0 or more.
    int depth() const { return depth_; }
    void setDepth(int depth);
    TLEDBorderStyle borderStyle() const { return borderStyle_; }
    void setBorderStyle(TLEDBorderStyle style);
    TTextPosition textPosition() const { return textPosition_; }
    void setTextPosition(TTextPosition position);
    QImage glyph() const { return glyph_; }
    void setGlyph(const QImage& bitmap);
    int numGlyphs() const { return numGlyphs_; }
    void setNumGlyphs(int count);

    bool pressed() const { return pressed_; }
    TColor highlightColor() const { return highlight_; }
    TColor shadowColor() const { return shadow_; }
    TColor unlitLEDColor() const { return unlitLED_; }

    QSize sizeHint() const override { return {45, 45}; }

signals:
    void clicked();
    void stateOnChanged(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void updateColors();
    void drawCaption(QPainter& p, const QRect& r, int verticalFlag);

    QString caption_;
    TColor color_ = clGray;
    TColor fontColor_ = clWindowText;
    TColor colorLED_ = clBlue;
    int ledContrast_ = 6;
    bool showLED_ = true;
    bool stateOn_ = false;
    bool switching_ = true;
    TButtonDirection direction_ = TButtonDirection::bdBottomUp;
    bool beveled_ = true;
    int depth_ = 3;
    TLEDBorderStyle borderStyle_ = TLEDBorderStyle::bsSingle;
    TTextPosition textPosition_ = TTextPosition::tpNone;
    QImage glyph_;
    int numGlyphs_ = 1;
    std::vector<QImage> glyphFrames_;

    bool pressed_ = false;
    TColor rgb_ = 0;
    TColor highlight_ = 0;
    TColor shadow_ = 0;
    TColor unlitLED_ = 0;
    MnemonicShortcut shortcut_{this};
};
