#pragma once
// Loopback download fixtures shared by the download benchmarks: the download size, /proc memory
// figures, a server thread on 127.0.0.1 that answers every connection with one HTTP/1.0 response,
// and a curl run of the same download for comparison.

#include <QtGlobal>

#include <benchmark/benchmark.h>

#include <atomic>
#include <string>
#include <thread>
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

// Runs the state's iterations as curl downloads (HTTP/1.0) of downloadBytes() from a fresh
// loopback server into a temporary file; sets the bytes processed and a curl_peak_rss_KiB counter.
// Returns curl's own peak resident set in KiB.
long benchmarkCurl(benchmark::State& state);

} // namespace bench
