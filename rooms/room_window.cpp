#include "rooms/room_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "app/message_texts_window.h"
#include "desktop/guarded.h"
#include "guests/guest_file.h"
#include "reservations/create_reservation_window.h"
#include "rooms/reception_window.h"
#include "widgets/color_button.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"

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

const QColor kGreen(0x00, 0x80, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);

QColor wordColor(RoomStatus status)
{
    return QColor::fromRgb(Rooms::statusWord(status).rgb);
}

ColorButton* colourButton(QWidget* parent, const char* name, const QString& caption, const QColor& face,
                          const QRect& geometry)
{
    auto* button = new ColorButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setGeometry(geometry);
    button->setCaption(caption);
    button->setColor(rgbColor(face.red(), face.green(), face.blue()));
    button->setBevelWidth(2);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

QLabel* caption(QWidget* parent, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

void setTextColor(QWidget* widget, const QColor& color)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, color);
    widget->setPalette(palette);
}

} // namespace

TForm4::TForm4(Forms& forms, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint), forms_(forms)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Pokoj"));
    setFixedSize(600, 480);
    buildControls();
}

void TForm4::buildControls()
{
    // Borderless: the raised frame is the window's edge.
    auto* frame = new QFrame(this);
    frame->setGeometry(rect());
    frame->setFrameShape(QFrame::Panel);
    frame->setFrameShadow(QFrame::Raised);
    frame->setLineWidth(2);

    QFont bold = font();
    bold.setBold(true);

    caption(this, QStringLiteral("Název pokoje:"), QRect(16, 14, 270, 18));
    JmenoPokoje = new QLineEdit(this);
    JmenoPokoje->setObjectName(QStringLiteral("JmenoPokoje"));
    JmenoPokoje->setGeometry(16, 32, 270, 26);

    caption(this, QStringLiteral("Velikost pokoje:"), QRect(16, 64, 270, 18));
    VelikostPokoje = new QLineEdit(this);
    VelikostPokoje->setObjectName(QStringLiteral("VelikostPokoje"));
    VelikostPokoje->setGeometry(16, 82, 270, 26);

    caption(this, QStringLiteral("Cena:"), QRect(16, 114, 270, 18));
    CenaPokoje = new QComboBox(this);
    CenaPokoje->setObjectName(QStringLiteral("CenaPokoje"));
    CenaPokoje->setGeometry(16, 132, 270, 26);
    CenaPokoje->setEditable(true);
    CenaPokoje->setInsertPolicy(QComboBox::NoInsert); // the list stays empty; only the typed text counts
    CenaPokoje->setEditText(QStringLiteral("STANDARD"));

    caption(this, QStringLiteral("Poznámka:"), QRect(16, 164, 270, 18));
    Poznamka = new QPlainTextEdit(this);
    Poznamka->setObjectName(QStringLiteral("Poznamka"));
    Poznamka->setGeometry(16, 182, 270, 112);

    default_ = new QCheckBox(QStringLiteral("Jako výchozí nastavení"), this);
    default_->setObjectName(QStringLiteral("default"));
    default_->setGeometry(16, 302, 270, 22);

    // The room lock and the temperature are fixed displays.
    zamek = new TLEDButton(this);
    zamek->setObjectName(QStringLiteral("zamek"));
    zamek->setGeometry(16, 334, 130, 44);
    zamek->setCaption(QStringLiteral("Zámek pokoje"));
    zamek->setTextPosition(TTextPosition::tpOnButton);
    zamek->setColor(clRed);
    zamek->setFontColor(clYellow);
    zamek->setFont(bold);
    zamek->setEnabled(false);
    zamekstav = new QLabel(QStringLiteral("Zamčeno"), this);
    zamekstav->setObjectName(QStringLiteral("zamekstav"));
    zamekstav->setGeometry(156, 346, 130, 20);
    zamekstav->setFont(bold);
    setTextColor(zamekstav, kRed);

    caption(this, QStringLiteral("Aktuální Teplota v pokoji:"), QRect(16, 388, 360, 18))->setFont(bold);
    LEDMeter1 = new TLEDMeter(this);
    LEDMeter1->setObjectName(QStringLiteral("LEDMeter1"));
    LEDMeter1->setGeometry(16, 408, 360, 16);
    LEDMeter1->setMin(0);
    LEDMeter1->setMax(55);
    LEDMeter1->setPosition(10);
    LEDMeter1->setLEDContrast(4); // unlit cells show dimly
    caption(this, QStringLiteral("0°C"), QRect(384, 406, 60, 20))->setFont(bold);
    auto* scale =
        caption(this, QStringLiteral("-10      0          10            15  20     25     30     35     40      45"),
                QRect(16, 426, 420, 16));
    QFont small = font();
    small.setPointSize(7);
    scale->setFont(small);

    stavpokoje = new QLabel(QStringLiteral("Pokoj je volný"), this);
    stavpokoje->setObjectName(QStringLiteral("stavpokoje"));
    stavpokoje->setGeometry(306, 16, 278, 44);
    stavpokoje->setFrameShape(QFrame::Panel);
    stavpokoje->setFrameShadow(QFrame::Raised);
    stavpokoje->setAlignment(Qt::AlignCenter);
    stavpokoje->setAutoFillBackground(true);
    QFont large = bold;
    large.setPointSize(12);
    stavpokoje->setFont(large);
    setPanel(stavpokoje->text(), wordColor(RoomStatus::Free));

    HostJe = new QLabel(QStringLiteral("Host není v pokoji"), this);
    HostJe->setObjectName(QStringLiteral("HostJe"));
    HostJe->setGeometry(306, 68, 278, 22);
    HostJe->setAlignment(Qt::AlignCenter);
    HostJe->setFont(bold);
    setTextColor(HostJe, kRed);

    navsteva = new QLabel(QStringLiteral("žádný klient"), this);
    navsteva->setObjectName(QStringLiteral("navsteva"));
    navsteva->setGeometry(306, 94, 278, 22);
    navsteva->setAlignment(Qt::AlignCenter);

    RezervovatBut = colourButton(this, "RezervovatBut", QStringLiteral("REZERVOVAT"), QColor(0x80, 0x80, 0xFF),
                                 QRect(306, 126, 134, 38));
    UvioolnitBut = colourButton(this, "UvioolnitBut", QStringLiteral("UVOLNIT"), wordColor(RoomStatus::Free),
                                QRect(450, 126, 134, 38));
    UkliditBut = colourButton(this, "UkliditBut", QStringLiteral("Uklidit"), wordColor(RoomStatus::Clean),
                              QRect(306, 170, 134, 38));
    SpravitBut = colourButton(this, "SpravitBut", QStringLiteral("Spravit"), wordColor(RoomStatus::Service),
                              QRect(450, 170, 134, 38));
    OdstavitBut = colourButton(this, "OdstavitBut", QStringLiteral("Odstavit"), QColor(0xFF, 0x60, 0x60),
                               QRect(306, 214, 134, 38));
    ZrusitBut =
        colourButton(this, "ZrusitBut", QStringLiteral("X"), wordColor(RoomStatus::None), QRect(450, 214, 134, 38));
    PrichodBut =
        colourButton(this, "PrichodBut", QStringLiteral("Příchod"), QColor(0xA8, 0xFF, 0xA8), QRect(306, 270, 134, 38));
    OdchodBut =
        colourButton(this, "OdchodBut", QStringLiteral("Odchod"), QColor(0xFF, 0xA8, 0xA8), QRect(450, 270, 134, 38));
    OKBut = colourButton(this, "OKBut", QStringLiteral("OK"), QColor(0xFF, 0xFF, 0x80), QRect(450, 420, 134, 44));

    const auto guarded = [this](void (TForm4::*handler)()) {
        return [this, handler] { runGuarded(forms_.dialogs, [this, handler] { (this->*handler)(); }); };
    };
    connect(RezervovatBut, &ColorButton::clicked, this, guarded(&TForm4::RezervovatButClick));
    connect(UvioolnitBut, &ColorButton::clicked, this, guarded(&TForm4::UvioolnitButClick));
    connect(UkliditBut, &ColorButton::clicked, this, guarded(&TForm4::UkliditButClick));
    connect(SpravitBut, &ColorButton::clicked, this, guarded(&TForm4::SpravitButClick));
    connect(OdstavitBut, &ColorButton::clicked, this, guarded(&TForm4::OdstavitButClick));
    connect(ZrusitBut, &ColorButton::clicked, this, guarded(&TForm4::ZrusitButClick));
    connect(PrichodBut, &ColorButton::clicked, this, guarded(&TForm4::PrichodButClick));
    connect(OdchodBut, &ColorButton::clicked, this, guarded(&TForm4::OdchodButClick));
    connect(OKBut, &ColorButton::clicked, this, guarded(&TForm4::OKButClick));
}

void TForm4::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    runGuarded(forms_.dialogs, [this] { FormShow(); });
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

void TForm4::setPanel(const QString& caption, const QColor& color)
{
    stavpokoje->setText(caption);
    QPalette palette = stavpokoje->palette();
    palette.setColor(QPalette::Window, color);
    stavpokoje->setPalette(palette);
}

void TForm4::setHostJe(bool hosted)
{
    HostJe->setText(messageText(hosted ? QStringLiteral("hostjevpokoji") : QStringLiteral("hostnenivpokoji")));
    setTextColor(HostJe, hosted ? kGreen : kRed);
}

void TForm4::FormShow()
{
    const int n = CisloPokoje;
    const QDate d = day();
    const Rooms::RoomStateFile rooms(forms_.dataFile(Rooms::RoomStateFile::kFileName));
    const GuestFile guests(forms_.dataFile(GuestFile::kFileName));
    const QString none = QStringLiteral("--");

    JmenoPokoje->setText(rooms.readEffective(n, Field::Name, d, none));
    VelikostPokoje->setText(rooms.readDefault(n, Field::Size, none));
    Poznamka->setPlainText(rooms.readEffective(n, Field::Comment, d, none));
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

void TForm4::setStatus(RoomStatus status, const QString& caption, const QColor& color, bool mayBeDefault)
{
    // The panel changes first, so a failed write leaves it showing the status that was not stored.
    if (color.isValid())
        setPanel(caption, color);
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
    setStatus(RoomStatus::OutOfOrder, QStringLiteral("Pokoj je odstaven"), kRed, true);
}

void TForm4::ZrusitButClick()
{
    setStatus(RoomStatus::None, QString(), QColor(), true);
}

void TForm4::setHosted(bool hosted)
{
    Rooms::RoomStateFile(forms_.dataFile(Rooms::RoomStateFile::kFileName)).writeDefaultBool(CisloPokoje, Field::IsHosted, hosted);
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
