#pragma once
// SettingsFile: hotel.ini, the settings of the whole program in the sections Global and Floors.
// The settings window loads every key with its default and saves every key in one fixed order;
// the reception plan reads the floor names with defaults of its own.

#include <QString>
#include <QStringList>

#include <array>

namespace Settings {

inline constexpr int kFloorCount = 15;
inline constexpr int kCameraCount = 15;
// The range the check interval is kept in by its spin control.
inline constexpr int kMinCheckInterval = 60;
inline constexpr int kMaxCheckInterval = 32767;

// Every value of hotel.ini, as the settings window shows it.
struct SettingsValues
{
    bool autoCheckUpdates = false;
    bool autoDownloadReservations = false;
    bool voiceNavigation = false;
    int autoCheckUpdatesTime = 3600;             // seconds
    std::array<QString, kFloorCount> floorNames; // Floor0Name … Floor14Name
    QString webUrl;
    QString webPassword;
    QString taxiUrl;
    QString messengerUrl;
    QString barPath;
    std::array<QString, kCameraCount> cameras; // Camera1 … Camera15
    QString freeHour;
    QString freeMin;
    QString webChatUrl;
};

class SettingsFile final
{
public:
    static inline const QString kFileName = QStringLiteral("hotel.ini");

    // The one address of the web server, the taxi and the courier service: without a scheme, so
    // that it works behind the "http://" of the test buttons and unchanged in a web view, which
    // reads it as an http address.
    static inline const QString kDefaultServerUrl = QStringLiteral("www.lodgera.example/hotel/spojeni.php");
    // The picture every camera shows until the hotel enters its own cameras.
    static inline const QString kDefaultCameraUrl = QStringLiteral("http://www.lodgera.example/webcam/snimek.jpg");
    // Where the bar and restaurant program (drusko.exe) is installed.
    static inline const QString kDefaultBarPath = QStringLiteral("/opt/drusko");

    // fileName: the full path of hotel.ini in the data directory.
    explicit SettingsFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }

    // What a load shows for a missing file or key.
    static SettingsValues defaults();

    // Every key, each with its default where it is missing, from one version of the file.
    SettingsValues read() const;

    // Every key in the write order (Global's options, the floors, the addresses, the cameras, the
    // release time, the chat), all or nothing: a failed save raises EIniFileError and leaves the
    // file as it was.
    void write(const SettingsValues& values) const;

    // The floor names as the reception plan captions its rows: default "Floor " + f + ".:".
    QStringList readPlanFloorNames() const;

private:
    QString fileName_;
};

} // namespace Settings
