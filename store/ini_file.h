#pragma once
// TIniFile: one INI data file, read and written key by key with the Windows private-profile
// semantics the data files were written with. Creating one touches nothing on disk; every write
// is on disk (atomically, durably) when it returns; every read sees every earlier write, by this
// process or another. Reads never fail: a missing file, section or key gives the default.

#include "store/file_error.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>
#include <stdexcept>

namespace ini {
class IniDocument;
}

// A data file could not be written. The message names the file; the file is as it was.
class EIniFileError final : public EFileError
{
public:
    EIniFileError(const QString& fileName, const QString& reason);
};

class TIniFile final
{
public:
    explicit TIniFile(const QString& fileName);

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    void WriteString(const QString& section, const QString& key, const QString& value);

    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    void WriteInteger(const QString& section, const QString& key, int value);

    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    void WriteBool(const QString& section, const QString& key, bool value);

    // Writes the date text, a space and the time text of the regional settings.
    void WriteDateTime(const QString& section, const QString& key, const QDateTime& value);

    // Clears keys, then fills it with the section's key names in file order.
    void ReadSection(const QString& section, QStringList& keys) const;

    // Removes the key's line; a missing key (or file) is no error and creates nothing.
    void DeleteKey(const QString& section, const QString& key);

private:
    QString fileName_;
};

// One version of a data file, taken when it is made, for the many reads of one action (the
// reception plan reads 1,260 values a second): the file is looked at once, every read is a hash
// lookup, and all reads see the same version, none half of a write made meanwhile. Reads follow
// TIniFile's rules exactly. Make a new one for each action; it never sees later writes.
class IniSnapshot final
{
public:
    explicit IniSnapshot(const QString& fileName);
    ~IniSnapshot();

    const QString& FileName() const { return fileName_; }

    QString ReadString(const QString& section, const QString& key, const QString& defaultValue) const;
    int ReadInteger(const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& section, const QString& key, bool defaultValue) const;
    void ReadSection(const QString& section, QStringList& keys) const;

private:
    QString fileName_;
    std::shared_ptr<const ini::IniDocument> version_;
};
