#pragma once
// Drawing helpers shared by the owner-drawn controls: colour resolution from the Qt palette and the
// primitives of the geometry code drawn with antialiasing off, so that pixels land exactly where the
// geometry puts them (lines leave out their last point, rectangles their right and bottom edges).

#include "widgets/colors.h"
#include "widgets/geometry.h"
#include "widgets/gradient_geometry.h"
#include "widgets/qt_color.h"

#include <QColor>
#include <QImage>
#include <QPalette>

#include <vector>

class QPainter;
class QWidget;

namespace paint {

// The system colours as the given palette shows them.
SystemColors systemColors(const QPalette& palette);
// The RGB value of c, system colours looked up in the widget's palette.
TColor resolve(TColor c, const QWidget* widget);

QRect qRect(const geo::Rct& r);

void fillRect(QPainter& p, const geo::Rct& r, const QColor& c);
// A polyline like move-to/line-to (last point left out); wider pens are drawn centred with round ends.
void drawStroke(QPainter& p, const geo::Stroke& s, const QColor& c);
void drawLine(QPainter& p, geo::Pt from, geo::Pt to, const QColor& c);
// A polygon filled without outline: pixels whose centres lie inside.
void fillPolygon(QPainter& p, const std::vector<geo::Pt>& points, const QColor& c);
// A polygon filled and outlined in the same colour.
void solidPolygon(QPainter& p, const std::vector<geo::Pt>& points, const QColor& c);
// The ellipse inside r, filled with fill and outlined with outline (both within r).
void ellipse(QPainter& p, const geo::Rct& r, const QColor& fill, const QColor& outline);

// Gradient shapes in the colours of table; reversed paints entry 255 - i for step i.
void drawGradient(QPainter& p, const std::vector<geo::GradientShape>& shapes, const ColorTable& table,
                  bool reversed = false);

// Frames of a glyph bitmap holding `count` frames side by side, each with its bottom-left pixel's
// colour made transparent.
std::vector<QImage> glyphFrames(const QImage& bitmap, int count);

} // namespace paint
