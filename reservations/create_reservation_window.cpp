#include "reservations/create_reservation_window.h"

TForm8::TForm8(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Vytvoření rezervace"));
    resize(640, 480);
}
