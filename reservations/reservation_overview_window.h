#pragma once
// TForm10 ("Přehled rezervací"): the reservation overview window.

#include <QWidget>

struct Forms;

class TForm10 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm10(Forms& forms, QWidget* parent = nullptr);
};
