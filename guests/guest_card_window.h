#pragma once
// TForm3 ("Karta hosta"): the guest card, one guest of the guest file shown and edited. Its
// current guest id CisloHosta is the program's current guest (0: a new, unsaved guest). A tool
// window without a close box, on top of the others and centred; left through its two buttons.
// It reads the guest file only when it becomes visible: a change of CisloHosta while it is open
// changes neither its fields nor its picture.

#include "desktop/file_name_box.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

struct Forms;
struct GuestData;
class ColorButton;
class QPushButton;

class TForm3 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm3(Forms& forms, QWidget* parent = nullptr);

    // The placeholder picture's file name in the data directory.
    static inline const QString kNoFoto = QStringLiteral("nofoto.jpg");

    // Opens the card for a new guest: empties the fields, CisloHosta 0, the placeholder photo of
    // the data directory loaded, then shows the card. A photo that cannot be loaded throws before
    // the card is shown.
    void openForNewGuest(const QString& dataDirectory);
    // Loads the picture named by FotoPath into foto; throws EPhotoError naming the file when it
    // cannot be loaded (foto keeps its previous picture).
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
    FileNameBox* FotoPath;
    QLabel* foto;
    ColorButton* UlozitBut;
    ColorButton* ZrusitBut;
    QPushButton* PoslatEmailBut;
    QPushButton* OdeslanaPostaBut;

    // Handlers.
    void FormShow();
    void UlozitButClick();
    void ZrusitButClick();
    void FotoPathEnter();
    void FotoPathExit();

protected:
    void showEvent(QShowEvent* event) override;

private:
    GuestData cardData() const;
    void showData(const GuestData& data);
    QString placeholderPath() const;

    Forms& forms_;
};
