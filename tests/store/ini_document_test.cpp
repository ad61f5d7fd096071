// The pure INI text layer: what a file's lines mean, and the bytes after one change.
#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using ini::IniDocument;

std::optional<std::string> lookup(const char* file, const char* section, const char* key)
{
    const IniDocument document{QByteArray(file)};
    const auto raw = document.rawValue(section, key);
    if (!raw)
        return std::nullopt;
    return raw->toByteArray().toStdString();
}

struct LookupCase
{
    const char* name;
    const char* file;
    const char* section;
    const char* key;
    std::optional<std::string> expected;
};

class Lookup : public ::testing::TestWithParam<LookupCase>
{
};

TEST_P(Lookup, FindsTheStoredValue)
{
    const LookupCase& c = GetParam();
    EXPECT_EQ(lookup(c.file, c.section, c.key), c.expected) << c.file;
}

const LookupCase kLookupCases[] = {
    {"Plain", "[A]\r\nk=v\r\n", "A", "k", "v"},
    {"SectionCaseFolded", "[DefaultsRooms]\r\nk=v\r\n", "defaultsrooms", "k", "v"},
    {"KeyCaseFolded", "[A]\r\nRoom7Status=FREE\r\n", "A", "room7status", "FREE"},
    {"OnlyAsciiFolded", "[A]\r\n\xC8=1\r\n", "A", "\xE8", std::nullopt},
    {"BlanksAroundNamesAndValue", "[ A ]\r\n\t k \t=  v w \t\r\n", "A", "k", "v w"},
    {"EmptyValueIsPresent", "[A]\r\nk=\r\n", "A", "k", ""},
    {"ValueRunsFromFirstEquals", "[A]\r\nk=a=b\r\n", "A", "k", "a=b"},
    {"SemicolonInsideValue", "[A]\r\nk=v ; x\r\n", "A", "k", "v ; x"},
    {"CommentLine", "[A]\r\n;k=v\r\n", "A", ";k", std::nullopt},
    {"IndentedCommentLine", "[A]\r\n  ;k=v\r\n", "A", ";k", std::nullopt},
    {"HashStartsNoComment", "[A]\r\n#k=v\r\n", "A", "#k", "v"},
    {"SectionToLastBracket", "[A] x ]y\r\nk=v\r\n", "A] x", "k", "v"},
    {"TextAfterBracket", "[A] trailing\r\nk=v\r\n", "A", "k", "v"},
    {"NoClosingBracketIsNoSection", "[A]\r\nk=1\r\n[B\r\nk=2\r\n", "B", "k", std::nullopt},
    {"NoClosingBracketKeepsSection", "[A]\r\n[B\r\nk=2\r\n", "A", "k", "2"},
    {"OpenBracketKeyLine", "[A]\r\n[B=2\r\n", "A", "[B", "2"},
    {"LineWithoutEqualsCarriesNoData", "[A]\r\nk\r\nk=v\r\n", "A", "k", "v"},
    {"EmptyKeyCarriesNoData", "[A]\r\n=v\r\n", "A", "", std::nullopt},
    {"LinesBeforeFirstSection", "k=v\r\n[A]\r\n", "", "k", std::nullopt},
    {"FirstDuplicateKeyWins", "[A]\r\nk=1\r\nK=2\r\n", "A", "k", "1"},
    {"FirstDuplicateSectionWins", "[A]\r\nk=1\r\n[B]\r\n[a]\r\nk=2\r\nj=3\r\n", "A", "j", std::nullopt},
    {"KeyOfOtherSection", "[A]\r\nk=1\r\n[B]\r\nj=2\r\n", "A", "j", std::nullopt},
    {"LfOnly", "[A]\nk=v\n[B]\nk=w\n", "B", "k", "w"},
    {"LoneCr", "[A]\rk=v\r[B]\rk=w", "B", "k", "w"},
    {"NoFinalLineEnd", "[A]\r\nk=v", "A", "k", "v"},
    {"QuotesKeptRaw", "[A]\r\nk=\"v\"\r\n", "A", "k", "\"v\""},
    {"Utf8BomBeforeFirstSection", "\xEF\xBB\xBF[A]\r\nk=v\r\n", "A", "k", "v"},
    {"BracketInsideValue", "[A]\r\nk=[B]\r\n[B]\r\nk=x\r\n", "A", "k", "[B]"},
};

INSTANTIATE_TEST_SUITE_P(IniDocument, Lookup, ::testing::ValuesIn(kLookupCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IniDocument, JunkCarriesNoDataButWellFormedLinesAnswer)
{
    QByteArray file("\x01\x02garbage\0\0[A\xFF]\r\n", 18);
    file += QByteArray(100000, 'x') + "\r\n[A]\r\nk=v\r\n\0\0=\0\r\n[";
    file += QByteArray("\r\n[B]\nj=w");
    const IniDocument document(file);
    EXPECT_EQ(document.rawValue("A", "k").value_or("missing"), "v");
    EXPECT_EQ(document.rawValue("B", "j").value_or("missing"), "w");
    EXPECT_EQ(document.rawValue(QByteArrayView("A\xFF", 2), "k").value_or("missing"), "missing");
}

TEST(IniDocument, KeyNamesInFileOrderOnce)
{
    const IniDocument document(QByteArray("[A]\r\nb=1\r\n;c=2\r\na=3\r\nB=4\r\nnoise\r\nc=5\r\n[B]\r\nx=1\r\n"));
    std::vector<std::string> names;
    for (QByteArrayView n : document.keyNames("a"))
        names.push_back(n.toByteArray().toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "c"}));
    EXPECT_TRUE(document.keyNames("C").empty());
}

struct EditCase
{
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;                // nullptr: delete the key
    std::optional<std::string> after; // nullopt: unchanged
};

class Edit : public ::testing::TestWithParam<EditCase>
{
};

TEST_P(Edit, ChangesOnlyItsLine)
{
    const EditCase& c = GetParam();
    const IniDocument document{QByteArray(c.before)};
    const auto result = c.value ? document.withValue(c.section, c.key, c.value) : document.withoutKey(c.section, c.key);
    ASSERT_EQ(result.has_value(), c.after.has_value()) << (result ? result->toStdString() : "unchanged");
    if (result) {
        EXPECT_EQ(result->toStdString(), *c.after);
    }
}

const EditCase kEditCases[] = {
    {"NewFile", "", "S", "k", "v", "[S]\r\nk=v\r\n"},
    {"ReplaceKeepsSpellingAndOtherLines", "; top\r\n[A]\r\n  Key = old \r\n\r\nx=1\n", "a", "KEY", "new",
     "; top\r\n[A]\r\nKey=new\r\n\r\nx=1\n"},
    {"SameValueUntouched", "[A]\r\nk = v \r\n", "A", "k", "v", std::nullopt},
    {"SameValueWithBlanksUntouched", "[A]\r\nk= v \r\n", "A", "k", " v ", std::nullopt},
    {"NewKeyAfterLastKeyLine", "[A]\r\na=1\r\n; about B\r\n\r\n[B]\r\nb=2\r\n", "A", "c", "3",
     "[A]\r\na=1\r\nc=3\r\n; about B\r\n\r\n[B]\r\nb=2\r\n"},
    {"NewKeyInSectionWithoutKeys", "[A]\r\n\r\n[B]\r\n", "A", "c", "3", "[A]\r\nc=3\r\n\r\n[B]\r\n"},
    {"NewKeyAfterUnterminatedLastLine", "[A]\r\na=1", "A", "b", "2", "[A]\r\na=1\r\nb=2\r\n"},
    {"NewKeyAfterUnterminatedSectionLine", "[A]", "A", "b", "2", "[A]\r\nb=2\r\n"},
    {"NewSectionAtEndWithoutBlankLine", "[A]\r\na=1\r\n", "B", "b", "2", "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
    {"NewSectionAfterUnterminatedLine", "[A]\r\na=1", "B", "b", "2", "[A]\r\na=1\r\n[B]\r\nb=2\r\n"},
    {"LfFileGetsLfLines", "[A]\na=1\n", "B", "b", "2", "[A]\na=1\n[B]\nb=2\n"},
    {"ReplaceFirstDuplicate", "[A]\r\nk=1\r\nk=2\r\n[a]\r\nk=3\r\n", "A", "k", "9",
     "[A]\r\nk=9\r\nk=2\r\n[a]\r\nk=3\r\n"},
    {"DeleteFirstDuplicate", "[A]\r\nk=1\r\nk=2\r\n", "A", "K", nullptr, "[A]\r\nk=2\r\n"},
    {"DeleteKeepsOtherLines", ";c\r\n[A]\r\na=1\nk=2\r\nb=3", "A", "k", nullptr, ";c\r\n[A]\r\na=1\nb=3"},
    {"DeleteLastUnterminatedLine", "[A]\r\na=1\r\nk=2", "A", "k", nullptr, "[A]\r\na=1\r\n"},
    {"DeleteMissingKey", "[A]\r\na=1\r\n", "A", "k", nullptr, std::nullopt},
    {"DeleteInMissingSection", "[A]\r\nk=1\r\n", "B", "k", nullptr, std::nullopt},
    {"Utf8BomKept", "\xEF\xBB\xBF[A]\r\n", "A", "k", "v", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
    {"BomOnlyFile", "\xEF\xBB\xBF", "A", "k", "v", "\xEF\xBB\xBF[A]\r\nk=v\r\n"},
};

INSTANTIATE_TEST_SUITE_P(IniDocument, Edit, ::testing::ValuesIn(kEditCases),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
