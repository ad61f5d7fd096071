#include "store/ini_disk.h"

#include "store/ini_file.h"

#include <QCryptographicHash>
#include <QFile>
#include <QList>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/vfs.h>
#include <unistd.h>

namespace ini {

namespace testing {

namespace {
WriteHook& writeHook()
{
    static WriteHook hook;
    return hook;
}
} // namespace

void setWriteHook(WriteHook hook)
{
    writeHook() = std::move(hook);
}

namespace {
bool& networkShares()
{
    static bool on = false;
    return on;
}
} // namespace

void treatFoldersAsNetworkShares(bool on)
{
    networkShares() = on;
}

} // namespace testing

namespace disk {

namespace {

constexpr char kTempSuffix[] = ".lodgera-tmp";
constexpr char kBackupSuffix[] = ".lodgera-old";
constexpr char kJournalName[] = ".lodgera-journal";
constexpr char kShareLockName[] = ".lodgera-lock";

// Whether the folder is on a file system that keeps flock on the machine taking it.
bool onNetworkShare(int folderFd)
{
    if (testing::networkShares())
        return true;
    struct statfs fs
    {
    };
    if (::fstatfs(folderFd, &fs) != 0)
        return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFE534D42UL: // SMB2
    case 0xFF534D42UL: // CIFS
    case 0x65735546UL: // FUSE (sshfs and others)
    case 0x00C36400UL: // Ceph
    case 0x01161970UL: // GFS2
    case 0x7461636FUL: // OCFS2
    case 0x47504653UL: // GPFS
    case 0x5346414FUL: // AFS
        return true;
    default:
        return false;
    }
}
constexpr char kJournalHeader[] = "LODGERA-JOURNAL 1\n";

// Folders held by live transactions of this process (a forked child holds none of them).
struct HeldFolder
{
    pid_t process;
    dev_t device;
    ino_t inode;
    bool operator==(const HeldFolder&) const = default;
};

struct HeldFolders
{
    std::mutex mutex;
    std::vector<HeldFolder> folders;
};

HeldFolders& heldFolders()
{
    static HeldFolders held;
    return held;
}

bool isHeld(dev_t device, ino_t inode)
{
    HeldFolders& held = heldFolders();
    std::lock_guard guard(held.mutex);
    return std::find(held.folders.begin(), held.folders.end(), HeldFolder{::getpid(), device, inode}) !=
           held.folders.end();
}

// A name for a new file beside target, unused when it was made: hidden, named after the file
// and this process, ending in suffix.
QByteArray freshName(const QByteArray& target, const char* suffix)
{
    static std::atomic<unsigned> counter{0};
    return joined(folderOf(target), '.' + baseOf(target) + '.' + QByteArray::number(qint64(::getpid())) + '.' +
                                        QByteArray::number(counter++) + suffix);
}

int syncFolder(const QByteArray& folder)
{
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.valid())
        return errno;
    // A file system that cannot flush a folder at all (EINVAL) orders its renames itself.
    if (::fsync(dir.get()) != 0 && errno != EINVAL)
        return errno;
    return runHook(testing::WriteStage::FolderSynced);
}

// Writes bytes to a fresh file beside the target, named with suffix, with the original's owner
// (where permitted) and mode, and flushes it. Returns errno, 0 on success.
int writeBeside(Replacement& file, const char* suffix, const QByteArray& bytes, QByteArray& path, bool hooks)
{
    Fd fd;
    for (int attempt = 0; !fd.valid(); ++attempt) {
        path = freshName(file.target, suffix);
        fd.reset(::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, file.existed ? 0600 : 0666));
        if (!fd.valid() && (errno != EEXIST || attempt == 100)) {
            const int error = errno;
            path.clear();
            return error;
        }
    }
    const auto hook = [hooks](testing::WriteStage stage) { return hooks ? runHook(stage) : 0; };
    if (const int e = hook(testing::WriteStage::TempOpened))
        return e;
    if (file.existed) {
        // The owner only where permitted (the superuser; a member of the file's group keeps the
        // group), the mode always: a data folder shared by several users keeps working.
        if (::fchown(fd.get(), file.old.st_uid, file.old.st_gid) != 0) {
            const int grouped = ::fchown(fd.get(), uid_t(-1), file.old.st_gid);
            (void)grouped;
        }
        if (::fchmod(fd.get(), file.old.st_mode & 07777) != 0)
            return errno;
    }
    const qsizetype half = bytes.size() / 2;
    if (!writeAll(fd.get(), bytes.constData(), half))
        return errno;
    if (const int e = hook(testing::WriteStage::PartWritten))
        return e;
    if (!writeAll(fd.get(), bytes.constData() + half, bytes.size() - half))
        return errno;
    if (const int e = hook(testing::WriteStage::TempWritten))
        return e;
    if (::fsync(fd.get()) != 0)
        return errno;
    return 0;
}

// A second name for the file now in place, so that it can be put back; a copy of its bytes
// where the file system has no hard links.
int makeBackup(Replacement& file)
{
    for (int attempt = 0;; ++attempt) {
        file.backup = freshName(file.target, kBackupSuffix);
        if (::link(file.target.constData(), file.backup.constData()) == 0)
            return 0;
        if (errno != EEXIST || attempt == 100)
            break;
    }
    file.backup.clear();
    return writeBeside(file, kBackupSuffix, file.original, file.backup, false);
}

void removeIfSet(QByteArray& path)
{
    if (!path.isEmpty())
        ::unlink(path.constData());
    path.clear();
}

std::vector<QByteArray> foldersOf(const std::vector<Replacement>& files)
{
    std::vector<QByteArray> folders;
    for (const Replacement& file : files) {
        const QByteArray folder = folderOf(file.target);
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    }
    return folders;
}

// Puts every file back as it was and removes the temporary and backup files.
void putBack(std::vector<Replacement>& files)
{
    for (Replacement& file : files) {
        if (file.renamed) {
            if (file.existed)
                ::rename(file.backup.constData(), file.target.constData());
            else
                ::unlink(file.target.constData());
            file.renamed = false;
            file.backup.clear();
        }
        removeIfSet(file.temp);
        removeIfSet(file.backup);
    }
    for (const QByteArray& folder : foldersOf(files)) {
        const int synced = syncFolder(folder);
        (void)synced;
    }
}

// The journal: the list of files a commit replaces, each with its temporary file and the
// backup of the file it replaces (none for a new file), closed by a checksum of everything
// before it. Paths are hex-encoded, one entry a line.
struct JournalEntry
{
    QByteArray target;
    QByteArray temp;
    QByteArray backup;
};

QByteArray journalText(const std::vector<Replacement>& files)
{
    QByteArray text(kJournalHeader);
    text += QByteArray::number(qsizetype(files.size())) + '\n';
    for (const Replacement& file : files)
        text += file.target.toHex() + ' ' + file.temp.toHex() + ' ' +
                (file.backup.isEmpty() ? QByteArray("-") : file.backup.toHex()) + '\n';
    return text + "END " + QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex() + '\n';
}

// A helper file of ours beside the target: the same folder, a hidden name with our suffix.
bool isHelperOf(const QByteArray& helper, const QByteArray& target, const char* suffix)
{
    return folderOf(helper) == folderOf(target) && baseOf(helper).startsWith('.') && helper.endsWith(suffix);
}

// The entries of a whole journal; nullopt when it is damaged or cut short.
std::optional<std::vector<JournalEntry>> parseJournal(const QByteArray& text)
{
    const qsizetype end = text.lastIndexOf("END ");
    if (!text.startsWith(kJournalHeader) || end < 0 || !text.endsWith('\n'))
        return std::nullopt;
    const QByteArray body = text.left(end);
    if (text.mid(end + 4).trimmed() != QCryptographicHash::hash(body, QCryptographicHash::Sha256).toHex())
        return std::nullopt;
    QList<QByteArray> lines = body.mid(qsizetype(std::strlen(kJournalHeader))).split('\n');
    if (lines.isEmpty() || !lines.back().isEmpty())
        return std::nullopt;
    lines.removeLast();
    bool ok = false;
    const qsizetype count = lines.takeFirst().toLongLong(&ok);
    if (!ok || count != lines.size())
        return std::nullopt;
    std::vector<JournalEntry> entries;
    for (const QByteArray& line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 3)
            return std::nullopt;
        JournalEntry entry{QByteArray::fromHex(fields[0]), QByteArray::fromHex(fields[1]),
                           fields[2] == "-" ? QByteArray() : QByteArray::fromHex(fields[2])};
        if (!entry.target.startsWith('/') || !isHelperOf(entry.temp, entry.target, kTempSuffix) ||
            (!entry.backup.isEmpty() && !isHelperOf(entry.backup, entry.target, kBackupSuffix)))
            return std::nullopt;
        entries.push_back(std::move(entry));
    }
    return entries;
}

bool exists(const QByteArray& path)
{
    struct stat st
    {
    };
    return ::lstat(path.constData(), &st) == 0;
}

int writeJournal(const QByteArray& path, const QByteArray& text)
{
    Fd fd(::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644));
    if (!fd.valid())
        return errno;
    if (!writeAll(fd.get(), text.constData(), text.size()) || ::fsync(fd.get()) != 0)
        return errno;
    return runHook(testing::WriteStage::JournalWritten);
}

} // namespace

void Fd::reset(int fd)
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = fd;
}

QString reasonFor(int error)
{
    switch (error) {
    case ENOENT:
        return QStringLiteral("složka neexistuje");
    case EACCES:
    case EPERM:
        return QStringLiteral("přístup odepřen");
    case EROFS:
        return QStringLiteral("svazek je jen pro čtení");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("na disku není místo");
    default:
        return QString::fromLocal8Bit(std::strerror(error));
    }
}

void fail(const QString& fileName, int error)
{
    throw EIniFileError(fileName, reasonFor(error));
}

int runHook(testing::WriteStage stage)
{
    const auto& hook = testing::writeHook();
    return hook ? hook(stage) : 0;
}

bool readAll(int fd, QByteArray& out, off_t sizeHint)
{
    out.resize(qsizetype(sizeHint) + 1);
    qsizetype used = 0;
    for (;;) {
        if (used == out.size())
            out.resize(out.size() * 2 + 4096);
        const ssize_t n = ::read(fd, out.data() + used, size_t(out.size() - used));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            break;
        used += n;
    }
    out.truncate(used);
    return true;
}

bool writeAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= n;
    }
    return true;
}

QByteArray folderOf(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray("/") : path.left(slash);
}

QByteArray baseOf(const QByteArray& path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QByteArray joined(const QByteArray& folder, const QByteArray& name)
{
    return folder.endsWith('/') ? folder + name : folder + '/' + name;
}

QByteArray linkTarget(const QByteArray& path)
{
    QByteArray current = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st
        {
        };
        if (::lstat(current.constData(), &st) != 0 || !S_ISLNK(st.st_mode))
            return current;
        if (char* real = ::realpath(current.constData(), nullptr)) {
            QByteArray resolved(real);
            std::free(real);
            return resolved;
        }
        // A link to a file not made yet: follow it by hand.
        QByteArray text(qsizetype(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(current.constData(), text.data(), size_t(text.size()));
        if (n <= 0 || n >= text.size())
            return current;
        text.truncate(n);
        current = text.startsWith('/') ? text : joined(folderOf(current), text);
    }
    return current;
}

FolderLock::FolderLock(const QByteArray& folder, const QString& fileName)
    : folder_(folder), fd_(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    if (!fd_.valid())
        fail(fileName, errno);
    struct stat st
    {
    };
    if (::fstat(fd_.get(), &st) != 0)
        fail(fileName, errno);
    device_ = st.st_dev;
    inode_ = st.st_ino;
    if (isHeld(device_, inode_))
        throw EIniFileError(fileName, QStringLiteral("složku právě mění jiná neukončená akce tohoto programu"));
    int rc = runHook(testing::WriteStage::Locking);
    if (rc == 0) {
        do
            rc = ::flock(fd_.get(), LOCK_EX) == 0 ? 0 : errno;
        while (rc == EINTR);
    }
    if (rc != 0)
        throw EIniFileError(fileName, QStringLiteral("složku nelze zamknout (%1)").arg(reasonFor(rc)));
    locked_ = true;
    if (const int e = lockShareFile(true)) {
        ::flock(fd_.get(), LOCK_UN);
        locked_ = false;
        throw EIniFileError(fileName, QStringLiteral("složku nelze zamknout (%1)").arg(reasonFor(e)));
    }
}

int FolderLock::lockShareFile(bool wait)
{
    const QByteArray path = joined(folder_, kShareLockName);
    struct stat st
    {
    };
    if (!onNetworkShare(fd_.get()) && ::stat(path.constData(), &st) != 0)
        return 0;
    shareFile_.reset(::open(path.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (shareFile_.valid()) {
        // Every user of a shared folder opens it for writing.
        ::fchmod(shareFile_.get(), 0666);
    } else {
        shareFile_.reset(::open(path.constData(), O_RDWR | O_CLOEXEC));
        if (!shareFile_.valid())
            return errno;
    }
    struct flock range
    {
    };
    range.l_type = F_WRLCK;
    range.l_whence = SEEK_SET;
    int rc;
    do
        rc = ::fcntl(shareFile_.get(), wait ? F_SETLKW : F_SETLK, &range) == 0 ? 0 : errno;
    while (rc == EINTR);
    if (rc != 0)
        shareFile_.reset();
    return rc;
}

FolderLock::FolderLock(const QByteArray& folder, IfFree)
    : folder_(folder), fd_(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
{
    struct stat st
    {
    };
    if (!fd_.valid() || ::fstat(fd_.get(), &st) != 0 || isHeld(st.st_dev, st.st_ino))
        return;
    int rc;
    do
        rc = ::flock(fd_.get(), LOCK_EX | LOCK_NB);
    while (rc != 0 && errno == EINTR);
    locked_ = rc == 0;
    if (locked_ && lockShareFile(false) != 0) {
        ::flock(fd_.get(), LOCK_UN);
        locked_ = false;
    }
}

FolderLock::~FolderLock()
{
    if (registered_) {
        HeldFolders& held = heldFolders();
        std::lock_guard guard(held.mutex);
        const auto it = std::find(held.folders.begin(), held.folders.end(), HeldFolder{::getpid(), device_, inode_});
        if (it != held.folders.end())
            held.folders.erase(it);
    }
    // Closing the lock file ends its byte-range lock.
    shareFile_.reset();
    if (locked_)
        ::flock(fd_.get(), LOCK_UN);
}

void FolderLock::holdForTransaction()
{
    HeldFolders& held = heldFolders();
    std::lock_guard guard(held.mutex);
    held.folders.push_back(HeldFolder{::getpid(), device_, inode_});
    registered_ = true;
}

bool FolderLock::heldByTransaction(const QByteArray& folder)
{
    struct stat st
    {
    };
    return ::stat(folder.constData(), &st) == 0 && isHeld(st.st_dev, st.st_ino);
}

void replaceFiles(std::vector<Replacement>& files, const QByteArray& journalFolder)
{
    const bool journaled = files.size() > 1 && !journalFolder.isEmpty();
    const QByteArray journal = journaled ? joined(journalFolder, kJournalName) : QByteArray();
    bool journalWritten = false;
    std::vector<QByteArray> folders = foldersOf(files);
    if (journaled && std::find(folders.begin(), folders.end(), journalFolder) == folders.end())
        folders.push_back(journalFolder);
    const auto abandon = [&](const QString& fileName, int error) {
        putBack(files);
        if (journalWritten) {
            // Every file is back: the journal has nothing left to undo.
            ::unlink(journal.constData());
            const int synced = syncFolder(journalFolder);
            (void)synced;
        }
        fail(fileName, error);
    };
    for (Replacement& file : files)
        if (const int e = writeBeside(file, kTempSuffix, file.bytes, file.temp, true))
            abandon(file.fileName, e);
    for (Replacement& file : files)
        if (file.existed)
            if (const int e = makeBackup(file))
                abandon(file.fileName, e);
    if (journaled) {
        journalWritten = true;
        if (const int e = writeJournal(journal, journalText(files)))
            abandon(QFile::decodeName(journal), e);
        // The journal, the temporary files and the backups are on disk before any file moves.
        for (const QByteArray& folder : folders)
            if (const int e = syncFolder(folder))
                abandon(QFile::decodeName(journal), e);
    }
    for (Replacement& file : files) {
        if (::rename(file.temp.constData(), file.target.constData()) != 0)
            abandon(file.fileName, errno);
        file.renamed = true;
        file.temp.clear();
        if (const int e = runHook(testing::WriteStage::Renamed))
            abandon(file.fileName, e);
    }
    for (const QByteArray& folder : foldersOf(files))
        if (const int e = syncFolder(folder)) {
            const auto in = std::find_if(files.begin(), files.end(),
                                         [&](const Replacement& file) { return folderOf(file.target) == folder; });
            abandon(in->fileName, e);
        }
    if (journaled) {
        if (::unlink(journal.constData()) != 0)
            abandon(QFile::decodeName(journal), errno);
        journalWritten = false;
        if (const int e = syncFolder(journalFolder))
            abandon(QFile::decodeName(journal), e);
    }
    for (Replacement& file : files) {
        removeIfSet(file.backup);
        ::stat(file.target.constData(), &file.written);
    }
}

void recoverFolder(const QByteArray& folder)
{
    const QByteArray journal = joined(folder, kJournalName);
    QFile file(QFile::decodeName(journal));
    if (!file.exists())
        return;
    const QByteArray text = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    const auto entries = parseJournal(text);
    if (!entries) {
        // Files are only moved after the whole journal is on disk: none was under this one.
        qWarning("%s", qPrintable(QStringLiteral("Záznam nedokončené akce „%1“ je poškozený nebo neúplný: "
                                                 "akce se nepočítá jako provedená, soubory zůstávají, jak byly.")
                                      .arg(QFile::decodeName(journal))));
        ::unlink(journal.constData());
        const int synced = syncFolder(folder);
        (void)synced;
        return;
    }
    std::vector<QByteArray> folders{folder};
    for (const JournalEntry& entry : *entries) {
        if (!entry.backup.isEmpty()) {
            // The backup is the file as it was; while it is there, it has not been put back yet.
            if (exists(entry.backup))
                ::rename(entry.backup.constData(), entry.target.constData());
            // A rename between two names of one file leaves both.
            ::unlink(entry.backup.constData());
        } else if (!exists(entry.temp)) {
            // A new file, already renamed into place.
            ::unlink(entry.target.constData());
        }
        ::unlink(entry.temp.constData());
        if (std::find(folders.begin(), folders.end(), folderOf(entry.target)) == folders.end())
            folders.push_back(folderOf(entry.target));
    }
    for (const QByteArray& each : folders) {
        const int synced = syncFolder(each);
        (void)synced;
    }
    ::unlink(journal.constData());
    const int synced = syncFolder(folder);
    (void)synced;
    qWarning("%s", qPrintable(QStringLiteral("Nedokončená akce ve složce „%1“ byla vrácena: soubory jsou, jak byly "
                                             "před ní.")
                                  .arg(QFile::decodeName(folder))));
}

void recoverFolderIfFree(const QByteArray& folder)
{
    if (!exists(joined(folder, kJournalName)))
        return;
    FolderLock lock(folder, FolderLock::IfFree{});
    if (lock.locked())
        recoverFolder(folder);
}

void removeLeftovers(const QByteArray& folder)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir)
        return;
    while (const dirent* e = ::readdir(dir)) {
        const QByteArrayView name(e->d_name);
        if (name.startsWith('.') && (name.endsWith(kTempSuffix) || name.endsWith(kBackupSuffix)))
            ::unlinkat(::dirfd(dir), e->d_name, 0);
    }
    ::closedir(dir);
}

} // namespace disk

} // namespace ini
