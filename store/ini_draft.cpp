#include "store/ini_draft.h"

#include "store/ini_codec.h"

namespace ini {

namespace {

QByteArray folded(QByteArrayView name)
{
    QByteArray out(name.data(), name.size());
    for (char& c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + ('a' - 'A'));
    return out;
}

} // namespace

IniDraft::IniDraft(std::shared_ptr<const IniDocument> base)
    : base_(std::move(base)), newLine_(base_->newLine().toByteArray())
{
    const qsizetype count = base_->sectionCount();
    const qsizetype size = base_->bytes().size();
    parts_.resize(size_t(count + 1));
    parts_[0].baseEnd = count > 0 ? base_->sectionStart(0) : size;
    for (qsizetype i = 0; i < count; ++i) {
        parts_[size_t(i + 1)].baseStart = base_->sectionStart(i);
        parts_[size_t(i + 1)].baseEnd = base_->sectionEnd(i);
    }
}

IniDraft::~IniDraft() = default;

int IniDraft::partOf(QByteArrayView section) const
{
    const qsizetype i = base_->sectionIndex(section);
    if (i >= 0)
        return int(i + 1);
    return added_.value(folded(section), -1);
}

QByteArrayView IniDraft::partBytes(const Part& part) const
{
    if (part.own)
        return part.bytes;
    return QByteArrayView(base_->bytes()).sliced(part.baseStart, part.baseEnd - part.baseStart);
}

const IniDocument& IniDraft::partDocument(Part& part) const
{
    if (!part.parsed)
        part.parsed = std::make_unique<IniDocument>(part.bytes);
    return *part.parsed;
}

void IniDraft::makeOwn(Part& part)
{
    if (part.own)
        return;
    part.bytes = partBytes(part).toByteArray();
    part.own = true;
    part.parsed.reset();
}

std::optional<QByteArrayView> IniDraft::rawValue(QByteArrayView section, QByteArrayView key) const
{
    const int p = partOf(section);
    if (p < 0)
        return std::nullopt;
    Part& part = parts_[size_t(p)];
    return part.own ? partDocument(part).rawValue(section, key) : base_->rawValue(section, key);
}

std::vector<QByteArrayView> IniDraft::keyNames(QByteArrayView section) const
{
    const int p = partOf(section);
    if (p < 0)
        return {};
    Part& part = parts_[size_t(p)];
    return part.own ? partDocument(part).keyNames(section) : base_->keyNames(section);
}

bool IniDraft::setValue(QByteArrayView section, QByteArrayView key, QByteArrayView storedValue)
{
    const int p = partOf(section);
    if (p < 0) {
        // A new section at the end; a last line without a line end gets one first.
        qsizetype size = 0;
        Part* last = nullptr;
        for (Part& part : parts_) {
            const qsizetype n = partBytes(part).size();
            size += n;
            if (n > 0)
                last = &part;
        }
        const qsizetype dataStart = base_->bytes().startsWith(kUtf8Bom) ? 3 : 0;
        if (last && size > dataStart) {
            const char end = partBytes(*last).back();
            if (end != '\n' && end != '\r') {
                makeOwn(*last);
                last->bytes.append(newLine_);
                last->parsed.reset();
            }
        }
        Part added;
        added.own = true;
        added.bytes.reserve(section.size() + key.size() + storedValue.size() + 8);
        added.bytes.append('[').append(section).append(']').append(newLine_);
        added.bytes.append(key).append('=').append(storedValue).append(newLine_);
        added_.insert(folded(section), int(parts_.size()));
        parts_.push_back(std::move(added));
        edited_ = true;
        return true;
    }
    Part& part = parts_[size_t(p)];
    makeOwn(part);
    auto changed = partDocument(part).withValue(section, key, storedValue, newLine_);
    if (!changed)
        return false;
    part.bytes = std::move(*changed);
    part.parsed.reset();
    edited_ = true;
    return true;
}

bool IniDraft::removeKey(QByteArrayView section, QByteArrayView key)
{
    const int p = partOf(section);
    if (p < 0 || !rawValue(section, key))
        return false;
    Part& part = parts_[size_t(p)];
    makeOwn(part);
    auto changed = partDocument(part).withoutKey(section, key);
    if (!changed)
        return false;
    part.bytes = std::move(*changed);
    part.parsed.reset();
    edited_ = true;
    // The removed line may have been the first one, whose line end new lines take.
    findNewLine();
    return true;
}

void IniDraft::findNewLine()
{
    bool afterCr = false;
    for (const Part& part : parts_) {
        for (char c : partBytes(part)) {
            if (afterCr) {
                newLine_ = c == '\n' ? QByteArray("\r\n") : QByteArray("\r");
                return;
            }
            if (c == '\n') {
                newLine_ = QByteArray("\n");
                return;
            }
            afterCr = c == '\r';
        }
    }
    newLine_ = afterCr ? QByteArray("\r") : QByteArray("\r\n");
}

QByteArray IniDraft::bytes() const
{
    qsizetype size = 0;
    for (const Part& part : parts_)
        size += partBytes(part).size();
    QByteArray out;
    out.reserve(size);
    for (const Part& part : parts_)
        out.append(partBytes(part));
    return out;
}

} // namespace ini
