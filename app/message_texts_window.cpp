#include "app/message_texts_window.h"

#include "app/forms.h"
#include "widgets/control_builders.h"

#include <QLabel>
#include <QVBoxLayout>

namespace {

struct MessageText
{
    const char16_t* key;
    const char16_t* text;
};

// Key (label name, mixed case as used by the readers) and its text.
constexpr MessageText kTexts[] = {
    {u"pokojnevybran", u"Pokoj nevybrán!"},
    {u"Hostnevybran", u"Host nevybrán!"},
    {u"chyba_kroky", u"Pokoj není možné zarezervovat. Nejsou zvoleny všechny potřebné údaje!"},
    {u"UzTamJe", u"Vybraný pokoj je v některý z dnů již rezervován!"},
    {u"RezervaceOK", u"Rezervace byla úspěšně provedena!"},
    {u"VybranedatumJizExistuje", u"Vybrané datum již existuje!"},
    {u"Akceprovedena", u"Akce byla v pořádku provedena."},
    {u"OpravduSmazat", u"Opravdu si přejete smazat záznam?"},
    {u"Smazano", u"Záznam byl odstraněn."},
    {u"NeniFunkce", u"Danou funkci není možno použít, jelikož nebyl nalezen odpovídající modul."},
    {u"zadnyklient", u"Žádný klient"},
    {u"hostjevpokoji", u"Host je v pokoji"},
    {u"hostnenivpokoji", u"Host není v pokoji"},
    {u"pokojNeexistuje", u"Pokoj neexistuje"},
    {u"PokojJeVolny", u"Pokoj je volný"},
    {u"PokojJeObsazen", u"Pokoj je obsazen"},
    {u"PokojJevUklidu", u"pokoj je v úklidu"},
    {u"PokojJeMimoProvoz", u"Pokoj je mimo provoz"},
    {u"pokojJeVOprave", u"Pokoj je v opravě"},
    {u"PokojJeRezervovan", u"Pokoj je rezervován"},
};

} // namespace

EUnknownMessageText::EUnknownMessageText(const QString& key)
    : std::out_of_range(QStringLiteral("Neznámý text zprávy: %1").arg(key).toStdString())
{
}

TForm11::TForm11(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form11"));
    setWindowTitle(QStringLiteral("Překlady"));
    auto* layout = new QVBoxLayout(this);
    for (const MessageText& entry : kTexts)
        layout->addWidget(Build::label(this, entry.key, QString::fromUtf16(entry.text), {}, Build::kParentFont));
}

QString TForm11::text(const QString& key) const
{
    // Exact match: the keys differ from each other only in spelling, never in letter case alone.
    const auto* label = findChild<QLabel*>(key, Qt::FindDirectChildrenOnly);
    if (!label)
        throw EUnknownMessageText(key);
    return label->text();
}

QStringList TForm11::keys() const
{
    QStringList all;
    for (const MessageText& entry : kTexts)
        all << QString::fromUtf16(entry.key);
    return all;
}
