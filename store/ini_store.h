#pragma once
// The data files on disk, shared by every TIniFile of the process.
//
// Reads go through a cache of parsed files keyed by path. Before each read the file's identity
// (device, inode, size, modification and change times in nanoseconds) is taken with one stat();
// an unchanged file is answered from memory with hash lookups. Content read within a short
// window after the file's last change is not trusted (file-system timestamps are coarse) and is
// read again at the next access.
//
// Writes are read-modify-write under the folder's lock (ini_disk.h: flock on the folder of the
// file written, a symbolic link resolved once, so that two processes never lose each other's
// keys), produce the whole new content, write it to a temporary file of its own in the same
// folder, flush it, rename it over the file and flush the folder. A failed write (a file that
// exists but cannot be read included) leaves the file as it was and raises EIniFileError. Before
// a file is read from disk, a transaction's commit that died halfway in its folder is undone.
//
// File names: the last part of a path is matched without regard to letter case against the
// files of its folder, so "Rooms.dat" and "rooms.dat" reach one file. A new file gets the name as
// written by its first writer.

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <ctime>
#include <functional>
#include <memory>
#include <optional>

#include <sys/stat.h>

namespace ini {

class IniDocument;

class IniStore final
{
public:
    static IniStore& instance();

    // The value as read (quotes removed, stored form decoded, cut to the read limit); nullopt
    // when the file, section or key is missing.
    std::optional<QString> readValue(const QString& fileName, QStringView section, QStringView key);
    QStringList keyNames(const QString& fileName, QStringView section);

    // The file's content as it is now, kept as long as it is held (null: no such file). Reads
    // from a version cost hash lookups only.
    using Version = std::shared_ptr<const IniDocument>;
    Version currentVersion(const QString& fileName);
    std::optional<QString> readValue(const Version& version, QStringView section, QStringView key);
    QStringList keyNames(const Version& version, QStringView section);

    void writeValue(const QString& fileName, QStringView section, QStringView key, QStringView value);
    void deleteKey(const QString& fileName, QStringView section, QStringView key);

    // For IniTransaction, whose caller holds the lock of the folder a write goes to.
    // Target: where a write of a name goes, looked at afresh, a symbolic link resolved once.
    struct Target
    {
        QByteArray nameFolder; // the folder of the name as written
        QByteArray path;       // the file written
        QByteArray folder;     // its folder, the one locked
        bool exists = false;
        struct stat status
        {
        };
    };
    Target locateForWrite(const QString& fileName);
    // The target's content (null: no such file); EIniFileError naming the file when it exists
    // but cannot be read.
    Version readForWrite(const QString& fileName, const Target& target);
    // The cache takes the content a transaction put in place.
    void replaced(const Target& target, const struct stat& written, std::shared_ptr<IniDocument> document);

    // For tests and benchmarks: forget every cached file; the number of file loads so far.
    void dropCache();
    std::uint64_t loadCount() const;

    ~IniStore();

private:
    IniStore();
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Whether any later change of a file with these modification and change times is sure to give
// it another identity, looked at `now`: the last change lies further back than the file
// system's timestamp granularity (25 ms; 3 s where both times are whole seconds, as on coarse
// file systems). Content read earlier is read again at the next access.
bool timestampsSettled(const timespec& modified, const timespec& changed, const timespec& now);

// The name and value rules of reads and writes, shared by TIniFile and IniTransaction.
// A caller's section or key name without the blanks around it.
QStringView trimmedName(QStringView name);
// Raises EIniFileError naming the file when a (trimmed) name cannot be written.
void checkWritableNames(const QString& fileName, QStringView section, QStringView key);
// The value a read gives from a document's content (lookups may build the document's indexes).
std::optional<QString> valueIn(const IniDocument& document, QStringView section, QStringView key);
QStringList keyNamesIn(const IniDocument& document, QStringView section);

namespace testing {

// Points of a write where tests inject a failure (the hook returns an errno value, 0 to go on)
// or end the process. PartWritten comes after half of the new content; Renamed after each file
// is renamed into place; Locking before a folder is locked (a failure there is the lock's);
// FolderSynced after a folder is flushed (a failure there is the flush's); JournalWritten after
// a transaction's journal is written and flushed, before its first rename; FileRead before a
// file is read (a failure there is the read's).
enum class WriteStage {
    TempOpened,
    PartWritten,
    TempWritten,
    Renamed,
    Locking,
    FolderSynced,
    JournalWritten,
    FileRead
};
using WriteHook = std::function<int(WriteStage)>;
void setWriteHook(WriteHook hook);
// Treats every folder as one on a network file system (its lock then includes the lock file).
void treatFoldersAsNetworkShares(bool on);

} // namespace testing

} // namespace ini
