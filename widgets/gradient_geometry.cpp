#include "widgets/gradient_geometry.h"

#include <algorithm>

namespace geo {

namespace {

GradientShape rectShape(int entry, Rct r)
{
    GradientShape s;
    s.kind = GradientShape::Kind::Rect;
    s.entry = entry;
    s.rect = r;
    return s;
}

GradientShape polygonShape(int entry, std::vector<Pt> points)
{
    GradientShape s;
    s.kind = GradientShape::Kind::Polygon;
    s.entry = entry;
    s.points = std::move(points);
    return s;
}

GradientShape lineShape(int entry, Pt from, Pt to, int penWidth)
{
    GradientShape s;
    s.kind = GradientShape::Kind::Line;
    s.entry = std::clamp(entry, 0, 255);
    s.points = {from, to};
    s.penWidth = penWidth;
    return s;
}

// Stripes across r: vertical (top to bottom) or horizontal (left to right).
void bands(std::vector<GradientShape>& out, const Rct& r, bool vertical)
{
    const int extent = vertical ? r.height() : r.width();
    for (int i = 0; i <= 255; ++i) {
        const Band b = gradientBand(i, extent);
        if (vertical)
            out.push_back(rectShape(i, {r.left, r.top + b.start, r.right, r.top + b.start + b.length}));
        else
            out.push_back(rectShape(i, {r.left + b.start, r.top, r.left + b.start + b.length, r.bottom}));
    }
}

// trunc(i * 255 / total) without floating-point error; the pyramid's colour index.
int pyramidEntry(int i, int total)
{
    return total > 0 ? idiv(i * 255, total) : 0;
}

} // namespace

Band gradientBand(int i, int extent)
{
    return {i == 0 ? 0 : idiv((i - 1) * extent, 255), idiv(extent, 255) + 1};
}

std::vector<GradientShape> buttonGradientShapes(TButtonGradientStyle style, int w, int h)
{
    std::vector<GradientShape> out;
    switch (style) {
    case TButtonGradientStyle::gsNone:
        break;
    case TButtonGradientStyle::gsVertical:
        bands(out, {0, 0, w, h}, true);
        break;
    case TButtonGradientStyle::gsHorizontal:
        bands(out, {0, 0, w, h}, false);
        break;
    case TButtonGradientStyle::gsPyramid: {
        const Pt c{idiv(w, 2), idiv(h, 2)};
        const int total = w + h;
        for (int i = 0; i <= w; ++i) {
            out.push_back(lineShape(pyramidEntry(i, total), {i, 0}, c, 1));
            out.push_back(lineShape(pyramidEntry(i + h, total), c, {i, h - 1}, 1));
        }
        for (int i = 0; i <= h; ++i) {
            out.push_back(lineShape(pyramidEntry(i + w, total), {w - 1, i}, c, 1));
            out.push_back(lineShape(pyramidEntry(i, total), c, {0, i}, 1));
        }
        break;
    }
    }
    return out;
}

std::vector<GradientShape> backgroundGradientShapes(TGradientBkStyle style, const Rct& r, int stepWidth)
{
    std::vector<GradientShape> out;
    const int w = r.width();
    const int h = r.height();
    if (w <= 0 || h <= 0)
        return out;
    stepWidth = std::max(1, stepWidth);
    // Corner styles: step i fills an L of a vertical strip e wide and a horizontal strip d high.
    const int e = idiv(w, 255) + 1;
    const int d = idiv(h, 255) + 1;
    auto xAt = [&](int i) { return r.left + idiv(i * w, 255); };
    auto yAt = [&](int i) { return r.top + idiv(i * h, 255); };
    // Diagonal styles: 128 strips on each side of the diagonal.
    const int de = idiv(w, 127) + 1;
    const int dd = idiv(h, 127) + 1;
    auto xj = [&](int j) { return idiv(j * w, 127); };
    auto yj = [&](int j) { return idiv(j * h, 127); };

    switch (style) {
    case TGradientBkStyle::gsVertical:
        bands(out, r, true);
        break;
    case TGradientBkStyle::gsHorizontal:
        bands(out, r, false);
        break;
    case TGradientBkStyle::gsCornerBottomRight:
        for (int i = 0; i <= 255; ++i) {
            const int x = xAt(i), y = yAt(i);
            out.push_back(polygonShape(
                i, {{r.right, y + d}, {x + e, y + d}, {x + e, r.bottom}, {x, r.bottom}, {x, y}, {r.right, y}}));
        }
        break;
    case TGradientBkStyle::gsCornerTopLeft:
        for (int i = 0; i <= 255; ++i) {
            const int x = xAt(255 - i), y = yAt(255 - i);
            out.push_back(
                polygonShape(i, {{r.left, y}, {x, y}, {x, r.top}, {x + e, r.top}, {x + e, y + d}, {r.left, y + d}}));
        }
        break;
    case TGradientBkStyle::gsCornerTopRight:
        for (int i = 0; i <= 255; ++i) {
            const int x = xAt(i), y = yAt(255 - i);
            out.push_back(
                polygonShape(i, {{x + e, r.top}, {x + e, y}, {r.right, y}, {r.right, y + d}, {x, y + d}, {x, r.top}}));
        }
        break;
    case TGradientBkStyle::gsCornerBottomLeft:
        for (int i = 0; i <= 255; ++i) {
            const int x = xAt(255 - i), y = yAt(i);
            out.push_back(polygonShape(
                i, {{x, r.bottom}, {x, y + d}, {r.left, y + d}, {r.left, y}, {x + e, y}, {x + e, r.bottom}}));
        }
        break;
    case TGradientBkStyle::gsDiagonalFalling:
        for (int j = 0; j <= 127; ++j)
            out.push_back(polygonShape(j, {{r.left + xj(j), r.top},
                                           {r.left + xj(j) + de, r.top},
                                           {r.left, r.top + yj(j) + dd},
                                           {r.left, r.top + yj(j)}}));
        for (int j = 0; j <= 127; ++j)
            out.push_back(polygonShape(128 + j, {{r.right, r.top + yj(j)},
                                                 {r.right, r.top + yj(j) + dd},
                                                 {r.left + xj(j) + de, r.bottom},
                                                 {r.left + xj(j), r.bottom}}));
        break;
    case TGradientBkStyle::gsDiagonalRising:
        for (int j = 0; j <= 127; ++j) {
            const int yr = yj(127 - j);
            out.push_back(polygonShape(j, {{r.left + xj(j), r.bottom},
                                           {r.left + xj(j) + de, r.bottom},
                                           {r.left, r.top + yr},
                                           {r.left, r.top + yr + dd}}));
        }
        for (int j = 0; j <= 127; ++j) {
            const int yr = yj(127 - j);
            out.push_back(polygonShape(128 + j, {{r.right, r.top + yr + dd},
                                                 {r.right, r.top + yr},
                                                 {r.left + xj(j) + de, r.top},
                                                 {r.left + xj(j), r.top}}));
        }
        break;
    case TGradientBkStyle::gsPyramid: {
        // Coordinates count from the rectangle's corner; lines may reach one pixel beyond it.
        const Pt c{r.left + idiv(w, 2), r.top + idiv(h, 2)};
        const int total = w + h;
        for (int i = 0; i <= w; i += stepWidth) {
            out.push_back(lineShape(pyramidEntry(i, total), {r.left + i, r.top}, c, stepWidth));
            out.push_back(lineShape(pyramidEntry(i + h, total), c, {r.left + i, r.top + h}, stepWidth));
        }
        for (int i = 0; i <= h; i += stepWidth) {
            out.push_back(lineShape(pyramidEntry(i + w, total), {r.left + w, r.top + i}, c, stepWidth));
            out.push_back(lineShape(pyramidEntry(i, total), c, {r.left - 1, r.top + i}, stepWidth));
        }
        break;
    }
    case TGradientBkStyle::gsEllipse: {
        // Concentric ellipses stepping inwards by stepWidth; the colour follows the distance from the
        // edge, from entry 0 at the edge to 255 at the centre of the shorter side.
        const int half = std::max(1, idiv(std::min(w, h), 2));
        for (int inset = 0; 2 * inset < std::min(w, h); inset += stepWidth) {
            GradientShape s;
            s.kind = GradientShape::Kind::Ellipse;
            s.entry = std::min(255, idiv(inset * 255, half));
            s.rect = r.inset(inset);
            out.push_back(std::move(s));
        }
        break;
    }
    }
    return out;
}

std::vector<Stroke> backgroundBevel(const Rct& r, TBevelStyle style, int bevelWidth)
{
    std::vector<Stroke> out;
    if (style != TBevelStyle::bvLowered && style != TBevelStyle::bvRaised)
        return out;
    const Ink first = style == TBevelStyle::bvLowered ? Ink::Shadow : Ink::Highlight;
    const Ink second = style == TBevelStyle::bvLowered ? Ink::Highlight : Ink::Shadow;
    for (int k = 1; k <= bevelWidth; ++k)
        out.push_back({first,
                       {{r.right - k, r.top + k - 1}, {r.left + k - 1, r.top + k - 1}, {r.left + k - 1, r.bottom - k}},
                       1});
    for (int k = 1; k <= bevelWidth; ++k)
        out.push_back(
            {second, {{r.right - k, r.top + k - 1}, {r.right - k, r.bottom - k}, {r.left + k - 1, r.bottom - k}}, 1});
    return out;
}

} // namespace geo
