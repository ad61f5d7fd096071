// Reservations: storing a 14-day reservation through "Zarezervovat!" (conflict test and every write
// in one transaction, committed durably) with a Rooms.dat of 1,000 day sections, budget under
// 300 ms wall; building the reservation overview from 1,000 and 10,000 reservations, budget under
// 200 ms at 10,000.
#include "guests/guest_card_window.h"
#include "reservations/create_reservation_window.h"
#include "reservations/reservation_overview_window.h"
#include "rooms/room_state_file.h"
#include "store/ini_store.h"
#include "tests/support/test_program.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

const QDate kFirstDay(2024, 1, 1);
constexpr int kGuests = 2000;

void writeFile(const QString& path, const QByteArray& content)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
}

QByteArray dayText(const QDate& d)
{
    return d.toString(QStringLiteral("d.M.yyyy")).toLatin1();
}

// The program on a data directory of its own.
struct Desk : TestProgram
{
    Desk()
    {
        if (!build(browsers))
            qFatal("no data directory");
        clock = QDateTime(kFirstDay, QTime(12, 0));
    }
    QString path(const QString& name) const { return dataFile(name); }

    // Clients.dat of kGuests guests.
    void writeGuests()
    {
        QByteArray text = "[Global]\r\nClients=" + QByteArray::number(kGuests + 1) + "\r\n";
        for (int g = 2; g <= kGuests + 1; ++g)
            text += "[Client_" + QByteArray::number(g) + "]\r\nFirstName=Jan" + QByteArray::number(g) +
                    "\r\nMiddleName=\r\nSurName=Novak" + QByteArray::number(g) + "\r\nComment=Poznamka " +
                    QByteArray::number(g) + "\r\nLiving=0\r\n";
        writeFile(path(QStringLiteral("Clients.dat")), text);
    }
};

// Storing: a Rooms.dat of 1,000 day sections with a few booked rooms each and a Reservations.dat
// of the reservations that made them. Each iteration books a free room for 14 days.
void BM_StoreFourteenDayReservation(benchmark::State& state)
{
    Desk desk;
    desk.writeGuests();
    constexpr int kDays = 1000;
    QByteArray rooms = "[DefaultsRooms]\r\n";
    for (int n = 1; n <= Rooms::kRoomCount; ++n)
        rooms += "Room" + QByteArray::number(n) + "Name=" + QByteArray::number(n) + "\r\nRoom" + QByteArray::number(n) +
                 "Status=FREE\r\n";
    QByteArray reserved;
    for (int d = 0; d < kDays; ++d) {
        const QByteArray day = dayText(kFirstDay.addDays(d));
        rooms += "[Rooms_" + day + "]\r\n";
        reserved += "[" + day + "]\r\n";
        for (int k = 0; k < 10; ++k) {
            const QByteArray n = QByteArray::number(1 + (d * 7 + k * 31) % 300);
            rooms += "Room" + n + "Status=FULL\r\nRoom" + n + "ClientID=" + QByteArray::number(2 + d) + "\r\n";
            reserved += "Room_" + n + "_Client=" + QByteArray::number(2 + d) + "\r\n";
        }
    }
    writeFile(desk.path(QStringLiteral("Rooms.dat")), rooms);
    writeFile(desk.path(QStringLiteral("Reservations.dat")), "[Global]\r\nReservations=0\r\n" + reserved);

    TForm8& create = *desk.forms().form8;
    desk.forms().form3->CisloHosta = 2;
    for (QLabel* step : {create.krok1, create.krok2, create.krok3})
        TForm8::setFontColor(step, TForm8::kStepDone);
    int booking = 0;
    for (auto _ : state) {
        // Rooms 301 to 315 are never booked above; each booking takes the next 14 days of one of them.
        state.PauseTiming();
        create.VybranyPokoj = 301 + booking % 15;
        const QDate start = kFirstDay.addDays((booking / 15) * 14 % (kDays - 14));
        create.terminy->clear();
        for (int j = 0; j < 14; ++j)
            create.terminy->addItem(QString::fromLatin1(dayText(start.addDays(j))));
        desk.dialogs.record.shown.clear();
        state.ResumeTiming();

        create.ZarezervovatButClick();

        state.PauseTiming();
        if (desk.dialogs.record.texts() != QStringList{QStringLiteral("Rezervace byla úspěšně provedena!")})
            state.SkipWithError("the reservation was not stored");
        ++booking;
        state.ResumeTiming();
    }
    state.counters["rooms_MB"] = double(QFile(desk.path(QStringLiteral("Rooms.dat"))).size()) / 1e6;
}
BENCHMARK(BM_StoreFourteenDayReservation)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(60);

// Building the overview list from a Reservations.dat of N reservations of 3 days each.
void BM_BuildOverview(benchmark::State& state)
{
    const int count = int(state.range(0));
    Desk desk;
    desk.writeGuests();
    QByteArray rooms = "[DefaultsRooms]\r\n";
    for (int n = 1; n <= Rooms::kRoomCount; ++n)
        rooms += "Room" + QByteArray::number(n) + "Name=Pokoj " + QByteArray::number(n) + "\r\n";
    writeFile(desk.path(QStringLiteral("Rooms.dat")), rooms);
    QByteArray text = "[Global]\r\nReservations=" + QByteArray::number(count) + "\r\n";
    for (int r = 1; r <= count; ++r) {
        text += "[Reservation_" + QByteArray::number(r) + "]\r\nClientID=" + QByteArray::number(2 + r % kGuests) +
                "\r\nDays=3\r\nRoom=" + QByteArray::number(1 + r % Rooms::kRoomCount) + "\r\n";
        for (int j = 1; j <= 3; ++j)
            text += "Day" + QByteArray::number(j) + "=" + dayText(kFirstDay.addDays(r % 700 + j)) + "\r\n";
        if (r % 10 == 0)
            text += "Active=0\r\nCanceled=1\r\nCanceled_date=1.1.2024 10:00:00\r\n";
    }
    writeFile(desk.path(QStringLiteral("Reservations.dat")), text);

    TForm10& overview = *desk.forms().form10;
    overview.ZobrazitButClick(); // files parsed once, as after any earlier read
    for (auto _ : state)
        overview.ZobrazitButClick();
    state.counters["rows"] = overview.prehled->topLevelItemCount();
}
BENCHMARK(BM_BuildOverview)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with every file read from disk first (the first opening after another desk's change).
void BM_BuildOverviewFilesChanged(benchmark::State& state)
{
    const int count = int(state.range(0));
    Desk desk;
    desk.writeGuests();
    QByteArray text = "[Global]\r\nReservations=" + QByteArray::number(count) + "\r\n";
    for (int r = 1; r <= count; ++r)
        text += "[Reservation_" + QByteArray::number(r) + "]\r\nClientID=" + QByteArray::number(2 + r % kGuests) +
                "\r\nDays=3\r\nRoom=" + QByteArray::number(1 + r % Rooms::kRoomCount) +
                "\r\nDay1=1.1.2024\r\nDay2=" + "2.1.2024\r\nDay3=3.1.2024\r\n";
    writeFile(desk.path(QStringLiteral("Reservations.dat")), text);
    TForm10& overview = *desk.forms().form10;
    for (auto _ : state) {
        ini::IniStore::instance().dropCache();
        overview.ZobrazitButClick();
    }
}
BENCHMARK(BM_BuildOverviewFilesChanged)->Arg(10000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
