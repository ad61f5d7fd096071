#include "widgets/color_button.h"

#include "widget_test_util.h"
#include "widgets/painting.h"

#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <ostream>
#include <stdexcept>

namespace {

class ColorButtonTest : public testing::Test
{
protected:
    void SetUp() override
    {
        parent = std::make_unique<QWidget>();
        parent->resize(300, 100);
        button = new ColorButton(parent.get());
        button->setColor(clSilver);
        button->setCaption(QStringLiteral("OK"));
    }

    std::unique_ptr<QWidget> parent;
    ColorButton* button = nullptr;
};

TEST_F(ColorButtonTest, NewButtonValues)
{
    ColorButton b;
    EXPECT_EQ(b.size(), QSize(75, 25));
    EXPECT_EQ(b.color(), clBtnFace);
    EXPECT_EQ(b.borderColor(), clBlack);
    EXPECT_EQ(b.borderStyle(), TButtonBorderStyle::bsNormal);
    EXPECT_EQ(b.bevelWidth(), 1);
    EXPECT_EQ(b.contrastHighlight(), 5);
    EXPECT_EQ(b.contrastShadow(), 6);
    EXPECT_EQ(b.gradientStyle(), TButtonGradientStyle::gsNone);
    EXPECT_EQ(b.gradientDirection(), TGradientDirection::gdDownRight);
    EXPECT_FALSE(b.down());
    EXPECT_EQ(b.timerDelay(), 400);
    EXPECT_EQ(b.timerInterval(), 100);
    EXPECT_EQ(b.glyphLayout(), TButtonLayout::blGlyphLeft);
    EXPECT_EQ(b.margin(), 1);
    EXPECT_EQ(b.spacing(), 1);
    EXPECT_EQ(b.topMargin(), 0);
}

TEST_F(ColorButtonTest, HighlightAndShadowFollowColourAndContrast)
{
    EXPECT_EQ(button->highlightColor(), rgbColor(223, 223, 223));
    EXPECT_EQ(button->shadowColor(), Darken(clSilver, 0.4));
    button->setContrastHighlight(10); // ignored
    EXPECT_EQ(button->contrastHighlight(), 5);
    button->setContrastShadow(-1); // ignored
    EXPECT_EQ(button->contrastShadow(), 6);
    button->setContrastHighlight(9);
    EXPECT_EQ(button->highlightColor(), Lighten(clSilver, 0.1));
    button->setContrastShadow(0);
    EXPECT_EQ(button->shadowColor(), clSilver);
    button->setColor(clWhite);
    EXPECT_EQ(button->highlightColor(), Lighten(clWhite, 0.1));
}

TEST_F(ColorButtonTest, BevelWidthAcceptedBelowHalfTheSides)
{
    button->setBevelWidth(12); // 24 < 25
    EXPECT_EQ(button->bevelWidth(), 12);
    button->setBevelWidth(13); // 26 >= 25
    EXPECT_EQ(button->bevelWidth(), 12);
    button->setBevelWidth(-1);
    EXPECT_EQ(button->bevelWidth(), 12);
    button->setBevelWidth(0);
    EXPECT_EQ(button->bevelWidth(), 0);
    button->resize(20, 100);
    button->setBevelWidth(10); // 20 >= 20
    EXPECT_EQ(button->bevelWidth(), 0);
}

TEST_F(ColorButtonTest, PressedFaceButtonSwapsBorderAndMovesFace)
{
    const QImage up = shot(*button);
    button->setDown(true);
    const QImage down = shot(*button);
    const TColor light = button->highlightColor(), dark = button->shadowColor();
    // Outer edge: highlight top-left and black bottom-right when up, the other way round when down.
    EXPECT_EQ(pixelAt(up, 0, 0), light);
    EXPECT_EQ(pixelAt(up, 74, 24), clBlack);
    EXPECT_EQ(pixelAt(up, 74, 1), clBlack);
    EXPECT_EQ(pixelAt(down, 0, 0), clBlack);
    EXPECT_EQ(pixelAt(down, 74, 24), light);
    // Bevel: highlight over shadow, swapped when down.
    EXPECT_EQ(pixelAt(up, 1, 1), light);
    EXPECT_EQ(pixelAt(up, 73, 23), dark);
    EXPECT_EQ(pixelAt(down, 1, 1), dark);
    EXPECT_EQ(pixelAt(down, 73, 23), light);
    // The face content, caption included, one pixel right and down.
    int captionPixels = 0;
    for (int y = 2; y < 22; ++y)
        for (int x = 2; x < 72; ++x) {
            ASSERT_EQ(pixelAt(down, x + 1, y + 1), pixelAt(up, x, y)) << x << ',' << y;
            captionPixels += pixelAt(up, x, y) != clSilver;
        }
    EXPECT_GT(captionPixels, 10) << "the caption is drawn";
    button->setDown(false);
    EXPECT_EQ(shot(*button), up);
}

// The button claims to paint every pixel (no background is erased under it): rendered over a
// colour it never uses, none of that colour may remain, whatever the border, gradient and state.
struct OpaqueCase
{
    const char* name;
    TButtonBorderStyle border;
    TButtonGradientStyle gradient;
    int bevel;
    bool down;
};

void PrintTo(const OpaqueCase& c, std::ostream* os)
{
    *os << c.name;
}

class ColorButtonOpaque : public ColorButtonTest, public testing::WithParamInterface<OpaqueCase>
{
};

TEST_P(ColorButtonOpaque, PaintsEveryPixel)
{
    const OpaqueCase& c = GetParam();
    ASSERT_TRUE(button->testAttribute(Qt::WA_OpaquePaintEvent));
    button->setBorderStyle(c.border);
    button->setGradientStyle(c.gradient);
    button->setBevelWidth(c.bevel);
    button->setDown(c.down);
    const TColor sentinel = rgbColor(0x12, 0x34, 0x56);
    QImage image(button->size(), QImage::Format_RGB32);
    image.fill(toQColor(sentinel));
    button->render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    EXPECT_EQ(countColor(image, image.rect(), sentinel), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Styles, ColorButtonOpaque,
    testing::Values(OpaqueCase{"NormalUp", TButtonBorderStyle::bsNormal, TButtonGradientStyle::gsNone, 1, false},
                    OpaqueCase{"NormalDown", TButtonBorderStyle::bsNormal, TButtonGradientStyle::gsNone, 1, true},
                    OpaqueCase{"FlatUp", TButtonBorderStyle::bsFlat, TButtonGradientStyle::gsNone, 1, false},
                    OpaqueCase{"FlatDown", TButtonBorderStyle::bsFlat, TButtonGradientStyle::gsNone, 2, true},
                    OpaqueCase{"SingleWideBevel", TButtonBorderStyle::bsSingle, TButtonGradientStyle::gsNone, 3, false},
                    OpaqueCase{"NoBevel", TButtonBorderStyle::bsNormal, TButtonGradientStyle::gsNone, 0, false},
                    OpaqueCase{"PyramidGradient", TButtonBorderStyle::bsFlat, TButtonGradientStyle::gsPyramid, 1, true},
                    OpaqueCase{"HorizontalGradient", TButtonBorderStyle::bsNormal, TButtonGradientStyle::gsHorizontal,
                               1, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ColorButtonTest, VerticalGradientBandsAndChangeDirection)
{
    button->setCaption(QString());
    button->setGradientStyle(TButtonGradientStyle::gsVertical);
    const ColorTable table = buttonGradientTable(clSilver, TGradientDirection::gdDownRight);
    const QImage up = shot(*button);
    // Bands are one pixel high on a 25 pixel button: row 2 is painted last by band 31, row 12 by 133.
    EXPECT_EQ(pixelAt(up, 10, 2), table[31]);
    EXPECT_EQ(pixelAt(up, 10, 12), table[133]);
    button->setChangeDirection(true);
    button->setDown(true);
    const QImage down = shot(*button);
    EXPECT_EQ(pixelAt(down, 10, 2), table[255 - 31]);
    // Without ChangeDirection a pressed gradient keeps its order.
    button->setChangeDirection(false);
    EXPECT_EQ(pixelAt(shot(*button), 10, 2), table[31]);
}

TEST_F(ColorButtonTest, GradientTableFollowsColourSetBeforeStyle)
{
    // A button coloured while it has no gradient and given a gradient later paints the new colour.
    button->setColor(clRed);
    button->setGradientStyle(TButtonGradientStyle::gsVertical);
    EXPECT_EQ(button->gradientTable()[127], clRed);
    EXPECT_EQ(button->gradientTable()[0], clWhite);
    button->setGradientDirection(TGradientDirection::gdUpLeft);
    EXPECT_EQ(button->gradientTable()[0], clBlack);
}

TEST_F(ColorButtonTest, ClickOnceOnReleaseAlsoOutside)
{
    QSignalSpy clicks(button, &ColorButton::clicked);
    QSignalSpy states(button, &ColorButton::stateChanged);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(button->down());
    EXPECT_EQ(clicks.count(), 0);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(button->down());
    EXPECT_EQ(clicks.count(), 1);
    EXPECT_EQ(states.count(), 2);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(200, 80)); // outside the button
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_FALSE(button->down());

    QTest::mouseClick(button, Qt::RightButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 2);
}

TEST_F(ColorButtonTest, DisabledButtonIgnoresMouseAndDrawsGrayText)
{
    button->setFont(QFont(QStringLiteral("DejaVu Sans"), 12, QFont::Bold));
    button->setEnabled(false);
    QSignalSpy clicks(button, &ColorButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(clicks.count(), 0);
    EXPECT_FALSE(button->down());
    const QImage img = shot(*button);
    const TColor gray = paint::resolve(clGrayText, button);
    ASSERT_NE(gray, clSilver);
    EXPECT_GT(countColor(img, QRect(2, 2, 71, 21), gray), 5);
    EXPECT_EQ(countColor(img, QRect(2, 2, 71, 21), clBlack), 0);
}

TEST_F(ColorButtonTest, DisablingReleasesUngroupedButton)
{
    button->setDown(true);
    button->setEnabled(false);
    EXPECT_FALSE(button->down());
    button->setEnabled(true);
    button->setGrouped(true);
    button->setDown(true);
    button->setEnabled(false);
    EXPECT_TRUE(button->down());
}

TEST_F(ColorButtonTest, GroupedButtonsActLikeRadioButtons)
{
    auto* second = new ColorButton(parent.get());
    auto* other = new ColorButton(parent.get()); // another group
    for (ColorButton* b : {button, second, other})
        b->setGrouped(true);
    other->setGroupIndex(1);
    button->setDown(true);
    other->setDown(true);

    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(second->down());
    EXPECT_FALSE(button->down());
    EXPECT_TRUE(other->down()) << "a different group index is untouched";

    // A click on the down button keeps it down unless AllowAllUp.
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(second->down());
    second->setAllowAllUp(true);
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(second->down());
    // With AllowAllUp a button that was up still goes down on its first click.
    QTest::mouseClick(second, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(second->down());
}

TEST_F(ColorButtonTest, AutoRepeatWhileHeld)
{
    button->setAllowTimer(true);
    button->setTimerDelay(250);
    button->setTimerInterval(40);
    QSignalSpy clicks(button, &ColorButton::clicked);
    EXPECT_EQ(button->repeatTimer(), nullptr) << "created on first use";
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    ASSERT_NE(button->repeatTimer(), nullptr);
    EXPECT_TRUE(button->repeatTimer()->isActive());
    EXPECT_EQ(button->repeatTimer()->interval(), 250);
    button->repeatTimerTick();
    EXPECT_EQ(button->repeatTimer()->interval(), 40);
    button->repeatTimerTick();
    EXPECT_EQ(clicks.count(), 2);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_FALSE(button->repeatTimer()->isActive());
    EXPECT_EQ(clicks.count(), 3);
    button->repeatTimerTick(); // a late tick after the release clicks nothing
    EXPECT_EQ(clicks.count(), 3);
}

TEST_F(ColorButtonTest, AutoRepeatErrorStopsTimerAndPropagates)
{
    button->setAllowTimer(true);
    QObject::connect(button, &ColorButton::clicked, [] { throw std::runtime_error("handler failed"); });
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_THROW(button->repeatTimerTick(), std::runtime_error);
    EXPECT_FALSE(button->repeatTimer()->isActive());
}

TEST_F(ColorButtonTest, AltAcceleratorClicksEnabledButton)
{
    button->setCaption(QStringLiteral("&Konec"));
    parent->show();
    parent->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(parent.get()));
    QSignalSpy clicks(button, &ColorButton::clicked);
    QTest::keyClick(parent.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    QTest::keyClick(parent.get(), Qt::Key_X, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
    button->setEnabled(false);
    QTest::keyClick(parent.get(), Qt::Key_K, Qt::AltModifier);
    EXPECT_EQ(clicks.count(), 1);
}

} // namespace

namespace {

// Two 4 x 4 frames: red with magenta corners (transparent, as the bottom-left pixel), then green.
QImage twoFrameGlyph()
{
    QImage g(8, 4, QImage::Format_RGB32);
    g.fill(Qt::red);
    for (int x = 4; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            g.setPixel(x, y, qRgb(0, 255, 0));
    g.setPixel(0, 3, qRgb(255, 0, 255));
    g.setPixel(0, 0, qRgb(255, 0, 255));
    g.setPixel(4, 3, qRgb(0, 0, 255));
    return g;
}

TEST_F(ColorButtonTest, GlyphFramesWithTransparentCorner)
{
    button->setCaption(QString());
    button->setGlyph(twoFrameGlyph());
    EXPECT_EQ(countColor(shot(*button), button->rect(), clRed), 0) << "NumGlyphs 0 draws no glyph";
    button->setNumGlyphs(2);
    // Centred on the face (2, 2, 73, 23): x = (73 - 4) div 2 = 34, y = (2 + 23 - 4) div 2 = 10.
    QImage img = shot(*button);
    EXPECT_EQ(pixelAt(img, 35, 11), clRed);
    EXPECT_EQ(countColor(img, button->rect(), clRed), 14);
    EXPECT_EQ(pixelAt(img, 34, 10), clSilver) << "the bottom-left pixel's colour is transparent";
    EXPECT_EQ(pixelAt(img, 34, 13), clSilver);
    button->setDown(true);
    img = shot(*button);
    EXPECT_EQ(pixelAt(img, 36, 12), clRed) << "pressed: one pixel right and down";
    EXPECT_EQ(pixelAt(img, 35, 11), clSilver);
    button->setDown(false);
    button->setEnabled(false);
    img = shot(*button);
    EXPECT_EQ(pixelAt(img, 35, 11), clLime) << "second frame when disabled";
    EXPECT_EQ(pixelAt(img, 34, 13), clSilver);
    button->setNumGlyphs(5); // ignored
    EXPECT_EQ(button->numGlyphs(), 2);
}

} // namespace
