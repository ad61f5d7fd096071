#pragma once
// The push buttons of the download window: owner-drawn ColorButtons with the window's common look.

#include "widgets/color_button.h"
#include "widgets/colors.h"

#include <QSize>
#include <QString>

namespace downloader {

using Button = ColorButton;

// Caption, face colour and size of one of the window's buttons, with the buttons' common look:
// bold 23-pixel caption, black border, one-pixel bevel, contrasts 5 and 6, no gradient, no timer.
void setUpButton(Button& button, const QString& caption, TColor face, QSize size);

} // namespace downloader
