#include "app/main_window.h"

#include "app/camera_window.h"
#include "app/forms.h"
#include "app/message_texts_window.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/guarded.h"
#include "desktop/shell.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "reports/print_outputs_window.h"
#include "reservations/reservation_menu_window.h"
#include "rooms/reception_window.h"
#include "settings/settings_window.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

// The controls below are plain Qt stand-ins for the owner-drawn ones (colour buttons, screw
// panels, the seven-segment clock, the gradient background), placed at their designed positions.

namespace {

const QColor kBtnFace(0xF0, 0xF0, 0xF0);

// A raised group panel (stand-in for a screw panel), optionally with a bold heading.
QFrame* group(QWidget* parent, const QRect& rect, const QString& heading = {}, const QColor& face = kBtnFace)
{
    auto* panel = new QFrame(parent);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setGeometry(rect);
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, face);
    panel->setPalette(palette);
    if (!heading.isEmpty()) {
        auto* label = new QLabel(heading, panel);
        label->setGeometry(12, 10, rect.width() - 24, 22);
        label->setStyleSheet(QStringLiteral("font: bold 14px Arial;"));
    }
    return panel;
}

// A coloured push button with a bold Arial caption (stand-in for a colour button).
QPushButton* button(QWidget* parent, const char16_t* name, const QString& caption, const QRect& rect,
                    const QColor& face, const QColor& text = Qt::black)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromUtf16(name));
    b->setGeometry(rect);
    b->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; color: %2; font: bold 14px Arial;"
                                    " border: 1px solid black; }"
                                    "QPushButton:pressed { border: 2px inset black; }"
                                    "QPushButton:disabled { color: #808080; }")
                         .arg(face.name(), text.name()));
    return b;
}

constexpr int kMaxLogLines = 100;

// Lines as a text list counts them: a final line break starts no further line.
int lineCount(const QTextDocument* document)
{
    const int blocks = document->blockCount();
    return document->lastBlock().text().isEmpty() ? blocks - 1 : blocks;
}

} // namespace

QString webChatExplanationPage()
{
    return QStringLiteral("about:<b>The web chat functions need a web chat server installed on your local or "
                          "wide-area network.</b>");
}

TForm1::TForm1(Forms& forms, QWidget* parent) : QWidget(parent), Exec(forms.shell), forms_(forms)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Lodgera 1.0 — recepční systém pro hotely a penziony, tým Lodgera"));
    setWindowFlag(Qt::FramelessWindowHint);
    resize(1024, 768);

    const QColor lightGreen(0xA8, 0xFF, 0xA8);

    QFrame* cameras = group(this, {8, 8, 169, 121}, QStringLiteral("Kamery:"));
    WebCamPokojeBut = button(cameras, u"WebCamPokojeBut", QStringLiteral("Kamery"), {12, 40, 145, 57}, 0xFF8000);

    QFrame* tools = group(this, {8, 136, 169, 153});
    AktualizaceBut = button(tools, u"AktualizaceBut", QStringLiteral("Aktualizace"), {12, 24, 145, 57}, 0x8000FF);
    TiskBut = button(tools, u"TiskBut", QStringLiteral("Tisk"), {12, 88, 145, 57}, 0x408080);

    QFrame* guests = group(this, {184, 8, 161, 281}, QStringLiteral("Hosté:"));
    NovyHostBut = button(guests, u"NovyHostBut", QStringLiteral("Nový host"), {8, 40, 145, 57}, lightGreen);
    VyberHostaBut = button(guests, u"VyberHostaBut", QStringLiteral("Výběr hosta"), {8, 96, 145, 57}, lightGreen);
    UcetBut = button(guests, u"UcetBut", QStringLiteral("Účet"), {8, 152, 145, 114}, lightGreen);

    QFrame* system = group(this, {352, 8, 305, 281}, QStringLiteral("Systém:"));
    UctyBut = button(system, u"UctyBut", QStringLiteral("Účty"), {8, 40, 289, 57}, lightGreen);
    NastaveniBut = button(system, u"NastaveniBut", QStringLiteral("Nastavení"), {8, 96, 145, 57}, lightGreen);
    RezervaceBut = button(system, u"RezervaceBut", QStringLiteral("REZERVACE"), {152, 96, 145, 57}, lightGreen);
    RecepceBut = button(system, u"RecepceBut", QStringLiteral("Recepce"), {8, 152, 289, 65}, Qt::yellow);
    UklidBut = button(system, u"UklidBut", QStringLiteral("Úklid"), {8, 216, 145, 49}, 0x79D3FF);
    UdrzbaBut = button(system, u"UdrzbaBut", QStringLiteral("Údržba"), {152, 216, 145, 49}, 0xFFCE9D);

    QFrame* clock = group(this, {664, 16, 161, 57}, {}, Qt::black);
    hodinky = new QLabel(QStringLiteral("00:00:00"), clock);
    hodinky->setObjectName(QStringLiteral("hodinky"));
    hodinky->setGeometry(8, 7, 145, 42);
    hodinky->setAlignment(Qt::AlignCenter);
    hodinky->setStyleSheet(QStringLiteral("background: black; color: lime; font: bold 26px monospace;"));

    QFrame* calendar = group(this, {832, 88, 177, 201});
    Kalendar = new QCalendarWidget(calendar);
    Kalendar->setObjectName(QStringLiteral("Kalendar"));
    Kalendar->setGeometry(9, 17, 160, 168);
    Kalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Kalendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    Kalendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Kalendar->setSelectedDate(forms.now().date());

    QFrame* services = group(this, {664, 80, 161, 209});
    TaxiBut = button(services, u"TaxiBut", QStringLiteral("Zavolat TAXI"), {16, 8, 129, 41}, Qt::yellow);
    KuryrBut = button(services, u"KuryrBut", QStringLiteral("Zavolat Kurýra"), {16, 48, 129, 41}, 0xFF0080);
    TelefonyBut = button(services, u"TelefonyBut", QStringLiteral("Telefony"), {16, 88, 129, 41}, 0x8080FF);
    auto* bevel = new QFrame(services);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(8, 138, 145, 4);
    BarBut = button(services, u"BarBut", QStringLiteral("Bar a Restaurace"), {8, 152, 145, 41}, 0x0080FF);

    QFrame* chatView = group(this, {8, 296, 649, 409}, {}, Qt::white);
    WebChat = forms.browsers->create(chatView);
    WebChat->setObjectName(QStringLiteral("WebChat"));
    WebChat->setGeometry(16, 16, 617, 377);

    QFrame* chatInput = group(this, {8, 712, 649, 41});
    chattext = new QLineEdit(chatInput);
    chattext->setObjectName(QStringLiteral("chattext"));
    chattext->setGeometry(16, 5, 433, 26);
    chatkomu = new QComboBox(chatInput);
    chatkomu->setObjectName(QStringLiteral("chatkomu"));
    chatkomu->setEditable(true);
    chatkomu->setGeometry(456, 5, 105, 26);
    chatposlat = button(chatInput, u"chatposlat", QStringLiteral("Poslat"), {568, 8, 65, 25}, Qt::yellow);
    for (QWidget* control : std::initializer_list<QWidget*>{chattext, chatkomu, chatposlat})
        control->setEnabled(false);

    QFrame* state = group(this, {664, 296, 345, 457}, QStringLiteral("Celkový stav:"));
    log = new QPlainTextEdit(state);
    log->setObjectName(QStringLiteral("log"));
    log->setGeometry(8, 48, 329, 393);
    log->setReadOnly(true);
    log->setStyleSheet(QStringLiteral("background: #C0C0C0;"));
    connect(log, &QPlainTextEdit::textChanged, this, &TForm1::logChanged);

    KonecBut = button(this, u"KonecBut", QStringLiteral("Konec"), {832, 16, 169, 65}, Qt::red, Qt::white);

    for (QPushButton* disabled : {UcetBut, UctyBut, TelefonyBut})
        disabled->setEnabled(false);

    const auto wire = [this](QPushButton* b, void (TForm1::*handler)()) {
        connect(b, &QPushButton::clicked, this,
                [this, handler] { runGuarded(forms_.dialogs, [&] { (this->*handler)(); }); });
    };
    wire(RecepceBut, &TForm1::RecepceButClick);
    wire(NovyHostBut, &TForm1::NovyHostButClick);
    wire(VyberHostaBut, &TForm1::VyberHostaButClick);
    wire(RezervaceBut, &TForm1::RezervaceButClick);
    wire(NastaveniBut, &TForm1::NastaveniButClick);
    wire(TiskBut, &TForm1::TiskButClick);
    wire(WebCamPokojeBut, &TForm1::WebCamPokojeButClick);
    wire(UklidBut, &TForm1::UklidButClick);
    wire(UdrzbaBut, &TForm1::UdrzbaButClick);
    wire(AktualizaceBut, &TForm1::AktualizaceButClick);
    wire(BarBut, &TForm1::BarButClick);
    wire(TaxiBut, &TForm1::TaxiButClick);
    wire(KuryrBut, &TForm1::KuryrButClick);
    wire(KonecBut, &TForm1::KonecButClick);

    // Create handler: the explanatory chat page, the data directory and the version.
    WebChat->Navigate(webChatExplanationPage());
    dataDirectory = dir.CurrentDirectory();
    programVersion = QStringLiteral("1.0.0.5");
}

void TForm1::showEvent(QShowEvent* event)
{
    // Covers the whole screen whenever it is shown; the controls keep their designed positions.
    if (QScreen* s = screen())
        setGeometry(s->geometry());
    QWidget::showEvent(event);
}

void TForm1::paintEvent(QPaintEvent*)
{
    // Stand-in for the gradient background: white in the top-left corner to blue bottom right.
    QPainter painter(this);
    QLinearGradient gradient(0, 0, width(), height());
    gradient.setColorAt(0, Qt::white);
    gradient.setColorAt(1, QColor(0x0D, 0x86, 0xFF));
    painter.fillRect(rect(), gradient);
}

void TForm1::RecepceButClick()
{
    forms_.form5->Rezim = QStringLiteral("FORM1");
    forms_.form5->show();
    move(0, y());
}

void TForm1::NovyHostButClick()
{
    forms_.form3->openForNewGuest(dataDirectory);
}

void TForm1::VyberHostaButClick()
{
    forms_.form13->show();
}

void TForm1::RezervaceButClick()
{
    forms_.form7->show();
}

void TForm1::NastaveniButClick()
{
    forms_.form15->show();
}

void TForm1::TiskButClick()
{
    forms_.form17->show();
}

void TForm1::WebCamPokojeButClick()
{
    forms_.form2->show();
}

void TForm1::startCompanion(const QString& fileTested, const QString& file, const QString& parameters,
                            const QString& folder)
{
    if (!QFileInfo(fileTested).isFile()) {
        forms_.dialogs->message(forms_.form11->text(QStringLiteral("NeniFunkce")));
        return;
    }
    Exec->startProgram(file, parameters, folder);
}

void TForm1::UklidButClick()
{
    // Tested in the working directory, which a file dialog may have moved away from the data directory.
    startCompanion(QStringLiteral("vorlen.exe"), QStringLiteral("vorlen.exe"), {}, {});
}

void TForm1::UdrzbaButClick()
{
    startCompanion(QStringLiteral("tamsik.exe"), QStringLiteral("tamsik.exe"), {}, {});
}

void TForm1::AktualizaceButClick()
{
    startCompanion(dataDirectory + QStringLiteral("pelmor.exe"), QStringLiteral("pelmor.exe"), {}, dataDirectory);
}

void TForm1::BarButClick()
{
    const QString folder = forms_.form15->barcesta->text();
    const QString program = folder + QStringLiteral("/drusko.exe");
    if (!QFileInfo(program).isFile()) {
        forms_.dialogs->message(forms_.form11->text(QStringLiteral("NeniFunkce")));
        return;
    }
    Exec->startProgram(QStringLiteral("drusko.exe"), QStringLiteral("HOTEL"), folder);
    // The bar program takes the screen: every window of ours goes to the task bar.
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->isVisible())
            window->showMinimized();
}

void TForm1::webAction(const QString& address)
{
    // The request is the order itself; its answer stays visible while the box is open.
    WebChat->Navigate(address);
    forms_.dialogs->message(forms_.form11->text(QStringLiteral("Akceprovedena")));
    forms_.form15->NacistNastaveniClick();
}

void TForm1::TaxiButClick()
{
    webAction(forms_.form15->taxiurl->text());
}

void TForm1::KuryrButClick()
{
    webAction(forms_.form15->kuryrurl->text());
}

void TForm1::KonecButClick()
{
    // Nothing to save: every change was written when it was made. The welcome timer ends the program.
    hide();
    forms_.form6->Stav = QStringLiteral("KONEC");
}

void TForm1::logChanged()
{
    if (trimmingLog_)
        return;
    const QScopedValueRollback guard(trimmingLog_, true);
    QTextDocument* document = log->document();
    while (lineCount(document) >= kMaxLogLines) {
        QTextCursor cursor(document->firstBlock());
        cursor.movePosition(QTextCursor::NextBlock, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}
