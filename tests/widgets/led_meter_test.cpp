#include "widgets/led_meter.h"

#include "widget_test_util.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(TLEDMeter, NewMeterValues)
{
    TLEDMeter m;
    EXPECT_EQ(m.size(), QSize(143, 16));
    EXPECT_EQ(m.min(), 0);
    EXPECT_EQ(m.max(), 100);
    EXPECT_EQ(m.numDigits(), 20);
    EXPECT_EQ(m.section2Value(), 75);
    EXPECT_EQ(m.section3Value(), 90);
    EXPECT_EQ(m.bevelStyle(), TBevelStyle::bvLowered);
    EXPECT_EQ(m.colors(), TLEDMeterColors{});
    EXPECT_EQ(m.colors().Section1, clLime);
}

// The room window's temperature bar: 55 maximum, 40 cells, both sections at 45, no bevel.
TEST(TLEDMeter, TemperatureBarLightsSevenCells)
{
    TLEDMeter m;
    m.resize(201, 16);
    m.setBevelStyle(TBevelStyle::bvNone);
    m.setMax(55);
    m.setNumDigits(40);
    m.setSection3Value(45);
    m.setSection2Value(45);
    m.setPosition(10);
    const QImage img = shot(m);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(pixelAt(img, 5 * i + 2, 8), i < 7 ? clLime : clBlack) << "cell " << i;
    // Cells share a black outline.
    EXPECT_EQ(pixelAt(img, 5, 8), clBlack);
    EXPECT_EQ(pixelAt(img, 6, 0), clBlack);
    EXPECT_EQ(pixelAt(img, 6, 15), clBlack);
}

TEST(TLEDMeter, ProgressBarSectionsAndBevel)
{
    TLEDMeter m; // 143 x 16, cells 7 wide from x = 1
    m.setPosition(100);
    const QImage img = shot(m);
    EXPECT_EQ(pixelAt(img, 1 + 7 * 14 + 3, 8), clLime);
    EXPECT_EQ(pixelAt(img, 1 + 7 * 15 + 3, 8), clYellow);
    EXPECT_EQ(pixelAt(img, 1 + 7 * 17 + 3, 8), clYellow);
    EXPECT_EQ(pixelAt(img, 1 + 7 * 18 + 3, 8), clRed);
    // Lowered bevel: shadow top-left, highlight bottom-right.
    const QPalette pal = m.palette();
    EXPECT_EQ(img.pixel(0, 5), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(img.pixel(142, 5), pal.color(QPalette::Light).rgb());
}

TEST(TLEDMeter, UnlitColoursDarkenedOnceColoursChange)
{
    TLEDMeter m;
    m.setPosition(10);
    EXPECT_EQ(pixelAt(shot(m), 1 + 7 * 10 + 3, 8), clBlack) << "never changed: unlit cells are black";
    m.setLEDContrast(6);
    EXPECT_EQ(m.unlitColors()[0], Darken(clLime, 0.4));
    EXPECT_EQ(m.unlitColors()[2], Darken(clRed, 0.4));
    EXPECT_EQ(pixelAt(shot(m), 1 + 7 * 10 + 3, 8), Darken(clLime, 0.4));
    m.setLEDContrast(10); // ignored
    EXPECT_EQ(m.ledContrast(), 6);

    TLEDMeter other;
    TLEDMeterColors c;
    c.Section2 = clBlue;
    other.setColors(c);
    EXPECT_EQ(other.unlitColors()[1], clBlue) << "contrast 0 darkens by a factor of 1";
}

TEST(TLEDMeter, PositionClampedAndChangeRaised)
{
    TLEDMeter m;
    QSignalSpy changes(&m, &TLEDMeter::changed);
    m.setPosition(250);
    EXPECT_EQ(m.position(), 100);
    m.setPosition(-5);
    EXPECT_EQ(m.position(), 0);
    m.setPosition(0);
    EXPECT_EQ(changes.count(), 2);
    m.setMax(40);
    m.setMin(40);
    m.setPosition(70);
    EXPECT_EQ(m.position(), 40);
    const QImage img = shot(m);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(pixelAt(img, 1 + 7 * i + 3, 8), clBlack) << "an empty range lights nothing";
    m.setMin(60); // Max below Min: Min wins
    m.setPosition(10);
    EXPECT_EQ(m.position(), 60);
}

TEST(TLEDMeter, SectionValuesStayInRangeAndOrder)
{
    TLEDMeter m;
    m.setMax(80);
    EXPECT_EQ(m.section2Value(), 75);
    EXPECT_EQ(m.section3Value(), 80);
    m.setMax(50);
    EXPECT_EQ(m.section2Value(), 50);
    EXPECT_EQ(m.section3Value(), 50);
    m.setMin(20);
    m.setSection2Value(10);
    EXPECT_EQ(m.section2Value(), 20);
    m.setSection3Value(30);
    m.setSection2Value(40);
    EXPECT_EQ(m.section2Value(), 30) << "not above Section3Value";
    m.setSection3Value(25);
    EXPECT_EQ(m.section3Value(), 30) << "not below Section2Value";
    m.setMin(35);
    EXPECT_EQ(m.section2Value(), 35);
    EXPECT_EQ(m.section3Value(), 35);
    m.setNumDigits(0);
    EXPECT_EQ(m.numDigits(), 20);
}

TEST(TLEDMeter, FallsBackOneUnitPerTick)
{
    TLEDMeter m;
    m.setFallbackDelay(10);
    m.setPosition(50);
    EXPECT_EQ(m.displayedValue(), 50) << "rising is immediate";
    QSignalSpy changes(&m, &TLEDMeter::changed);
    m.setPosition(47);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(m.position(), 47);
    EXPECT_EQ(m.displayedValue(), 50);
    ASSERT_TRUE(m.fallbackTimer()->isActive());
    EXPECT_EQ(m.fallbackTimer()->interval(), 10);
    m.fallbackTimerTick();
    EXPECT_EQ(m.displayedValue(), 49);
    m.fallbackTimerTick();
    m.fallbackTimerTick();
    EXPECT_EQ(m.displayedValue(), 47);
    EXPECT_FALSE(m.fallbackTimer()->isActive());
    // A rise during a fall shows the new value at once.
    m.setPosition(20);
    m.fallbackTimerTick();
    m.setPosition(60);
    EXPECT_EQ(m.displayedValue(), 60);
    EXPECT_FALSE(m.fallbackTimer()->isActive());
}

TEST(TLEDMeter, PeakHeldForHoldTime)
{
    qint64 now = 1000;
    TLEDMeter m;
    m.setClock([&now] { return now; });
    m.setPeakHoldTime(5); // half a second
    m.setPosition(80);
    EXPECT_EQ(m.peak(), 80);
    now += 300;
    m.setPosition(30);
    EXPECT_EQ(m.peak(), 80) << "held";
    QImage img = shot(m);
    EXPECT_EQ(pixelAt(img, 1 + 7 * 15 + 3, 8), clYellow) << "peak cell 15 lit";
    EXPECT_EQ(pixelAt(img, 1 + 7 * 14 + 3, 8), clBlack);
    now += 201; // more than 500 ms since the peak
    m.setPosition(20);
    EXPECT_EQ(m.peak(), 20);
    m.setPosition(90);
    EXPECT_EQ(m.peak(), 90) << "a higher value is the new peak at once";
}

} // namespace
