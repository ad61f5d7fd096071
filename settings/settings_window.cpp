#include "settings/settings_window.h"

#include "app/camera_window.h"
#include "app/forms.h"
#include "app/main_window.h"
#include "app/web_browser.h"
#include "desktop/dialogs.h"
#include "desktop/folder_picker.h"
#include "desktop/guarded_connect.h"
#include "desktop/shell.h"
#include "rooms/reception_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/lcd99.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

namespace {

const QString kHttp = QStringLiteral("http://");
const QString kZkusit = QStringLiteral("Zkusit...");

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

// The tip of the floor names page.
const QString kFloorsTip = QStringLiteral(
    "TIP: Zde si můžete pojmenovat jednotlivá patra. Máte-li na jednom patře více pokojů, než se vejde do řady, "
    "pojmenujte další patro stejně a zbývající pokoje přidejte na toto patro. K dispozici máte až 15 podlaží. "
    "Počítejte s přízemím a půdou - je-li.");

// "Kamera 1.:" … "Kamera 9.:", "Kamera 10:", "Kamera 11.:" … "Kamera 15.:".
QString cameraCaption(int camera)
{
    return camera == 10 ? QStringLiteral("Kamera 10:") : QStringLiteral("Kamera %1.:").arg(camera);
}

// A caption above its control.
QLabel* caption(QWidget* page, QStringView name, const QString& text, int top)
{
    return Build::label(page, name, text, {16, top, 500, 18});
}

// An edit whose accessible name is what its caption says.
QLineEdit* namedEdit(QWidget* page, QStringView name, const QRect& rect, const QString& accessibleName)
{
    QLineEdit* e = Build::edit(page, name, rect);
    e->setAccessibleName(accessibleName);
    return e;
}

} // namespace

TForm15::TForm15(Forms& forms, QWidget* parent) : QWidget(parent), forms_(forms)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Nastavení systému"));
    setFixedSize(560, 520);

    PageControl1 = Build::pageControl(this, u"PageControl1", {8, 8, 544, 460});
    Vseobecne = Build::page(PageControl1, u"Vseobecne", QStringLiteral("Všeobecné nastavení"));
    Patra = Build::page(PageControl1, u"Patra", QStringLiteral("Patra"));
    Ceniky = Build::page(PageControl1, u"Ceniky", QStringLiteral("Ceníky"));
    Cesty = Build::page(PageControl1, u"Cesty", QStringLiteral("Cesty"));
    Kamery = Build::page(PageControl1, u"Kamery", QStringLiteral("Kamery"));
    buildGeneralPage();
    buildFloorsPage();
    buildPricesPage();
    buildPathsPage();
    buildCamerasPage();

    OKBut = Build::colorButton(this, u"OKBut", QStringLiteral("OK"), {456, 478, 96, 33}, clYellow);
    guardedConnect(forms_.dialogs, OKBut, &ColorButton::clicked, this, &TForm15::OKButClick);

    NacistNastaveni = Build::button(this, u"NacistNastaveni", QStringLiteral("načíst"), {8, 478, 60, 25});
    NacistNastaveni->hide();
    guardedConnect(forms_.dialogs, NacistNastaveni, &QPushButton::clicked, this, &TForm15::NacistNastaveniClick);

    FolderPicker1 = new FolderPicker(this);
    FolderPicker1->setObjectName(QStringLiteral("FolderPicker1"));
}

void TForm15::buildGeneralPage()
{
    QWidget* page = Vseobecne;
    RunOnStartUp = Build::checkBox(page, u"RunOnStartUp", QStringLiteral("Spouštět při startu PC"), {16, 16, 400, 20});
    // Only a person's click (or the load's change of state) registers; a plain setChecked does not.
    guardedConnect(forms_.dialogs, RunOnStartUp, &QCheckBox::clicked, this, &TForm15::RunOnStartUpClick);

    // Stored and shown, but not for changing.
    CheckUpdates =
        Build::checkBox(page, u"CheckUpdates", QStringLiteral("Automaticky zjišťovat nové verze"), {16, 44, 400, 20});
    AutoDownloadReservations = Build::checkBox(
        page, u"AutoDownloadReservations", QStringLiteral("Automaticky stahovat rezervace z webu"), {16, 72, 400, 20});
    QLabel* before = Build::label(page, u"KazdychLabel", QStringLiteral("Každých"), {36, 100, 60, 22});
    autodownloadtime =
        Build::spinBox(page, u"autodownloadtime", {100, 100, 80, 22}, Settings::kMinCheckInterval,
                       Settings::kMaxCheckInterval, Settings::SettingsFile::defaults().autoCheckUpdatesTime);
    Edit1 = autodownloadtime->findChild<QLineEdit*>();
    Edit1->setObjectName(QStringLiteral("Edit1"));
    QLabel* after = Build::label(page, u"vterinLabel", QStringLiteral("vteřin"), {188, 100, 60, 22});
    navigace = Build::checkBox(page, u"navigace", QStringLiteral("Používat hlasovou navigaci"), {16, 132, 400, 20});
    for (QWidget* control : std::initializer_list<QWidget*>{CheckUpdates, AutoDownloadReservations, before,
                                                            autodownloadtime, after, navigace})
        control->setEnabled(false);

    Build::label(page, u"volnoLabel", QStringLiteral("Čas obvyklého uvolnění pokoje:"), {16, 170, 220, 22});
    volnohod = namedEdit(page, u"volnohod", {240, 170, 30, 22}, QStringLiteral("Hodina obvyklého uvolnění pokoje"));
    Build::label(page, u"dvojtecka", QStringLiteral(":"), {273, 170, 8, 22});
    volnomin = namedEdit(page, u"volnomin", {282, 170, 30, 22}, QStringLiteral("Minuta obvyklého uvolnění pokoje"));
    volnohod->setMaxLength(2);
    volnomin->setMaxLength(2);
}

void TForm15::buildFloorsPage()
{
    // floor14 at the top down to floor0 at the bottom, as the floors stand on the plan.
    for (int f = 0; f < Settings::kFloorCount; ++f) {
        const int top = 10 + (Settings::kFloorCount - 1 - f) * 26;
        QLineEdit* field = namedEdit(Patra, QStringLiteral("floor%1").arg(f), {16, top, 220, 22},
                                     QStringLiteral("Název patra %1").arg(f));
        floor[at(f)] = field;
        guardedConnect(forms_.dialogs, field, &QLineEdit::textChanged, this, [this, f] { floorChange(f); });
    }
    tip = Build::label(Patra, u"tip", kFloorsTip, {252, 10, 270, 200});
    tip->setWordWrap(true);
    tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void TForm15::buildPricesPage()
{
    // The page shows the price list controls; none of them acts.
    QWidget* page = Ceniky;
    Build::label(page, u"OznaceniCenyLabel", QStringLiteral("Označení ceny:"), {16, 16, 100, 24});
    CenaPokoje = Build::comboBox(page, u"CenaPokoje", {120, 16, 160, 24}, true);
    CenaPokoje->setEditText(QStringLiteral("STANDARD"));
    PridatBut = Build::button(page, u"PridatBut", QStringLiteral("Přidat"), {290, 16, 80, 24});
    OdebratBut = Build::button(page, u"OdebratBut", QStringLiteral("Odebrat"), {376, 16, 80, 24});
    Build::label(page, u"CenaLabel", QStringLiteral("Cena:"), {16, 52, 100, 24});
    VelikostPokoje = Build::edit(page, u"VelikostPokoje", {120, 52, 160, 24});
    Build::label(page, u"CastkaLabel", QStringLiteral("Částka:"), {16, 90, 100, 40});
    castkadisplej = Build::lcd(page, u"castkadisplej", {120, 90, 200, 40}, 8, QStringLiteral("0"));
    MinusBut = Build::button(page, u"MinusBut", QStringLiteral("-"), {326, 90, 40, 40});
    PlusBut = Build::button(page, u"PlusBut", QStringLiteral("+"), {372, 90, 40, 40});
    UlozitZmenyBut = Build::button(page, u"UlozitZmenyBut", QStringLiteral("Uložit změny"), {120, 146, 140, 28});
    for (QWidget* control : page->findChildren<QWidget*>())
        control->setEnabled(false);
}

void TForm15::buildPathsPage()
{
    QWidget* page = Cesty;
    // An address field behind a fixed "http://", with its test button.
    const auto addressRow = [page](QStringView name, const QString& text, int top, QLineEdit*& field,
                                   QPushButton*& test) {
        caption(page, name.toString() + QStringLiteral("Label"), text, top);
        Build::label(page, name.toString() + QStringLiteral("Http"), kHttp, {16, top + 20, 46, 22});
        field = namedEdit(page, name, {62, top + 20, 344, 22}, text);
        test = Build::button(page, name.toString() + QStringLiteral("Zkusit"), kZkusit, {414, top + 19, 100, 24});
    };

    addressRow(u"weburl", QStringLiteral("URL pro komunikaci s WWW serverem:"), 10, weburl, weburlZkusit);
    caption(page, u"webpasswordLabel", QStringLiteral("Heslo pro komunikaci:"), 60);
    webpassword = namedEdit(page, u"webpassword", {62, 80, 200, 22}, QStringLiteral("Heslo pro komunikaci:"));
    webpassword->setEchoMode(QLineEdit::Password);
    webpassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    addressRow(u"taxiurl", QStringLiteral("URL pro zavolání TAXI:"), 110, taxiurl, taxiurlZkusit);
    addressRow(u"kuryrurl", QStringLiteral("URL pro zavolání kurýra:"), 160, kuryrurl, kuryrurlZkusit);

    // A single "&": the label takes its text literally.
    const QString barCaption = QStringLiteral("Cesta pro spojení se systémem Bar & Restaurace:");
    caption(page, u"barcestaLabel", barCaption, 210);
    barcesta = namedEdit(page, u"barcesta", {16, 230, 390, 22}, barCaption);
    barcestaNajit = Build::button(page, u"barcestaNajit", QStringLiteral("Najít..."), {414, 229, 100, 24});

    addressRow(u"webchatcesta", QStringLiteral("LAN WebChat:"), 260, webchatcesta, webchatcestaZkusit);

    guardedConnect(forms_.dialogs, weburlZkusit, &QPushButton::clicked, this, &TForm15::weburlZkusitClick);
    guardedConnect(forms_.dialogs, taxiurlZkusit, &QPushButton::clicked, this, &TForm15::taxiurlZkusitClick);
    guardedConnect(forms_.dialogs, kuryrurlZkusit, &QPushButton::clicked, this, &TForm15::kuryrurlZkusitClick);
    guardedConnect(forms_.dialogs, barcestaNajit, &QPushButton::clicked, this, &TForm15::barcestaNajitClick);
    guardedConnect(forms_.dialogs, webchatcestaZkusit, &QPushButton::clicked, this, &TForm15::webchatcestaZkusitClick);
}

void TForm15::buildCamerasPage()
{
    for (int n = 1; n <= Settings::kCameraCount; ++n) {
        const int top = 10 + (n - 1) * 26;
        const QString name = QStringLiteral("kamera%1").arg(n);
        Build::label(Kamery, name + QStringLiteral("Label"), cameraCaption(n), {16, top, 80, 22});
        kamera[at(n - 1)] = namedEdit(Kamery, name, {100, top, 306, 22}, cameraCaption(n));
        QPushButton* test = Build::button(Kamery, name + QStringLiteral("Zkusit"), kZkusit, {414, top - 1, 100, 24});
        kameraZkusit[at(n - 1)] = test;
        guardedConnect(forms_.dialogs, test, &QPushButton::clicked, this, [this, n] { kameraZkusitClick(n); });
    }
}

Settings::SettingsFile TForm15::file() const
{
    return Settings::SettingsFile(forms_.dataFile(Settings::SettingsFile::kFileName));
}

Settings::SettingsValues TForm15::values() const
{
    Settings::SettingsValues v;
    v.autoCheckUpdates = CheckUpdates->isChecked();
    v.autoDownloadReservations = AutoDownloadReservations->isChecked();
    v.voiceNavigation = navigace->isChecked();
    v.autoCheckUpdatesTime = autodownloadtime->value();
    for (int f = 0; f < Settings::kFloorCount; ++f)
        v.floorNames[at(f)] = floor[at(f)]->text();
    v.webUrl = weburl->text();
    v.webPassword = webpassword->text();
    v.taxiUrl = taxiurl->text();
    v.messengerUrl = kuryrurl->text();
    v.barPath = barcesta->text();
    for (int i = 0; i < Settings::kCameraCount; ++i)
        v.cameras[at(i)] = kamera[at(i)]->text();
    v.freeHour = volnohod->text();
    v.freeMin = volnomin->text();
    v.webChatUrl = webchatcesta->text();
    return v;
}

void TForm15::showValues(const Settings::SettingsValues& v)
{
    CheckUpdates->setChecked(v.autoCheckUpdates);
    AutoDownloadReservations->setChecked(v.autoDownloadReservations);
    // The spin control keeps its position within its range.
    autodownloadtime->setValue(v.autoCheckUpdatesTime);
    navigace->setChecked(v.voiceNavigation);
    for (int f = 0; f < Settings::kFloorCount; ++f) {
        floor[at(f)]->setText(v.floorNames[at(f)]);
        // Pushed even when the text stayed as it was: the plan may have captioned the label since.
        floorChange(f);
    }
    weburl->setText(v.webUrl);
    webpassword->setText(v.webPassword);
    taxiurl->setText(v.taxiUrl);
    kuryrurl->setText(v.messengerUrl);
    barcesta->setText(v.barPath);
    for (int i = 0; i < Settings::kCameraCount; ++i)
        kamera[at(i)]->setText(v.cameras[at(i)]);
    volnohod->setText(v.freeHour);
    volnomin->setText(v.freeMin);
    webchatcesta->setText(v.webChatUrl);
}

void TForm15::NacistNastaveniClick()
{
    // A state that changes runs the click behaviour, so an existing entry is written again with
    // this program's path. A refused write is reported and the load goes on: the desk needs its settings.
    const bool registered = Registration.isRegistered(kRunName);
    if (RunOnStartUp->isChecked() != registered) {
        RunOnStartUp->setChecked(registered);
        runGuarded(forms_.dialogs, [this] { RunOnStartUpClick(); });
    }

    showValues(file().read());

    TForm1* main = forms_.form1;
    if (!main)
        return;
    const QString chat = webchatcesta->text();
    const bool hasChat = !chat.isEmpty();
    main->WebChat->Navigate(hasChat ? chat : webChatExplanationPage());
    main->chattext->setEnabled(hasChat);
    main->chatkomu->setEnabled(hasChat);
    main->chatposlat->setEnabled(hasChat);
}

void TForm15::OKButClick()
{
    file().write(values());
    hide();
}

void TForm15::FormShow()
{
    PageControl1->setCurrentWidget(Vseobecne);
    NacistNastaveniClick();
}

void TForm15::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runGuarded(forms_.dialogs, [this] { FormShow(); });
}

void TForm15::floorChange(int floor)
{
    if (TForm5* plan = forms_.form5)
        plan->Floor[at(floor)]->setText(this->floor[at(floor)]->text());
}

void TForm15::RunOnStartUpClick()
{
    // The running program, started in the data directory.
    const StartupCommand command{QCoreApplication::applicationFilePath(), forms_.dataDirectory};
    Registration.set(kRunName, command, RunOnStartUp->isChecked(), false);
}

void TForm15::barcestaNajitClick()
{
    if (FolderPicker1->execute())
        barcesta->setText(FolderPicker1->Directory);
}

void TForm15::weburlZkusitClick()
{
    // The password travels as typed, as the server expects it.
    forms_.shell->openUrl(kHttp + weburl->text() + QStringLiteral("?akce=test&password=") + webpassword->text());
}

void TForm15::taxiurlZkusitClick()
{
    forms_.shell->openUrl(kHttp + taxiurl->text() + QStringLiteral("?akce=test"));
}

void TForm15::kuryrurlZkusitClick()
{
    forms_.shell->openUrl(kHttp + kuryrurl->text() + QStringLiteral("?akce=test"));
}

void TForm15::webchatcestaZkusitClick()
{
    TForm1* main = forms_.form1;
    main->WebChat->Navigate(webchatcesta->text());
    main->show();
}

void TForm15::kameraZkusitClick(int camera)
{
    // The camera window's own choice stays as it is.
    TForm2* cameras = forms_.form2;
    cameras->show();
    cameras->CamWeb->Navigate(kamera[at(camera - 1)]->text());
}
