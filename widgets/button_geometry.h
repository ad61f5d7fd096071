#pragma once
// Geometry of the colour button: its face rectangle, its border and bevel strokes, and where the
// caption and the glyph go.

#include "widgets/geometry.h"
#include "widgets/widget_types.h"

#include <vector>

namespace geo {

// The client rectangle inset by the bevel width, and by one more pixel unless the border is flat.
Rct buttonFaceRect(const Rct& client, int bevelWidth, TButtonBorderStyle border);

// Border and bevel, drawn last over everything else. Ink::Border is the button's BorderColor.
// Up: highlight top-left, border and shadow bottom-right; down: the colours swap.
std::vector<Stroke> buttonFrameStrokes(const Rct& client, TButtonBorderStyle border, int bevelWidth, bool down);

struct ButtonContentInput
{
    Rct face;
    int textWidth = 0;
    int textHeight = 0;
    bool hasCaption = false;
    int glyphWidth = 0;
    int glyphHeight = 0;
    bool hasGlyph = false;
    TButtonLayout layout = TButtonLayout::blGlyphLeft;
    int margin = 1;
    int spacing = 1;
    int topMargin = 0;
    bool down = false;
    bool changeDirection = false;
    // A pressed button without gradient shows its whole face content one pixel right and down.
    bool contentMovesRight = false;
};

struct ButtonContent
{
    Pt caption;      // top-left of the caption rectangle (textWidth x textHeight)
    Pt glyph;        // top-left of the glyph frame
    Rct captionFill; // filled with the face colour first on a button without gradient
};

ButtonContent buttonContentLayout(const ButtonContentInput& in);

} // namespace geo
