#pragma once
// Geometry of the seven-segment display: how a value is split into character cells and decimal
// points, which segments a character lights, and the polygons of every segment.

#include "widgets/geometry.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace geo {

// Segments: 1 top, 2 upper left, 3 upper right, 4 middle, 5 lower left, 6 lower right, 7 bottom,
// 8 colon. Bit (k - 1) of the mask is segment k.
constexpr unsigned segmentBit(int segment)
{
    return 1u << (segment - 1);
}
// The lit segments of a display character (digits, A-Z, "-", ":", space); 0 for anything else.
unsigned lcdSegments(char c);

// One character cell and whether the decimal point in the gap before it is lit.
struct LcdCell
{
    char ch = ' ';
    bool dot = false;
    bool operator==(const LcdCell&) const = default;
};

// Splits a display value into exactly digitNum cells: every "." lights the point before the next
// character (a second "." in a row inserts a blank cell), the cells are padded on the left with
// blanks, and cells beyond digitNum are dropped. A "." with no character after it is dropped.
std::vector<LcdCell> lcdCells(std::string_view value, int digitNum);

struct LcdMetrics
{
    int b = 0; // DigitSpacing + 1: the gap before each cell
    int w = 0; // cell width
    int h = 0; // Height - 1: the bottom row
    int s = 0; // segment thickness
    int L = 0; // horizontal segment length
    int V = 0; // vertical segment length
    int gapX = 0;
    int gapY = 0;
    int cellX(int i) const { return b + i * (b + w); }
};

LcdMetrics lcdMetrics(int width, int height, int digitNum, int digitSpacing, int segmentSize, int gapX, int gapY);

// Polygons of segments 1..7 of cell i (index 0 is segment 1); each is filled and outlined.
std::array<std::vector<Pt>, 7> lcdSegmentPolygons(const LcdMetrics& m, int cell);
// Bounding boxes of the two colon dots of cell i (segment 8).
std::array<Rct, 2> lcdColonDots(const LcdMetrics& m, int cell);
// The decimal point square in the gap before cell i; empty when DigitSpacing leaves no room.
Rct lcdDecimalPoint(const LcdMetrics& m, int cell);
// Dot mode: segment k (1..8) of cell i as squares SegmentSize wide, dotSpacing apart.
std::vector<Rct> lcdSegmentDots(const LcdMetrics& m, int cell, int segment, int dotSpacing);

} // namespace geo
