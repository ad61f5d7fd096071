// Two desks (two processes of the program on one data directory) press "Zarezervovat!" for the same
// room and day at the same moment: exactly one reservation is stored, the other desk is told the
// room is taken.
#include "app/forms.h"
#include "app/program.h"
#include "guests/guest_card_window.h"
#include "reservations/create_reservation_window.h"
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "tests/support/qt_print.h"
#include "tests/support/recording_browser.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/regional_settings_guard.h"

#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>

namespace {

const char* kDirVariable = "LODGERA_RACE_DIR";
const char* kGuestVariable = "LODGERA_RACE_GUEST";

// One desk, run as a child process: books room 7 on two days for its guest once the parent says go,
// with its first file write held back long enough for the other desk to reach the same point.
TEST(ReservationRace, DISABLED_OneDesk)
{
    const QString dir = qEnvironmentVariable(kDirVariable);
    const int guest = qEnvironmentVariableIntValue(kGuestVariable);
    ASSERT_FALSE(dir.isEmpty());
    ASSERT_TRUE(QDir::setCurrent(dir));
    const ScopedRegionalSettings regionalSettings;

    RecordingDialogs dialogs;
    RecordingShell shell;
    RecordingBrowserFactory browsers;
    Program program(dialogs, shell, browsers);
    Forms& forms = program.forms();
    TForm8& create = *forms.form8;
    forms.form3->CisloHosta = guest;
    create.terminy->addItems({QStringLiteral("5.3.2026"), QStringLiteral("6.3.2026")});
    create.VybranyPokoj = 7;
    for (QLabel* step : {create.krok1, create.krok2, create.krok3})
        TForm8::setFontColor(step, TForm8::kStepDone);

    std::atomic<bool> held{false};
    ini::testing::setWriteHook([&](ini::testing::WriteStage stage) {
        if (stage == ini::testing::WriteStage::TempOpened && !held.exchange(true))
            QThread::msleep(400);
        return 0;
    });

    QFile(dir + QStringLiteral("/ready_%1").arg(guest)).open(QIODevice::WriteOnly);
    while (!QFile::exists(dir + QStringLiteral("/go")))
        QThread::msleep(1);
    create.ZarezervovatButClick();
    ini::testing::setWriteHook({});

    QFile result(dir + QStringLiteral("/result_%1").arg(guest));
    ASSERT_TRUE(result.open(QIODevice::WriteOnly));
    result.write(dialogs.texts().join(QLatin1Char('\n')).toUtf8());
}

TEST(ReservationRace, TwoDesksBookingTheSameRoomDayAtOnceStoreExactlyOne)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile clients(dir.filePath(QStringLiteral("Clients.dat")));
    ASSERT_TRUE(clients.open(QIODevice::WriteOnly));
    clients.write("[Client_2]\r\nFirstName=A\r\n[Client_3]\r\nFirstName=B\r\n");
    clients.close();

    std::vector<std::unique_ptr<QProcess>> desks;
    for (int guest : {2, 3}) {
        auto desk = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QString::fromLatin1(kDirVariable), dir.path());
        env.insert(QString::fromLatin1(kGuestVariable), QString::number(guest));
        desk->setProcessEnvironment(env);
        desk->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        desk->start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--gtest_also_run_disabled_tests"),
                     QStringLiteral("--gtest_filter=ReservationRace.DISABLED_OneDesk")});
        ASSERT_TRUE(desk->waitForStarted());
        desks.push_back(std::move(desk));
    }
    for (int guest : {2, 3})
        for (int waited = 0; !QFile::exists(dir.filePath(QStringLiteral("ready_%1").arg(guest))); ++waited) {
            ASSERT_LT(waited, 60000) << "desk " << guest << " did not get ready";
            QThread::msleep(1);
        }
    QFile(dir.filePath(QStringLiteral("go"))).open(QIODevice::WriteOnly);
    for (auto& desk : desks) {
        ASSERT_TRUE(desk->waitForFinished(60000));
        EXPECT_EQ(desk->exitCode(), 0) << desk->readAllStandardOutput().toStdString();
    }

    QStringList results;
    int winner = 0;
    for (int guest : {2, 3}) {
        QFile f(dir.filePath(QStringLiteral("result_%1").arg(guest)));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        const QString shown = QString::fromUtf8(f.readAll());
        results << shown;
        if (shown == QStringLiteral("Rezervace byla úspěšně provedena!"))
            winner = guest;
    }
    results.sort();
    EXPECT_EQ(results.join(QStringLiteral(" | ")).toStdString(),
              "Rezervace byla úspěšně provedena! | Vybraný pokoj je v některý z dnů již rezervován!");
    ASSERT_NE(winner, 0);

    const TIniFile reservations(dir.filePath(QStringLiteral("Reservations.dat")));
    EXPECT_EQ(reservations.ReadInteger(QStringLiteral("Global"), QStringLiteral("Reservations"), 0), 1);
    EXPECT_EQ(reservations.ReadInteger(QStringLiteral("Reservation_1"), QStringLiteral("ClientID"), 0), winner);
    EXPECT_EQ(reservations.ReadString(QStringLiteral("Reservation_2"), QStringLiteral("ClientID"), QStringLiteral("-")),
              QStringLiteral("-"));
    for (const QString& day : {QStringLiteral("5.3.2026"), QStringLiteral("6.3.2026")}) {
        EXPECT_EQ(reservations.ReadInteger(day, QStringLiteral("Room_7_Client"), 0), winner);
        EXPECT_EQ(TIniFile(dir.filePath(QStringLiteral("Rooms.dat")))
                      .ReadInteger(QStringLiteral("Rooms_") + day, QStringLiteral("Room7ClientID"), 0),
                  winner);
    }
    const TIniFile guests(dir.filePath(QStringLiteral("Clients.dat")));
    EXPECT_EQ(guests.ReadString(QStringLiteral("Client_%1").arg(winner), QStringLiteral("Living"), {}),
              QStringLiteral("1"));
    EXPECT_EQ(guests.ReadString(QStringLiteral("Client_%1").arg(5 - winner), QStringLiteral("Living"), {}), QString());
}

} // namespace
