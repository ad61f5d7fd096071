#pragma once
// TForm2 ("Kamery"): the cameras window.

#include <QWidget>

struct Forms;

class TForm2 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(Forms& forms, QWidget* parent = nullptr);
};
