#pragma once
// TForm8 ("Vytvoření rezervace"): the create-reservation window window.

#include <QWidget>

struct Forms;

class TForm8 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm8(Forms& forms, QWidget* parent = nullptr);
};
