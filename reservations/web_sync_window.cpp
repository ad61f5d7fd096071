#include "reservations/web_sync_window.h"

TForm14::TForm14(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Synchronizace rezervací s WWW serverem"));
    resize(640, 480);
}
