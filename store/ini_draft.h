#pragma once
// IniDraft: the bytes of one data file under a sequence of changes, each one exactly as
// IniDocument makes it on the whole file, at the cost of the changed sections only. A transaction
// writes dozens of keys into a room file of thousands of sections; copying and parsing the whole
// file for each would cost more than writing it.

#include "store/ini_document.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>

#include <memory>
#include <optional>
#include <vector>

namespace ini {

class IniDraft final
{
public:
    // base: the file as read (empty bytes for a missing file).
    explicit IniDraft(std::shared_ptr<const IniDocument> base);
    ~IniDraft();
    IniDraft(const IniDraft&) = delete;
    IniDraft& operator=(const IniDraft&) = delete;

    const IniDocument& base() const { return *base_; }

    std::optional<QByteArrayView> rawValue(QByteArrayView section, QByteArrayView key) const;
    std::vector<QByteArrayView> keyNames(QByteArrayView section) const;

    // As IniDocument::withValue and withoutKey; false when the file stays as it was.
    bool setValue(QByteArrayView section, QByteArrayView key, QByteArrayView storedValue);
    bool removeKey(QByteArrayView section, QByteArrayView key);

    // Whether any change was made since the base (a change may still give the base's bytes).
    bool edited() const { return edited_; }
    QByteArray bytes() const;

private:
    // The file in parts: the lines before the first section line, each section of the base, then
    // the sections added. A part is a slice of the base until it is changed.
    struct Part
    {
        qsizetype baseStart = 0;
        qsizetype baseEnd = 0;
        bool own = false;
        QByteArray bytes;                    // when own
        std::unique_ptr<IniDocument> parsed; // of bytes, made on first use
    };

    int partOf(QByteArrayView section) const;
    QByteArrayView partBytes(const Part& part) const;
    const IniDocument& partDocument(Part& part) const;
    void makeOwn(Part& part);
    void findNewLine();

    std::shared_ptr<const IniDocument> base_;
    mutable std::vector<Part> parts_;
    QHash<QByteArray, int> added_; // folded name of an added section -> its part
    QByteArray newLine_;
    bool edited_ = false;
};

} // namespace ini
