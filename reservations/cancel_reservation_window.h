#pragma once
// TForm9 ("Zrušení rezervace"): the cancel-reservation window window.

#include <QWidget>

struct Forms;

class TForm9 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm9(Forms& forms, QWidget* parent = nullptr);
};
