#include "guests/guest_file.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

} // namespace
