#pragma once
// TForm10 ("Přehled rezervací"): the list of active reservations with room, guest, days and the
// guest's note; opens the guest card or the room window for the selected reservation. It also
// builds the list the cancel-reservation window copies. Closing it hides it.

#include <QWidget>

struct Forms;
class ColorButton;
class QPushButton;
class QTreeWidget;
class SavedRadioButton;

class TForm10 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm10(Forms& forms, QWidget* parent = nullptr);

    // The list's columns: ID, Pokoj:, Jméno hosta:, Dní:, Poznámka u hosta:.
    enum Column { kId, kPokoj, kJmeno, kDni, kPoznamka, kColumnCount };

    SavedRadioButton* vsechny = nullptr;
    SavedRadioButton* dnesni = nullptr;
    SavedRadioButton* budouci = nullptr;
    QPushButton* ZobrazitBut = nullptr; // never visible
    QTreeWidget* prehled = nullptr;
    QPushButton* UpravitHostaBut = nullptr;
    QPushButton* UpravitPokojBut = nullptr;
    ColorButton* OKBut = nullptr;

    // Builds the reservation list: every active reservation in number order, whichever radio button
    // is selected.
    void ZobrazitButClick();
    void UpravitHostaButClick();
    void UpravitPokojButClick();
    void OKButClick();

    // The reservation number of the selected row, 0 without a selection.
    static int selectedReservation(const QTreeWidget* list);
    // Makes an empty report-view list with the overview's five columns.
    static QTreeWidget* makeReservationList(QWidget* parent, const QRect& rect);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    Forms& forms_;
};
