#include "app/main_window.h"

#include "app/camera_window.h"
#include "app/forms.h"
#include "app/message_texts_window.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/guarded_connect.h"
#include "desktop/shell.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "reports/print_outputs_window.h"
#include "reservations/reservation_menu_window.h"
#include "rooms/reception_window.h"
#include "settings/settings_window.h"
#include "widgets/color_button.h"
#include "widgets/gradient_background.h"
#include "widgets/lcd99.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// The face colours of the menu buttons.
constexpr TColor kOrange = rgbColor(0xFF, 0x80, 0x00);
constexpr TColor kViolet = rgbColor(0x80, 0x00, 0xFF);
constexpr TColor kDarkCyan = rgbColor(0x40, 0x80, 0x80);
constexpr TColor kLightGreen = rgbColor(0xA8, 0xFF, 0xA8);
constexpr TColor kLightBlue = rgbColor(0x79, 0xD3, 0xFF);
constexpr TColor kLightOrange = rgbColor(0xFF, 0xCE, 0x9D);
constexpr TColor kPink = rgbColor(0xFF, 0x00, 0x80);
constexpr TColor kLightViolet = rgbColor(0x80, 0x80, 0xFF);
constexpr TColor kBarBlue = rgbColor(0x00, 0x80, 0xFF);

// A screw panel holding one group of controls, optionally with a bold heading at its top left.
TScrewPanel* group(QWidget* parent, const QRect& rect, const QString& heading = {}, TColor face = clBtnFace)
{
    auto* panel = new TScrewPanel(parent);
    panel->setGeometry(rect);
    panel->setColor(face);
    if (!heading.isEmpty()) {
        auto* label = new QLabel(heading, panel);
        label->setGeometry(12, 10, rect.width() - 24, 22);
        label->setStyleSheet(QStringLiteral("font: bold 14px Arial;"));
    }
    return panel;
}

// A colour button with a bold Arial caption.
ColorButton* button(QWidget* parent, const char16_t* name, const QString& caption, const QRect& rect, TColor face,
                    TColor text = clBlack)
{
    auto* b = new ColorButton(parent);
    b->setObjectName(QString::fromUtf16(name));
    b->setCaption(caption);
    b->setGeometry(rect);
    b->setColor(face);
    b->setFontColor(text);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(14);
    font.setBold(true);
    b->setFont(font);
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

    // The whole background: white in the top-left corner to blue in the bottom-right one.
    auto* background = new GradientBackground(this);
    background->setObjectName(QStringLiteral("GradientBackground1"));
    background->setStyle(TGradientBkStyle::gsCornerBottomRight);
    background->setDirection(TGradientDirection::gdDownRight);
    background->setStartColor(clWhite);
    background->setEndColor(rgbColor(0x0D, 0x86, 0xFF));
    background->setAlign(GradientBackground::TAlign::alClient);

    TScrewPanel* cameras = group(this, {8, 8, 169, 121}, QStringLiteral("Kamery:"));
    WebCamPokojeBut = button(cameras, u"WebCamPokojeBut", QStringLiteral("Kamery"), {12, 40, 145, 57}, kOrange);

    TScrewPanel* tools = group(this, {8, 136, 169, 153});
    AktualizaceBut = button(tools, u"AktualizaceBut", QStringLiteral("Aktualizace"), {12, 24, 145, 57}, kViolet);
    TiskBut = button(tools, u"TiskBut", QStringLiteral("Tisk"), {12, 88, 145, 57}, kDarkCyan);

    TScrewPanel* guests = group(this, {184, 8, 161, 281}, QStringLiteral("Hosté:"));
    NovyHostBut = button(guests, u"NovyHostBut", QStringLiteral("Nový host"), {8, 40, 145, 57}, kLightGreen);
    VyberHostaBut = button(guests, u"VyberHostaBut", QStringLiteral("Výběr hosta"), {8, 96, 145, 57}, kLightGreen);
    UcetBut = button(guests, u"UcetBut", QStringLiteral("Účet"), {8, 152, 145, 114}, kLightGreen);

    TScrewPanel* system = group(this, {352, 8, 305, 281}, QStringLiteral("Systém:"));
    UctyBut = button(system, u"UctyBut", QStringLiteral("Účty"), {8, 40, 289, 57}, kLightGreen);
    NastaveniBut = button(system, u"NastaveniBut", QStringLiteral("Nastavení"), {8, 96, 145, 57}, kLightGreen);
    RezervaceBut = button(system, u"RezervaceBut", QStringLiteral("REZERVACE"), {152, 96, 145, 57}, kLightGreen);
    RecepceBut = button(system, u"RecepceBut", QStringLiteral("Recepce"), {8, 152, 289, 65}, clYellow);
    UklidBut = button(system, u"UklidBut", QStringLiteral("Úklid"), {8, 216, 145, 49}, kLightBlue);
    UdrzbaBut = button(system, u"UdrzbaBut", QStringLiteral("Údržba"), {152, 216, 145, 49}, kLightOrange);

    // The clock sits on a plain black panel.
    TScrewPanel* clock = group(this, {664, 16, 161, 57}, {}, clBlack);
    clock->setShowScrews(false);
    hodinky = new TLCD99(clock);
    hodinky->setObjectName(QStringLiteral("hodinky"));
    hodinky->setGeometry(8, 7, 145, 42);
    hodinky->setDigitNum(8);
    hodinky->setValue(QStringLiteral("00:00:00"));

    TScrewPanel* calendar = group(this, {832, 88, 177, 201});
    Kalendar = new QCalendarWidget(calendar);
    Kalendar->setObjectName(QStringLiteral("Kalendar"));
    Kalendar->setGeometry(9, 17, 160, 168);
    Kalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Kalendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    Kalendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Kalendar->setSelectedDate(forms.now().date());

    TScrewPanel* services = group(this, {664, 80, 161, 209});
    TaxiBut = button(services, u"TaxiBut", QStringLiteral("Zavolat TAXI"), {16, 8, 129, 41}, clYellow);
    KuryrBut = button(services, u"KuryrBut", QStringLiteral("Zavolat Kurýra"), {16, 48, 129, 41}, kPink);
    TelefonyBut = button(services, u"TelefonyBut", QStringLiteral("Telefony"), {16, 88, 129, 41}, kLightViolet);
    auto* bevel = new QFrame(services);
    bevel->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    bevel->setGeometry(8, 138, 145, 4);
    BarBut = button(services, u"BarBut", QStringLiteral("Bar a Restaurace"), {8, 152, 145, 41}, kBarBlue);

    TScrewPanel* chatView = group(this, {8, 296, 649, 409}, {}, clWhite);
    WebChat = forms.browsers->create(chatView);
    WebChat->setObjectName(QStringLiteral("WebChat"));
    WebChat->setGeometry(16, 16, 617, 377);

    TScrewPanel* chatInput = group(this, {8, 712, 649, 41});
    chattext = new QLineEdit(chatInput);
    chattext->setObjectName(QStringLiteral("chattext"));
    chattext->setGeometry(16, 5, 433, 26);
    chatkomu = new QComboBox(chatInput);
    chatkomu->setObjectName(QStringLiteral("chatkomu"));
    chatkomu->setEditable(true);
    chatkomu->setGeometry(456, 5, 105, 26);
    chatposlat = button(chatInput, u"chatposlat", QStringLiteral("Poslat"), {568, 8, 65, 25}, clYellow);
    for (QWidget* control : std::initializer_list<QWidget*>{chattext, chatkomu, chatposlat})
        control->setEnabled(false);

    TScrewPanel* state = group(this, {664, 296, 345, 457}, QStringLiteral("Celkový stav:"));
    log = new QPlainTextEdit(state);
    log->setObjectName(QStringLiteral("log"));
    log->setGeometry(8, 48, 329, 393);
    log->setReadOnly(true);
    log->setStyleSheet(QStringLiteral("background: #C0C0C0;"));
    connect(log, &QPlainTextEdit::textChanged, this, &TForm1::logChanged);

    KonecBut = button(this, u"KonecBut", QStringLiteral("Konec"), {832, 16, 169, 65}, clRed, clWhite);

    for (ColorButton* disabled : {UcetBut, UctyBut, TelefonyBut})
        disabled->setEnabled(false);

    const auto wire = [this](ColorButton* b, void (TForm1::*handler)()) {
        guardedConnect(forms_.dialogs, b, &ColorButton::clicked, this, handler);
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
    forms_.dataDirectory = dir.CurrentDirectory();
    programVersion = QStringLiteral("1.0.0.5");
}

void TForm1::showEvent(QShowEvent* event)
{
    // Covers the whole screen whenever it is shown; the controls keep their designed positions.
    if (QScreen* s = screen())
        setGeometry(s->geometry());
    QWidget::showEvent(event);
}

void TForm1::RecepceButClick()
{
    forms_.form5->Rezim = TForm5::kRezimForm1;
    forms_.form5->show();
    move(0, y());
}

void TForm1::NovyHostButClick()
{
    forms_.form3->openForNewGuest(forms_.dataDirectory);
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
    startCompanion(forms_.dataFile(QStringLiteral("pelmor.exe")), QStringLiteral("pelmor.exe"), {}, forms_.dataDirectory);
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
    forms_.form6->Stav = TForm6::kStavKonec;
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
