// Downloads of 1 GiB (LODGERA_BENCH_BYTES overrides it) from a server thread on 127.0.0.1 into a
// file, once with TNMHTTP (body and header to files, the event pump running Qt events as the
// downloader's does) and once with curl, in the same run. Prints both throughputs, their ratio,
// and peak memory: for TNMHTTP the growth of this process's resident set during the download, for
// curl its peak resident set.
#include "bench/support/loopback_download.h"
#include "net/http_client.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
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
using bench::statusKib;

bench::CurlComparisonReporter reporter("TNMHTTP", "TNMHTTP");

void BM_TNMHTTP_DownloadToFile(benchmark::State& state)
{
    const qint64 size = downloadBytes();
    LoopbackServer server(size);
    QTemporaryDir dir;
    const QString url = QStringLiteral("http://127.0.0.1:%1/files/big.bin").arg(server.port());
    long worstGrowthKib = 0;
    for (auto _ : state) {
        TNMHTTP http;
        http.InputFileMode = true;
        http.OutputFileMode = true;
        http.Body = dir.filePath(QStringLiteral("big.bin"));
        http.Header = dir.filePath(QStringLiteral("Head.txt"));
        http.EventPump = [] { QCoreApplication::processEvents(); };
        const long startKib = statusKib("/proc/self/status", "VmRSS:");
        long peakKib = startKib;
        int packets = 0;
        http.OnPacketRecvd = [&](QObject*) {
            if (++packets % 256 == 0)
                peakKib = std::max(peakKib, statusKib("/proc/self/status", "VmRSS:"));
        };
        http.Get(url);
        peakKib = std::max(peakKib, statusKib("/proc/self/status", "VmRSS:"));
        if (http.ReceivedBytes != size || QFile(http.Body).size() != size) {
            state.SkipWithError("incomplete download");
            return;
        }
        worstGrowthKib = std::max(worstGrowthKib, peakKib - startKib);
        QFile::remove(http.Body);
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["rss_growth_KiB"] = double(worstGrowthKib);
    reporter.own.memoryKib = worstGrowthKib;
}

void BM_Curl_DownloadToFile(benchmark::State& state)
{
    reporter.curl.memoryKib = bench::benchmarkCurl(state);
}

BENCHMARK(BM_TNMHTTP_DownloadToFile)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Curl_DownloadToFile)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    reporter.printSummary("to a file");
    std::printf("  peak resident set of this process (server thread included): %ld KiB\n",
                statusKib("/proc/self/status", "VmHWM:"));
    return 0;
}
