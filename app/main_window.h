#pragma once
// TForm1: the full-screen main window with the menu of large buttons, the clock, the calendar, the
// chat view and the state panel. It captures the data directory when it is created.

#include "desktop/directory_locator.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
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

    // The working directory at creation, ending in "/"; data files are this followed by their name.
    QString dataDirectory;
    // Printed in the report footer.
    QString programVersion;

    DirectoryLocator dir;
    Shell* Exec;

    QPushButton* RecepceBut;
    QPushButton* NovyHostBut;
    QPushButton* VyberHostaBut;
    QPushButton* RezervaceBut;
    QPushButton* NastaveniBut;
    QPushButton* TiskBut;
    QPushButton* WebCamPokojeBut;
    QPushButton* UklidBut;
    QPushButton* UdrzbaBut;
    QPushButton* AktualizaceBut;
    QPushButton* BarBut;
    QPushButton* TaxiBut;
    QPushButton* KuryrBut;
    QPushButton* KonecBut;
    QPushButton* UcetBut;
    QPushButton* UctyBut;
    QPushButton* TelefonyBut;
    QPushButton* chatposlat;
    QLineEdit* chattext;
    QComboBox* chatkomu;
    QLabel* hodinky;
    QCalendarWidget* Kalendar;
    TWebBrowser* WebChat;
    // Read-only state panel; it never holds 100 lines (the first line goes whenever it would).
    QPlainTextEdit* log;

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void startCompanion(const QString& fileTested, const QString& file, const QString& parameters,
                        const QString& folder);
    void webAction(const QString& address);
    void logChanged();

    Forms& forms_;
    bool trimmingLog_ = false;
};
