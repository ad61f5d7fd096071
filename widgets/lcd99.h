#pragma once
// TLCD99: a seven-segment display of digits, the letters A to Z, "-", ":" and decimal points (the
// clocks of the main and reception windows, the settings window's amount display). It paints
// opaquely, by default through an off-screen image to avoid flicker.
//
// Events: OnChange is changed(oldValue, newValue), raised after a new value has been stored.
// In dot mode every segment is drawn as a row of square dots SegmentSize wide, DotSpacing apart.
// With an Animation other than anNone and an AnimationDelay above 0, a new value replaces the old
// one cell by cell, one cell per AnimationDelay ms (left to right, right to left or at random);
// Value is the new value at once.

#include "widgets/colors.h"
#include "widgets/lcd_geometry.h"
#include "widgets/widget_types.h"

#include <QString>
#include <QWidget>

#include <vector>

class QTimer;

class TLCD99 final : public QWidget
{
    Q_OBJECT
public:
    explicit TLCD99(QWidget* parent = nullptr);

    // The stored form of a value: upper case; empty if it holds any character other than a digit,
    // A-Z, space, "-", "." or ":"; one trailing "." removed.
    static QString normalizedValue(const QString& value);

    QString value() const { return value_; }
    void setValue(const QString& value);

    // At least 1; other values are ignored.
    int digitNum() const { return digitNum_; }
    void setDigitNum(int count);
    // 0 or more.
    int digitSpacing() const { return digitSpacing_; }
    void setDigitSpacing(int spacing);
    // 1 or more.
    int segmentSize() const { return segmentSize_; }
    void setSegmentSize(int size);
    int gapX() const { return gapX_; }
    void setGapX(int gap);
    int gapY() const { return gapY_; }
    void setGapY(int gap);
    TColor color() const { return color_; }
    void setColor(TColor color);
    TColor onColor() const { return onColor_; }
    void setOnColor(TColor color);
    TColor offColor() const { return offColor_; }
    void setOffColor(TColor color);
    bool dotDisplay() const { return dotDisplay_; }
    void setDotDisplay(bool on);
    int dotSpacing() const { return dotSpacing_; }
    void setDotSpacing(int spacing);
    bool doubleBuffer() const { return doubleBuffer_; }
    void setDoubleBuffer(bool on) { doubleBuffer_ = on; }
    TLCDAnimation animation() const { return animation_; }
    void setAnimation(TLCDAnimation animation);
    int animationDelay() const { return animationDelay_; }
    void setAnimationDelay(int ms);
    // Only for designing a window: no effect while the program runs.
    bool preview() const { return preview_; }
    void setPreview(bool on) { preview_ = on; }

    bool isPainting() const { return painting_; }
    // Milliseconds the last paint took.
    int paintDuration() const { return paintDuration_; }

    // The cells shown now (differs from the value's cells only during an animation).
    std::vector<geo::LcdCell> shownCells() const;
    const QTimer* animationTimer() const { return timer_; }
    void animationTimerTick();

    QSize sizeHint() const override { return {92, 34}; }

signals:
    void changed(const QString& oldValue, const QString& newValue);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void drawDisplay(QPainter& p);
    void stopAnimation();

    QString value_;
    int digitNum_ = 4;
    int digitSpacing_ = 5;
    int segmentSize_ = 2;
    int gapX_ = 2;
    int gapY_ = 2;
    TColor color_ = clBlack;
    TColor onColor_ = clLime;
    TColor offColor_ = clBlack;
    bool dotDisplay_ = false;
    int dotSpacing_ = 2;
    bool doubleBuffer_ = true;
    TLCDAnimation animation_ = TLCDAnimation::anNone;
    int animationDelay_ = 0;
    bool preview_ = false;

    bool painting_ = false;
    int paintDuration_ = 0;
    // Animation state: the cells on screen and the cell indices still to turn over, in order.
    std::vector<geo::LcdCell> shown_;
    std::vector<int> pending_;
    QTimer* timer_ = nullptr;
};
