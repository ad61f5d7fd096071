#include "widgets/led_meter.h"

#include "widgets/painting.h"
#include "widgets/panel_geometry.h"

#include <QElapsedTimer>
#include <QEvent>
#include <QPainter>
#include <QTimer>

namespace {

// v limited to lo..hi; when the range is inverted (Max below Min) Min wins.
int limit(int v, int lo, int hi)
{
    return v > hi ? (hi < lo ? lo : hi) : (v < lo ? lo : v);
}

qint64 monotonicMs()
{
    static QElapsedTimer clock = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return clock.elapsed();
}

} // namespace

TLEDMeter::TLEDMeter(QWidget* parent) : QWidget(parent), now_(monotonicMs)
{
    resize(143, 16);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TLEDMeter::fallbackTimerTick);
}

void TLEDMeter::refresh()
{
    if (isVisible())
        repaint();
}

void TLEDMeter::setMin(int value)
{
    if (value == min_)
        return;
    min_ = value;
    section2_ = std::max(section2_, min_);
    section3_ = std::max(section3_, min_);
    update();
}

void TLEDMeter::setMax(int value)
{
    if (value == max_)
        return;
    max_ = value;
    section2_ = std::min(section2_, max_);
    section3_ = std::min(section3_, max_);
    update();
}

void TLEDMeter::setPosition(int value)
{
    value = limit(value, min_, max_);
    if (value == position_)
        return;
    const int old = position_;
    const qint64 now = now_();
    if (value >= peak_ || now - peakTime_ > qint64(peakHoldTime_) * 100) {
        peak_ = value;
        peakTime_ = now;
    }
    position_ = value;
    if (fallbackDelay_ != 0 && value < old) {
        // The bar stays where it is and falls one unit per tick.
        timer_->start(fallbackDelay_);
    } else {
        timer_->stop();
        displayed_ = value;
    }
    refresh();
    emit changed();
}

void TLEDMeter::fallbackTimerTick()
{
    if (displayed_ > position_)
        --displayed_;
    if (displayed_ <= position_) {
        displayed_ = position_;
        timer_->stop();
    }
    refresh();
}

void TLEDMeter::setNumDigits(int count)
{
    if (count == numDigits_ || count < 1)
        return;
    numDigits_ = count;
    update();
}

void TLEDMeter::setDirection(TMeterDirection direction)
{
    if (direction == direction_)
        return;
    direction_ = direction;
    update();
}

void TLEDMeter::setSection2Value(int value)
{
    value = std::min(limit(value, min_, max_), section3_);
    if (value == section2_)
        return;
    section2_ = value;
    update();
}

void TLEDMeter::setSection3Value(int value)
{
    value = std::max(limit(value, min_, max_), section2_);
    if (value == section3_)
        return;
    section3_ = value;
    update();
}

void TLEDMeter::setColors(const TLEDMeterColors& colors)
{
    if (colors == colors_)
        return;
    const bool sectionsChanged = colors.Section1 != colors_.Section1 || colors.Section2 != colors_.Section2 ||
                                 colors.Section3 != colors_.Section3;
    colors_ = colors;
    if (sectionsChanged) {
        unlitSet_ = true;
        updateUnlit();
    }
    update();
}

void TLEDMeter::setLEDContrast(int contrast)
{
    if (contrast == ledContrast_ || contrast < 0 || contrast > 9)
        return;
    ledContrast_ = contrast;
    unlitSet_ = true;
    updateUnlit();
    update();
}

void TLEDMeter::updateUnlit()
{
    if (!unlitSet_)
        return;
    const double x = (10 - ledContrast_) / 10.0;
    unlit_ = {Darken(paint::resolve(colors_.Section1, this), x), Darken(paint::resolve(colors_.Section2, this), x),
              Darken(paint::resolve(colors_.Section3, this), x)};
}

void TLEDMeter::setSingleLED(bool single)
{
    if (single == singleLED_)
        return;
    singleLED_ = single;
    update();
}

void TLEDMeter::setPeakHoldTime(int tenths)
{
    if (tenths == peakHoldTime_ || tenths < 0 || tenths > 255)
        return;
    peakHoldTime_ = tenths;
    update();
}

void TLEDMeter::setFallbackDelay(int ms)
{
    if (ms == fallbackDelay_ || ms < 0 || ms > 255)
        return;
    fallbackDelay_ = ms;
    if (ms == 0 && timer_->isActive()) {
        timer_->stop();
        displayed_ = position_;
        update();
    }
}

void TLEDMeter::setBevelStyle(TBevelStyle style)
{
    if (style == bevelStyle_)
        return;
    bevelStyle_ = style;
    update();
}

void TLEDMeter::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);
    geo::LedMeterInput in;
    in.width = width();
    in.height = height();
    in.numDigits = numDigits_;
    in.min = min_;
    in.max = max_;
    in.value = displayed_;
    in.section2Value = section2_;
    in.section3Value = section3_;
    in.peak = peak_;
    in.peakHoldTime = peakHoldTime_;
    in.singleLED = singleLED_;
    in.direction = direction_;
    in.bevel = bevelStyle_ != TBevelStyle::bvNone;

    const QColor lit[3] = {toQColor(paint::resolve(colors_.Section1, this)),
                           toQColor(paint::resolve(colors_.Section2, this)),
                           toQColor(paint::resolve(colors_.Section3, this))};
    const QColor dark[3] = {toQColor(unlit_[0]), toQColor(unlit_[1]), toQColor(unlit_[2])};
    const QColor border = toQColor(paint::resolve(colors_.Border, this));
    for (const geo::LedCell& cell : geo::ledMeterCells(in)) {
        const geo::Rct& r = cell.rect;
        paint::fillRect(p, r, border);
        paint::fillRect(p, r.inset(1), cell.on ? lit[cell.section] : dark[cell.section]);
    }
    const QColor light = toQColor(paint::resolve(clBtnHighlight, this));
    const QColor shadow = toQColor(paint::resolve(clBtnShadow, this));
    for (const geo::Stroke& s : geo::ledMeterBevel(width(), height(), bevelStyle_))
        paint::drawStroke(p, s, s.ink == geo::Ink::Highlight ? light : shadow);
}

void TLEDMeter::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::PaletteChange) {
        updateUnlit();
        update();
    }
    QWidget::changeEvent(event);
}
