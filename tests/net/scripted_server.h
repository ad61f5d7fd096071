#pragma once
// A TCP server on 127.0.0.1 that a test starts on a free port. Each accepted connection plays the
// next script of steps (read the request, send exact bytes, pause, close or reset), the last
// script repeating for further connections. Every step is bounded in time, so a test never hangs
// on its server, and the destructor stops the thread.

#include <QByteArray>

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

class ScriptedServer
{
public:
    struct Step
    {
        enum class Kind { ReadRequest, Send, SendPattern, Pause, Close, Reset, WaitForPeerClose };
        Kind kind;
        QByteArray bytes;
        std::int64_t count = 0; // SendPattern: bytes; Pause, WaitForPeerClose: milliseconds
    };
    using Script = std::vector<Step>;

    // Reads up to the empty line that ends a request header, then as many bytes as its
    // Content-Length says; what it read is kept as the connection's request.
    static Step readRequest() { return {Step::Kind::ReadRequest, {}, 0}; }
    static Step send(QByteArray bytes) { return {Step::Kind::Send, std::move(bytes), 0}; }
    // count bytes of pattern(), continuing where the previous SendPattern of the connection ended.
    static Step sendPattern(std::int64_t count) { return {Step::Kind::SendPattern, {}, count}; }
    static Step pause(int milliseconds) { return {Step::Kind::Pause, {}, milliseconds}; }
    // Ends the script with a normal close (also what happens after its last step).
    static Step close() { return {Step::Kind::Close, {}, 0}; }
    // Closes with a zero linger time: the client sees "connection reset".
    static Step reset() { return {Step::Kind::Reset, {}, 0}; }
    // Reads everything until the client closes, at most milliseconds long, and keeps it as the
    // connection's request.
    static Step waitForPeerClose(int milliseconds) { return {Step::Kind::WaitForPeerClose, {}, milliseconds}; }

    // Bytes offset .. offset + count of the test data stream (not a multiple of any block size).
    static QByteArray pattern(std::int64_t offset, std::int64_t count);

    // Listens on 127.0.0.1:port (0: a free port). Throws std::runtime_error when it cannot.
    explicit ScriptedServer(std::vector<Script> scripts, std::uint16_t port = 0);
    ~ScriptedServer();
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    std::uint16_t port() const { return port_; }
    int connections() const { return connections_.load(); }
    // What ReadRequest or WaitForPeerClose read on each connection, in the order they finished.
    std::vector<QByteArray> requests() const;
    // requests() once it holds count entries, or as it is after milliseconds.
    std::vector<QByteArray> waitForRequests(std::size_t count, int milliseconds = 3000) const;
    // Bytes WaitForPeerClose and ReadRequest received in total.
    std::int64_t bytesReceived() const { return received_.load(); }

private:
    void run();
    // Plays script on fd; false when the connection must end abruptly (a reset, a lost client).
    bool play(int fd, const Script& script);

    std::vector<Script> scripts_;
    int listener_ = -1;
    std::uint16_t port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<int> connections_{0};
    std::atomic<int> current_{-1};
    std::atomic<std::int64_t> received_{0};
    mutable std::mutex mutex_;
    std::vector<QByteArray> requests_;
    std::thread thread_;
};
