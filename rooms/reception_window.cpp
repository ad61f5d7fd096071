#include "rooms/reception_window.h"

#include "store/regional_settings.h"

#include <QDateEdit>
#include <QLabel>

TForm5::TForm5(Forms& forms, QWidget* parent)
    : QWidget(parent), Rezim(QStringLiteral("SYSTEM")), Datum(new QDateEdit(this)), hodinky(new QLabel(this)),
      forms_(forms)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Recepce"));
    resize(1024, 768);

    Datum->setObjectName(QStringLiteral("Datum"));
    Datum->setCalendarPopup(true);
    Datum->setDisplayFormat(RegionalSettings::shortDateFormat());
    Datum->setGeometry(180, 690, 120, 24);

    // Stand-in for the 8-digit seven-segment clock.
    hodinky->setObjectName(QStringLiteral("hodinky"));
    hodinky->setText(QStringLiteral("00:00:00"));
    hodinky->setAlignment(Qt::AlignCenter);
    hodinky->setStyleSheet(QStringLiteral("background: black; color: lime; font: bold 20px monospace;"));
    hodinky->setGeometry(16, 684, 145, 42);
}
