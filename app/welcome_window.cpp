#include "app/welcome_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "desktop/shell.h"
#include "rooms/reception_window.h"
#include "settings/settings_window.h"
#include "store/regional_settings.h"
#include "widgets/control_builders.h"
#include "widgets/lcd99.h"
#include "widgets/led_meter.h"
#include "widgets/qt_color.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QThread>
#include <QTimer>

#include <optional>

namespace {

constexpr QSize kWindowSize(420, 260);
constexpr int kTickMs = 1000;
// The start-up meter: 100 steps of 10 ms, about one second.
constexpr int kMeterSteps = 100;
constexpr int kMeterStepMs = 10;
const Build::Font kTitleFont{44, true};
constexpr TColor kNameBlue = rgbColor(0x0D, 0x86, 0xFF);
constexpr TColor kNumberOrange = rgbColor(0xFF, 0x80, 0x00);
constexpr TColor kDoorBrown = rgbColor(0x80, 0x40, 0x00);

// The small picture of the welcome screen: a house with a lit window.
QPixmap housePicture()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(Qt::black);
    p.setBrush(toQColor(kNameBlue));
    p.drawPolygon(QPolygon({{4, 30}, {32, 6}, {60, 30}}));
    p.setBrush(Qt::white);
    p.drawRect(10, 30, 44, 30);
    p.setBrush(Qt::yellow);
    p.drawRect(18, 38, 10, 10);
    p.setBrush(toQColor(kDoorBrown));
    p.drawRect(36, 40, 10, 20);
    return pixmap;
}

// A text of the welcome screen; clicks on it reach the window and hide it.
QLabel* text(QWidget* parent, QStringView name, const QString& text, const QRect& rect, const Build::Font& font,
             std::optional<TColor> color = std::nullopt)
{
    QLabel* l = Build::label(parent, name, text, rect, font);
    if (color)
        Build::setTextColor(l, *color);
    l->setAttribute(Qt::WA_TransparentForMouseEvents);
    return l;
}

// Stand-in for the link labels: a link that opens its target through the shell.
QLabel* link(QWidget* parent, Forms& forms, const QString& text, const QString& target, const QRect& rect)
{
    auto* l = new QLabel(QStringLiteral("<a href=\"%1\">%2</a>").arg(target, text), parent);
    l->setGeometry(rect);
    l->setTextFormat(Qt::RichText);
    QObject::connect(l, &QLabel::linkActivated, l, [&forms](const QString& address) {
        if (forms.shell)
            forms.shell->openUrl(address);
    });
    return l;
}

} // namespace

TForm6::TForm6(Forms& forms, QWidget* parent)
    : QWidget(parent), Timer1(new QTimer(this)),
      pause([](int milliseconds) { QThread::msleep(static_cast<unsigned long>(milliseconds)); }), forms_(forms)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Lodgera"));
    setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(kWindowSize);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::white);
    setPalette(palette);

    LEDMeter = Build::ledMeter(this, u"LEDMeter", {20, 220, 380, 16}, 0, kMeterSteps, 0);
    XBut = Build::button(this, u"XBut", QStringLiteral("X"), {392, 6, 22, 22}, Build::kParentFont);

    text(this, u"Picture", {}, {20, 24, 64, 64}, Build::kParentFont)->setPixmap(housePicture());
    text(this, u"ProductName", QStringLiteral("Lodgera"), {100, 16, 240, 56}, kTitleFont, kNameBlue);
    text(this, u"ProductNumber", QStringLiteral("1"), {344, 16, 40, 56}, kTitleFont, kNumberOrange);
    text(this, u"Build", QStringLiteral("Built 6."), {104, 72, 200, 18}, Build::Font{12});
    text(this, u"Purpose", QStringLiteral("Rooms, guests, reservations and printing for the front desk."),
         {20, 110, 380, 20}, Build::Font{12, false, QStringLiteral("Arial"), 0, true});
    link(this, forms, QStringLiteral("www.lodgera.example"), QStringLiteral("https://www.lodgera.example/"),
         {20, 150, 200, 18});
    link(this, forms, QStringLiteral("info@lodgera.example"), QStringLiteral("mailto:info@lodgera.example"),
         {20, 172, 200, 18});

    if (QScreen* s = QGuiApplication::primaryScreen())
        move(s->geometry().center() - rect().center());

    // Create handler: empty state; the timer runs from creation to the end of the program.
    Stav.clear();
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(kTickMs);
    guardedConnect(forms_.dialogs, XBut, &QPushButton::clicked, this, &QWidget::hide);
    guardedConnect(forms_.dialogs, Timer1, &QTimer::timeout, this, &TForm6::Timer1Timer);
    Timer1->start();
}

void TForm6::Timer1Timer()
{
    // The steps are tested in order; a change of Stav is seen by the later tests of the same tick.
    if (Stav == kStavKonec) {
        close();
        return;
    }
    if (Stav == kStavStart) {
        playMeter();
        Stav = kStavRun;
        // A failed load is reported in the error box, and the desk still gets its main window.
        runGuarded(forms_.dialogs, [this] { forms_.form15->NacistNastaveniClick(); });
        forms_.form1->show();
    }
    if (Stav == kStavRun) {
        const QString time = RegionalSettings::timeText(forms_.now().time());
        forms_.form1->hodinky->setValue(time);
        forms_.form5->hodinky->setValue(forms_.form1->hodinky->value());
    }
    if (Stav.isEmpty())
        Stav = kStavStart;
}

void TForm6::playMeter()
{
    // About one second during which input waits, as the meter fills.
    for (int position = 1; position <= kMeterSteps; ++position) {
        LEDMeter->setPosition(position);
        LEDMeter->repaint();
        pause(kMeterStepMs);
    }
}

void TForm6::mousePressEvent(QMouseEvent* event)
{
    hide();
    QWidget::mousePressEvent(event);
}

void TForm6::closeEvent(QCloseEvent* event)
{
    Timer1->stop();
    event->accept();
    emit programEnded();
}
