#include "net/http_client.h"
#include "scripted_server.h"
#include "test_support.h"
#include "tests/support/refusing_port.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using Server = ScriptedServer;

const QByteArray kAccept = "Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff\r\n"
                           "Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript\r\n";
const QByteArray kContentType = "Content-type: application/x-www-form-urlencoded\r\n";

QByteArray response(const QByteArray& statusLine, const QByteArray& headers, const QByteArray& body)
{
    return statusLine + "\r\n" + headers + "\r\n" + body;
}

QByteArray ok(const QByteArray& body)
{
    return response("HTTP/1.0 200 OK", "Content-Length: " + QByteArray::number(body.size()) + "\r\n", body);
}

QByteArray readFile(const QString& name)
{
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& name, const QByteArray& content)
{
    QFile file(name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// The request line of a recorded request.
QByteArray requestLine(const QByteArray& request)
{
    return request.left(request.indexOf("\r\n"));
}

class HttpTest : public testing::Test
{
protected:
    HttpTest()
    {
        http.OnSuccess = [this](TCmdType kind) { events << QStringLiteral("success %1").arg(int(kind)); };
        http.OnFailure = [this](TCmdType kind) { events << QStringLiteral("failure %1").arg(int(kind)); };
        http.OnAuthenticationNeeded = [this](QObject*) { events << QStringLiteral("authentication"); };
        http.TimeOut = 5000; // a safety net only: no test waits for it unless it sets its own
    }

    static QString url(const Server& server, const char* path)
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(QLatin1String(path));
    }
    void recordRedirects(bool handled = false)
    {
        http.OnRedirect = [this, handled](bool& h) {
            events << QStringLiteral("redirect");
            h = handled;
        };
    }

    TNMHTTP http;
    QStringList events;
    QTemporaryDir dir;
};

TEST_F(HttpTest, GetSendsTheExactRequestAndKeepsHeaderAndBodyAsText)
{
    const QByteArray answer = response("HTTP/1.0 200 OK", "Server: test\r\nContent-Length: 5\r\n", "hello");
    Server server({{Server::readRequest(), Server::send(answer)}});
    http.OnAboutToSend = [&](QObject*) {
        EXPECT_FALSE(http.Connected());
        events << http.RequestHeader()[0];
    };
    http.Get(url(server, "/a/b.txt"));
    const auto requests = server.waitForRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], "GET /a/b.txt HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + kContentType + "\r\n");
    EXPECT_EQ(http.Body, QStringLiteral("hello"));
    EXPECT_EQ(http.Header, QStringLiteral("HTTP/1.0 200 OK\r\nServer: test\r\nContent-Length: 5\r\n\r\n"));
    EXPECT_EQ(http.ReplyNumber, 200);
    EXPECT_EQ(http.ContentLength, 5);
    EXPECT_EQ(http.Host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(http.Port, server.port());
    EXPECT_EQ(events, QStringList({QStringLiteral("GET /a/b.txt HTTP/1.0"), QStringLiteral("success 0")}));
    EXPECT_FALSE(http.Connected());
}

TEST_F(HttpTest, DownloadToFilesReportsProgressAgainstTheAnnouncedLength)
{
    const int size = 300001;
    const QByteArray header = "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(size) + "\r\n\r\n";
    Server server({{Server::readRequest(), Server::send(header), Server::sendPattern(size)}});
    http.InputFileMode = true;
    http.OutputFileMode = true;
    http.Body = dir.filePath(QStringLiteral("setup.zip"));
    http.Header = dir.filePath(QStringLiteral("Head.txt"));
    writeFile(http.Body, QByteArray(400000, 'x')); // replaced
    qint64 previous = 0;
    int packets = 0;
    http.OnPacketRecvd = [&](QObject*) {
        ++packets;
        EXPECT_EQ(http.ContentLength, size);
        EXPECT_GT(http.ReceivedBytes, previous);
        previous = http.ReceivedBytes;
    };
    http.Get(url(server, "/files/setup.zip"));
    EXPECT_GE(packets, 1);
    EXPECT_EQ(http.ReceivedBytes, size);
    EXPECT_EQ(readFile(http.Body), Server::pattern(0, size));
    EXPECT_EQ(readFile(http.Header), header);
    EXPECT_EQ(events, QStringList({QStringLiteral("success 0")}));
}

TEST_F(HttpTest, UrlWithoutPortConnectsToPort80)
{
    std::unique_ptr<Server> server;
    try {
        server =
            std::make_unique<Server>(std::vector<Server::Script>{{Server::readRequest(), Server::send(ok("80"))}}, 80);
    } catch (const std::runtime_error&) {
        GTEST_SKIP() << "port 80 cannot be opened here";
    }
    http.Port = 8080; // an earlier port does not stick to a URL that names a host
    http.Get(QStringLiteral("http://127.0.0.1/index.html"));
    EXPECT_EQ(http.Port, 80);
    EXPECT_EQ(http.Body, QStringLiteral("80"));
    EXPECT_EQ(requestLine(server->waitForRequests(1).at(0)), QByteArray("GET /index.html HTTP/1.0"));
}

struct UrlFormCase
{
    const char* name;
    const char* url; // "%1" is the server's port
    const char* requestLine;
};

class UrlForms : public HttpTest, public testing::WithParamInterface<UrlFormCase>
{
};

TEST_P(UrlForms, RequestThePathOnTheNamedPort)
{
    Server server({{Server::readRequest(), Server::send(ok("x"))}});
    http.Get(QString::fromLatin1(GetParam().url).arg(server.port()));
    const auto requests = server.waitForRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requestLine(requests[0]), QByteArray(GetParam().requestLine));
    EXPECT_EQ(http.Port, server.port());
}

INSTANTIATE_TEST_SUITE_P(
    Urls, UrlForms,
    testing::Values(UrlFormCase{"SchemelessWithPort", "127.0.0.1:%1/dir/f.txt", "GET /dir/f.txt HTTP/1.0"},
                    UrlFormCase{"SchemeAndHostOnly", "http://127.0.0.1:%1", "GET / HTTP/1.0"},
                    UrlFormCase{"BlanksEncoded", "http://127.0.0.1:%1/a b.txt", "GET /a%20b.txt HTTP/1.0"}),
    [](const testing::TestParamInfo<UrlFormCase>& info) { return std::string(info.param.name); });

TEST_F(HttpTest, HttpsIsRefusedBeforeConnecting)
{
    Server server({{Server::readRequest(), Server::send(ok("x"))}});
    EXPECT_EQ(messageOf<std::runtime_error>([&] { http.Get(url(server, "/").replace(0, 4, QStringLiteral("https"))); }),
              QStringLiteral("HTTP Secure Socket is not supported"));
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(server.connections(), 0);
}

TEST_F(HttpTest, UrlErrorsLeaveTheCall)
{
    EXPECT_EQ(messageOf<std::runtime_error>([&] { http.Get(QString()); }), QStringLiteral("Empty URL"));
    EXPECT_EQ(messageOf<EConvertError>([&] { http.Get(QStringLiteral("http://127.0.0.1:abc/")); }),
              QStringLiteral("'abc' is not a valid port number"));
    EXPECT_EQ(messageOf<ESockError>([&] { http.Get(QStringLiteral("http://nohost.invalid/f")); }),
              QStringLiteral("Null Remote Address"));
    EXPECT_TRUE(events.isEmpty());
}

TEST_F(HttpTest, RefusedConnectionIsTheSocketError)
{
    const RefusingPort refusing;
    ASSERT_NE(refusing.port(), 0);
    EXPECT_EQ(messageOf<ESockError>([&] { http.Get(QStringLiteral("http://127.0.0.1:%1/").arg(refusing.port())); }),
              QStringLiteral("10061:Connection refused"));
}

TEST_F(HttpTest, ResponseWithoutContentLengthIsReadToTheEnd)
{
    const QByteArray body = Server::pattern(0, 70000);
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 200 OK", "", body))}});
    http.Get(url(server, "/"));
    EXPECT_EQ(http.ContentLength, 0);
    EXPECT_EQ(http.Body.toLatin1(), body);
    EXPECT_EQ(events, QStringList({QStringLiteral("success 0")}));
}

TEST_F(HttpTest, RedirectToAnotherServerIsFollowed)
{
    Server target({{Server::readRequest(), Server::send(ok("done"))}});
    const QByteArray location = "Location: " + url(target, "/final").toLatin1() + "\r\n";
    Server first({{Server::readRequest(), Server::send(response("HTTP/1.0 301 Moved", location, "moved"))}});
    recordRedirects();
    http.Get(url(first, "/start"));
    EXPECT_EQ(http.Body, QStringLiteral("done"));
    EXPECT_EQ(http.Port, target.port());
    EXPECT_EQ(requestLine(target.waitForRequests(1).at(0)), QByteArray("GET /final HTTP/1.0"));
    EXPECT_EQ(events, QStringList({QStringLiteral("redirect"), QStringLiteral("success 0")}));
}

TEST_F(HttpTest, BarePathRedirectStaysOnHostAndPortAndSendsTheCookie)
{
    Server server({{Server::readRequest(),
                    Server::send(response("HTTP/1.0 302 Found", "Set-Cookie: sid=42\r\nLocation: /next\r\n", ""))},
                   {Server::readRequest(), Server::send(ok("next page"))}});
    http.Get(url(server, "/login"));
    const auto requests = server.waitForRequests(2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[1],
              "GET /next HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + "Cookie: sid=42\r\n" + kContentType + "\r\n");
    EXPECT_EQ(http.HeaderInfo.Cookie, QStringLiteral("sid=42"));
    EXPECT_EQ(http.Body, QStringLiteral("next page"));
    EXPECT_EQ(events, QStringList({QStringLiteral("success 0")}));
}

TEST_F(HttpTest, LocationWithoutSlashIsAFileOnTheSameServer)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "Location: page.html\r\n", ""))},
                   {Server::readRequest(), Server::send(ok("page"))}});
    http.Get(url(server, "/dir/"));
    const auto requests = server.waitForRequests(2);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requestLine(requests[1]), QByteArray("GET /page.html HTTP/1.0"));
    EXPECT_EQ(http.Body, QStringLiteral("page"));
}

TEST_F(HttpTest, RedirectWithoutLocationAndNoEarlierOneIsEmptyUrl)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "", ""))}});
    EXPECT_EQ(messageOf<std::runtime_error>([&] { http.Get(url(server, "/a")); }), QStringLiteral("Empty URL"));
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(HttpTest, RedirectWithoutLocationGoesToTheEarlierLocation)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "Location: /b\r\n", ""))},
                   {Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "", ""))},
                   {Server::readRequest(), Server::send(ok("b"))}});
    http.Get(url(server, "/a"));
    const auto requests = server.waitForRequests(3);
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requestLine(requests[0]), QByteArray("GET /a HTTP/1.0"));
    EXPECT_EQ(requestLine(requests[1]), QByteArray("GET /b HTTP/1.0"));
    EXPECT_EQ(requestLine(requests[2]), QByteArray("GET /b HTTP/1.0"));
    EXPECT_EQ(http.Body, QStringLiteral("b"));
}

TEST_F(HttpTest, EndlessRedirectionsAreBounded)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "Location: /loop\r\n", ""))}});
    EXPECT_EQ(messageOf<ESockError>([&] { http.Get(url(server, "/loop")); }), QStringLiteral("Too many redirections"));
    EXPECT_EQ(server.connections(), TNMHTTP::MaxRedirections + 1);
}

TEST_F(HttpTest, HandledRedirectIsNotFollowed)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 302 Found", "Location: /b\r\n", "x"))}});
    recordRedirects(true);
    http.Get(url(server, "/a"));
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(events, QStringList({QStringLiteral("redirect")}));
    EXPECT_EQ(http.Body, QStringLiteral("x"));
}

struct NeitherCase
{
    const char* name;
    const char* statusLine;
    bool redirectEvent;
};

class NeitherSuccessNorFailure : public HttpTest, public testing::WithParamInterface<NeitherCase>
{
};

TEST_P(NeitherSuccessNorFailure, EndsTheCallWithoutRepeatingTheRequest)
{
    Server server(
        {{Server::readRequest(),
          Server::send(response(GetParam().statusLine, "Location: /elsewhere\r\nSet-Cookie: c=1\r\n", "b"))}});
    recordRedirects();
    http.Get(url(server, "/a"));
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(events, GetParam().redirectEvent ? QStringList({QStringLiteral("redirect")}) : QStringList());
    EXPECT_EQ(http.HeaderInfo.Cookie, GetParam().redirectEvent ? QStringLiteral("c=1") : QString());
    EXPECT_EQ(http.Body, QStringLiteral("b"));
}

INSTANTIATE_TEST_SUITE_P(Statuses, NeitherSuccessNorFailure,
                         testing::Values(NeitherCase{"Status299", "HTTP/1.0 299 Odd", false},
                                         NeitherCase{"Status303", "HTTP/1.0 303 See Other", true},
                                         NeitherCase{"Status304", "HTTP/1.0 304 Not Modified", true},
                                         NeitherCase{"Status399", "HTTP/1.0 399 Odd", false}),
                         [](const testing::TestParamInfo<NeitherCase>& info) { return std::string(info.param.name); });

struct KindCase
{
    const char* name;
    void (*call)(TNMHTTP& http, const QString& url);
    int kind;
    QByteArray word;
    QByteArray extraLines; // between the content type and the empty line
    QByteArray data;       // sent after the empty line
};

class RequestKinds : public HttpTest, public testing::WithParamInterface<KindCase>
{
};

TEST_P(RequestKinds, SendTheirWordExtraLinesAndData)
{
    const KindCase& c = GetParam();
    Server server({{Server::readRequest(), Server::send(ok("r"))}});
    c.call(http, url(server, "/res"));
    const auto requests = server.waitForRequests(1);
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0], c.word + " /res HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + kContentType + c.extraLines +
                               "\r\n" + c.data);
    EXPECT_EQ(events, QStringList({QStringLiteral("success %1").arg(c.kind)}));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, RequestKinds,
    testing::Values(KindCase{"Get", [](TNMHTTP& h, const QString& u) { h.Get(u); }, 0, "GET", "", ""},
                    KindCase{"Options", [](TNMHTTP& h, const QString& u) { h.Options(u); }, 1, "OPTIONS", "", ""},
                    KindCase{"Head", [](TNMHTTP& h, const QString& u) { h.Head(u); }, 2, "HEAD", "", ""},
                    KindCase{"Post", [](TNMHTTP& h, const QString& u) { h.Post(u, QStringLiteral("d=1 x")); }, 3,
                             "POST", "Content-Length: 7\r\n", "d%3D1+x"},
                    KindCase{"Put", [](TNMHTTP& h, const QString& u) { h.Put(u, QStringLiteral("d=1")); }, 4, "PUT",
                             "Content-Length: 3\r\n", "d=1"},
                    KindCase{"Patch", [](TNMHTTP& h, const QString& u) { h.Patch(u, QString::fromUtf8("\xC4\x8D")); },
                             5, "PATCH", "Content-Length: 2\r\n", "\xC4\x8D"},
                    KindCase{"Copy", [](TNMHTTP& h, const QString& u) { h.Copy(u, QStringLiteral("/dest")); }, 6,
                             "COPY", "URI-header: /dest\r\n", ""},
                    KindCase{"Move", [](TNMHTTP& h, const QString& u) { h.Move(u, QStringLiteral("/dest")); }, 7,
                             "MOVE", "URI-header: /dest\r\n", ""},
                    KindCase{"Delete", [](TNMHTTP& h, const QString& u) { h.Delete(u); }, 8, "DELETE", "", ""},
                    KindCase{"Link", [](TNMHTTP& h, const QString& u) { h.Link(u, QStringLiteral("<a>")); }, 9, "LINK",
                             "Link: <a>\r\nContent-Length: 0\r\n", ""},
                    KindCase{"Unlink", [](TNMHTTP& h, const QString& u) { h.Unlink(u, QStringLiteral("<a>")); }, 10,
                             "UNLINK", "Link: <a>\r\nContent-Length: 0\r\n", ""},
                    KindCase{"Trace", [](TNMHTTP& h, const QString& u) { h.Trace(u, QStringLiteral("a\0b")); }, 11,
                             "TRACE", "Content-Length: 3\r\n", QByteArray("a\0b", 3)}),
    [](const testing::TestParamInfo<KindCase>& info) { return std::string(info.param.name); });

class ErrorStatus : public HttpTest, public testing::WithParamInterface<bool>
{
};

TEST_P(ErrorStatus, BodyIsStoredAndOnlyFailureRaised)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 404 Not Found", "", "<h1>missing</h1>"))}});
    http.InputFileMode = GetParam();
    http.Body = GetParam() ? dir.filePath(QStringLiteral("page.htm")) : QString();
    http.Get(url(server, "/nothing"));
    EXPECT_EQ(GetParam() ? readFile(http.Body) : http.Body.toLatin1(), QByteArray("<h1>missing</h1>"));
    EXPECT_EQ(http.ReplyNumber, 404);
    EXPECT_EQ(events, QStringList({QStringLiteral("failure 0")}));
}

INSTANTIATE_TEST_SUITE_P(BodyModes, ErrorStatus, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ToFile" : "ToString");
                         });

TEST_F(HttpTest, UnauthorizedRaisesFailureThenAuthenticationAndDoesNotRetry)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 401 Unauthorized", "", ""))}});
    http.Get(url(server, "/private"));
    EXPECT_EQ(server.connections(), 1);
    EXPECT_EQ(events, QStringList({QStringLiteral("failure 0"), QStringLiteral("authentication")}));
}

TEST_F(HttpTest, OptionalHeaderLinesFollowInTheirOrder)
{
    Server server({{Server::readRequest(), Server::send(ok(""))}});
    http.HeaderInfo.LocalProgram = QStringLiteral("Lodgera");
    http.HeaderInfo.LocalMailAddress = QStringLiteral("desk@hotel.test");
    http.HeaderInfo.Cookie = QStringLiteral("a=1");
    http.HeaderInfo.Referer = QStringLiteral("http://r.test/\r\nX-Evil: 1");
    http.HeaderInfo.UserId = QStringLiteral("user");
    http.HeaderInfo.Password = QStringLiteral("pass");
    http.Delete(url(server, "/r"));
    EXPECT_EQ(server.waitForRequests(1).at(0),
              "DELETE /r HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept +
                  "User-Agent: Lodgera\r\nFrom: desk@hotel.test\r\nCookie: a=1\r\n"
                  "Referer: http://r.test/X-Evil: 1\r\nAuthorization: Basic dXNlcjpwYXNz\r\n" +
                  kContentType + "\r\n");
    EXPECT_EQ(events, QStringList({QStringLiteral("success 8")}));
}

TEST_F(HttpTest, PostSendsFormEncodedDataWithItsLength)
{
    Server server({{Server::readRequest(), Server::send(ok("posted"))}});
    http.Post(url(server, "/form"), QStringLiteral("a b/c"));
    EXPECT_EQ(server.waitForRequests(1).at(0), "POST /form HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept + kContentType +
                                                   "Content-Length: 7\r\n\r\na+b%2Fc");
    EXPECT_EQ(events, QStringList({QStringLiteral("success 3")}));
}

TEST_F(HttpTest, PutFromFileSendsTheFileAndWritesTheHeaderFile)
{
    const QByteArray data = Server::pattern(0, 100000);
    const QString dataFile = dir.filePath(QStringLiteral("upload.bin"));
    writeFile(dataFile, data);
    const QByteArray answer = response("HTTP/1.0 201 Created", "", "");
    Server server({{Server::readRequest(), Server::send(answer)}});
    http.OutputFileMode = true;
    http.Header = dir.filePath(QStringLiteral("Head.txt"));
    http.Put(url(server, "/upload.bin"), dataFile);
    EXPECT_EQ(server.waitForRequests(1).at(0), "PUT /upload.bin HTTP/1.0\r\nHost: 127.0.0.1\r\n" + kAccept +
                                                   kContentType + "Content-Length: 100000\r\n\r\n" + data);
    EXPECT_EQ(readFile(http.Header), answer);
    EXPECT_EQ(http.SentBytes, data.size());
    EXPECT_EQ(events, QStringList({QStringLiteral("success 4")}));
}

TEST_F(HttpTest, ProxyGetsTheWholeUrlAndTheOriginHost)
{
    Server proxy({{Server::readRequest(), Server::send(ok("via proxy"))}});
    http.Proxy = QStringLiteral("127.0.0.1");
    http.ProxyPort = proxy.port();
    http.Get(QStringLiteral("http://origin.invalid:8080/x")); // never looked up: the proxy is
    EXPECT_EQ(proxy.waitForRequests(1).at(0), "GET http://origin.invalid:8080/x HTTP/1.0\r\n"
                                              "Proxy-Connection: Keep-Alive\r\nHost: origin.invalid\r\n" +
                                                  kAccept + kContentType + "\r\n");
    EXPECT_EQ(http.Body, QStringLiteral("via proxy"));
}

TEST_F(HttpTest, HeadIgnoresTheAnnouncedLength)
{
    Server server({{Server::readRequest(), Server::send(response("HTTP/1.0 200 OK", "Content-Length: 1000\r\n", ""))}});
    http.Head(url(server, "/big"));
    EXPECT_EQ(http.ContentLength, 1000);
    EXPECT_EQ(events, QStringList({QStringLiteral("success 2")}));
}

class AbortDuringBody : public HttpTest, public testing::WithParamInterface<bool>
{
};

TEST_P(AbortDuringBody, EndsWithItsErrorAndKeepsWhatArrived)
{
    const bool toFile = GetParam();
    Server server({{Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nContent-Length: 1000000\r\n\r\n"),
                    Server::sendPattern(50000), Server::pause(300), Server::sendPattern(950000)},
                   {Server::readRequest(), Server::send(ok("again"))}});
    http.InputFileMode = toFile;
    http.Body = toFile ? dir.filePath(QStringLiteral("big.bin")) : QString();
    // A Stop button: the GUI's event pump delivers its click while the body arrives.
    http.EventPump = [&] {
        if (http.ReceivedBytes > 0)
            http.Abort();
    };
    EXPECT_EQ(messageOf<EAbortError>([&] { http.Get(url(server, "/big.bin")); }),
              toFile ? QStringLiteral("Socket send aborted") : QStringLiteral("Socket capture aborted"));
    EXPECT_GT(http.ReceivedBytes, 0);
    EXPECT_EQ(toFile ? readFile(http.Body) : http.Body.toLatin1(), Server::pattern(0, http.ReceivedBytes));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(http.Connected());

    // The next request works normally.
    http.EventPump = nullptr;
    http.InputFileMode = false;
    http.Get(url(server, "/small"));
    EXPECT_EQ(http.Body, QStringLiteral("again"));
}

INSTANTIATE_TEST_SUITE_P(BodyModes, AbortDuringBody, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "ToFile" : "ToString");
                         });

TEST_F(HttpTest, StopClickDeliveredByQtEventsEndsTheDownload)
{
    Server server({{Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\nab"),
                    Server::pause(3000)}});
    http.InputFileMode = true;
    http.Body = dir.filePath(QStringLiteral("stopped.bin"));
    http.EventPump = [] { QCoreApplication::processEvents(); };
    // The click arrives as a Qt event shortly after the body has started.
    QTimer stopButton;
    stopButton.setSingleShot(true);
    QObject::connect(&stopButton, &QTimer::timeout, [&] { http.Abort(); });
    http.OnPacketRecvd = [&](QObject*) { stopButton.start(50); };
    EXPECT_EQ(messageOf<EAbortError>([&] { http.Get(url(server, "/stopped.bin")); }),
              QStringLiteral("Socket send aborted"));
    EXPECT_EQ(readFile(http.Body), QByteArray("ab"));
}

struct BadResponseCase
{
    const char* name;
    Server::Script script;
    int timeOut;
    const char* message;
};

class BadResponse : public HttpTest, public testing::WithParamInterface<BadResponseCase>
{
};

TEST_P(BadResponse, EndsInAnErrorWithoutSuccess)
{
    Server server({GetParam().script});
    http.TimeOut = GetParam().timeOut;
    EXPECT_EQ(messageOf<ESockError>([&] { http.Get(url(server, "/f")); }), QString::fromLatin1(GetParam().message));
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(http.Connected());
}

QByteArray manyHeaderLines()
{
    return "HTTP/1.0 200 OK\r\n" + QByteArray("X-Filler: 0123456789\r\n").repeated(60000) + "\r\n";
}

INSTANTIATE_TEST_SUITE_P(
    Responses, BadResponse,
    testing::Values(
        BadResponseCase{
            "HeaderLineOver64KB",
            {Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nX-Long: " + QByteArray(70000, 'a') + "\r\n\r\n")},
            5000,
            "Socket readln line too long"},
        BadResponseCase{"BinaryWithoutLineFeeds",
                        {Server::readRequest(), Server::send(Server::pattern(0, 200000).replace('\n', 'x'))},
                        5000,
                        "Socket readln line too long"},
        BadResponseCase{"HeaderOverOneMegabyte",
                        {Server::readRequest(), Server::send(manyHeaderLines())},
                        5000,
                        "Response header too long"},
        BadResponseCase{"NothingThenClose", {Server::readRequest(), Server::close()}, 5000, "Invalid HTTP status line"},
        BadResponseCase{"NoStatusLine",
                        {Server::readRequest(), Server::send("<html>hello</html>\r\n\r\nbody")},
                        5000,
                        "Invalid HTTP status line"},
        BadResponseCase{"ResetHalfway",
                        {Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nContent-Length: 100000\r\n\r\n"),
                         Server::sendPattern(30000), Server::pause(50), Server::reset()},
                        5000,
                        "10054:Connection reset by peer"},
        BadResponseCase{"ClosedBeforeTheWholeBody",
                        {Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nContent-Length: 1000\r\n\r\n"),
                         Server::sendPattern(10)},
                        5000,
                        "Connection closed before the whole body arrived"},
        BadResponseCase{
            "NothingUntilTheTimeOut", {Server::readRequest(), Server::pause(3000)}, 200, "Socket readln aborted"},
        BadResponseCase{"HeaderStallsUntilTheTimeOut",
                        {Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nX-A: 1"), Server::pause(3000)},
                        200,
                        "Socket readln aborted"},
        BadResponseCase{"BodyStallsUntilTheTimeOut",
                        {Server::readRequest(), Server::send("HTTP/1.0 200 OK\r\nContent-Length: 100\r\n\r\nab"),
                         Server::pause(3000)},
                        200,
                        "Socket capture aborted"}),
    [](const testing::TestParamInfo<BadResponseCase>& info) { return std::string(info.param.name); });

struct OddResponseCase
{
    const char* name;
    QByteArray answer;
    qint64 contentLength;
    QByteArray body;
};

class OddResponse : public HttpTest, public testing::WithParamInterface<OddResponseCase>
{
};

TEST_P(OddResponse, IsStoredAsItCame)
{
    Server server({{Server::readRequest(), Server::send(GetParam().answer)}});
    http.Get(url(server, "/f"));
    EXPECT_EQ(http.ContentLength, GetParam().contentLength);
    EXPECT_EQ(http.Body.toLatin1(), GetParam().body);
    EXPECT_EQ(events, QStringList({QStringLiteral("success 0")}));
}

INSTANTIATE_TEST_SUITE_P(
    Responses, OddResponse,
    testing::Values(OddResponseCase{"NegativeLength", "HTTP/1.0 200 OK\r\nContent-Length: -5\r\n\r\nabc", 0, "abc"},
                    OddResponseCase{"HugeLength", "HTTP/1.0 200 OK\r\nContent-Length: 99999999999999999999\r\n\r\nabc",
                                    0, "abc"},
                    OddResponseCase{"BodyLongerThanAnnounced",
                                    "HTTP/1.0 200 OK\r\nContent-Length: 3\r\n\r\n" + Server::pattern(0, 100000), 3,
                                    Server::pattern(0, 100000)},
                    OddResponseCase{"BareLineFeeds", "HTTP/1.0 200 OK\nContent-Length: 2\n\nok", 2, "ok"},
                    OddResponseCase{"BinaryBody", "HTTP/1.0 200 OK\r\n\r\n" + QByteArray("\0\xFF\r\n\0", 5), 0,
                                    QByteArray("\0\xFF\r\n\0", 5)}),
    [](const testing::TestParamInfo<OddResponseCase>& info) { return std::string(info.param.name); });

TEST_F(HttpTest, BodyFileThatCannotBeCreatedFailsWithItsName)
{
    Server server({{Server::readRequest(), Server::send(ok("x"))}});
    http.InputFileMode = true;
    http.Body = dir.path(); // an address ending in "/" names the folder itself
    try {
        http.Get(url(server, "/"));
        FAIL() << "no exception";
    } catch (const ELocalFileError& error) {
        EXPECT_EQ(error.fileName(), dir.path());
    }
    EXPECT_TRUE(events.isEmpty());
    EXPECT_FALSE(http.Connected());
}

TEST_F(HttpTest, SecondRequestFromAHandlerIsRefused)
{
    Server server({{Server::readRequest(), Server::send(ok("first"))}});
    QString inner;
    http.OnPacketRecvd = [&](QObject*) {
        if (inner.isEmpty())
            inner = messageOf<ESockError>([&] { http.Get(url(server, "/second")); });
    };
    http.Get(url(server, "/first"));
    EXPECT_EQ(inner, QStringLiteral("Request already in progress"));
    EXPECT_EQ(http.Body, QStringLiteral("first"));
    EXPECT_EQ(server.connections(), 1);
}

} // namespace
