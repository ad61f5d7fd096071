#include "store/ini_document.h"

#include <algorithm>
#include <cstring>

namespace ini {

namespace {

inline char foldAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

// FNV-1a over the folded bytes.
std::uint32_t nameHash(QByteArrayView name)
{
    std::uint32_t h = 2166136261u;
    for (char c : name) {
        h ^= static_cast<std::uint8_t>(foldAscii(c));
        h *= 16777619u;
    }
    return h;
}

// End of the line that starts at pos, before its line end: its first CR or LF, or end.
qsizetype lineBreak(const char* data, qsizetype pos, qsizetype end)
{
    const void* lf = std::memchr(data + pos, '\n', size_t(end - pos));
    const qsizetype lfPos = lf ? static_cast<const char*>(lf) - data : end;
    const void* cr = std::memchr(data + pos, '\r', size_t(lfPos - pos));
    return cr ? static_cast<const char*>(cr) - data : lfPos;
}

// End of the text of the line from pos to its line break: a NUL ends it early.
qsizetype textEndBefore(const char* data, qsizetype pos, qsizetype lineBreakPos)
{
    const void* nul = std::memchr(data + pos, '\0', size_t(lineBreakPos - pos));
    return nul ? static_cast<const char*>(nul) - data : lineBreakPos;
}

// Start of the next line after a line that breaks at lineBreakPos.
qsizetype afterLineEnd(const char* data, qsizetype lineBreakPos, qsizetype end)
{
    if (lineBreakPos >= end)
        return end;
    if (data[lineBreakPos] == '\r' && lineBreakPos + 1 < end && data[lineBreakPos + 1] == '\n')
        return lineBreakPos + 2;
    return lineBreakPos + 1;
}

constexpr char kCrLf[] = "\r\n";
constexpr char kLf[] = "\n";
constexpr char kCr[] = "\r";

} // namespace

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    qsizetype b = 0;
    qsizetype e = text.size();
    while (b < e && isBlank(text[b]))
        ++b;
    while (e > b && isBlank(text[e - 1]))
        --e;
    return text.sliced(b, e - b);
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i)
        if (foldAscii(a[i]) != foldAscii(b[i]))
            return false;
    return true;
}

struct IniDocument::KeyIndex
{
    std::vector<KeyLine> lines;
    NameTable table;
    // Where a new key goes: after the section's last line that holds any text (key, comment or
    // other), or after the section line; the line before it may be the file's last line, without
    // a line end.
    qsizetype insertAt = 0;
    bool insertNeedsLineEnd = false;
};

void IniDocument::NameTable::reserve(std::size_t count)
{
    std::size_t capacity = 16;
    while (capacity < count * 2)
        capacity *= 2;
    slots_.assign(capacity, Slot{});
    used_ = 0;
}

template <typename NameOf>
std::int32_t IniDocument::NameTable::find(QByteArrayView name, std::uint32_t hash, NameOf nameOf) const
{
    if (slots_.empty())
        return -1;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        const Slot& slot = slots_[i];
        if (slot.entry < 0)
            return -1;
        if (slot.hash == hash && sameName(nameOf(slot.entry), name))
            return slot.entry;
    }
}

template <typename NameOf>
bool IniDocument::NameTable::insert(QByteArrayView name, std::uint32_t hash, std::int32_t entry, NameOf nameOf)
{
    if ((used_ + 1) * 2 > slots_.size()) {
        std::vector<Slot> old = std::move(slots_);
        reserve(std::max<std::size_t>(16, old.size()));
        for (const Slot& slot : old)
            if (slot.entry >= 0) {
                const std::size_t mask = slots_.size() - 1;
                std::size_t i = slot.hash & mask;
                while (slots_[i].entry >= 0)
                    i = (i + 1) & mask;
                slots_[i] = slot;
                ++used_;
            }
    }
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        Slot& slot = slots_[i];
        if (slot.entry < 0) {
            slot = Slot{hash, entry};
            ++used_;
            return true;
        }
        if (slot.hash == hash && sameName(nameOf(slot.entry), name))
            return false;
    }
}

IniDocument::IniDocument(QByteArray bytes) : bytes_(std::move(bytes))
{
    const char* data = bytes_.constData();
    const qsizetype end = bytes_.size();
    if (QByteArrayView(bytes_).startsWith("\xEF\xBB\xBF"))
        dataStart_ = 3;

    const qsizetype firstEnd = lineBreak(data, dataStart_, end);
    if (firstEnd >= end)
        newLine_ = QByteArrayView(kCrLf, 2);
    else if (data[firstEnd] == '\n')
        newLine_ = QByteArrayView(kLf, 1);
    else if (firstEnd + 1 < end && data[firstEnd + 1] == '\n')
        newLine_ = QByteArrayView(kCrLf, 2);
    else
        newLine_ = QByteArrayView(kCr, 1);

    // The lines before the first section line form the section named by the empty text.
    sections_.push_back(Section{0, dataStart_, 0, dataStart_, dataStart_, end});
    // Section lines are the only lines that start with "[" (after blanks): look for "[" and check
    // that only blanks stand between it and the start of its line.
    const auto nameOf = [this](std::int32_t i) { return sectionName(sections_[size_t(i)]); };
    qsizetype pos = dataStart_;
    while (pos < end) {
        const void* hit = std::memchr(data + pos, '[', size_t(end - pos));
        if (!hit)
            break;
        const qsizetype open = static_cast<const char*>(hit) - data;
        qsizetype lineStart = open;
        while (lineStart > dataStart_ && isBlank(data[lineStart - 1]))
            --lineStart;
        if (lineStart > dataStart_ && data[lineStart - 1] != '\n' && data[lineStart - 1] != '\r') {
            pos = open + 1;
            continue;
        }
        const qsizetype breakPos = lineBreak(data, open, end);
        const qsizetype textEnd = textEndBefore(data, open, breakPos);
        const qsizetype next = afterLineEnd(data, breakPos, end);
        const void* close = memrchr(data + open + 1, ']', size_t(textEnd - open - 1));
        if (close) {
            const QByteArrayView name =
                trimmedBlanks(view(open + 1, static_cast<const char*>(close) - data - (open + 1)));
            sections_.back().bodyEnd = lineStart;
            sections_.push_back(Section{lineStart, name.data() - data, name.size(), textEnd, next, end});
        }
        pos = next;
    }
    sectionTable_.reserve(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i) {
        const QByteArrayView name = sectionName(sections_[i]);
        sectionTable_.insert(name, nameHash(name), std::int32_t(i), nameOf);
    }
    keyIndexes_ = std::make_unique<std::atomic<KeyIndex*>[]>(sections_.size());
    for (std::size_t i = 0; i < sections_.size(); ++i)
        keyIndexes_[i].store(nullptr, std::memory_order_relaxed);
}

IniDocument::~IniDocument()
{
    for (std::size_t i = 0; i < sections_.size(); ++i)
        delete keyIndexes_[i].load(std::memory_order_relaxed);
}

qsizetype IniDocument::sectionIndex(QByteArrayView name) const
{
    const Section* s = findSection(name);
    return s ? s - sections_.data() : -1;
}

const IniDocument::Section* IniDocument::findSection(QByteArrayView name) const
{
    const auto nameOf = [this](std::int32_t i) { return sectionName(sections_[size_t(i)]); };
    const std::int32_t i = sectionTable_.find(name, nameHash(name), nameOf);
    return i < 0 ? nullptr : &sections_[size_t(i)];
}

const IniDocument::KeyIndex& IniDocument::keysOf(const Section& section) const
{
    std::atomic<KeyIndex*>& slot = keyIndexes_[size_t(&section - sections_.data())];
    if (const KeyIndex* built = slot.load(std::memory_order_acquire))
        return *built;
    std::lock_guard guard(indexMutex_);
    if (const KeyIndex* built = slot.load(std::memory_order_relaxed))
        return *built;
    auto index = std::make_unique<KeyIndex>();
    const char* data = bytes_.constData();
    index->insertAt = section.bodyStart;
    if (&section != &sections_.front())
        index->insertNeedsLineEnd = lineBreak(data, section.headerEnd, bytes_.size()) == section.bodyStart;
    qsizetype pos = section.bodyStart;
    while (pos < section.bodyEnd) {
        const qsizetype breakPos = lineBreak(data, pos, section.bodyEnd);
        const qsizetype textEnd = textEndBefore(data, pos, breakPos);
        const qsizetype next = afterLineEnd(data, breakPos, bytes_.size());
        qsizetype first = pos;
        while (first < textEnd && isBlank(data[first]))
            ++first;
        if (first < textEnd) {
            index->insertAt = next;
            index->insertNeedsLineEnd = breakPos == next;
        }
        if (first < textEnd && data[first] != ';') {
            if (const void* eq = std::memchr(data + first, '=', size_t(textEnd - first))) {
                const qsizetype eqPos = static_cast<const char*>(eq) - data;
                const QByteArrayView key = trimmedBlanks(view(first, eqPos - first));
                const QByteArrayView value = trimmedBlanks(view(eqPos + 1, textEnd - eqPos - 1));
                if (!key.isEmpty()) {
                    index->lines.push_back(
                        KeyLine{pos, textEnd, next, key.data() - data, key.size(), value.data() - data, value.size()});
                }
            }
        }
        pos = next;
    }
    index->table.reserve(index->lines.size());
    const KeyIndex* raw = index.get();
    const auto nameOf = [this, raw](std::int32_t i) {
        const KeyLine& l = raw->lines[size_t(i)];
        return view(l.keyStart, l.keyLength);
    };
    for (std::size_t i = 0; i < index->lines.size(); ++i) {
        const QByteArrayView key = nameOf(std::int32_t(i));
        index->table.insert(key, nameHash(key), std::int32_t(i), nameOf);
    }
    slot.store(index.get(), std::memory_order_release);
    return *index.release();
}

const IniDocument::KeyLine* IniDocument::findKey(const Section& section, QByteArrayView key) const
{
    const KeyIndex& index = keysOf(section);
    const auto nameOf = [this, &index](std::int32_t i) {
        const KeyLine& l = index.lines[size_t(i)];
        return view(l.keyStart, l.keyLength);
    };
    const std::int32_t i = index.table.find(key, nameHash(key), nameOf);
    return i < 0 ? nullptr : &index.lines[size_t(i)];
}

std::optional<QByteArrayView> IniDocument::rawValue(QByteArrayView section, QByteArrayView key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const KeyLine* line = findKey(*s, key);
    if (!line)
        return std::nullopt;
    return view(line->valueStart, line->valueLength);
}

std::vector<QByteArrayView> IniDocument::keyNames(QByteArrayView section) const
{
    std::vector<QByteArrayView> names;
    const Section* s = findSection(section);
    if (!s)
        return names;
    const KeyIndex& index = keysOf(*s);
    names.reserve(index.lines.size());
    for (const KeyLine& line : index.lines)
        names.push_back(view(line.keyStart, line.keyLength));
    return names;
}

std::optional<QByteArray> IniDocument::withValue(QByteArrayView section, QByteArrayView key, QByteArrayView storedValue,
                                                 QByteArrayView newLine) const
{
    const QByteArrayView lineEnd = newLine.isEmpty() ? newLine_ : newLine;
    const QByteArrayView all(bytes_);
    QByteArray out;
    const Section* s = findSection(section);
    if (!s) {
        // A new section at the end of the file, without a blank line before it.
        out.reserve(bytes_.size() + section.size() + key.size() + storedValue.size() + 8);
        out.append(all);
        const bool open = bytes_.size() > dataStart_ && bytes_.back() != '\n' && bytes_.back() != '\r';
        if (open)
            out.append(lineEnd);
        out.append('[').append(section).append(']').append(lineEnd);
        out.append(key).append('=').append(storedValue).append(lineEnd);
        return out;
    }
    if (const KeyLine* line = findKey(*s, key)) {
        const QByteArrayView storedKey = view(line->keyStart, line->keyLength);
        if (view(line->valueStart, line->valueLength) == storedValue)
            return std::nullopt;
        const QByteArrayView oldText = view(line->lineStart, line->lineEnd - line->lineStart);
        if (oldText.size() == storedKey.size() + 1 + storedValue.size() && oldText.startsWith(storedKey) &&
            oldText[storedKey.size()] == '=' && oldText.endsWith(storedValue))
            return std::nullopt;
        out.reserve(bytes_.size() + storedValue.size() + 2);
        out.append(all.first(line->lineStart));
        out.append(storedKey).append('=').append(storedValue);
        out.append(all.sliced(line->lineEnd));
        return out;
    }
    const KeyIndex& index = keysOf(*s);
    out.reserve(bytes_.size() + key.size() + storedValue.size() + 4);
    if (index.insertNeedsLineEnd) {
        out.append(all.first(index.insertAt)).append(lineEnd);
    } else {
        out.append(all.first(index.insertAt));
    }
    out.append(key).append('=').append(storedValue).append(lineEnd);
    out.append(all.sliced(index.insertAt));
    return out;
}

std::optional<QByteArray> IniDocument::withoutKey(QByteArrayView section, QByteArrayView key) const
{
    const Section* s = findSection(section);
    if (!s)
        return std::nullopt;
    const KeyLine* line = findKey(*s, key);
    if (!line)
        return std::nullopt;
    const QByteArrayView all(bytes_);
    QByteArray out;
    out.reserve(bytes_.size());
    out.append(all.first(line->lineStart)).append(all.sliced(line->next));
    return out;
}

} // namespace ini
