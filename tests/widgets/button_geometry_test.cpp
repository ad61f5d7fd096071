#include "widgets/button_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace geo {
namespace {

TEST(ButtonFace, InsetByBevelAndBorder)
{
    const Rct client{0, 0, 75, 25};
    EXPECT_EQ(buttonFaceRect(client, 1, TButtonBorderStyle::bsNormal), (Rct{2, 2, 73, 23}));
    EXPECT_EQ(buttonFaceRect(client, 1, TButtonBorderStyle::bsSingle), (Rct{2, 2, 73, 23}));
    EXPECT_EQ(buttonFaceRect(client, 1, TButtonBorderStyle::bsFlat), (Rct{1, 1, 74, 24}));
    EXPECT_EQ(buttonFaceRect(client, 0, TButtonBorderStyle::bsFlat), client);
    EXPECT_EQ(buttonFaceRect(client, 3, TButtonBorderStyle::bsNormal), (Rct{4, 4, 71, 21}));
}

TEST(ButtonFrame, NormalBorderUpAndDown)
{
    const Rct client{0, 0, 75, 25};
    const std::vector<Stroke> up = {
        {Ink::Highlight, {{0, 24}, {0, 0}, {74, 0}}, 1},
        {Ink::Border, {{0, 24}, {74, 24}, {74, 0}}, 1},
        {Ink::Highlight, {{73, 1}, {1, 1}, {1, 23}}, 1},
        {Ink::Shadow, {{73, 1}, {73, 23}, {1, 23}}, 1},
    };
    EXPECT_EQ(buttonFrameStrokes(client, TButtonBorderStyle::bsNormal, 1, false), up);
    // Pressed: border and highlight swap on the outer edge, highlight and shadow on the bevel.
    std::vector<Stroke> down = up;
    down[0].ink = Ink::Border;
    down[1].ink = Ink::Highlight;
    down[2].ink = Ink::Shadow;
    down[3].ink = Ink::Highlight;
    EXPECT_EQ(buttonFrameStrokes(client, TButtonBorderStyle::bsNormal, 1, true), down);
}

TEST(ButtonFrame, SingleAndFlatBorders)
{
    const Rct client{0, 0, 10, 6};
    const std::vector<Stroke> single = buttonFrameStrokes(client, TButtonBorderStyle::bsSingle, 2, false);
    ASSERT_EQ(single.size(), 5u);
    EXPECT_EQ(single[0], (Stroke{Ink::Border, {{0, 0}, {9, 0}, {9, 5}, {0, 5}, {0, 0}}, 1}));
    EXPECT_EQ(single[1], (Stroke{Ink::Highlight, {{8, 1}, {1, 1}, {1, 4}}, 1}));
    EXPECT_EQ(single[2], (Stroke{Ink::Highlight, {{7, 2}, {2, 2}, {2, 3}}, 1}));
    EXPECT_EQ(single[4], (Stroke{Ink::Shadow, {{7, 2}, {7, 3}, {2, 3}}, 1}));
    const std::vector<Stroke> flat = buttonFrameStrokes(client, TButtonBorderStyle::bsFlat, 1, false);
    EXPECT_EQ(flat, (std::vector<Stroke>{{Ink::Highlight, {{9, 0}, {0, 0}, {0, 5}}, 1},
                                         {Ink::Shadow, {{9, 0}, {9, 5}, {0, 5}}, 1}}));
    EXPECT_TRUE(buttonFrameStrokes(client, TButtonBorderStyle::bsFlat, 0, false).empty());
}

struct ContentCase
{
    const char* name;
    ButtonContentInput in;
    Pt caption;
    Pt glyph;
};

void PrintTo(const ContentCase& c, std::ostream* os)
{
    *os << c.name;
}

ButtonContentInput content(Rct face, bool down = false, bool gsNone = false)
{
    ButtonContentInput in;
    in.face = face;
    in.textWidth = 40;
    in.textHeight = 15;
    in.hasCaption = true;
    in.down = down;
    in.contentMovesRight = gsNone;
    return in;
}

ButtonContentInput withGlyph(ButtonContentInput in, TButtonLayout layout)
{
    in.hasGlyph = true;
    in.glyphWidth = 16;
    in.glyphHeight = 16;
    in.layout = layout;
    return in;
}

ButtonContentInput with(ButtonContentInput in, int topMargin, bool changeDirection)
{
    in.topMargin = topMargin;
    in.changeDirection = changeDirection;
    return in;
}

ButtonContentInput noCaption(ButtonContentInput in)
{
    in.hasCaption = false;
    in.textWidth = in.textHeight = 0;
    return in;
}

class ButtonContentTest : public testing::TestWithParam<ContentCase>
{
};

TEST_P(ButtonContentTest, CaptionAndGlyphPlaces)
{
    const ButtonContent out = buttonContentLayout(GetParam().in);
    EXPECT_EQ(out.caption, GetParam().caption);
    if (GetParam().in.hasGlyph) {
        EXPECT_EQ(out.glyph, GetParam().glyph);
    }
}

const Rct face{2, 2, 73, 23}; // 75 x 25 button
const Rct tall{2, 2, 73, 58}; // 75 x 60 button

INSTANTIATE_TEST_SUITE_P(
    Layouts, ButtonContentTest,
    testing::Values(
        // x = (face right - tw) div 2, y = (face top + face bottom - th) div 2.
        ContentCase{"Centred", content(face), {16, 5}, {}},
        ContentCase{"DownMovesCaptionDown", content(face, true), {16, 6}, {}},
        ContentCase{"DownWithoutGradientMovesFaceRightAndDown", content(face, true, true), {17, 6}, {}},
        ContentCase{"TopMargin", with(content(face), 3, false), {16, 8}, {}},
        ContentCase{"ChangeDirectionDownRaisesCaption", with(content(face, true), 3, true), {16, 3}, {}},
        ContentCase{"ChangeDirectionUpKeepsTopMargin", with(content(face), 3, true), {16, 8}, {}},
        ContentCase{"GlyphLeft", withGlyph(content(face), TButtonLayout::blGlyphLeft), {24, 5}, {7, 4}},
        ContentCase{"GlyphRight", withGlyph(content(face), TButtonLayout::blGlyphRight), {9, 5}, {50, 4}},
        ContentCase{"GlyphTop", withGlyph(content(tall), TButtonLayout::blGlyphTop), {16, 30}, {28, 13}},
        ContentCase{"GlyphBottom", withGlyph(content(tall), TButtonLayout::blGlyphBottom), {16, 15}, {28, 31}},
        // (2 + 23 - 15 - 16 - 1) div 2 = -7 div 2 = -3: division truncates toward zero.
        ContentCase{
            "GlyphTopTruncatesTowardZero", withGlyph(content(face), TButtonLayout::blGlyphTop), {16, 13}, {28, -4}},
        ContentCase{
            "GlyphOnlyCentred", noCaption(withGlyph(content(face), TButtonLayout::blGlyphLeft)), {36, 12}, {28, 4}},
        ContentCase{"PressedGlyphMovesRightAndDown",
                    withGlyph(content(face, true), TButtonLayout::blGlyphLeft),
                    {24, 6},
                    {8, 5}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ButtonContent, FaceFillBehindCaption)
{
    EXPECT_EQ(buttonContentLayout(content(face)).captionFill, (Rct{17, 6, 57, 21}));
    EXPECT_EQ(buttonContentLayout(content(face, true, true)).captionFill, (Rct{17, 6, 57, 21}));
}

} // namespace
} // namespace geo
