#pragma once
// TForm8 ("Vytvoření rezervace"): the create-reservation window. Three steps (guest, days, room),
// each with a step label that holds the step's state as its font colour: red while unfinished,
// green when done. "Zarezervovat!" stores the reservation for the guest card's current guest when
// the room is free on every chosen day and all three labels are green.

#include <QColor>
#include <QLabel>
#include <QStringList>
#include <QWidget>

struct Forms;
class ColorButton;
class QCalendarWidget;
class QListWidget;
class QPushButton;

class TForm8 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm8(Forms& forms, QWidget* parent = nullptr);

    static inline const QColor kStepDone{0x00, 0x80, 0x00};
    static inline const QColor kStepUnfinished{0xFF, 0x00, 0x00};

    // The font colour of a label, the one place a state shown by colour is set and read.
    static void setFontColor(QLabel* label, const QColor& color);
    static QColor fontColor(const QLabel* label);

    // Refused while the guest card holds no stored guest (current guest id 0).
    static inline const QString kNoStoredGuest =
        QStringLiteral("Rezervaci nelze uložit: není zvolen uložený host. Vyberte hosta tlačítkem \"Zvolit Hosta\", "
                       "nového hosta nejprve uložte na kartě hosta.");

    // The step labels and the guest and room labels that the guest picker and the reception
    // window write into.
    QLabel* krok1 = nullptr;
    QLabel* stav1 = nullptr;
    QLabel* krok2 = nullptr;
    QLabel* krok3 = nullptr;
    QLabel* stav3 = nullptr;

    QPushButton* VyberHostaBut = nullptr;
    ColorButton* NovyHostBut = nullptr;
    QCalendarWidget* kalendar = nullptr;
    QListWidget* terminy = nullptr;
    ColorButton* OdebratBut = nullptr;
    ColorButton* VyprazdnitBut = nullptr;
    QPushButton* VyberPokojeBut = nullptr;
    QPushButton* PreloznaJmenoPokoje = nullptr; // never visible
    ColorButton* ZarezervovatBut = nullptr;
    ColorButton* ZrusitBut = nullptr;

    // The chosen room number, 0 while none is chosen.
    int VybranyPokoj = 0;

    void FormShow();
    void VyberHostaButClick();
    void NovyHostButClick();
    void kalendarDblClick();
    void OdebratButClick();
    void VyprazdnitButClick();
    void VyberPokojeButClick();
    // Turns the room number in stav3 into the room's name and makes it the chosen room; a text that
    // is not a number throws and changes nothing.
    void PreloznaJmenoPokojeClick();
    void ZarezervovatButClick();
    void ZrusitButClick();

    // A room handed in by another window (the reception plan's tile, the room window): stav3 gets the
    // number, PreloznaJmenoPokojeClick turns it into the name, and stav3 and krok3 turn green.
    void takeRoom(int room);
    // The room window's "REZERVOVAT": the room becomes the chosen one, also when this window is
    // already open, and the window is shown.
    void showWithRoom(int room);

    // The day list's texts in list order.
    QStringList dayTexts() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    QString messageText(const QString& key) const;
    bool allStepsDone() const;

    Forms& forms_;
};
