// The file layer under TIniFile: the cache sees every change, by this process or another;
// concurrent writers lose nothing; a writer that dies leaves a readable file.
#include "store/ini_file.h"
#include "store/ini_store.h"

#include "ini_test_support.h"

#include <QDir>

#include <chrono>
#include <csignal>
#include <random>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using ini::IniStore;

// Long enough for the store to trust a file's timestamps (they are coarse).
void letTimestampsSettle()
{
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
}

class IniStoreTest : public IniFolderTest
{
protected:
    QString read(const char* file, const char* section, const char* key)
    {
        return TIniFile(path(file)).ReadString(QString::fromUtf8(section), QString::fromUtf8(key), u"<none>"_s);
    }
};

TEST_F(IniStoreTest, UnchangedFileIsReadFromMemory)
{
    TIniFile(path("Rooms.dat")).WriteString(u"DefaultsRooms"_s, u"Room1Name"_s, u"101"_s);
    letTimestampsSettle();
    EXPECT_EQ(read("rooms.dat", "DefaultsRooms", "Room1Name"), u"101"_s);
    const auto loads = IniStore::instance().loadCount();
    for (int i = 0; i < 100; ++i) {
        ASSERT_EQ(read("Rooms.dat", "DefaultsRooms", "Room1Name"), u"101"_s);
        ASSERT_EQ(read("rooms.dat", "defaultsrooms", "room1name"), u"101"_s);
    }
    EXPECT_EQ(IniStore::instance().loadCount(), loads);
}

TEST_F(IniStoreTest, SeesSameSizeRewritesInPlaceRightAway)
{
    // Rewrites within one timestamp tick: size and modification time may stay the same.
    for (int i = 0; i < 20; ++i) {
        put("a.ini", QByteArray("[S]\r\nk=") + char('A' + i % 2) + "\r\n");
        ASSERT_EQ(read("a.ini", "S", "k"), QString(QChar(u'A' + i % 2))) << i;
    }
}

TEST_F(IniStoreTest, SeesRewriteWithModificationTimePutBack)
{
    put("a.ini", "[S]\r\nk=A\r\n");
    const QByteArray file = QFile::encodeName(path("a.ini"));
    const timespec past[2] = {{1700000000, 0}, {1700000000, 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), past, 0), 0);
    letTimestampsSettle();
    EXPECT_EQ(read("a.ini", "S", "k"), u"A"_s);
    put("a.ini", "[S]\r\nk=B\r\n");
    ASSERT_EQ(::utimensat(AT_FDCWD, file.constData(), past, 0), 0);
    EXPECT_EQ(read("a.ini", "S", "k"), u"B"_s);
}

TEST_F(IniStoreTest, SeesFilesAppearAndDisappear)
{
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"<none>"_s);
    letTimestampsSettle();
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"<none>"_s);
    put("ROOMS.DAT", "[S]\r\nk=1\r\n");
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"1"_s);
    letTimestampsSettle();
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"1"_s);
    ASSERT_TRUE(QFile::remove(path("ROOMS.DAT")));
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"<none>"_s);
    put("Rooms.dat", "[S]\r\nk=2\r\n");
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"2"_s);
}

TEST_F(IniStoreTest, SeveralCapitalisationsOnDiskReachOneFile)
{
    put("rooms.dat", "[S]\r\nk=lower\r\n");
    put("Rooms.dat", "[S]\r\nk=upper\r\n");
    // Whatever the caller writes, the same file answers and receives the writes.
    const QString first = read("Rooms.dat", "S", "k");
    EXPECT_EQ(read("rooms.dat", "S", "k"), first);
    EXPECT_EQ(read("ROOMS.DAT", "S", "k"), first);
    TIniFile(path("rooms.dat")).WriteString(u"S"_s, u"j"_s, u"1"_s);
    EXPECT_EQ(read("Rooms.dat", "S", "j"), u"1"_s);
}

TEST_F(IniStoreTest, ReadsFollowWritesWhenASecondCapitalisationAppears)
{
    put("rooms.dat", "[S]\r\nk=1\r\n");
    EXPECT_EQ(read("ROOMS.DAT", "S", "k"), u"1"_s);
    put("Rooms.dat", "[S]\r\nk=2\r\n"); // made by another program
    TIniFile(path("rooms.dat")).WriteString(u"S"_s, u"k"_s, u"3"_s);
    EXPECT_EQ(read("ROOMS.DAT", "S", "k"), u"3"_s);
    EXPECT_EQ(read("rooms.dat", "S", "k"), u"3"_s);
}

TEST_F(IniStoreTest, RelativeNamesFollowTheWorkingDirectory)
{
    const QString before = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(dir_.path()));
    TIniFile(u"hotel.ini"_s).WriteString(u"Global"_s, u"Clients"_s, u"4"_s);
    EXPECT_EQ(TIniFile(u"HOTEL.INI"_s).ReadInteger(u"Global"_s, u"Clients"_s, 1), 4);
    ASSERT_TRUE(QDir::setCurrent(before));
    EXPECT_EQ(read("hotel.ini", "Global", "Clients"), u"4"_s);
}

TEST_F(IniStoreTest, SeesWritesOfAnotherProcess)
{
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"mine"_s);
    letTimestampsSettle();
    EXPECT_EQ(read("Rooms.dat", "S", "k"), u"mine"_s);
    const pid_t child = spawn([&] { TIniFile(path("rooms.dat")).WriteString(u"S"_s, u"k"_s, u"them"_s); });
    ASSERT_EQ(exitCodeOf(child), 0);
    EXPECT_EQ(read("Rooms.dat", "S", "k"), u"them"_s);
}

TEST_F(IniStoreTest, SnapshotKeepsTheVersionItWasMadeFrom)
{
    const IniSnapshot none(path("Rooms.dat"));
    TIniFile ini(path("Rooms.dat"));
    ini.WriteString(u"DefaultsRooms"_s, u"Room1Name"_s, u"A"_s);
    const IniSnapshot first(path("rooms.dat"));
    ini.WriteString(u"DefaultsRooms"_s, u"Room1Name"_s, u"B"_s);
    const pid_t child =
        spawn([&] { TIniFile(path("Rooms.dat")).WriteString(u"DefaultsRooms"_s, u"Room2Name"_s, u"C"_s); });
    ASSERT_EQ(exitCodeOf(child), 0);

    EXPECT_EQ(none.ReadString(u"DefaultsRooms"_s, u"Room1Name"_s, u"--"_s), u"--"_s);
    QStringList keys{u"stale"_s};
    none.ReadSection(u"DefaultsRooms"_s, keys);
    EXPECT_TRUE(keys.isEmpty());
    EXPECT_EQ(first.ReadString(u"defaultsrooms"_s, u"room1name"_s, u"--"_s), u"A"_s);
    EXPECT_EQ(first.ReadString(u"DefaultsRooms"_s, u"Room2Name"_s, u"--"_s), u"--"_s);
    const IniSnapshot now(path("Rooms.dat"));
    EXPECT_EQ(now.ReadString(u"DefaultsRooms"_s, u"Room1Name"_s, u"--"_s), u"B"_s);
    EXPECT_EQ(now.ReadString(u"DefaultsRooms"_s, u"Room2Name"_s, u"--"_s), u"C"_s);
    now.ReadSection(u"DefaultsRooms"_s, keys);
    EXPECT_EQ(keys, (QStringList{u"Room1Name"_s, u"Room2Name"_s}));
}

TEST_F(IniStoreTest, ConcurrentWritersOfDifferentKeysLoseNothing)
{
    constexpr int kWriters = 3;
    constexpr int kKeys = 60;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::vector<pid_t> children;
    for (int w = 0; w < kWriters; ++w)
        children.push_back(spawn([&, w] {
            char go;
            if (::read(ready[0], &go, 1) != 1)
                ::_exit(4);
            TIniFile ini(path(w % 2 ? "Rooms.dat" : "rooms.dat"));
            for (int k = 0; k < kKeys; ++k) {
                ini.WriteString(u"Shared"_s, u"W%1K%2"_s.arg(w).arg(k), QString::number(k));
                ini.WriteInteger(u"Writer%1"_s.arg(w), u"Count"_s, k + 1);
            }
        }));
    const char go[kWriters] = {};
    ASSERT_EQ(::write(ready[1], go, kWriters), kWriters);
    for (pid_t child : children)
        EXPECT_EQ(exitCodeOf(child), 0);
    ::close(ready[0]);
    ::close(ready[1]);

    TIniFile ini(path("Rooms.dat"));
    QStringList keys;
    ini.ReadSection(u"Shared"_s, keys);
    EXPECT_EQ(keys.size(), kWriters * kKeys);
    for (int w = 0; w < kWriters; ++w) {
        EXPECT_EQ(ini.ReadInteger(u"Writer%1"_s.arg(w), u"Count"_s, 0), kKeys);
        for (int k = 0; k < kKeys; ++k)
            ASSERT_EQ(ini.ReadString(u"Shared"_s, u"W%1K%2"_s.arg(w).arg(k), QString()), QString::number(k));
    }
    // One file, named as its first writer spelled it, and no temporary files left.
    const QStringList files = QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    ASSERT_EQ(files.size(), 1) << files.join(u' ').toStdString();
    EXPECT_EQ(files.front().toLower(), u"rooms.dat"_s);
}

// Another machine on a network share: its flock of the folder is not seen here, only its lock of
// the share's lock file. A writer here waits for it, on a network share and on a local folder
// that such a desk uses.
TEST_F(IniStoreTest, WritersWaitForALockHeldOnAnotherMachine)
{
    for (bool network : {true, false}) {
        ini::testing::treatFoldersAsNetworkShares(network);
        int held[2];
        int release[2];
        int done[2];
        ASSERT_EQ(::pipe(held), 0);
        ASSERT_EQ(::pipe(release), 0);
        ASSERT_EQ(::pipe(done), 0);
        const pid_t elsewhere = spawn([&] {
            const int fd = ::open(QFile::encodeName(path(".lodgera-lock")).constData(), O_RDWR | O_CREAT, 0666);
            struct flock range
            {
            };
            range.l_type = F_WRLCK;
            char byte = 1;
            if (fd < 0 || ::fcntl(fd, F_SETLKW, &range) != 0 || ::write(held[1], &byte, 1) != 1 ||
                ::read(release[0], &byte, 1) != 1)
                ::_exit(4);
        });
        char byte = 0;
        ASSERT_EQ(::read(held[0], &byte, 1), 1);
        const pid_t writer = spawn([&] {
            TIniFile(path("Rooms.dat")).WriteInteger(u"S"_s, u"network"_s, network);
            if (::write(done[1], &byte, 1) != 1)
                ::_exit(4);
        });
        pollfd wait{done[0], POLLIN, 0};
        EXPECT_EQ(::poll(&wait, 1, 300), 0) << "the write did not wait, network " << network;
        ASSERT_EQ(::write(release[1], &byte, 1), 1);
        EXPECT_EQ(exitCodeOf(elsewhere), 0);
        EXPECT_EQ(exitCodeOf(writer), 0);
        EXPECT_EQ(read("Rooms.dat", "S", "network"), QString::number(network));
        for (int* p : {held, release, done}) {
            ::close(p[0]);
            ::close(p[1]);
        }
    }
    ini::testing::treatFoldersAsNetworkShares(false);
}

// A writer killed at each point of its write leaves the old or the new file, whole.
class KilledWriter : public IniStoreTest, public ::testing::WithParamInterface<ini::testing::WriteStage>
{
};

std::string stageName(const ::testing::TestParamInfo<ini::testing::WriteStage>& info)
{
    static const char* const names[] = {"TempOpened", "PartWritten", "TempWritten", "Renamed"};
    return names[int(info.param)];
}

TEST_P(KilledWriter, LeavesAReadableFile)
{
    const ini::testing::WriteStage stage = GetParam();
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"old"_s);
    const pid_t child = spawn([&] {
        ini::testing::setWriteHook([stage](ini::testing::WriteStage at) {
            if (at == stage)
                ::raise(SIGKILL);
            return 0;
        });
        TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"new"_s);
    });
    ASSERT_EQ(exitCodeOf(child), -SIGKILL);
    const QString expected = stage == ini::testing::WriteStage::Renamed ? u"new"_s : u"old"_s;
    EXPECT_EQ(read("Rooms.dat", "S", "k"), expected);
    // The lock died with the writer; the next write goes through and clears its leftovers.
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"j"_s, u"next"_s);
    EXPECT_EQ(read("Rooms.dat", "S", "j"), u"next"_s);
    EXPECT_EQ(read("Rooms.dat", "S", "k"), expected);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"Rooms.dat"_s});
}

INSTANTIATE_TEST_SUITE_P(IniStore, KilledWriter,
                         ::testing::Values(ini::testing::WriteStage::TempOpened, ini::testing::WriteStage::PartWritten,
                                           ini::testing::WriteStage::TempWritten, ini::testing::WriteStage::Renamed),
                         stageName);

TEST_F(IniStoreTest, WriterKilledAtRandomMomentsLeavesWholeFiles)
{
    // Values large enough that a write takes a while; each one fills the line with one letter.
    constexpr int kLength = 400000;
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, QString(kLength, u'a'));
    std::mt19937 random(7);
    for (int round = 0; round < 15; ++round) {
        const pid_t child = spawn([&] {
            TIniFile ini(path("Rooms.dat"));
            for (int i = 0;; ++i)
                ini.WriteString(u"S"_s, u"k"_s, QString(kLength, QChar(u'a' + i % 26)));
        });
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
        ::kill(child, SIGKILL);
        ASSERT_EQ(exitCodeOf(child), -SIGKILL);
        const QByteArray content = bytes("Rooms.dat");
        // "[S]\r\nk=" + one letter kLength times + "\r\n"
        ASSERT_EQ(content.size(), 7 + kLength + 2) << "round " << round;
        // Count in the value only: the letter "k" also stands in the key.
        EXPECT_EQ(content.mid(7, kLength).count(content[7]), kLength) << "round " << round;
        const QString value = read("Rooms.dat", "S", "k");
        ASSERT_EQ(value.size(), 2047);
        EXPECT_TRUE(value == QString(2047, value[0])) << "round " << round;
    }
}

} // namespace

namespace {

struct SettledCase
{
    const char* name;
    timespec modified;
    timespec changed;
    bool settled; // looked at 1000.5 s
};

class TimestampWindow : public ::testing::TestWithParam<SettledCase>
{
};

TEST_P(TimestampWindow, DecidesWhetherCachedContentIsTrusted)
{
    const SettledCase& c = GetParam();
    EXPECT_EQ(ini::timestampsSettled(c.modified, c.changed, timespec{1000, 500'000'000}), c.settled);
}

const SettledCase kSettledCases[] = {
    {"ChangedLongAgo", {900, 1}, {900, 1}, true},
    {"Changed10msAgo", {1000, 490'000'000}, {1000, 490'000'000}, false},
    {"Changed30msAgo", {1000, 470'000'000}, {1000, 470'000'000}, true},
    {"ChangeTimeRecent", {900, 1}, {1000, 490'000'000}, false},
    {"InTheFuture", {1001, 1}, {1001, 1}, false},
    {"WholeSecondStampsTwoSecondsAgo", {998, 0}, {998, 0}, false},
    {"WholeSecondStampsFourSecondsAgo", {996, 0}, {996, 0}, true},
};

INSTANTIATE_TEST_SUITE_P(IniStore, TimestampWindow, ::testing::ValuesIn(kSettledCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
