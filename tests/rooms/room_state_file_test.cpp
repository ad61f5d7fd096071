#include "rooms/floor_plan.h"
#include "rooms/room_state_file.h"
#include "store/ini_file.h"

#include <QFile>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using Rooms::RoomStateFile;
using Field = Rooms::RoomStateFile::Field;

const QDate kDay(2026, 3, 5);
const QDate kOtherDay(2026, 3, 6);

// A temporary data directory with a Rooms.dat written from text.
class RoomsFile : public ::testing::Test
{
protected:
    // The text is stored in Windows-1250, as the data files are.
    void write(const char* utf8)
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        QStringEncoder cp1250("windows-1250");
        ASSERT_TRUE(cp1250.isValid());
        f.write(cp1250.encode(QString::fromUtf8(utf8)));
    }
    QByteArray content() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    QString path() const { return dir.filePath(QStringLiteral("Rooms.dat")); }

    QTemporaryDir dir;
    RoomStateFile rooms{dir.filePath(QStringLiteral("Rooms.dat"))};
};

TEST_F(RoomsFile, KeyAndSectionNames)
{
    EXPECT_EQ(RoomStateFile::keyName(7, Field::Status), QStringLiteral("Room7Status"));
    EXPECT_EQ(RoomStateFile::keyName(215, Field::ClientID), QStringLiteral("Room215ClientID"));
    EXPECT_EQ(RoomStateFile::keyName(3, Field::IsHosted), QStringLiteral("Room3IsHosted"));
    EXPECT_EQ(RoomStateFile::daySection(kDay), QStringLiteral("Rooms_5.3.2026"));
}

// Effective value: day section (even empty) > DefaultsRooms (even empty) > the reader's default.
struct EffectiveCase
{
    const char* name;
    const char* file;
    const char* expected;
};

class EffectiveValue : public RoomsFile, public ::testing::WithParamInterface<EffectiveCase>
{
};

TEST_P(EffectiveValue, FollowsPrecedence)
{
    write(GetParam().file);
    EXPECT_EQ(rooms.readEffective(5, Field::Name, kDay, QStringLiteral("--")), QString::fromUtf8(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    RoomStateFile, EffectiveValue,
    ::testing::Values(EffectiveCase{"NoFile", "", "--"},
                      EffectiveCase{"DefaultOnly", "[DefaultsRooms]\r\nRoom5Name=Modrý\r\n", "Modrý"},
                      EffectiveCase{"DayOverridesDefault",
                                    "[DefaultsRooms]\r\nRoom5Name=Modrý\r\n[Rooms_5.3.2026]\r\nRoom5Name=Zelený\r\n",
                                    "Zelený"},
                      EffectiveCase{"EmptyDayValueIsPresent",
                                    "[DefaultsRooms]\r\nRoom5Name=Modrý\r\n[Rooms_5.3.2026]\r\nRoom5Name=\r\n", ""},
                      EffectiveCase{"EmptyDefaultIsPresent", "[DefaultsRooms]\r\nRoom5Name=\r\n", ""},
                      EffectiveCase{"OtherDayIgnored",
                                    "[DefaultsRooms]\r\nRoom5Name=Modrý\r\n[Rooms_6.3.2026]\r\nRoom5Name=Zelený\r\n",
                                    "Modrý"},
                      EffectiveCase{"OtherRoomIgnored", "[Rooms_5.3.2026]\r\nRoom55Name=Zelený\r\n", "--"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RoomsFile, StatusInDefaultsAppliesToEveryDayWithoutItsOwn)
{
    write("[DefaultsRooms]\r\nRoom5Status=OUTOFORDER\r\n[Rooms_5.3.2026]\r\nRoom5Status=FREE\r\n");
    EXPECT_EQ(rooms.readEffective(5, Field::Status, kDay, QStringLiteral("NONE")), QStringLiteral("FREE"));
    EXPECT_EQ(rooms.readEffective(5, Field::Status, kOtherDay, QStringLiteral("NONE")), QStringLiteral("OUTOFORDER"));
}

TEST_F(RoomsFile, GuestIdIsAnEffectiveInteger)
{
    write("[DefaultsRooms]\r\nRoom9ClientID=4\r\n[Rooms_5.3.2026]\r\nRoom12ClientID=17\r\n");
    EXPECT_EQ(rooms.readEffectiveInteger(12, Field::ClientID, kDay, 0), 17);
    EXPECT_EQ(rooms.readEffectiveInteger(12, Field::ClientID, kOtherDay, 0), 0);
    EXPECT_EQ(rooms.readEffectiveInteger(9, Field::ClientID, kDay, 0), 4);
}

TEST_F(RoomsFile, WriteDayTouchesDefaultsOnlyWhenAsked)
{
    rooms.writeDay(4, Field::Status, kDay, QStringLiteral("CLEAN"));
    EXPECT_EQ(rooms.readDefault(4, Field::Status, QStringLiteral("?")), QStringLiteral("?"));
    EXPECT_EQ(rooms.readEffective(4, Field::Status, kDay, QStringLiteral("NONE")), QStringLiteral("CLEAN"));
    EXPECT_EQ(rooms.readEffective(4, Field::Status, kOtherDay, QStringLiteral("NONE")), QStringLiteral("NONE"));

    rooms.writeDay(4, Field::Status, kDay, QStringLiteral("FREE"), true);
    EXPECT_EQ(rooms.readDefault(4, Field::Status, QStringLiteral("?")), QStringLiteral("FREE"));
    EXPECT_EQ(rooms.readEffective(4, Field::Status, kOtherDay, QStringLiteral("NONE")), QStringLiteral("FREE"));
    EXPECT_TRUE(content().contains("[Rooms_5.3.2026]"));
    EXPECT_TRUE(content().contains("[DefaultsRooms]"));
}

TEST_F(RoomsFile, HostedFlagIsDayIndependent)
{
    EXPECT_FALSE(rooms.readDefaultBool(3, Field::IsHosted, false));
    rooms.writeDefaultBool(3, Field::IsHosted, true);
    EXPECT_TRUE(rooms.readDefaultBool(3, Field::IsHosted, false));
    EXPECT_TRUE(content().contains("Room3IsHosted=1"));
}

TEST_F(RoomsFile, ReadingWithoutAFileCreatesNothingAndGivesDefaults)
{
    const Rooms::PlanState plan = rooms.readPlan(kDay);
    ASSERT_EQ(plan.names.size(), std::size_t(Rooms::kRoomCount));
    ASSERT_EQ(plan.statuses.size(), std::size_t(Rooms::kRoomCount));
    for (int i = 0; i < Rooms::kRoomCount; ++i) {
        EXPECT_EQ(plan.names[i], QStringLiteral("--"));
        EXPECT_EQ(plan.statuses[i], QStringLiteral("NONE"));
    }
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(RoomsFile, PlanTakesEffectiveValuesAndKeepsUnrecognisedTexts)
{
    write("[DefaultsRooms]\r\nRoom1Name=A1\r\nRoom1Status=FREE\r\nRoom315Name=Půda\r\nRoom315Status=free\r\n"
          "[Rooms_5.3.2026]\r\nRoom1Status=FULL\r\nRoom2Status=--\r\nRoom315Name=\r\n");
    const Rooms::PlanState plan = rooms.readPlan(kDay);
    EXPECT_EQ(plan.names[0], QStringLiteral("A1"));
    EXPECT_EQ(plan.statuses[0], QStringLiteral("FULL"));
    EXPECT_EQ(plan.statuses[1], QStringLiteral("--"));
    EXPECT_EQ(plan.names[314], QString());
    EXPECT_EQ(plan.statuses[314], QStringLiteral("free"));
    EXPECT_EQ(plan.statuses[2], QStringLiteral("NONE"));
}

TEST_F(RoomsFile, FailedWriteNamesTheFileAndSkipsTheDefault)
{
    // A data directory that is a plain file refuses every write, whatever the rights of the user.
    write("x");
    RoomStateFile unwritable(path() + QStringLiteral("/rooms.dat"));
    try {
        unwritable.writeDay(1, Field::Status, kDay, QStringLiteral("FULL"), true);
        ADD_FAILURE() << "the write did not fail";
    } catch (const EIniFileError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("rooms.dat"), Qt::CaseInsensitive)) << e.what();
    }
    EXPECT_EQ(content(), QByteArray("x"));
}

// Stored statuses are matched exactly, letter case and blanks included.
struct StatusCase
{
    const char* name;
    const char* stored;
    std::optional<Rooms::RoomStatus> expected;
};

class StatusRecognition : public ::testing::TestWithParam<StatusCase>
{
};

TEST_P(StatusRecognition, MatchesExactly)
{
    EXPECT_EQ(Rooms::recognizeStatus(QString::fromUtf8(GetParam().stored)), GetParam().expected);
}

using Rooms::RoomStatus;
INSTANTIATE_TEST_SUITE_P(
    RoomStateFile, StatusRecognition,
    ::testing::Values(StatusCase{"None", "NONE", RoomStatus::None}, StatusCase{"Free", "FREE", RoomStatus::Free},
                      StatusCase{"Full", "FULL", RoomStatus::Full}, StatusCase{"Clean", "CLEAN", RoomStatus::Clean},
                      StatusCase{"OutOfOrder", "OUTOFORDER", RoomStatus::OutOfOrder},
                      StatusCase{"Service", "SERVICE", RoomStatus::Service},
                      StatusCase{"Reserved", "RESERVED", RoomStatus::Reserved},
                      StatusCase{"LowerCase", "free", std::nullopt}, StatusCase{"CancelledMark", "--", std::nullopt},
                      StatusCase{"Empty", "", std::nullopt}, StatusCase{"TrailingBlank", "FULL ", std::nullopt},
                      StatusCase{"Prefix", "FUL", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// Tile geometry: room 1 bottom left, 21 bottom right, 22 second row left, 315 top right.
struct TileCase
{
    const char* name;
    int room;
    QRect expected;
};

class TileGeometry : public ::testing::TestWithParam<TileCase>
{
};

TEST_P(TileGeometry, PlacesTheRoom)
{
    EXPECT_EQ(Rooms::tileRect(GetParam().room), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(FloorPlan, TileGeometry,
                         ::testing::Values(TileCase{"Room1", 1, QRect(70, 618, 40, 40)},
                                           TileCase{"Room21", 21, QRect(950, 618, 40, 40)},
                                           TileCase{"Room22", 22, QRect(70, 574, 40, 40)},
                                           TileCase{"Room200", 200, QRect(70 + 44 * 10, 618 - 44 * 9, 40, 40)},
                                           TileCase{"Room295", 295, QRect(70, 2, 40, 40)},
                                           TileCase{"Room315", 315, QRect(950, 2, 40, 40)}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FloorPlan, TilesFitTheWindowWithoutOverlapAndLabelsSitLeftOfTheirRow)
{
    const QRect window(0, 0, 1024, 768);
    for (int a = 1; a <= Rooms::kRoomCount; ++a) {
        ASSERT_TRUE(window.contains(Rooms::tileRect(a))) << a;
        for (int b = a + 1; b <= Rooms::kRoomCount; ++b)
            ASSERT_FALSE(Rooms::tileRect(a).intersects(Rooms::tileRect(b))) << a << " " << b;
    }
    for (int f = 0; f < Rooms::kFloorCount; ++f) {
        const QRect label = Rooms::floorLabelRect(f);
        const QRect first = Rooms::tileRect(f * Rooms::kRoomsPerFloor + 1);
        EXPECT_EQ(label.left(), 0);
        EXPECT_EQ(label.width(), 70);
        EXPECT_EQ(label.top(), first.top());
        EXPECT_LE(label.right(), first.left());
    }
}

} // namespace
