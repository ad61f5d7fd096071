// The reception plan's work each second: one reload from a Rooms.dat of 10,000 day sections (reads
// and widget updates) and the repaint of the whole plan, offscreen. Budget: reload and repaint of
// the 315 tiles together under 16 ms.
#include "rooms/floor_names.h"
#include "rooms/reception_window.h"
#include "rooms/room_state_file.h"
#include "tests/support/test_program.h"
#include "widgets/screw_panel.h"

#include <QApplication>
#include <QDateEdit>
#include <QFile>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kDaySections = 10000;
const QDate kFirstDay(2000, 1, 1);
// Two days whose plans differ in every tile: names and statuses of all 315 rooms.
const QDate kPlainDay = kFirstDay.addDays(kDaySections - 2);
const QDate kFullDay = kFirstDay.addDays(kDaySections - 1);

// The program on a data directory whose Rooms.dat has collected 10,000 day sections.
struct Board : TestProgram
{
    Board()
    {
        if (!build(browsers))
            qFatal("no temporary data directory");
        clock = QDateTime(kPlainDay, QTime(12, 0));

        QByteArray text = "[DefaultsRooms]\r\n";
        const char* words[] = {"FREE", "FULL", "CLEAN", "SERVICE"};
        for (int n = 1; n <= Rooms::kRoomCount; ++n)
            text += "Room" + QByteArray::number(n) + "Name=" + QByteArray::number(100 + n) + "\r\nRoom" +
                    QByteArray::number(n) + "Status=" + words[n % 4] + "\r\n";
        for (int d = 0; d < kDaySections; ++d) {
            const QDate day = kFirstDay.addDays(d);
            text += "[" + Rooms::RoomStateFile::daySection(day).toLatin1() + "]\r\n";
            if (day == kFullDay) {
                for (int n = 1; n <= Rooms::kRoomCount; ++n)
                    text += "Room" + QByteArray::number(n) + "Name=P" + QByteArray::number(n) + "\r\nRoom" +
                            QByteArray::number(n) + "Status=" + words[(n + 1) % 4] + "\r\n";
                continue;
            }
            // A few reserved rooms a day, as reservations leave them.
            for (int k = 0; k < 8; ++k) {
                const QByteArray n = QByteArray::number(1 + (d * 7 + k * 37) % Rooms::kRoomCount);
                text += "Room" + n + "Status=FULL\r\nRoom" + n + "ClientID=" + QByteArray::number(2 + d % 500) + "\r\n";
            }
        }
        QFile f(dataFile(Rooms::RoomStateFile::kFileName));
        f.open(QIODevice::WriteOnly);
        f.write(text);
        f.close();
        fileBytes = text.size();

        plan().Rezim = TForm5::kRezimForm1;
        plan().show();
        QCoreApplication::processEvents();
    }

    TForm5& plan() { return *forms().form5; }

    qint64 fileBytes = 0;
};

// Built once in main, inside the application object's lifetime.
Board* theBoard = nullptr;

Board& board()
{
    return *theBoard;
}

// The steady state: the file and the plan unchanged since the last second.
void BM_ReloadUnchanged(benchmark::State& state)
{
    Board& b = board();
    b.plan().Datum->setDate(kPlainDay);
    b.plan().NacistStav();
    for (auto _ : state)
        b.plan().NacistStav();
    state.counters["file_MB"] = double(b.fileBytes) / 1e6;
}
BENCHMARK(BM_ReloadUnchanged)->Unit(benchmark::kMillisecond);

// The reads alone: 15 floor names and 1,260 values of Rooms.dat.
void BM_ReadsOnly(benchmark::State& state)
{
    Board& b = board();
    const Rooms::RoomStateFile rooms(b.dataFile(Rooms::RoomStateFile::kFileName));
    for (auto _ : state) {
        benchmark::DoNotOptimize(Rooms::readFloorNames(b.dataFile(QStringLiteral("hotel.ini"))));
        benchmark::DoNotOptimize(rooms.readPlan(kPlainDay));
    }
}
BENCHMARK(BM_ReadsOnly)->Unit(benchmark::kMillisecond);

// Every tile changes caption and colour, and the whole plan is painted.
void BM_ReloadAllChangedAndRepaint(benchmark::State& state)
{
    Board& b = board();
    bool full = false;
    for (auto _ : state) {
        full = !full;
        b.plan().Datum->setDate(full ? kFullDay : kPlainDay);
        b.plan().NacistStav();
        b.plan().repaint();
    }
}
BENCHMARK(BM_ReloadAllChangedAndRepaint)->Unit(benchmark::kMillisecond);

// The widget side alone: every tile's caption and colour changed, without reads or painting.
void BM_TileUpdatesOnly(benchmark::State& state)
{
    Board& b = board();
    bool flip = false;
    for (auto _ : state) {
        flip = !flip;
        for (int n = 1; n <= Rooms::kRoomCount; ++n) {
            b.plan().tile(n)->setCaption(flip ? QStringLiteral("A") : QStringLiteral("B"));
            b.plan().tile(n)->setColor(flip ? clRed : clLime);
        }
        QCoreApplication::sendPostedEvents();
    }
}
BENCHMARK(BM_TileUpdatesOnly)->Unit(benchmark::kMillisecond);

// Painting the whole window: 315 screw-panel tiles, labels, counters, clock and buttons.
void BM_RepaintWholePlan(benchmark::State& state)
{
    Board& b = board();
    for (auto _ : state)
        b.plan().repaint();
}
BENCHMARK(BM_RepaintWholePlan)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto b = std::make_unique<Board>();
    theBoard = b.get();
    benchmark::RunSpecifiedBenchmarks();
    b.reset();
    benchmark::Shutdown();
    return 0;
}
