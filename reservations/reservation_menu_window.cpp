#include "reservations/reservation_menu_window.h"

TForm7::TForm7(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Správa rezervací"));
    resize(640, 480);
}
