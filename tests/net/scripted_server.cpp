#include "scripted_server.h"

#include <QList>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>

namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kStepLimit = std::chrono::seconds(5);

char patternByte(std::int64_t offset)
{
    return char((offset * 7 + offset / 251) % 251);
}

} // namespace

QByteArray ScriptedServer::pattern(std::int64_t offset, std::int64_t count)
{
    QByteArray bytes(count, Qt::Uninitialized);
    for (std::int64_t i = 0; i < count; ++i)
        bytes[i] = patternByte(offset + i);
    return bytes;
}

ScriptedServer::ScriptedServer(std::vector<Script> scripts, std::uint16_t port) : scripts_(std::move(scripts))
{
    if (scripts_.empty())
        scripts_.push_back({});
    listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int yes = 1;
    ::setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    socklen_t size = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 || ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (listener_ >= 0)
            ::close(listener_);
        throw std::runtime_error("the test server cannot listen");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { run(); });
}

ScriptedServer::~ScriptedServer()
{
    stop_ = true;
    if (const int fd = current_.load(); fd >= 0)
        ::shutdown(fd, SHUT_RDWR); // ends a blocked send or receive at once
    thread_.join();
    ::close(listener_);
}

std::vector<QByteArray> ScriptedServer::requests() const
{
    std::lock_guard lock(mutex_);
    return requests_;
}

std::vector<QByteArray> ScriptedServer::waitForRequests(std::size_t count, int milliseconds) const
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(milliseconds);
    while (requests().size() < count && Clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    return requests();
}

void ScriptedServer::run()
{
    while (!stop_) {
        pollfd entry{listener_, POLLIN, 0};
        if (::poll(&entry, 1, 20) <= 0)
            continue;
        const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0)
            continue;
        const timeval limit{5, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
        const int index = connections_++;
        current_ = fd;
        if (play(fd, scripts_[std::min<std::size_t>(std::size_t(index), scripts_.size() - 1)])) {
            // A graceful close: end the stream, then let the client finish reading and close first,
            // so that unread request bytes do not turn the close into a reset.
            ::shutdown(fd, SHUT_WR);
            const auto deadline = Clock::now() + std::chrono::seconds(2);
            while (!stop_ && Clock::now() < deadline) {
                pollfd entry{fd, POLLIN, 0};
                if (::poll(&entry, 1, 10) <= 0)
                    continue;
                char chunk[4096];
                if (::recv(fd, chunk, sizeof chunk, 0) <= 0)
                    break;
            }
        }
        current_ = -1;
        ::close(fd);
    }
}

bool ScriptedServer::play(int fd, const Script& script)
{
    std::int64_t patternOffset = 0;
    // Waits until fd is readable, the deadline passes or the server stops.
    auto readable = [&](Clock::time_point deadline) {
        while (!stop_ && Clock::now() < deadline) {
            pollfd entry{fd, POLLIN, 0};
            if (::poll(&entry, 1, 10) > 0)
                return true;
        }
        return false;
    };
    auto sendAll = [&](const QByteArray& bytes) {
        qsizetype position = 0;
        while (position < bytes.size() && !stop_) {
            const ssize_t sent =
                ::send(fd, bytes.constData() + position, size_t(bytes.size() - position), MSG_NOSIGNAL);
            if (sent <= 0)
                return false; // the client has gone
            position += sent;
        }
        return !stop_;
    };

    for (const Step& step : script) {
        switch (step.kind) {
        case Step::Kind::ReadRequest: {
            QByteArray request;
            const auto deadline = Clock::now() + kStepLimit;
            qsizetype headerEnd = -1;
            qint64 bodyLength = 0;
            while (readable(deadline)) {
                char chunk[4096];
                const ssize_t count = ::recv(fd, chunk, sizeof chunk, 0);
                if (count <= 0)
                    break;
                received_ += count;
                request.append(chunk, count);
                if (headerEnd < 0 && (headerEnd = request.indexOf("\r\n\r\n")) >= 0) {
                    headerEnd += 4;
                    for (const QByteArray& line : request.left(headerEnd).split('\n')) {
                        if (line.toLower().startsWith("content-length: "))
                            bodyLength = line.mid(16).trimmed().toLongLong();
                    }
                }
                if (headerEnd >= 0 && request.size() >= headerEnd + bodyLength)
                    break;
            }
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            break;
        }
        case Step::Kind::Send:
            if (!sendAll(step.bytes))
                return false;
            break;
        case Step::Kind::SendPattern:
            for (std::int64_t done = 0; done < step.count;) {
                const std::int64_t count = std::min<std::int64_t>(step.count - done, 1 << 20);
                if (!sendAll(pattern(patternOffset, count)))
                    return false;
                patternOffset += count;
                done += count;
            }
            break;
        case Step::Kind::Pause: {
            const auto deadline = Clock::now() + std::chrono::milliseconds(step.count);
            while (!stop_ && Clock::now() < deadline)
                std::this_thread::sleep_for(std::chrono::milliseconds(2));
            break;
        }
        case Step::Kind::Close:
            return true;
        case Step::Kind::Reset: {
            const linger option{1, 0};
            ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &option, sizeof option);
            return false;
        }
        case Step::Kind::WaitForPeerClose: {
            QByteArray request;
            const auto deadline = Clock::now() + std::chrono::milliseconds(step.count);
            while (readable(deadline)) {
                char chunk[65536];
                const ssize_t count = ::recv(fd, chunk, sizeof chunk, 0);
                if (count <= 0)
                    break;
                received_ += count;
                request.append(chunk, count);
            }
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            break;
        }
        }
    }
    return true;
}
