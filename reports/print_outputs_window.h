#pragma once
// TForm17 ("Tiskové výstupy"): the print outputs window (the guest book as a PDF file).

#include <QWidget>

struct Forms;

class TForm17 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm17(Forms& forms, QWidget* parent = nullptr);
};
