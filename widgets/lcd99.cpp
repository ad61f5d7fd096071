#include "widgets/lcd99.h"

#include "widgets/painting.h"

#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>

TLCD99::TLCD99(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(92, 34);
    timer_ = new QTimer(this);
    connect(timer_, &QTimer::timeout, this, &TLCD99::animationTimerTick);
}

QString TLCD99::normalizedValue(const QString& value)
{
    QString v = value.toUpper();
    for (const QChar c : v) {
        const char16_t u = c.unicode();
        const bool ok =
            (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || u == u' ' || u == u'-' || u == u'.' || u == u':';
        if (!ok)
            return {};
    }
    if (v.endsWith(QLatin1Char('.')))
        v.chop(1);
    return v;
}

void TLCD99::setValue(const QString& value)
{
    const QString v = normalizedValue(value);
    if (v == value_)
        return;
    const QString old = value_;
    const std::vector<geo::LcdCell> before = shownCells();
    value_ = v;
    if (animation_ != TLCDAnimation::anNone && animationDelay_ > 0) {
        // Turn over only the cells that differ, in the animation's order.
        const std::vector<geo::LcdCell> after = geo::lcdCells(value_.toStdString(), digitNum_);
        shown_ = before;
        pending_.clear();
        for (int i = 0; i < digitNum_; ++i)
            if (!(before[size_t(i)] == after[size_t(i)]))
                pending_.push_back(i);
        if (animation_ == TLCDAnimation::anRightToLeft)
            std::reverse(pending_.begin(), pending_.end());
        else if (animation_ == TLCDAnimation::anRandom)
            std::shuffle(pending_.begin(), pending_.end(), *QRandomGenerator::global());
        if (pending_.empty())
            stopAnimation();
        else
            timer_->start(animationDelay_);
    } else {
        stopAnimation();
    }
    emit changed(old, value_);
    update();
}

std::vector<geo::LcdCell> TLCD99::shownCells() const
{
    if (!pending_.empty())
        return shown_;
    return geo::lcdCells(value_.toStdString(), digitNum_);
}

void TLCD99::animationTimerTick()
{
    if (pending_.empty()) {
        stopAnimation();
        return;
    }
    const std::vector<geo::LcdCell> target = geo::lcdCells(value_.toStdString(), digitNum_);
    const int i = pending_.front();
    pending_.erase(pending_.begin());
    if (size_t(i) < shown_.size() && size_t(i) < target.size())
        shown_[size_t(i)] = target[size_t(i)];
    if (pending_.empty())
        stopAnimation();
    update();
}

void TLCD99::stopAnimation()
{
    timer_->stop();
    pending_.clear();
    shown_.clear();
}

void TLCD99::setDigitNum(int count)
{
    if (count == digitNum_ || count < 1)
        return;
    digitNum_ = count;
    stopAnimation();
    update();
}

void TLCD99::setDigitSpacing(int spacing)
{
    if (spacing == digitSpacing_ || spacing < 0)
        return;
    digitSpacing_ = spacing;
    update();
}

void TLCD99::setSegmentSize(int size)
{
    if (size == segmentSize_ || size < 1)
        return;
    segmentSize_ = size;
    update();
}

void TLCD99::setGapX(int gap)
{
    if (gap == gapX_ || gap < 0)
        return;
    gapX_ = gap;
    update();
}

void TLCD99::setGapY(int gap)
{
    if (gap == gapY_ || gap < 0)
        return;
    gapY_ = gap;
    update();
}

void TLCD99::setColor(TColor color)
{
    if (color == color_)
        return;
    color_ = color;
    update();
}

void TLCD99::setOnColor(TColor color)
{
    if (color == onColor_)
        return;
    onColor_ = color;
    update();
}

void TLCD99::setOffColor(TColor color)
{
    if (color == offColor_)
        return;
    offColor_ = color;
    update();
}

void TLCD99::setDotDisplay(bool on)
{
    if (on == dotDisplay_)
        return;
    dotDisplay_ = on;
    update();
}

void TLCD99::setDotSpacing(int spacing)
{
    if (spacing == dotSpacing_ || spacing < 0)
        return;
    dotSpacing_ = spacing;
    update();
}

void TLCD99::setAnimation(TLCDAnimation animation)
{
    animation_ = animation;
    if (animation_ == TLCDAnimation::anNone)
        stopAnimation();
}

void TLCD99::setAnimationDelay(int ms)
{
    if (ms >= 0)
        animationDelay_ = ms;
}

void TLCD99::drawDisplay(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(rect(), toQColor(paint::resolve(color_, this)));
    const QColor on = toQColor(paint::resolve(onColor_, this));
    const QColor off = toQColor(paint::resolve(offColor_, this));
    const geo::LcdMetrics m = geo::lcdMetrics(width(), height(), digitNum_, digitSpacing_, segmentSize_, gapX_, gapY_);
    const std::vector<geo::LcdCell> cells = shownCells();
    for (int i = 0; i < int(cells.size()); ++i) {
        const unsigned lit = geo::lcdSegments(cells[size_t(i)].ch);
        if (dotDisplay_) {
            for (int k = 1; k <= 8; ++k) {
                const QColor& c = (lit & geo::segmentBit(k)) ? on : off;
                for (const geo::Rct& dot : geo::lcdSegmentDots(m, i, k, dotSpacing_))
                    paint::fillRect(p, dot, c);
            }
            continue;
        }
        const auto polygons = geo::lcdSegmentPolygons(m, i);
        for (int k = 1; k <= 7; ++k)
            paint::solidPolygon(p, polygons[size_t(k - 1)], (lit & geo::segmentBit(k)) ? on : off);
        const QColor& colon = (lit & geo::segmentBit(8)) ? on : off;
        for (const geo::Rct& dot : geo::lcdColonDots(m, i))
            paint::ellipse(p, dot, colon, colon);
    }
    for (int i = 0; i < int(cells.size()); ++i)
        paint::fillRect(p, geo::lcdDecimalPoint(m, i), cells[size_t(i)].dot ? on : off);
}

void TLCD99::paintEvent(QPaintEvent*)
{
    // A paint that starts while another one runs (re-entered from drawing) returns at once.
    if (painting_)
        return;
    painting_ = true;
    QElapsedTimer clock;
    clock.start();
    QPainter p(this);
    QImage buffer;
    if (doubleBuffer_)
        buffer = QImage(size(), QImage::Format_RGB32);
    if (!buffer.isNull()) {
        QPainter bp(&buffer);
        drawDisplay(bp);
        bp.end();
        p.drawImage(0, 0, buffer);
    } else {
        drawDisplay(p); // no buffer wanted, or no memory for it: paint on the screen
    }
    paintDuration_ = int(clock.elapsed());
    painting_ = false;
}
