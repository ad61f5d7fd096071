#include "widgets/screw_panel.h"

#include "widget_test_util.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TScrewPanel, NewPanelValues)
{
    TScrewPanel p;
    EXPECT_EQ(p.size(), QSize(45, 45));
    EXPECT_EQ(p.color(), clBtnFace);
    EXPECT_EQ(p.margin(), 2);
    EXPECT_EQ(p.screwSize(), 2);
    EXPECT_TRUE(p.showScrews());
    EXPECT_EQ(p.alignment(), TAlignment::taCenter);
    EXPECT_EQ(p.bevelOuter(), TBevelStyle::bvRaised);
    EXPECT_EQ(p.bevelInner(), TBevelStyle::bvNone);
}

TEST(TScrewPanel, SilverRoomTilePixels)
{
    TScrewPanel p;
    p.resize(40, 40);
    p.setColor(clSilver);
    const TColor light = rgbColor(223, 223, 223), dark = Darken(clSilver, 0.6);
    EXPECT_EQ(p.highlightColor(), light);
    EXPECT_EQ(p.shadowColor(), dark);
    EXPECT_EQ(dark, rgbColor(115, 115, 115));
    const QImage img = shot(p);
    // Raised bevel: highlight along top and left, shadow along right and bottom; each line leaves out
    // its last point, so the bottom-left corner keeps the panel colour.
    EXPECT_EQ(pixelAt(img, 0, 0), light);
    EXPECT_EQ(pixelAt(img, 20, 0), light);
    EXPECT_EQ(pixelAt(img, 0, 38), light);
    EXPECT_EQ(pixelAt(img, 39, 0), dark);
    EXPECT_EQ(pixelAt(img, 39, 39), dark);
    EXPECT_EQ(pixelAt(img, 1, 39), dark);
    EXPECT_EQ(pixelAt(img, 0, 39), clSilver);
    EXPECT_EQ(pixelAt(img, 20, 20), clSilver);
    // Screw at (3, 3): shadow on its upper-left rim, highlight on its lower-right rim, grey slot,
    // white glint.
    EXPECT_EQ(pixelAt(img, 3, 6), dark);
    EXPECT_EQ(pixelAt(img, 6, 3), dark);
    EXPECT_EQ(pixelAt(img, 10, 7), light);
    EXPECT_EQ(pixelAt(img, 7, 10), light);
    EXPECT_EQ(pixelAt(img, 6, 6), clGray);
    EXPECT_EQ(pixelAt(img, 7, 7), clWhite);
    EXPECT_EQ(pixelAt(img, 5, 5), clSilver);
    // The same head in the other three corners.
    for (const QPoint& o : {QPoint(29, 3), QPoint(3, 29), QPoint(29, 29)}) {
        EXPECT_EQ(pixelAt(img, o.x() + 3, o.y() + 3), clGray);
        EXPECT_EQ(pixelAt(img, o.x() + 4, o.y() + 4), clWhite);
        EXPECT_EQ(pixelAt(img, o.x() + 7, o.y() + 4), light);
    }
}

TEST(TScrewPanel, CaptionCentredInFontColour)
{
    TScrewPanel p;
    p.resize(40, 40);
    p.setColor(clSilver);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    p.setFont(f);
    p.setFontColor(clRed);
    p.setCaption(QStringLiteral("--"));
    const QImage img = shot(p);
    EXPECT_GT(countColor(img, QRect(10, 14, 20, 12), clRed), 4);
    EXPECT_EQ(countColor(img, QRect(0, 0, 40, 12), clRed), 0);
    p.setAlignment(TAlignment::taLeftJustify);
    const QImage left = shot(p);
    EXPECT_GT(countColor(left, QRect(1, 14, 12, 12), clRed), 4);
}

TEST(TScrewPanel, HiddenScrewsAndNarrowPanel)
{
    TScrewPanel p;
    p.resize(40, 40);
    p.setColor(clSilver);
    p.setShowScrews(false);
    EXPECT_EQ(countColor(shot(p), QRect(1, 1, 38, 38), clWhite), 0);
    // Narrower than two screws: they overlap, the right one drawn over the left one.
    p.setShowScrews(true);
    p.resize(16, 40);
    const QImage img = shot(p);
    EXPECT_EQ(pixelAt(img, 3, 6), p.shadowColor()) << "left screw's rim outside the right one";
    EXPECT_EQ(pixelAt(img, 5 + 4, 3 + 4), clWhite);
    EXPECT_EQ(pixelAt(img, 5 + 3, 3 + 3), clGray);
}

TEST(TScrewPanel, MarginAndScrewSizeAcceptance)
{
    TScrewPanel p; // 45 x 45
    p.setMargin(42);
    EXPECT_EQ(p.margin(), 42);
    p.setMargin(43); // not less than 45 - 2
    EXPECT_EQ(p.margin(), 42);
    p.setScrewSize(44);
    EXPECT_EQ(p.screwSize(), 44);
    p.setScrewSize(45);
    EXPECT_EQ(p.screwSize(), 44);
    p.setScrewSize(-1);
    EXPECT_EQ(p.screwSize(), 44);
    p.resize(300, 300);
    p.setScrewSize(256);
    EXPECT_EQ(p.screwSize(), 44);
}

TEST(TScrewPanel, ClickOnlyWhenReleasedOver)
{
    TScrewPanel p;
    QSignalSpy clicks(&p, &TScrewPanel::clicked);
    QTest::mouseClick(&p, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicks.count(), 1);
    QTest::mousePress(&p, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(&p, Qt::LeftButton, {}, QPoint(90, 20));
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace
