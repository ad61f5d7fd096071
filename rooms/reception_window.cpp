#include "rooms/reception_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "reservations/create_reservation_window.h"
#include "rooms/floor_plan.h"
#include "rooms/reception_clock.h"
#include "rooms/room_window.h"
#include "settings/settings_file.h"
#include "settings/settings_window.h"
#include "store/regional_settings.h"
#include "widgets/click_label.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/qt_color.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace {

using Rooms::RoomStatus;

constexpr QSize kWindowSize(1024, 768);
// Where "Dokovat" moves the plan: to the right of a 1280-pixel screen, out of the way.
constexpr QPoint kDockedPosition(1280, 0);
constexpr int kReloadIntervalMs = 1000;
// A tile's caption and colour before the first reload.
const QString kNoRoomName = QStringLiteral("--");
constexpr TColor kTileFace = clSilver;
const Build::Font kTileFont{13, true};
const Build::Font kCounterFont{0, true, QString(), 11};
constexpr TColor kCountersBackground = rgbColor(0x30, 0x30, 0x30);
constexpr TColor kOkFace = rgbColor(0xA8, 0xFF, 0xA8);
constexpr TColor kDockFace = rgbColor(0xFF, 0xFF, 0x80);
constexpr int kButtonBevel = 2;

// The counters below the plan: three to a row, the count right-aligned before its legend.
constexpr QRect kCountersRect(322, 664, 534, 96);
constexpr int kCounterColumnWidth = 176;
constexpr int kCounterRowHeight = 29;

QRect counterRect(int slot)
{
    return {8 + (slot % 3) * kCounterColumnWidth, 6 + (slot / 3) * kCounterRowHeight, 44, 26};
}

QRect legendRect(int slot)
{
    const QRect count = counterRect(slot);
    return {count.left() + 50, count.top(), 120, count.height()};
}

} // namespace

TForm5::TForm5(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Recepce"));
    resize(kWindowSize);
    buildControls();
    FormCreate();
}

void TForm5::buildControls()
{
    for (int room = 1; room <= Rooms::kRoomCount; ++room) {
        TScrewPanel* t = Build::panel(this, QStringLiteral("p%1").arg(room), Rooms::tileRect(room), kTileFace);
        t->setCaption(kNoRoomName);
        t->setFont(kTileFont.apply(t->font()));
        t->setCursor(Qt::PointingHandCursor);
        guardedConnect(forms_.dialogs, t, &TScrewPanel::clicked, this, [this, room] { pClick(room); });
        p[static_cast<std::size_t>(room - 1)] = t;
    }

    for (int f = 0; f < Rooms::kFloorCount; ++f) {
        ClickLabel* label =
            Build::clickLabel(this, QStringLiteral("Floor%1").arg(f), QStringLiteral("Patro %1:").arg(f),
                              Rooms::floorLabelRect(f), Build::kParentBold);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setIndent(4);
        guardedConnect(forms_.dialogs, label, &ClickLabel::clicked, this, [this, f] { FloorClick(f); });
        Floor[static_cast<std::size_t>(f)] = label;
    }

    // Below the plan: the clock and the date on the left, the counters in the middle, the buttons on the right.
    hodinky = new ReceptionClock(this);
    hodinky->setObjectName(QStringLiteral("hodinky"));
    hodinky->setGeometry(70, 666, 161, 52);

    Datum = Build::dateEdit(this, u"Datum", {70, 726, 161, 30}, RegionalSettings::shortDateFormat());

    NacistBut = Build::button(this, u"NacistBut", QStringLiteral("Načíst"), {238, 726, 76, 30}, Build::kParentBold);
    NacistBut->setFlat(true);

    QFrame* counters = Build::frame(this, u"counters", kCountersRect);
    counters->setAutoFillBackground(true);
    QPalette dark = counters->palette();
    dark.setColor(QPalette::Window, toQColor(kCountersBackground));
    counters->setPalette(dark);

    struct Slot
    {
        QLabel** count;
        QLabel** legend;
        const char16_t* name;
        RoomStatus status;
    };
    const Slot rows[] = {
        {&volno_label, &volno_labelx, u"volno", RoomStatus::Free},
        {&plno_label, &plno_labelx, u"plno", RoomStatus::Full},
        {&oprava_label, &oprava_labelx, u"oprava", RoomStatus::Service},
        {&uklid_label, &uklid_labelx, u"uklid", RoomStatus::Clean},
        {&mimo_label, &mimo_labelx, u"mimo", RoomStatus::OutOfOrder},
        {&nic_label, &nic_labelx, u"nic", RoomStatus::None},
        {&rezervace_label, &rezervace_labelx, u"rezervace", RoomStatus::Reserved},
    };
    int slot = 0;
    for (const Slot& s : rows) {
        const QString name = QString::fromUtf16(s.name);
        const TColor color = Rooms::statusWord(s.status).color;
        *s.count = Build::label(counters, name + QStringLiteral("_label"), QStringLiteral("0"), counterRect(slot),
                                kCounterFont);
        (*s.count)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        *s.legend = Build::label(counters, name + QStringLiteral("_labelx"), Rooms::legendText(s.status),
                                 legendRect(slot), kCounterFont);
        Build::setTextColor(*s.count, color);
        Build::setTextColor(*s.legend, color);
        ++slot;
    }

    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {870, 666, 120, 44}, kOkFace, Build::kParentBold,
                               clBtnText);
    OKBut->setBevelWidth(kButtonBevel);
    DokovatBut = Build::colorButton(this, u"DokovatBut", QStringLiteral("Dokovat >"), {870, 714, 120, 44}, kDockFace,
                                    Build::kParentBold, clBtnText);
    DokovatBut->setBevelWidth(kButtonBevel);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kReloadIntervalMs);

    guardedConnect(forms_.dialogs, NacistBut, &QPushButton::clicked, this, &TForm5::NacistButClick);
    guardedConnect(forms_.dialogs, OKBut, &ColorButton::clicked, this, &TForm5::OKButClick);
    guardedConnect(forms_.dialogs, DokovatBut, &ColorButton::clicked, this, &TForm5::DokovatButClick);
    guardedConnect(forms_.dialogs, Timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
    Timer1->start();
}

void TForm5::FormCreate()
{
    Rezim = kRezimSystem;
}

void TForm5::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); });
}

void TForm5::FormShow()
{
    setGeometry(QRect(QPoint(0, 0), kWindowSize));
    if (Rezim != kRezimRezervace)
        Datum->setDateTime(forms_.now());
    NacistStav();
}

void TForm5::NacistStav()
{
    const QDate day = Datum->date();

    const QStringList floorNames =
        Settings::SettingsFile(forms_.dataFile(Settings::SettingsFile::kFileName)).readPlanFloorNames();
    for (int f = 0; f < Rooms::kFloorCount; ++f)
        Floor[static_cast<std::size_t>(f)]->setText(floorNames[f]);

    const Rooms::PlanState plan = Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName)).readPlan(day);

    // All names before any colour; a caption is always overwritten.
    for (int room = 1; room <= Rooms::kRoomCount; ++room)
        tile(room)->setCaption(plan.names[static_cast<std::size_t>(room - 1)]);

    // An unrecognised status keeps the tile's colour and counts nowhere.
    std::array<int, Rooms::kStatusCount> counts{};
    for (int room = 1; room <= Rooms::kRoomCount; ++room) {
        const auto status = Rooms::recognizeStatus(plan.statuses[static_cast<std::size_t>(room - 1)]);
        if (!status)
            continue;
        tile(room)->setColor(Rooms::statusWord(*status).color);
        ++counts[static_cast<std::size_t>(*status)];
    }

    for (RoomStatus s : {RoomStatus::Free, RoomStatus::Full, RoomStatus::OutOfOrder, RoomStatus::Service,
                         RoomStatus::Clean, RoomStatus::Reserved, RoomStatus::None})
        counter(s)->setText(QString::number(counts[static_cast<std::size_t>(s)]));
}

QLabel* TForm5::counter(RoomStatus status) const
{
    switch (status) {
    case RoomStatus::None:
        return nic_label;
    case RoomStatus::Free:
        return volno_label;
    case RoomStatus::Full:
        return plno_label;
    case RoomStatus::Clean:
        return uklid_label;
    case RoomStatus::OutOfOrder:
        return mimo_label;
    case RoomStatus::Service:
        return oprava_label;
    case RoomStatus::Reserved:
        return rezervace_label;
    }
    return nullptr;
}

void TForm5::NacistButClick()
{
    NacistStav();
}

void TForm5::Timer1Timer()
{
    // Another window over the plan (the room window, a message box, another program) pauses reloading.
    if (isActiveWindow())
        NacistStav();
}

void TForm5::pClick(int room)
{
    forms_.form4->CisloPokoje = room;
    if (Rezim != kRezimRezervace) {
        forms_.form4->show();
        forms_.form4->raise();
        forms_.form4->activateWindow();
        return;
    }
    // A room picked for a new reservation: the room window loads the room unseen, the plan goes,
    // and the create-reservation window takes the room (stav3 and krok3 green).
    forms_.form4->show();
    forms_.form4->hide();
    hide();
    forms_.form8->takeRoom(room);
}

void TForm5::FloorClick(int floor)
{
    // The settings window opens on its first page and loads; then its floor names page comes
    // forward with this floor's name box ready for typing.
    TForm15* settings = forms_.form15;
    settings->show();
    settings->PageControl1->setCurrentWidget(settings->Patra);
    settings->floor[static_cast<std::size_t>(floor)]->setFocus();
}

void TForm5::OKButClick()
{
    hide();
}

void TForm5::DokovatButClick()
{
    move(kDockedPosition);
}
