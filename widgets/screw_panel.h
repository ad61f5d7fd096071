#pragma once
// TScrewPanel: a panel with a bevel and a painted screw head in each corner; the reception window's
// room tiles and several frames. It paints with a handful of fills, lines and arcs and one text
// call and keeps no bitmaps, so that hundreds of tiles repaint cheaply every second.
//
// Events: OnClick is clicked() (press and release over the panel), OnDblClick doubleClicked().

#include "widgets/colors.h"
#include "widgets/widget_types.h"

#include <QString>
#include <QWidget>

class TScrewPanel final : public QWidget
{
    Q_OBJECT
public:
    explicit TScrewPanel(QWidget* parent = nullptr);

    QString caption() const { return caption_; }
    void setCaption(const QString& caption);
    QString text() const { return caption_; }
    void setText(const QString& text) { setCaption(text); }

    // Setting the colour recomputes the highlight Lighten(Color, 0.5) and the shadow Darken(Color, 0.6).
    TColor color() const { return color_; }
    void setColor(TColor color);
    TColor fontColor() const { return fontColor_; }
    void setFontColor(TColor color);
    TAlignment alignment() const { return alignment_; }
    void setAlignment(TAlignment alignment);
    TBevelStyle bevelOuter() const { return bevelOuter_; }
    void setBevelOuter(TBevelStyle style);
    TBevelStyle bevelInner() const { return bevelInner_; }
    void setBevelInner(TBevelStyle style);
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);
    int borderWidth() const { return borderWidth_; }
    void setBorderWidth(int width);
    // Accepted only when less than width - ScrewSize and less than height - ScrewSize.
    int margin() const { return margin_; }
    void setMargin(int margin);
    // 0..255 and less than width and height; the screw head is 4 x ScrewSize across.
    int screwSize() const { return screwSize_; }
    void setScrewSize(int size);
    bool showScrews() const { return showScrews_; }
    void setShowScrews(bool show);

    TColor highlightColor() const { return highlight_; }
    TColor shadowColor() const { return shadow_; }

    QSize sizeHint() const override { return {45, 45}; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateColors();

    QString caption_;
    TColor color_ = clBtnFace;
    TColor fontColor_ = clWindowText;
    TAlignment alignment_ = TAlignment::taCenter;
    TBevelStyle bevelOuter_ = TBevelStyle::bvRaised;
    TBevelStyle bevelInner_ = TBevelStyle::bvNone;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    int margin_ = 2;
    int screwSize_ = 2;
    bool showScrews_ = true;

    TColor rgb_ = 0;
    TColor highlight_ = 0;
    TColor shadow_ = 0;
    bool pressed_ = false;
};
