#pragma once
// TPowersock: blocking-style TCP client operations (connect to a named host, send a buffer, a line
// or a file, read one line, capture everything the peer sends into a file or a string) on one
// non-blocking IPv4 socket. Every wait runs the owner's event pump, so a Stop button can call
// Cancel or Abort while an operation waits; a per-operation time-out, levelled status texts and
// exceptions that carry the Windows sockets error texts complete it. Single-threaded: all calls,
// events and the pump run on the owner's thread; only host-name look-ups run on a helper thread.

#include "net/net_errors.h"
#include "net/thread_timer.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QObject>
#include <QString>

#include <netinet/in.h>

#include <functional>
#include <memory>

class TPowersock : public QObject
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;
    using THandlerEvent = std::function<void(bool& Handled)>;
    using TStatusEvent = std::function<void(QObject* Sender, const QString& Status)>;
    // Resolves a host name to an IPv4 address in host byte order, 0 when it has none. It runs on a
    // look-up thread, so it must not touch the component.
    using THostResolver = std::function<quint32(const QByteArray& name)>;

    // Size of the one input/output buffer; also the longest line ReadLn accepts, terminator included.
    static constexpr int IoBufferSize = 65536;

    // Creates the socket. Throws ESockError "Initializaton of windows sockets failed" when it cannot.
    explicit TPowersock(QObject* parent = nullptr);
    ~TPowersock() override;

    // Published properties.
    QString Host;        // server name or dotted IPv4 address
    int Port = 0;        // server port
    int TimeOut = 0;     // time-out of each waiting operation in milliseconds; 0 means none
    int ReportLevel = 0; // highest status level that is reported
    TNotifyEvent OnConnect;
    TNotifyEvent OnDisconnect;
    THandlerEvent OnInvalidHost; // setting Handled asks for one more look-up (of a possibly changed Host)
    TNotifyEvent OnHostResolved;
    TStatusEvent OnStatus;
    TNotifyEvent OnConnectionFailed; // raised before the exception

    // Published by the HTTP client.
    QString Proxy;
    int ProxyPort = 0;
    TNotifyEvent OnPacketRecvd; // after each block stored by CaptureFile or CaptureString
    TNotifyEvent OnPacketSent;  // after each successful send of SendFile

    // Runs the owner's pending user-interface events; called between the steps of every wait. The GUI
    // passes one that calls QCoreApplication::processEvents. It must not throw.
    std::function<void()> EventPump;
    // Name look-up; empty means the system resolver. Names under ".invalid" never resolve and
    // "localhost" is 127.0.0.1, without asking any name server.
    THostResolver HostResolver;

    // Public state.
    qint64 ReceivedBytes = 0; // bytes captured by the running CaptureFile or CaptureString
    qint64 SentBytes = 0;     // bytes sent by SendFile, never reset
    qint64 ContentLength = 0; // filled by the HTTP client from the response header
    qint16 ReplyNumber = 0;   // numeric code of the last reply (HTTP: the response status)
    QByteArray LastReply;     // last reply line read by Transaction
    QString LastStatus;       // last status text that passed the level filter
    int LastError = 0;        // last Windows sockets error code seen

    // Family, port (network byte order) and address of the last Connect.
    const sockaddr_in& RemoteAddress() const { return remote_; }
    bool Connected() const { return connected_; }
    // Live socket components in this process.
    static int LiveCount();

    // Resolves Host (or Proxy) and connects to Port (or ProxyPort).
    virtual void Connect();
    // Closes the connection; a fresh socket is ready for the next Connect.
    virtual void Disconnect();
    // Sends the command line and returns the reply line; ReplyNumber takes its leading digits.
    virtual QByteArray Transaction(const QByteArray& command);
    // Cancels the running operation (by default exactly Cancel).
    virtual void Abort();
    void Cancel();

    // Sends length bytes of data (at most data's size); length 0 sends up to the first zero byte.
    // Does not run the event pump; the time-out still applies.
    void SendBuffer(QByteArrayView data, quint16 length);
    // Sends text up to its first zero character, in blocks of the I/O buffer's size.
    void Write(const QByteArray& text);
    void Writeln(const QByteArray& text);
    // One line including its terminator; empty at the end of the stream or when the connection is
    // gone (a started line without a line feed is dropped then). A line longer than IoBufferSize
    // bytes fails with ESockError "Socket readln line too long".
    QByteArray ReadLn();
    // Sends the whole file; no time-out applies. Throws ELocalFileError when it cannot be opened.
    void SendFile(const QString& fileName);
    // Writes everything received until the peer closes into a newly created (replaced) file.
    void CaptureFile(const QString& fileName);
    // Empties text and appends everything received until the peer closes, or until text holds at
    // least maximum bytes (-1: no limit); the test comes before each receive, so text can exceed
    // the maximum by up to one block.
    void CaptureString(QByteArray& text, int maximum);
    // True when at least one received byte is waiting.
    bool DataAvailable();

protected:
    // Reports text when ReportLevel >= level: LastStatus takes it and OnStatus is raised.
    void Status(int level, const QString& text);
    // One pass of event processing: socket notifications, the time-out timer, then the owner's pump.
    void ProcessMessages();

    // The wait-done flag: a look-up reply, the time-out and the HTTP client's Abort set it.
    bool waitDone_ = false;

private:
    struct Lookup;
    class TimerScope;

    void openSocket(bool lingerOff);
    void closeSocket();
    void resolveHost();
    void timerOn();
    void timerOff();
    void timerFired();
    // Raises the error text unless the translated code is "would block" or not a socket error.
    void checkError(int errnoValue);
    QString errorText(int code);
    void dispatchNotifications();
    // recv() that first reports an error an earlier peek took from the socket.
    ssize_t receive(void* buffer, size_t length, int flags);
    // Sleeps up to milliseconds, waking early when the socket has any of events.
    void waitSocket(short events, int milliseconds);
    // A failed receive: records LastError, raises unless the socket would block, then waits for
    // data up to 2 ms. True when the peer is gone and the stream is over.
    bool receiveFailed(int error);
    void sendAll(const char* data, qsizetype length, bool pumpEvents);
    void raiseEvent(const TNotifyEvent& event);

    int fd_ = -1;
    sockaddr_in remote_{};
    std::unique_ptr<char[]> buffer_; // IoBufferSize bytes and a terminating zero
    TThreadTimer timer_;
    std::shared_ptr<Lookup> lookup_;
    quint32 lookupAddress_ = 0; // network byte order

    bool cancel_ = false;
    bool timedOut_ = false;
    bool lastResult_ = false;
    bool connected_ = false;
    bool destroying_ = false;
    bool connectPending_ = false; // a connect was started and its completion not yet seen
    bool closeSeen_ = false;      // the peer's close has been handled once for this socket
    int connectError_ = 0;        // error code of a failed connect notification
    int pendingError_ = 0;        // errno taken from the socket by a peek, reported by the next receive
};
