#pragma once
// The one conversion between the colour unit's TColor and Qt's QColor. System colours (clBtnFace
// and friends) are resolved against a palette first (paint::resolve); here a TColor is plain RGB.

#include "widgets/colors.h"

#include <QColor>

inline QColor toQColor(TColor rgb)
{
    return QColor(redOf(rgb), greenOf(rgb), blueOf(rgb));
}

inline TColor fromQColor(const QColor& c)
{
    return rgbColor(c.red(), c.green(), c.blue());
}
