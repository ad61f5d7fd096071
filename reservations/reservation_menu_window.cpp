#include "reservations/reservation_menu_window.h"

#include "app/forms.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "reservations/cancel_reservation_window.h"
#include "reservations/create_reservation_window.h"
#include "reservations/reservation_overview_window.h"
#include "reservations/web_sync_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>

namespace {

const TColor kOrange = rgbColor(0xFF, 0x80, 0x00);

void bringUp(QWidget* window)
{
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

TForm7::TForm7(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form7"));
    setWindowTitle(QStringLiteral("Správa rezervací"));
    setFixedSize(300, 340);

    // Borderless: a raised panel is the window's edge.
    Build::panel(this, u"Ramecek", rect(), clBtnFace, QStringLiteral("Správa rezervací"));
    const QRect first{20, 48, 260, 44};
    const auto row = [&](int i) { return first.translated(0, i * 52); };
    RezervaceBut = Build::colorButton(this, u"RezervaceBut", QStringLiteral("Přehled rezervací"), row(0), clBtnFace);
    VytvoritRezervaciBut =
        Build::colorButton(this, u"VytvoritRezervaciBut", QStringLiteral("Vytvořit rezervaci"), row(1), clLime);
    ZrusitRezervaciBut =
        Build::colorButton(this, u"ZrusitRezervaciBut", QStringLiteral("Zrušit rezervaci"), row(2), clRed);
    RezervaceZWebuBut =
        Build::colorButton(this, u"RezervaceZWebuBut", QStringLiteral("Rezervace z webu"), row(3), kOrange);
    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), row(4).adjusted(0, 8, 0, 8), clYellow);

    Dialogs* d = forms_.dialogs;
    guardedConnect(d, RezervaceBut, &ColorButton::clicked, this, &TForm7::RezervaceButClick);
    guardedConnect(d, VytvoritRezervaciBut, &ColorButton::clicked, this, &TForm7::VytvoritRezervaciButClick);
    guardedConnect(d, ZrusitRezervaciBut, &ColorButton::clicked, this, &TForm7::ZrusitRezervaciButClick);
    guardedConnect(d, RezervaceZWebuBut, &ColorButton::clicked, this, &TForm7::RezervaceZWebuButClick);
    guardedConnect(d, OKBut, &ColorButton::clicked, this, &TForm7::OKButClick);
}

void TForm7::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, {}, ShowPlacement::Centred);
}

void TForm7::RezervaceButClick()
{
    bringUp(forms_.form10);
}

void TForm7::VytvoritRezervaciButClick()
{
    forms_.form8->VybranyPokoj = 0;
    bringUp(forms_.form8);
}

void TForm7::ZrusitRezervaciButClick()
{
    bringUp(forms_.form9);
}

void TForm7::RezervaceZWebuButClick()
{
    bringUp(forms_.form14);
}

void TForm7::OKButClick()
{
    hide();
}
