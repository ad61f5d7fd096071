// The room board end to end: the reception plan and the room window, driven through the program's
// windows on real files in a temporary data directory, with a fixed clock and recorded dialogs.
#include "tests/support/program_fixture.h"

#include "reservations/create_reservation_window.h"
#include "rooms/reception_window.h"
#include "rooms/room_window.h"
#include "settings/settings_window.h"
#include "store/ini_file.h"
#include "widgets/color_button.h"
#include "widgets/qt_color.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <numeric>
#include <stdexcept>

namespace {

using Rooms::RoomStatus;

const QDate kToday(2026, 3, 5);
const QDate kNextWeek(2026, 3, 12);
const QColor kSilver(0xC0, 0xC0, 0xC0);
const QColor kLime(0x00, 0xFF, 0x00);
const QColor kRed(0xFF, 0x00, 0x00);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kGrey(0x80, 0x80, 0x80);
const QColor kLightBlue(0x9F, 0xCF, 0xFF);
const QColor kLightOrange(0xFF, 0xCE, 0x9D);
const QColor kBlue(0x00, 0x00, 0xFF);

// Counts the paint events of the widgets it watches.
class PaintCounter final : public QObject
{
public:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted.insert(watched->objectName());
        return false;
    }
    QSet<QString> painted;
};

// The program on a temporary data directory, "now" on 5.3.2026, with the plan and room windows at hand.
class RoomBoard : public ProgramTest
{
protected:
    ~RoomBoard() override
    {
        if (!movedDir.isEmpty()) {
            QFile::remove(data.path());
            QDir().rename(movedDir, data.path());
        }
    }

    TForm5& plan() { return *forms().form5; }
    TForm4& room() { return *forms().form4; }

    QString roomsPath() const { return dataFile(Rooms::RoomStateFile::kFileName); }
    // Writes the text in Windows-1250, as the data files are stored.
    void writeFile(const QString& name, const QByteArray& utf8)
    {
        QFile f(dataFile(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QStringEncoder cp1250("windows-1250");
        f.write(cp1250.encode(QString::fromUtf8(utf8)));
    }
    void writeRooms(const QByteArray& content) { writeFile(Rooms::RoomStateFile::kFileName, content); }
    QString stored(const QString& section, const QString& key) const
    {
        return TIniFile(roomsPath()).ReadString(section, key, QStringLiteral("<absent>"));
    }
    static QString day(const QDate& d) { return QStringLiteral("Rooms_") + d.toString(QStringLiteral("d.M.yyyy")); }

    // Shows the plan as from the main window and makes it the active window.
    void openPlan()
    {
        plan().Rezim = TForm5::kRezimForm1;
        plan().show();
        activate(&plan());
    }
    static void activate(QWidget* w)
    {
        w->activateWindow();
        QApplication::setActiveWindow(w);
        QCoreApplication::processEvents();
    }
    // A tile click on the plan opens the room window for that room.
    void openRoom(int n)
    {
        room().hide();
        plan().pClick(n);
    }
    // A tile's colour as the plan paints it.
    QColor tileColor(int n) { return toQColor(plan().tile(n)->color()); }
    int counterSum()
    {
        int sum = 0;
        for (const auto& w : Rooms::statusWords())
            sum += plan().counter(w.status)->text().toInt();
        return sum;
    }

    // Makes the data directory refuse every write: read-only, or, for a user that rights do not
    // stop, a plain file in its place.
    void makeDataDirectoryUnwritable()
    {
        QFile::setPermissions(data.path(), QFile::ReadOwner | QFile::ExeOwner);
        QFile probe(dataFile(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return;
        probe.close();
        probe.remove();
        QFile::setPermissions(data.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        movedDir = data.path() + QStringLiteral(".moved");
        ASSERT_TRUE(QDir().rename(data.path(), movedDir));
        QFile plain(data.path());
        ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    }
    void restoreDataDirectory()
    {
        if (movedDir.isEmpty()) {
            QFile::setPermissions(data.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            return;
        }
        QFile::remove(data.path());
        ASSERT_TRUE(QDir().rename(movedDir, data.path()));
        movedDir.clear();
    }

    QString movedDir;
};

// --- reception plan -------------------------------------------------------------------------

TEST_F(RoomBoard, EmptyDataDirectoryShowsTheDefaultPlan)
{
    openPlan();
    EXPECT_EQ(plan().Datum->date(), kToday);
    EXPECT_EQ(plan().geometry(), QRect(0, 0, 1024, 768));
    for (int n = 1; n <= Rooms::kRoomCount; ++n) {
        ASSERT_EQ(plan().tile(n)->caption(), QStringLiteral("--")) << n;
        ASSERT_EQ(tileColor(n), kSilver) << n;
    }
    EXPECT_EQ(plan().nic_label->text(), QStringLiteral("315"));
    EXPECT_EQ(counterSum(), 315);
    EXPECT_EQ(plan().Floor[0]->text(), QStringLiteral("Floor 0.:"));
    EXPECT_EQ(plan().Floor[14]->text(), QStringLiteral("Floor 14.:"));
    EXPECT_FALSE(QFile::exists(roomsPath()));
    EXPECT_TRUE(dialogs.record.shown.empty());
}

TEST_F(RoomBoard, PlanShowsEffectiveNamesAndStatusesWithCounts)
{
    writeFile(QStringLiteral("hotel.ini"), "[Floors]\r\nFloor0Name=Přízemí\r\nFloor14Name=Půda\r\n");
    writeRooms("[DefaultsRooms]\r\nRoom1Name=101\r\nRoom1Status=OUTOFORDER\r\nRoom2Name=102\r\nRoom2Status=FREE\r\n"
               "Room3Status=CLEAN\r\nRoom4Status=SERVICE\r\nRoom5Status=RESERVED\r\n"
               "[Rooms_5.3.2026]\r\nRoom1Status=FREE\r\nRoom2Name=\r\nRoom6Status=FULL\r\n"
               "[Rooms_6.3.2026]\r\nRoom7Status=FULL\r\n");
    openPlan();

    EXPECT_EQ(plan().Floor[0]->text(), QStringLiteral("Přízemí"));
    EXPECT_EQ(plan().Floor[1]->text(), QStringLiteral("Floor 1.:"));
    EXPECT_EQ(plan().Floor[14]->text(), QStringLiteral("Půda"));

    EXPECT_EQ(plan().tile(1)->caption(), QStringLiteral("101"));
    EXPECT_EQ(plan().tile(2)->caption(), QString()); // an empty name on the day overrides the default
    EXPECT_EQ(tileColor(1), kLime);                  // the day's FREE over the default OUTOFORDER
    EXPECT_EQ(tileColor(2), kLime);
    EXPECT_EQ(tileColor(3), kLightBlue);
    EXPECT_EQ(tileColor(4), kLightOrange);
    EXPECT_EQ(tileColor(5), kBlue);
    EXPECT_EQ(tileColor(6), kRed);
    EXPECT_EQ(tileColor(7), kSilver); // FULL on another day only

    EXPECT_EQ(plan().volno_label->text(), QStringLiteral("2"));
    EXPECT_EQ(plan().plno_label->text(), QStringLiteral("1"));
    EXPECT_EQ(plan().uklid_label->text(), QStringLiteral("1"));
    EXPECT_EQ(plan().oprava_label->text(), QStringLiteral("1"));
    EXPECT_EQ(plan().rezervace_label->text(), QStringLiteral("1"));
    EXPECT_EQ(plan().mimo_label->text(), QStringLiteral("0"));
    EXPECT_EQ(plan().nic_label->text(), QStringLiteral("309"));

    // Another day: room 1 is out of order again, room 7 full; the plan follows on "Načíst".
    plan().Datum->setDate(QDate(2026, 3, 6));
    plan().NacistBut->click();
    EXPECT_EQ(tileColor(1), kGrey);
    EXPECT_EQ(plan().tile(2)->caption(), QStringLiteral("102"));
    EXPECT_EQ(tileColor(7), kRed);
    EXPECT_EQ(plan().mimo_label->text(), QStringLiteral("1"));
}

TEST_F(RoomBoard, UnrecognisedStatusKeepsTheTileColourAndCountsNowhere)
{
    writeRooms("[Rooms_5.3.2026]\r\nRoom8Status=FULL\r\nRoom9Status=FREE\r\n");
    openPlan();
    ASSERT_EQ(tileColor(8), kRed);

    // A cancelled reservation leaves "--"; a hand-edited file may hold "free".
    writeRooms("[Rooms_5.3.2026]\r\nRoom8Status=--\r\nRoom9Status=free\r\nRoom10Status=\r\n");
    plan().NacistStav();
    EXPECT_EQ(tileColor(8), kRed);
    EXPECT_EQ(tileColor(9), kLime);
    EXPECT_EQ(tileColor(10), kSilver);
    EXPECT_EQ(plan().plno_label->text(), QStringLiteral("0"));
    EXPECT_EQ(plan().volno_label->text(), QStringLiteral("0"));
    EXPECT_EQ(plan().nic_label->text(), QStringLiteral("312"));
    EXPECT_EQ(counterSum(), 315 - 3);
}

TEST_F(RoomBoard, TimerReloadsOnlyWhileThePlanIsTheActiveWindow)
{
    openPlan();
    ASSERT_TRUE(plan().isActiveWindow());
    writeRooms("[DefaultsRooms]\r\nRoom5Status=FULL\r\n");
    plan().Timer1Timer();
    EXPECT_EQ(tileColor(5), kRed);

    // The room window over the plan takes the activation; the plan stops following the file.
    openRoom(1);
    activate(&room());
    ASSERT_FALSE(plan().isActiveWindow());
    writeRooms("[DefaultsRooms]\r\nRoom5Status=FREE\r\n");
    plan().Timer1Timer();
    EXPECT_EQ(tileColor(5), kRed);

    // Back in front, the next tick shows the change.
    room().hide();
    activate(&plan());
    plan().Timer1Timer();
    EXPECT_EQ(tileColor(5), kLime);
    EXPECT_EQ(plan().Datum->date(), kToday); // ticks never move the day
}

TEST_F(RoomBoard, ChangeByAnotherProgramShowsAtTheNextTick)
{
    writeRooms("[DefaultsRooms]\r\nRoom12Name=Apartmá\r\n");
    openPlan();
    ASSERT_EQ(plan().tile(12)->caption(), QStringLiteral("Apartmá"));

    QProcess writer;
    writer.setWorkingDirectory(data.path());
    writer.start(
        QStringLiteral("/bin/sh"),
        {QStringLiteral("-c"), QStringLiteral("printf '[DefaultsRooms]\\r\\nRoom12Name=A12\\r\\n[Rooms_5.3.2026]\\r\\n"
                                              "Room12Status=SERVICE\\r\\n' > Rooms.dat")});
    ASSERT_TRUE(writer.waitForFinished(10000));
    ASSERT_EQ(writer.exitCode(), 0);

    plan().Timer1Timer();
    EXPECT_EQ(plan().tile(12)->caption(), QStringLiteral("A12"));
    EXPECT_EQ(tileColor(12), kLightOrange);
}

TEST_F(RoomBoard, ShowingResetsTheDayExceptWhenPickingForAReservation)
{
    openPlan();
    plan().Datum->setDate(kNextWeek);
    leftClick(plan().OKBut);
    EXPECT_FALSE(plan().isVisible());
    openPlan();
    EXPECT_EQ(plan().Datum->date(), kToday);

    plan().hide();
    plan().Rezim = TForm5::kRezimRezervace;
    plan().Datum->setDate(kNextWeek);
    plan().show();
    EXPECT_EQ(plan().Datum->date(), kNextWeek);

    leftClick(plan().DokovatBut);
    EXPECT_EQ(plan().pos(), QPoint(1280, 0));
}

TEST_F(RoomBoard, FloorLabelClickOpensTheSettingsWindow)
{
    openPlan();
    ASSERT_FALSE(forms().form15->isVisible());
    leftClick(plan().Floor[3]);
    EXPECT_TRUE(forms().form15->isVisible());
}

TEST_F(RoomBoard, ReloadRepaintsOnlyTilesThatChanged)
{
    writeRooms("[DefaultsRooms]\r\nRoom1Name=A\r\nRoom1Status=FREE\r\nRoom2Status=FULL\r\n");
    openPlan();
    QCoreApplication::processEvents();

    PaintCounter counter;
    for (int n = 1; n <= Rooms::kRoomCount; ++n)
        plan().tile(n)->installEventFilter(&counter);

    plan().NacistStav();
    QCoreApplication::processEvents();
    EXPECT_TRUE(counter.painted.isEmpty()) << counter.painted.values().join(QLatin1Char(' ')).toStdString();

    writeRooms("[DefaultsRooms]\r\nRoom1Name=B\r\nRoom1Status=FREE\r\nRoom2Status=CLEAN\r\n");
    plan().NacistStav();
    QCoreApplication::processEvents();
    EXPECT_EQ(counter.painted, (QSet<QString>{QStringLiteral("p1"), QStringLiteral("p2")}));
}

TEST_F(RoomBoard, TileClickOpensTheRoomWindowForThatRoom)
{
    writeRooms("[DefaultsRooms]\r\nRoom200Name=Salonek\r\n[Rooms_5.3.2026]\r\nRoom200Status=FULL\r\n");
    openPlan();
    leftClick(plan().tile(200));
    ASSERT_TRUE(room().isVisible());
    EXPECT_EQ(room().CisloPokoje, 200);
    EXPECT_EQ(room().JmenoPokoje->text(), plan().tile(200)->caption());
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je obsazen"));
    EXPECT_EQ(room().statusColor(), tileColor(200));
}

TEST_F(RoomBoard, FailingShowHandlerEndsInTheErrorBoxAndThePlanStillShows)
{
    forms().now = []() -> QDateTime { throw std::runtime_error("Hodiny nejdou."); };
    plan().show();
    EXPECT_TRUE(plan().isVisible());
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_EQ(dialogs.record.shown[0].text, QStringLiteral("Hodiny nejdou."));
}

// --- room window ----------------------------------------------------------------------------

TEST_F(RoomBoard, RoomWithoutValuesShowsTheDefaults)
{
    openPlan();
    openRoom(17);
    EXPECT_EQ(room().JmenoPokoje->text(), QStringLiteral("--"));
    EXPECT_EQ(room().VelikostPokoje->text(), QStringLiteral("--"));
    EXPECT_EQ(room().Poznamka->toPlainText(), QStringLiteral("--"));
    EXPECT_EQ(room().CenaPokoje->currentText(), QStringLiteral("STANDARD"));
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host není v pokoji"));
    EXPECT_EQ(room().HostJe->palette().color(QPalette::WindowText), kRed);
    EXPECT_EQ(room().navsteva->text(), QStringLiteral("Žádný klient"));
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj neexistuje"));
    EXPECT_EQ(room().statusColor(), kSilver);
    EXPECT_FALSE(room().default_->isChecked());
    EXPECT_FALSE(QFile::exists(roomsPath()));
}

TEST_F(RoomBoard, RoomShowsItsValuesForThePlansDay)
{
    writeRooms("[DefaultsRooms]\r\nRoom5Name=Modrý\r\nRoom5Size=2+1\r\nRoom5Comment=Výhled do zahrady\r\n"
               "Room5IsHosted=1\r\nRoom5Status=OUTOFORDER\r\n"
               "[Rooms_12.3.2026]\r\nRoom5Name=\r\nRoom5Comment=Nová matrace\r\nRoom5ClientID=2\r\n"
               "Room5Status=FREE\r\nRoom5Size=ignored\r\n");
    writeFile(QStringLiteral("Clients.dat"),
              "[Global]\r\nClients=2\r\n[Client_2]\r\nFirstName=Jana\r\nMiddleName=Marie\r\nSurName=Nováková\r\n");
    openPlan();

    openRoom(5);
    EXPECT_EQ(room().JmenoPokoje->text(), QStringLiteral("Modrý"));
    EXPECT_EQ(room().VelikostPokoje->text(), QStringLiteral("2+1"));
    EXPECT_EQ(room().Poznamka->toPlainText(), QStringLiteral("Výhled do zahrady"));
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host je v pokoji"));
    EXPECT_EQ(room().HostJe->palette().color(QPalette::WindowText), kGreen);
    EXPECT_EQ(room().navsteva->text(), QStringLiteral("Žádný klient"));
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je mimo provoz"));
    EXPECT_EQ(room().statusColor(), kGrey);

    plan().Datum->setDate(kNextWeek);
    openRoom(5);
    EXPECT_EQ(room().JmenoPokoje->text(), QString());
    EXPECT_EQ(room().VelikostPokoje->text(), QStringLiteral("2+1")); // the size has no day value
    EXPECT_EQ(room().Poznamka->toPlainText(), QStringLiteral("Nová matrace"));
    EXPECT_EQ(room().navsteva->text(), QStringLiteral("Jana Nováková"));
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je volný"));
    EXPECT_EQ(room().statusColor(), kLime);
}

// Loading shows each status word's message text in the word's colour.
struct LoadedStatusCase
{
    const char* name;
    const char* word;
    const char16_t* text;
    QColor color;
};

class RoomStatusOnLoad : public RoomBoard, public ::testing::WithParamInterface<LoadedStatusCase>
{
};

TEST_P(RoomStatusOnLoad, ShowsMessageTextAndColour)
{
    writeRooms(QByteArray("[Rooms_5.3.2026]\r\nRoom30Status=") + GetParam().word + "\r\n");
    openPlan();
    openRoom(30);
    EXPECT_EQ(room().stavpokoje->text(), QString::fromUtf16(GetParam().text));
    EXPECT_EQ(room().statusColor(), GetParam().color);
}

INSTANTIATE_TEST_SUITE_P(RoomWindow, RoomStatusOnLoad,
                         ::testing::Values(LoadedStatusCase{"None", "NONE", u"Pokoj neexistuje", kSilver},
                                           LoadedStatusCase{"Free", "FREE", u"Pokoj je volný", kLime},
                                           LoadedStatusCase{"Full", "FULL", u"Pokoj je obsazen", kRed},
                                           LoadedStatusCase{"Clean", "CLEAN", u"pokoj je v úklidu", kLightBlue},
                                           LoadedStatusCase{"OutOfOrder", "OUTOFORDER", u"Pokoj je mimo provoz", kGrey},
                                           LoadedStatusCase{"Service", "SERVICE", u"Pokoj je v opravě", kLightOrange},
                                           LoadedStatusCase{"Reserved", "RESERVED", u"Pokoj je rezervován", kBlue}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(RoomBoard, UnrecognisedStatusLeavesThePanelAsThePreviousRoomLeftIt)
{
    writeRooms("[Rooms_5.3.2026]\r\nRoom3Status=FULL\r\nRoom7Status=--\r\n");
    openPlan();
    openRoom(3);
    openRoom(7);
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je obsazen"));
    EXPECT_EQ(room().statusColor(), kRed);
}

// Each status button: the panel first, then the day's status, and the default when ticked.
struct StatusButtonCase
{
    const char* name;
    ColorButton* TForm4::*button;
    const char* word;
    const char16_t* caption; // nullptr: the panel stays as it was
    QColor color;
    bool intoDefaults;
};

class StatusButton : public RoomBoard, public ::testing::WithParamInterface<StatusButtonCase>
{
};

TEST_P(StatusButton, WritesTheDayAndTheDefaultWhenTicked)
{
    const StatusButtonCase& c = GetParam();
    writeRooms("[DefaultsRooms]\r\nRoom40Status=FULL\r\n");
    openPlan();
    openRoom(40);
    ASSERT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je obsazen"));

    // Unticked: the day only.
    leftClick(room().*c.button);
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room40Status")), QLatin1String(c.word));
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room40Status")), QStringLiteral("FULL"));
    if (c.caption) {
        EXPECT_EQ(room().stavpokoje->text(), QString::fromUtf16(c.caption));
        EXPECT_EQ(room().statusColor(), c.color);
    } else {
        EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je obsazen"));
        EXPECT_EQ(room().statusColor(), kRed);
    }
    EXPECT_TRUE(room().isVisible());

    // Ticked, on another day: the default as well, except for a reservation; the tick stays.
    plan().Datum->setDate(kNextWeek);
    room().default_->setChecked(true);
    leftClick(room().*c.button);
    EXPECT_EQ(stored(day(kNextWeek), QStringLiteral("Room40Status")), QLatin1String(c.word));
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room40Status")),
              c.intoDefaults ? QLatin1String(c.word) : QLatin1String("FULL"));
    EXPECT_TRUE(room().default_->isChecked());
    EXPECT_TRUE(dialogs.record.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    RoomWindow, StatusButton,
    ::testing::Values(
        StatusButtonCase{"Rezervovat", &TForm4::RezervovatBut, "RESERVED", u"Pokoj je rezervován", kBlue, false},
        StatusButtonCase{"Uvolnit", &TForm4::UvioolnitBut, "FREE", u"Pokoj je volný", kLime, true},
        StatusButtonCase{"Uklidit", &TForm4::UkliditBut, "CLEAN", u"Pokoj se uklízí", kLightBlue, true},
        StatusButtonCase{"Spravit", &TForm4::SpravitBut, "SERVICE", u"Pokoj se spravuje", kLightOrange, true},
        StatusButtonCase{"Odstavit", &TForm4::OdstavitBut, "OUTOFORDER", u"Pokoj je odstaven", kRed, true},
        StatusButtonCase{"Zrusit", &TForm4::ZrusitBut, "NONE", nullptr, QColor(), true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RoomBoard, OutOfServiceIsRedOnTheButtonAndGreyWhenShownAgainAndOnThePlan)
{
    openPlan();
    openRoom(9);
    leftClick(room().OdstavitBut);
    EXPECT_EQ(room().statusColor(), kRed);
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je odstaven"));

    openRoom(9);
    EXPECT_EQ(room().statusColor(), kGrey);
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je mimo provoz"));

    room().hide();
    activate(&plan());
    plan().Timer1Timer();
    EXPECT_EQ(tileColor(9), kGrey);
    EXPECT_EQ(plan().mimo_label->text(), QStringLiteral("1"));
}

TEST_F(RoomBoard, CleaningShowsItsButtonTextThenTheMessageTextOnReload)
{
    openPlan();
    openRoom(11);
    leftClick(room().UkliditBut);
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj se uklízí"));
    openRoom(11);
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("pokoj je v úklidu"));
}

TEST_F(RoomBoard, ArrivalAndDepartureHoldForEveryDay)
{
    openPlan();
    plan().Datum->setDate(kNextWeek);
    openRoom(3);
    room().default_->setChecked(true);
    leftClick(room().PrichodBut);
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host je v pokoji"));
    EXPECT_EQ(room().HostJe->palette().color(QPalette::WindowText), kGreen);
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room3IsHosted")), QStringLiteral("1"));
    EXPECT_EQ(stored(day(kNextWeek), QStringLiteral("Room3IsHosted")), QStringLiteral("<absent>"));

    plan().Datum->setDate(kToday);
    openRoom(3);
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host je v pokoji"));

    leftClick(room().OdchodBut);
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host není v pokoji"));
    EXPECT_EQ(room().HostJe->palette().color(QPalette::WindowText), kRed);
    plan().Datum->setDate(kNextWeek);
    openRoom(3);
    EXPECT_EQ(room().HostJe->text(), QStringLiteral("Host není v pokoji"));
}

TEST_F(RoomBoard, OkSavesNameAndSizeAsDefaultsAndPriceAndCommentForTheDay)
{
    openPlan();
    openRoom(4);
    room().default_->setChecked(true);
    leftClick(room().OKBut);
    // A room shown with the default texts stores them as they are.
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room4Name")), QStringLiteral("--"));
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room4Size")), QStringLiteral("--"));
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room4Comment")), QStringLiteral("--"));
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room4Price")), QStringLiteral("STANDARD"));
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room4Status")), QStringLiteral("<absent>"));
    EXPECT_FALSE(room().default_->isChecked());
    EXPECT_FALSE(room().isVisible());

    openRoom(4);
    room().JmenoPokoje->setText(QStringLiteral("Zelený"));
    room().VelikostPokoje->setText(QStringLiteral("3 lůžka"));
    room().CenaPokoje->setEditText(QStringLiteral("1200 Kč"));
    room().Poznamka->setPlainText(QStringLiteral("Rozbitá lampa\nvyměnit žárovku"));
    leftClick(room().OKBut);
    EXPECT_EQ(stored(QStringLiteral("DefaultsRooms"), QStringLiteral("Room4Name")), QStringLiteral("Zelený"));
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room4Price")), QStringLiteral("1200 Kč"));

    // The comment comes back whole, line break included; the plan shows the new name.
    openRoom(4);
    EXPECT_EQ(room().Poznamka->toPlainText(), QStringLiteral("Rozbitá lampa\nvyměnit žárovku"));
    EXPECT_EQ(room().VelikostPokoje->text(), QStringLiteral("3 lůžka"));
    room().hide();
    plan().NacistStav();
    EXPECT_EQ(plan().tile(4)->caption(), QStringLiteral("Zelený"));

    // The price is not loaded: room 9 shows, and saves, the price typed for room 4.
    openRoom(9);
    EXPECT_EQ(room().CenaPokoje->currentText(), QStringLiteral("1200 Kč"));
    leftClick(room().OKBut);
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room9Price")), QStringLiteral("1200 Kč"));
}

TEST_F(RoomBoard, UnwritableFileReportsTheFileAndTheWindowKeepsWorking)
{
    writeRooms("[Rooms_5.3.2026]\r\nRoom6Status=FULL\r\n");
    openPlan();
    openRoom(6);
    makeDataDirectoryUnwritable();

    leftClick(room().UvioolnitBut);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(QStringLiteral("rooms.dat"), Qt::CaseInsensitive))
        << dialogs.record.shown[0].text.toStdString();
    // The panel already shows the status that was not stored.
    EXPECT_EQ(room().stavpokoje->text(), QStringLiteral("Pokoj je volný"));
    EXPECT_TRUE(room().isVisible());

    leftClick(room().OKBut);
    EXPECT_EQ(dialogs.record.shown.size(), 2u);
    EXPECT_TRUE(room().isVisible()); // a failed save does not close the window

    restoreDataDirectory();
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room6Status")), QStringLiteral("FULL"));
    leftClick(room().UvioolnitBut);
    EXPECT_EQ(stored(day(kToday), QStringLiteral("Room6Status")), QStringLiteral("FREE"));
    EXPECT_EQ(dialogs.record.shown.size(), 2u);
}

TEST_F(RoomBoard, ReserveHandsTheRoomToTheCreateReservationWindow)
{
    openPlan();
    openRoom(12);
    leftClick(room().RezervovatBut);
    EXPECT_TRUE(forms().form8->isVisible());
}

TEST_F(RoomBoard, StatusSetInTheRoomWindowShowsOnThePlan)
{
    openPlan();
    openRoom(21);
    leftClick(room().SpravitBut);
    leftClick(room().OKBut);
    activate(&plan());
    plan().Timer1Timer();
    EXPECT_EQ(tileColor(21), kLightOrange);
    EXPECT_EQ(plan().oprava_label->text(), QStringLiteral("1"));
    EXPECT_EQ(counterSum(), 315);
}

} // namespace
