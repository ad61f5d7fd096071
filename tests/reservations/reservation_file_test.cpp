#include "reservations/reservation_file.h"
#include "store/ini_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// A temporary data directory with a Reservations.dat written from text.
class ReservationsFile : public ::testing::Test
{
protected:
    void write(const char* utf8)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringEncoder cp1250("windows-1250");
        f.write(cp1250.encode(QString::fromUtf8(utf8)));
    }
    QString path() const { return dir.filePath(ReservationFile::kFileName); }

    QTemporaryDir dir;
    ReservationFile reservations{dir.filePath(ReservationFile::kFileName)};
};

TEST_F(ReservationsFile, SectionAndKeyNames)
{
    EXPECT_EQ(ReservationFile::kFileName, QStringLiteral("Reservations.dat"));
    EXPECT_EQ(ReservationFile::reservationSection(12), QStringLiteral("Reservation_12"));
    EXPECT_EQ(ReservationFile::roomClientKey(7), QStringLiteral("Room_7_Client"));
}

TEST_F(ReservationsFile, MissingFileReadsAsNoReservations)
{
    EXPECT_EQ(reservations.readCount(), 0);
    EXPECT_EQ(reservations.readCount(1), 1); // the guest book's default
    EXPECT_FALSE(reservations.roomTaken(7, QStringLiteral("5.3.2026")));
    EXPECT_TRUE(reservations.readAll().empty());

    const StoredReservation r = reservations.read(3, QStringLiteral("??.??.????"));
    EXPECT_EQ(r.number, 3);
    EXPECT_EQ(r.clientId, 0);
    EXPECT_EQ(r.days, 0);
    EXPECT_EQ(r.room, 0);
    EXPECT_TRUE(r.active);
    EXPECT_TRUE(r.dayTexts.isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(ReservationsFile, ReadsReservationAndReservedDays)
{
    write("[Global]\r\nReservations=2\r\n"
          "[Reservation_1]\r\nClientID=4\r\nDays=2\r\nRoom=7\r\nDay1=14.3.2008\r\nDay2=2.3.2008\r\n"
          "[14.3.2008]\r\nRoom_7_Client=4\r\nRoom_12_Client=9\r\n[2.3.2008]\r\nroom_7_client=4\r\n"
          "[Reservation_2]\r\nClientID=9\r\nDays=1\r\nRoom=12\r\nDay1=14.3.2008\r\n"
          "Active=0\r\nCanceled=1\r\nCanceled_date=1.4.2008 10:00:00\r\n");
    EXPECT_EQ(reservations.readCount(), 2);

    const StoredReservation r = reservations.read(1);
    EXPECT_EQ(r.clientId, 4);
    EXPECT_EQ(r.days, 2);
    EXPECT_EQ(r.room, 7);
    EXPECT_TRUE(r.active);
    EXPECT_EQ(r.dayTexts, (QStringList{QStringLiteral("14.3.2008"), QStringLiteral("2.3.2008")}));

    // One reserved-day section holds several rooms; key names match without regard to case.
    EXPECT_TRUE(reservations.roomTaken(7, QStringLiteral("14.3.2008")));
    EXPECT_TRUE(reservations.roomTaken(12, QStringLiteral("14.3.2008")));
    EXPECT_TRUE(reservations.roomTaken(7, QStringLiteral("2.3.2008")));
    EXPECT_FALSE(reservations.roomTaken(12, QStringLiteral("2.3.2008")));
    EXPECT_FALSE(reservations.roomTaken(7, QStringLiteral("14.03.2008"))); // dates compare as texts

    const std::vector<StoredReservation> all = reservations.readAll();
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].number, 1);
    EXPECT_TRUE(all[0].active);
    EXPECT_EQ(all[1].number, 2);
    EXPECT_FALSE(all[1].active);
    EXPECT_EQ(all[1].room, 12);
}

TEST_F(ReservationsFile, MissingDaysReadAsTheCallersText)
{
    // Day2 is missing; Days far beyond the section's keys is an edited file and is not walked to the end.
    write("[Global]\r\nReservations=2\r\n"
          "[Reservation_1]\r\nClientID=4\r\nDays=3\r\nRoom=7\r\nDay1=1.3.2008\r\nDay3=3.3.2008\r\n"
          "[Reservation_2]\r\nClientID=4\r\nDays=2000000000\r\nRoom=7\r\nDay1=1.3.2008\r\n");
    const QString unknown = QStringLiteral("??.??.????");
    EXPECT_EQ(reservations.read(1, unknown).dayTexts,
              (QStringList{QStringLiteral("1.3.2008"), unknown, QStringLiteral("3.3.2008")}));
    const StoredReservation edited = reservations.read(2, unknown);
    EXPECT_EQ(edited.days, 2000000000);
    ASSERT_FALSE(edited.dayTexts.isEmpty());
    EXPECT_EQ(edited.dayTexts.first(), QStringLiteral("1.3.2008"));
    EXPECT_LE(edited.dayTexts.size(), 4);
}

// The counter and the Active flag follow the store's number rules.
struct CountCase
{
    const char* name;
    const char* file;
    int countDefault;
    std::size_t listed; // reservations readAll returns
    std::size_t active;
};

class CountAndActive : public ReservationsFile, public ::testing::WithParamInterface<CountCase>
{
};

TEST_P(CountAndActive, ListsOneEntryPerNumberUpToTheCounter)
{
    write(GetParam().file);
    const std::vector<StoredReservation> all = reservations.readAll(GetParam().countDefault);
    EXPECT_EQ(all.size(), GetParam().listed);
    EXPECT_EQ(std::size_t(std::count_if(all.begin(), all.end(), [](const auto& r) { return r.active; })),
              GetParam().active);
}

INSTANTIATE_TEST_SUITE_P(
    ReservationsFile, CountAndActive,
    ::testing::Values(
        CountCase{"NoCounterDefaultZero", "[Reservation_1]\r\nRoom=1\r\n", 0, 0, 0},
        CountCase{"NoCounterGuestBookDefault", "[Reservation_1]\r\nRoom=1\r\n", 1, 1, 1},
        CountCase{"NegativeCounter", "[Global]\r\nReservations=-3\r\n", 0, 0, 0},
        CountCase{"MissingSectionsAreActive", "[Global]\r\nReservations=3\r\n", 0, 3, 3},
        CountCase{"ActiveZeroIsCancelled", "[Global]\r\nReservations=2\r\n[Reservation_2]\r\nActive=0\r\n", 0, 2, 1},
        CountCase{"ActiveWordReadsDefault", "[Global]\r\nReservations=1\r\n[Reservation_1]\r\nActive=no\r\n", 0, 1, 1},
        CountCase{"HexCounter", "[Global]\r\nReservations=0x2\r\n", 0, 2, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
