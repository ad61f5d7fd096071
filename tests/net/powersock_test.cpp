#include "net/powersock.h"
#include "net/winsock_errors.h"
#include "scripted_server.h"
#include "test_support.h"
#include "tests/support/refusing_port.h"

#include <QFile>
#include <QTemporaryDir>

#include <arpa/inet.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <thread>

namespace {

using Server = ScriptedServer;

QByteArray readFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Waits (at most 3 s) until the server has received count bytes.
void waitForBytes(const Server& server, qint64 count)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (server.bytesReceived() < count && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
}

// A loopback listener whose accept queue is full and never served, so a further connect stays
// pending until the client gives up.
class FullBacklog
{
public:
    FullBacklog()
    {
        listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        ::listen(listener_, 0);
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        for (int i = 0; i < 16 && !full_; ++i) {
            const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK, 0);
            ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
            fillers_.push_back(fd);
            pollfd entry{fd, POLLOUT, 0};
            full_ = ::poll(&entry, 1, 100) == 0; // this one is left waiting: the queue is full
        }
    }
    ~FullBacklog()
    {
        for (const int fd : fillers_)
            ::close(fd);
        ::close(listener_);
    }
    bool full() const { return full_; }
    quint16 port() const { return port_; }

private:
    int listener_ = -1;
    quint16 port_ = 0;
    bool full_ = false;
    std::vector<int> fillers_;
};

class PowersockTest : public testing::Test
{
protected:
    void connectTo(const Server& server)
    {
        sock.Host = QStringLiteral("127.0.0.1");
        sock.Port = server.port();
        sock.Connect();
    }
    // A resolver that counts its calls and knows only "localhost".
    void countLookups()
    {
        sock.HostResolver = [lookups = lookups](const QByteArray& name) -> quint32 {
            ++*lookups;
            return name == "localhost" ? INADDR_LOOPBACK : 0;
        };
    }

    TPowersock sock;
    QStringList events;
    std::shared_ptr<std::atomic<int>> lookups = std::make_shared<std::atomic<int>>(0);
    QTemporaryDir dir;
};

TEST_F(PowersockTest, LiveCountFollowsTheComponents)
{
    const int before = TPowersock::LiveCount();
    {
        TPowersock a;
        TPowersock b;
        EXPECT_EQ(TPowersock::LiveCount(), before + 2);
    }
    EXPECT_EQ(TPowersock::LiveCount(), before);
}

TEST_F(PowersockTest, CreationWithoutAFreeDescriptorFails)
{
#ifdef __SANITIZE_ADDRESS__
    GTEST_SKIP() << "the sanitizers' own memory checks need free descriptors";
#endif
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_NOFILE, &saved), 0);
    const int next = ::dup(0); // the lowest free descriptor number
    ::close(next);
    const int before = TPowersock::LiveCount();
    rlimit tight = saved;
    tight.rlim_cur = rlim_t(next); // no new descriptor can be opened
    ASSERT_EQ(::setrlimit(RLIMIT_NOFILE, &tight), 0);
    const QString message = messageOf<ESockError>([] { TPowersock doomed; });
    ::setrlimit(RLIMIT_NOFILE, &saved);
    EXPECT_EQ(message, QStringLiteral("Initializaton of windows sockets failed"));
    EXPECT_EQ(TPowersock::LiveCount(), before);
}

TEST_F(PowersockTest, DestructionRaisesNoHandlers)
{
    Server server({{Server::waitForPeerClose(3000)}});
    int calls = 0;
    {
        TPowersock doomed;
        doomed.ReportLevel = 8;
        doomed.Host = QStringLiteral("127.0.0.1");
        doomed.Port = server.port();
        doomed.Connect();
        doomed.OnStatus = [&](QObject*, const QString&) { ++calls; };
        doomed.OnDisconnect = [&](QObject*) { ++calls; };
    }
    EXPECT_EQ(calls, 0);
}

TEST_F(PowersockTest, DottedAddressConnectsWithoutLookupAndReconnectsAfterDisconnect)
{
    Server server({{Server::send("one\r\n"), Server::waitForPeerClose(3000)},
                   {Server::send("two\r\n"), Server::waitForPeerClose(3000)}});
    countLookups();
    sock.OnHostResolved = [&](QObject*) { events << QStringLiteral("resolved"); };
    sock.OnConnect = [&](QObject*) { events << QStringLiteral("connect"); };
    sock.OnDisconnect = [&](QObject*) { events << QStringLiteral("disconnect"); };

    connectTo(server);
    EXPECT_TRUE(sock.Connected());
    EXPECT_EQ(sock.RemoteAddress().sin_family, AF_INET);
    EXPECT_EQ(sock.RemoteAddress().sin_port, htons(server.port()));
    EXPECT_EQ(sock.RemoteAddress().sin_addr.s_addr, htonl(INADDR_LOOPBACK));
    EXPECT_EQ(sock.ReadLn(), QByteArray("one\r\n"));
    sock.Disconnect();
    EXPECT_FALSE(sock.Connected());

    sock.Connect(); // on the replacement socket
    EXPECT_EQ(sock.ReadLn(), QByteArray("two\r\n"));
    EXPECT_EQ(events,
              QStringList({QStringLiteral("connect"), QStringLiteral("disconnect"), QStringLiteral("connect")}));
    EXPECT_EQ(lookups->load(), 0);
}

TEST_F(PowersockTest, HostNameIsResolvedWhileThePumpRuns)
{
    Server server({{Server::waitForPeerClose(3000)}});
    int pumps = 0;
    sock.EventPump = [&] { ++pumps; };
    sock.OnHostResolved = [&](QObject*) { events << QStringLiteral("resolved"); };
    sock.Host = QStringLiteral("localhost");
    sock.Port = server.port();
    sock.Connect();
    EXPECT_TRUE(sock.Connected());
    EXPECT_EQ(events, QStringList({QStringLiteral("resolved")}));
    EXPECT_GT(pumps, 0);
}

TEST_F(PowersockTest, UnresolvableNameWithoutHandlerIsNullRemoteAddress)
{
    sock.Host = QStringLiteral("nohost.invalid"); // the system resolver answers this without traffic
    sock.Port = 80;
    EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("Null Remote Address"));
}

struct InvalidHostCase
{
    const char* name;
    bool handled;
    const char* newHost;
    int lookups;
    bool connects;
};

class InvalidHost : public PowersockTest, public testing::WithParamInterface<InvalidHostCase>
{
};

TEST_P(InvalidHost, HandlerDecidesOnOneMoreLookup)
{
    const InvalidHostCase& c = GetParam();
    Server server({{Server::waitForPeerClose(3000)}});
    countLookups();
    int calls = 0;
    sock.OnInvalidHost = [&](bool& handled) {
        ++calls;
        handled = c.handled;
        if (*c.newHost)
            sock.Host = QString::fromLatin1(c.newHost);
    };
    sock.Host = QStringLiteral("nohost.invalid");
    sock.Port = server.port();
    if (c.connects) {
        sock.Connect();
        EXPECT_TRUE(sock.Connected());
    } else {
        EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("Null Remote Address"));
    }
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(lookups->load(), c.lookups);
}

INSTANTIATE_TEST_SUITE_P(Handlers, InvalidHost,
                         testing::Values(InvalidHostCase{"NotHandled", false, "", 1, false},
                                         InvalidHostCase{"HandledSameName", true, "", 2, false},
                                         InvalidHostCase{"HandledNewName", true, "localhost", 2, true},
                                         InvalidHostCase{"NotHandledNewName", false, "localhost", 1, false}),
                         [](const testing::TestParamInfo<InvalidHostCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PowersockTest, SlowLookupTimesOutOrIsCanceledWithoutAskingTheHandler)
{
    sock.HostResolver = [](const QByteArray&) -> quint32 {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        return INADDR_LOOPBACK;
    };
    int handlerCalls = 0;
    sock.OnInvalidHost = [&](bool&) { ++handlerCalls; };
    sock.Host = QStringLiteral("slow.test");
    sock.Port = 80;
    sock.TimeOut = 50;
    EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("Host Lookup Timed Out"));

    sock.TimeOut = 0;
    sock.EventPump = [&] { sock.Abort(); };
    EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("Host Lookup Canceled"));
    EXPECT_EQ(handlerCalls, 0);
}

TEST_F(PowersockTest, RefusedConnectionReportsTheSocketError)
{
    const RefusingPort refusing;
    ASSERT_NE(refusing.port(), 0);
    sock.Host = QStringLiteral("127.0.0.1");
    sock.Port = refusing.port();
    EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("10061:Connection refused"));
    EXPECT_EQ(sock.LastError, winsock::ConnectionRefused);
    EXPECT_FALSE(sock.Connected());
}

struct PendingConnectCase
{
    const char* name;
    int timeOut;
    bool abortFromPump;
    const char* message;
};

class PendingConnect : public PowersockTest, public testing::WithParamInterface<PendingConnectCase>
{
};

TEST_P(PendingConnect, EndsWithFailedEventThenItsError)
{
    FullBacklog backlog;
    if (!backlog.full())
        GTEST_SKIP() << "the loopback accept queue did not fill up here";
    const PendingConnectCase& c = GetParam();
    int pumps = 0;
    sock.TimeOut = c.timeOut;
    sock.EventPump = [&] {
        if (++pumps == 5 && c.abortFromPump)
            sock.Abort();
    };
    sock.OnConnectionFailed = [&](QObject*) { events << QStringLiteral("failed"); };
    sock.Host = QStringLiteral("127.0.0.1");
    sock.Port = backlog.port();
    try {
        sock.Connect();
        ADD_FAILURE() << "connected";
    } catch (const ESockError& error) {
        events << QString::fromUtf8(error.what());
    }
    EXPECT_EQ(events, QStringList({QStringLiteral("failed"), QString::fromLatin1(c.message)}));
    EXPECT_FALSE(sock.Connected());
    // The cancel flag stays set until the next Connect: a send meets it at once.
    EXPECT_EQ(messageOf<EAbortError>([&] { sock.Write("x"); }), QStringLiteral("Socket send aborted"));
}

INSTANTIATE_TEST_SUITE_P(Ends, PendingConnect,
                         testing::Values(PendingConnectCase{"TimeOut", 100, false, "Connection Timed out"},
                                         PendingConnectCase{"AbortFromPump", 0, true, "Connection Canceled"}),
                         [](const testing::TestParamInfo<PendingConnectCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PowersockTest, ConnectWhileConnectedFails)
{
    Server server({{Server::waitForPeerClose(3000)}});
    connectTo(server);
    EXPECT_EQ(messageOf<ESockError>([&] { sock.Connect(); }), QStringLiteral("Already connected"));
}

TEST_F(PowersockTest, AbortWhileIdleIsClearedByTheNextConnect)
{
    Server server({{Server::send("hi\n"), Server::waitForPeerClose(3000)}});
    sock.Abort();
    connectTo(server);
    EXPECT_EQ(sock.ReadLn(), QByteArray("hi\n"));
}

struct LevelCase
{
    const char* name;
    int level;
    QStringList texts;
};

class StatusLevels : public PowersockTest, public testing::WithParamInterface<LevelCase>
{
};

TEST_P(StatusLevels, ReportsTextsUpToTheLevelInOrder)
{
    Server server({{Server::waitForPeerClose(3000)}});
    sock.ReportLevel = GetParam().level;
    sock.OnStatus = [&](QObject* sender, const QString& text) {
        EXPECT_EQ(sender, &sock);
        events << text;
    };
    connectTo(server);
    sock.Disconnect();
    EXPECT_EQ(events, GetParam().texts);
    EXPECT_EQ(sock.LastStatus, GetParam().texts.isEmpty() ? QString() : GetParam().texts.last());
}

INSTANTIATE_TEST_SUITE_P(
    Levels, StatusLevels,
    testing::Values(LevelCase{"Silent", 0, {}}, LevelCase{"Four", 4, {QStringLiteral("Request Close Socket")}},
                    LevelCase{"Eight",
                              8,
                              {QStringLiteral("Connecting"), QStringLiteral("Resolve Host"), QStringLiteral("Timer On"),
                               QStringLiteral("Timer Off"), QStringLiteral("Disconnecting"),
                               QStringLiteral("Request Close Socket")}}),
    [](const testing::TestParamInfo<LevelCase>& info) { return std::string(info.param.name); });

TEST_F(PowersockTest, WriteStopsAtZeroAndSendsLongTextsWhole)
{
    Server server({{Server::waitForPeerClose(3000)}});
    connectTo(server);
    const QByteArray longText = Server::pattern(0, 200000).replace('\0', 'z');
    sock.Write(QByteArray("ab\0cd", 5));
    sock.Writeln("line");
    sock.Write(longText);
    // The first socket closes with a reset, which drops bytes not yet sent: wait for them.
    waitForBytes(server, 8 + longText.size());
    sock.Disconnect();
    const auto received = server.waitForRequests(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], "abline\r\n" + longText);
}

TEST_F(PowersockTest, SendBufferSendsTheGivenLengthOrUpToZero)
{
    Server server({{Server::waitForPeerClose(3000)}});
    connectTo(server);
    sock.SendBuffer(QByteArrayView("abc\0def", 7), 5);
    sock.SendBuffer(QByteArrayView("xy\0z", 4), 0);
    waitForBytes(server, 7);
    sock.Disconnect();
    const auto received = server.waitForRequests(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], QByteArray("abc\0dxy", 7));
}

TEST_F(PowersockTest, ReadLnReturnsLinesThenEmptyAtEndOfStream)
{
    Server server({{Server::send("first\r\nsecond\nno line feed"), Server::close()}});
    connectTo(server);
    EXPECT_EQ(sock.ReadLn(), QByteArray("first\r\n"));
    EXPECT_EQ(sock.ReadLn(), QByteArray("second\n"));
    EXPECT_EQ(sock.ReadLn(), QByteArray()); // the started line is dropped at the end
    EXPECT_EQ(sock.ReadLn(), QByteArray());
}

struct LineLengthCase
{
    const char* name;
    int length; // terminator included
    bool fits;
};

class ReadLnLength : public PowersockTest, public testing::WithParamInterface<LineLengthCase>
{
};

TEST_P(ReadLnLength, AcceptsLinesUpToTheBufferSize)
{
    const int length = GetParam().length;
    const QByteArray line = QByteArray(length - 1, 'a') + '\n';
    // In pieces with pauses, so the line arrives over several receives.
    Server server({{Server::send(line.left(40000)), Server::pause(20), Server::send(line.mid(40000)),
                    Server::send("next\n"), Server::close()}});
    connectTo(server);
    if (GetParam().fits) {
        EXPECT_EQ(sock.ReadLn(), line);
        EXPECT_EQ(sock.ReadLn(), QByteArray("next\n"));
    } else {
        EXPECT_EQ(messageOf<ESockError>([&] { sock.ReadLn(); }), QStringLiteral("Socket readln line too long"));
    }
}

INSTANTIATE_TEST_SUITE_P(Limits, ReadLnLength,
                         testing::Values(LineLengthCase{"OneBelow", TPowersock::IoBufferSize - 1, true},
                                         LineLengthCase{"Exactly", TPowersock::IoBufferSize, true},
                                         LineLengthCase{"OneAbove", TPowersock::IoBufferSize + 1, false}),
                         [](const testing::TestParamInfo<LineLengthCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PowersockTest, ReadLnTimesOutAndCancelsThenStaysUsable)
{
    Server server({{Server::send("partial"), Server::pause(400), Server::send(" rest\n"), Server::pause(400),
                    Server::send("last\n"), Server::close()}});
    connectTo(server);
    sock.TimeOut = 100;
    EXPECT_EQ(messageOf<EAbortError>([&] { sock.ReadLn(); }), QStringLiteral("Socket readln aborted"));

    sock.TimeOut = 0;
    bool abortNow = true;
    sock.EventPump = [&] {
        if (abortNow)
            sock.Abort();
    };
    EXPECT_EQ(messageOf<EAbortError>([&] { sock.ReadLn(); }), QStringLiteral("Socket readln aborted"));
    abortNow = false;
    EXPECT_EQ(sock.ReadLn(), QByteArray(" rest\n")); // "partial" went with the timed-out call
    EXPECT_EQ(sock.ReadLn(), QByteArray("last\n"));
}

TEST_F(PowersockTest, TransactionTakesTheReplyNumber)
{
    Server server({{Server::send("250 Fine here\r\n"), Server::send("no number\r\n"), Server::waitForPeerClose(3000)}});
    connectTo(server);
    sock.ReportLevel = 1;
    sock.OnStatus = [&](QObject*, const QString& text) { events << text; };
    EXPECT_EQ(sock.Transaction("HELO"), QByteArray("250 Fine here\r\n"));
    EXPECT_EQ(sock.ReplyNumber, 250);
    EXPECT_EQ(sock.LastReply, QByteArray("250 Fine here\r\n"));
    EXPECT_EQ(sock.Transaction("NEXT"), QByteArray("no number\r\n"));
    EXPECT_EQ(sock.ReplyNumber, 0);
    EXPECT_EQ(events, QStringList({QStringLiteral("250 Fine here\r\n"), QStringLiteral("no number\r\n")}));
    waitForBytes(server, 12);
    sock.Disconnect();
    const auto received = server.waitForRequests(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_EQ(received[0], QByteArray("HELO\r\nNEXT\r\n"));
}

struct CaptureStringCase
{
    const char* name;
    int maximum;
    int expected;
};

class CaptureStringLimit : public PowersockTest, public testing::WithParamInterface<CaptureStringCase>
{
};

TEST_P(CaptureStringLimit, StopsAfterTheBlockThatReachesTheMaximum)
{
    Server server({{Server::sendPattern(4000), Server::pause(150), Server::sendPattern(4000), Server::close()}});
    connectTo(server);
    int packets = 0;
    sock.OnPacketRecvd = [&](QObject*) { ++packets; };
    QByteArray text("old");
    sock.CaptureString(text, GetParam().maximum);
    EXPECT_EQ(text, Server::pattern(0, GetParam().expected));
    EXPECT_EQ(sock.ReceivedBytes, GetParam().expected);
    EXPECT_GE(packets, 1);
}

INSTANTIATE_TEST_SUITE_P(Maximum, CaptureStringLimit,
                         testing::Values(CaptureStringCase{"Hundred", 100, 4000},
                                         CaptureStringCase{"NoLimit", -1, 8000},
                                         CaptureStringCase{"ExactlyOneBlock", 4000, 4000},
                                         CaptureStringCase{"OneMoreThanABlock", 4001, 8000}),
                         [](const testing::TestParamInfo<CaptureStringCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PowersockTest, CaptureStringAppendsASingleByteLikeAnyBlock)
{
    Server server({{Server::send("x"), Server::close()}});
    connectTo(server);
    int packets = 0;
    sock.OnPacketRecvd = [&](QObject*) { ++packets; };
    QByteArray text;
    sock.CaptureString(text, -1);
    EXPECT_EQ(text, QByteArray("x"));
    EXPECT_EQ(packets, 1);
}

class CaptureFileSize : public PowersockTest, public testing::WithParamInterface<int>
{
};

TEST_P(CaptureFileSize, StoresEverythingUntilThePeerCloses)
{
    Server server({{Server::sendPattern(GetParam()), Server::close()}});
    connectTo(server);
    const QString name = dir.filePath(QStringLiteral("capture.bin"));
    QFile old(name);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'o')); // replaced, not overwritten in place
    old.close();
    sock.CaptureFile(name);
    EXPECT_EQ(sock.ReceivedBytes, GetParam());
    EXPECT_EQ(readFile(name), Server::pattern(0, GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Sizes, CaptureFileSize, testing::Values(0, 1, 65536, 1000003));

TEST_F(PowersockTest, CaptureFileThatCannotBeCreatedFails)
{
    Server server({{Server::sendPattern(10), Server::close()}});
    connectTo(server);
    try {
        sock.CaptureFile(dir.path()); // a folder
        FAIL() << "no exception";
    } catch (const ELocalFileError& error) {
        EXPECT_EQ(error.fileName(), dir.path());
    }
    QByteArray rest;
    sock.CaptureString(rest, -1);
    EXPECT_EQ(rest, Server::pattern(0, 10)); // the failed capture took nothing
}

TEST_F(PowersockTest, ResetDuringCaptureIsAnError)
{
    Server server({{Server::sendPattern(100000), Server::pause(50), Server::reset()}});
    connectTo(server);
    const QString name = dir.filePath(QStringLiteral("cut.bin"));
    EXPECT_EQ(messageOf<ESockError>([&] { sock.CaptureFile(name); }), QStringLiteral("10054:Connection reset by peer"));
    EXPECT_EQ(sock.LastError, winsock::ConnectionReset);
    EXPECT_EQ(readFile(name), Server::pattern(0, sock.ReceivedBytes));
}

struct CaptureEndCase
{
    const char* name;
    bool toFile;
    bool abortFromPump; // otherwise the time-out ends it
    const char* message;
};

class CaptureEnd : public PowersockTest, public testing::WithParamInterface<CaptureEndCase>
{
};

TEST_P(CaptureEnd, KeepsWhatArrivedAndClearsTheCancelFlag)
{
    const CaptureEndCase& c = GetParam();
    Server server({{Server::sendPattern(10), Server::pause(2000), Server::close()}});
    connectTo(server);
    if (c.abortFromPump) {
        sock.EventPump = [&] {
            if (sock.ReceivedBytes > 0)
                sock.Abort();
        };
    } else {
        sock.TimeOut = 100;
    }
    const QString name = dir.filePath(QStringLiteral("part.bin"));
    QByteArray text;
    const QString message = messageOf<EAbortError>([&] {
        if (c.toFile)
            sock.CaptureFile(name);
        else
            sock.CaptureString(text, -1);
    });
    EXPECT_EQ(message, QString::fromLatin1(c.message));
    EXPECT_EQ(sock.ReceivedBytes, 10);
    EXPECT_EQ(c.toFile ? readFile(name) : text, Server::pattern(0, 10));
    sock.EventPump = nullptr;
    sock.TimeOut = 0;
    EXPECT_NO_THROW(sock.Write("still usable"));
}

INSTANTIATE_TEST_SUITE_P(Ends, CaptureEnd,
                         testing::Values(CaptureEndCase{"FileTimeOut", true, false, "Socket send aborted"},
                                         CaptureEndCase{"FileAbort", true, true, "Socket send aborted"},
                                         CaptureEndCase{"StringTimeOut", false, false, "Socket capture aborted"},
                                         CaptureEndCase{"StringAbort", false, true, "Socket capture aborted"}),
                         [](const testing::TestParamInfo<CaptureEndCase>& info) {
                             return std::string(info.param.name);
                         });

TEST_F(PowersockTest, SendFileSendsTheWholeFile)
{
    Server server({{Server::waitForPeerClose(3000)}});
    const QString name = dir.filePath(QStringLiteral("send.bin"));
    const QByteArray content = Server::pattern(0, 300001);
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    connectTo(server);
    int packets = 0;
    sock.OnPacketSent = [&](QObject*) { ++packets; };
    sock.SendFile(name);
    sock.SendFile(name);
    EXPECT_EQ(sock.SentBytes, 2 * content.size()); // never reset
    EXPECT_GE(packets, 2);
    waitForBytes(server, 2 * content.size());
    sock.Disconnect();
    const auto received = server.waitForRequests(1);
    ASSERT_EQ(received.size(), 1u);
    EXPECT_TRUE(received[0] == content + content);
}

TEST_F(PowersockTest, SendFileOfMissingFileFails)
{
    Server server({{Server::waitForPeerClose(3000)}});
    connectTo(server);
    const QString name = dir.filePath(QStringLiteral("missing.bin"));
    try {
        sock.SendFile(name);
        FAIL() << "no exception";
    } catch (const ELocalFileError& error) {
        EXPECT_EQ(error.fileName(), name);
    }
}

TEST_F(PowersockTest, DataAvailablePeeksWithoutTakingTheData)
{
    Server server({{Server::pause(300), Server::send("x\n"), Server::waitForPeerClose(3000)}});
    connectTo(server);
    EXPECT_FALSE(sock.DataAvailable());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
    while (!sock.DataAvailable() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    EXPECT_TRUE(sock.DataAvailable());
    EXPECT_EQ(sock.ReadLn(), QByteArray("x\n"));
}

} // namespace
