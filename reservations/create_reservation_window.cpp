#include "reservations/create_reservation_window.h"

#include "widgets/control_builders.h"

TForm8::TForm8(Forms& forms, QWidget* parent) : QWidget(parent), forms_(forms)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Vytvoření rezervace"));
    resize(640, 480);
    krok1 = Build::label(this, u"krok1", QStringLiteral("Krok 1."), {16, 40, 80, 20}, Build::kBold);
    stav1 = Build::label(this, u"stav1", {}, {100, 40, 300, 20}, Build::kBold);
    krok2 = Build::label(this, u"krok2", QStringLiteral("Krok 2."), {16, 120, 80, 20}, Build::kBold);
    krok3 = Build::label(this, u"krok3", QStringLiteral("Krok 3."), {16, 360, 80, 20}, Build::kBold);
    stav3 = Build::label(this, u"stav3", {}, {100, 360, 300, 20}, Build::kBold);
}
