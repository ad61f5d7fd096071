#include "settings/settings_file.h"

#include "store/ini_file.h"
#include "store/ini_store.h"
#include "tests/support/qt_print.h"

#include <QByteArray>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>
#include <optional>
#include <ostream>

using Settings::SettingsFile;
using Settings::SettingsValues;

namespace {

class SettingsFileTest : public ::testing::Test
{
protected:
    QString path() const { return dir.path() + QStringLiteral("/") + SettingsFile::kFileName; }
    SettingsFile file() const { return SettingsFile(path()); }
    QByteArray bytes() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void put(const QByteArray& content) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(content), content.size());
    }

    QTemporaryDir dir;
};

void expectSame(const SettingsValues& a, const SettingsValues& b)
{
    EXPECT_EQ(a.autoCheckUpdates, b.autoCheckUpdates);
    EXPECT_EQ(a.autoDownloadReservations, b.autoDownloadReservations);
    EXPECT_EQ(a.voiceNavigation, b.voiceNavigation);
    EXPECT_EQ(a.autoCheckUpdatesTime, b.autoCheckUpdatesTime);
    EXPECT_EQ(a.floorNames, b.floorNames);
    EXPECT_EQ(a.webUrl, b.webUrl);
    EXPECT_EQ(a.webPassword, b.webPassword);
    EXPECT_EQ(a.taxiUrl, b.taxiUrl);
    EXPECT_EQ(a.messengerUrl, b.messengerUrl);
    EXPECT_EQ(a.barPath, b.barPath);
    EXPECT_EQ(a.cameras, b.cameras);
    EXPECT_EQ(a.freeHour, b.freeHour);
    EXPECT_EQ(a.freeMin, b.freeMin);
    EXPECT_EQ(a.webChatUrl, b.webChatUrl);
}

TEST_F(SettingsFileTest, MissingFileGivesTheDefaults)
{
    const SettingsValues v = file().read();
    EXPECT_FALSE(v.autoCheckUpdates);
    EXPECT_FALSE(v.autoDownloadReservations);
    EXPECT_FALSE(v.voiceNavigation);
    EXPECT_EQ(v.autoCheckUpdatesTime, 3600);
    EXPECT_EQ(v.floorNames[0], QStringLiteral("Floor 0."));
    EXPECT_EQ(v.floorNames[14], QStringLiteral("Floor 14."));
    EXPECT_EQ(v.webPassword, QStringLiteral("pulo"));
    // One server address for all three services; one camera picture for all fifteen.
    EXPECT_FALSE(v.webUrl.isEmpty());
    EXPECT_EQ(v.taxiUrl, v.webUrl);
    EXPECT_EQ(v.messengerUrl, v.webUrl);
    EXPECT_EQ(v.barPath, QStringLiteral("/opt/drusko"));
    for (const QString& camera : v.cameras)
        EXPECT_EQ(camera, SettingsFile::kDefaultCameraUrl);
    EXPECT_EQ(v.freeHour, QStringLiteral("10"));
    EXPECT_EQ(v.freeMin, QStringLiteral("00"));
    EXPECT_TRUE(v.webChatUrl.isEmpty());
    expectSame(v, SettingsFile::defaults());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SettingsFileTest, DefaultServerAddressCarriesNoSchemeSoTheTestButtonsCanPutOneInFront)
{
    EXPECT_FALSE(SettingsFile::kDefaultServerUrl.contains(QStringLiteral("://")));
    EXPECT_TRUE(SettingsFile::kDefaultCameraUrl.startsWith(QStringLiteral("http://")));
}

TEST_F(SettingsFileTest, FirstSaveWritesGlobalThenFloorsInTheWriteOrder)
{
    SettingsValues v = SettingsFile::defaults();
    v.autoDownloadReservations = true;
    v.autoCheckUpdatesTime = 120;
    v.floorNames[0] = QStringLiteral("Přízemí");
    v.cameras[14] = QStringLiteral("http://10.0.0.15/snap.jpg");
    file().write(v);

    QByteArray expected = "[Global]\r\nAutoCheckUpdates=0\r\nAutoDownloadReservations=1\r\nVoiceNavigation=0\r\n"
                          "AutoCheckUpdatesTime=120\r\n";
    const QByteArray server = SettingsFile::kDefaultServerUrl.toLatin1();
    expected += "WebURL=" + server + "\r\nWebPassWord=pulo\r\nTaxiURL=" + server + "\r\nMessengerURL=" + server +
                "\r\nBarPath=/opt/drusko\r\n";
    for (int n = 1; n <= 14; ++n)
        expected += "Camera" + QByteArray::number(n) + "=" + SettingsFile::kDefaultCameraUrl.toLatin1() + "\r\n";
    expected += "Camera15=http://10.0.0.15/snap.jpg\r\nFreeHour=10\r\nFreeMin=00\r\nWebChatURL=\r\n";
    // Floor names in Windows-1250, as every data file.
    expected += "[Floors]\r\nFloor0Name=P\xF8\xEDzem\xED\r\n";
    for (int f = 1; f <= 14; ++f)
        expected += "Floor" + QByteArray::number(f) + "Name=Floor " + QByteArray::number(f) + ".\r\n";
    EXPECT_EQ(bytes(), expected);
}

TEST_F(SettingsFileTest, SavedValuesReadBackAsTyped)
{
    SettingsValues v;
    v.autoCheckUpdates = true;
    v.autoDownloadReservations = true;
    v.voiceNavigation = true;
    v.autoCheckUpdatesTime = 32767;
    for (int f = 0; f < Settings::kFloorCount; ++f)
        v.floorNames[static_cast<std::size_t>(f)] = QStringLiteral("Patro č. %1 ").arg(f);
    v.webUrl = QStringLiteral("192.168.1.5/rezervace.php");
    v.webPassword = QStringLiteral("heslo&x=1");
    v.taxiUrl = QStringLiteral("taxi.example/objednat?auto=1");
    v.messengerUrl = QStringLiteral("kuryr.example/volat");
    v.barPath = QStringLiteral("/srv/bar a restaurace");
    for (int i = 0; i < Settings::kCameraCount; ++i)
        v.cameras[static_cast<std::size_t>(i)] = QStringLiteral("http://10.0.0.%1/live").arg(i + 1);
    v.freeHour = QStringLiteral("9");
    v.freeMin = QString();
    v.webChatUrl = QStringLiteral("http://chat.local/");
    file().write(v);
    SettingsValues back = file().read();
    // Blanks around a value are not part of it when it is read.
    for (QString& name : v.floorNames)
        name = name.trimmed();
    expectSame(back, v);
}

TEST_F(SettingsFileTest, MissingKeysTakeTheirDefaultsAndEmptyValuesStayEmpty)
{
    put("[global]\r\nfreehour=\r\nBarPath=/opt/bar\r\nAutoCheckUpdates=1\r\n[Floors]\r\nFloor3Name=T\xF8"
        "et\xED\r\n");
    const SettingsValues v = file().read();
    EXPECT_TRUE(v.autoCheckUpdates);
    EXPECT_EQ(v.freeHour, QString());
    EXPECT_EQ(v.freeMin, QStringLiteral("00"));
    EXPECT_EQ(v.barPath, QStringLiteral("/opt/bar"));
    EXPECT_EQ(v.floorNames[3], QStringLiteral("Třetí"));
    EXPECT_EQ(v.floorNames[4], QStringLiteral("Floor 4."));
}

TEST_F(SettingsFileTest, PlanFloorNamesDefaultWithAColon)
{
    EXPECT_EQ(file().readPlanFloorNames().size(), 15);
    EXPECT_EQ(file().readPlanFloorNames().first(), QStringLiteral("Floor 0.:"));
    put("[Floors]\r\nFloor14Name=P\xF9"
        "da\r\n");
    const QStringList names = file().readPlanFloorNames();
    EXPECT_EQ(names[13], QStringLiteral("Floor 13.:"));
    EXPECT_EQ(names[14], QStringLiteral("Půda"));
}

// A save is all or nothing: whichever file write fails (the first, or one after writes that
// went through), the file holds either every new value or exactly its old bytes.
TEST_F(SettingsFileTest, SaveIsAllOrNothing)
{
    const QByteArray before = "; settings of the front desk\r\n[Global]\r\nBarPath=/opt/drusko\r\nFreeHour=11\r\n";
    SettingsValues v = SettingsFile::defaults();
    v.freeHour = QStringLiteral("12");
    v.floorNames[5] = QStringLiteral("Pátý");
    for (auto stage : {ini::testing::WriteStage::TempOpened, ini::testing::WriteStage::PartWritten,
                       ini::testing::WriteStage::TempWritten}) {
        for (int failing = 1; failing <= 3; ++failing) {
            SCOPED_TRACE(testing::Message() << "stage " << int(stage) << ", write " << failing);
            put(before);
            int reached = 0;
            ini::testing::setWriteHook(
                [&](ini::testing::WriteStage at) { return at == stage && ++reached == failing ? ENOSPC : 0; });
            std::optional<EIniFileError> error;
            try {
                file().write(v);
            } catch (const EIniFileError& e) {
                error = e;
            }
            ini::testing::setWriteHook({});
            if (failing == 1) {
                ASSERT_TRUE(error.has_value()) << "the first write failed unnoticed";
            }
            if (error) {
                EXPECT_TRUE(error->message().contains(path())) << error->what();
                EXPECT_TRUE(bytes() == before) << bytes().toStdString();
            } else {
                expectSame(file().read(), v);
            }
        }
    }
}

} // namespace
