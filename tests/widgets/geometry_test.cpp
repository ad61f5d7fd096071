#include "widgets/geometry.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace geo {
namespace {

struct LineCase
{
    const char* name;
    Pt from, to;
    std::vector<Pt> pixels;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << c.name;
}

class LinePixelsTest : public testing::TestWithParam<LineCase>
{
};

TEST_P(LinePixelsTest, StartPaintedEndLeftOut)
{
    EXPECT_EQ(linePixels(GetParam().from, GetParam().to), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, LinePixelsTest,
    testing::Values(LineCase{"Point", {4, 4}, {4, 4}, {}},
                    LineCase{"Rightwards", {0, 0}, {3, 0}, {{0, 0}, {1, 0}, {2, 0}}},
                    LineCase{"Leftwards", {3, 0}, {0, 0}, {{3, 0}, {2, 0}, {1, 0}}},
                    LineCase{"Upwards", {2, 3}, {2, 0}, {{2, 3}, {2, 2}, {2, 1}}},
                    // The screw slot for size 2 at the origin.
                    LineCase{"RisingDiagonal", {1, 5}, {6, 0}, {{1, 5}, {2, 4}, {3, 3}, {4, 2}, {5, 1}}},
                    LineCase{"FallingDiagonalBackwards", {3, 3}, {0, 0}, {{3, 3}, {2, 2}, {1, 1}}},
                    LineCase{"Steep", {0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}}},
                    LineCase{"Shallow", {0, 0}, {4, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}),
    [](const auto& info) { return std::string(info.param.name); });

// Every pixel is the exact point k/n of the way with the minor coordinate rounded to nearest.
TEST(LinePixels, MatchExactRoundingInEveryDirection)
{
    auto floorDiv = [](long a, long b) { return int(a >= 0 ? a / b : -((-a + b - 1) / b)); };
    for (int dx = -9; dx <= 9; ++dx)
        for (int dy = -9; dy <= 9; ++dy) {
            const Pt from{3, -2};
            const std::vector<Pt> px = linePixels(from, {from.x + dx, from.y + dy});
            const int n = std::max(std::abs(dx), std::abs(dy));
            ASSERT_EQ(px.size(), size_t(n));
            for (int k = 0; k < n; ++k) {
                const Pt exact{from.x + floorDiv(2L * k * dx + n, 2L * n), from.y + floorDiv(2L * k * dy + n, 2L * n)};
                ASSERT_EQ(px[size_t(k)], exact) << dx << ',' << dy << " step " << k;
            }
        }
}

TEST(EllipsePixels, EightPixelCircle)
{
    const EllipsePixels e = ellipsePixels({10, 20, 18, 28});
    const std::vector<Rct> rows = {{12, 20, 16, 21}, {11, 21, 17, 22}, {10, 22, 18, 23}, {10, 23, 18, 24},
                                   {10, 24, 18, 25}, {10, 25, 18, 26}, {11, 26, 17, 27}, {12, 27, 16, 28}};
    EXPECT_EQ(e.rows, rows);
    // Top and bottom rows whole, two pixels on every other row.
    EXPECT_EQ(e.outline.size(), 4u + 2 + 2 * 4 + 2 + 4);
    for (const Pt& p : e.outline)
        EXPECT_TRUE((Rct{10, 20, 18, 28}).contains(p)) << p;
}

TEST(EllipsePixels, EmptyBoxHasNoPixels)
{
    EXPECT_TRUE(ellipsePixels({5, 5, 5, 9}).rows.empty());
    EXPECT_TRUE(ellipsePixels({5, 5, 3, 9}).outline.empty());
}

TEST(ArcPixels, OppositeHalvesSplitTheOutline)
{
    for (int s = 1; s <= 6; ++s) {
        const Rct box{0, 0, 4 * s, 4 * s};
        const std::vector<Pt> outline = ellipsePixels(box).outline;
        const std::vector<Pt> upperLeft = arcPixels(box, {3 * s, s}, {s, 3 * s});
        const std::vector<Pt> lowerRight = arcPixels(box, {s, 3 * s}, {3 * s, s});
        EXPECT_EQ(upperLeft.size() + lowerRight.size(), outline.size()) << "size " << s;
        for (const Pt& p : outline) {
            const bool inUpper = std::count(upperLeft.begin(), upperLeft.end(), p) == 1;
            const bool inLower = std::count(lowerRight.begin(), lowerRight.end(), p) == 1;
            EXPECT_NE(inUpper, inLower) << "size " << s << " pixel " << p;
        }
        // The top-left corner region belongs to the upper-left half, the bottom-right to the other.
        for (const Pt& p : upperLeft)
            EXPECT_LE(p.x + p.y, 4 * s - 1) << p;
        for (const Pt& p : lowerRight)
            EXPECT_GE(p.x + p.y, 4 * s - 1) << p;
    }
}

TEST(ArcPixels, SameRayTwiceIsWholeOutline)
{
    const Rct box{0, 0, 9, 7};
    EXPECT_EQ(arcPixels(box, {9, 3}, {9, 3}).size(), ellipsePixels(box).outline.size());
}

} // namespace
} // namespace geo
