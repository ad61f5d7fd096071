#pragma once
// The pure INI text layer: parses the bytes of one data file and answers lookups, and computes the
// bytes of the file after one change. Knows nothing of disk, caching or text encodings beyond
// the byte level; names are matched with ASCII letters folded, as the data files require.
//
// Format, as the data files were written:
// - lines end in CR LF, LF or a lone CR; a file may start with a UTF-8 byte-order mark;
// - a NUL byte ends the text of its line (the line still runs to its line end);
// - blanks are space, tab, vertical tab, form feed and 0x1A;
// - a line whose first non-blank character is "[" and that holds a "]" opens a section; the name
//   runs to the last "]" of the line, blanks around it not counted;
// - a line whose first non-blank character is ";" is a comment; any other line with "=" is a key
//   line: the key is the text before the first "=", the value the rest, blanks around both not
//   counted; a key line with an empty key, and every other line, carries no data;
// - the lines before the first section line form the section named by the empty text;
// - where a section or a key appears twice, the first one is read, replaced and deleted.

#include <QByteArray>
#include <QByteArrayView>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace ini {

inline bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\x1A';
}

QByteArrayView trimmedBlanks(QByteArrayView text);

// Names compare with A-Z and a-z folded together, every other byte exactly.
bool sameName(QByteArrayView a, QByteArrayView b);

// Parsed view of one file's bytes. Sections are found when the document is made; the keys of a
// section are indexed the first time the section is asked for (a large room file is read one or
// two sections at a time). Lookups may run on several threads at once.
class IniDocument final
{
public:
    explicit IniDocument(QByteArray bytes);
    ~IniDocument();
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    const QByteArray& bytes() const { return bytes_; }
    qsizetype sectionCount() const { return qsizetype(sections_.size()); }

    // The value of the key as stored (blanks around it removed, quotes kept); nullopt when the
    // section or the key is missing.
    std::optional<QByteArrayView> rawValue(QByteArrayView section, QByteArrayView key) const;

    // The section's key names in file order, every occurrence of a repeated name included.
    std::vector<QByteArrayView> keyNames(QByteArrayView section) const;

    // The file with the key set to storedValue: replaced in place keeping the key's spelling and
    // the rest of the line, added after the section's last line that holds text (keys, comments
    // and lines without data alike), or added with a new section at the end of the file. nullopt when the stored value
    // is already exactly that. Added lines end in newLine (default: newLine()).
    std::optional<QByteArray> withValue(QByteArrayView section, QByteArrayView key, QByteArrayView storedValue,
                                        QByteArrayView newLine = {}) const;

    // The file without the key's line; nullopt when the section or the key is missing.
    std::optional<QByteArray> withoutKey(QByteArrayView section, QByteArrayView key) const;

    // Line end for added lines: the file's first line end, CR LF for a file without one.
    QByteArrayView newLine() const { return newLine_; }

    // The file cut at its section lines: section i owns the bytes from the start of its section
    // line to the start of the next section line (or the end). sectionIndex: the section a name
    // reaches (the first of that name), or -1.
    qsizetype sectionIndex(QByteArrayView name) const;
    qsizetype sectionStart(qsizetype i) const { return sections_[size_t(i)].lineStart; }
    qsizetype sectionEnd(qsizetype i) const { return sections_[size_t(i)].bodyEnd; }

private:
    struct KeyLine
    {
        qsizetype lineStart;
        qsizetype lineEnd; // end of the text, before the line end
        qsizetype next;    // start of the following line
        qsizetype keyStart;
        qsizetype keyLength;
        qsizetype valueStart;
        qsizetype valueLength;
    };
    struct KeyIndex;
    struct Section
    {
        qsizetype lineStart; // start of the section line
        qsizetype nameStart;
        qsizetype nameLength;
        qsizetype headerEnd; // end of the section line's text
        qsizetype bodyStart; // start of the line after the section line
        qsizetype bodyEnd;   // start of the next section line, or the end of the file
    };

    // Open-addressing table of entry numbers by folded-name hash (first entry of a name wins).
    class NameTable
    {
    public:
        void reserve(std::size_t count);
        // Entry number of the name, or -1. nameOf(i) gives entry i's name.
        template <typename NameOf> std::int32_t find(QByteArrayView name, std::uint32_t hash, NameOf nameOf) const;
        // Adds entry i unless an entry of the same name is there already; false if it was.
        template <typename NameOf>
        bool insert(QByteArrayView name, std::uint32_t hash, std::int32_t entry, NameOf nameOf);

    private:
        struct Slot
        {
            std::uint32_t hash = 0;
            std::int32_t entry = -1;
        };
        std::vector<Slot> slots_;
        std::size_t used_ = 0;
    };

    QByteArrayView view(qsizetype start, qsizetype length) const
    {
        return QByteArrayView(bytes_).sliced(start, length);
    }
    QByteArrayView sectionName(const Section& s) const { return view(s.nameStart, s.nameLength); }
    const Section* findSection(QByteArrayView name) const;
    const KeyIndex& keysOf(const Section& section) const;
    const KeyLine* findKey(const Section& section, QByteArrayView key) const;

    QByteArray bytes_;
    qsizetype dataStart_ = 0; // after a byte-order mark
    QByteArrayView newLine_;
    std::vector<Section> sections_;
    NameTable sectionTable_;
    // Key index of section i, built on first use under indexMutex_.
    std::unique_ptr<std::atomic<KeyIndex*>[]> keyIndexes_;
    mutable std::mutex indexMutex_;
};

} // namespace ini
