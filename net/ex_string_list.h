#pragma once
// TExStringList: a list of text lines of the form name + ": " + value (the HTTP request header),
// with look-up and replacement of a line by its name.

#include <QString>
#include <QStringList>

class TExStringList final
{
public:
    int Count() const { return int(lines_.size()); }
    const QString& operator[](int index) const { return lines_.at(index); }
    const QStringList& Lines() const { return lines_; }

    void Add(const QString& line) { lines_.append(line); }
    void Delete(int index) { lines_.removeAt(index); }
    void Clear() { lines_.clear(); }

    // Index of the first line whose text before its first colon equals name, ignoring case; lines
    // without a colon never match; -1 when none does.
    int IndexOfName(const QString& name) const;

    // A non-empty value replaces the matching line by name + ": " + value, or appends such a line
    // when none matches; an empty value deletes the matching line.
    void SetValue(const QString& name, const QString& value);

private:
    QStringList lines_;
};
