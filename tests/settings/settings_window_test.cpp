#include "tests/support/program_fixture.h"

#include "app/camera_window.h"
#include "desktop/folder_picker.h"
#include "desktop/startup_registration.h"
#include "rooms/reception_window.h"
#include "settings/settings_file.h"
#include "settings/settings_window.h"
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "widgets/color_button.h"
#include "widgets/lcd99.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>

#include <cerrno>
#include <functional>
#include <optional>
#include <ostream>

namespace {

std::size_t at(int index)
{
    return static_cast<std::size_t>(index);
}

// Answers the folder browser as a test tells it.
class AnsweringFolderDialog final : public FolderDialog
{
public:
    std::optional<QString> chooseFolder(QWidget*, const QString&, const QString&) override { return answer; }
    std::optional<QString> answer;
};

// The program with the settings window, its start-up entries in a folder of the test's own.
class SettingsWindow : public ProgramTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(config.isValid());
        hadConfig = qEnvironmentVariableIsSet("XDG_CONFIG_HOME");
        oldConfig = qgetenv("XDG_CONFIG_HOME");
        qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
        ProgramTest::SetUp();
        settings().FolderPicker1->setDialog(&folders);
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        if (hadConfig)
            qputenv("XDG_CONFIG_HOME", oldConfig);
        else
            qunsetenv("XDG_CONFIG_HOME");
    }

    TForm15& settings() { return *forms().form15; }
    TForm5& plan() { return *forms().form5; }
    QString iniPath() const { return dataDirectory() + Settings::SettingsFile::kFileName; }
    QString autostart() const { return config.path() + QStringLiteral("/autostart"); }
    QString runEntry() const { return autostart() + QStringLiteral("/Lodgera.desktop"); }

    void putIni(const QByteArray& content) const { put(iniPath(), content); }
    static void put(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }
    static QByteArray bytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QStringList planFloors()
    {
        QStringList names;
        for (const QLabel* label : plan().Floor)
            names << label->text();
        return names;
    }
    QStringList floorFields()
    {
        QStringList names;
        for (const QLineEdit* field : settings().floor)
            names << field->text();
        return names;
    }
    // "prefix0" … "prefix14" with a suffix.
    static QStringList numbered(const QString& prefix, const QString& suffix)
    {
        QStringList names;
        for (int f = 0; f < Settings::kFloorCount; ++f)
            names << prefix + QString::number(f) + suffix;
        return names;
    }
    std::vector<RecordingDialogs::Shown> errors() const
    {
        std::vector<RecordingDialogs::Shown> found;
        for (const RecordingDialogs::Shown& s : dialogs.record.shown)
            if (s.kind == Dialogs::Kind::Error)
                found.push_back(s);
        return found;
    }

    QTemporaryDir config;
    bool hadConfig = false;
    QByteArray oldConfig;
    AnsweringFolderDialog folders;
};

TEST_F(SettingsWindow, FirstStartWithoutHotelIniShowsDefaultFloorNamesAndPushesThemToThePlan)
{
    ticks(2);
    EXPECT_EQ(floorFields(), numbered(QStringLiteral("Floor "), QStringLiteral(".")));
    EXPECT_EQ(planFloors(), numbered(QStringLiteral("Floor "), QStringLiteral(".")));
    EXPECT_EQ(settings().barcesta->text(), QStringLiteral("/opt/drusko"));
    EXPECT_EQ(settings().webpassword->text(), QStringLiteral("pulo"));
    EXPECT_EQ(settings().taxiurl->text(), settings().weburl->text());
    EXPECT_EQ(settings().autodownloadtime->value(), 3600);
    EXPECT_FALSE(settings().RunOnStartUp->isChecked());
    // Loading creates nothing.
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_FALSE(QFile::exists(autostart()));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(SettingsWindow, SavedFloorNamesAreShownAndPushedAgainAtEveryShow)
{
    putIni("[Floors]\r\nFloor0Name=P\xF8\xEDzem\xED\r\nFloor14Name=P\xF9"
           "da\r\n");
    ticks(2);
    // The plan captions its rows from the file, with its own defaults.
    plan().show();
    ASSERT_EQ(plan().Floor[1]->text(), QStringLiteral("Floor 1.:"));
    plan().Floor[0]->setText(QStringLiteral("stale"));

    settings().show();
    EXPECT_EQ(settings().floor[0]->text(), QStringLiteral("Přízemí"));
    EXPECT_EQ(settings().floor[14]->text(), QStringLiteral("Půda"));
    EXPECT_EQ(plan().Floor[0]->text(), QStringLiteral("Přízemí"));
    EXPECT_EQ(plan().Floor[1]->text(), QStringLiteral("Floor 1."));
    EXPECT_EQ(plan().Floor[14]->text(), QStringLiteral("Půda"));
}

TEST_F(SettingsWindow, TypedFloorNameGoesStraightToThePlan)
{
    ticks(2);
    settings().floor[7]->setText(QStringLiteral("Sedmé nebe"));
    EXPECT_EQ(plan().Floor[7]->text(), QStringLiteral("Sedmé nebe"));
    EXPECT_EQ(plan().Floor[6]->text(), QStringLiteral("Floor 6."));
}

TEST_F(SettingsWindow, OkWritesEveryKeyWithTheLoadedValuesOfTheDisabledOptionsAndHides)
{
    putIni("[Global]\r\nAutoCheckUpdates=1\r\nVoiceNavigation=1\r\nAutoCheckUpdatesTime=600\r\nWebChatURL=\r\n");
    ticks(2);
    settings().show();
    EXPECT_TRUE(settings().CheckUpdates->isChecked());
    EXPECT_TRUE(settings().navigace->isChecked());
    EXPECT_EQ(settings().autodownloadtime->value(), 600);

    leftClick(settings().OKBut);
    EXPECT_FALSE(settings().isVisible());
    EXPECT_TRUE(dialogs.record.shown.empty());

    QStringList global;
    TIniFile(iniPath()).ReadSection(QStringLiteral("Global"), global);
    QStringList expected{QStringLiteral("AutoCheckUpdates"),
                         QStringLiteral("VoiceNavigation"),
                         QStringLiteral("AutoCheckUpdatesTime"),
                         QStringLiteral("WebChatURL"),
                         QStringLiteral("AutoDownloadReservations"),
                         QStringLiteral("WebURL"),
                         QStringLiteral("WebPassWord"),
                         QStringLiteral("TaxiURL"),
                         QStringLiteral("MessengerURL"),
                         QStringLiteral("BarPath")};
    for (int n = 1; n <= 15; ++n)
        expected << QStringLiteral("Camera%1").arg(n);
    expected << QStringLiteral("FreeHour") << QStringLiteral("FreeMin");
    EXPECT_EQ(global, expected);
    QStringList floors;
    TIniFile(iniPath()).ReadSection(QStringLiteral("Floors"), floors);
    EXPECT_EQ(floors, numbered(QStringLiteral("Floor"), QStringLiteral("Name")));

    const QByteArray saved = bytes(iniPath());
    EXPECT_TRUE(saved.startsWith("[Global]\r\nAutoCheckUpdates=1\r\nVoiceNavigation=1\r\nAutoCheckUpdatesTime=600\r\n"
                                 "WebChatURL=\r\nAutoDownloadReservations=0\r\n"))
        << saved.toStdString();
    EXPECT_TRUE(saved.contains("\r\nFloor0Name=Floor 0.\r\n"));
}

TEST_F(SettingsWindow, CheckIntervalOutsideTheSpinRangeIsKeptInsideIt)
{
    putIni("[Global]\r\nAutoCheckUpdatesTime=10\r\n");
    ticks(2);
    EXPECT_EQ(settings().autodownloadtime->value(), 60);
    settings().show();
    leftClick(settings().OKBut);
    EXPECT_EQ(TIniFile(iniPath()).ReadString(QStringLiteral("Global"), QStringLiteral("AutoCheckUpdatesTime"), {}),
              QStringLiteral("60"));
}

TEST_F(SettingsWindow, FailedSaveLeavesHotelIniAsItWasAndTheWindowShownWithTheError)
{
    const QByteArray before = "[Global]\r\nBarPath=/opt/drusko\r\n; the desk's own note\r\nFreeHour=9\r\n";
    putIni(before);
    settings().show();
    settings().volnohod->setText(QStringLiteral("11"));
    settings().floor[2]->setText(QStringLiteral("Druhé"));
    ini::testing::setWriteHook(
        [](ini::testing::WriteStage at) { return at == ini::testing::WriteStage::PartWritten ? ENOSPC : 0; });
    leftClick(settings().OKBut);
    ini::testing::setWriteHook({});

    ASSERT_EQ(errors().size(), 1u);
    EXPECT_TRUE(errors()[0].text.contains(iniPath())) << errors()[0].text.toStdString();
    EXPECT_TRUE(settings().isVisible());
    EXPECT_TRUE(bytes(iniPath()) == before) << bytes(iniPath()).toStdString();
    // What was typed is still there to save again.
    EXPECT_EQ(settings().volnohod->text(), QStringLiteral("11"));
}

TEST_F(SettingsWindow, ShowOpensTheFirstPageAndLoadsOverWhatWasTyped)
{
    putIni("[Global]\r\nTaxiURL=taxi.example/objednat\r\n");
    ticks(2);
    settings().PageControl1->setCurrentWidget(settings().Kamery);
    settings().taxiurl->setText(QStringLiteral("typed.example/unsaved"));
    settings().show();
    EXPECT_EQ(settings().PageControl1->currentWidget(), settings().Vseobecne);
    EXPECT_EQ(settings().taxiurl->text(), QStringLiteral("taxi.example/objednat"));
}

TEST_F(SettingsWindow, ChatControlsFollowTheSavedChatAddressAtEveryLoad)
{
    putIni("[Global]\r\nWebChatURL=http://192.168.1.20/chat/\r\n");
    ticks(2);
    EXPECT_TRUE(main().chatposlat->isEnabled());
    EXPECT_EQ(chat().navigations.last(), QStringLiteral("http://192.168.1.20/chat/"));

    putIni("[Global]\r\nWebChatURL=\r\n");
    settings().show();
    for (QWidget* control : std::initializer_list<QWidget*>{main().chattext, main().chatkomu, main().chatposlat})
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(chat().navigations.last(), webChatExplanationPage());
}

TEST_F(SettingsWindow, BarButtonUsesTheTypedFolderUntilTheNextShowRestoresTheSavedOne)
{
    putIni("[Global]\r\nBarPath=/srv/saved-bar\r\n");
    ticks(2);
    QTemporaryDir typed;
    ASSERT_TRUE(typed.isValid());
    put(typed.path() + QStringLiteral("/drusko.exe"), "#!/bin/sh\n");
    settings().barcesta->setText(typed.path());

    leftClick(main().BarBut);
    ASSERT_EQ(shell.started.size(), 1u);
    EXPECT_EQ(shell.started[0].folder, typed.path());
    EXPECT_EQ(shell.started[0].parameters, QStringLiteral("HOTEL"));

    settings().show();
    EXPECT_EQ(settings().barcesta->text(), QStringLiteral("/srv/saved-bar"));
}

TEST_F(SettingsWindow, FindFolderPutsTheConfirmedFolderIntoTheFieldWithoutSaving)
{
    ticks(2);
    settings().show();
    folders.answer = std::nullopt;
    leftClick(settings().barcestaNajit);
    EXPECT_EQ(settings().barcesta->text(), QStringLiteral("/opt/drusko"));

    folders.answer = QStringLiteral("/srv/drusko/");
    leftClick(settings().barcestaNajit);
    EXPECT_EQ(settings().barcesta->text(), QStringLiteral("/srv/drusko"));
    EXPECT_FALSE(QFile::exists(iniPath()));
}

struct TestButtonCase
{
    const char* name;
    std::function<QPushButton*(TForm15&)> button;
    std::function<QLineEdit*(TForm15&)> field;
    const char* typed;
    const char* opened;
};

void PrintTo(const TestButtonCase& row, std::ostream* out)
{
    *out << row.name;
}

class TestButton : public SettingsWindow, public ::testing::WithParamInterface<TestButtonCase>
{
};

TEST_P(TestButton, OpensTheTestAddressOfTheTypedTextThroughTheShell)
{
    ticks(2);
    settings().show();
    settings().webpassword->setText(QStringLiteral("tajné heslo&1"));
    GetParam().field(settings())->setText(QString::fromUtf8(GetParam().typed));
    leftClick(GetParam().button(settings()));
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0], QString::fromUtf8(GetParam().opened));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, TestButton,
    ::testing::Values(
        // The password goes as typed, in plain text, as the value of "password".
        TestButtonCase{"WebServer", [](TForm15& s) { return s.weburlZkusit; }, [](TForm15& s) { return s.weburl; },
                       "192.168.1.5/sync.php", "http://192.168.1.5/sync.php?akce=test&password=tajné heslo&1"},
        TestButtonCase{"Taxi", [](TForm15& s) { return s.taxiurlZkusit; }, [](TForm15& s) { return s.taxiurl; },
                       "taxi.example/objednat.php", "http://taxi.example/objednat.php?akce=test"},
        TestButtonCase{"Courier", [](TForm15& s) { return s.kuryrurlZkusit; }, [](TForm15& s) { return s.kuryrurl; },
                       "kuryr.example/volat", "http://kuryr.example/volat?akce=test"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindow, ChatTestShowsTheTypedChatAddressInTheMainWindow)
{
    settings().show();
    settings().webchatcesta->setText(QStringLiteral("http://192.168.1.20:8080/chat"));
    ASSERT_FALSE(main().isVisible());
    leftClick(settings().webchatcestaZkusit);
    EXPECT_EQ(chat().navigations.last(), QStringLiteral("http://192.168.1.20:8080/chat"));
    EXPECT_TRUE(main().isVisible());
}

TEST_F(SettingsWindow, CameraTestShowsTheCameraWindowWithoutChangingItsChoice)
{
    ticks(2);
    settings().show();
    TForm2& cameras = *forms().form2;
    for (int n : {1, 10, 15}) {
        settings().kamera[at(n - 1)]->setText(QStringLiteral("http://10.0.0.%1/live.jpg").arg(n));
        leftClick(settings().kameraZkusit[at(n - 1)]);
        EXPECT_TRUE(cameras.isVisible());
        EXPECT_EQ(static_cast<RecordingBrowser*>(cameras.CamWeb)->navigations.last(),
                  QStringLiteral("http://10.0.0.%1/live.jpg").arg(n));
    }
    EXPECT_EQ(cameras.kamera->currentIndex(), -1);
    EXPECT_EQ(cameras.kamera->currentText(), QStringLiteral("Kamera 1."));
    EXPECT_EQ(static_cast<RecordingBrowser*>(cameras.CamWeb)->navigations.size(), 3);
}

TEST_F(SettingsWindow, FloorLabelClickOpensTheFloorsPageAtThatFloor)
{
    ticks(2);
    plan().show();
    leftClick(plan().Floor[3]);
    EXPECT_TRUE(settings().isVisible());
    EXPECT_EQ(settings().PageControl1->currentWidget(), settings().Patra);
    EXPECT_EQ(settings().focusWidget(), settings().floor[3]);
}

TEST_F(SettingsWindow, ExistingStartEntryIsRewrittenAtStartUpWithTheCurrentPath)
{
    ASSERT_TRUE(QDir().mkpath(autostart()));
    put(runEntry(), "[Desktop Entry]\nType=Application\nName=Lodgera\nExec=/old/place/hotel\nPath=/old/place/\n");
    put(autostart() + QStringLiteral("/Lodgera-runonce.desktop"), "[Desktop Entry]\nExec=/old/place/hotel\n");
    ticks(2);
    EXPECT_TRUE(settings().RunOnStartUp->isChecked());
    const QString entry = QString::fromUtf8(bytes(runEntry()));
    EXPECT_FALSE(entry.contains(QStringLiteral("/old/place"))) << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("Exec=\"") + QCoreApplication::applicationFilePath() + u'"'))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("Path=") + dataDirectory() + u'\n')) << entry.toStdString();
    EXPECT_FALSE(QFile::exists(autostart() + QStringLiteral("/Lodgera-runonce.desktop")));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(SettingsWindow, CheckBoxRegistersAndRemovesTheStartEntry)
{
    ticks(2);
    settings().show();
    settings().RunOnStartUp->click();
    ASSERT_TRUE(settings().RunOnStartUp->isChecked());
    EXPECT_TRUE(StartupRegistration(autostart()).isRegistered(TForm15::kRunName));
    // Nothing to save: the entry is there before "OK", and the next load keeps the box checked.
    settings().hide();
    settings().show();
    EXPECT_TRUE(settings().RunOnStartUp->isChecked());

    settings().RunOnStartUp->click();
    EXPECT_FALSE(QFile::exists(runEntry()));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(SettingsWindow, StartEntryWithoutRightsReportsTheErrorAndTheBoxKeepsTheUsersState)
{
    put(autostart(), "not a folder");
    ticks(2);
    settings().show();
    settings().RunOnStartUp->click();
    ASSERT_EQ(errors().size(), 1u);
    EXPECT_TRUE(errors()[0].text.contains(QStringLiteral("nemáte práva"))) << errors()[0].text.toStdString();
    EXPECT_TRUE(settings().RunOnStartUp->isChecked());
}

TEST_F(SettingsWindow, PagesAndControlsAsTheDeskSeesThem)
{
    TForm15& s = settings();
    EXPECT_EQ(s.windowTitle(), QStringLiteral("Nastavení systému"));
    QStringList tabs;
    for (int i = 0; i < s.PageControl1->count(); ++i)
        tabs << s.PageControl1->tabText(i);
    EXPECT_EQ(tabs, (QStringList{QStringLiteral("Všeobecné nastavení"), QStringLiteral("Patra"),
                                 QStringLiteral("Ceníky"), QStringLiteral("Cesty"), QStringLiteral("Kamery")}));

    EXPECT_TRUE(s.RunOnStartUp->isEnabled());
    for (QWidget* disabled :
         std::initializer_list<QWidget*>{s.CheckUpdates, s.AutoDownloadReservations, s.autodownloadtime, s.navigace})
        EXPECT_FALSE(disabled->isEnabled()) << disabled->objectName().toStdString();
    EXPECT_EQ(s.autodownloadtime->minimum(), 60);
    EXPECT_EQ(s.autodownloadtime->maximum(), 32767);
    EXPECT_EQ(s.Edit1->parent(), s.autodownloadtime);
    EXPECT_EQ(s.volnohod->maxLength(), 2);
    EXPECT_EQ(s.volnomin->maxLength(), 2);

    // The price list page is there to see, and nothing on it can be used.
    const QList<QWidget*> prices = s.Ceniky->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    EXPECT_GE(prices.size(), 11);
    for (QWidget* control : prices)
        EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_EQ(s.CenaPokoje->currentText(), QStringLiteral("STANDARD"));
    EXPECT_EQ(s.castkadisplej->digitNum(), 8);
    EXPECT_EQ(s.castkadisplej->value(), QStringLiteral("0"));

    EXPECT_TRUE(s.tip->text().startsWith(QStringLiteral("TIP: Zde si můžete pojmenovat jednotlivá patra.")));
    EXPECT_TRUE(s.tip->text().endsWith(QStringLiteral("Počítejte s přízemím a půdou - je-li.")));
    // floor14 at the top down to floor0 at the bottom.
    for (int f = 1; f < Settings::kFloorCount; ++f)
        EXPECT_LT(s.floor[at(f)]->y(), s.floor[at(f - 1)]->y()) << f;

    EXPECT_EQ(s.webpassword->echoMode(), QLineEdit::Password);
    const auto* bar = s.Cesty->findChild<QLabel*>(QStringLiteral("barcestaLabel"));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->text(), QStringLiteral("Cesta pro spojení se systémem Bar & Restaurace:"));
    EXPECT_EQ(bar->buddy(), nullptr) << "with a buddy the & would become a mnemonic";
    for (const char* field : {"weburl", "taxiurl", "kuryrurl", "webchatcesta"}) {
        const auto* http = s.Cesty->findChild<QLabel*>(QString::fromUtf8(field) + QStringLiteral("Http"));
        ASSERT_NE(http, nullptr) << field;
        EXPECT_EQ(http->text(), QStringLiteral("http://"));
    }

    const auto cameraLabel = [&](int n) {
        const auto* l = s.Kamery->findChild<QLabel*>(QStringLiteral("kamera%1Label").arg(n));
        return l ? l->text() : QStringLiteral("<none>");
    };
    EXPECT_EQ(cameraLabel(1), QStringLiteral("Kamera 1.:"));
    EXPECT_EQ(cameraLabel(9), QStringLiteral("Kamera 9.:"));
    EXPECT_EQ(cameraLabel(10), QStringLiteral("Kamera 10:"));
    EXPECT_EQ(cameraLabel(11), QStringLiteral("Kamera 11.:"));
    for (QPushButton* test : s.kameraZkusit)
        EXPECT_EQ(test->text(), QStringLiteral("Zkusit..."));

    EXPECT_EQ(s.OKBut->caption(), QStringLiteral("OK"));
    s.show();
    EXPECT_FALSE(s.NacistNastaveni->isVisible());
    EXPECT_EQ(s.NacistNastaveni->text(), QStringLiteral("načíst"));
    for (QLineEdit* edit : s.findChildren<QLineEdit*>()) {
        if (edit->isEnabled()) {
            EXPECT_FALSE(edit->accessibleName().isEmpty()) << edit->objectName().toStdString();
        }
    }
}

} // namespace
