#include "downloader/window_button.h"

#include <QFont>
#include <QPalette>

namespace downloader {

void setUpButton(Button& button, const QString& caption, QColor face, QSize size)
{
    button.setText(caption);
    button.setFixedSize(size);
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(23);
    font.setBold(true);
    button.setFont(font);
    QPalette palette = button.palette();
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::ButtonText, Qt::black);
    button.setPalette(palette);
    button.setAutoFillBackground(true);
    button.setFocusPolicy(Qt::NoFocus);
}

} // namespace downloader
