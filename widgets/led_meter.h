#pragma once
// TLEDMeter: a bar of LED cells in up to three colour sections, with an optional peak cell and a
// bar that falls back slowly (the room temperature bar and the start-up progress bar).
//
// Events: OnChange is changed(), raised after every change of Position. Timer handlers are public
// so that tests can drive them; the clock used for the peak hold time can be replaced likewise.

#include "widgets/colors.h"
#include "widgets/widget_types.h"

#include <QWidget>

#include <array>
#include <functional>

class QTimer;

// Cell outline and the colours of the three sections.
struct TLEDMeterColors
{
    TColor Border = clBlack;
    TColor Section1 = clLime;
    TColor Section2 = clYellow;
    TColor Section3 = clRed;
    bool operator==(const TLEDMeterColors&) const = default;
};

class TLEDMeter final : public QWidget
{
    Q_OBJECT
public:
    explicit TLEDMeter(QWidget* parent = nullptr);

    int min() const { return min_; }
    void setMin(int value);
    int max() const { return max_; }
    void setMax(int value);
    // Clamped to Min..Max.
    int position() const { return position_; }
    void setPosition(int value);
    // At least 1; other values are ignored.
    int numDigits() const { return numDigits_; }
    void setNumDigits(int count);
    TMeterDirection direction() const { return direction_; }
    void setDirection(TMeterDirection direction);
    // Kept within Min..Max, Section2Value not above Section3Value.
    int section2Value() const { return section2_; }
    void setSection2Value(int value);
    int section3Value() const { return section3_; }
    void setSection3Value(int value);
    TLEDMeterColors colors() const { return colors_; }
    void setColors(const TLEDMeterColors& colors);
    // 0..9: unlit cells are Darken(section colour, (10 - LEDContrast) / 10).
    int ledContrast() const { return ledContrast_; }
    void setLEDContrast(int contrast);
    bool singleLED() const { return singleLED_; }
    void setSingleLED(bool single);
    // Tenths of a second, 0..255; 0 shows no peak cell.
    int peakHoldTime() const { return peakHoldTime_; }
    void setPeakHoldTime(int tenths);
    // Milliseconds per unit of fall, 0..255; 0 falls at once.
    int fallbackDelay() const { return fallbackDelay_; }
    void setFallbackDelay(int ms);
    TBevelStyle bevelStyle() const { return bevelStyle_; }
    void setBevelStyle(TBevelStyle style);

    // The value the bar shows: Position, or above it while falling back.
    int displayedValue() const { return displayed_; }
    int peak() const { return peak_; }
    // Unlit colours of the three sections (RGB); black until a section colour or the contrast changes.
    std::array<TColor, 3> unlitColors() const { return unlit_; }

    const QTimer* fallbackTimer() const { return timer_; }
    void fallbackTimerTick();
    // Milliseconds of a monotonic clock, for the peak hold time.
    void setClock(std::function<qint64()> now) { now_ = std::move(now); }

    QSize sizeHint() const override { return {143, 16}; }

signals:
    void changed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void updateUnlit();
    void refresh();

    int min_ = 0;
    int max_ = 100;
    int position_ = 0;
    int numDigits_ = 20;
    TMeterDirection direction_ = TMeterDirection::mdRight;
    int section2_ = 75;
    int section3_ = 90;
    TLEDMeterColors colors_;
    int ledContrast_ = 0;
    bool singleLED_ = false;
    int peakHoldTime_ = 0;
    int fallbackDelay_ = 0;
    TBevelStyle bevelStyle_ = TBevelStyle::bvLowered;

    int displayed_ = 0;
    int peak_ = 0;
    qint64 peakTime_ = 0;
    bool unlitSet_ = false;
    std::array<TColor, 3> unlit_{clBlack, clBlack, clBlack};
    QTimer* timer_ = nullptr;
    std::function<qint64()> now_;
};
