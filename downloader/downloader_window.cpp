#include "downloader/downloader_window.h"

#include "desktop/dialogs.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "downloader/destination.h"
#include "downloader/progress.h"
#include "net/http_client.h"
#include "widgets/control_builders.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFont>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QShowEvent>

namespace downloader {

namespace {

constexpr int kClientWidth = 450;
constexpr int kClientHeight = 236;
constexpr int kLeft = 12;
constexpr int kTextWidth = 425;
// What the address and destination labels show before the window is shown.
const QString kNone = QStringLiteral("none");

constexpr int kButtonTop = 174;
constexpr int kButtonHeight = 49;
constexpr int kWideButtonWidth = 137;
constexpr int kOkButtonWidth = 89;
constexpr int kButtonGap = 10;
// MS Sans Serif where it is installed; the system's sans serif face otherwise.
const Build::Font kButtonFont{23, true, QStringLiteral("MS Sans Serif")};

// One of the window's buttons, with their common look: bold 23-pixel caption, black border,
// one-pixel bevel, contrasts 5 and 6, no gradient, no timer.
Button* windowButton(QWidget* parent, QStringView name, const QString& caption, const QRect& rect, TColor face)
{
    Button* button = Build::colorButton(parent, name, caption, rect, face, kButtonFont, clBtnText);
    QFont font = button->font();
    font.setStyleHint(QFont::SansSerif);
    button->setFont(font);
    button->setFixedSize(rect.size());
    button->setGradientStyle(TButtonGradientStyle::gsNone);
    button->setBevelWidth(1);
    button->setBorderColor(clBlack);
    button->setContrastHighlight(5);
    button->setContrastShadow(6);
    button->setAllowTimer(false);
    return button;
}

} // namespace

const QString TForm1::Caption = QStringLiteral("Dowloader - by the Lodgera team, www.lodgera.example - Freeware");

TForm1::TForm1(Dialogs& dialogs, QString argument, QWidget* parent)
    : QWidget(parent, Qt::Tool), dialogs_(dialogs), argument_(std::move(argument))
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(Caption);
    setFixedSize(kClientWidth, kClientHeight);
    // The program ends through programEnded, after a transfer has unwound, not when the window hides.
    setAttribute(Qt::WA_QuitOnClose, false);

    GroupBox1 = new QGroupBox(QStringLiteral(" Downloader: "), this);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(0, 0, kClientWidth, kClientHeight);

    Label1 = Build::label(GroupBox1, u"Label1", QStringLiteral("Downloaded file:"), {kLeft, 24, kTextWidth, 16},
                          Build::kParentBold);
    DownFile = Build::label(GroupBox1, u"DownFile", kNone, {kLeft, 42, kTextWidth, 16}, Build::kParentFont);
    Label2 = Build::label(GroupBox1, u"Label2", QStringLiteral("Destination file:"), {kLeft, 68, kTextWidth, 16},
                          Build::kParentBold);
    Nazev = Build::label(GroupBox1, u"Nazev", kNone, {kLeft, 86, kTextWidth, 16}, Build::kParentFont);

    ProgressBar1 = new TransferProgressBar(GroupBox1);
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setGeometry(kLeft, 116, kTextWidth, 22);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);

    StartBut = windowButton(GroupBox1, u"StartBut", QStringLiteral("START"),
                            {kLeft, kButtonTop, kWideButtonWidth, kButtonHeight}, clLime);
    StopBut = windowButton(GroupBox1, u"StopBut", QStringLiteral("STOP"),
                           {kLeft + kWideButtonWidth + kButtonGap, kButtonTop, kWideButtonWidth, kButtonHeight}, clRed);
    StopBut->setEnabled(false);
    OKBut = windowButton(GroupBox1, u"OKBut", QStringLiteral("OK"),
                         {kLeft + kTextWidth - kOkButtonWidth, kButtonTop, kOkButtonWidth, kButtonHeight}, clYellow);

    NMHTTP1 = new TNMHTTP(this);
    NMHTTP1->setObjectName(QStringLiteral("NMHTTP1"));
    NMHTTP1->InputFileMode = true;
    NMHTTP1->OutputFileMode = true;
    NMHTTP1->Body = QStringLiteral("Default.htm");
    NMHTTP1->Header = QStringLiteral("Head.txt");
    NMHTTP1->Port = 0;
    NMHTTP1->ProxyPort = 0;
    NMHTTP1->ReportLevel = 0;
    NMHTTP1->OnPacketRecvd = [this](QObject*) { NMHTTP1PacketRecvd(); };
    NMHTTP1->OnSuccess = [this](TCmdType) { NMHTTP1Success(); };
    // The waits of a transfer run the window's events: repaints, STOP and OK.
    NMHTTP1->EventPump = [] { QCoreApplication::processEvents(QEventLoop::AllEvents); };

    guardedConnect(&dialogs_, StartBut, &Button::clicked, this, &TForm1::StartButClick);
    guardedConnect(&dialogs_, StopBut, &Button::clicked, this, &TForm1::StopButClick);
    guardedConnect(&dialogs_, OKBut, &Button::clicked, this, &TForm1::OKButClick);
}

TForm1::~TForm1() = default;

void TForm1::FormShow()
{
    DownFile->setText(argument_);
    Nazev->setText(destinationPath(DirectoryLocator1.CurrentDirectory(), argument_));
}

void TForm1::StartButClick()
{
    // A click that arrives while an earlier transfer is still unwinding starts nothing.
    if (transferring_)
        return;
    if (DownFile->text().isEmpty()) {
        dialogs_.message(QStringLiteral("URL to download not Found!"));
        return;
    }
    if (Nazev->text() == kNone) {
        dialogs_.message(QStringLiteral("Destination filename not correct!"));
        return;
    }
    StartBut->setEnabled(false);
    StopBut->setEnabled(true);
    NMHTTP1->Body = Nazev->text();
    transferring_ = true;
    ProgressBar1->setTransferActive(true);
    runGuarded(&dialogs_, [this] { NMHTTP1->Get(DownFile->text()); });
    ProgressBar1->setTransferActive(false);
    transferring_ = false;
    if (closed_)
        endProgram();
}

void TForm1::StopButClick()
{
    StartBut->setEnabled(true);
    StopBut->setEnabled(false);
    NMHTTP1->Abort();
}

void TForm1::OKButClick()
{
    StopButClick();
    close();
}

void TForm1::NMHTTP1PacketRecvd()
{
    const ProgressRange range = progressRange(NMHTTP1->ContentLength, NMHTTP1->ReceivedBytes);
    ProgressBar1->setMaximum(range.maximum);
    ProgressBar1->setValue(range.position);
}

void TForm1::NMHTTP1Success()
{
    ProgressBar1->setValue(0);
    StartBut->setEnabled(true);
    StopBut->setEnabled(false);
    dialogs_.message(QStringLiteral("Download Complete!"));
}

void TForm1::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (event->spontaneous())
        return;
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    FormShow();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    event->accept();
    // Closed by its title bar as well as by OK: a running transfer stops and the program ends once
    // it has unwound (its error box included).
    if (transferring_) {
        StopButClick();
        closed_ = true;
    } else {
        endProgram();
    }
}

void TForm1::endProgram()
{
    if (ended_)
        return;
    ended_ = true;
    emit programEnded();
}

} // namespace downloader
