#pragma once
// File-system steps shared by single writes and transactions: reading a whole file, the folder
// lock, and replacing files atomically and durably. Every step that fails reports errno; the
// callers turn it into EIniFileError naming the file.

#include "store/ini_store.h"

#include <QByteArray>
#include <QString>

#include <vector>

#include <sys/stat.h>

namespace ini::disk {

// Owns a file descriptor.
class Fd final
{
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1);

private:
    int fd_;
};

QString reasonFor(int error);
[[noreturn]] void fail(const QString& fileName, int error);

// The test hook's answer at a stage of a write (0: go on).
int runHook(testing::WriteStage stage);

bool readAll(int fd, QByteArray& out, off_t sizeHint);
bool writeAll(int fd, const char* data, qsizetype size);

QByteArray folderOf(const QByteArray& path);
QByteArray baseOf(const QByteArray& path);
QByteArray joined(const QByteArray& folder, const QByteArray& name);

// The file a path names, a symbolic link followed to its end (also a link to a file not made
// yet); the path itself when it is no link.
QByteArray linkTarget(const QByteArray& path);

// Exclusive advisory lock on a data folder, the one every writer of the folder takes, held from
// construction to destruction: flock on the folder. A folder that cannot be locked is an error:
// writing unlocked could lose another desk's changes. Within one process a folder held by a live
// transaction cannot be locked again (it would wait for itself): that is an error too.
//
// Network file systems keep a folder's flock on the machine that takes it. There the lock is
// also a byte-range lock on the hidden file ".lodgera-lock" in the folder, which they carry to
// the server; on a local folder where that file exists (a desk elsewhere uses the folder over
// the network) it is taken as well.
class FolderLock final
{
public:
    // Opens and locks the folder, waiting for other holders; raises EIniFileError naming fileName
    // when it cannot.
    FolderLock(const QByteArray& folder, const QString& fileName);
    // Takes the lock only when it is free at once and held by no transaction of this process;
    // never raises. locked() tells.
    struct IfFree
    {
    };
    FolderLock(const QByteArray& folder, IfFree);
    bool locked() const { return locked_; }
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    const QByteArray& folder() const { return folder_; }
    // Marks the folder as held by a transaction of this process for the lock's life.
    void holdForTransaction();
    static bool heldByTransaction(const QByteArray& folder);

private:
    // Takes the lock file's lock where the folder needs it; errno, 0 on success.
    int lockShareFile(bool wait);

    QByteArray folder_;
    Fd fd_;
    Fd shareFile_;
    dev_t device_ = 0;
    ino_t inode_ = 0;
    bool registered_ = false;
    bool locked_ = false;
};

// One file to replace: where, the new bytes, and what was there.
struct Replacement
{
    QString fileName; // as the caller named it, for messages
    QByteArray target;
    QByteArray bytes;
    bool existed = false;
    QByteArray original; // the bytes in place, when it existed
    struct stat old
    {
    };
    // Filled in while replacing.
    QByteArray temp;
    QByteArray backup;
    bool renamed = false;
    struct stat written
    {
    };
};

// Replaces every file with its new bytes, each written to a temporary file in its folder and
// flushed, then renamed over it; the folders are flushed last. Either every file is replaced
// or, when a step fails, every file is put back as it was and EIniFileError names the file
// whose step failed. The caller holds the lock of every folder involved.
//
// Several files are replaced under a journal in journalFolder, written and flushed before the
// first rename and removed (and the removal flushed) once every file is in place: a process that
// dies in between leaves the journal, and the next reader or writer of the folder puts every
// file back (recoverFolder). A transaction counts as done when this returns.
void replaceFiles(std::vector<Replacement>& files, const QByteArray& journalFolder = {});

// Undoes the interrupted transaction whose journal the folder holds, if any: every file it
// replaced is put back. A damaged or cut journal was never complete, so no file was replaced
// under it: it is removed with a warning. The caller holds the folder's lock.
void recoverFolder(const QByteArray& folder);
// The same for a reader that holds no lock: only when the folder's lock is free at once (a
// holder that is alive finishes or undoes its own commit).
void recoverFolderIfFree(const QByteArray& folder);

// Removes what writers that died left in a folder: their temporary and backup files.
void removeLeftovers(const QByteArray& folder);

} // namespace ini::disk
