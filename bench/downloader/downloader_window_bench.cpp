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

bench::CurlComparisonReporter reporter("DownloaderWindow", "downloader window");

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
    reporter.own.memoryKib = worstGrowthKib;
}

void BM_Curl(benchmark::State& state)
{
    reporter.curl.memoryKib = bench::benchmarkCurl(state);
}

BENCHMARK(BM_DownloaderWindow)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Curl)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.printSummary("into the working directory");
    return 0;
}
