#include "widgets/geometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <ostream>

namespace geo {

namespace {

// floor((2 k d + n) / 2n) for k = 0, 1, 2...: the offset of step k along a coordinate that moves d
// over n steps, rounded to the nearest pixel (halves towards +), kept as quotient and remainder.
struct Stepper
{
    int d2, n2, q = 0, r;
    Stepper(int d, int n) : d2(2 * d), n2(2 * n), r(n) {}
    void next()
    {
        r += d2;
        if (r >= n2)
            r -= n2, ++q;
        else if (r < 0)
            r += n2, --q;
    }
};

} // namespace

std::vector<Pt> linePixels(Pt from, Pt to)
{
    const int dx = to.x - from.x;
    const int dy = to.y - from.y;
    const int n = std::max(std::abs(dx), std::abs(dy));
    std::vector<Pt> out;
    out.reserve(size_t(n));
    Stepper sx(dx, n), sy(dy, n);
    for (int k = 0; k < n; ++k, sx.next(), sy.next())
        out.push_back({from.x + sx.q, from.y + sy.q});
    return out;
}

EllipsePixels ellipsePixels(const Rct& box)
{
    EllipsePixels out;
    const int w = box.width(), h = box.height();
    if (w <= 0 || h <= 0)
        return out;
    // Inside test on pixel centres, in units of the half axes, relative to the box centre.
    auto inside = [&](int x, int y) {
        if (x < 0 || y < 0 || x >= w || y >= h)
            return false;
        const double dx = (2.0 * x + 1 - w) / w;
        const double dy = (2.0 * y + 1 - h) / h;
        return dx * dx + dy * dy <= 1.0 + 1e-12;
    };
    for (int y = 0; y < h; ++y) {
        int first = -1, last = -1;
        for (int x = 0; x < w; ++x) {
            if (!inside(x, y))
                continue;
            if (first < 0)
                first = x;
            last = x;
            if (!inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1))
                out.outline.push_back({box.left + x, box.top + y});
        }
        if (first >= 0)
            out.rows.push_back({box.left + first, box.top + y, box.left + last + 1, box.top + y + 1});
    }
    return out;
}

std::vector<Pt> arcPixels(const Rct& box, Pt from, Pt to)
{
    constexpr double pi = 3.14159265358979323846;
    const double cx = (box.left + box.right) / 2.0;
    const double cy = (box.top + box.bottom) / 2.0;
    // Angles in degrees, counter-clockwise on screen (y grows downwards), 0..360.
    auto angle = [&](double x, double y) {
        const double a = std::atan2(-(y - cy), x - cx) * 180.0 / pi;
        return a < 0 ? a + 360.0 : a;
    };
    auto ccwDistance = [](double a, double b) {
        double d = std::fmod(b - a + 720.0, 360.0);
        if (d > 360.0 - 1e-9)
            d = 0;
        return d;
    };
    const double start = angle(from.x, from.y);
    double span = ccwDistance(start, angle(to.x, to.y));
    if (span == 0)
        span = 360.0;
    std::vector<Pt> out;
    for (const Pt& p : ellipsePixels(box).outline)
        if (ccwDistance(start, angle(p.x + 0.5, p.y + 0.5)) < span)
            out.push_back(p);
    return out;
}

std::ostream& operator<<(std::ostream& os, Pt p)
{
    return os << '(' << p.x << ", " << p.y << ')';
}

std::ostream& operator<<(std::ostream& os, const Rct& r)
{
    return os << '(' << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ')';
}

std::ostream& operator<<(std::ostream& os, const Stroke& s)
{
    os << "ink " << int(s.ink) << " width " << s.width << ':';
    for (const Pt& p : s.points)
        os << ' ' << p;
    return os;
}

} // namespace geo
