#pragma once
// IniTransaction: one user action over the data files of one data directory (a new guest, a
// reservation, a cancellation, the settings save), all or nothing. It holds the directory's
// advisory lock, the one single writes take, from construction to commit or rollback, so a second
// desk's writes wait and never interleave. Its reads see the files as they are plus its own
// earlier writes; its writes and deletes change in-memory versions; commit writes each touched
// file once, atomically and durably, and a crash between two file replacements is completed or
// undone at the next access of the directory. Destroyed without commit, it leaves every file as
// it was. The bytes a commit leaves are those the same sequence of TIniFile writes would leave.
//
// File names are full paths of files in the transaction's directory, matched as TIniFile matches
// them; reads and writes follow TIniFile's rules and names exactly. A file that exists but cannot
// be read, or lies outside the directory, raises EIniFileError from the read or write that
// reaches it. While a transaction lives, a TIniFile write or a second transaction of the same
// process in its directory raises EIniFileError instead of waiting for it forever.

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <memory>

class IniTransaction final
{
public:
    // Blocks until the directory's lock is held. Raises EIniFileError when it cannot be taken.
    explicit IniTransaction(const QString& directory);
    ~IniTransaction();
    IniTransaction(const IniTransaction&) = delete;
    IniTransaction& operator=(const IniTransaction&) = delete;

    QString ReadString(const QString& fileName, const QString& section, const QString& key,
                       const QString& defaultValue) const;
    int ReadInteger(const QString& fileName, const QString& section, const QString& key, int defaultValue) const;
    bool ReadBool(const QString& fileName, const QString& section, const QString& key, bool defaultValue) const;
    void ReadSection(const QString& fileName, const QString& section, QStringList& keys) const;

    void WriteString(const QString& fileName, const QString& section, const QString& key, const QString& value);
    void WriteInteger(const QString& fileName, const QString& section, const QString& key, int value);
    void WriteBool(const QString& fileName, const QString& section, const QString& key, bool value);
    void WriteDateTime(const QString& fileName, const QString& section, const QString& key, const QDateTime& value);
    void DeleteKey(const QString& fileName, const QString& section, const QString& key);

    // Writes every touched file; on failure raises EIniFileError naming the file and leaves every
    // file as it was. After commit or rollback the transaction takes no more reads or writes.
    void commit();
    void rollback();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};
