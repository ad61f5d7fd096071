#include "reservations/web_sync_window.h"

#include "app/forms.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "net/http_client.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>

namespace {

const TColor kOrange = rgbColor(0xFF, 0x80, 0x00);
const QColor kLightBlue(0xA6, 0xCA, 0xF0);

} // namespace

TForm14::TForm14(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form14"));
    setWindowTitle(QStringLiteral("Synchronizace rezervací s WWW serverem"));
    setFixedSize(900, 540);

    // Borderless: a raised panel is the window's edge.
    Build::panel(this, u"Ramecek", rect(), clBtnFace, QStringLiteral("Import rezervací z webu"));

    Label1 = Build::label(this, u"Label1", QStringLiteral("Nová rezervace na webu:"), {12, 44, 220, 20}, Build::kBold);
    ListBox1 = Build::listBox(this, u"ListBox1", {12, 66, 220, 462}, Build::kBold);

    const int x = 244;
    const int w = 150;
    NacistBut = Build::colorButton(this, u"NacistBut", QStringLiteral("Načíst"), {x, 66, w, 64}, kOrange);
    PotvrditKlientoviBut = Build::colorButton(this, u"PotvrditKlientoviBut", QStringLiteral("Potvrdit klientovi"),
                                              {x, 140, w, 32}, clLime);
    VytvoritKlientaBut =
        Build::colorButton(this, u"VytvoritKlientaBut", QStringLiteral("Vytvořit klienta"), {x, 180, w, 32}, clLime);
    VytvoritRezervaciBut = Build::colorButton(this, u"VytvoritRezervaciBut", QStringLiteral("Vytvořit rezervaci"),
                                              {x, 220, w, 32}, clLime);
    ZamitnoutRezervaciBut = Build::colorButton(this, u"ZamitnoutRezervaciBut", QStringLiteral("Zamítnout rezervaci"),
                                               {x, 260, w, 32}, clRed);

    Label11 = Build::label(this, u"Label11", QStringLiteral("Od data:"), {406, 44, 200, 20}, Build::kBold);
    MonthCalendar1 = Build::monthCalendar(this, u"MonthCalendar1", {406, 66, 236, 190});
    Label12 = Build::label(this, u"Label12", QStringLiteral("Do data:"), {652, 44, 200, 20}, Build::kBold);
    MonthCalendar2 = Build::monthCalendar(this, u"MonthCalendar2", {652, 66, 236, 190});

    Memo1 = Build::memo(this, u"Memo1", {406, 268, 482, 212});
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette memoPalette = Memo1->palette();
    memoPalette.setColor(QPalette::Base, kLightBlue);
    Memo1->setPalette(memoPalette);

    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {738, 490, 150, 38}, clYellow);

    // Created with the window with its default settings; nothing in the window sends a request.
    NMHTTP1 = new TNMHTTP(this);
    NMHTTP1->setObjectName(QStringLiteral("NMHTTP1"));

    guardedConnect(forms_.dialogs, OKBut, &ColorButton::clicked, this, &TForm14::OKButClick);
}

void TForm14::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, {}, ShowPlacement::Centred);
}

void TForm14::OKButClick()
{
    hide();
}
