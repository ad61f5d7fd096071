#include "reservations/reservation_overview_window.h"

TForm10::TForm10(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Přehled rezervací"));
    resize(640, 480);
}
