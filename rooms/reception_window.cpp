#include "rooms/reception_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "rooms/floor_plan.h"
#include "rooms/reception_clock.h"
#include "rooms/room_window.h"
#include "settings/settings_file.h"
#include "settings/settings_window.h"
#include "store/regional_settings.h"
#include "widgets/color_button.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>

namespace {

using Rooms::RoomStatus;

QColor statusColor(RoomStatus status)
{
    return QColor::fromRgb(Rooms::statusWord(status).rgb);
}

// The tiles' colour of a status word (the status table holds 0xRRGGBB).
TColor tileColor(RoomStatus status)
{
    const quint32 rgb = Rooms::statusWord(status).rgb;
    return rgbColor(int(rgb >> 16), int(rgb >> 8), int(rgb));
}

ColorButton* colourButton(QWidget* parent, const QString& name, const QString& caption, TColor face)
{
    auto* button = new ColorButton(parent);
    button->setObjectName(name);
    button->setCaption(caption);
    button->setColor(face);
    button->setBevelWidth(2);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

} // namespace

TForm5::TForm5(Forms& forms, QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Recepce"));
    resize(1024, 768);
    buildControls();
    FormCreate();
}

void TForm5::buildControls()
{
    QFont tileFont(QStringLiteral("Arial"));
    tileFont.setPixelSize(13);
    tileFont.setBold(true);
    for (int room = 1; room <= Rooms::kRoomCount; ++room) {
        auto* t = new TScrewPanel(this);
        t->setObjectName(QStringLiteral("p") + QString::number(room));
        t->setGeometry(Rooms::tileRect(room));
        t->setCaption(QStringLiteral("--"));
        t->setColor(clSilver);
        t->setFont(tileFont);
        t->setCursor(Qt::PointingHandCursor);
        connect(t, &TScrewPanel::clicked, this, [this, room] { pClick(room); });
        p[static_cast<std::size_t>(room - 1)] = t;
    }

    QFont bold = font();
    bold.setBold(true);
    for (int f = 0; f < Rooms::kFloorCount; ++f) {
        auto* label = new QLabel(QStringLiteral("Patro %1:").arg(f), this);
        label->setObjectName(QStringLiteral("Floor") + QString::number(f));
        label->setGeometry(Rooms::floorLabelRect(f));
        label->setFont(bold);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setIndent(4);
        label->setCursor(Qt::PointingHandCursor);
        label->installEventFilter(this);
        Floor[static_cast<std::size_t>(f)] = label;
    }

    // Below the plan: the clock and the date on the left, the counters in the middle, the buttons on the right.
    hodinky = new ReceptionClock(this);
    hodinky->setObjectName(QStringLiteral("hodinky"));
    hodinky->setGeometry(70, 666, 161, 52);

    Datum = new QDateEdit(this);
    Datum->setObjectName(QStringLiteral("Datum"));
    Datum->setGeometry(70, 726, 161, 30);
    Datum->setCalendarPopup(true);
    Datum->setDisplayFormat(RegionalSettings::shortDateFormat());

    NacistBut = new QPushButton(QStringLiteral("Načíst"), this);
    NacistBut->setObjectName(QStringLiteral("NacistBut"));
    NacistBut->setFlat(true);
    NacistBut->setFont(bold);
    NacistBut->setGeometry(238, 726, 76, 30);
    connect(NacistBut, &QPushButton::clicked, this, &TForm5::NacistButClick);

    auto* counters = new QFrame(this);
    counters->setGeometry(322, 664, 534, 96);
    counters->setFrameShape(QFrame::Panel);
    counters->setFrameShadow(QFrame::Raised);
    counters->setAutoFillBackground(true);
    QPalette dark = counters->palette();
    dark.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    counters->setPalette(dark);

    QFont counterFont = bold;
    counterFont.setPointSize(11);
    struct Slot
    {
        QLabel** count;
        QLabel** legend;
        const char* name;
        RoomStatus status;
    };
    const Slot rows[] = {
        {&volno_label, &volno_labelx, "volno", RoomStatus::Free},
        {&plno_label, &plno_labelx, "plno", RoomStatus::Full},
        {&oprava_label, &oprava_labelx, "oprava", RoomStatus::Service},
        {&uklid_label, &uklid_labelx, "uklid", RoomStatus::Clean},
        {&mimo_label, &mimo_labelx, "mimo", RoomStatus::OutOfOrder},
        {&nic_label, &nic_labelx, "nic", RoomStatus::None},
        {&rezervace_label, &rezervace_labelx, "rezervace", RoomStatus::Reserved},
    };
    int i = 0;
    for (const Slot& s : rows) {
        const int x = 8 + (i % 3) * 176;
        const int y = 6 + (i / 3) * 29;
        QPalette text = counters->palette();
        text.setColor(QPalette::WindowText, statusColor(s.status));

        auto* count = new QLabel(QStringLiteral("0"), counters);
        count->setObjectName(QLatin1String(s.name) + QStringLiteral("_label"));
        count->setGeometry(x, y, 44, 26);
        count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        count->setFont(counterFont);
        count->setPalette(text);
        *s.count = count;

        auto* legend = new QLabel(Rooms::legendText(s.status), counters);
        legend->setObjectName(QLatin1String(s.name) + QStringLiteral("_labelx"));
        legend->setGeometry(x + 50, y, 120, 26);
        legend->setFont(counterFont);
        legend->setPalette(text);
        *s.legend = legend;
        ++i;
    }

    OKBut = colourButton(this, QStringLiteral("OKBut"), QStringLiteral("OK"), rgbColor(0xA8, 0xFF, 0xA8));
    OKBut->setGeometry(870, 666, 120, 44);
    connect(OKBut, &ColorButton::clicked, this, &TForm5::OKButClick);
    DokovatBut =
        colourButton(this, QStringLiteral("DokovatBut"), QStringLiteral("Dokovat >"), rgbColor(0xFF, 0xFF, 0x80));
    DokovatBut->setGeometry(870, 714, 120, 44);
    connect(DokovatBut, &ColorButton::clicked, this, &TForm5::DokovatButClick);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &TForm5::Timer1Timer);
    Timer1->start();
}

void TForm5::FormCreate()
{
    Rezim = kRezimSystem;
}

void TForm5::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Only becoming visible runs the show handler, not the window system restoring it.
    if (!event->spontaneous())
        FormShow();
}

void TForm5::FormShow()
{
    setGeometry(0, 0, 1024, 768);
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
        tile(room)->setColor(tileColor(*status));
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
    // Hand-off to the create-reservation window (TForm8): load the room window unseen, hide the
    // plan, write the room into TForm8's stav3 and mark its step done. Built together with TForm8.
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
    move(1280, 0);
}

bool TForm5::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (int f = 0; f < Rooms::kFloorCount; ++f)
            if (watched == Floor[static_cast<std::size_t>(f)]) {
                FloorClick(f);
                return true;
            }
    }
    return QWidget::eventFilter(watched, event);
}
