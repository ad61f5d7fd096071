#pragma once
// TForm2 ("Kamery"): the cameras window. A band at the top chooses one of 15 cameras; "Obnovit
// obraz" points the browser below at that camera's address from the settings window.

#include <QWidget>

class ColorButton;
class QComboBox;
class TScrewPanel;
class TWebBrowser;
struct Forms;

class TForm2 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(Forms& forms, QWidget* parent = nullptr);

    // Navigates CamWeb to the chosen camera's address; nothing while no item is chosen.
    void ObnovitClick();

    TScrewPanel* ScrewPanel1;
    QComboBox* kamera;
    ColorButton* ObnovitBut;
    TScrewPanel* ScrewPanel2;
    TWebBrowser* CamWeb;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    Forms& forms_;
};
