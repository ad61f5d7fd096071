#include "guests/guest_picker_window.h"

TForm13::TForm13(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form13"));
    setWindowTitle(QStringLiteral("Výběr hosta"));
    resize(640, 480);
}
