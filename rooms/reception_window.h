#pragma once
// TForm5 ("Recepce"): the reception floor plan of 315 room tiles for the day in Datum.

#include <QDateEdit>
#include <QLabel>
#include <QString>
#include <QWidget>

struct Forms;

class TForm5 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm5(Forms& forms, QWidget* parent = nullptr);

    // "SYSTEM" from creation, "FORM1" when opened from the main window, "REZERVACE" while the
    // create-reservation window is picking a room.
    QString Rezim;
    // The selected day.
    QDateEdit* Datum;
    // Clock, set every second by the welcome timer.
    QLabel* hodinky;

private:
    Forms& forms_;
};
