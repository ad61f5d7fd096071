#include "downloader/window_button.h"

#include <QFont>

namespace downloader {

void setUpButton(Button& button, const QString& caption, TColor face, QSize size)
{
    button.setCaption(caption);
    button.setFixedSize(size);
    // MS Sans Serif where it is installed; the system's sans serif face otherwise.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(23);
    font.setBold(true);
    button.setFont(font);
    button.setColor(face);
    button.setGradientStyle(TButtonGradientStyle::gsNone);
    button.setBevelWidth(1);
    button.setBorderColor(clBlack);
    button.setContrastHighlight(5);
    button.setContrastShadow(6);
    button.setAllowTimer(false);
}

} // namespace downloader
