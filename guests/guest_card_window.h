#pragma once
// TForm3 ("Karta hosta"): the guest card, one guest of the guest file shown and edited. Its
// current guest id CisloHosta is the program's current guest (0: a new, unsaved guest).

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

struct Forms;

class TForm3 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm3(Forms& forms, QWidget* parent = nullptr);

    // Opens the card for a new guest: empties the fields, CisloHosta 0, the placeholder photo of
    // the data directory loaded, then shows the card. A photo that cannot be loaded throws before
    // the card is shown.
    void openForNewGuest(const QString& dataDirectory);
    // Loads the picture named by FotoPath into foto; throws std::runtime_error naming the file
    // when it cannot be read as a picture (foto keeps its previous picture).
    void loadFoto();

    int CisloHosta = 0;

    QLineEdit* titul;
    QLineEdit* prijmeni;
    QLineEdit* jmeno;
    QLineEdit* jmeno2;
    QLineEdit* telefon;
    QLineEdit* mobil;
    QLineEdit* email;
    QLineEdit* dokladcislo;
    QLineEdit* dokladtyp;
    QPlainTextEdit* poznamka;
    QLineEdit* FotoPath;
    QLabel* foto;

private:
    Forms& forms_;
};
