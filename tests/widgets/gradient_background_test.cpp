#include "widgets/gradient_background.h"

#include "widget_test_util.h"

#include <gtest/gtest.h>

namespace {

TEST(GradientBackground, NewBackgroundValues)
{
    GradientBackground g;
    EXPECT_EQ(g.size(), QSize(100, 80));
    EXPECT_EQ(g.startColor(), clBlue);
    EXPECT_EQ(g.endColor(), clBlack);
    EXPECT_EQ(g.style(), TGradientBkStyle::gsVertical);
    EXPECT_EQ(g.stepWidth(), 1);
    EXPECT_EQ(g.bevelStyle(), TBevelStyle::bvNone);
    EXPECT_EQ(g.bevelWidth(), 1);
    EXPECT_TRUE(g.buffered());
}

TEST(GradientBackground, EqualEndsPaintOneFlatColour)
{
    const TGradientBkStyle styles[] = {TGradientBkStyle::gsCornerBottomRight, TGradientBkStyle::gsDiagonalFalling,
                                       TGradientBkStyle::gsVertical, TGradientBkStyle::gsPyramid};
    for (TGradientBkStyle style : styles) {
        GradientBackground g;
        g.setStartColor(rgbColor(30, 90, 150));
        g.setEndColor(rgbColor(30, 90, 150));
        g.setStyle(style);
        const QImage img = shot(g);
        EXPECT_EQ(countColor(img, img.rect(), rgbColor(30, 90, 150)), 100 * 80) << int(style);
    }
}

TEST(GradientBackground, VerticalRunsFromStartTowardsEnd)
{
    GradientBackground g;
    const QImage img = shot(g);
    // Bands 0 to 4 all start at row 0 of 80 rows; band 4 is painted last there.
    EXPECT_EQ(pixelAt(img, 50, 0), g.colorTable()[4]);
    EXPECT_EQ(g.colorTable()[4], rgbColor(0, 0, 252));
    EXPECT_EQ(pixelAt(img, 50, 79), g.colorTable()[255]);
    EXPECT_EQ(g.colorTable()[255], rgbColor(0, 0, 1));
    EXPECT_EQ(pixelAt(img, 0, 40), pixelAt(img, 99, 40)) << "bands span the width";
    g.setDirection(TGradientDirection::gdUpLeft);
    EXPECT_EQ(pixelAt(shot(g), 50, 79), clBlue);
}

TEST(GradientBackground, CornerBottomRightEndsInTheCorner)
{
    GradientBackground g;
    g.setStartColor(clWhite);
    g.setEndColor(clBlack);
    g.setStyle(TGradientBkStyle::gsCornerBottomRight);
    const QImage img = shot(g);
    // Steps 0 to 2 all start at the top-left pixel; the last steps reach the bottom-right one.
    EXPECT_EQ(pixelAt(img, 0, 0), g.colorTable()[2]);
    EXPECT_EQ(g.colorTable()[2], rgbColor(254, 254, 254));
    EXPECT_LE(redOf(pixelAt(img, 99, 79)), 3);
    EXPECT_GT(redOf(pixelAt(img, 0, 79)), redOf(pixelAt(img, 99, 79)));
}

TEST(GradientBackground, RaisedBevelFramesTheGradient)
{
    GradientBackground g;
    g.setBevelStyle(TBevelStyle::bvRaised);
    g.setBevelWidth(10);
    const QImage img = shot(g);
    const QPalette pal = g.palette();
    EXPECT_EQ(img.pixel(0, 0), pal.color(QPalette::Light).rgb());
    EXPECT_EQ(img.pixel(9, 40), pal.color(QPalette::Light).rgb());
    EXPECT_EQ(img.pixel(99, 40), pal.color(QPalette::Dark).rgb());
    EXPECT_EQ(img.pixel(50, 70), pal.color(QPalette::Dark).rgb());
    // The gradient fills the 60 rows inside the frame; its first row is painted last by band 5.
    EXPECT_EQ(pixelAt(img, 50, 10), g.colorTable()[5]);
    EXPECT_EQ(pixelAt(img, 50, 69), g.colorTable()[255]);
    g.setBevelWidth(256); // ignored
    EXPECT_EQ(g.bevelWidth(), 10);
}

TEST(GradientBackground, BufferedRendersOnlyAfterResizeOrChange)
{
    GradientBackground g;
    shot(g);
    EXPECT_EQ(g.renderCount(), 1);
    shot(g);
    EXPECT_EQ(g.renderCount(), 1) << "a repaint copies the buffer";
    g.resize(120, 90);
    const QImage bigger = shot(g);
    EXPECT_EQ(g.renderCount(), 2);
    EXPECT_EQ(pixelAt(bigger, 119, 89), g.colorTable()[255]);
    g.setStyle(TGradientBkStyle::gsDiagonalFalling);
    shot(g);
    EXPECT_EQ(g.renderCount(), 3);
    g.setStyle(TGradientBkStyle::gsDiagonalFalling); // same value: no change
    shot(g);
    EXPECT_EQ(g.renderCount(), 3);
    g.setBuffered(false);
    shot(g);
    shot(g);
    EXPECT_EQ(g.renderCount(), 5) << "unbuffered renders every paint";
}

TEST(GradientBackground, StepWidthAcceptedOneToTen)
{
    GradientBackground g;
    g.setStepWidth(10);
    EXPECT_EQ(g.stepWidth(), 10);
    g.setStepWidth(11);
    g.setStepWidth(0);
    EXPECT_EQ(g.stepWidth(), 10);
}

TEST(GradientBackground, AlignClientFollowsParent)
{
    QWidget parent;
    parent.resize(300, 200);
    auto* g = new GradientBackground(&parent);
    g->setAlign(GradientBackground::TAlign::alClient);
    EXPECT_EQ(g->geometry(), QRect(0, 0, 300, 200));
    parent.resize(400, 250);
    parent.show();
    EXPECT_EQ(g->geometry(), QRect(0, 0, 400, 250));
    parent.resize(350, 150);
    EXPECT_EQ(g->geometry(), QRect(0, 0, 350, 150));
}

TEST(GradientBackground, EllipseLeavesCornersToTheParent)
{
    QWidget parent;
    parent.resize(100, 80);
    parent.setAutoFillBackground(true);
    QPalette pal = parent.palette();
    pal.setColor(QPalette::Window, QColor(255, 0, 255));
    parent.setPalette(pal);
    auto* g = new GradientBackground(&parent);
    g->setStyle(TGradientBkStyle::gsEllipse);
    g->setStartColor(clWhite);
    g->setEndColor(clBlue);
    const QImage img = shot(parent);
    EXPECT_EQ(pixelAt(img, 0, 0), rgbColor(255, 0, 255));
    EXPECT_EQ(pixelAt(img, 50, 0), clWhite);
    EXPECT_GT(blueOf(pixelAt(img, 50, 40)), redOf(pixelAt(img, 50, 40)));
}

} // namespace
