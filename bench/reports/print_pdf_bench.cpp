// The guest book's load on the PDF writer: 10,000 list lines (three texts each) over 112 pages,
// every page with its frame and heading, saved to a file. Reports time, file size and peak memory.
#include "lodgera_version.h"
#include "reports/print_pdf.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <sys/resource.h>

namespace {

constexpr int kLines = 10000;

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB on Linux
}

// Peak memory of the process before any document, so the growth below is the writer's share.
const double kRssAtStart = peakRssMiB();

void drawFrame(TPrintPDF& pdf)
{
    pdf.LineWidth = 3;
    pdf.DrawRectangle(12, 12, 600, 780);
    pdf.DrawLine(12, 40, 600, 40);
    pdf.LineWidth = 2;
    pdf.DrawLine(430, 11, 430, 39);
    pdf.DrawLine(300, 41, 300, 69);
    pdf.DrawLine(12, 70, 600, 70);
    pdf.DrawLine(12, 760, 600, 760);
    pdf.DrawLine(275, 71, 275, 760);
    pdf.DrawLine(545, 71, 545, 760);
    pdf.DrawLine(12, 85, 600, 85);
    pdf.LineWidth = 1;
    for (int x : {154, 198, 235, 417, 465, 505})
        pdf.DrawLine(x, 71, x, 760);
    for (int i = 0; i < 44; ++i)
        pdf.DrawLine(13, 100 + 15 * i, 600, 100 + 15 * i);
}

void drawHeading(TPrintPDF& pdf, int page)
{
    pdf.Font.FontNumber = 1;
    pdf.Font.FontSize = 15;
    pdf.TextOut(50, 32, QStringLiteral("Ubytovací kniha"));
    pdf.TextOut(20, 60, QStringLiteral("Ubytovaní hosté:"));
    pdf.TextOut(450, 32, QStringLiteral("Datum: 5.3.2024"));
    pdf.TextOut(320, 32, QStringLiteral("Strana: %1. ").arg(page));
    pdf.Font.FontNumber = 8;
    pdf.Font.FontSize = 10;
    pdf.TextOut(25, 775, QStringLiteral("Výpis byl vytvoren aplikací Lodgera " LODGERA_VERSION_TEXT " 5.3.2024"));
    const QString header = QStringLiteral("Jméno hosta:") + QString(35, u' ') + QStringLiteral("Den:") +
                           QString(8, u' ') + QStringLiteral("Pokoj:");
    pdf.TextOut(25, 80, header);
    pdf.TextOut(290, 80, header + QString(22, u' ') + QStringLiteral("Kontrola:"));
}

void BM_GuestBook10000Lines(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString fileName = QDir(dir.path()).filePath(QStringLiteral("report.pdf"));
    QStringList names;
    for (int i = 0; i < 50; ++i)
        names.append(QStringLiteral("Dvořák%1 Jiří Ťoupalík").arg(i));

    int pages = 0;
    for (auto _ : state) {
        TPrintPDF pdf;
        pdf.TITLE = QStringLiteral("Titulek");
        pdf.FileName = fileName;
        pdf.BeginDoc();
        int page = 1;
        drawFrame(pdf);
        drawHeading(pdf, page);
        int lineCounter = 0;
        int column = 0;
        int row = 0;
        for (int line = 0; line < kLines; ++line) {
            if (lineCounter == 45 && column == 0) {
                column = 1;
                row = 0;
            }
            if (lineCounter == 90) {
                column = 0;
                row = 0;
                ++page;
                lineCounter = 1;
                pdf.NewPage();
                drawFrame(pdf);
                drawHeading(pdf, page);
            }
            ++row;
            ++lineCounter;
            const int x0 = 265 * column;
            const int y = 81 + 15 * row;
            pdf.TextOut(x0 + 20, y, names[line % names.size()]);
            pdf.TextOut(x0 + 156, y, QStringLiteral("%1.3.2024").arg(1 + line % 28));
            pdf.TextOut(x0 + 205, y, QStringLiteral("? (%1)").arg(1 + line % 315));
        }
        pdf.EndDoc();
        pages = pdf.PageNumber();
    }
    state.counters["pages"] = pages;
    state.counters["file_MiB"] = double(QFile(fileName).size()) / (1024.0 * 1024.0);
    state.counters["peak_rss_MiB"] = peakRssMiB();
    state.counters["peak_rss_growth_MiB"] = peakRssMiB() - kRssAtStart;
}
BENCHMARK(BM_GuestBook10000Lines)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
