// The guest book of 10,000 room-days (2,500 reservations of four days, 400 guests, every room
// named): generating report.pdf from the data files and loading it into the viewer (budget under
// 0.5 s), the reading of the data files alone, and printing the loaded report to a PDF file at
// 300 dpi.
#include "reports/guest_book_source.h"
#include "reports/print_outputs_window.h"
#include "tests/support/test_program.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QPdfDocument>
#include <QPrinter>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr int kReservations = 2500;
constexpr int kDaysEach = 4;
constexpr int kGuests = 400;

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
}

// The program on a data directory holding the reservations, their guests and the room names.
struct Book : TestProgram
{
    Book()
    {
        if (!build(browsers))
            qFatal("no temporary data directory");
        const QDir dir(data.path());
        QByteArray clients;
        for (int g = 2; g < 2 + kGuests; ++g)
            clients += "[Client_" + QByteArray::number(g) +
                       "]\r\nFirstName=Žofie\r\nMiddleName=Šťastná\r\nSurName=Dvořáková" + QByteArray::number(g) +
                       "\r\n";
        writeFile(dir.filePath(QStringLiteral("Clients.dat")), encode(clients));

        QByteArray rooms = "[DefaultsRooms]\r\n";
        for (int n = 1; n <= 315; ++n)
            rooms += "Room" + QByteArray::number(n) + "Name=Pokoj " + QByteArray::number(n) + "\r\n";
        writeFile(dir.filePath(QStringLiteral("Rooms.dat")), rooms);

        QByteArray reservations = "[Global]\r\nReservations=" + QByteArray::number(kReservations) + "\r\n";
        for (int q = 1; q <= kReservations; ++q) {
            reservations +=
                "[Reservation_" + QByteArray::number(q) + "]\r\nClientID=" + QByteArray::number(2 + q % kGuests) +
                "\r\nDays=" + QByteArray::number(kDaysEach) + "\r\nRoom=" + QByteArray::number(1 + q % 315) + "\r\n";
            for (int d = 1; d <= kDaysEach; ++d)
                reservations +=
                    "Day" + QByteArray::number(d) + "=" + QByteArray::number(1 + (q + d) % 28) + ".3.2026\r\n";
        }
        writeFile(dir.filePath(QStringLiteral("Reservations.dat")), reservations);
        window().show();
    }

    // The guest names in the files' Windows-1250.
    static QByteArray encode(const QByteArray& utf8)
    {
        QStringEncoder encoder("windows-1250");
        return encoder.encode(QString::fromUtf8(utf8));
    }

    TForm17& window() { return *forms().form17; }
};

Book* theBook = nullptr;

// "Vygenerovat": the six steps, from reading the files to the report shown in the viewer.
void BM_GenerateAndShow(benchmark::State& state)
{
    Book& b = *theBook;
    for (auto _ : state)
        b.window().Vygen1Click();
    if (!b.dialogs.record.shown.empty())
        state.SkipWithError("the generation showed a box");
    state.counters["room_days"] = double(GuestBook::readRoomDays(b.dataDirectory()).size());
    state.counters["pages"] = b.window().report()->pageCount();
    state.counters["file_MB"] = double(QFileInfo(b.window().reportFileName()).size()) / 1e6;
}
BENCHMARK(BM_GenerateAndShow)->Unit(benchmark::kMillisecond);

// The data files alone: the reservations, each guest's and room's name.
void BM_ReadRoomDays(benchmark::State& state)
{
    const QString directory = theBook->dataDirectory();
    for (auto _ : state)
        benchmark::DoNotOptimize(GuestBook::readRoomDays(directory));
}
BENCHMARK(BM_ReadRoomDays)->Unit(benchmark::kMillisecond);

// "Tisk" onto a PDF file in place of a printer: every page rendered at 300 dpi.
void BM_PrintToFile(benchmark::State& state)
{
    Book& b = *theBook;
    b.window().Vygen1Click();
    const QString out = b.dataFile(QStringLiteral("printed.pdf"));
    b.window().choosePrinter = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(out);
        return true;
    };
    for (auto _ : state)
        b.window().TiskButClick();
    state.counters["pages"] = b.window().report()->pageCount();
    state.counters["file_MB"] = double(QFileInfo(out).size()) / 1e6;
}
BENCHMARK(BM_PrintToFile)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    auto b = std::make_unique<Book>();
    theBook = b.get();
    benchmark::RunSpecifiedBenchmarks();
    b.reset();
    benchmark::Shutdown();
    return 0;
}
