#include "bench/support/loopback_download.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>

extern char** environ;

namespace bench {

qint64 downloadBytes()
{
    const char* text = std::getenv("LODGERA_BENCH_BYTES");
    return text ? std::atoll(text) : qint64(1) << 30;
}

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

LoopbackServer::LoopbackServer(qint64 size) : size_(size), block_(1 << 20, 'x')
{
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(listener_, 8) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        std::perror("bench server");
        std::exit(1);
    }
    port_ = ntohs(address.sin_port);
    for (std::size_t i = 0; i < block_.size(); ++i)
        block_[i] = char('a' + i % 26);
    thread_ = std::thread([this] { run(); });
}

LoopbackServer::~LoopbackServer()
{
    stop_ = true;
    thread_.join();
    ::close(listener_);
}

void LoopbackServer::run()
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

void LoopbackServer::serve(int fd)
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

namespace {

struct CurlResult
{
    bool ok = false;   // curl ran, exited 0 and wrote expectedSize bytes
    std::string error; // why not
    long peakKib = 0;  // curl's own resident-set high-water mark
};

// Fetches url into output with curl, sampling curl's peak memory while it runs.
CurlResult runCurl(const std::string& url, const std::string& output, qint64 expectedSize)
{
    CurlResult result;
    std::vector<std::string> args = {"curl", "--silent", "--show-error", "--http1.0", "--output", output, url};
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (::posix_spawnp(&child, "curl", nullptr, nullptr, argv.data(), environ) != 0) {
        result.error = "curl cannot be started";
        return result;
    }
    // The child's own high-water mark, read while it runs: its rusage would also count the
    // parent's memory, which the spawned process shared until it started curl.
    int status = 0;
    const std::string statusFile = "/proc/" + std::to_string(child) + "/status";
    while (::waitpid(child, &status, WNOHANG) == 0) {
        result.peakKib = std::max(result.peakKib, statusKib(statusFile.c_str(), "VmHWM:"));
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        QFile(QString::fromStdString(output)).size() != expectedSize) {
        result.error = "curl failed";
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace

long benchmarkCurl(benchmark::State& state)
{
    const qint64 size = downloadBytes();
    LoopbackServer server(size);
    QTemporaryDir dir;
    const std::string url = "http://127.0.0.1:" + std::to_string(server.port()) + "/files/big.bin";
    const std::string output = dir.filePath(QStringLiteral("big.bin")).toStdString();
    long peakKib = 0;
    for (auto _ : state) {
        const CurlResult run = runCurl(url, output, size);
        if (!run.ok) {
            state.SkipWithError(run.error.c_str());
            break;
        }
        peakKib = std::max(peakKib, run.peakKib);
        std::remove(output.c_str());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["curl_peak_rss_KiB"] = double(peakKib);
    return peakKib;
}

void CurlComparisonReporter::ReportRuns(const std::vector<Run>& runs)
{
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const auto found = run.counters.find("bytes_per_second");
        if (found == run.counters.end())
            continue;
        const std::string name = run.benchmark_name();
        if (name.find(ownMarker_) != std::string::npos)
            own.bytesPerSecond = found->second;
        else if (name.find("Curl") != std::string::npos)
            curl.bytesPerSecond = found->second;
    }
}

void CurlComparisonReporter::printSummary(const char* heading) const
{
    const double mib = 1024.0 * 1024.0;
    const int width = int(std::max(ownLabel_.size(), std::string("curl").size())) + 1;
    std::printf("\nDownload of %lld bytes over loopback %s\n", static_cast<long long>(downloadBytes()), heading);
    std::printf("  %-*s %8.1f MiB/s, resident set growth during the download %ld KiB\n", width,
                (ownLabel_ + ":").c_str(), own.bytesPerSecond / mib, own.memoryKib);
    std::printf("  %-*s %8.1f MiB/s, peak resident set of the curl process %ld KiB\n", width,
                "curl:", curl.bytesPerSecond / mib, curl.memoryKib);
    if (curl.bytesPerSecond > 0)
        std::printf("  ratio %s/curl: %.2f (budget: at least 0.80)\n", ownLabel_.c_str(),
                    own.bytesPerSecond / curl.bytesPerSecond);
}

} // namespace bench
