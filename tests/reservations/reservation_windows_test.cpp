// The reservation windows through the whole program: create, cancel, overview, menu and web window,
// and the road of one reservation from the main window to the reception plan.
#include "app/message_texts_window.h"
#include "desktop/saved_radio_button.h"
#include "guests/guest_card_window.h"
#include "guests/guest_picker_window.h"
#include "net/http_client.h"
#include "reservations/cancel_reservation_window.h"
#include "reservations/create_reservation_window.h"
#include "reservations/reservation_file.h"
#include "reservations/reservation_menu_window.h"
#include "reservations/reservation_overview_window.h"
#include "reservations/web_sync_window.h"
#include "rooms/reception_window.h"
#include "rooms/room_window.h"
#include "store/ini_file.h"
#include "tests/support/program_fixture.h"
#include "widgets/color_button.h"
#include "widgets/qt_color.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCloseEvent>
#include <QDateEdit>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringEncoder>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace {

const QString kRooms = QStringLiteral("Rooms.dat");
const QString kClients = QStringLiteral("Clients.dat");
const QString kReservations = QStringLiteral("Reservations.dat");
const QDate kToday(2026, 3, 5); // the fixture's clock

QString text(const QDate& d)
{
    return d.toString(QStringLiteral("d.M.yyyy"));
}

class Reservations : public ProgramTest
{
protected:
    TForm7& menu() { return *forms().form7; }
    TForm8& create() { return *forms().form8; }
    TForm9& cancelWindow() { return *forms().form9; }
    TForm10& overview() { return *forms().form10; }
    TForm5& plan() { return *forms().form5; }
    QString message(const char* key) { return forms().form11->text(QString::fromLatin1(key)); }

    void writeFile(const QString& name, const char* utf8)
    {
        QFile f(dataDirectory() + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QStringEncoder cp1250("windows-1250");
        f.write(cp1250.encode(QString::fromUtf8(utf8)));
    }
    QByteArray bytes(const QString& name) const
    {
        QFile f(dataDirectory() + name);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
    QString stored(const QString& file, const QString& section, const QString& key) const
    {
        return TIniFile(dataDirectory() + file).ReadString(section, key, QStringLiteral("<absent>"));
    }
    QStringList shownTexts() const { return dialogs.record.texts(); }

    // Opens the create-reservation window from the menu.
    void openCreate()
    {
        menu().show();
        leftClick(menu().VytvoritRezervaciBut);
        ASSERT_TRUE(create().isVisible());
    }
    // What the guest picker does when a guest is chosen: the card's current guest, stav1 and krok1.
    void pickGuest(int id, const QString& name)
    {
        forms().form3->CisloHosta = id;
        create().stav1->setText(name);
        TForm8::setFontColor(create().stav1, TForm8::kStepDone);
        TForm8::setFontColor(create().krok1, TForm8::kStepDone);
    }
    // A double click on a day of the calendar.
    void addDay(const QDate& day)
    {
        create().kalendar->setSelectedDate(day);
        emit create().kalendar->activated(day);
    }
    // "Zvolit Pokoj", then a click on the room's tile of the plan.
    void pickRoom(int room)
    {
        leftClick(create().VyberPokojeBut);
        ASSERT_TRUE(plan().isVisible());
        leftClick(plan().tile(room));
    }
    void reserve() { leftClick(create().ZarezervovatBut); }

    // A complete reservation through the create window.
    void book(int guest, int room, const QList<QDate>& days)
    {
        openCreate();
        pickGuest(guest, QStringLiteral("Host %1").arg(guest));
        leftClick(create().VyprazdnitBut);
        for (const QDate& d : days)
            addDay(d);
        pickRoom(room);
        reserve();
    }
    // Cancels reservation n through the cancel window.
    void cancelReservation(int n)
    {
        cancelWindow().hide();
        cancelWindow().show();
        QTreeWidget* list = cancelWindow().prehled;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            if (list->topLevelItem(i)->text(0) == QString::number(n))
                list->setCurrentItem(list->topLevelItem(i));
        ASSERT_EQ(TForm10::selectedReservation(list), n);
        leftClick(cancelWindow().ZrusitRezervaciBut);
    }
    QStringList listedNumbers(const QTreeWidget* list) const
    {
        QStringList numbers;
        for (int i = 0; i < list->topLevelItemCount(); ++i)
            numbers << list->topLevelItem(i)->text(0);
        return numbers;
    }
};

TEST_F(Reservations, OpeningResetsGuestAndStepsAndKeepsTheDays)
{
    openCreate();
    addDay(kToday);
    leftClick(create().ZrusitBut);
    EXPECT_FALSE(create().isVisible());

    create().kalendar->setSelectedDate(kToday.addDays(40));
    openCreate();
    EXPECT_EQ(create().kalendar->selectedDate(), kToday);
    EXPECT_EQ(create().stav1->text(), QStringLiteral("Host nevybrán!"));
    EXPECT_EQ(create().stav3->text(), QStringLiteral("Pokoj nevybrán!"));
    for (QLabel* label : {create().stav1, create().krok1, create().krok2, create().krok3, create().stav3})
        EXPECT_EQ(TForm8::fontColor(label), TForm8::kStepUnfinished) << label->objectName().toStdString();
    EXPECT_EQ(create().dayTexts(), QStringList{text(kToday)}); // kept, but step 2 is red again
}

TEST_F(Reservations, DayListRefusesADayTwiceAndSortsAsText)
{
    for (bool laterFirst : {false, true}) {
        SCOPED_TRACE(laterFirst ? "14.3. added first" : "2.3. added first");
        openCreate();
        leftClick(create().VyprazdnitBut);
        const QList<QDate> days{QDate(2008, 3, 2), QDate(2008, 3, 14)};
        addDay(days[laterFirst ? 1 : 0]);
        addDay(days[laterFirst ? 0 : 1]);
        EXPECT_EQ(create().dayTexts(), (QStringList{QStringLiteral("14.3.2008"), QStringLiteral("2.3.2008")}));
        EXPECT_EQ(TForm8::fontColor(create().krok2), TForm8::kStepDone);
        leftClick(create().ZrusitBut);
    }

    dialogs.record.shown.clear();
    openCreate();
    addDay(QDate(2008, 3, 2));
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Vybrané datum již existuje!")});
    EXPECT_EQ(create().dayTexts(), (QStringList{QStringLiteral("14.3.2008"), QStringLiteral("2.3.2008")}));

    // Stored in list order: text order, not date order.
    pickGuest(4, QStringLiteral("A"));
    addDay(QDate(2008, 3, 20));
    pickRoom(9);
    reserve();
    EXPECT_EQ(stored(kReservations, QStringLiteral("Reservation_1"), QStringLiteral("Day1")),
              QStringLiteral("14.3.2008"));
    EXPECT_EQ(stored(kReservations, QStringLiteral("Reservation_1"), QStringLiteral("Day2")),
              QStringLiteral("2.3.2008"));
    EXPECT_EQ(stored(kReservations, QStringLiteral("Reservation_1"), QStringLiteral("Day3")),
              QStringLiteral("20.3.2008"));
}

TEST_F(Reservations, RemovingDaysTurnsStepTwoRedOnlyWhenTheListIsEmpty)
{
    openCreate();
    leftClick(create().VyprazdnitBut);
    addDay(kToday);
    addDay(kToday.addDays(1));

    leftClick(create().OdebratBut); // nothing selected: nothing happens
    EXPECT_EQ(create().dayTexts().size(), 2);

    create().terminy->setCurrentRow(0);
    leftClick(create().OdebratBut);
    EXPECT_EQ(create().dayTexts(), QStringList{text(kToday.addDays(1))});
    EXPECT_EQ(TForm8::fontColor(create().krok2), TForm8::kStepDone);

    create().terminy->setCurrentRow(0);
    leftClick(create().OdebratBut);
    EXPECT_TRUE(create().dayTexts().isEmpty());
    EXPECT_EQ(TForm8::fontColor(create().krok2), TForm8::kStepUnfinished);

    addDay(kToday);
    leftClick(create().VyprazdnitBut);
    EXPECT_TRUE(create().dayTexts().isEmpty());
    EXPECT_EQ(TForm8::fontColor(create().krok2), TForm8::kStepUnfinished);
}

TEST_F(Reservations, RoomPickedOnThePlanComesBackAsItsName)
{
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom40Name=Apartmá 40\r\n");
    openCreate();
    create().kalendar->setSelectedDate(kToday.addDays(9));
    plan().Rezim = TForm5::kRezimForm1;
    leftClick(create().VyberPokojeBut);
    EXPECT_EQ(plan().Rezim, TForm5::kRezimRezervace);
    EXPECT_EQ(plan().Datum->date(), kToday.addDays(9));
    ASSERT_TRUE(plan().isVisible());

    leftClick(plan().tile(40));
    EXPECT_FALSE(plan().isVisible());
    EXPECT_FALSE(forms().form4->isVisible());
    EXPECT_EQ(forms().form4->CisloPokoje, 40);
    EXPECT_EQ(create().stav3->text(), QStringLiteral("Apartmá 40"));
    EXPECT_EQ(create().VybranyPokoj, 40);
    EXPECT_EQ(TForm8::fontColor(create().stav3), TForm8::kStepDone);
    EXPECT_EQ(TForm8::fontColor(create().krok3), TForm8::kStepDone);

    // A room without a name reads "--".
    pickRoom(41);
    EXPECT_EQ(create().stav3->text(), QStringLiteral("--"));
    EXPECT_EQ(create().VybranyPokoj, 41);
}

TEST_F(Reservations, RoomNumberThatIsNoNumberIsAnErrorAndChangesNothing)
{
    openCreate();
    pickRoom(12);
    create().stav3->setText(QStringLiteral("dvanáct"));
    create().PreloznaJmenoPokoje->click();
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(QStringLiteral("dvanáct")));
    EXPECT_EQ(create().stav3->text(), QStringLiteral("dvanáct"));
    EXPECT_EQ(create().VybranyPokoj, 12);
}

TEST_F(Reservations, RoomHandedOverByTheRoomWindowSurvivesTheOpening)
{
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom40Name=Čtyřicítka\r\nRoom12Name=Dvanáctka\r\n");
    forms().form4->CisloPokoje = 40;
    forms().form4->show();
    leftClick(forms().form4->RezervovatBut);
    ASSERT_TRUE(create().isVisible());
    EXPECT_EQ(create().VybranyPokoj, 40);
    EXPECT_EQ(create().stav3->text(), QStringLiteral("Čtyřicítka"));
    EXPECT_EQ(TForm8::fontColor(create().krok3), TForm8::kStepDone);
    EXPECT_EQ(TForm8::fontColor(create().stav3), TForm8::kStepDone);

    // Another room's "REZERVOVAT" while the window is open makes that room the chosen one, shown.
    forms().form4->CisloPokoje = 12;
    leftClick(forms().form4->RezervovatBut);
    EXPECT_EQ(create().VybranyPokoj, 12);
    EXPECT_EQ(create().stav3->text(), QStringLiteral("Dvanáctka"));

    // The menu starts without a room.
    leftClick(create().ZrusitBut);
    openCreate();
    EXPECT_EQ(create().VybranyPokoj, 0);
    EXPECT_EQ(create().stav3->text(), QStringLiteral("Pokoj nevybrán!"));
    EXPECT_EQ(TForm8::fontColor(create().krok3), TForm8::kStepUnfinished);
}

TEST_F(Reservations, TwoDayReservationOfRoomSevenWritesTheThreeFilesInOrder)
{
    writeFile(kClients, "[Global]\r\nClients=5\r\n[Client_5]\r\nFirstName=Jan\r\n");
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom7Name=Sedmička\r\n");
    book(5, 7, {kToday, kToday.addDays(1)});

    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Rezervace byla úspěšně provedena!")});
    EXPECT_FALSE(create().isVisible());
    EXPECT_EQ(bytes(kReservations), QByteArray("[Global]\r\nReservations=1\r\n"
                                               "[Reservation_1]\r\nClientID=5\r\nDays=2\r\nRoom=7\r\n"
                                               "Day1=5.3.2026\r\nDay2=6.3.2026\r\n"
                                               "[5.3.2026]\r\nRoom_7_Client=5\r\n"
                                               "[6.3.2026]\r\nRoom_7_Client=5\r\n"));
    EXPECT_EQ(bytes(kClients), QByteArray("[Global]\r\nClients=5\r\n[Client_5]\r\nFirstName=Jan\r\nLiving=1\r\n"));
    EXPECT_EQ(bytes(kRooms), QByteArray("[DefaultsRooms]\r\nRoom7Name=Sedmička\r\n"
                                        "[Rooms_5.3.2026]\r\nRoom7Status=FULL\r\nRoom7ClientID=5\r\n"
                                        "[Rooms_6.3.2026]\r\nRoom7Status=FULL\r\nRoom7ClientID=5\r\n")
                                 .replace("č", "\xE8"));

    // The next one is number 2, and one reserved-day section holds several rooms.
    book(5, 12, {kToday});
    EXPECT_EQ(stored(kReservations, QStringLiteral("Global"), QStringLiteral("Reservations")), QStringLiteral("2"));
    EXPECT_EQ(stored(kReservations, QStringLiteral("5.3.2026"), QStringLiteral("Room_12_Client")), QStringLiteral("5"));
    EXPECT_EQ(stored(kReservations, QStringLiteral("5.3.2026"), QStringLiteral("Room_7_Client")), QStringLiteral("5"));
}

TEST_F(Reservations, ConflictIsRefusedWithoutWritingAndAcceptedAfterCancelling)
{
    book(5, 7, {kToday, kToday.addDays(1)});
    const QByteArray reservationsBefore = bytes(kReservations);
    const QByteArray clientsBefore = bytes(kClients);
    const QByteArray roomsBefore = bytes(kRooms);
    dialogs.record.shown.clear();

    book(6, 7, {kToday.addDays(1), kToday.addDays(2)});
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Vybraný pokoj je v některý z dnů již rezervován!")});
    EXPECT_TRUE(create().isVisible());
    EXPECT_EQ(bytes(kReservations), reservationsBefore);
    EXPECT_EQ(bytes(kClients), clientsBefore);
    EXPECT_EQ(bytes(kRooms), roomsBefore);

    cancelReservation(1);
    dialogs.record.shown.clear();
    reserve();
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Rezervace byla úspěšně provedena!")});
    EXPECT_EQ(stored(kReservations, QStringLiteral("Reservation_2"), QStringLiteral("ClientID")), QStringLiteral("6"));
    EXPECT_EQ(stored(kReservations, text(kToday.addDays(1)), QStringLiteral("Room_7_Client")), QStringLiteral("6"));
}

TEST_F(Reservations, ConflictIsReportedEvenWithUnfinishedSteps)
{
    book(5, 7, {kToday});
    dialogs.record.shown.clear();
    openCreate(); // every step red
    leftClick(create().VyprazdnitBut);
    addDay(kToday);
    pickRoom(7);
    TForm8::setFontColor(create().krok2, TForm8::kStepUnfinished);
    reserve();
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Vybraný pokoj je v některý z dnů již rezervován!")});
}

// Each row leaves one thing undone; the reservation is refused with chyba_kroky and nothing is written.
struct UnfinishedCase
{
    const char* name;
    std::function<void(TForm7& menu, TForm8& create)> undo;
};

class UnfinishedStep : public Reservations, public ::testing::WithParamInterface<UnfinishedCase>
{
};

TEST_P(UnfinishedStep, IsRefusedAndWritesNothing)
{
    openCreate();
    pickGuest(5, QStringLiteral("A"));
    leftClick(create().VyprazdnitBut);
    addDay(kToday);
    pickRoom(7);
    GetParam().undo(menu(), create());
    reserve();
    EXPECT_EQ(shownTexts(),
              QStringList{QStringLiteral("Pokoj není možné zarezervovat. Nejsou zvoleny všechny potřebné údaje!")});
    EXPECT_TRUE(create().isVisible());
    EXPECT_FALSE(QFile::exists(dataDirectory() + kReservations));
    EXPECT_FALSE(QFile::exists(dataDirectory() + kClients));
    EXPECT_FALSE(QFile::exists(dataDirectory() + kRooms));
}

INSTANTIATE_TEST_SUITE_P(
    Reservations, UnfinishedStep,
    ::testing::Values(UnfinishedCase{"NoGuestChosen",
                                     [](TForm7&, TForm8& w) {
                                         TForm8::setFontColor(w.krok1, TForm8::kStepUnfinished);
                                     }},
                      UnfinishedCase{"DaysEmptied", [](TForm7&, TForm8& w) { leftClick(w.VyprazdnitBut); }},
                      UnfinishedCase{"LastDayRemoved",
                                     [](TForm7&, TForm8& w) {
                                         w.terminy->setCurrentRow(0);
                                         leftClick(w.OdebratBut);
                                     }},
                      UnfinishedCase{"NoRoomChosen",
                                     [](TForm7&, TForm8& w) {
                                         w.VybranyPokoj = 0;
                                         TForm8::setFontColor(w.krok3, TForm8::kStepUnfinished);
                                     }},
                      // The menu resets the chosen room while the window stays open with step 3 green.
                      UnfinishedCase{"RoomResetByTheMenu",
                                     [](TForm7& menu, TForm8& w) {
                                         leftClick(menu.VytvoritRezervaciBut);
                                         ASSERT_EQ(TForm8::fontColor(w.krok3), TForm8::kStepDone);
                                     }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Reservations, NoReservationWithoutAStoredGuest)
{
    openCreate();
    pickGuest(5, QStringLiteral("A"));
    forms().form3->CisloHosta = 0; // the card was opened for a new guest and left unsaved
    addDay(kToday);
    pickRoom(7);
    reserve();
    EXPECT_EQ(shownTexts(), QStringList{TForm8::kNoStoredGuest});
    EXPECT_TRUE(create().isVisible());
    EXPECT_FALSE(QFile::exists(dataDirectory() + kReservations));
}

TEST_F(Reservations, StoredForTheCardsGuestNotTheNameOnTheLabel)
{
    openCreate();
    pickGuest(2, QStringLiteral("Alfa Anna"));
    forms().form3->CisloHosta = 3; // guest B saved on the card afterwards
    addDay(kToday);
    pickRoom(7);
    reserve();
    EXPECT_EQ(stored(kReservations, QStringLiteral("Reservation_1"), QStringLiteral("ClientID")), QStringLiteral("3"));
    EXPECT_EQ(stored(kClients, QStringLiteral("Client_3"), QStringLiteral("Living")), QStringLiteral("1"));
    EXPECT_EQ(stored(kClients, QStringLiteral("Client_2"), QStringLiteral("Living")), QStringLiteral("<absent>"));
    EXPECT_EQ(stored(kRooms, QStringLiteral("Rooms_5.3.2026"), QStringLiteral("Room7ClientID")), QStringLiteral("3"));
}

// Cancelling: the guest's Living flag counts every reservation of the guest, cancelled ones included.
struct CancelCase
{
    const char* name;
    std::vector<int> guestsOfReservations; // reservation n (from 1) is for guestsOfReservations[n - 1]
    std::vector<int> cancelled;            // in this order
    const char* living;                    // guest 5's flag afterwards
};

class Cancelling : public Reservations, public ::testing::WithParamInterface<CancelCase>
{
};

TEST_P(Cancelling, SetsLivingFromTheGuestsReservationCount)
{
    int room = 1;
    for (int guest : GetParam().guestsOfReservations)
        book(guest, room++, {kToday});
    for (int n : GetParam().cancelled)
        cancelReservation(n);
    EXPECT_EQ(stored(kClients, QStringLiteral("Client_5"), QStringLiteral("Living")),
              QString::fromLatin1(GetParam().living));
}

INSTANTIATE_TEST_SUITE_P(Reservations, Cancelling,
                         ::testing::Values(CancelCase{"OneReservation", {5}, {1}, "0"},
                                           CancelCase{"OneOfTwo", {5, 5}, {1}, "1"},
                                           CancelCase{"OtherOfTwo", {5, 5}, {2}, "1"},
                                           CancelCase{"BothOfTwo", {5, 5}, {2, 1}, "1"},
                                           CancelCase{"OtherGuestsDoNotCount", {5, 6, 6}, {1}, "0"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(Reservations, CancellingFreesTheDaysAndPutsTheDefaultStatusBack)
{
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom8Status=FREE\r\n");
    book(5, 7, {kToday, kToday.addDays(1)}); // room 7 has no default status
    book(5, 8, {kToday});
    book(6, 7, {kToday.addDays(2)});
    dialogs.record.shown.clear();

    cancelReservation(1);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Akce byla v pořádku provedena.")});
    const QString section = QStringLiteral("Reservation_1");
    EXPECT_EQ(stored(kReservations, section, QStringLiteral("Active")), QStringLiteral("0"));
    EXPECT_EQ(stored(kReservations, section, QStringLiteral("Canceled")), QStringLiteral("1"));
    EXPECT_EQ(stored(kReservations, section, QStringLiteral("Canceled_date")), QStringLiteral("5.3.2026 14:05:09"));
    EXPECT_EQ(stored(kReservations, section, QStringLiteral("Day2")), QStringLiteral("6.3.2026"));
    for (const QDate& d : {kToday, kToday.addDays(1)}) {
        EXPECT_EQ(stored(kReservations, text(d), QStringLiteral("Room_7_Client")), QStringLiteral("<absent>"));
        EXPECT_EQ(stored(kRooms, QStringLiteral("Rooms_") + text(d), QStringLiteral("Room7Status")),
                  QStringLiteral("--"));
        // The booked guest stays recorded in the room state file.
        EXPECT_EQ(stored(kRooms, QStringLiteral("Rooms_") + text(d), QStringLiteral("Room7ClientID")),
                  QStringLiteral("5"));
    }
    // Other rooms and other reservations of the room keep their holds.
    EXPECT_EQ(stored(kReservations, text(kToday), QStringLiteral("Room_8_Client")), QStringLiteral("5"));
    EXPECT_EQ(stored(kReservations, text(kToday.addDays(2)), QStringLiteral("Room_7_Client")), QStringLiteral("6"));
    EXPECT_EQ(listedNumbers(cancelWindow().prehled), (QStringList{QStringLiteral("2"), QStringLiteral("3")}));

    cancelReservation(2);
    EXPECT_EQ(stored(kRooms, QStringLiteral("Rooms_5.3.2026"), QStringLiteral("Room8Status")), QStringLiteral("FREE"));
}

TEST_F(Reservations, CancelButtonWithoutSelectionDoesNothing)
{
    book(5, 7, {kToday});
    const QByteArray before = bytes(kReservations);
    dialogs.record.shown.clear();
    cancelWindow().show();
    cancelWindow().prehled->clearSelection();
    leftClick(cancelWindow().ZrusitRezervaciBut);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(bytes(kReservations), before);
}

TEST_F(Reservations, AReservationCancelledMeanwhileIsOnlyDroppedFromTheList)
{
    book(5, 7, {kToday});
    book(6, 7, {kToday.addDays(1)});
    cancelWindow().show();
    cancelWindow().prehled->setCurrentItem(cancelWindow().prehled->topLevelItem(0));
    // Another desk cancels reservation 1 and books the room again for the same guest on its day.
    TIniFile(dataDirectory() + kReservations)
        .WriteString(QStringLiteral("Reservation_1"), QStringLiteral("Active"), QStringLiteral("0"));
    TIniFile(dataDirectory() + kReservations)
        .WriteString(text(kToday), QStringLiteral("Room_7_Client"), QStringLiteral("5"));
    const QByteArray before = bytes(kReservations);
    dialogs.record.shown.clear();

    leftClick(cancelWindow().ZrusitRezervaciBut);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(bytes(kReservations), before);
    EXPECT_EQ(listedNumbers(cancelWindow().prehled), QStringList{QStringLiteral("2")});
}

TEST_F(Reservations, OverviewListsActiveReservationsWithNamesAndNotes)
{
    writeFile(kClients, "[Client_2]\r\nFirstName=Jan\r\nMiddleName=Karel\r\nSurName=Novák\r\nComment=VIP\r\n"
                        "[Client_3]\r\nFirstName=Eva\r\nSurName=Malá\r\n");
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom7Name=Sedmička\r\n");
    writeFile(kReservations, "[Global]\r\nReservations=4\r\n"
                             "[Reservation_1]\r\nClientID=2\r\nDays=2\r\nRoom=7\r\n"
                             "[Reservation_2]\r\nClientID=3\r\nDays=1\r\nRoom=9\r\nActive=0\r\nCanceled=1\r\n"
                             "[Reservation_3]\r\nClientID=3\r\nDays=1\r\nRoom=9\r\n"
                             "[Reservation_4]\r\nClientID=77\r\nDays=3\r\nRoom=7\r\n");
    overview().show();
    QTreeWidget* list = overview().prehled;
    ASSERT_EQ(list->topLevelItemCount(), 3);
    const auto row = [&](int i) {
        QStringList cells;
        for (int c = 0; c < TForm10::kColumnCount; ++c)
            cells << list->topLevelItem(i)->text(c);
        return cells;
    };
    EXPECT_EQ(row(0), (QStringList{QStringLiteral("1"), QStringLiteral("Sedmička"), QStringLiteral("Novák Karel Jan"),
                                   QStringLiteral("2"), QStringLiteral("VIP")}));
    EXPECT_EQ(row(1), (QStringList{QStringLiteral("3"), QStringLiteral("--"), QStringLiteral("Malá  Eva"),
                                   QStringLiteral("1"), QString()}));
    // A guest missing from the guest file: a name of two spaces and no note.
    EXPECT_EQ(row(2), (QStringList{QStringLiteral("4"), QStringLiteral("Sedmička"), QStringLiteral("  "),
                                   QStringLiteral("3"), QString()}));

    EXPECT_EQ(list->headerItem()->text(TForm10::kPokoj), QStringLiteral("Pokoj:"));
    EXPECT_EQ(list->columnWidth(TForm10::kId), 40);
    EXPECT_EQ(list->columnWidth(TForm10::kPokoj), 70);
    EXPECT_EQ(list->topLevelItem(0)->textAlignment(TForm10::kId) & Qt::AlignHorizontal_Mask, 0);
    for (int c = TForm10::kPokoj; c < TForm10::kColumnCount; ++c)
        EXPECT_EQ(list->topLevelItem(0)->textAlignment(c) & Qt::AlignHorizontal_Mask, Qt::AlignHCenter) << c;

    // The cancel window copies the same rows.
    cancelWindow().show();
    EXPECT_EQ(listedNumbers(cancelWindow().prehled), listedNumbers(list));
    EXPECT_EQ(cancelWindow().prehled->topLevelItem(0)->text(TForm10::kJmeno), QStringLiteral("Novák Karel Jan"));
}

TEST_F(Reservations, OverviewIsBuiltOnShowingAndOnRadioClicksOnly)
{
    overview().show();
    EXPECT_EQ(overview().prehled->topLevelItemCount(), 0); // no file: an empty list
    EXPECT_TRUE(overview().vsechny->isChecked());
    EXPECT_FALSE(overview().dnesni->isEnabled());
    EXPECT_FALSE(overview().budouci->isEnabled());
    EXPECT_FALSE(overview().vsechny->autoSave());
    EXPECT_FALSE(overview().ZobrazitBut->isVisible());

    book(5, 7, {kToday});
    EXPECT_EQ(overview().prehled->topLevelItemCount(), 0); // not rebuilt while open
    leftClick(overview().vsechny);
    EXPECT_EQ(overview().prehled->topLevelItemCount(), 1);

    // The close box hides it, like "OK".
    QCloseEvent close;
    QCoreApplication::sendEvent(&overview(), &close);
    EXPECT_FALSE(overview().isVisible());
    overview().show();
    leftClick(overview().OKBut);
    EXPECT_FALSE(overview().isVisible());
}

TEST_F(Reservations, OverviewOpensTheGuestCardAndTheRoomWindowOfTheSelectedReservation)
{
    writeFile(kReservations, "[Global]\r\nReservations=2\r\n[Reservation_1]\r\nClientID=4\r\nDays=1\r\nRoom=33\r\n"
                             "[Reservation_2]\r\nDays=1\r\nRoom=34\r\n");
    forms().form3->CisloHosta = 9;
    forms().form4->CisloPokoje = 8;
    overview().show();

    leftClick(overview().UpravitHostaBut); // nothing selected
    leftClick(overview().UpravitPokojBut);
    EXPECT_FALSE(forms().form3->isVisible());
    EXPECT_FALSE(forms().form4->isVisible());
    EXPECT_EQ(forms().form3->CisloHosta, 9);

    overview().prehled->setCurrentItem(overview().prehled->topLevelItem(0));
    leftClick(overview().UpravitHostaBut);
    EXPECT_TRUE(forms().form3->isVisible());
    EXPECT_EQ(forms().form3->CisloHosta, 4);
    leftClick(overview().UpravitPokojBut);
    EXPECT_TRUE(forms().form4->isVisible());
    EXPECT_EQ(forms().form4->CisloPokoje, 33);

    forms().form3->hide();
    overview().prehled->setCurrentItem(overview().prehled->topLevelItem(1));
    leftClick(overview().UpravitHostaBut);
    EXPECT_EQ(forms().form3->CisloHosta, 0); // no ClientID stored
}

TEST_F(Reservations, MenuLeadsToTheReservationWindows)
{
    main().show();
    leftClick(main().RezervaceBut);
    ASSERT_TRUE(menu().isVisible());
    const struct
    {
        ColorButton* button;
        TColor face;
        QWidget* opens;
    } rows[] = {{menu().RezervaceBut, clBtnFace, &overview()},
                {menu().VytvoritRezervaciBut, clLime, &create()},
                {menu().ZrusitRezervaciBut, clRed, &cancelWindow()},
                {menu().RezervaceZWebuBut, rgbColor(0xFF, 0x80, 0x00), forms().form14}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.button->caption().toStdString());
        EXPECT_EQ(row.button->color(), row.face);
        EXPECT_FALSE(row.opens->isVisible());
        leftClick(row.button);
        EXPECT_TRUE(row.opens->isVisible());
    }
    EXPECT_EQ(menu().OKBut->color(), clYellow);
    leftClick(menu().OKBut);
    EXPECT_FALSE(menu().isVisible());
}

TEST_F(Reservations, WebWindowHasItsControlsAndOnlyOkActs)
{
    TForm14& web = *forms().form14;
    web.show();
    for (const char* name :
         {"Label1", "ListBox1", "PotvrditKlientoviBut", "NacistBut", "VytvoritKlientaBut", "ZamitnoutRezervaciBut",
          "VytvoritRezervaciBut", "Label11", "MonthCalendar1", "Label12", "MonthCalendar2", "Memo1", "OKBut"}) {
        auto* control = web.findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_TRUE(control->isVisible()) << name;
    }
    EXPECT_EQ(web.NacistBut->height(), 2 * web.PotvrditKlientoviBut->height());
    EXPECT_EQ(web.Label11->text(), QStringLiteral("Od data:"));

    ASSERT_NE(web.NMHTTP1, nullptr);
    EXPECT_EQ(web.NMHTTP1->Port, 0);
    EXPECT_EQ(web.NMHTTP1->ReportLevel, 0);
    EXPECT_EQ(web.NMHTTP1->Body, QStringLiteral("Default.htm"));
    EXPECT_EQ(web.NMHTTP1->Header, QStringLiteral("Head.txt"));
    EXPECT_FALSE(web.NMHTTP1->InputFileMode);
    EXPECT_FALSE(web.NMHTTP1->OutputFileMode);
    EXPECT_EQ(web.NMHTTP1->ProxyPort, 0);

    const QStringList filesBefore = QDir(dataDirectory()).entryList(QDir::Files);
    for (ColorButton* b : {web.PotvrditKlientoviBut, web.NacistBut, web.VytvoritKlientaBut, web.ZamitnoutRezervaciBut,
                           web.VytvoritRezervaciBut})
        leftClick(b);
    EXPECT_TRUE(shownTexts().isEmpty());
    EXPECT_EQ(QDir(dataDirectory()).entryList(QDir::Files), filesBefore);
    EXPECT_TRUE(web.isVisible());
    EXPECT_EQ(web.ListBox1->count(), 0);

    leftClick(web.OKBut);
    EXPECT_FALSE(web.isVisible());
}

// The road of one reservation: main window → menu → create → guest, days, room on the plan →
// "Zarezervovat!" → the reception plan shows the room red on those days at its next reload.
TEST_F(Reservations, RoadOfOneReservation)
{
    writeFile(kClients, "[Global]\r\nClients=2\r\n[Client_2]\r\nFirstName=Jana\r\nSurName=Dvořák\r\n");
    writeFile(kRooms, "[DefaultsRooms]\r\nRoom23Name=23\r\nRoom23Status=FREE\r\n");
    const QDate first = kToday.addDays(3);
    const QDate second = kToday.addDays(4);

    main().show();
    leftClick(main().RezervaceBut);
    leftClick(menu().VytvoritRezervaciBut);
    ASSERT_TRUE(create().isVisible());
    pickGuest(2, QStringLiteral("Dvořák Jana"));
    addDay(first);
    addDay(second);
    leftClick(create().VyberPokojeBut);
    ASSERT_TRUE(plan().isVisible());
    EXPECT_EQ(plan().Datum->date(), second); // the calendar's day
    leftClick(plan().tile(23));
    EXPECT_FALSE(plan().isVisible());
    EXPECT_EQ(create().stav3->text(), QStringLiteral("23"));
    leftClick(create().ZarezervovatBut);
    EXPECT_EQ(shownTexts(), QStringList{QStringLiteral("Rezervace byla úspěšně provedena!")});
    EXPECT_FALSE(create().isVisible());

    leftClick(main().RecepceBut);
    ASSERT_TRUE(plan().isVisible());
    EXPECT_EQ(plan().Datum->date(), kToday);
    const QColor red(0xFF, 0x00, 0x00);
    EXPECT_NE(toQColor(plan().tile(23)->color()), red); // today it is free
    for (const QDate& d : {first, second}) {
        plan().Datum->setDate(d);
        leftClick(plan().NacistBut);
        EXPECT_EQ(toQColor(plan().tile(23)->color()), red) << text(d).toStdString();
    }
    plan().Datum->setDate(second.addDays(1));
    leftClick(plan().NacistBut);
    EXPECT_NE(toQColor(plan().tile(23)->color()), red);
}

} // namespace
