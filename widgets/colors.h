#pragma once
// Colours of the owner-drawn controls and the shading arithmetic they share. No Qt here: the unit is
// used by the geometry code and by tests built without any GUI library.
//
// A colour is 32 bits with red in the low byte, then green, then blue. Values with the high byte
// 0xFF name system colours (clBtnFace and friends); ColorToRGB turns them into their current RGB value
// from a SystemColors table before any shading.

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

using TColor = std::uint32_t;

constexpr TColor rgbColor(int r, int g, int b)
{
    return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int redOf(TColor c)
{
    return int(c & 0xFF);
}
constexpr int greenOf(TColor c)
{
    return int((c >> 8) & 0xFF);
}
constexpr int blueOf(TColor c)
{
    return int((c >> 16) & 0xFF);
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;

// System colours: the high byte marks them, the low byte is the index into SystemColors.
inline constexpr TColor clSystemColor = 0xFF000000;
inline constexpr TColor clWindow = clSystemColor | 5;
inline constexpr TColor clWindowFrame = clSystemColor | 6;
inline constexpr TColor clWindowText = clSystemColor | 8;
inline constexpr TColor clHighlight = clSystemColor | 13;
inline constexpr TColor clHighlightText = clSystemColor | 14;
inline constexpr TColor clBtnFace = clSystemColor | 15;
inline constexpr TColor clBtnShadow = clSystemColor | 16;
inline constexpr TColor clGrayText = clSystemColor | 17;
inline constexpr TColor clBtnText = clSystemColor | 18;
inline constexpr TColor clBtnHighlight = clSystemColor | 20;
inline constexpr TColor cl3DDkShadow = clSystemColor | 21;
inline constexpr TColor cl3DLight = clSystemColor | 22;

constexpr bool isSystemColor(TColor c)
{
    return (c & 0xFF000000u) == clSystemColor;
}

// Current RGB values of the system colours. The widget layer fills one from the Qt palette; the
// defaults are the usual desktop values, for code that runs without a palette.
struct SystemColors
{
    static constexpr int count = 31;
    std::array<TColor, count> values{};

    static SystemColors defaults();
    void set(TColor systemColor, TColor rgb);
};

// The RGB value of any colour: a system colour is looked up (an unknown index gives black), any other
// colour loses its high byte.
TColor ColorToRGB(TColor c, const SystemColors& system);

// Nearest integer, halves to the even neighbour: the rounding of all shading and geometry.
int roundHalfEven(double v);

// Hue, lightness, saturation, each 0..1.
struct THLS
{
    double h = 0, l = 0, s = 0;
};
// Red, green, blue, each 0..1.
struct TRGBValues
{
    double r = 0, g = 0, b = 0;
};

// Raised by the conversions for a component outside 0..1 (NaN included).
class EColorConv final : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// Standard HSL model: hue 0..1 through red, yellow, green, cyan, blue, magenta. A grey has hue 0 and
// saturation 0. Components must be within 0..1, else EColorConv names the offending one.
THLS RGB2HLS(double r, double g, double b);
TRGBValues HLS2RGB(double h, double l, double s);

// Each channel v becomes 255 - round(x * (256 - v)), x in 0..1. The result is kept in 0..255: with
// x = 1 a zero channel would otherwise wrap round to 255 and turn black into white.
TColor Lighten(TColor rgb, double x);
// Lightness multiplied by x (0..1) in HLS, each channel rounded back to 0..255.
TColor Darken(TColor rgb, double x);

enum class TGradientDirection { gdDownRight, gdUpLeft };

using ColorTable = std::array<TColor, 256>;

// The 256 shades of a colour button's gradient: with gdDownRight white through the face colour to
// black, with gdUpLeft black through the face colour to white.
ColorTable buttonGradientTable(TColor rgb, TGradientDirection direction);

// The 256 colours of a gradient background from start towards end (entries 0 and 1 are both the
// start; the last entry stops one step short of the end); gdUpLeft stores them from the other end.
ColorTable backgroundColorTable(TColor startRgb, TColor endRgb, TGradientDirection direction);
