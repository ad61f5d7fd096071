#include "widgets/colors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

struct Shade
{
    const char* name;
    TColor in;
    double x;
    TColor out;
};

void PrintTo(const Shade& s, std::ostream* os)
{
    *os << s.name;
}

class LightenTest : public testing::TestWithParam<Shade>
{
};

TEST_P(LightenTest, ChannelIs255MinusRoundedDistanceTimesX)
{
    const Shade& s = GetParam();
    EXPECT_EQ(Lighten(s.in, s.x), s.out) << std::hex << Lighten(s.in, s.x);
}

INSTANTIATE_TEST_SUITE_P(
    Values, LightenTest,
    testing::Values(Shade{"WhiteStaysWhite", clWhite, 0.5, clWhite}, // 255 - round(0.5) = 255, halves to even
                    Shade{"SilverHighlight", clSilver, 0.5, rgbColor(223, 223, 223)},
                    Shade{"HalfGoesToEvenNeighbour", rgbColor(3, 3, 3), 0.5, rgbColor(129, 129, 129)}, // 126.5 -> 126
                    Shade{"BlackHalf", clBlack, 0.5, rgbColor(127, 127, 127)},
                    Shade{"ZeroIsWhite", rgbColor(10, 200, 90), 0.0, clWhite},
                    Shade{"ChannelsApart", rgbColor(255, 0, 128), 0.5, rgbColor(255, 127, 191)},
                    // x = 1 would wrap a zero channel round to 255; it stays 0.
                    Shade{"FullXKeepsBlackBlack", clBlack, 1.0, clBlack},
                    Shade{"FullXOneDarker", rgbColor(1, 100, 255), 1.0, rgbColor(0, 99, 254)}),
    [](const auto& info) { return std::string(info.param.name); });

class DarkenTest : public testing::TestWithParam<Shade>
{
};

TEST_P(DarkenTest, LightnessScaledInHls)
{
    const Shade& s = GetParam();
    EXPECT_EQ(Darken(s.in, s.x), s.out) << std::hex << Darken(s.in, s.x);
}

INSTANTIATE_TEST_SUITE_P(
    Values, DarkenTest,
    testing::Values(Shade{"SilverPanelShadow", clSilver, 0.6, rgbColor(115, 115, 115)},
                    Shade{"GrayButtonShadow", clGray, 0.6, rgbColor(77, 77, 77)},
                    Shade{"WhiteShadow", clWhite, 0.4, rgbColor(102, 102, 102)},
                    Shade{"OneKeepsColour", rgbColor(0, 128, 255), 1.0, rgbColor(0, 128, 255)},
                    Shade{"HueAndSaturationKept", rgbColor(0, 128, 255), 0.4, rgbColor(0, 51, 102)},
                    Shade{"UnlitLockLed", 2960895, 0.2, rgbColor(60, 0, 0)},
                    Shade{"ZeroIsBlack", clYellow, 0.0, clBlack}, Shade{"BlackStaysBlack", clBlack, 0.7, clBlack}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Colors, LockLedColourNumberIsRedInLowByte)
{
    EXPECT_EQ(TColor(2960895), rgbColor(255, 45, 45));
    EXPECT_EQ(clRed, rgbColor(255, 0, 0));
    EXPECT_EQ(clBlue, rgbColor(0, 0, 255));
}

TEST(Colors, RoundHalfEven)
{
    const std::pair<double, int> cases[] = {{0.5, 0},   {1.5, 2},    {2.5, 2},    {3.5, 4},   {-0.5, 0}, {-1.5, -2},
                                            {-2.5, -2}, {2.4999, 2}, {2.5001, 3}, {-2.7, -3}, {7.0, 7}};
    for (const auto& [v, expected] : cases)
        EXPECT_EQ(roundHalfEven(v), expected) << v;
}

TEST(Colors, Rgb2HlsOfPrimaries)
{
    struct Case
    {
        double r, g, b, h, l, s;
    };
    const Case cases[] = {{1, 0, 0, 0, 0.5, 1},       {1, 1, 0, 1.0 / 6, 0.5, 1}, {0, 1, 0, 1.0 / 3, 0.5, 1},
                          {0, 1, 1, 0.5, 0.5, 1},     {0, 0, 1, 2.0 / 3, 0.5, 1}, {1, 0, 1, 5.0 / 6, 0.5, 1},
                          {0.5, 0.5, 0.5, 0, 0.5, 0}, {0, 0, 0, 0, 0, 0},         {1, 1, 1, 0, 1, 0},
                          {1, 0.5, 0.5, 0, 0.75, 1},  {0.5, 0, 0, 0, 0.25, 1}};
    for (const Case& c : cases) {
        const THLS hls = RGB2HLS(c.r, c.g, c.b);
        EXPECT_NEAR(hls.h, c.h, 1e-12) << c.r << ' ' << c.g << ' ' << c.b;
        EXPECT_NEAR(hls.l, c.l, 1e-12) << c.r << ' ' << c.g << ' ' << c.b;
        EXPECT_NEAR(hls.s, c.s, 1e-12) << c.r << ' ' << c.g << ' ' << c.b;
    }
}

TEST(Colors, HlsRoundTripOverColourCube)
{
    for (int r = 0; r <= 255; r += 15)
        for (int g = 0; g <= 255; g += 17)
            for (int b = 0; b <= 255; b += 51) {
                const THLS hls = RGB2HLS(r / 255.0, g / 255.0, b / 255.0);
                const TRGBValues back = HLS2RGB(hls.h, hls.l, hls.s);
                ASSERT_NEAR(back.r * 255, r, 1e-9) << r << ' ' << g << ' ' << b;
                ASSERT_NEAR(back.g * 255, g, 1e-9) << r << ' ' << g << ' ' << b;
                ASSERT_NEAR(back.b * 255, b, 1e-9) << r << ' ' << g << ' ' << b;
            }
}

TEST(Colors, ComponentOutsideUnitRangeRaisesNamedError)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        bool hls;
        double a, b, c;
        const char* message;
    };
    const Case cases[] = {
        {false, 1.5, 0, 0, "RGB2HLS: 0 <= Red value <= 1 required"},
        {false, 0, -0.1, 0, "RGB2HLS: 0 <= Green value <= 1 required"},
        {false, 0, 0, nan, "RGB2HLS: 0 <= Blue value <= 1 required"},
        {true, 2, 0.5, 0.5, "HLS2RGB: 0 <= Hue value <= 1 required"},
        {true, 0, 1.2, 0.5, "HLS2RGB: 0 <= Luminance value <= 1 required"},
        {true, 0, 0.5, -1, "HLS2RGB: 0 <= Saturation value <= 1 required"},
    };
    for (const Case& c : cases) {
        try {
            if (c.hls)
                HLS2RGB(c.a, c.b, c.c);
            else
                RGB2HLS(c.a, c.b, c.c);
            ADD_FAILURE() << "no error for " << c.message;
        } catch (const EColorConv& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
    EXPECT_NO_THROW(RGB2HLS(0, 1, 0.5));
    EXPECT_NO_THROW(HLS2RGB(1, 0, 1));
}

TEST(Colors, SystemColoursResolveFromTable)
{
    SystemColors sys;
    sys.set(clBtnFace, rgbColor(1, 2, 3));
    sys.set(clGrayText, rgbColor(9, 9, 9));
    EXPECT_EQ(ColorToRGB(clBtnFace, sys), rgbColor(1, 2, 3));
    EXPECT_EQ(ColorToRGB(clGrayText, sys), rgbColor(9, 9, 9));
    EXPECT_EQ(ColorToRGB(clRed, sys), clRed);
    EXPECT_EQ(ColorToRGB(0x02FF0000, sys), clBlue) << "a plain colour loses its high byte";
    EXPECT_EQ(ColorToRGB(clSystemColor | 200, sys), clBlack) << "unknown system colour";
    EXPECT_EQ(ColorToRGB(clBtnFace, SystemColors::defaults()), rgbColor(240, 240, 240));
    EXPECT_TRUE(isSystemColor(clWindowFrame));
    EXPECT_FALSE(isSystemColor(clWhite));
}

TEST(Colors, ButtonGradientDownRightRunsWhiteThroughFaceToBlack)
{
    for (TColor face : {clSilver, clRed, rgbColor(0, 128, 255), clBlack, clWhite}) {
        const ColorTable t = buttonGradientTable(face, TGradientDirection::gdDownRight);
        EXPECT_EQ(t[0], clWhite);
        EXPECT_EQ(t[255], clBlack);
        EXPECT_EQ(t[127], Darken(face, 1.0)) << "entry 127 comes from the second half";
        EXPECT_EQ(t[64], Lighten(face, 0.5));
        EXPECT_EQ(t[128], Darken(face, 127 / 128.0));
        EXPECT_EQ(t[200], Darken(face, 55 / 128.0));
    }
    const ColorTable silver = buttonGradientTable(clSilver, TGradientDirection::gdDownRight);
    for (int i = 1; i < 256; ++i)
        EXPECT_LE(redOf(silver[size_t(i)]), redOf(silver[size_t(i - 1)])) << i;
}

TEST(Colors, ButtonGradientUpLeftRunsBlackThroughFaceToWhite)
{
    const ColorTable t = buttonGradientTable(clSilver, TGradientDirection::gdUpLeft);
    EXPECT_EQ(t[0], clBlack);
    EXPECT_EQ(t[255], clWhite);
    EXPECT_EQ(t[127], Darken(clSilver, 127 / 128.0));
    EXPECT_EQ(t[128], Lighten(clSilver, 127 / 128.0));
}

TEST(Colors, BackgroundTableStopsOneStepShortOfEnd)
{
    const ColorTable t = backgroundColorTable(clBlue, clBlack, TGradientDirection::gdDownRight);
    EXPECT_EQ(t[0], clBlue);
    EXPECT_EQ(t[1], clBlue);
    EXPECT_EQ(t[2], rgbColor(0, 0, 254));
    EXPECT_EQ(t[128], rgbColor(0, 0, 255 - 127));
    EXPECT_EQ(t[255], rgbColor(0, 0, 1));

    const ColorTable rising =
        backgroundColorTable(rgbColor(10, 0, 200), rgbColor(200, 100, 0), TGradientDirection::gdDownRight);
    // Entry i is S + round((i - 1) * delta / 255) in each channel.
    EXPECT_EQ(rising[100], rgbColor(10 + roundHalfEven(99 * 190 / 255.0), roundHalfEven(99 * 100 / 255.0),
                                    200 + roundHalfEven(99 * -200 / 255.0)));

    const ColorTable up = backgroundColorTable(clBlue, clBlack, TGradientDirection::gdUpLeft);
    for (int i = 0; i < 256; ++i)
        EXPECT_EQ(up[size_t(i)], t[size_t(255 - i)]) << i;
}

TEST(Colors, BackgroundTableOfEqualEndsIsFlat)
{
    const ColorTable t = backgroundColorTable(rgbColor(12, 34, 56), rgbColor(12, 34, 56), TGradientDirection::gdUpLeft);
    for (TColor c : t)
        EXPECT_EQ(c, rgbColor(12, 34, 56));
}

} // namespace
