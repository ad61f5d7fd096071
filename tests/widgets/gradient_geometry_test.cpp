#include "widgets/gradient_geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace geo {
namespace {

// Whether the pixel's centre lies inside the polygon (crossing number), as polygon filling decides.
bool covers(const std::vector<Pt>& poly, int px, int py)
{
    const double x = px + 0.5, y = py + 0.5;
    bool in = false;
    for (size_t i = 0, j = poly.size() - 1; i < poly.size(); j = i++) {
        const Pt a = poly[i], b = poly[j];
        if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / double(b.y - a.y) + a.x)
            in = !in;
    }
    return in;
}

// The entry each pixel of r ends up with (-1: never painted), painting shapes in order.
std::vector<int> paintedEntries(const std::vector<GradientShape>& shapes, const Rct& r)
{
    std::vector<int> px(size_t(r.width() * r.height()), -1);
    for (const GradientShape& s : shapes)
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const bool hit = s.kind == GradientShape::Kind::Rect ? s.rect.contains({x, y}) : covers(s.points, x, y);
                if (hit)
                    px[size_t((y - r.top) * r.width() + (x - r.left))] = s.entry;
            }
    return px;
}

TEST(GradientBand, BandsOverlapAndReachTheEnd)
{
    EXPECT_EQ(gradientBand(0, 25), (Band{0, 1}));
    EXPECT_EQ(gradientBand(1, 25), (Band{0, 1}));
    EXPECT_EQ(gradientBand(255, 25), (Band{24, 1}));
    EXPECT_EQ(gradientBand(128, 768), (Band{382, 4}));
    EXPECT_EQ(gradientBand(255, 768), (Band{764, 4}));
    for (int extent = 1; extent <= 1200; ++extent) {
        int end = 0;
        for (int i = 0; i <= 255; ++i) {
            const Band b = gradientBand(i, extent);
            ASSERT_LE(b.start, end) << "gap before band " << i << " of " << extent;
            end = std::max(end, b.start + b.length);
        }
        ASSERT_GE(end, extent) << extent;
    }
}

TEST(ButtonGradient, VerticalAndHorizontalBands)
{
    EXPECT_TRUE(buttonGradientShapes(TButtonGradientStyle::gsNone, 75, 25).empty());
    const auto vertical = buttonGradientShapes(TButtonGradientStyle::gsVertical, 75, 25);
    ASSERT_EQ(vertical.size(), 256u);
    EXPECT_EQ(vertical[31].rect, (Rct{0, 2, 75, 3}));
    EXPECT_EQ(vertical[31].entry, 31);
    const auto horizontal = buttonGradientShapes(TButtonGradientStyle::gsHorizontal, 75, 25);
    EXPECT_EQ(horizontal[255].rect, (Rct{74, 0, 75, 25}));
}

TEST(ButtonGradient, PyramidLinesMeetInTheCentre)
{
    const int w = 10, h = 6;
    const auto lines = buttonGradientShapes(TButtonGradientStyle::gsPyramid, w, h);
    ASSERT_EQ(lines.size(), size_t(2 * (w + 1) + 2 * (h + 1)));
    for (const GradientShape& s : lines) {
        ASSERT_EQ(s.kind, GradientShape::Kind::Line);
        EXPECT_TRUE(s.points[0] == (Pt{5, 3}) || s.points[1] == (Pt{5, 3}));
        EXPECT_GE(s.entry, 0);
        EXPECT_LE(s.entry, 255);
    }
    // From (i, 0) in trunc(i * 255 / 16), on to (i, h - 1) in trunc((i + h) * 255 / 16).
    EXPECT_EQ(lines[0].points, (std::vector<Pt>{{0, 0}, {5, 3}}));
    EXPECT_EQ(lines[6].entry, 3 * 255 / 16);
    EXPECT_EQ(lines[7].points, (std::vector<Pt>{{5, 3}, {3, 5}}));
    EXPECT_EQ(lines[7].entry, 9 * 255 / 16);
    EXPECT_EQ(lines[2 * w + 1].entry, 255);
    // Then from (w - 1, i) in trunc((i + w) * f), on to (0, i) in trunc(i * f).
    EXPECT_EQ(lines[2 * (w + 1) + 4].points, (std::vector<Pt>{{9, 2}, {5, 3}}));
    EXPECT_EQ(lines[2 * (w + 1) + 4].entry, 12 * 255 / 16);
    EXPECT_EQ(lines[2 * (w + 1) + 5].points, (std::vector<Pt>{{5, 3}, {0, 2}}));
}

struct StyleCase
{
    const char* name;
    TGradientBkStyle style;
    Pt firstCorner; // painted with a low entry
    Pt lastCorner;  // painted with entry 255
};

void PrintTo(const StyleCase& c, std::ostream* os)
{
    *os << c.name;
}

class BackgroundStyleTest : public testing::TestWithParam<StyleCase>
{
};

// Every pixel of the area is painted, and the table runs from one corner to the other.
TEST_P(BackgroundStyleTest, CoversAreaFromCornerToCorner)
{
    const StyleCase& c = GetParam();
    for (const Rct r : {Rct{0, 0, 100, 80}, Rct{10, 10, 90, 70}, Rct{0, 0, 300, 17}, Rct{0, 0, 7, 5}}) {
        const std::vector<int> px = paintedEntries(backgroundGradientShapes(c.style, r, 1), r);
        for (size_t i = 0; i < px.size(); ++i)
            ASSERT_GE(px[i], 0) << "unpainted pixel " << i << " of " << r;
        auto at = [&](Pt p) {
            const int x = p.x < 0 ? r.right - 1 : r.left, y = p.y < 0 ? r.bottom - 1 : r.top;
            return px[size_t((y - r.top) * r.width() + (x - r.left))];
        };
        // The very last steps fall on or beyond the far edge, so the corner pixel shows one of the last
        // few entries; small areas paint their first pixel with a somewhat later entry too.
        EXPECT_LT(at(c.firstCorner), 64) << r;
        EXPECT_GE(at(c.lastCorner), 250) << r;
    }
}

// Corners: (0, 0) is top-left, -1 is the far side.
INSTANTIATE_TEST_SUITE_P(
    Styles, BackgroundStyleTest,
    testing::Values(StyleCase{"CornerBottomRight", TGradientBkStyle::gsCornerBottomRight, {0, 0}, {-1, -1}},
                    StyleCase{"CornerTopLeft", TGradientBkStyle::gsCornerTopLeft, {-1, -1}, {0, 0}},
                    StyleCase{"CornerTopRight", TGradientBkStyle::gsCornerTopRight, {0, -1}, {-1, 0}},
                    StyleCase{"CornerBottomLeft", TGradientBkStyle::gsCornerBottomLeft, {-1, 0}, {0, -1}},
                    StyleCase{"DiagonalFalling", TGradientBkStyle::gsDiagonalFalling, {0, 0}, {-1, -1}},
                    StyleCase{"DiagonalRising", TGradientBkStyle::gsDiagonalRising, {0, -1}, {-1, 0}},
                    StyleCase{"Vertical", TGradientBkStyle::gsVertical, {0, 0}, {-1, -1}},
                    StyleCase{"Horizontal", TGradientBkStyle::gsHorizontal, {0, 0}, {-1, -1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BackgroundGradient, DiagonalFallingStripsParallelToAntiDiagonal)
{
    const Rct r{0, 0, 127, 127};
    const std::vector<int> px = paintedEntries(backgroundGradientShapes(TGradientBkStyle::gsDiagonalFalling, r, 1), r);
    // On a 127 pixel square the strips step one pixel at a time: every pixel with the same x + y has
    // the same entry, rising from the top-left corner over about 128 on the anti-diagonal.
    int previous = -1;
    for (int sum = 0; sum <= 252; ++sum) {
        int entry = -1;
        for (int x = std::max(0, sum - 126); x <= std::min(126, sum); ++x) {
            const int e = px[size_t((sum - x) * 127 + x)];
            if (entry < 0)
                entry = e;
            ASSERT_EQ(e, entry) << "x + y = " << sum << ", x = " << x;
        }
        ASSERT_GE(entry, previous) << sum;
        previous = entry;
        if (sum == 126) {
            EXPECT_GE(entry, 127);
            EXPECT_LE(entry, 129);
        }
    }
    EXPECT_LE(px[0], 1);
    EXPECT_GE(px.back(), 250);
}

TEST(BackgroundGradient, PyramidStepsAndReach)
{
    const Rct r{0, 0, 40, 20};
    const auto one = backgroundGradientShapes(TGradientBkStyle::gsPyramid, r, 1);
    EXPECT_EQ(one.size(), size_t(2 * 41 + 2 * 21));
    const auto three = backgroundGradientShapes(TGradientBkStyle::gsPyramid, r, 3);
    EXPECT_EQ(three.size(), size_t(2 * 14 + 2 * 7));
    EXPECT_EQ(three[0].penWidth, 3);
    for (const GradientShape& s : three) {
        EXPECT_TRUE(s.points[0] == (Pt{20, 10}) || s.points[1] == (Pt{20, 10}));
        EXPECT_LE(s.entry, 255);
    }
    // The last line of the second loop ends one pixel left of the area.
    EXPECT_EQ(one.back().points[1], (Pt{-1, 20}));
    EXPECT_EQ(one[1].points[1], (Pt{0, 20}));
}

TEST(BackgroundGradient, PyramidOffsetByArea)
{
    const auto lines = backgroundGradientShapes(TGradientBkStyle::gsPyramid, {10, 5, 50, 25}, 1);
    EXPECT_EQ(lines[0].points, (std::vector<Pt>{{10, 5}, {30, 15}}));
}

TEST(BackgroundGradient, EllipsesStepInwardsLighteningTowardsCentre)
{
    const Rct r{0, 0, 100, 60};
    const auto e = backgroundGradientShapes(TGradientBkStyle::gsEllipse, r, 4);
    ASSERT_EQ(e.size(), 8u); // insets 0, 4, ... 28 while twice the inset is below 60
    EXPECT_EQ(e[0].rect, r);
    EXPECT_EQ(e[0].entry, 0);
    EXPECT_EQ(e[1].rect, (Rct{4, 4, 96, 56}));
    for (size_t i = 1; i < e.size(); ++i)
        EXPECT_GT(e[i].entry, e[i - 1].entry);
    EXPECT_EQ(e.back().entry, 28 * 255 / 30);
}

TEST(BackgroundGradient, EmptyAreaHasNoShapes)
{
    EXPECT_TRUE(backgroundGradientShapes(TGradientBkStyle::gsCornerBottomRight, {0, 0, 0, 10}, 1).empty());
    EXPECT_TRUE(backgroundGradientShapes(TGradientBkStyle::gsPyramid, {5, 5, 5, 5}, 1).empty());
}

TEST(BackgroundBevel, LoweredShadowOverHighlight)
{
    const Rct r{0, 0, 10, 8};
    const std::vector<Stroke> expected = {{Ink::Shadow, {{9, 0}, {0, 0}, {0, 7}}, 1},
                                          {Ink::Shadow, {{8, 1}, {1, 1}, {1, 6}}, 1},
                                          {Ink::Highlight, {{9, 0}, {9, 7}, {0, 7}}, 1},
                                          {Ink::Highlight, {{8, 1}, {8, 6}, {1, 6}}, 1}};
    EXPECT_EQ(backgroundBevel(r, TBevelStyle::bvLowered, 2), expected);
    const std::vector<Stroke> raised = backgroundBevel(r, TBevelStyle::bvRaised, 2);
    ASSERT_EQ(raised.size(), 4u);
    EXPECT_EQ(raised[0].ink, Ink::Highlight);
    EXPECT_EQ(raised[3].ink, Ink::Shadow);
    EXPECT_TRUE(backgroundBevel(r, TBevelStyle::bvSpace, 2).empty());
    EXPECT_TRUE(backgroundBevel(r, TBevelStyle::bvNone, 2).empty());
}

} // namespace
} // namespace geo
