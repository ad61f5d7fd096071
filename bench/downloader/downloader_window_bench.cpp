// The download window fetching 1 GiB (LODGERA_BENCH_BYTES overrides it) from a server thread on
// 127.0.0.1 into the working directory, START to "Download Complete!" with the progress bar and
// the event pump running, and curl fetching the same response in the same run. Prints both
// throughputs, their ratio, and the growth of this process's resident set during the download.
// Runs headless (QT_QPA_PLATFORM=offscreen unless set).
#include "desktop/dialogs.h"
#include "downloader/downloader_window.h"
#include "net/http_client.h"

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

qint64 downloadBytes()
{
    const char* text = std::getenv("LODGERA_BENCH_BYTES");
    return text ? std::atoll(text) : qint64(1) << 30;
}

long statusKib(const char* field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(field, 0) == 0)
            return std::atol(line.c_str() + std::strlen(field) + 1);
    }
    return 0;
}

// Answers every connection with one HTTP/1.0 response of size bytes, until destroyed.
class LoopbackServer
{
public:
    explicit LoopbackServer(qint64 size) : size_(size), block_(1 << 20)
    {
        for (std::size_t i = 0; i < block_.size(); ++i)
            block_[i] = char('a' + i % 26);
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
        thread_ = std::thread([this] { run(); });
    }
    ~LoopbackServer()
    {
        stop_ = true;
        thread_.join();
        ::close(listener_);
    }
    LoopbackServer(const LoopbackServer&) = delete;
    LoopbackServer& operator=(const LoopbackServer&) = delete;
    quint16 port() const { return port_; }

private:
    void run()
    {
        while (!stop_) {
            pollfd entry{listener_, POLLIN, 0};
            if (::poll(&entry, 1, 50) <= 0)
                continue;
            if (const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC); fd >= 0) {
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
            const auto count = std::size_t(std::min<qint64>(size_ - sent, qint64(block_.size())));
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
    long memoryKib = 0;
};
Figures windowFigures;
Figures curlFigures;

void BM_DownloaderWindow(benchmark::State& state)
{
    const qint64 size = downloadBytes();
    LoopbackServer server(size);
    QTemporaryDir dir;
    const QString previous = QDir::currentPath();
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
    QDir::setCurrent(previous);
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["rss_growth_KiB"] = double(worstGrowthKib);
    windowFigures.memoryKib = worstGrowthKib;
}

void BM_Curl(benchmark::State& state)
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
            break;
        }
        int status = 0;
        rusage usage{};
        ::wait4(child, &status, 0, &usage);
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || QFile(QString::fromStdString(output)).size() != size) {
            state.SkipWithError("curl failed");
            break;
        }
        peakKib = std::max(peakKib, usage.ru_maxrss);
        std::remove(output.c_str());
    }
    state.SetBytesProcessed(state.iterations() * size);
    state.counters["curl_peak_rss_KiB"] = double(peakKib);
    curlFigures.memoryKib = peakKib;
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
