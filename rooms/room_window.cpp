#include "rooms/room_window.h"

TForm4::TForm4(Forms& forms, QWidget* parent) : QWidget(parent), forms_(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pokoj"));
    resize(640, 480);
}
