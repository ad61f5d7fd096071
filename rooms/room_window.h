#pragma once
// TForm4, "Pokoj": one room on the reception plan's day. Sets the room's status for that day (and
// on request as its default), records the guest's arrival and departure, saves the room's name,
// size, price and comment, and starts a reservation for the room. Every action writes at once.

#include "rooms/room_state_file.h"
#include "widgets/colors.h"

#include <QColor>
#include <QDate>
#include <QString>
#include <QWidget>

#include <optional>

struct Forms;
class ColorButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class TLEDButton;
class TLEDMeter;

class TForm4 final : public QWidget
{
    Q_OBJECT

public:
    explicit TForm4(Forms& forms, QWidget* parent = nullptr);

    // The room shown; set by the caller before showing the window.
    int CisloPokoje = 0;

    QLineEdit* JmenoPokoje = nullptr;
    QLineEdit* VelikostPokoje = nullptr;
    QComboBox* CenaPokoje = nullptr;
    QPlainTextEdit* Poznamka = nullptr;
    QLabel* stavpokoje = nullptr;
    QLabel* HostJe = nullptr;
    QLabel* navsteva = nullptr;
    QCheckBox* default_ = nullptr; // the check box "default" ("Jako výchozí nastavení")
    ColorButton* RezervovatBut = nullptr;
    ColorButton* UvioolnitBut = nullptr;
    ColorButton* UkliditBut = nullptr;
    ColorButton* SpravitBut = nullptr;
    ColorButton* OdstavitBut = nullptr;
    ColorButton* ZrusitBut = nullptr;
    ColorButton* PrichodBut = nullptr;
    ColorButton* OdchodBut = nullptr;
    ColorButton* OKBut = nullptr;
    TLEDButton* zamek = nullptr;
    QLabel* zamekstav = nullptr;
    TLEDMeter* LEDMeter1 = nullptr;

    void FormShow();
    void RezervovatButClick();
    void UvioolnitButClick();
    void UkliditButClick();
    void SpravitButClick();
    void OdstavitButClick();
    void ZrusitButClick();
    void PrichodButClick();
    void OdchodButClick();
    void OKButClick();

    // The status panel's colour.
    QColor statusColor() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildControls();
    // The reception plan's selected day, read anew by every action.
    QDate day() const;
    QString messageText(const QString& key) const;
    void setPanel(const QString& caption, TColor color);
    void setHostJe(bool hosted);
    // Shows the caption and colour (when a colour is given), then stores the word for the day, and into
    // DefaultsRooms as well when mayBeDefault and "default" is ticked.
    void setStatus(Rooms::RoomStatus status, const QString& caption, std::optional<TColor> color, bool mayBeDefault);
    void setHosted(bool hosted);

    Forms& forms_;
};
