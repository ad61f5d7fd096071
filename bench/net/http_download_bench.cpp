// Downloads of 1 GiB (LODGERA_BENCH_BYTES overrides it) from a server thread on 127.0.0.1 into a
// file, once with TNMHTTP (body and header to files, the event pump running Qt events as the
// downloader's does) and once with curl, in the same run. Prints both throughputs, their ratio,
// and peak memory: for TNMHTTP the growth of this process's resident set during the download, for
// curl its peak resident set.
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

qint64 downloadBytes()
{
    const char* text = std::getenv("LODGERA_BENCH_BYTES");
    return text ? std::atoll(text) : qint64(1) << 30;
}

// A memory field of a /proc status file in KiB: VmRSS (resident set) or VmHWM (its peak).
long statusKib(const char* file, const char* field)
{
    std::ifstream status(file);
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field) + 1);
    }
    return 0;
}

// Serves every connection with one HTTP/1.0 response of size bytes, until stopped.
class LoopbackServer
{
public:
    explicit LoopbackServer(qint64 size) : size_(size), block_(1 << 20, 'x')
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof address;
        if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            ::listen(listener_, 8) != 0 ||
            ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
            std::perror("bench server");
            std::exit(1);
        }
        port_ = ntohs(address.sin_port);
        for (std::size_t i = 0; i < block_.size(); ++i)
            block_[i] = char('a' + i % 26);
        thread_ = std::thread([this] { run(); });
    }
    ~LoopbackServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    quint16 port() const { return port_; }

private:
    void run()
    {
        while (!stop_) {
            pollfd entry{listener_, POLLIN, 0};
            if (::poll(&entry, 1, 50) <= 0)
                continue;
            const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
            if (fd >= 0) {
                serve(fd);
                ::close(fd);
            }
        }
    }
    void serve(int fd)
    {
        std::string request;
        char chunk[4096];
        while (request.find("\r\n\r\n") == std::string::npos) {
            const ssize_t count = ::recv(fd, chunk, sizeof chunk, 0);
            if (count <= 0)
                return;
            request.append(chunk, std::size_t(count));
        }
        const std::string header =
            "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\nContent-Length: " + std::to_string(size_) +
            "\r\n\r\n";
        if (::send(fd, header.data(), header.size(), MSG_NOSIGNAL) != ssize_t(header.size()))
            return;
        for (qint64 sent = 0; sent < size_;) {
            const std::size_t count = std::size_t(std::min<qint64>(size_ - sent, qint64(block_.size())));
            const ssize_t done = ::send(fd, block_.data(), count, MSG_NOSIGNAL);
            if (done <= 0)
                return;
            sent += done;
        }
        ::shutdown(fd, SHUT_WR);
        while (::recv(fd, chunk, sizeof chunk, 0) > 0) {
        }
    }

    qint64 size_;
    std::vector<char> block_;
    int listener_ = -1;
    quint16 port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct Figures
{
    double bytesPerSecond = 0;
    long peakKib = 0;
};
Figures tnmhttpFigures;
Figures curlFigures;

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
    tnmhttpFigures.peakKib = worstGrowthKib;
}

void BM_Curl_DownloadToFile(benchmark::State& state)
{
    const qint64 size = downloadBytes();
    LoopbackServer server(size);
    QTemporaryDir dir;
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/files/big.bin";
    const std::string output = dir.filePath(QStringLiteral("big.bin")).toStdString();
    long peakKib = 0;
    for (auto _ : state) {
        std::vector<std::string> args = {"curl", "--silent", "--show-error", "--http1.0", "--output", output, url};
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        pid_t child = 0;
        if (::posix_spawnp(&child, "curl", nullptr, nullptr, argv.data(), environ) != 0) {
            state.SkipWithError("curl cannot be started");
            return;
        }
        // The child's own high-water mark, read while it runs: its rusage would also count the
        // parent's memory, which the spawned process shared until it started curl.
        int status = 0;
        const std::string statusFile = "/proc/" + std::to_string(child) + "/status";
        while (::waitpid(child, &status, WNOHANG) == 0) {
            peakKib = std::max(peakKib, statusKib(statusFile.c_str(), "VmHWM:"));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || QFile(QString::fromStdString(output)).size() != size) {
            state.SkipWithError("curl failed");
            return;
        }
        std::remove(output.c_str());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["curl_peak_rss_KiB"] = double(peakKib);
    curlFigures.peakKib = peakKib;
}

BENCHMARK(BM_TNMHTTP_DownloadToFile)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Curl_DownloadToFile)->Iterations(3)->Unit(benchmark::kMillisecond)->UseRealTime();

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
            if (name.find("TNMHTTP") != std::string::npos)
                tnmhttpFigures.bytesPerSecond = found->second;
            else if (name.find("Curl") != std::string::npos)
                curlFigures.bytesPerSecond = found->second;
        }
    }
};

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const double mib = 1024.0 * 1024.0;
    std::printf("\nDownload of %lld bytes over loopback to a file\n", static_cast<long long>(downloadBytes()));
    std::printf("  TNMHTTP: %8.1f MiB/s, resident set growth during the download %ld KiB\n",
                tnmhttpFigures.bytesPerSecond / mib, tnmhttpFigures.peakKib);
    std::printf("  curl:    %8.1f MiB/s, peak resident set of the curl process %ld KiB\n",
                curlFigures.bytesPerSecond / mib, curlFigures.peakKib);
    if (curlFigures.bytesPerSecond > 0)
        std::printf("  ratio TNMHTTP/curl: %.2f (budget: at least 0.80)\n",
                    tnmhttpFigures.bytesPerSecond / curlFigures.bytesPerSecond);
    std::printf("  peak resident set of this process (server thread included): %ld KiB\n",
                statusKib("/proc/self/status", "VmHWM:"));
    return 0;
}
