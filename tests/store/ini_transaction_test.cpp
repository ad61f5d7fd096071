// IniTransaction: one action over the data files of a directory, all or nothing, leaving the
// bytes the same single writes would leave, and holding off every other writer while it runs.
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "store/ini_transaction.h"

#include "ini_test_support.h"

#include <QDir>
#include <QFileInfo>

#include <chrono>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <poll.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

// Runs body in a child process; returns its pid. The child ends with _exit, never returning.
template <typename Body> pid_t spawn(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    return pid;
}

int exitCodeOf(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Every file of a folder with its bytes, hidden ones included.
std::map<QString, QByteArray> folderContent(const QString& folder)
{
    std::map<QString, QByteArray> content;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot)) {
        QFile file(folder + u'/' + name);
        content[name] = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }
    return content;
}

// One step of an action: a write, or a delete when value is null.
struct Step
{
    const char* file;
    const char* section;
    const char* key;
    const char* value;
};

struct StartFile
{
    const char* name;
    const char* content;
};

struct SequenceCase
{
    const char* name;
    std::vector<StartFile> files;
    std::vector<Step> steps;
};

class SameBytesAsSingleWrites : public ::testing::TestWithParam<SequenceCase>
{
protected:
    void start(const QTemporaryDir& dir)
    {
        for (const StartFile& f : GetParam().files) {
            QFile file(dir.path() + u'/' + text(f.name));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(f.content);
        }
    }
    QTemporaryDir single_;
    QTemporaryDir together_;
};

TEST_P(SameBytesAsSingleWrites, AndReadsSeeEarlierWrites)
{
    start(single_);
    start(together_);
    const auto in = [](const QTemporaryDir& dir, const char* name) { return dir.path() + u'/' + text(name); };
    IniTransaction transaction(together_.path());
    for (const Step& step : GetParam().steps) {
        const QString section = text(step.section);
        const QString key = text(step.key);
        TIniFile single(in(single_, step.file));
        if (step.value) {
            single.WriteString(section, key, text(step.value));
            transaction.WriteString(in(together_, step.file), section, key, text(step.value));
        } else {
            single.DeleteKey(section, key);
            transaction.DeleteKey(in(together_, step.file), section, key);
        }
        // Before the commit, the transaction's reads see what the single writes put on disk.
        for (const char* file : {step.file, "Rooms.dat", "rooms.dat", "Clients.dat"}) {
            EXPECT_EQ(transaction.ReadString(in(together_, file), section, key, u"<none>"_s),
                      TIniFile(in(single_, file)).ReadString(section, key, u"<none>"_s))
                << file << " [" << step.section << "] " << step.key;
            QStringList together;
            QStringList single;
            transaction.ReadSection(in(together_, file), section, together);
            TIniFile(in(single_, file)).ReadSection(section, single);
            EXPECT_EQ(together, single) << file << " [" << step.section << "]";
        }
    }
    transaction.commit();
    const auto expected = folderContent(single_.path());
    const auto actual = folderContent(together_.path());
    EXPECT_EQ(actual.size(), expected.size());
    for (const auto& [name, bytes] : expected) {
        ASSERT_TRUE(actual.count(name)) << name.toStdString();
        EXPECT_EQ(actual.at(name).toStdString(), bytes.toStdString()) << name.toStdString();
    }
}

const SequenceCase kSequenceCases[] = {
    {"NewFilesSectionsAndKeys",
     {},
     {{"Reservations.dat", "Global", "Reservations", "1"},
      {"Reservations.dat", "Reservation_1", "Room", "7"},
      {"Reservations.dat", "Reservation_1", "Day1", "5.3.2026"},
      {"Reservations.dat", "5.3.2026", "Room_7_Client", "12"},
      {"Clients.dat", "Client_12", "Living", "1"},
      {"rooms.dat", "Rooms_5.3.2026", "Room7Status", "FULL"},
      {"Rooms.dat", "Rooms_5.3.2026", "Room7ClientID", "12"},
      {"RESERVATIONS.DAT", "reservation_1", "DAY2", "6.3.2026"},
      {"Reservations.dat", "Global", "Reservations", "2"}}},
    {"UntouchedLinesAndLineEndsStay",
     {{"Clients.dat", "; guests\n[Global]\r\nClients=5\n\n[Client_2]\r\nFirstName=Jan\rjunk line\r\n[x"},
      {"Rooms.dat", "[A]\ra=1\r[B]\rb=2"}},
     {{"clients.dat", "Global", "Clients", "6"},
      {"Clients.dat", "Client_2", "LastName", "Nov\xC3\xA1k"},
      {"Clients.dat", "Client_2", "FirstName", nullptr},
      {"Clients.dat", "Client_3", "FirstName", "Eva"},
      {"Clients.dat", "x", "k", "v"},
      {"Rooms.dat", "B", "c", "3"},
      {"Rooms.dat", "A", "a", "  spaced  "},
      {"Rooms.dat", "C", "d", "4"}}},
    {"DuplicatesAndSpellings",
     {{"Rooms.dat", "[A]\r\nKey=1\r\nkey=2\r\n[B]\r\n[a]\r\nk=3\r\n"}},
     {{"Rooms.dat", "a", "KEY", "9"},
      {"ROOMS.DAT", "A", "key", nullptr},
      {"Rooms.dat", "A", "key", nullptr},
      {"Rooms.dat", "A", "key", nullptr},
      {"Rooms.dat", "A", "k", "new"},
      {"Rooms.dat", "b", "x", "1"}}},
    {"SameValueAndBackAgain",
     {{"Rooms.dat", "[A]\r\nk = v \r\nj=1\r\n"}},
     {{"Rooms.dat", "A", "K", "v"}, {"Rooms.dat", "A", "j", "2"}, {"Rooms.dat", "A", "j", "1"}}},
    {"MissingFileOnlyDeletedFrom", {}, {{"Clients.dat", "Client_1", "Living", nullptr}}},
    {"NewFileWrittenThenEmptied",
     {},
     {{"Clients.dat", "Client_1", "Living", "1"}, {"Clients.dat", "Client_1", "Living", nullptr}}},
    {"ValuesOfEveryKind",
     {{"Rooms.dat", "\xEF\xBB\xBF[A]\r\nk=P\xC5\x99\xC3\xADjezd\r\n"}},
     {{"Rooms.dat", "A", "comment", "line one\r\n[B]\r\nevil=1"},
      {"Rooms.dat", "A", "name", "\xD0\x96\xD1\x83\xD0\xBA\xD0\xBE\xD0\xB2"},
      {"Clients.dat", "Client_1", "Photo", "C:\\Fotky\\new\\1.jpg"},
      {"Clients.dat", "Client_1", "Name", "\xC5\x98\xC3\xAD\xC5\xBEov\xC3\xA1"},
      {"Clients.dat", "Client_1", "Quoted", "\"x\""}}},
    {"FileWithoutFinalLineEnd",
     {{"Rooms.dat", "junk"}, {"Clients.dat", "[A]\r\nk=1"}},
     {{"Rooms.dat", "A", "k", "1"}, {"Clients.dat", "A", "j", "2"}, {"Clients.dat", "B", "j", "3"}}},
};

INSTANTIATE_TEST_SUITE_P(IniTransaction, SameBytesAsSingleWrites, ::testing::ValuesIn(kSequenceCases),
                         [](const auto& info) { return std::string(info.param.name); });

class IniTransactionTest : public IniFolderTest
{
protected:
    void SetUp() override
    {
        put("Rooms.dat", "[Rooms_5.3.2026]\r\nRoom7Status=FREE\r\n");
        put("Clients.dat", "[Global]\nClients=4\n");
        before_ = folderContent(dir_.path());
    }

    // A reservation-shaped action, left uncommitted.
    void reserve(IniTransaction& t)
    {
        t.WriteInteger(path("Reservations.dat"), u"Global"_s, u"Reservations"_s, 1);
        t.WriteString(path("Reservations.dat"), u"Reservation_1"_s, u"Day1"_s, u"5.3.2026"_s);
        t.WriteString(path("Clients.dat"), u"Client_4"_s, u"Living"_s, u"1"_s);
        t.WriteString(path("Rooms.dat"), u"Rooms_5.3.2026"_s, u"Room7Status"_s, u"FULL"_s);
    }

    void expectUnchanged()
    {
        EXPECT_EQ(folderContent(dir_.path()), before_);
        EXPECT_EQ(TIniFile(path("Rooms.dat")).ReadString(u"Rooms_5.3.2026"_s, u"Room7Status"_s, QString()), u"FREE"_s);
    }

    std::map<QString, QByteArray> before_;
};

TEST_F(IniTransactionTest, RollbackDestructionAndExceptionLeaveEveryFileAsItWas)
{
    {
        IniTransaction t(dir_.path());
        reserve(t);
        EXPECT_EQ(t.ReadString(path("rooms.dat"), u"Rooms_5.3.2026"_s, u"Room7Status"_s, QString()), u"FULL"_s);
        t.rollback();
        EXPECT_THROW(t.ReadString(path("Rooms.dat"), u"A"_s, u"k"_s, QString()), EIniFileError);
        EXPECT_THROW(t.commit(), EIniFileError);
    }
    expectUnchanged();
    {
        IniTransaction t(dir_.path());
        reserve(t);
    }
    expectUnchanged();
    try {
        IniTransaction t(dir_.path());
        reserve(t);
        t.WriteString(path("Rooms.dat"), u"Rooms_5.3.2026"_s, u"bad=key"_s, u"x"_s);
        t.commit();
        ADD_FAILURE() << "a key with '=' was accepted";
    } catch (const EIniFileError& e) {
        EXPECT_EQ(e.fileName(), path("Rooms.dat"));
    }
    expectUnchanged();
}

TEST_F(IniTransactionTest, CommitWritesEachTouchedFileAndLeavesOthers)
{
    put("hotel.ini", "[Settings]\r\nX=1\r\n");
    const auto inode = [&](const char* name) {
        struct stat st
        {
        };
        return ::stat(QFile::encodeName(path(name)).constData(), &st) == 0 ? st.st_ino : ino_t(0);
    };
    const ino_t hotel = inode("hotel.ini");
    IniTransaction t(dir_.path());
    reserve(t);
    // Read but not changed, and changed back: left alone.
    EXPECT_EQ(t.ReadInteger(path("hotel.ini"), u"Settings"_s, u"X"_s, 0), 1);
    t.WriteString(path("hotel.ini"), u"Settings"_s, u"X"_s, u"2"_s);
    t.WriteString(path("hotel.ini"), u"Settings"_s, u"X"_s, u"1"_s);
    t.commit();
    EXPECT_EQ(inode("hotel.ini"), hotel);
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[Rooms_5.3.2026]\r\nRoom7Status=FULL\r\n"));
    EXPECT_EQ(bytes("Clients.dat"), QByteArray("[Global]\nClients=4\n[Client_4]\nLiving=1\n"));
    EXPECT_EQ(bytes("Reservations.dat"),
              QByteArray("[Global]\r\nReservations=1\r\n[Reservation_1]\r\nDay1=5.3.2026\r\n"));
    // The cache of this process sees the committed content, and nothing is left beside the files.
    EXPECT_EQ(TIniFile(path("Clients.dat")).ReadString(u"Client_4"_s, u"Living"_s, QString()), u"1"_s);
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot),
              (QStringList{u"Clients.dat"_s, u"hotel.ini"_s, u"Reservations.dat"_s, u"Rooms.dat"_s}));
}

TEST_F(IniTransactionTest, OtherWritersWaitForTheCommit)
{
    int done[2];
    ASSERT_EQ(::pipe(done), 0);
    std::optional<IniTransaction> t(std::in_place, dir_.path());
    reserve(*t);
    const pid_t child = spawn([&] {
        TIniFile(path("Rooms.dat")).WriteString(u"Rooms_5.3.2026"_s, u"Room8Status"_s, u"FULL"_s);
        const char byte = 1;
        if (::write(done[1], &byte, 1) != 1)
            ::_exit(4);
    });
    pollfd wait{done[0], POLLIN, 0};
    EXPECT_EQ(::poll(&wait, 1, 300), 0) << "a single write went through while the transaction held the folder";
    t->commit();
    t.reset();
    EXPECT_EQ(exitCodeOf(child), 0);
    ::close(done[0]);
    ::close(done[1]);
    // The waiting write came after the commit and kept its changes.
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[Rooms_5.3.2026]\r\nRoom7Status=FULL\r\nRoom8Status=FULL\r\n"));
}

TEST_F(IniTransactionTest, SameProcessWriterFailsInsteadOfWaitingForItself)
{
    IniTransaction t(dir_.path());
    reserve(t);
    EXPECT_THROW(TIniFile(path("Rooms.dat")).WriteString(u"A"_s, u"k"_s, u"1"_s), EIniFileError);
    EXPECT_THROW(IniTransaction second(dir_.path()), EIniFileError);
    // Reads go on and see the files as they are.
    EXPECT_EQ(TIniFile(path("Rooms.dat")).ReadString(u"Rooms_5.3.2026"_s, u"Room7Status"_s, QString()), u"FREE"_s);
    t.commit();
    TIniFile(path("Rooms.dat")).WriteString(u"A"_s, u"k"_s, u"1"_s);
    EXPECT_EQ(TIniFile(path("Rooms.dat")).ReadString(u"A"_s, u"k"_s, QString()), u"1"_s);
}

TEST_F(IniTransactionTest, FileOutsideTheDirectoryIsRefused)
{
    QTemporaryDir other;
    IniTransaction t(dir_.path());
    EXPECT_THROW(t.WriteString(other.path() + u"/Rooms.dat"_s, u"A"_s, u"k"_s, u"1"_s), EIniFileError);
    t.commit();
    EXPECT_FALSE(QFile::exists(other.path() + u"/Rooms.dat"_s));
}

TEST_F(IniTransactionTest, TwoProcessesAllocatingIdsNeverShareOne)
{
    constexpr int kEach = 500;
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    std::vector<pid_t> children;
    for (int desk = 1; desk <= 2; ++desk)
        children.push_back(spawn([&, desk] {
            char go;
            if (::read(ready[0], &go, 1) != 1)
                ::_exit(4);
            for (int i = 0; i < kEach; ++i) {
                IniTransaction t(dir_.path());
                const int id = t.ReadInteger(path("Clients.dat"), u"Global"_s, u"Clients"_s, 0) + 1;
                t.WriteInteger(path("Clients.dat"), u"Global"_s, u"Clients"_s, id);
                t.WriteInteger(path("clients.dat"), u"Client_%1"_s.arg(id), u"Desk"_s, desk);
                t.commit();
            }
        }));
    const char go[2] = {};
    ASSERT_EQ(::write(ready[1], go, 2), 2);
    for (pid_t child : children)
        EXPECT_EQ(exitCodeOf(child), 0);
    ::close(ready[0]);
    ::close(ready[1]);

    TIniFile clients(path("Clients.dat"));
    EXPECT_EQ(clients.ReadInteger(u"Global"_s, u"Clients"_s, 0), 4 + 2 * kEach);
    int perDesk[3] = {};
    for (int id = 5; id <= 4 + 2 * kEach; ++id)
        ++perDesk[clients.ReadInteger(u"Client_%1"_s.arg(id), u"Desk"_s, 0)];
    EXPECT_EQ(perDesk[0], 0);
    EXPECT_EQ(perDesk[1], kEach);
    EXPECT_EQ(perDesk[2], kEach);
}

} // namespace
