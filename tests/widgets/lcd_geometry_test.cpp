#include "widgets/lcd_geometry.h"

#include <gtest/gtest.h>

#include <string>

namespace geo {
namespace {

unsigned segments(std::initializer_list<int> list)
{
    unsigned m = 0;
    for (int k : list)
        m |= segmentBit(k);
    return m;
}

TEST(LcdSegments, CharactersLightTheirSegments)
{
    EXPECT_EQ(lcdSegments('8'), segments({1, 2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(lcdSegments('0'), segments({1, 2, 3, 5, 6, 7}));
    EXPECT_EQ(lcdSegments('1'), segments({3, 6}));
    EXPECT_EQ(lcdSegments('2'), segments({1, 3, 4, 5, 7}));
    EXPECT_EQ(lcdSegments('7'), segments({1, 3, 6}));
    EXPECT_EQ(lcdSegments('-'), segments({4}));
    EXPECT_EQ(lcdSegments(':'), segments({8}));
    EXPECT_EQ(lcdSegments('E'), segments({1, 2, 4, 5, 7}));
    EXPECT_EQ(lcdSegments('Z'), segments({1, 3, 4, 5, 7}));
    EXPECT_EQ(lcdSegments(' '), 0u);
    EXPECT_EQ(lcdSegments('?'), 0u);
    EXPECT_EQ(lcdSegments('a'), 0u) << "values are stored in upper case";
    for (char c = 'A'; c <= 'Z'; ++c)
        EXPECT_NE(lcdSegments(c), 0u) << c;
}

struct CellsCase
{
    const char* name;
    const char* value;
    int digitNum;
    const char* chars;
    const char* dots; // '.' where the point before the cell is lit
};

void PrintTo(const CellsCase& c, std::ostream* os)
{
    *os << c.name;
}

class LcdCellsTest : public testing::TestWithParam<CellsCase>
{
};

TEST_P(LcdCellsTest, CharacterAndDotRows)
{
    const std::vector<LcdCell> cells = lcdCells(GetParam().value, GetParam().digitNum);
    std::string chars, dots;
    for (const LcdCell& c : cells) {
        chars += c.ch;
        dots += c.dot ? '.' : ' ';
    }
    EXPECT_EQ(chars, GetParam().chars);
    EXPECT_EQ(dots, GetParam().dots);
}

INSTANTIATE_TEST_SUITE_P(Values, LcdCellsTest,
                         testing::Values(CellsCase{"ClockOnEightCells", "12:30", 8, "   12:30", "        "},
                                         CellsCase{"PointBeforeNextCharacter", "12.5", 4, " 125", "   ."},
                                         CellsCase{"TwoPointsInsertBlank", "1..5", 4, " 1 5", "  .."},
                                         CellsCase{"LeadingPoint", ".5", 2, " 5", " ."},
                                         CellsCase{"TrailingPointDropped", "5.", 2, " 5", "  "},
                                         CellsCase{"CellsBeyondDigitNumDropped", "123456", 4, "1234", "    "},
                                         CellsCase{"Empty", "", 3, "   ", "   "},
                                         CellsCase{"Clock", "00:00:00", 8, "00:00:00", "        "}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LcdMetrics, NewDisplayAndClock)
{
    const LcdMetrics m = lcdMetrics(92, 34, 4, 5, 2, 2, 2);
    EXPECT_EQ(m.b, 6);
    EXPECT_EQ(m.w, 15); // (92 - 6 - 24 - 1) div 4
    EXPECT_EQ(m.h, 33);
    EXPECT_EQ(m.L, 11);
    EXPECT_EQ(m.V, 12);
    EXPECT_EQ(m.cellX(0), 6);
    EXPECT_EQ(m.cellX(3), 69);

    const LcdMetrics clock = lcdMetrics(180, 40, 8, 1, 3, 1, 1);
    EXPECT_EQ(clock.b, 2);
    EXPECT_EQ(clock.w, 20); // (180 - 2 - 16 - 1) div 8
    EXPECT_EQ(clock.L, 18);
    EXPECT_EQ(clock.V, 17);
    EXPECT_EQ(lcdMetrics(92, 34, 0, 5, 2, 2, 2).w, 0) << "no cells, no division by zero";
}

TEST(LcdSegmentPolygons, NewDisplayCellZero)
{
    const auto p = lcdSegmentPolygons(lcdMetrics(92, 34, 4, 5, 2, 2, 2), 0);
    using V = std::vector<Pt>;
    // Top: round(2/4) = 0 (half to even); bottom grows upwards from h = 33.
    EXPECT_EQ(p[0], (V{{8, 0}, {9, 0}, {18, 0}, {19, 0}, {17, 2}, {10, 2}}));
    EXPECT_EQ(p[6], (V{{8, 33}, {9, 33}, {18, 33}, {19, 33}, {17, 31}, {10, 31}}));
    // Middle at h div 2 - s div 2 = 15, pointed by round(2/2) = 1.
    EXPECT_EQ(p[3], (V{{8, 16}, {10, 15}, {17, 15}, {19, 16}, {17, 17}, {10, 17}}));
    // Left segments grow rightwards from x, right ones leftwards from x + w.
    EXPECT_EQ(p[1], (V{{6, 2}, {6, 3}, {6, 13}, {6, 14}, {8, 12}, {8, 4}}));
    EXPECT_EQ(p[2], (V{{21, 2}, {21, 3}, {21, 13}, {21, 14}, {19, 12}, {19, 4}}));
    EXPECT_EQ(p[4], (V{{6, 18}, {6, 19}, {6, 29}, {6, 30}, {8, 28}, {8, 20}}));
    EXPECT_EQ(p[5], (V{{21, 18}, {21, 19}, {21, 29}, {21, 30}, {19, 28}, {19, 20}}));
}

TEST(LcdSegmentPolygons, ThreePixelSegmentsRoundTheirPoints)
{
    const LcdMetrics m = lcdMetrics(180, 40, 8, 1, 3, 1, 1);
    const auto p = lcdSegmentPolygons(m, 1); // x = 2 + 22 = 24
    using V = std::vector<Pt>;
    // round(3/4) = 1, round(-3/4) = -1, round(3/2) = 2.
    EXPECT_EQ(p[0], (V{{25, 1}, {26, 0}, {42, 0}, {43, 1}, {40, 3}, {28, 3}}));
    EXPECT_EQ(p[6], (V{{25, 38}, {26, 39}, {42, 39}, {43, 38}, {40, 36}, {28, 36}}));
    EXPECT_EQ(p[3], (V{{25, 20}, {28, 18}, {40, 18}, {43, 20}, {40, 21}, {28, 21}}));
    EXPECT_EQ(p[2], (V{{43, 1}, {44, 2}, {44, 17}, {43, 18}, {41, 15}, {41, 4}}));
}

TEST(LcdColonAndPoint, NewDisplay)
{
    const LcdMetrics m = lcdMetrics(92, 34, 4, 5, 2, 2, 2);
    const auto colon = lcdColonDots(m, 0);
    EXPECT_EQ(colon[0], (Rct{12, 8, 15, 12}));
    EXPECT_EQ(colon[1], (Rct{12, 20, 15, 24}));
    // e = min(b - 2, s) = 2, in the gap before the cell.
    EXPECT_EQ(lcdDecimalPoint(m, 3), (Rct{65, 31, 67, 33}));
    EXPECT_EQ(lcdDecimalPoint(m, 0), (Rct{2, 31, 4, 33}));
    // DigitSpacing 1 leaves no room: the windows' clocks show no points.
    EXPECT_TRUE(lcdDecimalPoint(lcdMetrics(180, 40, 8, 1, 3, 1, 1), 2).isEmpty());
}

TEST(LcdDots, SegmentsAsRowsOfSquares)
{
    const LcdMetrics m = lcdMetrics(92, 34, 4, 5, 2, 2, 2);
    const std::vector<Rct> top = lcdSegmentDots(m, 0, 1, 2);
    // Squares 2 wide every 4 pixels from x = 8 while they end within x + L = 19.
    EXPECT_EQ(top, (std::vector<Rct>{{8, 0, 10, 2}, {12, 0, 14, 2}, {16, 0, 18, 2}}));
    const std::vector<Rct> lowerRight = lcdSegmentDots(m, 0, 6, 2);
    ASSERT_FALSE(lowerRight.empty());
    EXPECT_EQ(lowerRight.front(), (Rct{20, 18, 22, 20}));
    EXPECT_EQ(lcdSegmentDots(m, 0, 8, 2).size(), 2u);
    EXPECT_EQ(lcdSegmentDots(m, 0, 7, 2).front().bottom, 34) << "bottom row of dots ends on the last row";
}

} // namespace
} // namespace geo
