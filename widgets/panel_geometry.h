#pragma once
// Geometry of the screw panel, the LED meter and the LED button.

#include "widgets/geometry.h"
#include "widgets/widget_types.h"

#include <array>
#include <vector>

namespace geo {

// ---- TScrewPanel ----

struct ScrewPanelInput
{
    Rct client;
    TBevelStyle bevelOuter = TBevelStyle::bvRaised;
    TBevelStyle bevelInner = TBevelStyle::bvNone;
    int bevelWidth = 1;
    int borderWidth = 0;
    int margin = 2;
    int screwSize = 2;
    bool showScrews = true;
};

struct ScrewPanelLayout
{
    std::vector<Stroke> bevels; // outer then inner bevel, pen width BevelWidth
    std::vector<Pt> screws;     // top-left corners of the screw heads: top-left, top-right, bottom-left, bottom-right
    Rct captionRect;            // the caption is centred vertically in it
};

ScrewPanelLayout screwPanelLayout(const ScrewPanelInput& in);

// One screw head of diameter 4s at origin (x, y): a silver disc outlined in the shadow colour, its
// upper-left half outline re-drawn in the shadow colour, a grey slot, its lower-right half outline
// in the highlight colour and a white glint beside the slot, painted in this order. The two halves
// cover the whole outline, so the outline's own colour never shows.
struct ScrewShape
{
    Rct disc;                     // the circle's box (x, y, x + 4s, y + 4s)
    std::vector<Rct> discRows;    // filled silver
    std::vector<Pt> outline;      // shadow colour
    std::vector<Pt> shadowArc;    // from (x + 3s, y + s) counter-clockwise to (x + s, y + 3s)
    std::vector<Pt> slot;         // Ink::Gray, line (x + s - 1, y + 3s - 1) to (x + 3s, y + s - 2)
    std::vector<Pt> highlightArc; // from (x + s, y + 3s) counter-clockwise to (x + 3s, y + s)
    std::vector<Pt> glint;        // white, line (x + s, y + 3s) to (x + 3s + 1, y + s - 1)
};

ScrewShape screwShape(Pt origin, int screwSize);

// ---- TLEDMeter ----

struct LedMeterInput
{
    int width = 143;
    int height = 16;
    int numDigits = 20;
    int min = 0;
    int max = 100;
    int value = 0; // the displayed value
    int section2Value = 75;
    int section3Value = 90;
    int peak = 0;
    int peakHoldTime = 0;
    bool singleLED = false;
    TMeterDirection direction = TMeterDirection::mdRight;
    bool bevel = true; // BevelStyle is not bvNone
};

struct LedCell
{
    Rct rect;        // filled with the cell colour and outlined in the border colour
    int section = 0; // 0, 1, 2: Section1..Section3
    bool on = false;
    bool operator==(const LedCell&) const = default;
};

// round(numDigits * (value - min) / (max - min)), or 0 when the range is empty or value <= min.
int ledMeterCellCount(int numDigits, int value, int min, int max);

std::vector<LedCell> ledMeterCells(const LedMeterInput& in);

// The one-pixel frame: highlight over shadow for bvRaised, shadow over highlight otherwise.
std::vector<Stroke> ledMeterBevel(int width, int height, TBevelStyle style);

// ---- TLEDButton ----

struct LedButtonInput
{
    Rct client;
    TButtonDirection direction = TButtonDirection::bdBottomUp;
    int depth = 3;
    bool beveled = true;
    bool pressed = false;
    bool singleBorder = true;
    bool showLED = true;
    bool hasCaption = false;
    TTextPosition textPosition = TTextPosition::tpNone;
    int captionBand = 0; // width of the letter "W" plus 2: the caption's strip above or below the slab
};

struct LedButtonLayout
{
    bool captionFirst = false; // caption drawn first into the whole client area (tpAbove, tpBelow)
    Rct face;                  // filled with the button colour
    bool frame = false;        // one-pixel frame around face in clWindowFrame
    std::vector<Stroke> slab;  // highlight and shadow lines of the slab
    bool led = false;
    Rct ledRect; // outlined in black, filled with the LED colour
    Rct content; // caption (tpOnButton) or glyph area
};

LedButtonLayout ledButtonLayout(const LedButtonInput& in);

} // namespace geo
