#include "widgets/lcd_geometry.h"

#include "widgets/colors.h"

#include <algorithm>

namespace geo {

unsigned lcdSegments(char c)
{
    auto seg = [](std::initializer_list<int> list) {
        unsigned m = 0;
        for (int k : list)
            m |= segmentBit(k);
        return m;
    };
    switch (c) {
    case '0':
        return seg({1, 2, 3, 5, 6, 7});
    case '1':
        return seg({3, 6});
    case '2':
        return seg({1, 3, 4, 5, 7});
    case '3':
        return seg({1, 3, 4, 6, 7});
    case '4':
        return seg({2, 3, 4, 6});
    case '5':
        return seg({1, 2, 4, 6, 7});
    case '6':
        return seg({1, 2, 4, 5, 6, 7});
    case '7':
        return seg({1, 3, 6});
    case '8':
        return seg({1, 2, 3, 4, 5, 6, 7});
    case '9':
        return seg({1, 2, 3, 4, 6, 7});
    case '-':
        return seg({4});
    case ':':
        return seg({8});
    case 'A':
        return seg({1, 2, 3, 4, 5, 6});
    case 'B':
        return seg({2, 4, 5, 6, 7});
    case 'C':
        return seg({1, 2, 5, 7});
    case 'D':
        return seg({3, 4, 5, 6, 7});
    case 'E':
        return seg({1, 2, 4, 5, 7});
    case 'F':
        return seg({1, 2, 4, 5});
    case 'G':
        return seg({1, 2, 4, 5, 6, 7});
    case 'H':
        return seg({2, 4, 5, 6});
    case 'I':
        return seg({3, 6});
    case 'J':
        return seg({3, 6, 7});
    case 'K':
        return seg({2, 3, 4, 5, 6});
    case 'L':
        return seg({2, 5, 7});
    case 'M':
        return seg({4, 5, 6});
    case 'N':
        return seg({4, 5, 6});
    case 'O':
        return seg({4, 5, 6, 7});
    case 'P':
        return seg({1, 2, 3, 4, 5});
    case 'Q':
        return seg({1, 2, 3, 4, 6});
    case 'R':
        return seg({4, 5});
    case 'S':
        return seg({1, 2, 4, 6, 7});
    case 'T':
        return seg({2, 4, 5});
    case 'U':
        return seg({2, 3, 5, 6, 7});
    case 'V':
        return seg({2, 3, 5, 6, 7});
    case 'W':
        return seg({2, 3, 5, 6, 7});
    case 'X':
        return seg({2, 3, 4, 5, 6});
    case 'Y':
        return seg({2, 3, 4, 6});
    case 'Z':
        return seg({1, 3, 4, 5, 7});
    default:
        return 0;
    }
}

std::vector<LcdCell> lcdCells(std::string_view value, int digitNum)
{
    std::vector<LcdCell> cells;
    bool pendingDot = false;
    for (char c : value) {
        if (c == '.') {
            if (pendingDot)
                cells.push_back({' ', true}); // two points in a row: a blank cell carries the first
            pendingDot = true;
            continue;
        }
        cells.push_back({c, pendingDot});
        pendingDot = false;
    }
    const int n = std::max(0, digitNum);
    if (int(cells.size()) < n)
        cells.insert(cells.begin(), size_t(n) - cells.size(), LcdCell{});
    cells.resize(size_t(n));
    return cells;
}

LcdMetrics lcdMetrics(int width, int height, int digitNum, int digitSpacing, int segmentSize, int gapX, int gapY)
{
    LcdMetrics m;
    m.b = digitSpacing + 1;
    m.w = digitNum > 0 ? idiv(width - m.b - digitNum * m.b - 1, digitNum) : 0;
    m.h = height - 1;
    m.s = segmentSize;
    m.gapX = gapX;
    m.gapY = gapY;
    m.L = m.w - 2 * gapX;
    m.V = idiv(m.h, 2) - 2 * gapY;
    return m;
}

namespace {

// Top and bottom segments (t negative: the segment grows upwards from y).
std::vector<Pt> outerHorizontal(const LcdMetrics& m, int x, int y, int t)
{
    const int s = m.s, L = m.L, q = roundHalfEven(t / 4.0);
    return {{x, y + q},     {x + idiv(s, 2), y}, {x + L - idiv(s, 2), y},
            {x + L, y + q}, {x + L - s, y + t},  {x + s, y + t}};
}

std::vector<Pt> middleHorizontal(const LcdMetrics& m, int x, int y, int t)
{
    const int s = m.s, L = m.L, q = roundHalfEven(t / 2.0);
    return {{x, y + q}, {x + s, y}, {x + L - s, y}, {x + L, y + q}, {x + L - s, y + t}, {x + s, y + t}};
}

// Vertical segments (t negative: the segment grows leftwards from x).
std::vector<Pt> vertical(const LcdMetrics& m, int x, int y, int t)
{
    const int s = m.s, V = m.V, q = roundHalfEven(t / 4.0);
    return {{x + q, y},     {x, y + idiv(s, 2)}, {x, y + V - idiv(s, 2)},
            {x + q, y + V}, {x + t, y + V - s},  {x + t, y + s}};
}

} // namespace

std::array<std::vector<Pt>, 7> lcdSegmentPolygons(const LcdMetrics& m, int cell)
{
    const int x = m.cellX(cell);
    const int hx = x + m.gapX;
    const int half = idiv(m.h, 2);
    return {outerHorizontal(m, hx, 0, m.s),     vertical(m, x, m.gapY, m.s),
            vertical(m, x + m.w, m.gapY, -m.s), middleHorizontal(m, hx, half - idiv(m.s, 2), m.s),
            vertical(m, x, half + m.gapY, m.s), vertical(m, x + m.w, half + m.gapY, -m.s),
            outerHorizontal(m, hx, m.h, -m.s)};
}

std::array<Rct, 2> lcdColonDots(const LcdMetrics& m, int cell)
{
    const int dw = idiv(m.L, 3);
    const int dh = idiv(m.V, 3);
    const int x = m.cellX(cell) + idiv(m.w - dw, 2);
    const int half = idiv(m.h, 2);
    const int upper = half - 2 * dh;
    const int lower = half + dh;
    return {Rct{x, upper, x + dw, upper + dh}, Rct{x, lower, x + dw, lower + dh}};
}

Rct lcdDecimalPoint(const LcdMetrics& m, int cell)
{
    const int e = std::min(m.b - 2, m.s);
    if (e <= 0)
        return {};
    const int x = m.cellX(cell) - idiv(e + m.b, 2);
    return {x, m.h - e, x + e, m.h};
}

std::vector<Rct> lcdSegmentDots(const LcdMetrics& m, int cell, int segment, int dotSpacing)
{
    std::vector<Rct> out;
    const int s = std::max(1, m.s);
    const int pitch = s + std::max(0, dotSpacing);
    const int x = m.cellX(cell);
    const int half = idiv(m.h, 2);
    // A row of squares along [from, to] (inclusive pixel span) on the other axis at `at`.
    auto row = [&](int from, int to, int at, bool horizontal) {
        for (int p = from; p + s - 1 <= to; p += pitch)
            out.push_back(horizontal ? Rct{p, at, p + s, at + s} : Rct{at, p, at + s, p + s});
    };
    const int hx = x + m.gapX;
    switch (segment) {
    case 1:
        row(hx, hx + m.L, 0, true);
        break;
    case 4:
        row(hx, hx + m.L, half - idiv(s, 2), true);
        break;
    case 7:
        row(hx, hx + m.L, m.h - s + 1, true);
        break;
    case 2:
        row(m.gapY, m.gapY + m.V, x, false);
        break;
    case 5:
        row(half + m.gapY, half + m.gapY + m.V, x, false);
        break;
    case 3:
        row(m.gapY, m.gapY + m.V, x + m.w - s + 1, false);
        break;
    case 6:
        row(half + m.gapY, half + m.gapY + m.V, x + m.w - s + 1, false);
        break;
    case 8:
        for (const Rct& d : lcdColonDots(m, cell)) {
            const int cx = d.left + idiv(d.width() - s, 2);
            const int cy = d.top + idiv(d.height() - s, 2);
            out.push_back({cx, cy, cx + s, cy + s});
        }
        break;
    default:
        break;
    }
    return out;
}

} // namespace geo
