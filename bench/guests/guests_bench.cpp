// The guest register's costly moments: the guest picker filling its list from a Clients.dat of
// 1,000 and 10,000 guests (budget: under 100 ms at 10,000), and a 6000 x 4000 JPEG photograph
// loaded onto the guest card (budget: under 150 ms), beside a full-size decode by QImage.
#include "guests/guest_card_window.h"
#include "guests/guest_file.h"
#include "guests/guest_picker_window.h"
#include "guests/jpeg_decoder.h"
#include "store/ini_store.h"
#include "tests/support/test_program.h"

#include <QApplication>
#include <QBuffer>
#include <QFile>
#include <QImageWriter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <benchmark/benchmark.h>

#include <map>
#include <memory>

namespace {

QByteArray registerOf(int guests)
{
    QByteArray text = "[Global]\r\nClients=" + QByteArray::number(guests + 1) + "\r\n";
    for (int id = 2; id <= guests + 1; ++id) {
        const QByteArray n = QByteArray::number(id);
        text += "[Client_" + n + "]\r\nLiving=" + QByteArray::number(id % 2) + "\r\nTitul=Ing.\r\nFirstName=Jm\xE9no" +
                n + "\r\nMiddleName=\r\nSurName=P\xF8\xEDjmen\xED" + n + "\r\nTelephone=+420 222 " + n +
                "\r\nCellular=777 " + n + "\r\nEmail=host" + n + "@example.cz\r\nIDCardNum=" + n +
                "\r\nIDCardType=OP\r\nComment=\r\nPhoto=/data/foto/" + n + ".jpg\r\nLast=1.2.2025\r\n";
        if (id % 50 == 0)
            text += "Deleted=1\r\n";
    }
    return text;
}

// The program on a data directory; one per register size.
struct Desk : TestProgram
{
    explicit Desk(int guests)
    {
        if (!build(browsers))
            qFatal("no temporary data directory");
        QFile f(file());
        f.open(QIODevice::WriteOnly);
        f.write(registerOf(guests));
    }

    TForm13& picker() { return *forms().form13; }
    TForm3& card() { return *forms().form3; }
    QString file() const { return dataFile(GuestFile::kFileName); }
};

std::map<int, std::unique_ptr<Desk>>* desks = nullptr;

Desk& desk(int guests)
{
    auto& d = (*desks)[guests];
    if (!d) {
        d = std::make_unique<Desk>(guests);
        d->picker().show();
        QCoreApplication::processEvents();
    }
    return *d;
}

// The list filled again from an unchanged file (radio click, "Zobrazit").
void BM_PickerFill(benchmark::State& state)
{
    Desk& d = desk(int(state.range(0)));
    for (auto _ : state)
        d.picker().ZobrazitButClick();
    state.counters["rows"] = d.picker().klienti->topLevelItemCount();
}
BENCHMARK(BM_PickerFill)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// The same after the file changed (another desk saved a guest): parsed anew, then listed.
void BM_PickerFillChangedFile(benchmark::State& state)
{
    Desk& d = desk(int(state.range(0)));
    for (auto _ : state) {
        ini::IniStore::instance().dropCache();
        d.picker().ZobrazitButClick();
    }
}
BENCHMARK(BM_PickerFillChangedFile)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

// Filled and painted, as the receptionist sees it.
void BM_PickerFillAndPaint(benchmark::State& state)
{
    Desk& d = desk(int(state.range(0)));
    for (auto _ : state) {
        d.picker().ZobrazitButClick();
        d.picker().repaint();
    }
}
BENCHMARK(BM_PickerFillAndPaint)->Arg(10000)->Unit(benchmark::kMillisecond);

// The reads alone.
void BM_EnumerateOnly(benchmark::State& state)
{
    Desk& d = desk(int(state.range(0)));
    const GuestFile guests(d.file());
    for (auto _ : state)
        benchmark::DoNotOptimize(guests.enumerate());
}
BENCHMARK(BM_EnumerateOnly)->Arg(10000)->Unit(benchmark::kMillisecond);

// A 24-megapixel photograph with the detail of a real one: smooth shading and fine noise.
struct BigPhoto
{
    BigPhoto()
    {
        QImage image(6000, 4000, QImage::Format_RGB32);
        QRandomGenerator random(7);
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const int noise = int(random.bounded(24));
                line[x] = qRgb((x / 24 + noise) & 0xFF, (y / 16 + noise) & 0xFF, ((x + y) / 40 + noise) & 0xFF);
            }
        }
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(90);
        writer.write(image);
        path = dir.filePath(QStringLiteral("velka.jpg"));
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
    }

    QTemporaryDir dir;
    QByteArray bytes;
    QString path;
};

BigPhoto* bigPhoto = nullptr;

// What the card does when its photo box is left: read the file, decode at the box's size, show.
void BM_CardLoadsBigPhoto(benchmark::State& state)
{
    Desk& d = desk(1000);
    d.card().FotoPath->setFileName(bigPhoto->path);
    for (auto _ : state)
        d.card().loadFoto();
    state.counters["file_MB"] = double(bigPhoto->bytes.size()) / 1e6;
}
BENCHMARK(BM_CardLoadsBigPhoto)->Unit(benchmark::kMillisecond);

// The decoder alone, at the card's box and at full size.
void BM_DecodeAtBox(benchmark::State& state)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bigPhoto->bytes.constData());
    for (auto _ : state)
        benchmark::DoNotOptimize(Photo::decodeJpeg(data, std::size_t(bigPhoto->bytes.size()), 180, 240));
}
BENCHMARK(BM_DecodeAtBox)->Unit(benchmark::kMillisecond);

void BM_DecodeFullSize(benchmark::State& state)
{
    const auto* data = reinterpret_cast<const std::uint8_t*>(bigPhoto->bytes.constData());
    for (auto _ : state)
        benchmark::DoNotOptimize(Photo::decodeJpeg(data, std::size_t(bigPhoto->bytes.size())));
}
BENCHMARK(BM_DecodeFullSize)->Unit(benchmark::kMillisecond);

// For comparison: QImage decoding the whole picture, as a plain QImage(path) load would.
void BM_QImageFullDecode(benchmark::State& state)
{
    for (auto _ : state) {
        QImage image;
        image.loadFromData(bigPhoto->bytes, "JPEG");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_QImageFullDecode)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    std::map<int, std::unique_ptr<Desk>> all;
    desks = &all;
    auto photo = std::make_unique<BigPhoto>();
    bigPhoto = photo.get();
    benchmark::RunSpecifiedBenchmarks();
    all.clear();
    photo.reset();
    benchmark::Shutdown();
    return 0;
}
