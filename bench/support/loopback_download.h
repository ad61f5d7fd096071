#pragma once
// Loopback download fixtures shared by the download benchmarks: the download size, /proc memory
// figures, a server thread on 127.0.0.1 that answers every connection with one HTTP/1.0 response,
// and a curl run of the same download for comparison.

#include <QtGlobal>

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

struct CurlResult
{
    bool ok = false;   // curl ran, exited 0 and wrote expectedSize bytes
    std::string error; // why not
    long peakKib = 0;  // curl's own resident-set high-water mark
};

// Fetches url into output with curl (HTTP/1.0), sampling curl's peak memory while it runs.
CurlResult runCurl(const std::string& url, const std::string& output, qint64 expectedSize);

} // namespace bench
