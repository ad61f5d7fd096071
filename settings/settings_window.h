#pragma once
// TForm15 ("Nastavení systému"): the settings window, whose fields are the live settings of the
// whole program from the first load on. The main window, the camera window and the test buttons
// read the fields directly, each floor name field pushes its text into the reception plan's floor
// label, and the load points the main window's chat view. "OK" saves every field to hotel.ini.

#include "desktop/startup_registration.h"
#include "settings/settings_file.h"

#include <QString>
#include <QWidget>

#include <array>

class ColorButton;
class FolderPicker;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class TLCD99;
struct Forms;

class TForm15 final : public QWidget
{
    Q_OBJECT
public:
    explicit TForm15(Forms& forms, QWidget* parent = nullptr);

    // The name of the start-up entry.
    static inline const QString kRunName = QStringLiteral("Lodgera");

    // Load: the start-up registration first, then every key of hotel.ini into its field, then the
    // main window's chat view and chat controls. Whatever was typed since the last save is lost.
    void NacistNastaveniClick();
    // Save ("OK"): every field into hotel.ini in one transaction, then hide. A failed save leaves
    // the file as it was and the window shown.
    void OKButClick();
    // First page, then load; runs when the window becomes visible.
    void FormShow();
    // The floor name field f changed: the reception plan's floor label f shows its text.
    void floorChange(int floor);
    // Registers the program to start at login (checked) or removes it; a run-once entry goes either way.
    void RunOnStartUpClick();
    // "Najít...": a confirmed folder becomes the bar folder (saved only by "OK").
    void barcestaNajitClick();
    // "Zkusit..." buttons.
    void weburlZkusitClick();
    void taxiurlZkusitClick();
    void kuryrurlZkusitClick();
    void webchatcestaZkusitClick();
    void kameraZkusitClick(int camera); // 1 … 15

    // The fields as a SettingsFile value, and back.
    Settings::SettingsValues values() const;
    void showValues(const Settings::SettingsValues& values);

    QTabWidget* PageControl1;
    QWidget* Vseobecne; // "Všeobecné nastavení"
    QWidget* Patra;
    QWidget* Ceniky;
    QWidget* Cesty;
    QWidget* Kamery;

    // "Všeobecné nastavení"
    QCheckBox* RunOnStartUp;
    QCheckBox* CheckUpdates;
    QCheckBox* AutoDownloadReservations;
    QSpinBox* autodownloadtime;
    QLineEdit* Edit1; // the edit of autodownloadtime
    QCheckBox* navigace;
    QLineEdit* volnohod;
    QLineEdit* volnomin;

    // "Patra": floor0 … floor14, floor14 at the top.
    std::array<QLineEdit*, Settings::kFloorCount> floor{};
    QLabel* tip;

    // "Ceníky": shown, disabled, inert.
    QComboBox* CenaPokoje;
    QLineEdit* VelikostPokoje;
    QPushButton* PridatBut;
    QPushButton* OdebratBut;
    TLCD99* castkadisplej;
    QPushButton* MinusBut;
    QPushButton* PlusBut;
    QPushButton* UlozitZmenyBut;

    // "Cesty"
    QLineEdit* weburl;
    QLineEdit* webpassword;
    QLineEdit* taxiurl;
    QLineEdit* kuryrurl;
    QLineEdit* barcesta;
    QLineEdit* webchatcesta;
    QPushButton* weburlZkusit;
    QPushButton* taxiurlZkusit;
    QPushButton* kuryrurlZkusit;
    QPushButton* barcestaNajit;
    QPushButton* webchatcestaZkusit;

    // "Kamery": kamera1 … kamera15 at 0 … 14, each with its "Zkusit..." button.
    std::array<QLineEdit*, Settings::kCameraCount> kamera{};
    std::array<QPushButton*, Settings::kCameraCount> kameraZkusit{};

    ColorButton* OKBut;
    QPushButton* NacistNastaveni; // never visible

    // Non-visual components.
    StartupRegistration Registration;
    FolderPicker* FolderPicker1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGeneralPage();
    void buildFloorsPage();
    void buildPricesPage();
    void buildPathsPage();
    void buildCamerasPage();
    Settings::SettingsFile file() const;

    Forms& forms_;
};
