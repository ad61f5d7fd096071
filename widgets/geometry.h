#pragma once
// Plain drawing geometry of the owner-drawn controls: points, rectangles and strokes in the pixel
// conventions the controls are specified in, computed without any GUI library so that tests can
// check them in tables and the controls' paint code only draws what these functions return.
//
// Conventions: a rectangle (left, top, right, bottom) covers left..right-1 and top..bottom-1; a
// stroke is drawn like move-to/line-to, so its last point is not painted.

#include <iosfwd>
#include <vector>

namespace geo {

struct Pt
{
    int x = 0;
    int y = 0;
    bool operator==(const Pt&) const = default;
};

struct Rct
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    Rct inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    Rct translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    bool contains(Pt p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rct&) const = default;
};

// The colour a stroke is drawn in; each control maps these to its own colours.
enum class Ink { Highlight, Shadow, Border, Gray, White };

// A polyline drawn like move-to/line-to: all its pixels except the final point. A width above 1
// means a wide pen centred on the line.
struct Stroke
{
    Ink ink = Ink::Border;
    std::vector<Pt> points;
    int width = 1;
    bool operator==(const Stroke&) const = default;
};

// Pixels of a one-pixel line from `from` towards `to`, `to` itself left out. Steps along the longer
// axis; the other coordinate is the exact one rounded to the nearest pixel (halves towards +).
std::vector<Pt> linePixels(Pt from, Pt to);

// The ellipse inscribed in box: the pixels whose centres lie inside it, as one span per row, and
// its outline, the inside pixels with a horizontal or vertical neighbour outside.
struct EllipsePixels
{
    std::vector<Rct> rows;
    std::vector<Pt> outline;
};
EllipsePixels ellipsePixels(const Rct& box);

// Outline pixels of box's ellipse on the counter-clockwise arc (as seen on screen) from the ray
// through `from` up to, not including, the ray through `to`; the same ray twice is the whole outline.
std::vector<Pt> arcPixels(const Rct& box, Pt from, Pt to);

// Division of integers rounding toward zero, as the drawing formulas' "div".
constexpr int idiv(int a, int b)
{
    return a / b;
}

std::ostream& operator<<(std::ostream& os, Pt p);
std::ostream& operator<<(std::ostream& os, const Rct& r);
std::ostream& operator<<(std::ostream& os, const Stroke& s);

} // namespace geo
