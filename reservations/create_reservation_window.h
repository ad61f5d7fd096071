#pragma once
// TForm8 ("Vytvoření rezervace"): the create-reservation window. Its step labels hold each step's
// state as their font colour: red while unfinished, green when done.

#include <QColor>
#include <QLabel>
#include <QWidget>

struct Forms;

class TForm8 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm8(Forms& forms, QWidget* parent = nullptr);

    static inline const QColor kStepDone{0x00, 0x80, 0x00};
    static inline const QColor kStepUnfinished{0xFF, 0x00, 0x00};

    // The step labels and the guest and room labels that the guest picker and the reception
    // window write into.
    QLabel* krok1 = nullptr;
    QLabel* stav1 = nullptr;
    QLabel* krok2 = nullptr;
    QLabel* krok3 = nullptr;
    QLabel* stav3 = nullptr;

    // The chosen room number, 0 while none is chosen.
    int VybranyPokoj = 0;

private:
    Forms& forms_;
};
