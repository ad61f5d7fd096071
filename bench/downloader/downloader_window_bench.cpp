// The download window fetching 1 GiB (LODGERA_BENCH_BYTES overrides it) from a server thread on
// 127.0.0.1 into the working directory, START to "Download Complete!" with the progress bar and
// the event pump running, and curl fetching the same response in the same run. Prints both
// throughputs, their ratio, and the growth of this process's resident set during the download.
// Runs headless (QT_QPA_PLATFORM=offscreen unless set).
#include "bench/support/loopback_download.h"
#include "desktop/dialogs.h"
#include "downloader/downloader_window.h"
#include "net/http_client.h"
#include "tests/support/current_dir.h"
#include "tests/support/recording_dialogs.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProgressBar>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using bench::downloadBytes;
using bench::LoopbackServer;

long statusKib(const char* field)
{
    return bench::statusKib("/proc/self/status", field);
}

struct Figures
{
    double bytesPerSecond = 0;
    long memoryKib = 0;
};
Figures windowFigures;
Figures curlFigures;

void BM_DownloaderWindow(benchmark::State& state)
{
    const qint64 size = downloadBytes();
    LoopbackServer server(size);
    QTemporaryDir dir;
    const ScopedCurrentDir restoreCurrentDir;
    QDir::setCurrent(dir.path());
    RecordingDialogs dialogs;
    downloader::TForm1 form(dialogs, QStringLiteral("http://127.0.0.1:%1/files/big.bin").arg(server.port()));
    form.show();
    long worstGrowthKib = 0;
    for (auto _ : state) {
        dialogs.shown.clear();
        const long startKib = statusKib("VmRSS:");
        long peakKib = startKib;
        // Sampled while the bar moves, through the bar's own signal.
        int samples = 0;
        const auto connection = QObject::connect(form.ProgressBar1, &QProgressBar::valueChanged, [&] {
            if (++samples % 256 == 0)
                peakKib = std::max(peakKib, statusKib("VmRSS:"));
        });
        form.StartButClick();
        QObject::disconnect(connection);
        peakKib = std::max(peakKib, statusKib("VmRSS:"));
        if (dialogs.texts() != QStringList{QStringLiteral("Download Complete!")} ||
            QFile(form.Nazev->text()).size() != size) {
            state.SkipWithError("the download did not complete");
            break;
        }
        worstGrowthKib = std::max(worstGrowthKib, peakKib - startKib);
        QFile::remove(form.Nazev->text());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["rss_growth_KiB"] = double(worstGrowthKib);
    windowFigures.memoryKib = worstGrowthKib;
}

void BM_Curl(benchmark::State& state)
{
    curlFigures.memoryKib = bench::benchmarkCurl(state);
}

BENCHMARK(BM_DownloaderWindow)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Curl)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the throughput of each run for the summary.
class SummaryReporter final : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto found = run.counters.find("bytes_per_second");
            if (found == run.counters.end())
                continue;
            const std::string name = run.benchmark_name();
            if (name.find("DownloaderWindow") != std::string::npos)
                windowFigures.bytesPerSecond = found->second;
            else if (name.find("Curl") != std::string::npos)
                curlFigures.bytesPerSecond = found->second;
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double mib = 1024.0 * 1024.0;
    std::printf("\nDownload of %lld bytes over loopback into the working directory\n",
                static_cast<long long>(downloadBytes()));
    std::printf("  downloader window: %8.1f MiB/s, resident set growth during the download %ld KiB\n",
                windowFigures.bytesPerSecond / mib, windowFigures.memoryKib);
    std::printf("  curl:              %8.1f MiB/s, peak resident set of the curl process %ld KiB\n",
                curlFigures.bytesPerSecond / mib, curlFigures.memoryKib);
    if (curlFigures.bytesPerSecond > 0)
        std::printf("  ratio window/curl: %.2f (budget: at least 0.80)\n",
                    windowFigures.bytesPerSecond / curlFigures.bytesPerSecond);
    return 0;
}
