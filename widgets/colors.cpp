#include "widgets/colors.h"

#include <algorithm>
#include <cmath>

SystemColors SystemColors::defaults()
{
    SystemColors s;
    s.set(clWindow, rgbColor(255, 255, 255));
    s.set(clWindowFrame, rgbColor(100, 100, 100));
    s.set(clWindowText, rgbColor(0, 0, 0));
    s.set(clHighlight, rgbColor(0, 120, 215));
    s.set(clHighlightText, rgbColor(255, 255, 255));
    s.set(clBtnFace, rgbColor(240, 240, 240));
    s.set(clBtnShadow, rgbColor(160, 160, 160));
    s.set(clGrayText, rgbColor(109, 109, 109));
    s.set(clBtnText, rgbColor(0, 0, 0));
    s.set(clBtnHighlight, rgbColor(255, 255, 255));
    s.set(cl3DDkShadow, rgbColor(105, 105, 105));
    s.set(cl3DLight, rgbColor(227, 227, 227));
    return s;
}

void SystemColors::set(TColor systemColor, TColor rgb)
{
    const unsigned index = systemColor & 0xFF;
    if (index < values.size())
        values[index] = rgb & 0xFFFFFF;
}

TColor ColorToRGB(TColor c, const SystemColors& system)
{
    if (isSystemColor(c)) {
        const unsigned index = c & 0xFF;
        return index < system.values.size() ? system.values[index] : clBlack;
    }
    return c & 0xFFFFFF;
}

int roundHalfEven(double v)
{
    const double f = std::floor(v);
    const double frac = v - f;
    double r = f;
    if (frac > 0.5)
        r = f + 1;
    else if (frac == 0.5)
        r = std::fmod(f, 2.0) == 0 ? f : f + 1;
    return int(r);
}

namespace {

bool inUnitRange(double v)
{
    return v >= 0.0 && v <= 1.0; // false for NaN
}

void require(bool ok, const char* function, const char* component)
{
    if (!ok)
        throw EColorConv(std::string(function) + ": 0 <= " + component + " value <= 1 required");
}

// Position 0..1 of a channel on the colour hexagon for hue t (wrapped into 0..1): 1 on the sixth
// where the channel is at its maximum, 0 where it is at its minimum, linear on the sixths between.
double hexagonPosition(double t)
{
    if (t < 0)
        t += 1;
    if (t > 1)
        t -= 1;
    if (t < 1.0 / 6)
        return 6 * t;
    if (t < 0.5)
        return 1;
    if (t < 2.0 / 3)
        return (2.0 / 3 - t) * 6;
    return 0;
}

double channel(double h, double l, double s, double hueOffset)
{
    const double q = 2 * hexagonPosition(h + hueOffset) - 1; // -1..1
    const double v = l <= 0.5 ? l * (1 + s * q) : l + (1 - l) * s * q;
    return std::clamp(v, 0.0, 1.0);
}

} // namespace

THLS RGB2HLS(double r, double g, double b)
{
    require(inUnitRange(r), "RGB2HLS", "Red");
    require(inUnitRange(g), "RGB2HLS", "Green");
    require(inUnitRange(b), "RGB2HLS", "Blue");
    const double mx = std::max({r, g, b});
    const double mn = std::min({r, g, b});
    THLS out;
    out.l = (mx + mn) / 2;
    if (mx == mn)
        return out;
    const double d = mx - mn;
    out.s = out.l <= 0.5 ? d / (mx + mn) : d / (2 - mx - mn);
    double h;
    if (mx == r)
        h = (g - b) / d + (g < b ? 6 : 0);
    else if (mx == g)
        h = (b - r) / d + 2;
    else
        h = (r - g) / d + 4;
    out.h = h / 6;
    if (out.h >= 1)
        out.h -= 1;
    out.s = std::clamp(out.s, 0.0, 1.0);
    return out;
}

TRGBValues HLS2RGB(double h, double l, double s)
{
    require(inUnitRange(h), "HLS2RGB", "Hue");
    require(inUnitRange(l), "HLS2RGB", "Luminance");
    require(inUnitRange(s), "HLS2RGB", "Saturation");
    return {channel(h, l, s, 1.0 / 3), channel(h, l, s, 0), channel(h, l, s, -1.0 / 3)};
}

TColor Lighten(TColor rgb, double x)
{
    auto light = [x](int v) { return std::clamp(255 - roundHalfEven(x * (256 - v)), 0, 255); };
    return rgbColor(light(redOf(rgb)), light(greenOf(rgb)), light(blueOf(rgb)));
}

TColor Darken(TColor rgb, double x)
{
    THLS hls = RGB2HLS(redOf(rgb) / 255.0, greenOf(rgb) / 255.0, blueOf(rgb) / 255.0);
    hls.l = std::clamp(hls.l * x, 0.0, 1.0);
    const TRGBValues c = HLS2RGB(hls.h, hls.l, hls.s);
    return rgbColor(roundHalfEven(c.r * 255), roundHalfEven(c.g * 255), roundHalfEven(c.b * 255));
}

ColorTable buttonGradientTable(TColor rgb, TGradientDirection direction)
{
    const bool downRight = direction == TGradientDirection::gdDownRight;
    ColorTable table{};
    for (int i = 0; i <= 127; ++i) {
        const double x = i / 128.0;
        table[i] = downRight ? Lighten(rgb, x) : Darken(rgb, x);
    }
    // The second half starts at 127 for gdDownRight, so its entry 127 is the face colour itself.
    for (int i = downRight ? 127 : 128; i <= 255; ++i) {
        const double x = (255 - i) / 128.0;
        table[i] = downRight ? Darken(rgb, x) : Lighten(rgb, x);
    }
    return table;
}

ColorTable backgroundColorTable(TColor startRgb, TColor endRgb, TGradientDirection direction)
{
    const int sr = redOf(startRgb), sg = greenOf(startRgb), sb = blueOf(startRgb);
    const int dr = redOf(endRgb) - sr, dg = greenOf(endRgb) - sg, db = blueOf(endRgb) - sb;
    auto step = [](int start, int delta, int i) { return start + roundHalfEven((i - 1) * double(delta) / 255.0); };
    ColorTable table{};
    for (int i = 0; i <= 255; ++i) {
        const TColor c = i == 0 ? (startRgb & 0xFFFFFF) : rgbColor(step(sr, dr, i), step(sg, dg, i), step(sb, db, i));
        table[direction == TGradientDirection::gdDownRight ? i : 255 - i] = c;
    }
    return table;
}
