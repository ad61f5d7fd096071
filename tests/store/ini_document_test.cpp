// The pure INI text layer: what a file's lines mean, and the bytes after one change.
#include "store/ini_document.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>

using namespace std::string_literals;
using namespace std::string_view_literals;

namespace {

using ini::IniDocument;

std::optional<std::string> lookup(std::string_view file, const char* section, const char* key)
{
    const IniDocument document{QByteArray(file.data(), qsizetype(file.size()))};
    const auto raw = document.rawValue(section, key);
    if (!raw)
        return std::nullopt;
    return raw->toByteArray().toStdString();
}

struct LookupCase
{
    const char* name;
    std::string_view file; // NUL bytes included
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
    EXPECT_EQ(lookup(c.file, c.section, c.key), c.expected) << std::string(c.file);
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
    {"LinesBeforeFirstSectionFormTheEmptyNamedSection", "k=v\r\n[A]\r\n", "", "k", "v"},
    {"EmptyNamedSectionLineComesAfterThem", "k=v\r\n[]\r\nk=w\r\nj=x\r\n", "", "j", std::nullopt},
    {"BomThenKeyLine", "\xEF\xBB\xBFk=v\r\n", "", "k", "v"},
    {"OtherBlanksAroundNames", "[\v\x1A A \f]\r\n\f k\x1A=\v v \x1A\r\n", "A", "k", "v"},
    {"NulEndsTheValue", "[A]\r\nk=v\0tail\r\n"sv, "A", "k", "v"},
    {"NulEndsTheSectionLine", "[A]\r\nk=1\r\n[B]\0]\r\nk=2\r\n"sv, "B", "k", "2"},
    {"LineAfterNulReadsNormally", "[A]\r\n\0k=1\r\nj=2\r\n"sv, "A", "j", "2"},
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

TEST(IniDocument, KeyNamesInFileOrderEveryOccurrence)
{
    const IniDocument document(QByteArray("[A]\r\nb=1\r\n;c=2\r\na=3\r\nB=4\r\nnoise\r\nc=5\r\n[B]\r\nx=1\r\n"));
    std::vector<std::string> names;
    for (QByteArrayView n : document.keyNames("a"))
        names.push_back(n.toByteArray().toStdString());
    EXPECT_EQ(names, (std::vector<std::string>{"b", "a", "B", "c"}));
    EXPECT_TRUE(document.keyNames("C").empty());
}

struct EditCase
{
    const char* name;
    std::string_view before; // NUL bytes included
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
    const IniDocument document{QByteArray(c.before.data(), qsizetype(c.before.size()))};
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
    {"NewKeyAfterLastLineWithText", "[A]\r\na=1\r\n; about B\r\n\r\n[B]\r\nb=2\r\n", "A", "c", "3",
     "[A]\r\na=1\r\n; about B\r\nc=3\r\n\r\n[B]\r\nb=2\r\n"},
    {"NewKeyAfterLineWithoutData", "[A]\r\na=1\r\nnoise\r\n \t\r\n[B]\r\n", "A", "c", "3",
     "[A]\r\na=1\r\nnoise\r\nc=3\r\n \t\r\n[B]\r\n"},
    {"NewKeyAfterUnterminatedLineWithNul", "[A]\r\na=1\0x"sv, "A", "c", "3", "[A]\r\na=1\0x\r\nc=3\r\n"s},
    {"NewKeyAfterUnterminatedSectionLineWithNul", "[A]\0x"sv, "A", "c", "3", "[A]\0x\r\nc=3\r\n"s},
    {"ReplaceKeepsTextAfterNul", "[A]\r\nk=1\0x\r\n"sv, "A", "k", "2", "[A]\r\nk=2\0x\r\n"s},
    {"DeleteBeforeFirstSection", "k=1\n[A]\r\n", "", "k", nullptr, "[A]\r\n"},
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
