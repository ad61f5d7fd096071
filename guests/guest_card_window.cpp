#include "guests/guest_card_window.h"

#include <QFormLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>

#include <stdexcept>

namespace {

QLineEdit* edit(QWidget* parent, const char16_t* name)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf16(name));
    return e;
}

} // namespace

TForm3::TForm3(Forms& forms, QWidget* parent)
    : QWidget(parent), titul(edit(this, u"titul")), prijmeni(edit(this, u"prijmeni")), jmeno(edit(this, u"jmeno")),
      jmeno2(edit(this, u"jmeno2")), telefon(edit(this, u"telefon")), mobil(edit(this, u"mobil")),
      email(edit(this, u"email")), dokladcislo(edit(this, u"dokladcislo")), dokladtyp(edit(this, u"dokladtyp")),
      poznamka(new QPlainTextEdit(this)), FotoPath(edit(this, u"FotoPath")), foto(new QLabel(this)), forms_(forms)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Karta hosta"));
    poznamka->setObjectName(QStringLiteral("poznamka"));
    foto->setObjectName(QStringLiteral("foto"));
    foto->setFixedSize(120, 160);
    foto->setScaledContents(true);

    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Titul:"), titul);
    layout->addRow(QStringLiteral("Příjmení:"), prijmeni);
    layout->addRow(QStringLiteral("Jméno:"), jmeno);
    layout->addRow(QStringLiteral("Prostřední jméno:"), jmeno2);
    layout->addRow(QStringLiteral("Telefon:"), telefon);
    layout->addRow(QStringLiteral("Mobil:"), mobil);
    layout->addRow(QStringLiteral("E-Mail:"), email);
    layout->addRow(QStringLiteral("Číslo dokladu:"), dokladcislo);
    layout->addRow(QStringLiteral("Typ dokladu:"), dokladtyp);
    layout->addRow(QStringLiteral("Poznámka:"), poznamka);
    layout->addRow(FotoPath);
    layout->addRow(foto);
}

void TForm3::openForNewGuest(const QString& dataDirectory)
{
    for (QLineEdit* field : {titul, jmeno, jmeno2, prijmeni, telefon, mobil, email, dokladcislo, dokladtyp})
        field->clear();
    poznamka->clear();
    CisloHosta = 0;
    FotoPath->setText(dataDirectory + QStringLiteral("nofoto.jpg"));
    loadFoto();
    show();
}

void TForm3::loadFoto()
{
    const QString path = FotoPath->text();
    const QImage image(path);
    if (image.isNull())
        throw std::runtime_error(QStringLiteral("Obrázek \"%1\" nelze načíst.").arg(path).toStdString());
    foto->setPixmap(QPixmap::fromImage(image));
}
