// Store figures on room files of 1 to 10,000 day sections (315 rooms, two keys a room a day):
// the reception reload (1,260 effective reads) of an unchanged file, the first read after another
// process replaced the file, one durable WriteString, and the memory a cached file takes.
#include "store/ini_file.h"
#include "store/ini_store.h"

#include "room_file.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>
#include <thread>

#include <malloc.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using bench::dayText;
using bench::kRooms;
using bench::writeRoomFile;

// One reception reload: the effective name and status of every room on one day.
template <typename Reader = TIniFile> void receptionReload(const QString& path, const QString& day)
{
    Reader ini(path);
    const QString section = u"Rooms_"_s + day;
    for (int r = 1; r <= kRooms; ++r) {
        const QString nameKey = u"Room%1Name"_s.arg(r);
        const QString statusKey = u"Room%1Status"_s.arg(r);
        QString name = ini.ReadString(u"DefaultsRooms"_s, nameKey, u"--"_s);
        name = ini.ReadString(section, nameKey, name);
        QString status = ini.ReadString(u"DefaultsRooms"_s, statusKey, u"NONE"_s);
        status = ini.ReadString(section, statusKey, status);
        benchmark::DoNotOptimize(name);
        benchmark::DoNotOptimize(status);
    }
}

long residentKiB()
{
    FILE* f = std::fopen("/proc/self/statm", "r");
    long pages = 0;
    long resident = 0;
    if (f) {
        if (std::fscanf(f, "%ld %ld", &pages, &resident) != 2)
            resident = 0;
        std::fclose(f);
    }
    return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// Room files by size, made once per run: the file and two variants for replacing it.
struct RoomFiles
{
    QTemporaryDir dir;
    QString file;
    QString variant[2];
    double megabytes = 0;
};

RoomFiles& roomFiles(int days)
{
    static std::map<int, std::unique_ptr<RoomFiles>> made;
    auto& files = made[days];
    if (!files) {
        files = std::make_unique<RoomFiles>();
        files->file = files->dir.path() + u"/Rooms.dat"_s;
        for (int v = 0; v < 2; ++v) {
            files->variant[v] = files->dir.path() + u"/variant%1"_s.arg(v);
            writeRoomFile(files->variant[v], days, v);
        }
        writeRoomFile(files->file, days, 0);
        files->megabytes = double(QFile(files->file).size()) / (1 << 20);
    }
    return *files;
}

// Heap bytes in use (every cached byte is written when loaded, so it is resident).
double heapMegabytes()
{
    const struct mallinfo2 info = mallinfo2();
    return double(info.uordblks + info.hblkhd) / (1 << 20);
}

void settle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

void BM_ReceptionReloadUnchanged(benchmark::State& state)
{
    const int days = int(state.range(0));
    RoomFiles& files = roomFiles(days);
    const QString day = dayText(days / 2);
    ini::IniStore::instance().dropCache();
    const double heapBefore = heapMegabytes();
    receptionReload(files.file, day);
    const double cacheMegabytes = heapMegabytes() - heapBefore;
    settle();
    receptionReload(files.file, day);
    const auto loads = ini::IniStore::instance().loadCount();
    for (auto _ : state)
        receptionReload(files.file, day);
    state.counters["file_MB"] = files.megabytes;
    state.counters["reloads_from_disk"] = double(ini::IniStore::instance().loadCount() - loads);
    state.counters["cache_MB"] = cacheMegabytes;
    state.counters["process_RSS_MB"] = double(residentKiB()) / 1024;
}

// The same reload through one IniSnapshot: one look at the file, then hash lookups.
void BM_ReceptionReloadSnapshot(benchmark::State& state)
{
    const int days = int(state.range(0));
    RoomFiles& files = roomFiles(days);
    const QString day = dayText(days / 2);
    receptionReload<IniSnapshot>(files.file, day);
    settle();
    receptionReload<IniSnapshot>(files.file, day);
    const auto loads = ini::IniStore::instance().loadCount();
    for (auto _ : state)
        receptionReload<IniSnapshot>(files.file, day);
    state.counters["reloads_from_disk"] = double(ini::IniStore::instance().loadCount() - loads);
}

// The cost of building the 630 key names of one reload, included in both reload figures.
void BM_ReloadKeyNamesOnly(benchmark::State& state)
{
    for (auto _ : state)
        for (int r = 1; r <= kRooms; ++r) {
            QString nameKey = u"Room%1Name"_s.arg(r);
            QString statusKey = u"Room%1Status"_s.arg(r);
            benchmark::DoNotOptimize(nameKey);
            benchmark::DoNotOptimize(statusKey);
        }
}

void BM_FirstReadAfterOtherProcessWrote(benchmark::State& state)
{
    const int days = int(state.range(0));
    RoomFiles& files = roomFiles(days);
    const QString day = u"Rooms_"_s + dayText(days / 2);
    const QByteArray target = QFile::encodeName(files.file);
    const QByteArray temp = QFile::encodeName(files.dir.path() + u"/.replacement"_s);
    ini::IniStore::instance().dropCache();
    TIniFile ini(files.file);
    int turn = 0;
    for (auto _ : state) {
        state.PauseTiming();
        // What another copy of the program does: a new file renamed over the old one.
        const QByteArray source = QFile::encodeName(files.variant[turn++ % 2]);
        if (::link(source.constData(), temp.constData()) != 0 || ::rename(temp.constData(), target.constData()) != 0)
            state.SkipWithError("cannot replace the file");
        state.ResumeTiming();
        benchmark::DoNotOptimize(ini.ReadString(day, u"Room7Status"_s, u"NONE"_s));
    }
    state.counters["file_MB"] = files.megabytes;
    // Leave a file of its own behind for the write benchmark (the last one is a variant's link).
    QFile::remove(files.file);
    writeRoomFile(files.file, days, 0);
}

void BM_WriteStringDurable(benchmark::State& state)
{
    const int days = int(state.range(0));
    RoomFiles& files = roomFiles(days);
    const QString day = u"Rooms_"_s + dayText(days / 2);
    ini::IniStore::instance().dropCache();
    TIniFile ini(files.file);
    int turn = 0;
    for (auto _ : state)
        ini.WriteString(day, u"Room7Status"_s, turn++ % 2 ? u"CLEAN"_s : u"FREE"_s);
    state.counters["file_MB"] = files.megabytes;
}

} // namespace

BENCHMARK(BM_ReceptionReloadUnchanged)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReceptionReloadSnapshot)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReloadKeyNamesOnly)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FirstReadAfterOtherProcessWrote)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteStringDurable)->Arg(1)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
