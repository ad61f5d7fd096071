#include "reservations/reservation_overview_window.h"

#include "app/forms.h"
#include "desktop/guarded_connect.h"
#include "desktop/saved_radio_button.h"
#include "desktop/show_step.h"
#include "guests/guest_card_window.h"
#include "guests/guest_file.h"
#include "reservations/reservation_file.h"
#include "rooms/room_state_file.h"
#include "rooms/room_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QPushButton>
#include <QShowEvent>
#include <QTreeWidget>

TForm10::TForm10(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window), forms_(forms)
{
    setObjectName(QStringLiteral("Form10"));
    setWindowTitle(QStringLiteral("Přehled rezervací"));
    resize(720, 480);

    Build::label(this, u"Nadpis", QStringLiteral("Přehled rezervací"), {12, 8, 400, 30}, Build::Font{20, true});

    const auto radio = [this](QStringView name, const QString& caption, const QRect& rect) {
        auto* r = new SavedRadioButton(caption, this);
        r->setObjectName(name.toString());
        r->setGeometry(rect);
        return r;
    };
    vsechny = radio(u"vsechny", QStringLiteral("Všechny"), {12, 44, 100, 22});
    dnesni = radio(u"dnesni", QStringLiteral("Dnešní"), {120, 44, 100, 22});
    budouci = radio(u"budouci", QStringLiteral("Budoucí"), {228, 44, 100, 22});
    vsechny->setChecked(true);
    dnesni->setEnabled(false);
    budouci->setEnabled(false);
    ZobrazitBut = Build::button(this, u"ZobrazitBut", QStringLiteral("Zobrazit výběr"), {340, 40, 120, 28});
    ZobrazitBut->hide();

    prehled = makeReservationList(this, {12, 74, 696, 344});

    UpravitHostaBut = Build::button(this, u"UpravitHostaBut", QStringLiteral("Upravit Hosta"), {12, 430, 140, 36});
    UpravitPokojBut = Build::button(this, u"UpravitPokojBut", QStringLiteral("Upravit Pokoj"), {160, 430, 140, 36});
    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {568, 430, 140, 36}, clYellow);

    Dialogs* d = forms_.dialogs;
    for (SavedRadioButton* r : {vsechny, dnesni, budouci})
        guardedConnect(d, r, &QRadioButton::clicked, this, &TForm10::ZobrazitButClick);
    guardedConnect(d, ZobrazitBut, &QPushButton::clicked, this, &TForm10::ZobrazitButClick);
    guardedConnect(d, UpravitHostaBut, &QPushButton::clicked, this, &TForm10::UpravitHostaButClick);
    guardedConnect(d, UpravitPokojBut, &QPushButton::clicked, this, &TForm10::UpravitPokojButClick);
    guardedConnect(d, OKBut, &ColorButton::clicked, this, &TForm10::OKButClick);
}

QTreeWidget* TForm10::makeReservationList(QWidget* parent, const QRect& rect)
{
    const Qt::Alignment centred = Qt::AlignHCenter;
    QTreeWidget* list = Build::listView(parent, u"prehled", rect,
                                        {{QStringLiteral("ID"), 40},
                                         {QStringLiteral("Pokoj:"), 70, centred},
                                         {QStringLiteral("Jméno hosta:"), 160, centred},
                                         {QStringLiteral("Dní:"), 50, centred},
                                         {QStringLiteral("Poznámka u hosta:"), 200, centred}});
    // Grid lines between the cells, as a report view draws them.
    list->setStyleSheet(QStringLiteral("QTreeView::item { border-right: 1px solid #d0d0d0; "
                                       "border-bottom: 1px solid #d0d0d0; }"));
    return list;
}

int TForm10::selectedReservation(const QTreeWidget* list)
{
    const QList<QTreeWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? 0 : selected.first()->text(kId).toInt();
}

void TForm10::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { ZobrazitButClick(); });
}

void TForm10::closeEvent(QCloseEvent* event)
{
    // The close box only hides the overview, like "OK".
    event->ignore();
    hide();
}

void TForm10::ZobrazitButClick()
{
    prehled->clear();
    const ReservationFile reservations(forms_.dataFile(ReservationFile::kFileName));
    const std::vector<ListedReservation> rows =
        reservations.readListed(GuestFile(forms_.dataFile(GuestFile::kFileName)),
                                Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName)));
    QList<QTreeWidgetItem*> items;
    items.reserve(qsizetype(rows.size()));
    for (const ListedReservation& row : rows) {
        auto* item = new QTreeWidgetItem(QStringList{QString::number(row.number), row.roomName, row.guestName,
                                                     QString::number(row.days), row.guestComment});
        for (int c = kPokoj; c < kColumnCount; ++c)
            item->setTextAlignment(c, Qt::AlignHCenter | Qt::AlignVCenter);
        items << item;
    }
    prehled->addTopLevelItems(items);
    // Name and note columns fit their contents.
    prehled->resizeColumnToContents(kJmeno);
    prehled->resizeColumnToContents(kPoznamka);
}

void TForm10::UpravitHostaButClick()
{
    const int number = selectedReservation(prehled);
    if (number == 0)
        return;
    const ReservationFile reservations(forms_.dataFile(ReservationFile::kFileName));
    forms_.form3->CisloHosta = reservations.read(number).clientId;
    forms_.form3->show();
    forms_.form3->raise();
}

void TForm10::UpravitPokojButClick()
{
    const int number = selectedReservation(prehled);
    if (number == 0)
        return;
    const ReservationFile reservations(forms_.dataFile(ReservationFile::kFileName));
    forms_.form4->CisloPokoje = reservations.read(number).room;
    forms_.form4->show();
    forms_.form4->raise();
}

void TForm10::OKButClick()
{
    hide();
}
