#pragma once
// GradientBackground: a window background filled with a 256-step colour gradient in one of ten
// geometric styles, optionally framed by a bevel. The rendering is kept in an off-screen image
// (Buffered) and rendered again only after a resize or a property change.
//
// Events: OnClick is clicked(), OnDblClick doubleClicked(). With align alClient the background
// follows its parent's size and stays behind the parent's other children.

#include "widgets/colors.h"
#include "widgets/widget_types.h"

#include <QImage>
#include <QWidget>

class GradientBackground final : public QWidget
{
    Q_OBJECT
public:
    enum class TAlign { alNone, alClient };

    explicit GradientBackground(QWidget* parent = nullptr);

    TColor startColor() const { return startColor_; }
    void setStartColor(TColor color);
    TColor endColor() const { return endColor_; }
    void setEndColor(TColor color);
    TGradientDirection direction() const { return direction_; }
    void setDirection(TGradientDirection direction);
    TGradientBkStyle style() const { return style_; }
    void setStyle(TGradientBkStyle style);
    // 1..10; other values are ignored.
    int stepWidth() const { return stepWidth_; }
    void setStepWidth(int width);
    TBevelStyle bevelStyle() const { return bevelStyle_; }
    void setBevelStyle(TBevelStyle style);
    // 0..255; other values are ignored.
    int bevelWidth() const { return bevelWidth_; }
    void setBevelWidth(int width);
    bool buffered() const { return buffered_; }
    void setBuffered(bool buffered);
    TAlign align() const { return align_; }
    void setAlign(TAlign align);

    // The 256 colours from StartColor towards EndColor (RGB).
    const ColorTable& colorTable() const { return table_; }
    // How many times the gradient has been rendered (into the buffer or directly): a buffered
    // repaint of an unchanged background only copies the image and does not count.
    int renderCount() const { return renderCount_; }

    // Renders bevel and gradient on p over the whole control, unbuffered.
    void renderGradient(QPainter& p);

    QSize sizeHint() const override { return {100, 80}; }

signals:
    void clicked();
    void doubleClicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void changed();
    void rebuildTable();
    bool coversEverything() const;

    TColor startColor_ = clBlue;
    TColor endColor_ = clBlack;
    TGradientDirection direction_ = TGradientDirection::gdDownRight;
    TGradientBkStyle style_ = TGradientBkStyle::gsVertical;
    int stepWidth_ = 1;
    TBevelStyle bevelStyle_ = TBevelStyle::bvNone;
    int bevelWidth_ = 1;
    bool buffered_ = true;
    TAlign align_ = TAlign::alNone;

    ColorTable table_{};
    QImage buffer_;
    bool bufferStale_ = true;
    int renderCount_ = 0;
    bool pressed_ = false;
};
