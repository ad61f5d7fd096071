// Value texts: the one-line stored form, the integer rule and the Windows-1250 code page.
#include "store/ini_codec.h"
#include "store/ini_values.h"

#include "ini_test_support.h"

#include <QStringDecoder>

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using ini::FileEncoding;

struct IntegerCase
{
    const char* name;
    const char16_t* text;
    std::optional<int> expected;
};

class IntegerRule : public ::testing::TestWithParam<IntegerCase>
{
};

TEST_P(IntegerRule, Parses)
{
    EXPECT_EQ(ini::parseInteger(QStringView(GetParam().text)), GetParam().expected);
}

const IntegerCase kIntegerCases[] = {
    {"Zero", u"0", 0},
    {"Decimal", u"315", 315},
    {"LeadingZeros", u"0012", 12},
    {"Negative", u"-5", -5},
    {"Plus", u"+5", 5},
    {"Max", u"2147483647", 2147483647},
    {"AboveMax", u"2147483648", std::nullopt},
    {"Min", u"-2147483648", -2147483647 - 1},
    {"BelowMin", u"-2147483649", std::nullopt},
    {"Huge", u"99999999999999999999999", std::nullopt},
    {"HexLower", u"0x1a", 26},
    {"HexUpperPrefix", u"0X1A", 26},
    {"HexMax", u"0x7FFFFFFF", 2147483647},
    {"HexAboveMax", u"0x80000000", std::nullopt},
    {"HexLeadingZeros", u"0x00000000001", 1},
    {"HexBadDigit", u"0x1G", std::nullopt},
    {"PrefixOnly", u"0x", std::nullopt},
    {"NegativeHex", u"-0x10", std::nullopt},
    {"TrailingLetters", u"12abc", std::nullopt},
    {"Empty", u"", std::nullopt},
    {"SignOnly", u"-", std::nullopt},
    {"InnerBlank", u"1 2", std::nullopt},
    {"Word", u"yes", std::nullopt},
    {"NonAsciiDigit", u"\u0663", std::nullopt},
};

INSTANTIATE_TEST_SUITE_P(IniValues, IntegerRule, ::testing::ValuesIn(kIntegerCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct StoredFormCase
{
    const char* name;
    const char16_t* value;
    const char16_t* stored; // in a Windows-1250 file
};

class StoredForm : public ::testing::TestWithParam<StoredFormCase>
{
};

TEST_P(StoredForm, IsOneLineAndReadsBackWhole)
{
    const QString value = QString::fromUtf16(GetParam().value);
    const QString stored = ini::storedForm(value, FileEncoding::Windows1250);
    EXPECT_EQ(stored, QString::fromUtf16(GetParam().stored));
    EXPECT_FALSE(stored.contains(u'\r') || stored.contains(u'\n'));
    EXPECT_EQ(ini::readForm(stored), value);
}

const StoredFormCase kStoredFormCases[] = {
    {"Plain", u"FREE", u"FREE"},
    {"WindowsPath", u"C:\\Data\\new\\table.dat", u"C:\\Data\\new\\table.dat"},
    {"UncPath", u"\\\\server\\share\\t", u"\\\\server\\share\\t"},
    {"Czech", u"Příliš žluťoučký kůň", u"Příliš žluťoučký kůň"},
    {"Empty", u"", u""},
    {"MultiLine", u"first\r\nsecond", u"\\~first\\r\\nsecond"},
    {"LfAndBackslash", u"a\\b\nc", u"\\~a\\\\b\\nc"},
    {"SectionInjection", u"x\r\n[B]\r\nevil=1", u"\\~x\\r\\n[B]\\r\\nevil=1"},
    {"TrailingLineBreakAndBlanks", u" a\t\n  ", u"\\~ a\\t\\n\\s\\s"},
    {"StartsWithMarker", u"\\~x", u"\\~\\\\~x"},
    {"NotInCodePage", u"Жуков", u"\\~\\u0416\\u0443\\u043A\\u043E\\u0432"},
    {"SurrogatePair", u"a\U0001F600", u"\\~a\\uD83D\\uDE00"},
    // Blanks that reading would cut from the end of the encoded form.
    {"OtherBlanksInEncodedForm", u"a\nb\v\f\x1A", u"\\~a\\nb\\u000B\\u000C\\u001A"},
};

INSTANTIATE_TEST_SUITE_P(IniValues, StoredForm, ::testing::ValuesIn(kStoredFormCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniValues, NulIsEscaped)
{
    const QString value = QString::fromUtf16(u"a\0b", 3);
    EXPECT_EQ(ini::storedForm(value, FileEncoding::Windows1250), QStringLiteral("\\~a\\0b"));
    EXPECT_EQ(ini::readForm(u"\\~a\\0b"), value);
}

TEST(IniValues, Utf8FileHoldsEveryCharacterAsTyped)
{
    EXPECT_EQ(ini::storedForm(u"Жуков \U0001F600", FileEncoding::Utf8), QString::fromUtf16(u"Жуков \U0001F600"));
}

TEST(IniValues, ReadFormQuotesAndLooseBackslashes)
{
    EXPECT_EQ(ini::readForm(u"\"quoted\""), QStringLiteral("quoted"));
    EXPECT_EQ(ini::readForm(u"'single'"), QStringLiteral("single"));
    EXPECT_EQ(ini::readForm(u"\"mixed'"), QStringLiteral("\"mixed'"));
    EXPECT_EQ(ini::readForm(u"\""), QStringLiteral("\""));
    EXPECT_EQ(ini::readForm(u"\"\""), QString());
    // Escapes this encoding never makes are kept as they stand.
    EXPECT_EQ(ini::readForm(u"\\~a\\qb\\u12\\"), QStringLiteral("a\\qb\\u12\\"));
}

TEST(IniValues, DefaultReadsAsAStoredValueWould)
{
    EXPECT_EQ(ini::defaultForm(QStringLiteral("--")), QStringLiteral("--"));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("  a b \t\v\f\x1A")), QStringLiteral("  a b"));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("\"NONE\"  ")), QStringLiteral("NONE"));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("'x'")), QStringLiteral("x"));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("\"\"x\"\"")), QStringLiteral("\"x\""));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("\"x'")), QStringLiteral("\"x'"));
    EXPECT_EQ(ini::defaultForm(QStringLiteral(" \"x\"")), QStringLiteral(" \"x\""));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("\"")), QStringLiteral("\""));
    EXPECT_EQ(ini::defaultForm(QStringLiteral("   ")), QString());
}

TEST(IniValues, ReadLimitCutsAt2047)
{
    EXPECT_EQ(ini::limitedValue(QString(2046, u'x')).size(), 2046);
    EXPECT_EQ(ini::limitedValue(QString(2047, u'x')).size(), 2047);
    EXPECT_EQ(ini::limitedValue(QString(2048, u'x')).size(), 2047);
    // Never half a surrogate pair.
    const QString pairs = QString(2046, u'x') + QString::fromUtf16(u"\U0001F600\U0001F600");
    EXPECT_EQ(ini::limitedValue(pairs).size(), 2046);
}

TEST(IniCodec, Windows1250MatchesTheSystemCodec)
{
    QStringDecoder reference("windows-1250");
    if (!reference.isValid())
        GTEST_SKIP() << "Qt without the windows-1250 codec";
    for (int b = 0; b < 256; ++b) {
        const char byte = char(b);
        const QString ours = ini::decodeText(QByteArrayView(&byte, 1), FileEncoding::Windows1250);
        QString theirs = reference(QByteArrayView(&byte, 1));
        ASSERT_EQ(ours.size(), 1);
        if (theirs != QChar(QChar::ReplacementCharacter) && !theirs.isEmpty()) {
            EXPECT_EQ(ours, theirs) << "byte " << b;
        }
    }
}

TEST(IniCodec, EveryByteRoundTrips)
{
    QByteArray all(256, Qt::Uninitialized);
    for (int b = 0; b < 256; ++b)
        all[b] = char(b);
    const QString text = ini::decodeText(all, FileEncoding::Windows1250);
    EXPECT_EQ(ini::encodeText(text, FileEncoding::Windows1250), all);
    EXPECT_EQ(ini::decodeText("\xE8\xED\x9A", FileEncoding::Windows1250), QStringLiteral("číš"));
}

TEST(IniCodec, Utf8TextKeepsALeadingZeroWidthNoBreakSpace)
{
    const QString text = QString::fromUtf16(u"\uFEFFabc");
    EXPECT_EQ(ini::decodeText(ini::encodeText(text, FileEncoding::Utf8), FileEncoding::Utf8), text);
}

TEST(IniCodec, NamesOutsideTheCodePageAreRefused)
{
    EXPECT_EQ(ini::encodeName(u"Pokoj_ř", FileEncoding::Windows1250), QByteArray("Pokoj_\xF8"));
    EXPECT_FALSE(ini::encodeName(u"Жуков", FileEncoding::Windows1250).has_value());
    EXPECT_EQ(ini::encodeName(u"Жуков", FileEncoding::Utf8), QStringLiteral("Жуков").toUtf8());
}

} // namespace
