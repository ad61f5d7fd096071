#pragma once
// TForm7 ("Správa rezervací"): the reservation management menu, leading to the overview and to the
// create, cancel and web windows.

#include <QWidget>

struct Forms;
class ColorButton;

class TForm7 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm7(Forms& forms, QWidget* parent = nullptr);

    ColorButton* RezervaceBut = nullptr;
    ColorButton* VytvoritRezervaciBut = nullptr;
    ColorButton* ZrusitRezervaciBut = nullptr;
    ColorButton* RezervaceZWebuBut = nullptr;
    ColorButton* OKBut = nullptr;

    void RezervaceButClick();
    void VytvoritRezervaciButClick();
    void ZrusitRezervaciButClick();
    void RezervaceZWebuButClick();
    void OKButClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    Forms& forms_;
};
