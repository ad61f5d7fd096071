#include "reservations/create_reservation_window.h"

#include "app/forms.h"
#include "app/message_texts_window.h"
#include "desktop/dialogs.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "guests/guest_card_window.h"
#include "guests/guest_file.h"
#include "guests/guest_picker_window.h"
#include "reservations/reservation_file.h"
#include "rooms/reception_window.h"
#include "rooms/room_state_file.h"
#include "store/ini_transaction.h"
#include "store/regional_settings.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/screw_panel.h"

#include <QCalendarWidget>
#include <QGuiApplication>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

#include <algorithm>
#include <array>
#include <stdexcept>

namespace {

const TColor kLime = clLime;
const Build::Font kStepFont{16, true};

} // namespace

TForm8::TForm8(Forms& forms, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("Vytvoření rezervace"));
    setFixedSize(560, 600);
    buildControls();
}

void TForm8::buildControls()
{
    Build::label(this, u"Nadpis", QStringLiteral("Vytvořit Novou rezervaci"), {16, 8, 528, 30}, Build::Font{20, true});

    // Step 1: the guest.
    TScrewPanel* guest = Build::panel(this, u"Krok1Panel", {8, 44, 544, 104}, clBtnFace, QStringLiteral("Výběr hosta"));
    krok1 = Build::label(guest, u"krok1", QStringLiteral("Krok 1."), {12, 42, 70, 24}, kStepFont);
    VyberHostaBut = Build::button(guest, u"VyberHostaBut", QStringLiteral("Zvolit Hosta"), {92, 40, 140, 28});
    NovyHostBut =
        Build::colorButton(guest, u"NovyHostBut", QStringLiteral("Vytvořit Hosta"), {242, 40, 140, 28}, kLime);
    stav1 = Build::label(guest, u"stav1", {}, {92, 74, 440, 22}, Build::kBold);

    // Step 2: the days.
    TScrewPanel* days =
        Build::panel(this, u"Krok2Panel", {8, 156, 544, 272}, clBtnFace, QStringLiteral("Termíny obsazení"));
    krok2 = Build::label(days, u"krok2", QStringLiteral("Krok 2."), {12, 42, 70, 24}, kStepFont);
    kalendar = Build::monthCalendar(days, u"kalendar", {92, 40, 260, 220});
    terminy = Build::listBox(days, u"terminy", {362, 40, 170, 182});
    OdebratBut = Build::colorButton(days, u"OdebratBut", QStringLiteral("Odebrat"), {362, 228, 82, 32}, clRed,
                                    Build::kBold, clWhite);
    VyprazdnitBut = Build::colorButton(days, u"VyprazdnitBut", QStringLiteral("Vyprázdnit"), {450, 228, 82, 32}, clGray,
                                       Build::kBold, clWhite);

    // Step 3: the room.
    TScrewPanel* room =
        Build::panel(this, u"Krok3Panel", {8, 436, 544, 104}, clBtnFace, QStringLiteral("Výběr pokoje"));
    krok3 = Build::label(room, u"krok3", QStringLiteral("Krok 3."), {12, 42, 70, 24}, kStepFont);
    VyberPokojeBut = Build::button(room, u"VyberPokojeBut", QStringLiteral("Zvolit Pokoj"), {92, 40, 140, 28});
    stav3 = Build::label(room, u"stav3", {}, {92, 74, 440, 22}, Build::kBold);
    PreloznaJmenoPokoje = Build::button(room, u"PreloznaJmenoPokoje", {}, {500, 40, 20, 20});
    PreloznaJmenoPokoje->hide();

    ZarezervovatBut = Build::colorButton(this, u"ZarezervovatBut", QStringLiteral("Zarezervovat!"), {8, 550, 360, 40},
                                         kLime, Build::Font{16, true});
    ZrusitBut = Build::colorButton(this, u"ZrusitBut", QStringLiteral("Zrušit"), {376, 550, 176, 40}, clRed,
                                   Build::Font{16, true});

    Dialogs* d = forms_.dialogs;
    guardedConnect(d, VyberHostaBut, &QPushButton::clicked, this, &TForm8::VyberHostaButClick);
    guardedConnect(d, NovyHostBut, &ColorButton::clicked, this, &TForm8::NovyHostButClick);
    guardedConnect(d, kalendar, &QCalendarWidget::activated, this, &TForm8::kalendarDblClick);
    guardedConnect(d, OdebratBut, &ColorButton::clicked, this, &TForm8::OdebratButClick);
    guardedConnect(d, VyprazdnitBut, &ColorButton::clicked, this, &TForm8::VyprazdnitButClick);
    guardedConnect(d, VyberPokojeBut, &QPushButton::clicked, this, &TForm8::VyberPokojeButClick);
    guardedConnect(d, PreloznaJmenoPokoje, &QPushButton::clicked, this, &TForm8::PreloznaJmenoPokojeClick);
    guardedConnect(d, ZarezervovatBut, &ColorButton::clicked, this, &TForm8::ZarezervovatButClick);
    guardedConnect(d, ZrusitBut, &ColorButton::clicked, this, &TForm8::ZrusitButClick);
}

void TForm8::setFontColor(QLabel* label, const QColor& color)
{
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

QColor TForm8::fontColor(const QLabel* label)
{
    return label->palette().color(QPalette::WindowText);
}

QString TForm8::messageText(const QString& key) const
{
    return forms_.form11->text(key);
}

void TForm8::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); }, ShowPlacement::Centred);
}

void TForm8::FormShow()
{
    kalendar->setSelectedDate(forms_.now().date());
    stav1->setText(messageText(QStringLiteral("Hostnevybran")));
    setFontColor(stav1, kStepUnfinished);
    for (QLabel* step : {krok1, krok2, krok3})
        setFontColor(step, kStepUnfinished);
    // A room handed over by the room window's "REZERVOVAT" stays chosen; otherwise step 3 starts over.
    if (VybranyPokoj != 0) {
        takeRoom(VybranyPokoj);
    } else {
        stav3->setText(messageText(QStringLiteral("pokojnevybran")));
        setFontColor(stav3, kStepUnfinished);
    }
}

void TForm8::VyberHostaButClick()
{
    forms_.form13->show();
}

void TForm8::NovyHostButClick()
{
    // Step 1 stays as it is: the guest saved on the card becomes the card's current guest.
    forms_.form3->openForNewGuest(forms_.dataDirectory);
}

void TForm8::kalendarDblClick()
{
    const QString day = RegionalSettings::dateText(kalendar->selectedDate());
    if (dayTexts().contains(day)) {
        forms_.dialogs->message(messageText(QStringLiteral("VybranedatumJizExistuje")));
        return;
    }
    // Sorted as text, not by date: "14.3.2008" comes before "2.3.2008".
    QStringList all = dayTexts();
    all << day;
    std::stable_sort(all.begin(), all.end(),
                     [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
    terminy->clear();
    terminy->addItems(all);
    setFontColor(krok2, kStepDone);
}

void TForm8::OdebratButClick()
{
    const QList<QListWidgetItem*> selected = terminy->selectedItems();
    if (selected.isEmpty())
        return;
    delete selected.first();
    if (terminy->count() == 0)
        setFontColor(krok2, kStepUnfinished);
}

void TForm8::VyprazdnitButClick()
{
    terminy->clear();
    setFontColor(krok2, kStepUnfinished);
}

void TForm8::VyberPokojeButClick()
{
    TForm5* reception = forms_.form5;
    reception->Rezim = TForm5::kRezimRezervace;
    reception->Datum->setDate(kalendar->selectedDate());
    reception->show();
    reception->raise();
    reception->activateWindow();
}

void TForm8::PreloznaJmenoPokojeClick()
{
    const QString text = stav3->text();
    bool isNumber = false;
    const int room = text.toInt(&isNumber);
    if (!isNumber)
        throw std::invalid_argument(QStringLiteral("„%1“ není platné celé číslo.").arg(text).toStdString());
    const Rooms::RoomStateFile rooms(forms_.dataFile(Rooms::RoomStateFile::kFileName));
    const QString name = rooms.readDefault(room, Rooms::RoomStateFile::Field::Name, QStringLiteral("--"));
    VybranyPokoj = room;
    stav3->setText(name);
}

void TForm8::takeRoom(int room)
{
    stav3->setText(QString::number(room));
    PreloznaJmenoPokojeClick();
    setFontColor(stav3, kStepDone);
    setFontColor(krok3, kStepDone);
}

void TForm8::showWithRoom(int room)
{
    VybranyPokoj = room;
    if (isVisible())
        takeRoom(room); // already open: the show step does not run again
    show();
    raise();
    activateWindow();
}

QStringList TForm8::dayTexts() const
{
    QStringList days;
    for (int i = 0; i < terminy->count(); ++i)
        days << terminy->item(i)->text();
    return days;
}

bool TForm8::allStepsDone() const
{
    // Room 0 (none chosen) is never a finished step 3, whatever krok3 shows: another window may have
    // reset the chosen room while this one stayed open.
    const bool roomChosen = VybranyPokoj >= 1 && VybranyPokoj <= Rooms::kRoomCount;
    const std::array<const QLabel*, 3> steps{krok1, krok2, krok3};
    return roomChosen &&
           std::all_of(steps.begin(), steps.end(), [](const QLabel* step) { return fontColor(step) == kStepDone; });
}

void TForm8::ZarezervovatButClick()
{
    const QStringList days = dayTexts();
    const int guestId = forms_.form3->CisloHosta;
    const ReservationFile reservations(forms_.dataFile(ReservationFile::kFileName));

    // The conflict test and every write run under one transaction: no other desk can book the room
    // on one of these days in between, and a failure leaves none of the writes behind. Boxes are
    // shown only after it has ended, so a box left open never holds up another desk.
    QString refusal;
    {
        IniTransaction transaction(forms_.dataDirectory);
        if (reservations.roomTakenOnAnyDay(transaction, VybranyPokoj, days)) {
            refusal = messageText(QStringLiteral("UzTamJe"));
        } else if (!allStepsDone()) {
            refusal = messageText(QStringLiteral("chyba_kroky"));
        } else if (guestId == 0) {
            refusal = kNoStoredGuest;
        } else {
            reservations.store(transaction, guestId, VybranyPokoj, days,
                               GuestFile(forms_.dataFile(GuestFile::kFileName)),
                               Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName)));
            transaction.commit();
        }
    }
    if (!refusal.isEmpty()) {
        forms_.dialogs->message(refusal);
        return;
    }
    forms_.dialogs->message(messageText(QStringLiteral("RezervaceOK")));
    hide();
}

void TForm8::ZrusitButClick()
{
    hide();
}
