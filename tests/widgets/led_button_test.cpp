#include "widgets/led_button.h"

#include "widget_test_util.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TLEDButton, NewButtonValues)
{
    TLEDButton b;
    EXPECT_EQ(b.size(), QSize(45, 45));
    EXPECT_EQ(b.color(), clGray);
    EXPECT_EQ(b.colorLED(), clBlue);
    EXPECT_EQ(b.ledContrast(), 6);
    EXPECT_TRUE(b.showLED());
    EXPECT_FALSE(b.stateOn());
    EXPECT_TRUE(b.switching());
    EXPECT_EQ(b.buttonDirection(), TButtonDirection::bdBottomUp);
    EXPECT_TRUE(b.beveled());
    EXPECT_EQ(b.depth(), 3);
    EXPECT_EQ(b.borderStyle(), TLEDBorderStyle::bsSingle);
    EXPECT_EQ(b.textPosition(), TTextPosition::tpNone);
    EXPECT_EQ(b.numGlyphs(), 1);
    EXPECT_EQ(b.highlightColor(), rgbColor(191, 191, 191));
    EXPECT_EQ(b.shadowColor(), rgbColor(77, 77, 77));
    EXPECT_EQ(b.unlitLEDColor(), Darken(clBlue, 0.4));
}

TEST(TLEDButton, LockIndicatorColours)
{
    TLEDButton b;
    b.setColor(clRed);
    b.setColorLED(2960895);
    b.setLEDContrast(8);
    EXPECT_EQ(b.unlitLEDColor(), rgbColor(60, 0, 0));
    b.setLEDContrast(10); // ignored
    EXPECT_EQ(b.ledContrast(), 8);
}

TEST(TLEDButton, BottomUpSlabAndLedPixels)
{
    TLEDButton b;
    const TColor light = b.highlightColor(), dark = b.shadowColor();
    QImage img = shot(b);
    const QRgb frame = b.palette().color(QPalette::Shadow).rgb();
    EXPECT_EQ(img.pixel(0, 0), frame);
    EXPECT_EQ(img.pixel(44, 44), frame);
    EXPECT_EQ(pixelAt(img, 20, 1), light) << "top edge";
    EXPECT_EQ(pixelAt(img, 1, 20), light) << "left side";
    EXPECT_EQ(pixelAt(img, 43, 20), dark) << "right side";
    for (int y = 40; y <= 43; ++y)
        EXPECT_EQ(pixelAt(img, 22, y), dark) << "thickness row " << y;
    EXPECT_EQ(pixelAt(img, 22, 20), clGray) << "face";
    // LED (7, 32, 38, 37): black outline, unlit inside.
    EXPECT_EQ(pixelAt(img, 7, 34), clBlack);
    EXPECT_EQ(pixelAt(img, 20, 32), clBlack);
    EXPECT_EQ(pixelAt(img, 20, 34), b.unlitLEDColor());
    b.setStateOn(true);
    img = shot(b);
    EXPECT_EQ(pixelAt(img, 20, 34), clBlue);
    b.setEnabled(false);
    EXPECT_EQ(pixelAt(shot(b), 20, 34), clGray) << "a disabled button fills its LED with the button colour";
}

TEST(TLEDButton, PressedLedDropsHalfTheDepth)
{
    TLEDButton b;
    b.setStateOn(true);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(b.pressed());
    const QImage img = shot(b);
    EXPECT_EQ(pixelAt(img, 20, 33), clBlack) << "LED top outline one row lower";
    EXPECT_EQ(pixelAt(img, 20, 36), clBlue);
    EXPECT_EQ(pixelAt(img, 22, 42), clGray) << "thickness gone";
    EXPECT_EQ(pixelAt(img, 22, 43), b.shadowColor());
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(b.pressed());
}

TEST(TLEDButton, ClickTogglesWhenReleasedOver)
{
    TLEDButton b;
    QSignalSpy clicks(&b, &TLEDButton::clicked);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(b.stateOn());
    EXPECT_EQ(clicks.count(), 1);
    // Released outside: no click, and the lamp keeps showing what the handlers saw.
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(20, 20));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(90, 20));
    EXPECT_TRUE(b.stateOn());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_FALSE(b.pressed());
    b.setSwitching(false);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_TRUE(b.stateOn());
    EXPECT_EQ(clicks.count(), 2);
    b.setEnabled(false);
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_EQ(clicks.count(), 2);
}

TEST(TLEDButton, CaptionOnButtonInFontColourOrGray)
{
    TLEDButton b;
    b.resize(60, 45);
    b.setColor(clRed);
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(13);
    f.setBold(true);
    b.setFont(f);
    b.setFontColor(clYellow);
    b.setTextPosition(TTextPosition::tpOnButton);
    b.setCaption(QStringLiteral("Zámek"));
    // The caption is centred in the area above the LED: (1, 1, 59, 34).
    EXPECT_GT(countColor(shot(b), QRect(2, 8, 56, 22), clYellow), 5);
    b.setEnabled(false);
    EXPECT_EQ(countColor(shot(b), QRect(2, 2, 56, 30), clYellow), 0);
}

TEST(TLEDButton, AcceleratorClicksAndToggles)
{
    QWidget window;
    auto* b = new TLEDButton(&window);
    b->setCaption(QStringLiteral("&Zámek"));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(b, &TLEDButton::clicked);
    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(b->stateOn());
    b->setEnabled(false);
    QTest::keyClick(&window, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_TRUE(b->stateOn());
}

} // namespace
