#include "widgets/lcd99.h"

#include "widget_test_util.h"
#include "widgets/lcd_geometry.h"

#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <string>

namespace {

struct ValueCase
{
    const char* name;
    const char* in;
    const char* stored;
};

void PrintTo(const ValueCase& c, std::ostream* os)
{
    *os << c.name;
}

class LcdValueTest : public testing::TestWithParam<ValueCase>
{
};

TEST_P(LcdValueTest, StoredForm)
{
    EXPECT_EQ(TLCD99::normalizedValue(QString::fromUtf8(GetParam().in)), QString::fromUtf8(GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Values, LcdValueTest,
                         testing::Values(ValueCase{"Clock", "12:30:45", "12:30:45"},
                                         ValueCase{"LowerCaseToUpper", "hotel-ab", "HOTEL-AB"},
                                         ValueCase{"QuestionMarkEmpties", "12?3", ""},
                                         ValueCase{"AccentedLetterEmpties", "Kč", ""},
                                         ValueCase{"OneTrailingPointRemoved", "12.", "12"},
                                         ValueCase{"OnlyOneTrailingPointRemoved", "12..", "12."},
                                         ValueCase{"InnerPointKept", "12.5", "12.5"},
                                         ValueCase{"SpacesKept", " 7 ", " 7 "}, ValueCase{"Empty", "", ""}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TLCD99, NewDisplayValues)
{
    TLCD99 d;
    EXPECT_EQ(d.size(), QSize(92, 34));
    EXPECT_EQ(d.digitNum(), 4);
    EXPECT_EQ(d.digitSpacing(), 5);
    EXPECT_EQ(d.segmentSize(), 2);
    EXPECT_EQ(d.gapX(), 2);
    EXPECT_EQ(d.gapY(), 2);
    EXPECT_EQ(d.color(), clBlack);
    EXPECT_EQ(d.onColor(), clLime);
    EXPECT_EQ(d.offColor(), clBlack);
    EXPECT_TRUE(d.doubleBuffer());
    EXPECT_TRUE(d.value().isEmpty());
}

TEST(TLCD99, ChangeCarriesOldAndNewValue)
{
    TLCD99 d;
    QSignalSpy changes(&d, &TLCD99::changed);
    d.setValue(QStringLiteral("12:30"));
    d.setValue(QStringLiteral("12:30"));
    d.setValue(QStringLiteral("1?"));
    ASSERT_EQ(changes.count(), 2);
    EXPECT_EQ(changes[0][0].toString(), QString());
    EXPECT_EQ(changes[0][1].toString(), QStringLiteral("12:30"));
    EXPECT_EQ(changes[1][0].toString(), QStringLiteral("12:30"));
    EXPECT_EQ(changes[1][1].toString(), QString());
    EXPECT_TRUE(d.value().isEmpty());
}

// The clock of the windows: 8 cells, spacing 1, segments 3 thick, gaps 1.
class ClockDisplay : public testing::Test
{
protected:
    void SetUp() override
    {
        lcd.resize(180, 40);
        lcd.setDigitNum(8);
        lcd.setDigitSpacing(1);
        lcd.setGapX(1);
        lcd.setGapY(1);
        lcd.setSegmentSize(3);
        lcd.setOffColor(rgbColor(0, 40, 0)); // visible, to tell unlit segments from background
        m = geo::lcdMetrics(180, 40, 8, 1, 3, 1, 1);
    }

    // Centre pixels of the top, middle and upper-right segments and the upper colon dot of cell i.
    QPoint top(int i) const { return {m.cellX(i) + m.w / 2, 1}; }
    QPoint middle(int i) const { return {m.cellX(i) + m.w / 2, m.h / 2}; }
    QPoint upperRight(int i) const { return {m.cellX(i) + m.w - 1, m.h / 4}; }
    QPoint colon(int i) const
    {
        const geo::Rct r = geo::lcdColonDots(m, i)[0];
        return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    }

    TLCD99 lcd;
    geo::LcdMetrics m;
    const TColor off = rgbColor(0, 40, 0);
};

TEST_F(ClockDisplay, TwelveThirtyOnEightCells)
{
    lcd.setValue(QStringLiteral("12:30"));
    const QImage img = shot(lcd);
    // Three blank cells: every segment unlit.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(countColor(img, QRect(m.cellX(i), 0, m.w + 1, 40), clLime), 0) << i;
        EXPECT_EQ(pixelAt(img, top(i).x(), top(i).y()), off) << i;
    }
    // "1": right segments only.
    EXPECT_EQ(pixelAt(img, upperRight(3).x(), upperRight(3).y()), clLime);
    EXPECT_EQ(pixelAt(img, top(3).x(), top(3).y()), off);
    // "2": top and middle.
    EXPECT_EQ(pixelAt(img, top(4).x(), top(4).y()), clLime);
    EXPECT_EQ(pixelAt(img, middle(4).x(), middle(4).y()), clLime);
    // ":": the colon lit, no segment.
    EXPECT_EQ(pixelAt(img, colon(5).x(), colon(5).y()), clLime);
    EXPECT_EQ(pixelAt(img, top(5).x(), top(5).y()), off);
    // "3" and "0": the middle tells them apart.
    EXPECT_EQ(pixelAt(img, middle(6).x(), middle(6).y()), clLime);
    EXPECT_EQ(pixelAt(img, middle(7).x(), middle(7).y()), off);
    EXPECT_EQ(pixelAt(img, top(7).x(), top(7).y()), clLime);
    // Other cells draw their colon unlit.
    EXPECT_EQ(pixelAt(img, colon(7).x(), colon(7).y()), off);
}

TEST_F(ClockDisplay, LowerCaseShownUpperAndInvalidShowsNothing)
{
    lcd.setValue(QStringLiteral("abcdefgh"));
    EXPECT_EQ(lcd.value(), QStringLiteral("ABCDEFGH"));
    EXPECT_GT(countColor(shot(lcd), lcd.rect(), clLime), 100);
    lcd.setValue(QStringLiteral("12?4"));
    EXPECT_EQ(countColor(shot(lcd), lcd.rect(), clLime), 0);
}

TEST_F(ClockDisplay, DoubleBufferAndDirectPaintAgree)
{
    lcd.setValue(QStringLiteral("-0:9A"));
    const QImage buffered = shot(lcd);
    lcd.setDoubleBuffer(false);
    EXPECT_EQ(shot(lcd), buffered);
    EXPECT_FALSE(lcd.isPainting());
}

TEST(TLCD99, DecimalPointBetweenTwoAndFive)
{
    TLCD99 d; // 92 x 34, 4 cells, spacing 5: points 2 x 2 in the gaps
    d.setValue(QStringLiteral("12.5"));
    const QImage img = shot(d);
    const geo::LcdMetrics m = geo::lcdMetrics(92, 34, 4, 5, 2, 2, 2);
    const geo::Rct lit = geo::lcdDecimalPoint(m, 3);
    EXPECT_EQ(countColor(img, QRect(lit.left, lit.top, lit.width(), lit.height()), clLime), 4);
    for (int i = 0; i < 3; ++i) {
        const geo::Rct dark = geo::lcdDecimalPoint(m, i);
        EXPECT_EQ(countColor(img, QRect(dark.left, dark.top, dark.width(), dark.height()), clLime), 0) << i;
    }
    // The gap before "2" is dark; the point sits between "2" (cell 2) and "5" (cell 3).
    EXPECT_GT(lit.left, m.cellX(2) + m.w);
    EXPECT_LT(lit.right, m.cellX(3) + 1);
}

TEST(TLCD99, DotModeDrawsSeparateDots)
{
    TLCD99 d;
    d.setSegmentSize(2);
    d.setDotSpacing(2);
    d.setDotDisplay(true);
    d.setValue(QStringLiteral("8888"));
    const QImage img = shot(d);
    const geo::LcdMetrics m = geo::lcdMetrics(92, 34, 4, 5, 2, 2, 2);
    const std::vector<geo::Rct> dots = geo::lcdSegmentDots(m, 0, 1, 2);
    ASSERT_GE(dots.size(), 2u);
    EXPECT_EQ(pixelAt(img, dots[0].left, dots[0].top), clLime);
    EXPECT_EQ(pixelAt(img, dots[0].right, dots[0].top), clBlack) << "space between dots";
    EXPECT_EQ(pixelAt(img, dots[1].left, dots[1].top), clLime);
}

TEST(TLCD99, AnimationTurnsCellsOverOneByOne)
{
    TLCD99 d;
    d.setValue(QStringLiteral("1111"));
    d.setAnimation(TLCDAnimation::anLeftToRight);
    d.setAnimationDelay(50);
    d.setValue(QStringLiteral("1221"));
    EXPECT_EQ(d.value(), QStringLiteral("1221")) << "the value is new at once";
    ASSERT_TRUE(d.animationTimer()->isActive());
    EXPECT_EQ(d.animationTimer()->interval(), 50);
    auto shown = [&d] {
        std::string s;
        for (const geo::LcdCell& c : d.shownCells())
            s += c.ch;
        return s;
    };
    EXPECT_EQ(shown(), "1111");
    d.animationTimerTick();
    EXPECT_EQ(shown(), "1211");
    d.animationTimerTick();
    EXPECT_EQ(shown(), "1221");
    EXPECT_FALSE(d.animationTimer()->isActive());

    d.setAnimation(TLCDAnimation::anRightToLeft);
    d.setValue(QStringLiteral("3333"));
    d.animationTimerTick();
    EXPECT_EQ(shown(), "1223");
}

TEST(TLCD99, OutOfRangeGeometryIgnored)
{
    TLCD99 d;
    d.setDigitNum(0);
    d.setSegmentSize(0);
    d.setDigitSpacing(-1);
    EXPECT_EQ(d.digitNum(), 4);
    EXPECT_EQ(d.segmentSize(), 2);
    EXPECT_EQ(d.digitSpacing(), 5);
}

} // namespace
