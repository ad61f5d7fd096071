// The taxi button and the camera refresh with the real web engine: the request to the address is
// the action, so these tests watch a loopback HTTP server receive it.
#include "tests/support/program_fixture.h"

#include "app/camera_window.h"
#include "settings/settings_window.h"
#include "widgets/color_button.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QLineEdit>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>

#include <unistd.h>

namespace {

// Before the application object exists: the engine ends the process when its sandbox meets root,
// and it shares OpenGL contexts with the widgets.
const bool kEnginePrepared = [] {
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    return true;
}();

// Answers every request on 127.0.0.1 with a small page and keeps each request line.
class LoopbackHttpServer final : public QObject
{
public:
    LoopbackHttpServer()
    {
        server_.listen(QHostAddress::LocalHost, 0);
        connect(&server_, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket* socket = server_.nextPendingConnection()) {
                connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { serve(socket); });
            }
        });
    }

    bool listening() const { return server_.isListening(); }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(server_.serverPort()); }
    QStringList requestLines;

private:
    void serve(QTcpSocket* socket)
    {
        QByteArray& buffer = buffers_[socket];
        buffer += socket->readAll();
        if (!buffer.contains("\r\n\r\n"))
            return;
        requestLines << QString::fromLatin1(buffer.left(buffer.indexOf("\r\n")));
        buffers_.remove(socket);
        socket->write("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nConnection: close\r\n\r\n"
                      "<html><body><b>Objednávka přijata</b></body></html>");
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

// Runs the event loop until done() holds or the time is up; the engine works through the loop.
bool pumpUntil(const std::function<bool()>& done, int milliseconds = 30000)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < milliseconds)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return done();
}

class RealBrowser : public ProgramTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kEnginePrepared);
        ASSERT_TRUE(server.listening());
        ProgramTest::SetUp();
    }
    TWebBrowserFactory& browserFactory() override { return engine; }
    bool requested(const QString& requestLine) const { return server.requestLines.contains(requestLine); }

    WebEngineBrowserFactory engine;
    LoopbackHttpServer server;
};

TEST_F(RealBrowser, TaxiAddressIsRequestedWhileTheConfirmationBoxIsOpen)
{
    ticks(2);
    // Stored without a scheme, as the default addresses are: the view reads it as http.
    forms().form15->taxiurl->setText(server.address() + QStringLiteral("/taxi.php?hotel=Lodgera"));
    bool requestedWhileOpen = false;
    dialogs.whileOpen = [&] {
        requestedWhileOpen =
            pumpUntil([&] { return requested(QStringLiteral("GET /taxi.php?hotel=Lodgera HTTP/1.1")); });
    };
    leftClick(main().TaxiBut);
    EXPECT_TRUE(requestedWhileOpen) << server.requestLines.join(u'\n').toStdString();
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Plain);
}

TEST_F(RealBrowser, CameraRefreshRequestsTheCameraAddress)
{
    ticks(2);
    TForm2& cameras = *forms().form2;
    forms().form15->kamera[4]->setText(QStringLiteral("http://") + server.address() +
                                       QStringLiteral("/kamera5/snimek.jpg"));
    cameras.show();
    cameras.kamera->setCurrentIndex(4);
    leftClick(cameras.ObnovitBut);
    EXPECT_TRUE(pumpUntil([&] { return requested(QStringLiteral("GET /kamera5/snimek.jpg HTTP/1.1")); }))
        << server.requestLines.join(u'\n').toStdString();
    EXPECT_TRUE(dialogs.record.shown.empty());
}

} // namespace
