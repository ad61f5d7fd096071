#pragma once
// TForm9 ("Zrušení rezervace"): lists the active reservations (a copy of the overview's list) and
// cancels the selected one at once: the room is freed on its days and gets its default status back,
// the reservation is marked cancelled and the guest's accommodated flag updated, in one transaction.

#include <QWidget>

struct Forms;
class ColorButton;
class QTreeWidget;

class TForm9 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm9(Forms& forms, QWidget* parent = nullptr);

    QTreeWidget* prehled = nullptr;
    ColorButton* ZrusitRezervaciBut = nullptr;
    ColorButton* OKBut = nullptr;

    // Has the overview build its list and copies every row.
    void FormShow();
    void ZrusitRezervaciButClick();
    void OKButClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Forms& forms_;
};
