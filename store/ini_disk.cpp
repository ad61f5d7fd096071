#include "store/ini_disk.h"

#include "store/ini_file.h"

#include <QFile>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <utility>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
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

} // namespace testing

namespace disk {

namespace {

constexpr char kTempSuffix[] = ".lodgera-tmp";
constexpr char kBackupSuffix[] = ".lodgera-old";

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

void replaceFiles(std::vector<Replacement>& files)
{
    const auto abandon = [&](const Replacement& file, int error) {
        const QString name = file.fileName;
        putBack(files);
        fail(name, error);
    };
    for (Replacement& file : files)
        if (const int e = writeBeside(file, kTempSuffix, file.bytes, file.temp, true))
            abandon(file, e);
    for (Replacement& file : files)
        if (file.existed)
            if (const int e = makeBackup(file))
                abandon(file, e);
    for (Replacement& file : files) {
        if (::rename(file.temp.constData(), file.target.constData()) != 0)
            abandon(file, errno);
        file.renamed = true;
        file.temp.clear();
        if (const int e = runHook(testing::WriteStage::Renamed))
            abandon(file, e);
    }
    for (const QByteArray& folder : foldersOf(files))
        if (const int e = syncFolder(folder)) {
            for (const Replacement& file : files)
                if (folderOf(file.target) == folder)
                    abandon(file, e);
        }
    for (Replacement& file : files) {
        removeIfSet(file.backup);
        ::stat(file.target.constData(), &file.written);
    }
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
