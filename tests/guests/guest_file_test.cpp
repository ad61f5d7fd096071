#include "guests/guest_file.h"

#include "store/ini_file.h"
#include "tests/support/qt_print.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

TEST(GuestFile, ReadsTheNameKeysOfOneGuest)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("Clients.dat")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[Global]\r\nClients=3\r\n[Client_2]\r\nFirstName=Jana\r\nSurName=Nov\xE1kov\xE1\r\n"
            "[client_3]\r\nfirstname=Petr\r\n");
    f.close();

    const GuestFile guests(dir.filePath(QStringLiteral("Clients.dat")));
    const GuestName jana = guests.readName(2);
    EXPECT_EQ(jana.firstName, QStringLiteral("Jana"));
    EXPECT_EQ(jana.middleName, QString());
    EXPECT_EQ(jana.surName, QStringLiteral("Nováková")); // stored in Windows-1250

    const GuestName petr = guests.readName(3, QStringLiteral("??"));
    EXPECT_EQ(petr.firstName, QStringLiteral("Petr"));
    EXPECT_EQ(petr.surName, QStringLiteral("??"));

    const GuestName absent = guests.readName(9, QStringLiteral("??"));
    EXPECT_EQ(absent.firstName, QStringLiteral("??"));
}

TEST(GuestFile, MissingFileIsAnEmptyRegister)
{
    QTemporaryDir dir;
    const GuestFile guests(dir.filePath(QStringLiteral("Clients.dat")));
    EXPECT_EQ(guests.readName(2).firstName, QString());
    EXPECT_FALSE(QFile::exists(guests.fileName()));
}

// A register in a temporary data directory, with raw access to its bytes.
class Register : public ::testing::Test
{
protected:
    QString path() const { return dir.filePath(GuestFile::kFileName); }
    GuestFile guests() const { return GuestFile(path()); }
    void put(const QByteArray& content) const
    {
        QFile f(path());
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(content), content.size());
    }
    QByteArray bytes() const
    {
        QFile f(path());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    QString read(const QString& section, const char* key) const
    {
        return TIniFile(path()).ReadString(section, QString::fromLatin1(key), QStringLiteral("<absent>"));
    }
    QStringList keys(int id) const
    {
        QStringList k;
        TIniFile(path()).ReadSection(GuestFile::clientSection(id), k);
        return k;
    }

    QTemporaryDir dir;
};

GuestData someone(const QString& surname = QStringLiteral("Dvořák"))
{
    GuestData d;
    d.titul = QStringLiteral("Ing.");
    d.firstName = QStringLiteral("Jan");
    d.middleName = QStringLiteral("Pavel");
    d.surName = surname;
    d.telephone = QStringLiteral("+420 222 111 000");
    d.cellular = QStringLiteral("777 123 456");
    d.email = QStringLiteral("jan@example.cz");
    d.idCardNum = QStringLiteral("123456789");
    d.idCardType = QStringLiteral("OP");
    d.comment = QStringLiteral("Bez poznámky");
    d.photo = QStringLiteral("/data/foto/jan.jpg");
    return d;
}

TEST_F(Register, FirstNewGuestOfAnEmptyRegisterIsTwoWithItsKeysInOrder)
{
    EXPECT_EQ(guests().saveNewGuest(someone()), 2);
    EXPECT_EQ(bytes(), QByteArray("[Global]\r\nClients=2\r\n[Client_2]\r\nLiving=0\r\nTitul=Ing.\r\nFirstName=Jan\r\n"
                                  "MiddleName=Pavel\r\nSurName=Dvo\xF8\xE1k\r\nTelephone=+420 222 111 000\r\n"
                                  "Cellular=777 123 456\r\nEmail=jan@example.cz\r\nIDCardNum=123456789\r\n"
                                  "IDCardType=OP\r\nComment=Bez pozn\xE1mky\r\nPhoto=/data/foto/jan.jpg\r\n"));
    EXPECT_EQ(guests().saveNewGuest(GuestData()), 3);
    EXPECT_EQ(read(QStringLiteral("Global"), "Clients"), QStringLiteral("3"));
    EXPECT_EQ(keys(3).size(), 12);
    EXPECT_EQ(guests().readData(2), someone());
    EXPECT_EQ(guests().readData(3), GuestData());
}

// Where the next id's section already holds a guest (the counter was changed outside the
// program), that guest stays as it was and the first free id above it is handed out.
struct AllocationCase
{
    const char* name;
    const char* file;
    int expectedId;
};

void PrintTo(const AllocationCase& row, std::ostream* out)
{
    *out << row.name;
}

class Allocation : public Register, public ::testing::WithParamInterface<AllocationCase>
{
};

TEST_P(Allocation, NeverOverwritesAGuest)
{
    const AllocationCase& row = GetParam();
    const QByteArray before(row.file);
    if (!before.isEmpty())
        put(before);
    const QStringList oldSurnames = [&] {
        QStringList s;
        for (int id = 1; id <= 9; ++id)
            s << read(GuestFile::clientSection(id), "SurName");
        return s;
    }();

    const int id = guests().saveNewGuest(someone(QStringLiteral("Nový")));
    EXPECT_EQ(id, row.expectedId);
    EXPECT_EQ(read(QStringLiteral("Global"), "Clients"), QString::number(row.expectedId));
    EXPECT_EQ(read(GuestFile::clientSection(id), "Living"), QStringLiteral("0"));
    EXPECT_EQ(guests().readData(id), someone(QStringLiteral("Nový")));
    for (int other = 1; other <= 9; ++other) {
        if (other == id)
            continue;
        EXPECT_EQ(read(GuestFile::clientSection(other), "SurName"), oldSurnames[other - 1]) << other;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Allocation,
    ::testing::Values(AllocationCase{"NoFile", "", 2}, AllocationCase{"CounterThree", "[Global]\r\nClients=3\r\n", 4},
                      AllocationCase{"CounterZeroGivesOne", "[Global]\r\nClients=0\r\n", 1},
                      AllocationCase{"NextSectionTaken",
                                     "[Global]\r\nClients=3\r\n[Client_4]\r\nSurName=Star\xFD\r\n"
                                     "[Client_5]\r\nLiving=1\r\n",
                                     6},
                      // "x" reads as the default 1, and guest 2 exists.
                      AllocationCase{"CounterNotANumber", "[Global]\r\nClients=x\r\n[Client_2]\r\nSurName=A\r\n", 3},
                      AllocationCase{"NegativeCounterCountsAsDefault", "[Global]\r\nClients=-4\r\n", 2},
                      // A bare section line holds no guest data to lose.
                      AllocationCase{"EmptySectionIsFree", "[Global]\r\nClients=3\r\n[Client_4]\r\n", 4}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Register, SavingAnExistingGuestRewritesOnlyItsDataKeys)
{
    put("[Global]\r\nClients=9\r\n[Client_4]\r\nLiving=1\r\nSurName=Star\xFD\r\nDeleted=1\r\nLast=1.2.2025\r\n");
    guests().saveGuest(4, someone());
    EXPECT_EQ(guests().readData(4), someone());
    EXPECT_EQ(read(QStringLiteral("Global"), "Clients"), QStringLiteral("9"));
    EXPECT_EQ(read(QStringLiteral("Client_4"), "Living"), QStringLiteral("1"));
    EXPECT_EQ(read(QStringLiteral("Client_4"), "Deleted"), QStringLiteral("1"));
    EXPECT_EQ(read(QStringLiteral("Client_4"), "Last"), QStringLiteral("1.2.2025"));
}

TEST_F(Register, NoteKeepsItsLineBreaksOnOneStoredLine)
{
    GuestData d = someone();
    d.comment = QStringLiteral("alergie: ořechy\npřijede pozdě\r\n[Client_9]\nSurName=podvrh\n");
    const int id = guests().saveNewGuest(d);
    EXPECT_EQ(guests().readData(id).comment, d.comment);
    // Nothing of the note became a line, section or key of its own.
    EXPECT_EQ(bytes().count("\r\n"), 15);
    EXPECT_EQ(keys(9), QStringList());
    EXPECT_EQ(guests().readData(id).photo, d.photo);
}

TEST_F(Register, EmptyRegisterEnumeratesGuestOneWithNothingSet)
{
    const std::vector<GuestListEntry> list = guests().enumerate();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].id, 1);
    EXPECT_FALSE(list[0].living);
    EXPECT_FALSE(list[0].deleted);
    EXPECT_TRUE(list[0].surName.isEmpty() && list[0].email.isEmpty() && list[0].last.isEmpty());
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(Register, EnumerationReadsEveryIdUpToTheCounter)
{
    put("[Global]\r\nClients=4\r\n[Client_2]\r\nLiving=1\r\nSurName=Nov\xE1k\r\nFirstName=Petr\r\nMiddleName=Karel\r\n"
        "Telephone=1\r\nCellular=2\r\nEmail=petr@example.cz\r\nLast=3.3.2025\r\n"
        "[Client_3]\r\nSurName=Smazan\xE1\r\nDeleted=1\r\n[Client_5]\r\nSurName=Za po\xE8tem\r\n");
    const std::vector<GuestListEntry> list = guests().enumerate();
    ASSERT_EQ(list.size(), 4u);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list[std::size_t(i)].id, i + 1);
    const GuestListEntry& petr = list[1];
    EXPECT_TRUE(petr.living);
    EXPECT_FALSE(petr.deleted);
    EXPECT_EQ(petr.surName, QStringLiteral("Novák"));
    EXPECT_EQ(petr.firstName, QStringLiteral("Petr"));
    EXPECT_EQ(petr.middleName, QStringLiteral("Karel"));
    EXPECT_EQ(petr.telephone, QStringLiteral("1"));
    EXPECT_EQ(petr.cellular, QStringLiteral("2"));
    EXPECT_EQ(petr.email, QStringLiteral("petr@example.cz")); // written as Email, read as EMail
    EXPECT_EQ(petr.last, QStringLiteral("3.3.2025"));
    EXPECT_TRUE(list[2].deleted);
    EXPECT_TRUE(list[3].surName.isEmpty()); // guest 4 has no section; guest 5 is beyond the counter
}

TEST_F(Register, MarkingDeletedAndAccommodatedTouchOneKeyEach)
{
    const int id = guests().saveNewGuest(someone());
    const QStringList before = keys(id);
    guests().markDeleted(id);
    guests().setAccommodated(id, true);
    EXPECT_EQ(keys(id), before + QStringList{QStringLiteral("Deleted")});
    EXPECT_EQ(guests().readData(id), someone());
    EXPECT_EQ(read(GuestFile::clientSection(id), "Deleted"), QStringLiteral("1"));
    EXPECT_EQ(read(GuestFile::clientSection(id), "Living"), QStringLiteral("1"));
    EXPECT_EQ(guests().readName(id).surName, QStringLiteral("Dvořák"));
    guests().setAccommodated(id, false);
    EXPECT_EQ(read(GuestFile::clientSection(id), "Living"), QStringLiteral("0"));
    EXPECT_TRUE(guests().enumerate().back().deleted);
}

// Two desks on one data directory saving new guests at the same moment: every guest gets an id
// of its own and nobody's data is lost.
TEST_F(Register, ConcurrentProcessesGetDistinctIds)
{
    constexpr int kProcesses = 4;
    constexpr int kGuestsEach = 15;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            for (int g = 0; g < kGuestsEach; ++g) {
                try {
                    const int id = guests().saveNewGuest(someone(QStringLiteral("P%1G%2").arg(p).arg(g)));
                    if (id < 2)
                        status = 1;
                } catch (...) {
                    status = 2;
                }
            }
            _exit(status);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    const int total = kProcesses * kGuestsEach;
    EXPECT_EQ(read(QStringLiteral("Global"), "Clients"), QString::number(1 + total));
    std::set<QString> names;
    for (int id = 2; id <= 1 + total; ++id) {
        EXPECT_EQ(keys(id).size(), 12) << id;
        names.insert(guests().readData(id).surName);
    }
    EXPECT_EQ(names.size(), std::size_t(total));
}

} // namespace
