#include "guests/guest_card_window.h"

#include "app/forms.h"
#include "desktop/file_name_box.h"
#include "desktop/guarded.h"
#include "desktop/guarded_connect.h"
#include "desktop/show_step.h"
#include "guests/guest_file.h"
#include "guests/photo_loader.h"
#include "guests/placeholder_photo.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>

namespace {

// The form's grid: captions right-aligned in a column left of the edits, rows 26 pixels apart;
// the photograph and its file box to the right.
constexpr int kLabelWidth = 122;
constexpr int kEditLeft = 136;
constexpr int kEditWidth = 240;
constexpr int kRowHeight = 21;
constexpr int kRowStep = 26;
constexpr int kTop = 12;
constexpr QRect kFoto{392, 12, 180, 240};

QRect row(int index)
{
    return {kEditLeft, kTop + index * kRowStep, kEditWidth, kRowHeight};
}

} // namespace

TForm3::TForm3(Forms& forms, QWidget* parent)
    : QWidget(parent), titul(Build::labelledEdit(this, u"titul", QStringLiteral("Titul:"), row(0), kLabelWidth)),
      prijmeni(Build::labelledEdit(this, u"prijmeni", QStringLiteral("Příjmení:"), row(1), kLabelWidth)),
      jmeno(Build::labelledEdit(this, u"jmeno", QStringLiteral("Jméno:"), row(2), kLabelWidth)),
      jmeno2(Build::labelledEdit(this, u"jmeno2", QStringLiteral("Prostřední jméno:"), row(3), kLabelWidth)),
      telefon(Build::labelledEdit(this, u"telefon", QStringLiteral("Telefon:"), row(4), kLabelWidth)),
      mobil(Build::labelledEdit(this, u"mobil", QStringLiteral("Mobil:"), row(5), kLabelWidth)),
      email(Build::labelledEdit(this, u"email", QStringLiteral("E-Mail:"), row(6), kLabelWidth)),
      dokladcislo(Build::labelledEdit(this, u"dokladcislo", QStringLiteral("Číslo dokladu:"), row(7), kLabelWidth)),
      dokladtyp(Build::labelledEdit(this, u"dokladtyp", QStringLiteral("Typ dokladu:"), row(8), kLabelWidth)),
      poznamka(Build::memo(this, u"poznamka", {kEditLeft, kTop + 9 * kRowStep, kEditWidth, 112})),
      FotoPath(new FileNameBox(this)), foto(Build::label(this, u"foto", {}, kFoto)),
      UlozitBut(Build::colorButton(this, u"UlozitBut", QStringLiteral("OK / Uložit"), {392, 364, 112, 36}, clYellow)),
      ZrusitBut(Build::colorButton(this, u"ZrusitBut", QStringLiteral("Zrušit"), {508, 364, 64, 36}, clRed)),
      PoslatEmailBut(Build::button(this, u"PoslatEmailBut", QStringLiteral("Poslat e-mail"), {392, 294, 180, 26})),
      OdeslanaPostaBut(Build::button(this, u"OdeslanaPostaBut", QStringLiteral("Odeslaná pošta"), {392, 324, 180, 26})),
      forms_(forms)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Karta hosta"));
    // A tool window with a title but no close box, above the other windows.
    setWindowFlags(Qt::Tool | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(584, 412);

    QLabel* noteLabel = Build::label(this, u"poznamkaLabel", QStringLiteral("Poznámka:"),
                                     {kEditLeft - kLabelWidth - 6, kTop + 9 * kRowStep, kLabelWidth, kRowHeight});
    noteLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    noteLabel->setBuddy(poznamka);
    poznamka->setAccessibleName(QStringLiteral("Poznámka:"));
    poznamka->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    poznamka->setLineWrapMode(QPlainTextEdit::NoWrap);
    poznamka->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    poznamka->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    poznamka->setTabChangesFocus(true);

    FotoPath->setObjectName(QStringLiteral("FotoPath"));
    FotoPath->setGeometry(kFoto.left(), kFoto.bottom() + 9, kFoto.width(), kRowHeight);
    FotoPath->editor()->setAccessibleName(QStringLiteral("Fotografie"));
    FotoPath->dialog.title = QStringLiteral("Fotografie hosta");
    FotoPath->dialog.filter = QStringLiteral("Obrázky (*.jpg *.jpeg *.bmp *.ico);;Všechny soubory (*)");
    FotoPath->dialog.options = OpenFileRequest::HideReadOnly | OpenFileRequest::EnableSizing;

    foto->setScaledContents(true);
    foto->setFrameShape(QFrame::Box);
    foto->setAccessibleName(QStringLiteral("Fotografie hosta"));
    foto->setPixmap(QPixmap::fromImage(drawPlaceholderPhoto(foto->size())));

    PoslatEmailBut->setEnabled(false);
    OdeslanaPostaBut->setEnabled(false);

    // The note first, then the photo box, then the edits from top to bottom.
    QWidget* order[] = {poznamka, FotoPath, titul, prijmeni,    jmeno,    jmeno2,
                        telefon,  mobil,    email, dokladcislo, dokladtyp};
    for (std::size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    guardedConnect(forms_.dialogs, UlozitBut, &ColorButton::clicked, this, &TForm3::UlozitButClick);
    guardedConnect(forms_.dialogs, ZrusitBut, &ColorButton::clicked, this, &TForm3::ZrusitButClick);
    guardedConnect(forms_.dialogs, FotoPath, &FileNameBox::entered, this, &TForm3::FotoPathEnter);
    guardedConnect(forms_.dialogs, FotoPath, &FileNameBox::left, this, &TForm3::FotoPathExit);
}

QString TForm3::placeholderPath() const
{
    return forms_.dataFile(kNoFoto);
}

void TForm3::openForNewGuest(const QString& dataDirectory)
{
    for (QLineEdit* field : {titul, prijmeni, jmeno, jmeno2, telefon, mobil, email, dokladcislo, dokladtyp})
        field->clear();
    poznamka->clear();
    CisloHosta = 0;
    FotoPath->setFileName(dataDirectory + kNoFoto);
    loadFoto();
    show();
}

void TForm3::loadFoto()
{
    const QSize box = foto->size() * foto->devicePixelRatio();
    foto->setPixmap(QPixmap::fromImage(Photo::loadPhoto(FotoPath->FileName(), box)));
}

void TForm3::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    runShowStep(this, event, forms_.dialogs, [this] { FormShow(); }, ShowPlacement::Centred);
}

void TForm3::FormShow()
{
    if (CisloHosta == 0)
        return;
    GuestData data = GuestFile(forms_.dataFile(GuestFile::kFileName)).readData(CisloHosta);
    if (!QFileInfo(data.photo).isFile())
        data.photo = placeholderPath();
    showData(data);
    loadFoto();
}

GuestData TForm3::cardData() const
{
    GuestData d;
    d.titul = titul->text();
    d.firstName = jmeno->text();
    d.middleName = jmeno2->text();
    d.surName = prijmeni->text();
    d.telephone = telefon->text();
    d.cellular = mobil->text();
    d.email = email->text();
    d.idCardNum = dokladcislo->text();
    d.idCardType = dokladtyp->text();
    d.comment = poznamka->toPlainText();
    d.photo = FotoPath->FileName();
    return d;
}

void TForm3::showData(const GuestData& d)
{
    titul->setText(d.titul);
    jmeno->setText(d.firstName);
    jmeno2->setText(d.middleName);
    prijmeni->setText(d.surName);
    telefon->setText(d.telephone);
    mobil->setText(d.cellular);
    email->setText(d.email);
    dokladcislo->setText(d.idCardNum);
    dokladtyp->setText(d.idCardType);
    poznamka->setPlainText(d.comment);
    FotoPath->setFileName(d.photo);
}

void TForm3::UlozitButClick()
{
    const GuestFile guests(forms_.dataFile(GuestFile::kFileName));
    if (CisloHosta == 0)
        CisloHosta = guests.saveNewGuest(cardData());
    else
        guests.saveGuest(CisloHosta, cardData());
    hide();
}

void TForm3::ZrusitButClick()
{
    hide();
}

void TForm3::FotoPathEnter()
{
    loadFoto();
}

void TForm3::FotoPathExit()
{
    loadFoto();
}
