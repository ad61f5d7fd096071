// Printing through a real print queue: a CUPS daemon of its own (its own configuration, spool and
// socket in a temporary folder) with one queue whose backend copies each job into a file. The
// printer is chosen as a receptionist chooses it in the print dialog, by name; the job goes
// through Qt's CUPS printing and the daemon, and the file it leaves must hold the guest book.
#include "tests/reports/print_check.h"
#include "tests/reports/report_fixture.h"

#include "widgets/color_button.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

#include <cstdlib>
#include <memory>

namespace {

const QString kQueue = QStringLiteral("lodgera");

// The daemon for the whole suite: started before the first test, stopped after the last.
class PrintQueue
{
public:
    // Empty when running; otherwise why the daemon could not run.
    QString start()
    {
        if (!root.isValid())
            return QStringLiteral("no temporary folder");
        for (const char* tool : {"cupsd", "lpadmin"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool),
                                               {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/bin")})
                    .isEmpty()) {
                installed = false;
                return QStringLiteral("%1 is not installed (scripts/deps.sh installs it)")
                    .arg(QString::fromLatin1(tool));
            }
        const QString r = root.path();
        for (const char* sub : {"conf", "spool/tmp", "cache", "state", "logs", "bin/backend", "out"})
            QDir().mkpath(r + u'/' + QString::fromLatin1(sub));
        // The daemon's programs are the system's, except for the one backend of the queue.
        for (const char* sub : {"filter", "daemon", "notifier", "monitor", "cgi-bin"})
            QFile::link(QStringLiteral("/usr/lib/cups/") + QString::fromLatin1(sub),
                        r + QStringLiteral("/bin/") + QString::fromLatin1(sub));
        writeFile(r + QStringLiteral("/bin/backend/lodgera-file"),
                  "#!/bin/sh\n"
                  "# Copies the job into the file the device URI names.\n"
                  "[ $# -eq 0 ] && { echo 'file lodgera-file \"Unknown\" \"Lodgera test file\"'; exit 0; }\n"
                  "out=\"${DEVICE_URI#lodgera-file:}\"\n"
                  "if [ -n \"$6\" ]; then cat \"$6\"; else cat; fi > \"$out.part\" && mv \"$out.part\" \"$out\"\n",
                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        socket = r + QStringLiteral("/cups.sock");
        writeFile(r + QStringLiteral("/conf/cupsd.conf"),
                  QStringLiteral("Listen %1\nLogLevel info\nWebInterface No\nBrowsing No\nDefaultAuthType None\n"
                                 "<Location />\n  Order allow,deny\n  Allow all\n</Location>\n"
                                 "<Location /admin>\n  Order allow,deny\n  Allow all\n</Location>\n")
                      .arg(socket)
                      .toUtf8());
        writeFile(r + QStringLiteral("/conf/cups-files.conf"),
                  QStringLiteral("ServerRoot %1/conf\nRequestRoot %1/spool\nTempDir %1/spool/tmp\nCacheDir %1/cache\n"
                                 "StateDir %1/state\nAccessLog %1/logs/access_log\nErrorLog %1/logs/error_log\n"
                                 "PageLog %1/logs/page_log\nServerBin %1/bin\nDataDir /usr/share/cups\n")
                      .arg(r)
                      .toUtf8());

        daemon.setProcessChannelMode(QProcess::MergedChannels);
        daemon.start(QStandardPaths::findExecutable(QStringLiteral("cupsd"), {QStringLiteral("/usr/sbin")}),
                     {QStringLiteral("-f"), QStringLiteral("-c"), r + QStringLiteral("/conf/cupsd.conf"),
                      QStringLiteral("-s"), r + QStringLiteral("/conf/cups-files.conf")});
        if (!daemon.waitForStarted(10000))
            return QStringLiteral("cupsd did not start: ") + daemon.errorString();
        const QDeadlineTimer deadline(15000);
        while (!QFileInfo::exists(socket)) {
            if (daemon.state() != QProcess::Running || deadline.hasExpired())
                return QStringLiteral("cupsd did not open its socket: ") + QString::fromUtf8(daemon.readAll()) + log();
            QThread::msleep(20);
        }
        // The program talks to this daemon only; set before anything in the process asks for printers.
        qputenv("CUPS_SERVER", socket.toUtf8());
        QProcess admin;
        admin.setProcessChannelMode(QProcess::MergedChannels);
        admin.start(QStandardPaths::findExecutable(QStringLiteral("lpadmin"), {QStringLiteral("/usr/sbin")}),
                    {QStringLiteral("-h"), socket, QStringLiteral("-p"), kQueue, QStringLiteral("-E"),
                     QStringLiteral("-v"), QStringLiteral("lodgera-file:") + printedPath(), QStringLiteral("-m"),
                     QStringLiteral("raw")});
        if (!admin.waitForFinished(30000) || admin.exitCode() != 0)
            return QStringLiteral("lpadmin could not add the queue: ") + QString::fromUtf8(admin.readAll()) + log();
        return {};
    }

    void stop()
    {
        if (daemon.state() == QProcess::Running) {
            daemon.terminate();
            if (!daemon.waitForFinished(10000))
                daemon.kill(), daemon.waitForFinished(5000);
        }
    }

    QString printedPath() const { return root.path() + QStringLiteral("/out/printed.pdf"); }
    QString log() const
    {
        QFile f(root.path() + QStringLiteral("/logs/error_log"));
        return f.open(QIODevice::ReadOnly) ? QStringLiteral("\n") + QString::fromUtf8(f.readAll().right(3000))
                                           : QString();
    }

    QTemporaryDir root;
    QString socket;
    QProcess daemon;
    bool installed = true;

private:
    static void writeFile(const QString& path, const QByteArray& bytes,
                          QFile::Permissions permissions = QFile::ReadOwner | QFile::WriteOwner)
    {
        QFile f(path);
        if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            f.write(bytes);
        f.close();
        f.setPermissions(permissions);
    }
};

class PrintQueueTest : public ReportTest
{
protected:
    static void SetUpTestSuite()
    {
        queue = new PrintQueue;
        whyNot = new QString(queue->start());
    }
    static void TearDownTestSuite()
    {
        queue->stop();
        delete queue;
        delete whyNot;
        queue = nullptr, whyNot = nullptr;
    }
    void SetUp() override
    {
        ReportTest::SetUp();
        // A missing daemon is a broken setup; a daemon that cannot run on this machine is a skip.
        if (!queue->installed)
            FAIL() << whyNot->toStdString();
        if (!whyNot->isEmpty())
            GTEST_SKIP() << "no print queue could run here: " << whyNot->toStdString();
        QFile::remove(queue->printedPath());
    }

    // Waits until the queue's backend has written the job's file.
    bool waitForPrintedFile()
    {
        const QDeadlineTimer deadline(60000);
        while (!QFileInfo::exists(queue->printedPath())) {
            if (deadline.hasExpired() || queue->daemon.state() != QProcess::Running)
                return false;
            QThread::msleep(50);
        }
        return true;
    }

    static PrintQueue* queue;
    static QString* whyNot;
};

PrintQueue* PrintQueueTest::queue = nullptr;
QString* PrintQueueTest::whyNot = nullptr;

TEST_F(PrintQueueTest, GuestBookPrintedOnTheChosenQueueArrivesWhole)
{
    writeDataFile(QStringLiteral("Clients.dat"),
                  {QStringLiteral("[Client_2]"), QStringLiteral("FirstName=Žofie"),
                   QStringLiteral("MiddleName=Šťastný"), QStringLiteral("SurName=Dvořák")});
    writeDataFile(QStringLiteral("Rooms.dat"),
                  {QStringLiteral("[DefaultsRooms]"), QStringLiteral("Room1Name=Přízemí 1")});
    QStringList days{QStringLiteral("ClientID=2"), QStringLiteral("Days=120"), QStringLiteral("Room=1")};
    for (int d = 1; d <= 120; ++d)
        days << QStringLiteral("Day%1=%2.4.2026").arg(d).arg(1 + d % 30);
    writeReservations({days});
    window().show();
    generate();
    ASSERT_EQ(window().report()->pageCount(), 2);

    QString chosen;
    window().choosePrinter = [&](QPrinter& printer) {
        printer.setPrinterName(kQueue);
        chosen = printer.printerName();
        // The paper of the report, edge to edge, as chosen in the dialog (a file has no margins).
        printer.setPageLayout(QPageLayout(QPageSize(QSizeF(612, 792), QPageSize::Point), QPageLayout::Portrait,
                                          QMarginsF(), QPageLayout::Point));
        return true;
    };
    leftClick(window().TiskBut);
    ASSERT_TRUE(dialogs.record.shown.empty()) << dialogs.record.texts().join(u'\n').toStdString();
    ASSERT_EQ(chosen, kQueue) << "Qt does not see the queue";
    ASSERT_TRUE(waitForPrintedFile()) << "the job did not reach the backend" << queue->log().toStdString();
    PrintCheck::expectPrintedPagesMatch(queue->printedPath(), reportPath());
}

} // namespace
