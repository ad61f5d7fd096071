#include "widgets/panel_geometry.h"

#include "widgets/colors.h"

#include <algorithm>
#include <utility>

namespace geo {

namespace {

// The two lines of a panel bevel on r: top-left, then bottom-right.
void panelBevel(std::vector<Stroke>& out, const Rct& r, bool raised, int width)
{
    const Ink first = raised ? Ink::Highlight : Ink::Shadow;
    const Ink second = raised ? Ink::Shadow : Ink::Highlight;
    out.push_back({first, {{r.right - 1, r.top}, {r.left, r.top}, {r.left, r.bottom - 1}}, width});
    out.push_back({second, {{r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}}, width});
}

} // namespace

ScrewPanelLayout screwPanelLayout(const ScrewPanelInput& in)
{
    ScrewPanelLayout out;
    Rct r = in.client;
    if (in.bevelOuter != TBevelStyle::bvNone) {
        panelBevel(out.bevels, r, in.bevelOuter == TBevelStyle::bvRaised, in.bevelWidth);
        r = r.inset(in.bevelWidth + in.borderWidth);
    } else {
        r = r.inset(in.borderWidth);
    }
    if (in.bevelInner != TBevelStyle::bvNone) {
        panelBevel(out.bevels, r, in.bevelInner == TBevelStyle::bvRaised, in.bevelWidth);
        r = r.inset(in.bevelWidth);
    }
    if (in.showScrews) {
        const int m = in.margin;
        const int d = 4 * in.screwSize;
        out.screws = {{r.left + m, r.top + m},
                      {r.right - m - d, r.top + m},
                      {r.left + m, r.bottom - m - d},
                      {r.right - m - d, r.bottom - m - d}};
    }
    out.captionRect = r;
    return out;
}

ScrewShape screwShape(Pt o, int s)
{
    ScrewShape out;
    out.disc = {o.x, o.y, o.x + 4 * s, o.y + 4 * s};
    EllipsePixels disc = ellipsePixels(out.disc);
    out.discRows = std::move(disc.rows);
    out.outline = std::move(disc.outline);
    const Pt upperRight{o.x + 3 * s, o.y + s};
    const Pt lowerLeft{o.x + s, o.y + 3 * s};
    out.shadowArc = arcPixels(out.disc, upperRight, lowerLeft);
    out.slot = linePixels({o.x + s - 1, o.y + 3 * s - 1}, {o.x + 3 * s, o.y + s - 2});
    out.highlightArc = arcPixels(out.disc, lowerLeft, upperRight);
    out.glint = linePixels(lowerLeft, {o.x + 3 * s + 1, o.y + s - 1});
    return out;
}

int ledMeterCellCount(int numDigits, int value, int min, int max)
{
    const int range = max - min;
    if (range <= 0 || value - min <= 0)
        return 0;
    return roundHalfEven(double(numDigits) * (double(value) - min) / range);
}

std::vector<LedCell> ledMeterCells(const LedMeterInput& in)
{
    std::vector<LedCell> out;
    const int n = in.numDigits;
    if (n < 1)
        return out;
    const int a = in.bevel ? 1 : 0;
    const bool across = in.direction == TMeterDirection::mdRight || in.direction == TMeterDirection::mdLeft;
    const int cw = across ? idiv(in.width - 2 * a, n) : in.width - 2 * a - 1;
    const int ch = across ? in.height - 2 * a : idiv(in.height - 2 * a, n);

    const int lit = ledMeterCellCount(n, in.value, in.min, in.max);
    const int s2 = ledMeterCellCount(n, in.section2Value, in.min, in.max);
    const int s3 = ledMeterCellCount(n, in.section3Value, in.min, in.max);
    const int peakCount = ledMeterCellCount(n, in.peak, in.min, in.max);
    const int p = peakCount > 0 ? peakCount - 1 : 0;

    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i) {
        LedCell c;
        c.on = i < lit ? (!in.singleLED || i == lit - 1) : (in.peakHoldTime != 0 && i == p && p > 0);
        c.section = i < s2 ? 0 : (i < s3 ? 1 : 2);
        int x = a, y = a;
        switch (in.direction) {
        case TMeterDirection::mdRight:
            x = a + i * cw;
            break;
        case TMeterDirection::mdLeft:
            x = in.width - a - (i + 1) * cw - 1;
            break;
        case TMeterDirection::mdDown:
            y = a + i * ch;
            break;
        case TMeterDirection::mdUp:
            y = in.height - a - (i + 1) * ch;
            break;
        }
        c.rect = {x, y, x + cw + 1, y + ch};
        out.push_back(c);
    }
    return out;
}

std::vector<Stroke> ledMeterBevel(int width, int height, TBevelStyle style)
{
    if (style == TBevelStyle::bvNone)
        return {};
    const bool raised = style == TBevelStyle::bvRaised;
    const int w = width, h = height;
    return {{raised ? Ink::Highlight : Ink::Shadow, {{w - 1, 0}, {0, 0}, {0, h - 1}}, 1},
            {raised ? Ink::Shadow : Ink::Highlight, {{0, h - 1}, {w - 1, h - 1}, {w - 1, 0}}, 1}};
}

namespace {

// Maps pixels of a slab drawn thickness-down in a frame of (cw x ch) at the origin to the real
// rectangle r for the given direction: mirrored for bdTopUp, turned about the diagonal for the sides.
struct SlabFrame
{
    TButtonDirection direction;
    Rct r;

    int canonicalWidth() const { return sideways() ? r.height() : r.width(); }
    int canonicalHeight() const { return sideways() ? r.width() : r.height(); }
    bool sideways() const
    {
        return direction == TButtonDirection::bdLeftUp || direction == TButtonDirection::bdRightUp;
    }
    Pt map(Pt p) const
    {
        switch (direction) {
        case TButtonDirection::bdTopUp:
            return {r.left + p.x, r.bottom - 1 - p.y};
        case TButtonDirection::bdRightUp:
            return {r.left + p.y, r.top + p.x};
        case TButtonDirection::bdLeftUp:
            return {r.right - 1 - p.y, r.top + p.x};
        case TButtonDirection::bdBottomUp:
        case TButtonDirection::bdNone:
            break;
        }
        return {r.left + p.x, r.top + p.y};
    }
    Rct map(const Rct& c) const
    {
        if (c.isEmpty())
            return {};
        const Pt a = map(Pt{c.left, c.top});
        const Pt b = map(Pt{c.right - 1, c.bottom - 1});
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x) + 1, std::max(a.y, b.y) + 1};
    }
    Stroke map(Stroke s) const
    {
        for (Pt& p : s.points)
            p = map(p);
        return s;
    }
};

} // namespace

LedButtonLayout ledButtonLayout(const LedButtonInput& in)
{
    LedButtonLayout out;
    Rct r = in.client;
    if (in.hasCaption && (in.textPosition == TTextPosition::tpAbove || in.textPosition == TTextPosition::tpBelow)) {
        out.captionFirst = true;
        if (in.textPosition == TTextPosition::tpAbove)
            r.top += in.captionBand;
        else
            r.bottom -= in.captionBand;
    }
    out.face = r;
    if (in.singleBorder) {
        out.frame = true;
        r = r.inset(1);
    }

    // The slab is laid out thickness-down in a canonical frame, then mapped to the real direction.
    const SlabFrame frame{in.direction, r};
    const int D = in.direction == TButtonDirection::bdNone ? 0 : in.depth;
    const Rct c{0, 0, frame.canonicalWidth(), frame.canonicalHeight()};
    std::vector<Stroke> slab;
    if (in.direction != TButtonDirection::bdNone) {
        slab.push_back({Ink::Highlight, {{c.right - 1, c.top}, {c.left, c.top}}, 1});
        if (!in.pressed) {
            if (in.beveled) {
                for (int i = 0; i <= D; ++i) {
                    slab.push_back({Ink::Highlight, {{c.left, c.top}, {c.left + i, c.bottom - i - 1}}, 1});
                    slab.push_back({Ink::Shadow, {{c.right - 1, c.top}, {c.right - i - 1, c.bottom - i - 1}}, 1});
                }
                for (int i = 0; i <= D; ++i)
                    slab.push_back(
                        {Ink::Shadow, {{c.left + i, c.bottom - i - 1}, {c.right - i - 1, c.bottom - i - 1}}, 1});
            } else {
                slab.push_back({Ink::Highlight, {{c.left, c.top}, {c.left, c.bottom - 1}}, 1});
                slab.push_back({Ink::Shadow, {{c.right - 1, c.top}, {c.right - 1, c.bottom - 1}}, 1});
                for (int i = 0; i <= D; ++i)
                    slab.push_back({Ink::Shadow, {{c.left, c.bottom - i - 1}, {c.right - 1, c.bottom - i - 1}}, 1});
            }
        } else {
            // Pressed: the sides reach the bottom edge and the thickness shrinks to one line.
            if (in.beveled) {
                for (int i = 0; i <= D; ++i) {
                    slab.push_back({Ink::Highlight, {{c.left, c.top}, {c.left + i / 2, c.bottom - 1}}, 1});
                    slab.push_back({Ink::Shadow, {{c.right - 1, c.top}, {c.right - i / 2 - 1, c.bottom - 1}}, 1});
                }
            } else {
                slab.push_back({Ink::Highlight, {{c.left, c.top}, {c.left, c.bottom - 1}}, 1});
                slab.push_back({Ink::Shadow, {{c.right - 1, c.top}, {c.right - 1, c.bottom - 1}}, 1});
            }
            slab.push_back({Ink::Shadow, {{c.left, c.bottom - 1}, {c.right - 1, c.bottom - 1}}, 1});
        }
    }
    for (Stroke& s : slab)
        out.slab.push_back(frame.map(std::move(s)));

    Rct content = c;
    if (in.showLED) {
        const int down = in.pressed ? D / 2 : 0;
        out.led = true;
        out.ledRect = frame.map(Rct{c.left + D + 3, c.bottom - D - 9 + down, c.right - D - 3, c.bottom - D - 4 + down});
        content.bottom -= D + 7;
    }
    out.content = frame.map(content);
    return out;
}

} // namespace geo
