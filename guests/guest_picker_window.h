#pragma once
// TForm13 ("Výběr hosta"): the guest picker. Lists the guests of the guest file, all or only the
// accommodated ones (deleted guests never), and chooses a guest (the card's current guest, opened;
// step 1 of the create-reservation window done with the guest's name) or marks one deleted. A tool
// window without a close box, placed over nearly the whole screen whenever it is shown.

#include <QWidget>

struct Forms;
class ColorButton;
class QPushButton;
class QRadioButton;
class QTreeWidget;

class TForm13 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm13(Forms& forms, QWidget* parent = nullptr);

    QRadioButton* vsichni;
    QRadioButton* ubytovani;
    ColorButton* UpravitHostaBut;
    ColorButton* SmazatHostaBut;
    QPushButton* ZobrazitBut;
    ColorButton* OKBut;
    QTreeWidget* klienti;

    // Handlers.
    void FormShow();
    // Fills klienti from the guest file (the radio buttons and the hidden "Zobrazit" run it).
    void ZobrazitButClick();
    void klientiDblClick();
    void UpravitHostaButClick();
    void SmazatHostaButClick();
    void OKButClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void chooseSelected();
    void placeControls();

    Forms& forms_;
};
