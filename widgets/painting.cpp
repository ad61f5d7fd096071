#include "widgets/painting.h"

#include <QPainter>
#include <QPolygon>
#include <QWidget>

namespace paint {

SystemColors systemColors(const QPalette& pal)
{
    SystemColors s = SystemColors::defaults();
    auto put = [&s](TColor sys, const QColor& c) { s.set(sys, fromQColor(c)); };
    put(clWindow, pal.color(QPalette::Active, QPalette::Base));
    put(clWindowFrame, pal.color(QPalette::Active, QPalette::Shadow));
    put(clWindowText, pal.color(QPalette::Active, QPalette::WindowText));
    put(clHighlight, pal.color(QPalette::Active, QPalette::Highlight));
    put(clHighlightText, pal.color(QPalette::Active, QPalette::HighlightedText));
    put(clBtnFace, pal.color(QPalette::Active, QPalette::Button));
    put(clBtnShadow, pal.color(QPalette::Active, QPalette::Dark));
    put(clGrayText, pal.color(QPalette::Disabled, QPalette::WindowText));
    put(clBtnText, pal.color(QPalette::Active, QPalette::ButtonText));
    put(clBtnHighlight, pal.color(QPalette::Active, QPalette::Light));
    put(cl3DDkShadow, pal.color(QPalette::Active, QPalette::Shadow));
    put(cl3DLight, pal.color(QPalette::Active, QPalette::Midlight));
    return s;
}

TColor resolve(TColor c, const QWidget* widget)
{
    if (!isSystemColor(c))
        return c & 0xFFFFFF;
    return ColorToRGB(c, systemColors(widget ? widget->palette() : QPalette()));
}

QRect qRect(const geo::Rct& r)
{
    return QRect(r.left, r.top, r.width(), r.height());
}

void fillRect(QPainter& p, const geo::Rct& r, const QColor& c)
{
    if (!r.isEmpty())
        p.fillRect(qRect(r), c);
}

namespace {

QPolygon qPolygon(const std::vector<geo::Pt>& points)
{
    QPolygon poly;
    poly.reserve(qsizetype(points.size()));
    for (const geo::Pt& pt : points)
        poly << QPoint(pt.x, pt.y);
    return poly;
}

} // namespace

void drawLine(QPainter& p, geo::Pt from, geo::Pt to, const QColor& c)
{
    if (from == to)
        return;
    if (from.y == to.y) {
        const int x0 = from.x < to.x ? from.x : to.x + 1;
        p.fillRect(QRect(x0, from.y, std::abs(to.x - from.x), 1), c);
        return;
    }
    if (from.x == to.x) {
        const int y0 = from.y < to.y ? from.y : to.y + 1;
        p.fillRect(QRect(from.x, y0, 1, std::abs(to.y - from.y)), c);
        return;
    }
    // Sloped line: long runs along the major axis as rectangles, the rest as points in one call.
    const std::vector<geo::Pt> px = geo::linePixels(from, to);
    const bool xMajor = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
    QPolygon singles;
    size_t i = 0;
    while (i < px.size()) {
        size_t j = i + 1;
        while (j < px.size() && (xMajor ? px[j].y == px[i].y : px[j].x == px[i].x))
            ++j;
        const geo::Pt a = px[i], b = px[j - 1];
        if (j - i >= 4)
            p.fillRect(QRect(std::min(a.x, b.x), std::min(a.y, b.y), std::abs(b.x - a.x) + 1, std::abs(b.y - a.y) + 1),
                       c);
        else
            for (size_t k = i; k < j; ++k)
                singles << QPoint(px[k].x, px[k].y);
        i = j;
    }
    if (!singles.isEmpty()) {
        const QPen old = p.pen();
        p.setPen(QPen(c, 1));
        p.drawPoints(singles);
        p.setPen(old);
    }
}

void drawStroke(QPainter& p, const geo::Stroke& s, const QColor& c)
{
    if (s.points.size() < 2)
        return;
    if (s.width <= 1) {
        for (size_t i = 0; i + 1 < s.points.size(); ++i)
            drawLine(p, s.points[i], s.points[i + 1], c);
        return;
    }
    p.save();
    p.setPen(QPen(c, s.width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(qPolygon(s.points));
    p.restore();
}

void fillPolygon(QPainter& p, const std::vector<geo::Pt>& points, const QColor& c)
{
    p.save();
    p.setPen(Qt::NoPen);
    p.setBrush(c);
    p.drawPolygon(qPolygon(points));
    p.restore();
}

void solidPolygon(QPainter& p, const std::vector<geo::Pt>& points, const QColor& c)
{
    p.save();
    p.setPen(QPen(c, 1));
    p.setBrush(c);
    p.drawPolygon(qPolygon(points));
    p.restore();
}

void ellipse(QPainter& p, const geo::Rct& r, const QColor& fill, const QColor& outline)
{
    if (r.isEmpty())
        return;
    p.save();
    p.setPen(QPen(outline, 1));
    p.setBrush(fill);
    // A one-pixel pen outlines the rectangle's right and bottom pixels too, so the box is one smaller.
    p.drawEllipse(QRect(r.left, r.top, r.width() - 1, r.height() - 1));
    p.restore();
}

void drawGradient(QPainter& p, const std::vector<geo::GradientShape>& shapes, const ColorTable& table, bool reversed)
{
    using Kind = geo::GradientShape::Kind;
    for (const geo::GradientShape& s : shapes) {
        const QColor c = toQColor(table[size_t(reversed ? 255 - s.entry : s.entry)]);
        switch (s.kind) {
        case Kind::Rect:
            fillRect(p, s.rect, c);
            break;
        case Kind::Polygon:
            fillPolygon(p, s.points, c);
            break;
        case Kind::Line:
            drawStroke(p, geo::Stroke{geo::Ink::Border, s.points, s.penWidth}, c);
            break;
        case Kind::Ellipse:
            ellipse(p, s.rect, c, c);
            break;
        }
    }
}

std::vector<QImage> glyphFrames(const QImage& bitmap, int count)
{
    std::vector<QImage> frames;
    if (bitmap.isNull() || count <= 0)
        return frames;
    const int gw = bitmap.width() / count;
    const int gh = bitmap.height();
    if (gw <= 0 || gh <= 0)
        return frames;
    const QImage src = bitmap.convertToFormat(QImage::Format_ARGB32);
    for (int f = 0; f < count; ++f) {
        QImage frame = src.copy(f * gw, 0, gw, gh);
        const QRgb key = frame.pixel(0, gh - 1);
        for (int y = 0; y < gh; ++y) {
            auto* line = reinterpret_cast<QRgb*>(frame.scanLine(y));
            for (int x = 0; x < gw; ++x)
                if (line[x] == key)
                    line[x] = qRgba(0, 0, 0, 0);
        }
        frames.push_back(frame);
    }
    return frames;
}

} // namespace paint
