#pragma once
// TForm14 ("Synchronizace rezervací s WWW serverem"): the screen for importing reservations made on
// the web. Its controls are laid out, but no import exists: only "OK" acts (it hides the window);
// the HTTP client is created with the window and never sends anything.

#include <QWidget>

struct Forms;
class ColorButton;
class QCalendarWidget;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class TNMHTTP;

class TForm14 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm14(Forms& forms, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QListWidget* ListBox1 = nullptr;
    ColorButton* PotvrditKlientoviBut = nullptr;
    ColorButton* NacistBut = nullptr;
    ColorButton* VytvoritKlientaBut = nullptr;
    ColorButton* ZamitnoutRezervaciBut = nullptr;
    ColorButton* VytvoritRezervaciBut = nullptr;
    QLabel* Label11 = nullptr;
    QCalendarWidget* MonthCalendar1 = nullptr;
    QLabel* Label12 = nullptr;
    QCalendarWidget* MonthCalendar2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    ColorButton* OKBut = nullptr;
    TNMHTTP* NMHTTP1 = nullptr;

    void OKButClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Forms& forms_;
};
