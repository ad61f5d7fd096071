#pragma once
// TForm4 ("Pokoj"): one room on the day selected in the reception window.

#include <QWidget>

struct Forms;

class TForm4 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm4(Forms& forms, QWidget* parent = nullptr);

    // The room shown, 1 to 315; set by whoever opens the window.
    int CisloPokoje = 0;

private:
    Forms& forms_;
};
