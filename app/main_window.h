#pragma once
// TForm1: the full-screen main window with the menu of large buttons, the clock, the calendar, the
// chat view and the state panel. It captures the data directory when it is created.

#include "desktop/directory_locator.h"
#include "widgets/color_button.h"
#include "widgets/lcd99.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QWidget>

class Shell;
class TWebBrowser;
struct Forms;

// The "about:" page the chat view shows while no chat server is configured.
QString webChatExplanationPage();

class TForm1 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm1(Forms& forms, QWidget* parent = nullptr);

    // Button handlers, public so that other windows and tests can run them.
    void RecepceButClick();
    void NovyHostButClick();
    void VyberHostaButClick();
    void RezervaceButClick();
    void NastaveniButClick();
    void TiskButClick();
    void WebCamPokojeButClick();
    void UklidButClick();
    void UdrzbaButClick();
    void AktualizaceButClick();
    void BarButClick();
    void TaxiButClick();
    void KuryrButClick();
    void KonecButClick();

    // Printed in the report footer.
    QString programVersion;

    DirectoryLocator dir;
    Shell* Exec;

    ColorButton* RecepceBut;
    ColorButton* NovyHostBut;
    ColorButton* VyberHostaBut;
    ColorButton* RezervaceBut;
    ColorButton* NastaveniBut;
    ColorButton* TiskBut;
    ColorButton* WebCamPokojeBut;
    ColorButton* UklidBut;
    ColorButton* UdrzbaBut;
    ColorButton* AktualizaceBut;
    ColorButton* BarBut;
    ColorButton* TaxiBut;
    ColorButton* KuryrBut;
    ColorButton* KonecBut;
    ColorButton* UcetBut;
    ColorButton* UctyBut;
    ColorButton* TelefonyBut;
    ColorButton* chatposlat;
    QLineEdit* chattext;
    QComboBox* chatkomu;
    TLCD99* hodinky;
    QCalendarWidget* Kalendar;
    TWebBrowser* WebChat;
    // Read-only state panel; it never holds 100 lines (the first line goes whenever it would).
    QPlainTextEdit* log;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void startCompanion(const QString& fileTested, const QString& file, const QString& parameters,
                        const QString& folder);
    void webAction(const QString& address);
    void logChanged();

    Forms& forms_;
    bool trimmingLog_ = false;
};
