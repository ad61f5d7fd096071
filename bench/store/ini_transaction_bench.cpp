// A 14-day reservation as the reservation window stores it (the counter, the reservation's
// section, two keys a day in Reservations.dat, Living in Clients.dat, two keys a day in
// Rooms.dat) against a Rooms.dat of 1, 100 and 1,000 day sections: as a sequence of durable
// single writes, and as one transaction. Wall time, every write flushed to disk.
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "store/ini_transaction.h"

#include "room_file.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <optional>
#include <thread>

using namespace Qt::StringLiterals;

namespace {

constexpr int kDays = 14;
constexpr int kGuests = 2000;

// A data directory with a room file of `days` day sections, a guest register and reservations.
struct DataDirectory
{
    explicit DataDirectory(int days)
    {
        bench::writeRoomFile(file(u"Rooms.dat"_s), days);
        QByteArray clients = "[Global]\r\nClients=" + QByteArray::number(kGuests) + "\r\n";
        for (int c = 1; c <= kGuests; ++c) {
            clients += "[Client_" + QByteArray::number(c) + "]\r\n";
            for (const char* key : {"FirstName", "LastName", "Street", "City", "Zip", "Country", "Phone", "Email",
                                    "Document", "Birth", "Note", "Living"})
                clients += QByteArray(key) + "=x" + QByteArray::number(c) + "\r\n";
        }
        put(u"Clients.dat"_s, clients);
        put(u"Reservations.dat"_s, "[Global]\r\nReservations=0\r\n");
        firstDay = std::max(0, days / 2 - kDays / 2);
        megabytes = double(QFile(file(u"Rooms.dat"_s)).size()) / (1 << 20);
    }

    QString file(const QString& name) const { return dir.path() + u'/' + name; }
    void put(const QString& name, const QByteArray& bytes) const
    {
        QFile out(file(name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) || out.write(bytes) != bytes.size())
            std::abort();
    }

    QTemporaryDir dir;
    int firstDay = 0;
    double megabytes = 0;
};

// The action's reads and writes through single TIniFile writes.
struct SingleWrites
{
    const DataDirectory& data;
    int readInteger(const QString& file, const QString& section, const QString& key)
    {
        return TIniFile(data.file(file)).ReadInteger(section, key, 0);
    }
    void write(const QString& file, const QString& section, const QString& key, const QString& value)
    {
        TIniFile(data.file(file)).WriteString(section, key, value);
        ++writes;
    }
    void finish() {}
    int writes = 0;
};

// The same through one transaction.
struct OneTransaction
{
    const DataDirectory& data;
    IniTransaction transaction{data.dir.path()};
    int readInteger(const QString& file, const QString& section, const QString& key)
    {
        return transaction.ReadInteger(data.file(file), section, key, 0);
    }
    void write(const QString& file, const QString& section, const QString& key, const QString& value)
    {
        transaction.WriteString(data.file(file), section, key, value);
        ++writes;
    }
    void finish() { transaction.commit(); }
    int writes = 0;
};

// Stores one reservation of guest `guest` in room `room`; returns the number of writes.
template <typename Action> int reserve(Action&& action, const DataDirectory& data, int room, int guest)
{
    const QString reservations = u"Reservations.dat"_s;
    const int number = action.readInteger(reservations, u"Global"_s, u"Reservations"_s) + 1;
    const QString section = u"Reservation_%1"_s.arg(number);
    action.write(reservations, u"Global"_s, u"Reservations"_s, QString::number(number));
    action.write(reservations, section, u"Client"_s, QString::number(guest));
    action.write(reservations, section, u"Room"_s, QString::number(room));
    for (int k = 0; k < kDays; ++k) {
        const QString day = bench::dayText(data.firstDay + k);
        action.write(reservations, section, u"Day%1"_s.arg(k + 1), day);
        action.write(reservations, day, u"Room_%1_Client"_s.arg(room), QString::number(guest));
    }
    action.write(u"Clients.dat"_s, u"Client_%1"_s.arg(guest), u"Living"_s, u"1"_s);
    for (int k = 0; k < kDays; ++k) {
        const QString day = u"Rooms_"_s + bench::dayText(data.firstDay + k);
        action.write(u"Rooms.dat"_s, day, u"Room%1Status"_s.arg(room), u"FULL"_s);
        action.write(u"Rooms.dat"_s, day, u"Room%1ClientID"_s.arg(room), QString::number(guest));
    }
    action.finish();
    return action.writes;
}

template <typename Action> void runReservations(benchmark::State& state)
{
    const DataDirectory data(int(state.range(0)));
    ini::IniStore::instance().dropCache();
    int turn = 0;
    int writes = 0;
    for (auto _ : state) {
        // The desk has read its files before (the reception plan reads them every second), and
        // its cache trusts them once their timestamps have settled.
        state.PauseTiming();
        TIniFile(data.file(u"Rooms.dat"_s)).ReadString(u"DefaultsRooms"_s, u"Room1Name"_s, QString());
        TIniFile(data.file(u"Clients.dat"_s)).ReadString(u"Global"_s, u"Clients"_s, QString());
        TIniFile(data.file(u"Reservations.dat"_s)).ReadString(u"Global"_s, u"Reservations"_s, QString());
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        state.ResumeTiming();
        ++turn;
        writes = reserve(Action{data}, data, 1 + turn % bench::kRooms, 1 + turn % kGuests);
    }
    state.counters["rooms_file_MB"] = data.megabytes;
    state.counters["writes"] = writes;
}

void BM_ReservationAsSingleWrites(benchmark::State& state)
{
    runReservations<SingleWrites>(state);
}

void BM_ReservationAsOneTransaction(benchmark::State& state)
{
    runReservations<OneTransaction>(state);
}

} // namespace

BENCHMARK(BM_ReservationAsSingleWrites)->Arg(1)->Arg(100)->Arg(1000)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReservationAsOneTransaction)->Arg(1)->Arg(100)->Arg(1000)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
