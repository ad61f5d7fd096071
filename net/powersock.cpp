#include "net/powersock.h"

#include "net/winsock_errors.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QFile>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace {

// The process-wide count of live components; on this platform the socket layer needs no start-up.
int liveComponents = 0;

bool isDottedAddress(const QByteArray& name, in_addr& address)
{
    return !name.contains('\0') && ::inet_pton(AF_INET, name.constData(), &address) == 1;
}

// Host byte order address of name, 0 when it has none. Reserved names are answered without
// asking a name server: ".invalid" never resolves and "localhost" is the loopback address.
quint32 systemResolve(const QByteArray& name)
{
    QByteArray lower = name.toLower();
    if (lower.endsWith('.'))
        lower.chop(1);
    if (lower.isEmpty() || lower.contains('\0') || lower == "invalid" || lower.endsWith(".invalid"))
        return 0;
    if (lower == "localhost" || lower.endsWith(".localhost"))
        return INADDR_LOOPBACK;
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    if (::getaddrinfo(lower.constData(), nullptr, &hints, &found) != 0 || !found)
        return 0;
    quint32 address = 0;
    for (const addrinfo* entry = found; entry; entry = entry->ai_next) {
        if (entry->ai_family == AF_INET && entry->ai_addr) {
            address = ntohl(reinterpret_cast<const sockaddr_in*>(entry->ai_addr)->sin_addr.s_addr);
            break;
        }
    }
    ::freeaddrinfo(found);
    return address;
}

} // namespace

// A host-name look-up running on its own thread; the component polls done from its waits and
// drops the object when it stops waiting, so a late answer touches nothing else.
struct TPowersock::Lookup
{
    std::atomic<bool> done{false};
    quint32 address = 0; // network byte order; written before done is set
};

// Switches the time-out timer on for one operation and makes sure it is off when the operation
// ends, however it ends. off() is the operation's own TimerOff with its status text.
class TPowersock::TimerScope
{
public:
    explicit TimerScope(TPowersock& owner) : owner_(owner) { owner_.timerOn(); }
    ~TimerScope() { owner_.timer_.SetEnabled(false); }
    TimerScope(const TimerScope&) = delete;
    TimerScope& operator=(const TimerScope&) = delete;
    void off() { owner_.timerOff(); }

private:
    TPowersock& owner_;
};

TPowersock::TPowersock(QObject* parent) : QObject(parent), buffer_(new char[IoBufferSize + 1])
{
    buffer_[0] = 0;
    timer_.SetEnabled(false);
    timer_.SetOnTimer([this] { timerFired(); });
    Status(8, QStringLiteral("Create"));
    Status(8, QStringLiteral("Initializing Winsock"));
    ++liveComponents;
    try {
        openSocket(true);
    } catch (const ESockError&) {
        --liveComponents;
        throw ESockError(QStringLiteral("Initializaton of windows sockets failed"));
    }
}

TPowersock::~TPowersock()
{
    // No handler runs from here on: the owner may already be half destroyed (a Qt parent deletes
    // its children after its own members), so the closing texts only reach LastStatus.
    destroying_ = true;
    Status(8, QStringLiteral("Destroy"));
    TPowersock::Abort();
    Cancel();
    timer_.SetEnabled(false);
    lookup_.reset();
    try {
        closeSocket();
    } catch (...) {
        // Nothing can be reported from a destructor; the handle is released either way.
    }
    --liveComponents;
}

int TPowersock::LiveCount()
{
    return liveComponents;
}

void TPowersock::Status(int level, const QString& text)
{
    if (ReportLevel < level)
        return;
    LastStatus = text;
    if (destroying_ || !OnStatus)
        return;
    try {
        OnStatus(this, text);
    } catch (...) {
        // A failing status handler must not change the operation that reported.
    }
}

void TPowersock::raiseEvent(const TNotifyEvent& event)
{
    if (event)
        event(this);
}

void TPowersock::openSocket(bool lingerOff)
{
    // The first socket resets its connection when closed; the replacements close normally.
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, lingerOff ? IPPROTO_TCP : 0);
    if (fd < 0)
        throw ESockError(errorText(winsock::fromErrno(errno)));
    if (lingerOff) {
        const linger option{1, 0};
        if (::setsockopt(fd, SOL_SOCKET, SO_LINGER, &option, sizeof option) != 0) {
            const int error = errno;
            ::close(fd);
            throw ESockError(errorText(winsock::fromErrno(error)));
        }
    }
    fd_ = fd;
    closeSeen_ = false;
    pendingError_ = 0;
}

void TPowersock::closeSocket()
{
    Status(4, QStringLiteral("Request Close Socket"));
    connected_ = false;
    connectPending_ = false;
    closeSeen_ = false;
    pendingError_ = 0;
    if (fd_ < 0)
        return;
    const int result = ::close(fd_);
    const int error = errno;
    fd_ = -1; // closed even when close() reports an error
    if (result != 0 && error != EINTR) {
        if (!destroying_) {
            try {
                openSocket(false);
            } catch (const ESockError&) {
                // Connect creates the socket when it finds none.
            }
        }
        checkError(error);
        return;
    }
    if (destroying_)
        return;
    raiseEvent(OnDisconnect);
    try {
        openSocket(false);
    } catch (const ESockError&) {
        // Connect creates the socket when it finds none.
    }
}

QString TPowersock::errorText(int code)
{
    Status(8, QStringLiteral("Looking Up Error Message"));
    return winsock::errorText(code);
}

void TPowersock::checkError(int errnoValue)
{
    const int code = winsock::fromErrno(errnoValue);
    LastError = code;
    if (code != winsock::WouldBlock && code > winsock::ErrorBase)
        throw ESockError(errorText(code));
}

void TPowersock::timerOn()
{
    Status(8, QStringLiteral("Timer On"));
    timedOut_ = false;
    timer_.SetInterval(unsigned(std::max(0, TimeOut)));
    timer_.SetEnabled(true);
}

void TPowersock::timerOff()
{
    Status(8, QStringLiteral("Timer Off"));
    timer_.SetEnabled(false);
}

void TPowersock::timerFired()
{
    Status(8, QStringLiteral("Timer Triggered"));
    timer_.SetEnabled(false);
    timedOut_ = true;
    waitDone_ = true;
    Abort();
}

void TPowersock::Abort()
{
    Status(8, QStringLiteral("Abort"));
    Cancel();
}

void TPowersock::Cancel()
{
    Status(8, QStringLiteral("Canceling"));
    cancel_ = true;
}

ssize_t TPowersock::receive(void* buffer, size_t length, int flags)
{
    if (pendingError_ != 0) {
        errno = pendingError_;
        pendingError_ = 0;
        return -1;
    }
    return ::recv(fd_, buffer, length, flags | MSG_DONTWAIT);
}

void TPowersock::waitSocket(short events, int milliseconds)
{
    if (fd_ < 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    pollfd entry{fd_, events, 0};
    ::poll(&entry, 1, milliseconds);
}

void TPowersock::ProcessMessages()
{
    dispatchNotifications();
    timer_.Poll();
    if (EventPump)
        EventPump();
}

void TPowersock::dispatchNotifications()
{
    // The look-up reply.
    if (lookup_ && lookup_->done.load(std::memory_order_acquire)) {
        lookupAddress_ = lookup_->address;
        lastResult_ = lookupAddress_ != 0;
        lookup_.reset();
        waitDone_ = true;
    }
    if (fd_ < 0)
        return;
    // The end of a connect.
    if (connectPending_) {
        pollfd entry{fd_, POLLOUT, 0};
        if (::poll(&entry, 1, 0) <= 0 || !(entry.revents & (POLLOUT | POLLERR | POLLHUP)))
            return;
        int error = 0;
        socklen_t size = sizeof error;
        if (::getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &size) != 0)
            error = errno;
        connectPending_ = false;
        lastResult_ = error == 0;
        if (error != 0) {
            connectError_ = LastError = winsock::fromErrno(error);
            return;
        }
        connected_ = true;
        try {
            raiseEvent(OnConnect);
        } catch (...) {
            // Exceptions out of notification handling are dropped.
        }
        return;
    }
    // The peer's close, handled once per connection. A close with an error (a reset) is left to
    // the running operation, whose next receive raises it: the data did not arrive whole. A normal
    // close with no data waiting closes the socket at once; the running operation then meets "not
    // connected" and ends normally, as it does at the end of the stream.
    if (connected_ && !closeSeen_) {
        pollfd entry{fd_, POLLRDHUP, 0};
        if (::poll(&entry, 1, 0) <= 0 || !(entry.revents & (POLLRDHUP | POLLHUP | POLLERR)))
            return;
        closeSeen_ = true;
        if (entry.revents & POLLERR) {
            lastResult_ = false;
            return;
        }
        lastResult_ = true;
        try {
            if (!DataAvailable())
                closeSocket();
        } catch (...) {
            // Exceptions out of notification handling are dropped.
        }
    }
}

void TPowersock::resolveHost()
{
    Status(8, QStringLiteral("Resolve Host"));
    const QByteArray name = (Proxy.isEmpty() ? Host : Proxy).toUtf8();
    in_addr dotted{};
    if (isDottedAddress(name, dotted)) {
        remote_.sin_addr = dotted;
        return;
    }
    remote_.sin_addr.s_addr = 0;
    TimerScope timer(*this);
    waitDone_ = false;

    auto lookup = std::make_shared<Lookup>();
    lookup_ = lookup;
    try {
        std::thread([lookup, resolver = HostResolver, name] {
            quint32 address = 0;
            try {
                address = resolver ? resolver(name) : systemResolve(name);
            } catch (...) {
                address = 0;
            }
            lookup->address = htonl(address);
            lookup->done.store(true, std::memory_order_release);
        }).detach();
    } catch (const std::system_error&) {
        lookup->done.store(true, std::memory_order_release); // no thread: the look-up fails
    }

    while (!waitDone_ && !timedOut_ && !cancel_) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ProcessMessages();
    }
    lookup_.reset(); // a late reply must not reach a later wait
    timer.off();

    if (timedOut_)
        throw ESockError(QStringLiteral("Host Lookup Timed Out"));
    if (cancel_)
        throw ESockError(QStringLiteral("Host Lookup Canceled"));
    if (!lastResult_)
        throw ESockError(QStringLiteral("Host Lookup Failed"));
    remote_.sin_addr.s_addr = lookupAddress_;
    raiseEvent(OnHostResolved);
}

void TPowersock::Connect()
{
    Status(8, QStringLiteral("Connecting"));
    cancel_ = false;
    if (connected_)
        throw ESockError(QStringLiteral("Already connected"));

    for (int attempts = 0;; ++attempts) {
        try {
            resolveHost();
        } catch (const ESockError& error) {
            const QString message = error.message();
            if (message == QLatin1String("Host Lookup Timed Out") || message == QLatin1String("Host Lookup Canceled"))
                throw;
        }
        if (remote_.sin_addr.s_addr != 0)
            break;
        if (attempts > 0 || !OnInvalidHost)
            throw ESockError(QStringLiteral("Null Remote Address"));
        bool handled = false;
        OnInvalidHost(handled);
        if (!handled)
            throw ESockError(QStringLiteral("Null Remote Address"));
    }

    const int port = Proxy.isEmpty() ? Port : ProxyPort;
    if (port < 0 || port > 65535)
        throw ESockError(errorText(winsock::InvalidArgument));
    remote_.sin_family = AF_INET;
    remote_.sin_port = htons(quint16(port));
    if (fd_ < 0)
        openSocket(false);

    waitDone_ = false;
    lastResult_ = true;
    connectError_ = 0;
    if (::connect(fd_, reinterpret_cast<const sockaddr*>(&remote_), sizeof remote_) != 0) {
        int error = errno;
        if (error == EINPROGRESS || error == EINTR)
            error = EAGAIN; // a started connect is "would block" to the socket layer
        checkError(error);
    }
    connectPending_ = true;
    {
        TimerScope timer(*this);
        while (!connected_ && !timedOut_ && !cancel_ && lastResult_) {
            waitSocket(POLLOUT, 2);
            ProcessMessages();
        }
        timer.off();
    }
    if (!timedOut_ && !cancel_ && lastResult_)
        return;

    connectPending_ = false;
    raiseEvent(OnConnectionFailed);
    if (timedOut_)
        throw ESockError(QStringLiteral("Connection Timed out"));
    if (cancel_)
        throw ESockError(QStringLiteral("Connection Canceled"));
    // The peer's answer is known (a refusal reads "10061:Connection refused"): report it.
    if (connectError_ != 0)
        throw ESockError(errorText(connectError_));
    throw ESockError(QStringLiteral("Connection Failed"));
}

void TPowersock::Disconnect()
{
    Status(8, QStringLiteral("Disconnecting"));
    closeSocket();
}

void TPowersock::sendAll(const char* data, qsizetype length, bool pumpEvents)
{
    qsizetype position = 0;
    while (position < length && !cancel_) {
        const ssize_t sent = ::send(fd_, data + position, size_t(length - position), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (sent > 0) {
            position += sent;
            if (pumpEvents) {
                SentBytes += sent;
                raiseEvent(OnPacketSent);
            }
        } else if (sent == 0) {
            break;
        } else {
            int error = errno;
            if (error == EINTR)
                error = EAGAIN;
            checkError(error); // raises unless the socket buffer is full
            waitSocket(POLLOUT, 2);
            if (!pumpEvents)
                timer_.Poll(); // no user events while sending a buffer, but the time-out applies
        }
        if (pumpEvents)
            ProcessMessages();
    }
}

void TPowersock::SendBuffer(QByteArrayView data, quint16 length)
{
    Status(4, QStringLiteral("Sending Buffer"));
    TimerScope timer(*this);
    if (!cancel_) {
        qsizetype count = data.size();
        if (length == 0) {
            if (const void* zero = std::memchr(data.data(), 0, size_t(data.size())))
                count = static_cast<const char*>(zero) - data.data();
        } else {
            count = std::min<qsizetype>(length, data.size());
        }
        sendAll(data.data(), count, false);
    }
    timer.off();
    if (cancel_) {
        cancel_ = false;
        throw EAbortError(QStringLiteral("Socket send aborted"));
    }
}

void TPowersock::Write(const QByteArray& text)
{
    Status(8, QStringLiteral("Write"));
    qsizetype end = text.size();
    if (const void* zero = std::memchr(text.constData(), 0, size_t(text.size())))
        end = static_cast<const char*>(zero) - text.constData();
    // Through the I/O buffer in blocks of its size, so a long text is sent whole.
    qsizetype position = 0;
    do {
        const qsizetype count = std::min<qsizetype>(IoBufferSize, end - position);
        std::memcpy(buffer_.get(), text.constData() + position, size_t(count));
        buffer_[count] = 0;
        SendBuffer(QByteArrayView(buffer_.get(), count), 0);
        position += count;
    } while (position < end);
}

void TPowersock::Writeln(const QByteArray& text)
{
    Status(8, QStringLiteral("Writeln"));
    Write(text + "\r\n");
}

QByteArray TPowersock::ReadLn()
{
    Status(8, QStringLiteral("ReadLn"));
    TimerScope timer(*this);
    qsizetype collected = 0;
    for (;;) {
        const qsizetype room = IoBufferSize - collected;
        if (room == 0)
            throw ESockError(QStringLiteral("Socket readln line too long"));
        char* fresh = buffer_.get() + collected;
        const ssize_t peeked = receive(fresh, size_t(room), MSG_PEEK);
        if (peeked == 0) {
            timer.off();
            return {}; // end of the stream
        }
        if (peeked < 0) {
            if (receiveFailed(errno)) {
                timer.off();
                return {};
            }
        } else if (const void* lineFeed = std::memchr(fresh, '\n', size_t(peeked))) {
            const qsizetype wanted = static_cast<const char*>(lineFeed) - fresh + 1;
            const ssize_t taken = receive(fresh, size_t(wanted), 0);
            if (taken < 0)
                checkError(errno);
            collected += std::max<ssize_t>(taken, 0);
            timer.off();
            return QByteArray(buffer_.get(), collected);
        } else {
            const ssize_t taken = receive(fresh, size_t(peeked), 0);
            if (taken < 0)
                checkError(errno);
            collected += std::max<ssize_t>(taken, 0);
        }
        ProcessMessages();
        if (cancel_) {
            cancel_ = false;
            throw EAbortError(QStringLiteral("Socket readln aborted"));
        }
    }
}

QByteArray TPowersock::Transaction(const QByteArray& command)
{
    Status(8, QStringLiteral("Transaction"));
    ReplyNumber = 0;
    Writeln(command);
    const QByteArray reply = ReadLn();
    LastReply = reply;
    if (!reply.isEmpty()) {
        Status(1, QString::fromLatin1(reply));
        qsizetype digits = 0;
        while (digits < reply.size() && digits < 10 && reply.at(digits) >= '0' && reply.at(digits) <= '9')
            ++digits;
        const qint64 value = digits > 0 ? reply.left(digits).toLongLong() : 0;
        ReplyNumber = value <= 32767 ? qint16(value) : 0; // a number that does not fit is no number
    }
    return reply;
}

void TPowersock::SendFile(const QString& fileName)
{
    Status(8, QStringLiteral("SendFile"));
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ELocalFileError(ELocalFileError::Operation::Open, fileName, file.errorString());
    const qint64 size = file.size();
    do {
        if (cancel_)
            break;
        const qint64 count = file.read(buffer_.get(), IoBufferSize);
        if (count < 0)
            throw ELocalFileError(ELocalFileError::Operation::Read, fileName, file.errorString());
        if (count == 0)
            break; // the file became shorter while it was sent
        sendAll(buffer_.get(), count, true);
    } while (file.pos() != size && !cancel_);
    file.close();
    if (cancel_) {
        cancel_ = false;
        throw EAbortError(QStringLiteral("Socket send aborted"));
    }
}

bool TPowersock::receiveFailed(int error)
{
    if (error == EINTR)
        error = EAGAIN;
    LastError = winsock::fromErrno(error);
    if (LastError == winsock::NotConnected)
        return true;
    checkError(error);
    waitSocket(POLLIN | POLLRDHUP, 2);
    return false;
}

void TPowersock::CaptureFile(const QString& fileName)
{
    Status(8, QStringLiteral("CaptureFile"));
    ReceivedBytes = 0;
    TimerScope timer(*this);
    QFile file(fileName);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Unbuffered))
        throw ELocalFileError(ELocalFileError::Operation::Create, fileName, file.errorString());
    while (!cancel_) {
        const ssize_t count = receive(buffer_.get(), IoBufferSize, 0);
        if (count > 0) {
            if (file.write(buffer_.get(), count) != count)
                throw ELocalFileError(ELocalFileError::Operation::Write, fileName, file.errorString());
            ReceivedBytes += count;
            raiseEvent(OnPacketRecvd);
        } else if (count == 0) {
            break; // end of the stream
        } else {
            if (receiveFailed(errno))
                break;
        }
        ProcessMessages();
    }
    file.close();
    timer.off();
    if (cancel_) {
        cancel_ = false;
        throw EAbortError(QStringLiteral("Socket send aborted"));
    }
}

void TPowersock::CaptureString(QByteArray& text, int maximum)
{
    Status(8, QStringLiteral("Capture String"));
    text.clear();
    ReceivedBytes = 0;
    TimerScope timer(*this);
    while (!cancel_ && (maximum == -1 || text.size() < maximum)) {
        const ssize_t count = receive(buffer_.get(), IoBufferSize, 0);
        if (count > 0) {
            text.append(buffer_.get(), count);
            ReceivedBytes += count;
            raiseEvent(OnPacketRecvd);
        } else if (count == 0) {
            break;
        } else {
            if (receiveFailed(errno))
                break;
        }
        ProcessMessages();
    }
    timer.off();
    if (cancel_) {
        cancel_ = false;
        throw EAbortError(QStringLiteral("Socket capture aborted"));
    }
}

bool TPowersock::DataAvailable()
{
    Status(8, QStringLiteral("Data Available"));
    if (fd_ < 0 || pendingError_ != 0)
        return false;
    char byte = 0;
    const ssize_t count = ::recv(fd_, &byte, 1, MSG_PEEK | MSG_DONTWAIT);
    if (count > 0)
        return true;
    // A peek that meets a reset takes the error from the socket: keep it for the next receive.
    if (count < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR && errno != ENOTCONN)
        pendingError_ = errno;
    return false;
}
