#pragma once
// Property types of the owner-drawn controls, shared by the geometry code and the Qt controls.
// Enumerator names are those the windows are written with (gsVertical, bvRaised, mdRight...).

// ColorButton.GradientStyle: gradient over the button face.
enum class TButtonGradientStyle { gsNone, gsHorizontal, gsPyramid, gsVertical };
// ColorButton.BorderStyle: outer border.
enum class TButtonBorderStyle { bsFlat, bsNormal, bsSingle };
// ColorButton.Layout: place of the glyph relative to the caption.
enum class TButtonLayout { blGlyphBottom, blGlyphLeft, blGlyphRight, blGlyphTop };

// GradientBackground.Style: geometry of the gradient.
enum class TGradientBkStyle {
    gsCornerTopLeft,
    gsCornerTopRight,
    gsCornerBottomRight,
    gsCornerBottomLeft,
    gsDiagonalRising,
    gsDiagonalFalling,
    gsEllipse,
    gsHorizontal,
    gsPyramid,
    gsVertical
};

// Bevel of panels, meters and the gradient background.
enum class TBevelStyle { bvNone, bvLowered, bvRaised, bvSpace };
// Horizontal placement of a panel caption.
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

// TLEDMeter.Direction: where the bar grows to.
enum class TMeterDirection { mdDown, mdLeft, mdRight, mdUp };

// TLEDButton.ButtonDirection: the side of the slab that shows its thickness (bdNone: flat).
enum class TButtonDirection { bdBottomUp, bdLeftUp, bdNone, bdRightUp, bdTopUp };
// TLEDButton.BorderStyle.
enum class TLEDBorderStyle { bsNone, bsSingle };
// TLEDButton.TextPosition: where the caption goes.
enum class TTextPosition { tpAbove, tpBelow, tpNone, tpOnButton };

// TLCD99.Animation: how a new value replaces the old one, cell by cell (anNone: at once).
enum class TLCDAnimation { anNone, anLeftToRight, anRightToLeft, anRandom };
