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
#include "widgets/control_builders.h"
#include "widgets/gradient_background.h"
#include "widgets/lcd99.h"
#include "widgets/qt_color.h"
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

constexpr TColor kBackgroundEnd = rgbColor(0x0D, 0x86, 0xFF);
constexpr TColor kLogBackground = clSilver;
const Build::Font kMenuFont{14, true};
// The menu buttons are all as high, the narrow ones as wide.
constexpr int kMenuButtonWidth = 145;
constexpr int kMenuButtonHeight = 57;

constexpr int kMaxLogLines = 100;
constexpr int kClockDigits = 8;

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
    background->setEndColor(kBackgroundEnd);
    background->setAlign(GradientBackground::TAlign::alClient);

    TScrewPanel* cameras = Build::panel(this, u"KameryPanel", {8, 8, 169, 121}, clBtnFace, QStringLiteral("Kamery:"));
    WebCamPokojeBut = Build::colorButton(cameras, u"WebCamPokojeBut", QStringLiteral("Kamery"),
                                         {12, 40, kMenuButtonWidth, kMenuButtonHeight}, kOrange, kMenuFont);

    TScrewPanel* tools = Build::panel(this, u"NastrojePanel", {8, 136, 169, 153});
    AktualizaceBut = Build::colorButton(tools, u"AktualizaceBut", QStringLiteral("Aktualizace"),
                                        {12, 24, kMenuButtonWidth, kMenuButtonHeight}, kViolet, kMenuFont);
    TiskBut = Build::colorButton(tools, u"TiskBut", QStringLiteral("Tisk"),
                                 {12, 88, kMenuButtonWidth, kMenuButtonHeight}, kDarkCyan, kMenuFont);

    TScrewPanel* guests = Build::panel(this, u"HostePanel", {184, 8, 161, 281}, clBtnFace, QStringLiteral("Hosté:"));
    NovyHostBut = Build::colorButton(guests, u"NovyHostBut", QStringLiteral("Nový host"),
                                     {8, 40, kMenuButtonWidth, kMenuButtonHeight}, kLightGreen, kMenuFont);
    VyberHostaBut = Build::colorButton(guests, u"VyberHostaBut", QStringLiteral("Výběr hosta"),
                                       {8, 96, kMenuButtonWidth, kMenuButtonHeight}, kLightGreen, kMenuFont);
    UcetBut = Build::colorButton(guests, u"UcetBut", QStringLiteral("Účet"),
                                 {8, 152, kMenuButtonWidth, 2 * kMenuButtonHeight}, kLightGreen, kMenuFont);

    TScrewPanel* system = Build::panel(this, u"SystemPanel", {352, 8, 305, 281}, clBtnFace, QStringLiteral("Systém:"));
    UctyBut = Build::colorButton(system, u"UctyBut", QStringLiteral("Účty"), {8, 40, 289, kMenuButtonHeight},
                                 kLightGreen, kMenuFont);
    NastaveniBut = Build::colorButton(system, u"NastaveniBut", QStringLiteral("Nastavení"),
                                      {8, 96, kMenuButtonWidth, kMenuButtonHeight}, kLightGreen, kMenuFont);
    RezervaceBut = Build::colorButton(system, u"RezervaceBut", QStringLiteral("REZERVACE"),
                                      {152, 96, kMenuButtonWidth, kMenuButtonHeight}, kLightGreen, kMenuFont);
    RecepceBut =
        Build::colorButton(system, u"RecepceBut", QStringLiteral("Recepce"), {8, 152, 289, 65}, clYellow, kMenuFont);
    UklidBut = Build::colorButton(system, u"UklidBut", QStringLiteral("Úklid"), {8, 216, kMenuButtonWidth, 49},
                                  kLightBlue, kMenuFont);
    UdrzbaBut = Build::colorButton(system, u"UdrzbaBut", QStringLiteral("Údržba"), {152, 216, kMenuButtonWidth, 49},
                                   kLightOrange, kMenuFont);

    // The clock sits on a plain black panel.
    TScrewPanel* clock = Build::panel(this, u"HodinkyPanel", {664, 16, 161, 57}, clBlack);
    clock->setShowScrews(false);
    hodinky = Build::lcd(clock, u"hodinky", {8, 7, 145, 42}, kClockDigits, QStringLiteral("00:00:00"));

    TScrewPanel* calendar = Build::panel(this, u"KalendarPanel", {832, 88, 177, 201});
    Kalendar = new QCalendarWidget(calendar);
    Kalendar->setObjectName(QStringLiteral("Kalendar"));
    Kalendar->setGeometry(9, 17, 160, 168);
    Kalendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Kalendar->setLocale(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    Kalendar->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    Kalendar->setSelectedDate(forms.now().date());

    TScrewPanel* services = Build::panel(this, u"SluzbyPanel", {664, 80, 161, 209});
    TaxiBut =
        Build::colorButton(services, u"TaxiBut", QStringLiteral("Zavolat TAXI"), {16, 8, 129, 41}, clYellow, kMenuFont);
    KuryrBut = Build::colorButton(services, u"KuryrBut", QStringLiteral("Zavolat Kurýra"), {16, 48, 129, 41}, kPink,
                                  kMenuFont);
    TelefonyBut = Build::colorButton(services, u"TelefonyBut", QStringLiteral("Telefony"), {16, 88, 129, 41},
                                     kLightViolet, kMenuFont);
    Build::frame(services, u"Bevel1", {8, 138, 145, 4}, QFrame::HLine, QFrame::Sunken);
    BarBut = Build::colorButton(services, u"BarBut", QStringLiteral("Bar a Restaurace"), {8, 152, 145, 41}, kBarBlue,
                                kMenuFont);

    TScrewPanel* chatView = Build::panel(this, u"WebChatPanel", {8, 296, 649, 409}, clWhite);
    WebChat = forms.browsers->create(chatView);
    WebChat->setObjectName(QStringLiteral("WebChat"));
    WebChat->setGeometry(16, 16, 617, 377);

    TScrewPanel* chatInput = Build::panel(this, u"ChatPanel", {8, 712, 649, 41});
    chattext = Build::edit(chatInput, u"chattext", {16, 5, 433, 26});
    chatkomu = Build::comboBox(chatInput, u"chatkomu", {456, 5, 105, 26}, true);
    chatposlat =
        Build::colorButton(chatInput, u"chatposlat", QStringLiteral("Poslat"), {568, 8, 65, 25}, clYellow, kMenuFont);
    for (QWidget* control : std::initializer_list<QWidget*>{chattext, chatkomu, chatposlat})
        control->setEnabled(false);

    TScrewPanel* state =
        Build::panel(this, u"StavPanel", {664, 296, 345, 457}, clBtnFace, QStringLiteral("Celkový stav:"));
    log = Build::memo(state, u"log", {8, 48, 329, 393});
    log->setReadOnly(true);
    // A style sheet rather than the palette: it also gives the panel its flat grey frame.
    log->setStyleSheet(QStringLiteral("background: %1;").arg(toQColor(kLogBackground).name()));

    KonecBut =
        Build::colorButton(this, u"KonecBut", QStringLiteral("Konec"), {832, 16, 169, 65}, clRed, kMenuFont, clWhite);

    for (ColorButton* disabled : {UcetBut, UctyBut, TelefonyBut})
        disabled->setEnabled(false);

    Dialogs* dialogs = forms_.dialogs;
    guardedConnect(dialogs, log, &QPlainTextEdit::textChanged, this, &TForm1::logChanged);
    guardedConnect(dialogs, RecepceBut, &ColorButton::clicked, this, &TForm1::RecepceButClick);
    guardedConnect(dialogs, NovyHostBut, &ColorButton::clicked, this, &TForm1::NovyHostButClick);
    guardedConnect(dialogs, VyberHostaBut, &ColorButton::clicked, this, &TForm1::VyberHostaButClick);
    guardedConnect(dialogs, RezervaceBut, &ColorButton::clicked, this, &TForm1::RezervaceButClick);
    guardedConnect(dialogs, NastaveniBut, &ColorButton::clicked, this, &TForm1::NastaveniButClick);
    guardedConnect(dialogs, TiskBut, &ColorButton::clicked, this, &TForm1::TiskButClick);
    guardedConnect(dialogs, WebCamPokojeBut, &ColorButton::clicked, this, &TForm1::WebCamPokojeButClick);
    guardedConnect(dialogs, UklidBut, &ColorButton::clicked, this, &TForm1::UklidButClick);
    guardedConnect(dialogs, UdrzbaBut, &ColorButton::clicked, this, &TForm1::UdrzbaButClick);
    guardedConnect(dialogs, AktualizaceBut, &ColorButton::clicked, this, &TForm1::AktualizaceButClick);
    guardedConnect(dialogs, BarBut, &ColorButton::clicked, this, &TForm1::BarButClick);
    guardedConnect(dialogs, TaxiBut, &ColorButton::clicked, this, &TForm1::TaxiButClick);
    guardedConnect(dialogs, KuryrBut, &ColorButton::clicked, this, &TForm1::KuryrButClick);
    guardedConnect(dialogs, KonecBut, &ColorButton::clicked, this, &TForm1::KonecButClick);

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
    startCompanion(forms_.dataFile(QStringLiteral("pelmor.exe")), QStringLiteral("pelmor.exe"), {},
                   forms_.dataDirectory);
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
