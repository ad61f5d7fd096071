#pragma once
// Geometry of the gradients: which shape every entry of a 256-colour table paints, for the colour
// button's face gradients and the gradient background's ten styles. Shapes are painted in list
// order, so later shapes cover earlier ones where they overlap.

#include "widgets/geometry.h"
#include "widgets/widget_types.h"

#include <vector>

namespace geo {

struct GradientShape
{
    enum class Kind { Rect, Polygon, Line, Ellipse };
    Kind kind = Kind::Rect;
    int entry = 0;          // index into the colour table
    Rct rect;               // Rect, Ellipse (ellipse inside the rectangle)
    std::vector<Pt> points; // Polygon vertices (filled without outline); Line: from, to (to not painted)
    int penWidth = 1;       // Line
    bool operator==(const GradientShape&) const = default;
};

// Band i (0..255) of a striped gradient along an extent of n pixels: it starts at
// trunc((i - 1) * n / 255) (0 for band 0) and is trunc(n / 255 + 1) long, so later bands overlap
// earlier ones and the last one reaches the end.
struct Band
{
    int start = 0;
    int length = 0;
    bool operator==(const Band&) const = default;
};
Band gradientBand(int i, int extent);

// The colour button's gradient over its whole client area (w x h): 256 bands for gsVertical and
// gsHorizontal, lines for gsPyramid (nothing for gsNone). Shape entries are step numbers; the
// button maps them to its table (reversed while pressed with ChangeDirection).
std::vector<GradientShape> buttonGradientShapes(TButtonGradientStyle style, int w, int h);

// The gradient background's shapes inside r. stepWidth is the pen width and step of gsPyramid and
// gsEllipse.
std::vector<GradientShape> backgroundGradientShapes(TGradientBkStyle style, const Rct& r, int stepWidth);

// The bevel frame of a gradient background on r (lowered: shadow over highlight; raised the other
// way round); bvSpace and bvNone draw nothing.
std::vector<Stroke> backgroundBevel(const Rct& r, TBevelStyle style, int bevelWidth);

} // namespace geo
