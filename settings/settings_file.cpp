#include "settings/settings_file.h"

#include "store/ini_file.h"
#include "store/ini_transaction.h"

#include <QFileInfo>

namespace Settings {

namespace {

const QString kGlobal = QStringLiteral("Global");
const QString kFloors = QStringLiteral("Floors");

const QString kAutoCheckUpdates = QStringLiteral("AutoCheckUpdates");
const QString kAutoDownloadReservations = QStringLiteral("AutoDownloadReservations");
const QString kVoiceNavigation = QStringLiteral("VoiceNavigation");
const QString kAutoCheckUpdatesTime = QStringLiteral("AutoCheckUpdatesTime");
const QString kWebUrl = QStringLiteral("WebURL");
const QString kWebPassword = QStringLiteral("WebPassWord");
const QString kTaxiUrl = QStringLiteral("TaxiURL");
const QString kMessengerUrl = QStringLiteral("MessengerURL");
const QString kBarPath = QStringLiteral("BarPath");
const QString kFreeHour = QStringLiteral("FreeHour");
const QString kFreeMin = QStringLiteral("FreeMin");
const QString kWebChatUrl = QStringLiteral("WebChatURL");

QString floorKey(int floor)
{
    return QStringLiteral("Floor%1Name").arg(floor);
}

// Camera1 … Camera15 for index 0 … 14.
QString cameraKey(int index)
{
    return QStringLiteral("Camera%1").arg(index + 1);
}

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

} // namespace

SettingsFile::SettingsFile(const QString& fileName) : fileName_(fileName) {}

SettingsValues SettingsFile::defaults()
{
    SettingsValues v;
    for (int f = 0; f < kFloorCount; ++f)
        v.floorNames[at(f)] = QStringLiteral("Floor %1.").arg(f);
    v.webUrl = kDefaultServerUrl;
    v.webPassword = QStringLiteral("pulo");
    v.taxiUrl = kDefaultServerUrl;
    v.messengerUrl = kDefaultServerUrl;
    v.barPath = kDefaultBarPath;
    v.cameras.fill(kDefaultCameraUrl);
    v.freeHour = QStringLiteral("10");
    v.freeMin = QStringLiteral("00");
    return v;
}

SettingsValues SettingsFile::read() const
{
    const SettingsValues d = defaults();
    const IniSnapshot ini(fileName_);
    SettingsValues v;
    v.autoCheckUpdates = ini.ReadBool(kGlobal, kAutoCheckUpdates, d.autoCheckUpdates);
    v.autoDownloadReservations = ini.ReadBool(kGlobal, kAutoDownloadReservations, d.autoDownloadReservations);
    v.autoCheckUpdatesTime = ini.ReadInteger(kGlobal, kAutoCheckUpdatesTime, d.autoCheckUpdatesTime);
    v.voiceNavigation = ini.ReadBool(kGlobal, kVoiceNavigation, d.voiceNavigation);
    for (int f = 0; f < kFloorCount; ++f)
        v.floorNames[at(f)] = ini.ReadString(kFloors, floorKey(f), d.floorNames[at(f)]);
    v.webUrl = ini.ReadString(kGlobal, kWebUrl, d.webUrl);
    v.webPassword = ini.ReadString(kGlobal, kWebPassword, d.webPassword);
    v.taxiUrl = ini.ReadString(kGlobal, kTaxiUrl, d.taxiUrl);
    v.messengerUrl = ini.ReadString(kGlobal, kMessengerUrl, d.messengerUrl);
    v.barPath = ini.ReadString(kGlobal, kBarPath, d.barPath);
    for (int i = 0; i < kCameraCount; ++i)
        v.cameras[at(i)] = ini.ReadString(kGlobal, cameraKey(i), d.cameras[at(i)]);
    v.freeHour = ini.ReadString(kGlobal, kFreeHour, d.freeHour);
    v.freeMin = ini.ReadString(kGlobal, kFreeMin, d.freeMin);
    v.webChatUrl = ini.ReadString(kGlobal, kWebChatUrl, d.webChatUrl);
    return v;
}

void SettingsFile::write(const SettingsValues& v) const
{
    IniTransaction t(QFileInfo(fileName_).absolutePath());
    const QString& file = fileName_;
    t.WriteBool(file, kGlobal, kAutoCheckUpdates, v.autoCheckUpdates);
    t.WriteBool(file, kGlobal, kAutoDownloadReservations, v.autoDownloadReservations);
    t.WriteBool(file, kGlobal, kVoiceNavigation, v.voiceNavigation);
    t.WriteInteger(file, kGlobal, kAutoCheckUpdatesTime, v.autoCheckUpdatesTime);
    for (int f = 0; f < kFloorCount; ++f)
        t.WriteString(file, kFloors, floorKey(f), v.floorNames[at(f)]);
    t.WriteString(file, kGlobal, kWebUrl, v.webUrl);
    t.WriteString(file, kGlobal, kWebPassword, v.webPassword);
    t.WriteString(file, kGlobal, kTaxiUrl, v.taxiUrl);
    t.WriteString(file, kGlobal, kMessengerUrl, v.messengerUrl);
    t.WriteString(file, kGlobal, kBarPath, v.barPath);
    for (int i = 0; i < kCameraCount; ++i)
        t.WriteString(file, kGlobal, cameraKey(i), v.cameras[at(i)]);
    t.WriteString(file, kGlobal, kFreeHour, v.freeHour);
    t.WriteString(file, kGlobal, kFreeMin, v.freeMin);
    t.WriteString(file, kGlobal, kWebChatUrl, v.webChatUrl);
    t.commit();
}

QStringList SettingsFile::readPlanFloorNames() const
{
    const IniSnapshot ini(fileName_); // the 15 names from one look at the file
    QStringList names;
    names.reserve(kFloorCount);
    for (int f = 0; f < kFloorCount; ++f)
        names << ini.ReadString(kFloors, floorKey(f), QStringLiteral("Floor %1.:").arg(f));
    return names;
}

} // namespace Settings
