#include "reservations/cancel_reservation_window.h"

#include "app/forms.h"
#include "app/message_texts_window.h"
#include "desktop/dialogs.h"
#include "desktop/guarded_connect.h"
#include "desktop/saved_radio_button.h"
#include "desktop/show_step.h"
#include "guests/guest_file.h"
#include "reservations/reservation_file.h"
#include "reservations/reservation_overview_window.h"
#include "rooms/room_state_file.h"
#include "store/ini_transaction.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QTreeWidget>

TForm9::TForm9(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("Zrušení rezervace"));
    setFixedSize(640, 440);

    // Borderless: a raised panel is the window's edge.
    Build::panel(this, u"Ramecek", rect(), clBtnFace, QStringLiteral("Zrušení rezervace"));
    prehled = TForm10::makeReservationList(this, {12, 44, 616, 330});
    ZrusitRezervaciBut =
        Build::colorButton(this, u"ZrusitRezervaciBut", QStringLiteral("Zrušit rezervaci"), {12, 386, 180, 40}, clRed);
    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {448, 386, 180, 40}, clYellow);

    guardedConnect(forms_.dialogs, ZrusitRezervaciBut, &ColorButton::clicked, this, &TForm9::ZrusitRezervaciButClick);
    guardedConnect(forms_.dialogs, OKBut, &ColorButton::clicked, this, &TForm9::OKButClick);
}

void TForm9::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); }, ShowPlacement::Centred);
}

void TForm9::FormShow()
{
    TForm10* overview = forms_.form10;
    overview->vsechny->setChecked(true);
    overview->ZobrazitButClick();
    prehled->clear();
    QList<QTreeWidgetItem*> rows;
    for (int i = 0; i < overview->prehled->topLevelItemCount(); ++i)
        rows << overview->prehled->topLevelItem(i)->clone();
    prehled->addTopLevelItems(rows);
    for (int c : {int(TForm10::kJmeno), int(TForm10::kPoznamka)})
        prehled->setColumnWidth(c, overview->prehled->columnWidth(c));
}

void TForm9::ZrusitRezervaciButClick()
{
    const int number = TForm10::selectedReservation(prehled);
    if (number == 0)
        return;
    const ReservationFile reservations(forms_.dataFile(ReservationFile::kFileName));
    bool cancelled = false;
    {
        IniTransaction transaction(forms_.dataDirectory);
        cancelled =
            reservations.cancel(transaction, number, forms_.now(), GuestFile(forms_.dataFile(GuestFile::kFileName)),
                                Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName)));
        if (cancelled)
            transaction.commit();
    }
    // One cancelled meanwhile at another desk is only dropped from the list.
    if (cancelled)
        forms_.dialogs->message(forms_.form11->text(QStringLiteral("Akceprovedena")));
    FormShow();
}

void TForm9::OKButClick()
{
    hide();
}
