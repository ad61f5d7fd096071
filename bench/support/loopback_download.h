#pragma once
// Loopback download fixtures shared by the download benchmarks: the download size, /proc memory
// figures, a server thread on 127.0.0.1 that answers every connection with one HTTP/1.0 response,
// and a curl run of the same download for comparison.

#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <atomic>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace bench {

// 1 GiB unless LODGERA_BENCH_BYTES says otherwise.
qint64 downloadBytes();

// A memory field of a /proc status file in KiB: VmRSS (resident set) or VmHWM (its peak).
long statusKib(const char* file, const char* field);

// Serves every connection with one HTTP/1.0 response of size bytes, until destroyed.
class LoopbackServer final
{
public:
    explicit LoopbackServer(qint64 size);
    ~LoopbackServer();
    quint16 port() const { return port_; }

private:
    void run();
    void serve(int fd);

    qint64 size_;
    std::vector<char> block_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Throughput and memory figure of one side of the comparison with curl.
struct DownloadFigures
{
    double bytesPerSecond = 0;
    long memoryKib = 0;
};

// The console output of a download benchmark, which also keeps the throughput of its own runs (names
// containing ownMarker) and of curl's (names containing "Curl") and prints the comparison.
class CurlComparisonReporter final : public benchmark::ConsoleReporter
{
public:
    CurlComparisonReporter(std::string ownMarker, std::string ownLabel)
        : ownMarker_(std::move(ownMarker)), ownLabel_(std::move(ownLabel))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;
    // The summary after all runs: both throughputs, both memory figures and the ratio with its budget.
    void printSummary(const char* heading) const;

    DownloadFigures own;  // memoryKib: this process's resident set growth during the download
    DownloadFigures curl; // memoryKib: the curl process's peak resident set

private:
    std::string ownMarker_;
    std::string ownLabel_;
};

// Runs the state's iterations as curl downloads (HTTP/1.0) of downloadBytes() from a fresh
// loopback server into a temporary file; sets the bytes processed and a curl_peak_rss_KiB counter.
// Returns curl's own peak resident set in KiB.
long benchmarkCurl(benchmark::State& state);

} // namespace bench
