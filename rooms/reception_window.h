#pragma once
// TForm5, "Recepce": the floor plan of the house on one day, 315 room tiles coloured by status with
// a count per status; reloads from Rooms.dat every second while it is the active window, and opens
// the room window for a clicked tile.

#include "rooms/reception_clock.h" // complete: the welcome timer sets hodinky
#include "rooms/room_state_file.h"

#include <QDateEdit>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <array>

struct Forms;
class ColorButton;
class QPushButton;
class QTimer;
class TScrewPanel;

class TForm5 final : public QWidget
{
    Q_OBJECT

public:
    explicit TForm5(Forms& forms, QWidget* parent = nullptr);

    // Tile pN for room N (1 … 315).
    TScrewPanel* tile(int room) const { return p[static_cast<std::size_t>(room - 1)]; }

    // Tiles repaint only when their caption or colour changes, so a reload that changes nothing paints nothing.
    std::array<TScrewPanel*, Rooms::kRoomCount> p{}; // p1 … p315
    std::array<QLabel*, Rooms::kFloorCount> Floor{}; // Floor0 … Floor14
    QDateEdit* Datum = nullptr;
    QPushButton* NacistBut = nullptr;
    ColorButton* OKBut = nullptr;
    ColorButton* DokovatBut = nullptr;
    QTimer* Timer1 = nullptr;
    ReceptionClock* hodinky = nullptr; // clock, set every second by the welcome timer
    QLabel* volno_label = nullptr;
    QLabel* volno_labelx = nullptr;
    QLabel* plno_label = nullptr;
    QLabel* plno_labelx = nullptr;
    QLabel* oprava_label = nullptr;
    QLabel* oprava_labelx = nullptr;
    QLabel* uklid_label = nullptr;
    QLabel* uklid_labelx = nullptr;
    QLabel* mimo_label = nullptr;
    QLabel* mimo_labelx = nullptr;
    QLabel* nic_label = nullptr;
    QLabel* nic_labelx = nullptr;
    QLabel* rezervace_label = nullptr;
    QLabel* rezervace_labelx = nullptr;

    // "SYSTEM" from creation, "FORM1" from the main window, "REZERVACE" while a room is being
    // picked for a new reservation; only "REZERVACE" changes behaviour.
    QString Rezim;
    static inline const QString kRezimSystem = QStringLiteral("SYSTEM");
    static inline const QString kRezimForm1 = QStringLiteral("FORM1");
    static inline const QString kRezimRezervace = QStringLiteral("REZERVACE");

    void FormCreate();
    void FormShow();
    void NacistStav();
    void NacistButClick();
    void Timer1Timer();
    void pClick(int room);
    void FloorClick(int floor);
    void OKButClick();
    void DokovatButClick();

    // The counter label of a status word.
    QLabel* counter(Rooms::RoomStatus status) const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();

    Forms& forms_;
};
