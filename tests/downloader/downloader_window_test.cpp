// The download window end to end: real transfers from a scripted server on 127.0.0.1, buttons
// clicked with the mouse, boxes recorded.
#include "desktop/dialogs.h"
#include "downloader/downloader_window.h"
#include "net/http_client.h"
#include "tests/net/scripted_server.h"
#include "tests/support/current_dir.h"
#include "tests/support/qt_print.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/refusing_port.h"

#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <ostream>

namespace {

using downloader::TForm1;
using Script = ScriptedServer::Script;

QByteArray okHeader(qint64 length)
{
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(length) + "\r\n\r\n";
}

const QByteArray kHeaderWithoutLength = "HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void click(QWidget* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// Runs action once, from inside the running transfer's event processing, as soon as ready() holds.
class DuringTransfer
{
public:
    DuringTransfer(std::function<bool()> ready, std::function<void()> action)
    {
        timer_.setInterval(1);
        QObject::connect(&timer_, &QTimer::timeout, [this, ready = std::move(ready), action = std::move(action)] {
            if (!ready())
                return;
            timer_.stop();
            fired = true;
            action();
        });
        timer_.start();
    }
    bool fired = false;

private:
    QTimer timer_;
};

class DownloaderWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        ASSERT_TRUE(QDir::setCurrent(dir_.path()));
        cwd_ = QDir::current().canonicalPath() + QLatin1Char('/');
    }

    // The window as the program shows it, with argument as its first command-line argument.
    std::unique_ptr<TForm1> open(const QString& argument)
    {
        auto form = std::make_unique<TForm1>(dialogs_, argument);
        form->show();
        return form;
    }
    static QString address(const ScriptedServer& server, const char* path)
    {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server.port()).arg(QLatin1String(path));
    }
    static void expectIdle(const TForm1& form)
    {
        EXPECT_TRUE(form.StartBut->isEnabled());
        EXPECT_FALSE(form.StopBut->isEnabled());
    }
    static void expectDownloading(const TForm1& form)
    {
        EXPECT_FALSE(form.StartBut->isEnabled());
        EXPECT_TRUE(form.StopBut->isEnabled());
    }

    QTemporaryDir dir_;
    ScopedCurrentDir restoreCurrentDir_;
    QString cwd_; // the working directory as the window sees it, ending in "/"
    RecordingDialogs dialogs_;
};

TEST_F(DownloaderWindowTest, InitialWindow)
{
    TForm1 form(dialogs_, QString());
    EXPECT_TRUE(form.windowTitle().startsWith(QLatin1String("Dowloader")));
    EXPECT_TRUE(form.windowTitle().endsWith(QLatin1String("Freeware")));
    EXPECT_EQ(form.size(), QSize(450, 236));
    EXPECT_EQ(form.windowType(), Qt::Tool);
    EXPECT_EQ(form.findChild<QGroupBox*>(QStringLiteral("GroupBox1"))->title(), QStringLiteral(" Downloader: "));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("DownFile"))->text(), QStringLiteral("none"));
    EXPECT_EQ(form.findChild<QLabel*>(QStringLiteral("Nazev"))->text(), QStringLiteral("none"));
    EXPECT_EQ(form.DownFile->width(), 425);
    EXPECT_EQ(form.ProgressBar1->maximum(), 100);
    EXPECT_EQ(form.StartBut->size(), QSize(137, 49));
    EXPECT_EQ(form.StopBut->size(), QSize(137, 49));
    EXPECT_EQ(form.OKBut->size(), QSize(89, 49));
    expectIdle(form);
    EXPECT_TRUE(form.NMHTTP1->InputFileMode);
    EXPECT_TRUE(form.NMHTTP1->OutputFileMode);
    EXPECT_EQ(form.NMHTTP1->Header, QStringLiteral("Head.txt"));
}

struct TransferCase
{
    const char* name;
    bool announcesLength;
};

class DownloadTransferTest : public DownloaderWindowTest, public ::testing::WithParamInterface<TransferCase>
{
};

TEST_P(DownloadTransferTest, SavesTheFileBesideItsHeader)
{
    const bool announced = GetParam().announcesLength;
    const qint64 size = 300000; // several receive blocks
    ScriptedServer server(
        {{ScriptedServer::readRequest(), ScriptedServer::send(announced ? okHeader(size) : kHeaderWithoutLength),
          ScriptedServer::sendPattern(size)}});
    auto form = open(address(server, "/files/data.bin"));
    EXPECT_EQ(form->DownFile->text(), address(server, "/files/data.bin"));
    EXPECT_EQ(form->Nazev->text(), cwd_ + QStringLiteral("data.bin"));

    QList<int> positions;
    QObject::connect(form->ProgressBar1, &QProgressBar::valueChanged, [&](int value) { positions << value; });
    click(form->StartBut);

    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Download Complete!")});
    EXPECT_EQ(dialogs_.shown.at(0).kind, Dialogs::Kind::Plain);
    expectIdle(*form);
    EXPECT_EQ(readFile(cwd_ + QStringLiteral("data.bin")), ScriptedServer::pattern(0, size));
    EXPECT_TRUE(readFile(cwd_ + QStringLiteral("Head.txt")).startsWith("HTTP/1.0 200 OK\r\n"));
    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_TRUE(server.requests().at(0).startsWith("GET /files/data.bin HTTP/1.0\r\n"));

    EXPECT_EQ(form->ProgressBar1->maximum(), announced ? size : 0);
    EXPECT_EQ(form->ProgressBar1->value(), 0);
    if (!announced) {
        // Idle again, the bar of unknown length is drawn empty, not as a busy indicator.
        QProgressBar empty(form->GroupBox1);
        empty.setTextVisible(false);
        empty.setRange(0, 1);
        empty.resize(form->ProgressBar1->size());
        EXPECT_EQ(form->ProgressBar1->grab().toImage(), empty.grab().toImage());
    }
    if (announced) {
        // The bar rose block by block to the whole length, then went back to the start.
        ASSERT_GE(positions.size(), 3);
        EXPECT_EQ(positions.last(), 0);
        EXPECT_EQ(positions.at(positions.size() - 2), size);
        for (qsizetype i = 1; i + 1 < positions.size(); ++i)
            EXPECT_LT(positions.at(i - 1), positions.at(i));
    }
}

INSTANTIATE_TEST_SUITE_P(Responses, DownloadTransferTest,
                         ::testing::Values(TransferCase{"WithContentLength", true},
                                           TransferCase{"WithoutContentLength", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloaderWindowTest, StartAgainFetchesAgainAndReplacesTheFile)
{
    const qint64 size = 70000;
    ScriptedServer server(
        {{ScriptedServer::readRequest(), ScriptedServer::send(okHeader(size)), ScriptedServer::sendPattern(size)}});
    QFile old(cwd_ + QStringLiteral("again.bin"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(200000, 'x'));
    old.close();

    auto form = open(address(server, "/again.bin"));
    click(form->StartBut);
    click(form->StartBut);

    EXPECT_EQ(server.connections(), 2);
    EXPECT_EQ(dialogs_.texts(),
              QStringList({QStringLiteral("Download Complete!"), QStringLiteral("Download Complete!")}));
    EXPECT_EQ(readFile(cwd_ + QStringLiteral("again.bin")), ScriptedServer::pattern(0, size));
}

TEST_F(DownloaderWindowTest, StartWithoutAddressAsksForOne)
{
    ScriptedServer server({});
    auto form = open(QString());
    EXPECT_EQ(form->DownFile->text(), QString());
    click(form->StartBut);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("URL to download not Found!")});
    expectIdle(*form);
}

TEST_F(DownloaderWindowTest, StartBeforeTheDestinationIsKnownRefuses)
{
    // Not shown yet: the labels still read "none".
    TForm1 form(dialogs_, QStringLiteral("http://127.0.0.1:1/x.bin"));
    click(form.StartBut);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Destination filename not correct!")});
    expectIdle(form);
}

struct FailureCase
{
    const char* name;
    const char* address; // %1: the scripted server's port, %2: a port that refuses
    bool notFound;       // the server answers 404 instead of 200
    // The start of the error box's text (%D: the destination), alternatives separated by "|";
    // empty: no box.
    const char* error;
};

class DownloadFailureTest : public DownloaderWindowTest, public ::testing::WithParamInterface<FailureCase>
{
};

// Every failure but STOP leaves the buttons as they were during the transfer.
TEST_P(DownloadFailureTest, ReportsAndKeepsTheButtons)
{
    const FailureCase& c = GetParam();
    const QByteArray page = "<html><body>missing</body></html>";
    const QByteArray response =
        c.notFound ? "HTTP/1.0 404 Not Found\r\nContent-Length: " + QByteArray::number(page.size()) + "\r\n\r\n" + page
                   : okHeader(5) + "hello";
    ScriptedServer server({{ScriptedServer::readRequest(), ScriptedServer::send(response)}});
    RefusingPort refusing;
    const QString url = QString::fromUtf8(c.address)
                            .replace(QStringLiteral("%1"), QString::number(server.port()))
                            .replace(QStringLiteral("%2"), QString::number(refusing.port()));

    auto form = open(url);
    click(form->StartBut);

    const QString expected = QString::fromUtf8(c.error).replace(QStringLiteral("%D"), form->Nazev->text());
    if (expected.isEmpty()) {
        EXPECT_TRUE(dialogs_.shown.empty()) << dialogs_.texts().join(u'|').toStdString();
    } else {
        ASSERT_EQ(dialogs_.shown.size(), 1u);
        EXPECT_EQ(dialogs_.shown.at(0).kind, Dialogs::Kind::Error);
        const QString& text = dialogs_.shown.at(0).text;
        const QStringList alternatives = expected.split(u'|');
        EXPECT_TRUE(std::any_of(alternatives.begin(), alternatives.end(), [&](const QString& start) {
            return text.startsWith(start);
        })) << text.toStdString();
    }
    expectDownloading(*form);
    if (c.notFound) {
        EXPECT_EQ(readFile(form->Nazev->text()), page);
    }

    // STOP brings the window back to idle without a box.
    click(form->StopBut);
    expectIdle(*form);
    EXPECT_EQ(dialogs_.shown.size(), expected.isEmpty() ? 0u : 1u);
}

INSTANTIATE_TEST_SUITE_P(
    BadInput, DownloadFailureTest,
    ::testing::Values(
        FailureCase{"NotFoundSavedWithoutMessage", "http://127.0.0.1:%1/missing.html", true, ""},
        FailureCase{"Https", "https://127.0.0.1:%1/x.bin", false, "HTTP Secure Socket is not supported"},
        FailureCase{"UnknownHost", "http://no-such-host.invalid/x.bin", false, "Null Remote Address"},
        FailureCase{"RefusedPort", "http://127.0.0.1:%2/x.bin", false, "10061:Connection refused|Connection Failed"},
        FailureCase{"AddressEndingInSlash", "http://127.0.0.1:%1/files/", false, "Cannot create file \"%D\""},
        FailureCase{"DotDotSegment", "http://127.0.0.1:%1/files/..", false, "Cannot create file \"%D\""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloaderWindowTest, DestinationNeverLeavesTheWorkingDirectory)
{
    ScriptedServer server({{ScriptedServer::readRequest(), ScriptedServer::send(okHeader(5) + "hello")}});
    QDir(cwd_).mkdir(QStringLiteral("inner"));
    ASSERT_TRUE(QDir::setCurrent(cwd_ + QStringLiteral("inner")));
    const QStringList before = QDir(cwd_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);

    auto form = open(address(server, "/get?f=/.."));
    EXPECT_EQ(form->Nazev->text(), cwd_ + QStringLiteral("inner/"));
    click(form->StartBut);

    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown.at(0).kind, Dialogs::Kind::Error);
    EXPECT_EQ(QDir(cwd_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
}

struct StopCase
{
    const char* name;
    bool bodyStarted; // the server sent its header and part of the body, else nothing at all
    const char* error;
};

class DownloadStopTest : public DownloaderWindowTest, public ::testing::WithParamInterface<StopCase>
{
};

TEST_P(DownloadStopTest, StopsASlowTransfer)
{
    const StopCase& c = GetParam();
    const qint64 sent = 100000;
    Script script{ScriptedServer::readRequest()};
    if (c.bodyStarted) {
        script.push_back(ScriptedServer::send(okHeader(1000000)));
        script.push_back(ScriptedServer::sendPattern(sent));
    }
    script.push_back(ScriptedServer::pause(5000)); // bounded: a test that fails still ends
    ScriptedServer server({script});
    auto form = open(address(server, "/slow.bin"));

    DuringTransfer stop([&] { return c.bodyStarted ? form->ProgressBar1->value() > 0 : !server.requests().empty(); },
                        [&] {
                            expectDownloading(*form);
                            click(form->StopBut);
                        });
    click(form->StartBut);

    EXPECT_TRUE(stop.fired);
    EXPECT_EQ(dialogs_.texts(), QStringList{QString::fromUtf8(c.error)});
    EXPECT_EQ(dialogs_.shown.at(0).kind, Dialogs::Kind::Error);
    expectIdle(*form);
    if (c.bodyStarted) {
        // What had arrived stays in the file.
        const QByteArray partial = readFile(form->Nazev->text());
        EXPECT_GT(partial.size(), 0);
        EXPECT_EQ(partial.size(), form->NMHTTP1->ReceivedBytes);
        EXPECT_EQ(partial, ScriptedServer::pattern(0, partial.size()));
    }
}

INSTANTIATE_TEST_SUITE_P(Moments, DownloadStopTest,
                         ::testing::Values(StopCase{"DuringTheBody", true, "Socket send aborted"},
                                           StopCase{"ServerStallsBeforeAnswering", false, "Socket readln aborted"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DownloaderWindowTest, StartWhileAStoppedTransferUnwindsStartsNothing)
{
    ScriptedServer server({{ScriptedServer::readRequest(), ScriptedServer::send(okHeader(1000000)),
                            ScriptedServer::sendPattern(100000), ScriptedServer::pause(5000)}});
    auto form = open(address(server, "/slow.bin"));
    // STOP enables START at once; a START that comes before the transfer has ended is ignored.
    DuringTransfer stopThenStart([&] { return form->ProgressBar1->value() > 0; },
                                 [&] {
                                     click(form->StopBut);
                                     click(form->StartBut);
                                 });
    click(form->StartBut);

    EXPECT_TRUE(stopThenStart.fired);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Socket send aborted")});
    expectIdle(*form);
    EXPECT_EQ(server.connections(), 1);
}

TEST_F(DownloaderWindowTest, StopWhileIdleChangesOnlyTheButtons)
{
    ScriptedServer server({{ScriptedServer::readRequest(), ScriptedServer::send(okHeader(5) + "hello")}});
    auto form = open(address(server, "/after-stop.txt"));
    click(form->StopBut); // disabled: the click does nothing
    form->StopButClick(); // as if it were enabled
    expectIdle(*form);
    EXPECT_TRUE(dialogs_.shown.empty());
    EXPECT_EQ(server.connections(), 0);

    click(form->StartBut);
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Download Complete!")});
    EXPECT_EQ(readFile(cwd_ + QStringLiteral("after-stop.txt")), QByteArray("hello"));
}

TEST_F(DownloaderWindowTest, OkWhileIdleEndsTheProgram)
{
    auto form = open(QStringLiteral("http://127.0.0.1:1/x.bin"));
    QSignalSpy ended(form.get(), &TForm1::programEnded);
    click(form->OKBut);
    EXPECT_EQ(ended.count(), 1);
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(dialogs_.shown.empty());
}

struct CloseCase
{
    const char* name;
    bool okButton; // else the window's own close (title bar)
};

class DownloadCloseTest : public DownloaderWindowTest, public ::testing::WithParamInterface<CloseCase>
{
};

TEST_P(DownloadCloseTest, CancelsReportsThenEnds)
{
    ScriptedServer server({{ScriptedServer::readRequest(), ScriptedServer::send(okHeader(1000000)),
                            ScriptedServer::sendPattern(100000), ScriptedServer::pause(5000)}});
    auto form = open(address(server, "/big.bin"));
    std::vector<std::size_t> boxesAtEnd;
    QObject::connect(form.get(), &TForm1::programEnded, [&] { boxesAtEnd.push_back(dialogs_.shown.size()); });

    DuringTransfer close([&] { return form->ProgressBar1->value() > 0; },
                         [&] {
                             if (GetParam().okButton)
                                 click(form->OKBut);
                             else
                                 form->close();
                             // The program waits for the transfer to unwind.
                             EXPECT_TRUE(boxesAtEnd.empty());
                         });
    click(form->StartBut);

    EXPECT_TRUE(close.fired);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(dialogs_.texts(), QStringList{QStringLiteral("Socket send aborted")});
    // Ended once, after the error box.
    EXPECT_EQ(boxesAtEnd, std::vector<std::size_t>{1});
}

INSTANTIATE_TEST_SUITE_P(Ways, DownloadCloseTest,
                         ::testing::Values(CloseCase{"OkButton", true}, CloseCase{"TitleBar", false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
