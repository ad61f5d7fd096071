#pragma once
// TForm15 ("Nastavení systému"): the settings window, whose fields are the live settings of the
// whole program. The main window reads taxiurl, kuryrurl and barcesta directly; the load applies
// webchatcesta to the main window's chat view.

#include <QLineEdit>
#include <QWidget>

struct Forms;

class TForm15 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm15(Forms& forms, QWidget* parent = nullptr);

    // Load: fills the fields and points the main window's chat view at the chat address (chat
    // controls enabled) or, without one, at the explanatory page (chat controls disabled).
    void NacistNastaveniClick();

    QLineEdit* taxiurl;
    QLineEdit* kuryrurl;
    QLineEdit* barcesta;
    QLineEdit* webchatcesta;

private:
    Forms& forms_;
};
