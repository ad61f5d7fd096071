#pragma once
// Helpers of the control tests: grabbing a control into an image and reading pixels as colours.

#include "widgets/colors.h"

#include <QImage>
#include <QWidget>

inline QImage shot(QWidget& w)
{
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

inline TColor pixelAt(const QImage& img, int x, int y)
{
    const QRgb c = img.pixel(x, y);
    return rgbColor(qRed(c), qGreen(c), qBlue(c));
}

// The number of pixels of the colour inside the rectangle (x, y, w, h).
inline int countColor(const QImage& img, const QRect& r, TColor c)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += pixelAt(img, x, y) == c;
    return n;
}
