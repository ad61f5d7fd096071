#pragma once
// The push buttons of the download window. Until the owner-drawn ColorButton is available they are
// QPushButtons that show the face colour; Button and setUpButton are the only places that change
// when it is.

#include <QColor>
#include <QPushButton>
#include <QSize>
#include <QString>

namespace downloader {

using Button = QPushButton;

// Caption, face colour and size of one of the window's buttons, with the buttons' common look:
// bold 23-pixel caption, black border, one-pixel bevel, no gradient.
void setUpButton(Button& button, const QString& caption, QColor face, QSize size);

} // namespace downloader
