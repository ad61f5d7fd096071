#pragma once
// TForm13 ("Výběr hosta"): the guest picker window.

#include <QWidget>

struct Forms;

class TForm13 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm13(Forms& forms, QWidget* parent = nullptr);
};
