#pragma once
// TForm7 ("Správa rezervací"): the reservation management menu window.

#include <QWidget>

struct Forms;

class TForm7 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm7(Forms& forms, QWidget* parent = nullptr);
};
