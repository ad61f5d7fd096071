#include "reservations/cancel_reservation_window.h"

TForm9::TForm9(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Zrušení rezervace"));
    resize(640, 480);
}
