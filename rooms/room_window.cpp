#include "rooms/room_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "app/message_texts_window.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "guests/guest_file.h"
#include "reservations/create_reservation_window.h"
#include "rooms/reception_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"
#include "widgets/qt_color.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScreen>
#include <QShowEvent>

namespace {

using Rooms::RoomStatus;
using Field = Rooms::RoomStateFile::Field;

constexpr QSize kWindowSize(600, 480);
// What a room shows for a value it does not have, and the price offered at first.
const QString kNoValue = QStringLiteral("--");
const QString kStandardPrice = QStringLiteral("STANDARD");

constexpr TColor kReserveFace = rgbColor(0x80, 0x80, 0xFF);
constexpr TColor kOutOfServiceFace = rgbColor(0xFF, 0x60, 0x60);
constexpr TColor kArrivalFace = rgbColor(0xA8, 0xFF, 0xA8);
constexpr TColor kDepartureFace = rgbColor(0xFF, 0xA8, 0xA8);
constexpr TColor kOkFace = rgbColor(0xFF, 0xFF, 0x80);
constexpr int kButtonBevel = 2;
// The room temperature bar: 0 … 55 cells, the fixed reading 10 of them, unlit cells dimly shown.
constexpr int kTemperatureCells = 55;
constexpr int kTemperatureReading = 10;
constexpr int kUnlitContrast = 4;

const Build::Font kPanelFont{0, true, QString(), 12};
const Build::Font kScaleFont{0, false, QString(), 7};

TColor wordColor(RoomStatus status)
{
    return Rooms::statusWord(status).color;
}

// A status or presence button: bold caption on its colour with a two-pixel bevel.
ColorButton* actionButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face)
{
    ColorButton* button = Build::colorButton(parent, name, caption, rect, face, Build::kParentBold, clBtnText);
    button->setBevelWidth(kButtonBevel);
    return button;
}

} // namespace

TForm4::TForm4(Forms& forms, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pokoj"));
    setFixedSize(kWindowSize);
    buildControls();
}

void TForm4::buildControls()
{
    // Borderless: the raised frame is the window's edge.
    Build::frame(this, u"Bevel1", rect(), QFrame::Panel, QFrame::Raised, 2);

    Build::label(this, u"JmenoPokojeLabel", QStringLiteral("Název pokoje:"), {16, 14, 270, 18}, Build::kParentFont);
    JmenoPokoje = Build::edit(this, u"JmenoPokoje", {16, 32, 270, 26});

    Build::label(this, u"VelikostPokojeLabel", QStringLiteral("Velikost pokoje:"), {16, 64, 270, 18},
                 Build::kParentFont);
    VelikostPokoje = Build::edit(this, u"VelikostPokoje", {16, 82, 270, 26});

    Build::label(this, u"CenaPokojeLabel", QStringLiteral("Cena:"), {16, 114, 270, 18}, Build::kParentFont);
    CenaPokoje = Build::comboBox(this, u"CenaPokoje", {16, 132, 270, 26}, true);
    CenaPokoje->setInsertPolicy(QComboBox::NoInsert); // the list stays empty; only the typed text counts
    CenaPokoje->setEditText(kStandardPrice);

    Build::label(this, u"PoznamkaLabel", QStringLiteral("Poznámka:"), {16, 164, 270, 18}, Build::kParentFont);
    Poznamka = Build::memo(this, u"Poznamka", {16, 182, 270, 112});

    default_ = Build::checkBox(this, u"default", QStringLiteral("Jako výchozí nastavení"), {16, 302, 270, 22});

    // The room lock and the temperature are fixed displays.
    zamek = Build::ledButton(this, u"zamek", QStringLiteral("Zámek pokoje"), {16, 334, 130, 44}, clRed,
                             Build::kParentBold, clYellow);
    zamek->setTextPosition(TTextPosition::tpOnButton);
    zamek->setEnabled(false);
    zamekstav = Build::label(this, u"zamekstav", QStringLiteral("Zamčeno"), {156, 346, 130, 20}, Build::kParentBold);
    Build::setTextColor(zamekstav, clRed);

    Build::label(this, u"TeplotaLabel", QStringLiteral("Aktuální Teplota v pokoji:"), {16, 388, 360, 18},
                 Build::kParentBold);
    LEDMeter1 = Build::ledMeter(this, u"LEDMeter1", {16, 408, 360, 16}, 0, kTemperatureCells, kTemperatureReading);
    LEDMeter1->setLEDContrast(kUnlitContrast);
    Build::label(this, u"TeplotaText", QStringLiteral("0°C"), {384, 406, 60, 20}, Build::kParentBold);
    Build::label(this, u"TeplotaScale",
                 QStringLiteral("-10      0          10            15  20     25     30     35     40      45"),
                 {16, 426, 420, 16}, kScaleFont);

    stavpokoje = Build::label(this, u"stavpokoje", QStringLiteral("Pokoj je volný"), {306, 16, 278, 44}, kPanelFont);
    stavpokoje->setFrameShape(QFrame::Panel);
    stavpokoje->setFrameShadow(QFrame::Raised);
    stavpokoje->setAlignment(Qt::AlignCenter);
    stavpokoje->setAutoFillBackground(true);
    setPanel(stavpokoje->text(), wordColor(RoomStatus::Free));

    HostJe =
        Build::label(this, u"HostJe", QStringLiteral("Host není v pokoji"), {306, 68, 278, 22}, Build::kParentBold);
    HostJe->setAlignment(Qt::AlignCenter);
    Build::setTextColor(HostJe, clRed);

    navsteva = Build::label(this, u"navsteva", QStringLiteral("žádný klient"), {306, 94, 278, 22}, Build::kParentFont);
    navsteva->setAlignment(Qt::AlignCenter);

    RezervovatBut =
        actionButton(this, u"RezervovatBut", QStringLiteral("REZERVOVAT"), {306, 126, 134, 38}, kReserveFace);
    UvioolnitBut = actionButton(this, u"UvioolnitBut", QStringLiteral("UVOLNIT"), {450, 126, 134, 38},
                                wordColor(RoomStatus::Free));
    UkliditBut =
        actionButton(this, u"UkliditBut", QStringLiteral("Uklidit"), {306, 170, 134, 38}, wordColor(RoomStatus::Clean));
    SpravitBut = actionButton(this, u"SpravitBut", QStringLiteral("Spravit"), {450, 170, 134, 38},
                              wordColor(RoomStatus::Service));
    OdstavitBut =
        actionButton(this, u"OdstavitBut", QStringLiteral("Odstavit"), {306, 214, 134, 38}, kOutOfServiceFace);
    ZrusitBut = actionButton(this, u"ZrusitBut", QStringLiteral("X"), {450, 214, 134, 38}, wordColor(RoomStatus::None));
    PrichodBut = actionButton(this, u"PrichodBut", QStringLiteral("Příchod"), {306, 270, 134, 38}, kArrivalFace);
    OdchodBut = actionButton(this, u"OdchodBut", QStringLiteral("Odchod"), {450, 270, 134, 38}, kDepartureFace);
    OKBut = actionButton(this, u"OKBut", QStringLiteral("OK"), {450, 420, 134, 44}, kOkFace);

    Dialogs* dialogs = forms_.dialogs;
    guardedConnect(dialogs, RezervovatBut, &ColorButton::clicked, this, &TForm4::RezervovatButClick);
    guardedConnect(dialogs, UvioolnitBut, &ColorButton::clicked, this, &TForm4::UvioolnitButClick);
    guardedConnect(dialogs, UkliditBut, &ColorButton::clicked, this, &TForm4::UkliditButClick);
    guardedConnect(dialogs, SpravitBut, &ColorButton::clicked, this, &TForm4::SpravitButClick);
    guardedConnect(dialogs, OdstavitBut, &ColorButton::clicked, this, &TForm4::OdstavitButClick);
    guardedConnect(dialogs, ZrusitBut, &ColorButton::clicked, this, &TForm4::ZrusitButClick);
    guardedConnect(dialogs, PrichodBut, &ColorButton::clicked, this, &TForm4::PrichodButClick);
    guardedConnect(dialogs, OdchodBut, &ColorButton::clicked, this, &TForm4::OdchodButClick);
    guardedConnect(dialogs, OKBut, &ColorButton::clicked, this, &TForm4::OKButClick);
}

void TForm4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); }, ShowPlacement::Centred);
}

QDate TForm4::day() const
{
    return forms_.form5->Datum->date();
}

QString TForm4::messageText(const QString& key) const
{
    return forms_.form11->text(key);
}

QColor TForm4::statusColor() const
{
    return stavpokoje->palette().color(QPalette::Window);
}

void TForm4::setPanel(const QString& caption, TColor color)
{
    stavpokoje->setText(caption);
    QPalette palette = stavpokoje->palette();
    palette.setColor(QPalette::Window, toQColor(color));
    stavpokoje->setPalette(palette);
}

void TForm4::setHostJe(bool hosted)
{
    HostJe->setText(messageText(hosted ? QStringLiteral("hostjevpokoji") : QStringLiteral("hostnenivpokoji")));
    Build::setTextColor(HostJe, hosted ? clGreen : clRed);
}

void TForm4::FormShow()
{
    const int n = CisloPokoje;
    const QDate d = day();
    const Rooms::RoomStateFile rooms(forms_.dataFile(Rooms::RoomStateFile::kFileName));
    const GuestFile guests(forms_.dataFile(GuestFile::kFileName));

    JmenoPokoje->setText(rooms.readEffective(n, Field::Name, d, kNoValue));
    VelikostPokoje->setText(rooms.readDefault(n, Field::Size, kNoValue));
    Poznamka->setPlainText(rooms.readEffective(n, Field::Comment, d, kNoValue));
    setHostJe(rooms.readDefaultBool(n, Field::IsHosted, false));

    // The guest booked into the room on the day: the id that storing a reservation writes.
    const int guest = rooms.readEffectiveInteger(n, Field::ClientID, d, 0);
    if (guest == 0) {
        navsteva->setText(messageText(QStringLiteral("zadnyklient")));
    } else {
        const GuestName name = guests.readName(guest);
        navsteva->setText(name.firstName + QLatin1Char(' ') + name.surName);
    }

    // An unrecognised status leaves the panel as the previous room or day left it.
    const QString stored = rooms.readEffective(n, Field::Status, d, Rooms::wordText(RoomStatus::None));
    if (const auto status = Rooms::recognizeStatus(stored))
        setPanel(messageText(Rooms::messageKey(*status)), wordColor(*status));
}

void TForm4::setStatus(RoomStatus status, const QString& caption, std::optional<TColor> color, bool mayBeDefault)
{
    // The panel changes first, so a failed write leaves it showing the status that was not stored.
    if (color)
        setPanel(caption, *color);
    Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName))
        .writeDay(CisloPokoje, Field::Status, day(), Rooms::wordText(status), mayBeDefault && default_->isChecked());
}

void TForm4::RezervovatButClick()
{
    forms_.form8->showWithRoom(CisloPokoje);
    // A reservation is for the day only, never the room's default.
    setStatus(RoomStatus::Reserved, QStringLiteral("Pokoj je rezervován"), wordColor(RoomStatus::Reserved), false);
}

void TForm4::UvioolnitButClick()
{
    setStatus(RoomStatus::Free, QStringLiteral("Pokoj je volný"), wordColor(RoomStatus::Free), true);
}

void TForm4::UkliditButClick()
{
    setStatus(RoomStatus::Clean, QStringLiteral("Pokoj se uklízí"), wordColor(RoomStatus::Clean), true);
}

void TForm4::SpravitButClick()
{
    setStatus(RoomStatus::Service, QStringLiteral("Pokoj se spravuje"), wordColor(RoomStatus::Service), true);
}

void TForm4::OdstavitButClick()
{
    // Red here, while loading shows out-of-order rooms grey.
    setStatus(RoomStatus::OutOfOrder, QStringLiteral("Pokoj je odstaven"), clRed, true);
}

void TForm4::ZrusitButClick()
{
    setStatus(RoomStatus::None, QString(), std::nullopt, true);
}

void TForm4::setHosted(bool hosted)
{
    Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName))
        .writeDefaultBool(CisloPokoje, Field::IsHosted, hosted);
    setHostJe(hosted);
}

void TForm4::PrichodButClick()
{
    setHosted(true);
}

void TForm4::OdchodButClick()
{
    setHosted(false);
}

void TForm4::OKButClick()
{
    Rooms::RoomStateFile rooms(forms_.dataFile(Rooms::RoomStateFile::kFileName));
    rooms.writeDefault(CisloPokoje, Field::Name, JmenoPokoje->text());
    rooms.writeDefault(CisloPokoje, Field::Size, VelikostPokoje->text());
    const QDate d = day();
    rooms.writeDay(CisloPokoje, Field::Price, d, CenaPokoje->currentText());
    rooms.writeDay(CisloPokoje, Field::Comment, d, Poznamka->toPlainText());
    default_->setChecked(false);
    hide();
}
