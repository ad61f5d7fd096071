#include "widgets/button_geometry.h"

namespace geo {

Rct buttonFaceRect(const Rct& client, int bevelWidth, TButtonBorderStyle border)
{
    return client.inset(bevelWidth + (border == TButtonBorderStyle::bsFlat ? 0 : 1));
}

std::vector<Stroke> buttonFrameStrokes(const Rct& client, TButtonBorderStyle border, int bevelWidth, bool down)
{
    std::vector<Stroke> out;
    Rct r = client;
    if (border == TButtonBorderStyle::bsSingle) {
        // A closed one-pixel frame: the final point is the start, already painted.
        out.push_back({Ink::Border,
                       {{r.left, r.top},
                        {r.right - 1, r.top},
                        {r.right - 1, r.bottom - 1},
                        {r.left, r.bottom - 1},
                        {r.left, r.top}},
                       1});
        r = r.inset(1);
    } else if (border == TButtonBorderStyle::bsNormal) {
        out.push_back(
            {down ? Ink::Border : Ink::Highlight, {{r.left, r.bottom - 1}, {r.left, r.top}, {r.right - 1, r.top}}, 1});
        out.push_back({down ? Ink::Highlight : Ink::Border,
                       {{r.left, r.bottom - 1}, {r.right - 1, r.bottom - 1}, {r.right - 1, r.top}},
                       1});
        r = r.inset(1);
    }
    const Ink light = down ? Ink::Shadow : Ink::Highlight;
    const Ink dark = down ? Ink::Highlight : Ink::Shadow;
    for (int k = 0; k < bevelWidth; ++k)
        out.push_back(
            {light, {{r.right - k - 1, r.top + k}, {r.left + k, r.top + k}, {r.left + k, r.bottom - k - 1}}, 1});
    for (int k = 0; k < bevelWidth; ++k)
        out.push_back(
            {dark,
             {{r.right - k - 1, r.top + k}, {r.right - k - 1, r.bottom - k - 1}, {r.left + k, r.bottom - k - 1}},
             1});
    return out;
}

ButtonContent buttonContentLayout(const ButtonContentInput& in)
{
    const Rct& f = in.face;
    ButtonContent out;
    int x = idiv(f.right - in.textWidth, 2);
    int y =
        idiv(f.top + f.bottom - in.textHeight, 2) + ((in.changeDirection && in.down) ? -in.topMargin : in.topMargin);
    int gx = 0, gy = 0;
    if (in.hasGlyph) {
        const int gw = in.glyphWidth, gh = in.glyphHeight;
        gx = idiv(f.right - gw, 2);
        gy = idiv(f.top + f.bottom - gh, 2);
        if (in.hasCaption) {
            const int tw = in.textWidth, th = in.textHeight;
            switch (in.layout) {
            case TButtonLayout::blGlyphLeft:
                gx = idiv(f.right - tw - gw - in.spacing, 2) - in.margin;
                x = gx + gw + in.spacing;
                break;
            case TButtonLayout::blGlyphRight:
                gx = idiv(tw + gw + in.spacing + f.right, 2) + in.margin - gw;
                x = gx - tw - in.spacing;
                break;
            case TButtonLayout::blGlyphTop:
                gy = idiv(f.top + f.bottom - th - gh - in.spacing, 2) - in.margin;
                y = gy + gh + in.spacing;
                break;
            case TButtonLayout::blGlyphBottom:
                // The mirror image of blGlyphTop: the glyph ends at the bottom of the centred block.
                gy = idiv(f.top + f.bottom + th + gh + in.spacing, 2) + in.margin - gh;
                y = gy - th - in.spacing;
                break;
            }
        }
    }
    if (in.down) {
        ++y;
        ++gx;
        ++gy;
        if (in.contentMovesRight)
            ++x;
    }
    out.caption = {x, y};
    out.glyph = {gx, gy};
    out.captionFill = in.down ? Rct{x, y, x + in.textWidth, y + in.textHeight}
                              : Rct{x + 1, y + 1, x + in.textWidth + 1, y + in.textHeight + 1};
    return out;
}

} // namespace geo
