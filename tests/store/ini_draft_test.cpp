// IniDraft against the whole-file edits it stands for: random sequences of writes and deletes on
// files with every shape of line leave the same bytes and answer the same lookups.
#include "store/ini_document.h"
#include "store/ini_draft.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <string_view>

using namespace std::string_view_literals;

namespace {

using ini::IniDocument;
using ini::IniDraft;

// Lines of every kind the files may hold, line ends of all three kinds, a first line (BOM,
// keys before any section) and a last line without a line end.
QByteArray randomFile(std::mt19937& random)
{
    static const std::string_view lines[] = {"[A]",
                                             "[a]",
                                             "[B]",
                                             " [C] trailing",
                                             "[]",
                                             "[D",
                                             "k=1",
                                             "K = 2 ",
                                             "j=",
                                             "x=\"q\"",
                                             "; note=1",
                                             "junk",
                                             "",
                                             " \t",
                                             "=v",
                                             "k\0tail"sv,
                                             "\v[B]\f",
                                             "[A]\0]"sv,
                                             "Room7Status=FULL",
                                             "\x1Ak\x1A=\x1A"
                                             "3"};
    static const char* const ends[] = {"\r\n", "\n", "\r"};
    QByteArray file;
    if (random() % 5 == 0)
        file += "\xEF\xBB\xBF";
    const int count = int(random() % 12);
    for (int i = 0; i < count; ++i) {
        const std::string_view line = lines[random() % std::size(lines)];
        file += QByteArrayView(line.data(), qsizetype(line.size()));
        if (i + 1 < count || random() % 3 != 0)
            file += ends[random() % 3];
    }
    return file;
}

TEST(IniDraft, LeavesTheBytesOfTheSameWholeFileEdits)
{
    static const char* const sections[] = {"A", "a", "B", "C", "", "D", "New", "new"};
    static const char* const keys[] = {"k", "K", "j", "x", "y", "Room7Status"};
    static const char* const values[] = {"1", "2", "", "long value", "\"q\""};
    std::mt19937 random(2026);
    for (int round = 0; round < 3000; ++round) {
        const QByteArray start = randomFile(random);
        QByteArray whole = start;
        IniDraft draft(std::make_shared<const IniDocument>(start));
        for (int step = 0; step < 12; ++step) {
            const QByteArrayView section(sections[random() % std::size(sections)]);
            const QByteArrayView key(keys[random() % std::size(keys)]);
            const IniDocument document(whole);
            if (random() % 3 == 0) {
                const auto after = document.withoutKey(section, key);
                ASSERT_EQ(draft.removeKey(section, key), after.has_value()) << round << ':' << step;
                if (after)
                    whole = *after;
            } else if (!section.isEmpty()) {
                const QByteArrayView value(values[random() % std::size(values)]);
                const auto after = document.withValue(section, key, value);
                ASSERT_EQ(draft.setValue(section, key, value), after.has_value()) << round << ':' << step;
                if (after)
                    whole = *after;
            }
            ASSERT_EQ(draft.bytes().toStdString(), whole.toStdString())
                << "round " << round << ", step " << step << ", start " << start.toStdString();
            const IniDocument now(whole);
            for (const char* s : sections)
                for (const char* k : keys)
                    ASSERT_EQ(draft.rawValue(s, k), now.rawValue(s, k))
                        << round << ':' << step << " [" << s << "] " << k;
            for (const char* s : sections) {
                const auto names = draft.keyNames(s);
                const auto expected = now.keyNames(s);
                ASSERT_EQ(names.size(), expected.size()) << round << ':' << step << " [" << s << "]";
                for (std::size_t i = 0; i < names.size(); ++i)
                    ASSERT_EQ(names[i], expected[i]);
            }
        }
        if (!draft.edited()) {
            EXPECT_EQ(whole, start) << round;
        }
    }
}

} // namespace
