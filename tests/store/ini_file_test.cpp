// TIniFile on disk: the operations, their conversion rules and limits, write errors.
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "store/ini_transaction.h"

#include "ini_test_support.h"

#include <QDir>
#include <QFileInfo>

#include <optional>
#include <string>
#include <string_view>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::StringLiterals;

namespace {

using IniFile = IniFolderTest;

TEST_F(IniFile, MissingFileGivesDefaultsAndIsNotCreated)
{
    TIniFile ini(path("Rooms.dat"));
    EXPECT_EQ(ini.ReadString(u"DefaultsRooms"_s, u"Room1Name"_s, u"--"_s), u"--"_s);
    EXPECT_EQ(ini.ReadInteger(u"Global"_s, u"Clients"_s, 1), 1);
    EXPECT_TRUE(ini.ReadBool(u"Global"_s, u"X"_s, true));
    QStringList keys{u"stale"_s};
    ini.ReadSection(u"DefaultsRooms"_s, keys);
    EXPECT_TRUE(keys.isEmpty());
    ini.DeleteKey(u"DefaultsRooms"_s, u"Room1Name"_s);
    EXPECT_TRUE(QDir(dir_.path()).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot));
}

TEST_F(IniFile, FirstWriteCreatesOneSectionAndOneKeyLine)
{
    TIniFile(path("Rooms.dat")).WriteString(u"Rooms_5.3.2026"_s, u"Room7Status"_s, u"FREE"_s);
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[Rooms_5.3.2026]\r\nRoom7Status=FREE\r\n"));
    EXPECT_TRUE(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot) ==
                QStringList{u"Rooms.dat"_s});
}

TEST_F(IniFile, NamesMatchWithoutLetterCaseIncludingTheFileName)
{
    TIniFile(path("Rooms.dat")).WriteString(u"DefaultsRooms"_s, u"Room7Status"_s, u"FULL"_s);
    TIniFile lower(path("rooms.dat"));
    EXPECT_EQ(lower.ReadString(u"defaultsrooms"_s, u"room7status"_s, u"NONE"_s), u"FULL"_s);
    lower.WriteString(u"DEFAULTSROOMS"_s, u"ROOM7STATUS"_s, u"FREE"_s);
    // One file, the key's stored spelling kept.
    EXPECT_FALSE(exists("rooms.dat"));
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[DefaultsRooms]\r\nRoom7Status=FREE\r\n"));
}

TEST_F(IniFile, EmptyValueIsPresentAndBeatsTheDefault)
{
    put("Rooms.dat", "[Rooms_1.1.2026]\r\nRoom5Name=\r\n[DefaultsRooms]\r\nRoom5Name=Apartm\xE1\r\n");
    TIniFile ini(path("Rooms.dat"));
    const QString name = ini.ReadString(u"DefaultsRooms"_s, u"Room5Name"_s, u"--"_s);
    EXPECT_EQ(ini.ReadString(u"Rooms_1.1.2026"_s, u"Room5Name"_s, name), QString());
    EXPECT_EQ(ini.ReadString(u"Rooms_2.1.2026"_s, u"Room5Name"_s, name), u"Apartm\u00e1"_s);
}

struct TypedReadCase
{
    const char* name;
    const char* stored; // nullptr: key missing
    int integerDefault;
    int integer;
    bool boolean; // read with default false
    bool booleanDefaultTrue;
};

class TypedRead : public IniFolderTest, public ::testing::WithParamInterface<TypedReadCase>
{
};

TEST_P(TypedRead, FollowsTheIntegerRule)
{
    const TypedReadCase& c = GetParam();
    QByteArray file("[S]\r\n");
    if (c.stored)
        file += QByteArray("k=") + c.stored + "\r\n";
    put("a.ini", file);
    TIniFile ini(path("a.ini"));
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"k"_s, c.integerDefault), c.integer);
    EXPECT_EQ(ini.ReadBool(u"S"_s, u"k"_s, false), c.boolean);
    EXPECT_EQ(ini.ReadBool(u"S"_s, u"k"_s, true), c.booleanDefaultTrue);
    // A snapshot reads by the same rules.
    const IniSnapshot snapshot(path("a.ini"));
    EXPECT_EQ(snapshot.ReadInteger(u"S"_s, u"k"_s, c.integerDefault), c.integer);
    EXPECT_EQ(snapshot.ReadBool(u"S"_s, u"k"_s, false), c.boolean);
    EXPECT_EQ(snapshot.ReadBool(u"S"_s, u"k"_s, true), c.booleanDefaultTrue);
    EXPECT_EQ(snapshot.ReadString(u"S"_s, u"k"_s, u"<none>"_s), ini.ReadString(u"S"_s, u"k"_s, u"<none>"_s));
}

const TypedReadCase kTypedReadCases[] = {
    {"Decimal", "42", 7, 42, true, true},       {"Hex", "0x1A", 7, 26, true, true},
    {"HexPrefixOnly", "0x", 7, 7, false, true}, {"DigitsThenLetters", "12abc", 7, 7, false, true},
    {"EmptyValue", "", 7, 7, false, true},      {"Missing", nullptr, 7, 7, false, true},
    {"Zero", "0", 7, 0, false, false},          {"One", "1", 7, 1, true, true},
    {"TwoIsTrue", "2", 7, 2, true, true},       {"NegativeIsTrue", "-1", 7, -1, true, true},
    {"WordYes", "yes", 7, 7, false, true},      {"Quoted", "\"12\"", 7, 12, true, true},
    {"Blanks", "  12\t", 7, 12, true, true},    {"OutOfRange", "4294967296", 7, 7, false, true},
};

INSTANTIATE_TEST_SUITE_P(IniFile, TypedRead, ::testing::ValuesIn(kTypedReadCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(IniFile, TypedWritesStoreTheirTexts)
{
    TIniFile ini(path("a.ini"));
    ini.WriteInteger(u"S"_s, u"i"_s, -2147483647 - 1);
    ini.WriteBool(u"S"_s, u"t"_s, true);
    ini.WriteBool(u"S"_s, u"f"_s, false);
    ini.WriteDateTime(u"S"_s, u"d"_s, QDateTime(QDate(2026, 3, 5), QTime(7, 4, 9)));
    EXPECT_EQ(bytes("a.ini"), QByteArray("[S]\r\ni=-2147483648\r\nt=1\r\nf=0\r\nd=5.3.2026 7:04:09\r\n"));
    EXPECT_EQ(ini.ReadInteger(u"S"_s, u"i"_s, 0), -2147483647 - 1);
}

TEST_F(IniFile, ReadReturnsAtMost2047Characters)
{
    TIniFile ini(path("a.ini"));
    for (int length : {2046, 2047, 2048, 3000}) {
        const QString value(length, u'x');
        ini.WriteString(u"S"_s, u"k"_s, value);
        EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, QString()), value.left(2047)) << length;
    }
    // The whole value stays in the file.
    EXPECT_TRUE(bytes("a.ini").contains(QByteArray(3000, 'x')));
}

TEST_F(IniFile, KeyListHoldsAtMost16384BytesOfNames)
{
    // 16 names of 1023 characters fill 16 * 1024 = 16,384 bytes with their terminators.
    QByteArray file("[S]\r\n");
    for (int i = 0; i < 16; ++i)
        file += QByteArray::number(i % 10) + QByteArray(1022, char('a' + i)) + "=1\r\n";
    file += "z=1\r\n";
    put("a.ini", file);
    QStringList keys;
    TIniFile(path("a.ini")).ReadSection(u"s"_s, keys);
    ASSERT_EQ(keys.size(), 16);
    EXPECT_EQ(keys.front(), u"0"_s + QString(1022, u'a'));

    // One byte less: the last of the 16 names no longer fits.
    file.replace(QByteArray(1022, 'a'), QByteArray(1023, 'a'));
    put("a.ini", file);
    TIniFile(path("a.ini")).ReadSection(u"s"_s, keys);
    EXPECT_EQ(keys.size(), 15);
}

TEST_F(IniFile, ReadSectionListsNamesInFileOrder)
{
    put("a.ini", "[S]\r\nRoom2Name=a\r\n;x=1\r\nroom1name=b\r\nROOM2NAME=c\r\nPozn\xE1mka=d\r\n[T]\r\ne=1\r\n");
    QStringList keys;
    TIniFile(path("a.ini")).ReadSection(u"s"_s, keys);
    // Every occurrence of a repeated name is listed.
    EXPECT_EQ(keys, (QStringList{u"Room2Name"_s, u"room1name"_s, u"ROOM2NAME"_s, u"Pozn\u00e1mka"_s}));
}

TEST_F(IniFile, WritingTheStoredValueLeavesTheFileUntouched)
{
    put("a.ini", "[S]\r\nk = v\r\n");
    struct stat before
    {
    };
    ASSERT_EQ(::stat(path("a.ini").toLocal8Bit().constData(), &before), 0);
    TIniFile(path("a.ini")).WriteString(u"S"_s, u"K"_s, u"v"_s);
    struct stat after
    {
    };
    ASSERT_EQ(::stat(path("a.ini").toLocal8Bit().constData(), &after), 0);
    EXPECT_EQ(before.st_ino, after.st_ino);
    EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);
    EXPECT_EQ(bytes("a.ini"), QByteArray("[S]\r\nk = v\r\n"));
}

TEST_F(IniFile, WriteChangesOnlyItsLine)
{
    put("Clients.dat", "; guests\n[Global]\r\nClients=5\n\n[Client_2]\r\nFirstName=Jan\rjunk line\r\n[x");
    TIniFile ini(path("clients.dat"));
    ini.WriteInteger(u"Global"_s, u"Clients"_s, 6);
    ini.WriteString(u"Client_2"_s, u"LastName"_s, u"Novák"_s);
    ini.DeleteKey(u"Client_2"_s, u"FirstName"_s);
    ini.WriteString(u"Client_3"_s, u"FirstName"_s, u"Eva"_s);
    // A new key goes after the section's last line with text, here "[x" (no section: no "]").
    EXPECT_EQ(bytes("Clients.dat"),
              QByteArray("; guests\n[Global]\r\nClients=6\n\n[Client_2]\r\njunk line\r\n[x\nLastName=Nov\xE1k\n"
                         "[Client_3]\nFirstName=Eva\n"));
}

TEST_F(IniFile, MultiLineValueRoundTripsOnOneLine)
{
    TIniFile ini(path("Rooms.dat"));
    const QString comment = u"Host volal:\r\nzítra [B]\r\nevil=1\r\n"_s;
    ini.WriteString(u"Rooms_1.1.2026"_s, u"Room3Comment"_s, comment);
    ini.WriteString(u"Rooms_1.1.2026"_s, u"Room3Price"_s, u"C:\\Ceny\\new\\2026.txt"_s);
    EXPECT_EQ(ini.ReadString(u"Rooms_1.1.2026"_s, u"Room3Comment"_s, QString()), comment);
    EXPECT_EQ(ini.ReadString(u"Rooms_1.1.2026"_s, u"Room3Price"_s, QString()), u"C:\\Ceny\\new\\2026.txt"_s);
    EXPECT_EQ(ini.ReadString(u"B"_s, u"evil"_s, u"none"_s), u"none"_s);
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[Rooms_1.1.2026]\r\n"
                                             "Room3Comment=\\~Host volal:\\r\\nz\xEDtra [B]\\r\\nevil=1\\r\\n\r\n"
                                             "Room3Price=C:\\Ceny\\new\\2026.txt\r\n"));
}

TEST_F(IniFile, TextOutsideTheCodePageRoundTrips)
{
    TIniFile ini(path("Clients.dat"));
    ini.WriteString(u"Client_2"_s, u"LastName"_s, u"Жуков"_s);
    EXPECT_EQ(ini.ReadString(u"Client_2"_s, u"LastName"_s, QString()), u"Жуков"_s);
    EXPECT_FALSE(bytes("Clients.dat").contains('?'));
}

TEST_F(IniFile, HighBytesRoundTripUnchanged)
{
    QByteArray high;
    for (int b = 0x80; b <= 0xFF; ++b)
        high += char(b);
    put("a.ini", "[S]\r\nk=" + high + "\r\n");
    TIniFile ini(path("a.ini"));
    ini.WriteString(u"S"_s, u"copy"_s, ini.ReadString(u"S"_s, u"k"_s, QString()));
    EXPECT_EQ(bytes("a.ini"), "[S]\r\nk=" + high + "\r\ncopy=" + high + "\r\n");
}

TEST_F(IniFile, Utf8FileWithByteOrderMarkStaysUtf8)
{
    put("a.ini", "\xEF\xBB\xBF[S]\r\nk=P\xC5\x99\xC3\xADjezd\r\n");
    TIniFile ini(path("a.ini"));
    EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, QString()), u"Příjezd"_s);
    ini.WriteString(u"S"_s, u"j"_s, u"Жуков"_s);
    EXPECT_EQ(bytes("a.ini"), "\xEF\xBB\xBF[S]\r\nk=P\xC5\x99\xC3\xADjezd\r\nj=" + u"Жуков"_s.toUtf8() + "\r\n");
}

TEST_F(IniFile, LaterDuplicatesAreNotRead)
{
    put("a.ini", "[S]\r\nk=1\r\n[T]\r\n[s]\r\nk=2\r\nonly=3\r\n");
    TIniFile ini(path("a.ini"));
    EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, QString()), u"1"_s);
    EXPECT_EQ(ini.ReadString(u"S"_s, u"only"_s, u"none"_s), u"none"_s);
}

TEST_F(IniFile, RegionalFormatChangeLeavesOldDaySections)
{
    TIniFile ini(path("Rooms.dat"));
    ini.WriteString(u"Rooms_5.3.2026"_s, u"Room1Status"_s, u"FULL"_s);
    // Another short date format names the day differently: the old section is not found, but kept.
    EXPECT_EQ(ini.ReadString(u"Rooms_2026-03-05"_s, u"Room1Status"_s, u"NONE"_s), u"NONE"_s);
    EXPECT_TRUE(bytes("Rooms.dat").contains("[Rooms_5.3.2026]"));
}

TEST_F(IniFile, DamagedFileReadsAndKeepsItsOtherLinesOnWrite)
{
    const auto raw = [](const auto& literal) { return QByteArray(literal, sizeof(literal) - 1); };
    QByteArray junk = raw("\x00\x01\xFF\xFE"
                          "binary\x00junk\r\n");
    junk += "[Open section\r\nno equals sign\n";
    junk += QByteArray(100000, 'L') + "\r\n";
    junk += "[DefaultsRooms]\nRoom1Name=Modr\xE1\r\nRoom2Name" + QByteArray(100000, '=') + "\r";
    junk += raw("\x00=\x00\r\n[Rooms_1.1.2026]\r\nRoom1Status=FULL");
    put("Rooms.dat", junk);
    TIniFile ini(path("Rooms.dat"));
    EXPECT_EQ(ini.ReadString(u"DefaultsRooms"_s, u"Room1Name"_s, u"--"_s), u"Modr\u00e1"_s);
    EXPECT_EQ(ini.ReadString(u"DefaultsRooms"_s, u"Room2Name"_s, u"--"_s), QString(2047, u'='));
    EXPECT_EQ(ini.ReadString(u"Rooms_1.1.2026"_s, u"Room1Status"_s, u"NONE"_s), u"FULL"_s);
    EXPECT_EQ(ini.ReadString(u"Open section"_s, u"no equals sign"_s, u"--"_s), u"--"_s);

    ini.WriteString(u"Rooms_1.1.2026"_s, u"Room2Status"_s, u"FREE"_s);
    ini.WriteString(u"DefaultsRooms"_s, u"Room1Name"_s, u"Zelen\u00e1"_s);
    QByteArray expected = junk;
    expected.replace("Room1Name=Modr\xE1", "Room1Name=Zelen\xE1");
    expected += "\r\nRoom2Status=FREE\r\n";
    EXPECT_TRUE(bytes("Rooms.dat") == expected);
}

// Corners that no file of this system holds but a file edited by hand or by another program may:
// each row read through TIniFile, an IniSnapshot and an IniTransaction, or written through
// TIniFile and an IniTransaction with the same resulting bytes.
struct CornerCase
{
    enum Kind { Read, List, Write, Delete };
    const char* name;
    std::string_view file; // NUL bytes included
    Kind kind;
    const char16_t* section;
    const char16_t* key;
    const char16_t* value;     // Read: the default; Write: the value
    std::string_view expected; // Read: the value; List: the names joined by "|"; else: the file after
};

class ReferenceCorner : public IniFolderTest, public ::testing::WithParamInterface<CornerCase>
{
};

TEST_P(ReferenceCorner, MatchesTheReference)
{
    const CornerCase& c = GetParam();
    const QByteArray start(c.file.data(), qsizetype(c.file.size()));
    const QByteArray expected(c.expected.data(), qsizetype(c.expected.size()));
    const QString section = QString::fromUtf16(c.section);
    const QString key = c.key ? QString::fromUtf16(c.key) : QString();
    const QString value = c.value ? QString::fromUtf16(c.value) : QString();
    put("a.ini", start);
    TIniFile ini(path("a.ini"));
    const IniSnapshot snapshot(path("a.ini"));
    if (c.kind == CornerCase::Read || c.kind == CornerCase::List) {
        QStringList fromFile;
        QStringList fromSnapshot;
        QStringList fromTransaction;
        IniTransaction transaction(dir_.path());
        if (c.kind == CornerCase::Read) {
            fromFile = QStringList{ini.ReadString(section, key, value)};
            fromSnapshot = QStringList{snapshot.ReadString(section, key, value)};
            fromTransaction = QStringList{transaction.ReadString(path("a.ini"), section, key, value)};
        } else {
            ini.ReadSection(section, fromFile);
            snapshot.ReadSection(section, fromSnapshot);
            transaction.ReadSection(path("a.ini"), section, fromTransaction);
        }
        EXPECT_EQ(fromFile.join(u'|').toUtf8(), expected);
        EXPECT_EQ(fromSnapshot.join(u'|').toUtf8(), expected);
        EXPECT_EQ(fromTransaction.join(u'|').toUtf8(), expected);
        return;
    }
    QTemporaryDir other;
    const QString together = other.path() + u"/a.ini"_s;
    {
        QFile file(together);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(start);
    }
    IniTransaction transaction(other.path());
    if (c.kind == CornerCase::Write) {
        ini.WriteString(section, key, value);
        transaction.WriteString(together, section, key, value);
    } else {
        ini.DeleteKey(section, key);
        transaction.DeleteKey(together, section, key);
    }
    transaction.commit();
    EXPECT_EQ(bytes("a.ini").toStdString(), expected.toStdString());
    QFile file(together);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll().toStdString(), expected.toStdString());
}

using namespace std::string_view_literals;

const CornerCase kCornerCases[] = {
    {"DefaultLosesTrailingBlanks", "[S]\r\n", CornerCase::Read, u"S", u"k", u"  none \t\v\f\x1A", "  none"},
    {"DefaultLosesOnePairOfQuotes", "[S]\r\n", CornerCase::Read, u"S", u"k", u"\"'none'\" ", "'none'"},
    {"StoredValueBeatsDefault", "[S]\r\nk=\"v\"\r\n", CornerCase::Read, u"S", u"k", u"\"none\"", "v"},
    {"OtherBlanksAroundNamesAndValues", "[\v S\x1A]\r\n\f k \v=\x1A v w \f\r\n", CornerCase::Read, u"s", u"K", u"none",
     "v w"},
    {"OtherBlanksAroundCallersNames", "[S]\r\nk=v\r\n", CornerCase::Read, u"\vS\x1A", u"\fk", u"none", "v"},
    {"NulEndsTheValue", "[S]\r\nk=v\0tail\r\nj=w\r\n"sv, CornerCase::Read, u"S", u"k", u"none", "v"},
    {"LineAfterNulReadsNormally", "[S]\r\nk=v\0tail\r\nj=w\r\n"sv, CornerCase::Read, u"S", u"j", u"none", "w"},
    {"NulEndsTheSectionLine", "[S]\0]\r\nk=v\r\n"sv, CornerCase::Read, u"S", u"k", u"none", "v"},
    {"KeysBeforeFirstSectionBelongToEmptyName", "k=v\r\n[A]\r\nj=1\r\n", CornerCase::Read, u"", u"k", u"none", "v"},
    {"KeysBeforeFirstSectionAreNotInTheNextOne", "k=v\r\n[A]\r\n", CornerCase::Read, u"A", u"k", u"none", "none"},
    {"KeyListBeforeFirstSection", "; c\r\nk=v\r\nj=w\r\n[A]\r\nx=1\r\n", CornerCase::List, u"", nullptr, nullptr,
     "k|j"},
    {"KeyListHoldsEveryOccurrence", "[S]\r\nk=1\r\nK=2\r\nj=3\r\nk=4\r\n", CornerCase::List, u"S", nullptr, nullptr,
     "k|K|j|k"},
    {"NewKeyAfterCommentAndKeylessLines", "[A]\r\na=1\r\n; note\r\njunk\r\n\r\n[B]\r\n", CornerCase::Write, u"A", u"c",
     u"3", "[A]\r\na=1\r\n; note\r\njunk\r\nc=3\r\n\r\n[B]\r\n"},
    {"NewKeyInSectionOfCommentsOnly", "[A]\n;x\n[B]\n", CornerCase::Write, u"A", u"c", u"3", "[A]\n;x\nc=3\n[B]\n"},
    {"DeleteBeforeFirstSection", "k=v\n[A]\r\nj=1\r\n", CornerCase::Delete, u"", u"k", nullptr, "[A]\r\nj=1\r\n"},
};

INSTANTIATE_TEST_SUITE_P(IniFile, ReferenceCorner, ::testing::ValuesIn(kCornerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Write errors name the file and leave it as it was.
class WriteError : public IniFolderTest
{
protected:
    template <typename Action> std::optional<EIniFileError> failure(Action action)
    {
        try {
            action();
        } catch (const EIniFileError& e) {
            return e;
        }
        return std::nullopt;
    }
};

TEST_F(WriteError, ReadOnlyFile)
{
    put("Rooms.dat", "[S]\r\nk=1\r\n");
    ASSERT_TRUE(QFile::setPermissions(path("Rooms.dat"), QFile::ReadOwner | QFile::ReadGroup));
    const auto error = failure([&] { TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->fileName(), path("Rooms.dat"));
    EXPECT_TRUE(error->message().contains(path("Rooms.dat"))) << error->what();
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[S]\r\nk=1\r\n"));
    EXPECT_EQ(QFileInfo(path("Rooms.dat")).permissions() & (QFile::WriteOwner | QFile::WriteGroup), 0);
}

TEST_F(WriteError, MissingFolder)
{
    const QString name = path("gone/Rooms.dat");
    const auto error = failure([&] { TIniFile(name).WriteString(u"S"_s, u"k"_s, u"2"_s); });
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->message().contains(name)) << error->what();
    EXPECT_FALSE(QFileInfo::exists(path("gone")));
    // Deleting in a missing folder is no error.
    TIniFile(name).DeleteKey(u"S"_s, u"k"_s);
}

TEST_F(WriteError, FullDiskLeavesNoTraceAndTheOldContent)
{
    put("Rooms.dat", "[S]\r\nk=1\r\n");
    for (auto stage : {ini::testing::WriteStage::TempOpened, ini::testing::WriteStage::PartWritten,
                       ini::testing::WriteStage::TempWritten}) {
        ini::testing::setWriteHook([stage](ini::testing::WriteStage at) { return at == stage ? ENOSPC : 0; });
        const auto error = failure([&] { TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s); });
        ini::testing::setWriteHook({});
        ASSERT_TRUE(error.has_value());
        EXPECT_TRUE(error->message().contains(path("Rooms.dat")));
        EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[S]\r\nk=1\r\n"));
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
                  QStringList{u"Rooms.dat"_s});
        EXPECT_EQ(TIniFile(path("Rooms.dat")).ReadString(u"S"_s, u"k"_s, QString()), u"1"_s);
    }
}

TEST_F(WriteError, FileThatCannotBeReadFailsTheWriteAndStaysWhole)
{
    put("Rooms.dat", "[S]\r\nk=1\r\nj=2\r\n");
    for (int reason : {EACCES, EIO, EMFILE}) {
        ini::IniStore::instance().dropCache();
        ini::testing::setWriteHook(
            [reason](ini::testing::WriteStage at) { return at == ini::testing::WriteStage::FileRead ? reason : 0; });
        TIniFile ini(path("Rooms.dat"));
        // A read still gives the default; a write or delete would lose the other keys.
        EXPECT_EQ(ini.ReadString(u"S"_s, u"k"_s, u"--"_s), u"--"_s);
        const auto write = failure([&] { ini.WriteString(u"S"_s, u"k"_s, u"9"_s); });
        const auto erase = failure([&] { ini.DeleteKey(u"S"_s, u"j"_s); });
        const auto read = failure([&] {
            IniTransaction t(dir_.path());
            t.ReadString(path("rooms.dat"), u"S"_s, u"k"_s, QString());
        });
        ini::testing::setWriteHook({});
        for (const auto& error : {write, erase, read}) {
            ASSERT_TRUE(error.has_value()) << reason;
            EXPECT_TRUE(error->message().contains(u"Rooms.dat"_s, Qt::CaseInsensitive)) << error->what();
        }
        EXPECT_EQ(write->fileName(), path("Rooms.dat"));
        EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[S]\r\nk=1\r\nj=2\r\n"));
    }
}

TEST_F(WriteError, LockThatCannotBeTakenFailsTheWrite)
{
    put("Rooms.dat", "[S]\r\nk=1\r\n");
    ini::testing::setWriteHook(
        [](ini::testing::WriteStage at) { return at == ini::testing::WriteStage::Locking ? ENOLCK : 0; });
    const auto error = failure([&] { TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s); });
    ini::testing::setWriteHook({});
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->fileName(), path("Rooms.dat"));
    EXPECT_TRUE(error->message().contains(u"zamknout"_s)) << error->what();
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[S]\r\nk=1\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"Rooms.dat"_s});
}

TEST_F(WriteError, FailedFolderFlushFailsTheWriteAndPutsTheFileBack)
{
    put("Rooms.dat", "[S]\r\nk=1\r\n");
    ini::testing::setWriteHook(
        [](ini::testing::WriteStage at) { return at == ini::testing::WriteStage::FolderSynced ? EIO : 0; });
    const auto changed = failure([&] { TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s); });
    const auto made = failure([&] { TIniFile(path("Clients.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s); });
    ini::testing::setWriteHook({});
    ASSERT_TRUE(changed.has_value());
    ASSERT_TRUE(made.has_value());
    EXPECT_EQ(changed->fileName(), path("Rooms.dat"));
    EXPECT_EQ(made->fileName(), path("Clients.dat"));
    EXPECT_EQ(bytes("Rooms.dat"), QByteArray("[S]\r\nk=1\r\n"));
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
              QStringList{u"Rooms.dat"_s});
    EXPECT_EQ(TIniFile(path("Rooms.dat")).ReadString(u"S"_s, u"k"_s, QString()), u"1"_s);
}

TEST_F(IniFile, EveryWriteUsesATemporaryFileOfItsOwn)
{
    QStringList temporary;
    ini::testing::setWriteHook([&](ini::testing::WriteStage at) {
        if (at == ini::testing::WriteStage::TempWritten)
            temporary += QDir(dir_.path()).entryList(QStringList{u".*"_s}, QDir::Files | QDir::Hidden);
        return 0;
    });
    TIniFile ini(path("Rooms.dat"));
    ini.WriteString(u"S"_s, u"k"_s, u"1"_s);
    ini.WriteString(u"S"_s, u"k"_s, u"2"_s);
    ini::testing::setWriteHook({});
    ASSERT_EQ(temporary.size(), 2) << temporary.join(u' ').toStdString();
    EXPECT_NE(temporary[0], temporary[1]);
}

TEST_F(IniFile, ReplacementKeepsTheFilesModeAndOwner)
{
    put("Rooms.dat", "[S]\r\nk=1\r\n");
    put("Clients.dat", "[S]\r\nk=1\r\n");
    const bool superuser = ::geteuid() == 0;
    for (const char* name : {"Rooms.dat", "Clients.dat"}) {
        const QByteArray file = QFile::encodeName(path(name));
        ASSERT_EQ(::chmod(file.constData(), 0640), 0);
        if (superuser) {
            ASSERT_EQ(::chown(file.constData(), 4321, 4322), 0);
        }
    }
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s);
    IniTransaction t(dir_.path());
    t.WriteString(path("Rooms.dat"), u"S"_s, u"k"_s, u"3"_s);
    t.WriteString(path("Clients.dat"), u"S"_s, u"k"_s, u"3"_s);
    t.commit();
    for (const char* name : {"Rooms.dat", "Clients.dat"}) {
        struct stat st
        {
        };
        ASSERT_EQ(::stat(QFile::encodeName(path(name)).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u) << name;
        if (superuser) {
            EXPECT_EQ(st.st_uid, 4321u) << name;
            EXPECT_EQ(st.st_gid, 4322u) << name;
        }
        EXPECT_EQ(bytes(name), QByteArray("[S]\r\nk=3\r\n"));
    }
}

TEST_F(WriteError, LinkedDataFileIsLockedAndWrittenInTheTargetsFolder)
{
    QTemporaryDir elsewhere;
    const QString target = elsewhere.path() + u"/rooms-2026.dat"_s;
    {
        QFile file(target);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[S]\r\nk=1\r\n");
    }
    ASSERT_TRUE(QFile::link(target, path("Rooms.dat")));
    const auto everything = [](const QString& folder) {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    };
    TIniFile(path("rooms.dat")).WriteString(u"S"_s, u"k"_s, u"2"_s);
    {
        IniTransaction t(dir_.path());
        t.WriteString(path("Rooms.dat"), u"S"_s, u"j"_s, u"3"_s);
        t.WriteString(path("Clients.dat"), u"S"_s, u"j"_s, u"3"_s);
        t.commit();
    }
    EXPECT_TRUE(QFileInfo(path("Rooms.dat")).isSymLink());
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("[S]\r\nk=2\r\nj=3\r\n"));
    EXPECT_EQ(everything(dir_.path()), (QStringList{u"Clients.dat"_s, u"Rooms.dat"_s}));
    EXPECT_EQ(everything(elsewhere.path()), QStringList{u"rooms-2026.dat"_s});

    // The lock a write through the link takes is the target folder's: an action there holds it.
    IniTransaction there(elsewhere.path());
    const auto error = failure([&] { TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"4"_s); });
    ASSERT_TRUE(error.has_value());
    EXPECT_EQ(error->fileName(), path("Rooms.dat"));
    there.rollback();
    TIniFile(path("Rooms.dat")).WriteString(u"S"_s, u"k"_s, u"4"_s);
    EXPECT_EQ(TIniFile(target).ReadString(u"S"_s, u"k"_s, QString()), u"4"_s);
}

struct BadNameCase
{
    const char* name;
    const char16_t* section;
    const char16_t* key;
};

class BadName : public WriteError, public ::testing::WithParamInterface<BadNameCase>
{
};

TEST_P(BadName, IsRefusedAndNothingIsWritten)
{
    put("a.ini", "[S]\r\nk=1\r\n");
    const auto error = failure([&] {
        TIniFile(path("a.ini"))
            .WriteString(QString::fromUtf16(GetParam().section), QString::fromUtf16(GetParam().key), u"v"_s);
    });
    ASSERT_TRUE(error.has_value());
    EXPECT_TRUE(error->message().contains(path("a.ini")));
    EXPECT_EQ(bytes("a.ini"), QByteArray("[S]\r\nk=1\r\n"));
}

const BadNameCase kBadNameCases[] = {
    {"EmptyKey", u"S", u" "},
    {"EmptySection", u"", u"k"},
    {"KeyWithEquals", u"S", u"a=b"},
    {"KeyLikeComment", u"S", u";k"},
    {"KeyLikeSection", u"S", u"[T]"},
    {"KeyWithLineBreak", u"S", u"a\r\n[T]"},
    {"SectionWithLineBreak", u"S]\r\n[T", u"k"},
    {"KeyOutsideCodePage", u"S", u"Жуков"},
};

INSTANTIATE_TEST_SUITE_P(IniFile, BadName, ::testing::ValuesIn(kBadNameCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
