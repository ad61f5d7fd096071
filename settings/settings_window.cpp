#include "settings/settings_window.h"

#include "app/forms.h"
#include "app/main_window.h"
#include "app/web_browser.h"

#include <QFormLayout>
#include <QLineEdit>

namespace {

QLineEdit* field(QWidget* parent, const char16_t* name)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromUtf16(name));
    return edit;
}

} // namespace

TForm15::TForm15(Forms& forms, QWidget* parent)
    : QWidget(parent), taxiurl(field(this, u"taxiurl")), kuryrurl(field(this, u"kuryrurl")),
      barcesta(field(this, u"barcesta")), webchatcesta(field(this, u"webchatcesta")), forms_(forms)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Nastavení systému"));
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("URL pro zavolání TAXI:"), taxiurl);
    layout->addRow(QStringLiteral("URL pro zavolání kurýra:"), kuryrurl);
    layout->addRow(QStringLiteral("Cesta pro spojení se systémem Bar && Restaurace:"), barcesta);
    layout->addRow(QStringLiteral("LAN WebChat:"), webchatcesta);
}

void TForm15::NacistNastaveniClick()
{
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
