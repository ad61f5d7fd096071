#include "store/ini_store.h"

#include "store/ini_codec.h"
#include "store/ini_document.h"
#include "store/ini_file.h"
#include "store/ini_values.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <mutex>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ini {

namespace {
std::int64_t nanoseconds(const timespec& t)
{
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}
} // namespace

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

bool timestampsSettled(const timespec& modified, const timespec& changed, const timespec& now)
{
    const std::int64_t latest = std::max(nanoseconds(modified), nanoseconds(changed));
    const bool coarse = modified.tv_nsec == 0 && changed.tv_nsec == 0;
    const std::int64_t window = coarse ? 3'000'000'000LL : 25'000'000LL;
    return nanoseconds(now) - latest >= window;
}

namespace {

using testing::WriteStage;

int runHook(WriteStage stage)
{
    const auto& hook = testing::writeHook();
    return hook ? hook(stage) : 0;
}

// What tells one version of a file from another without reading it.
struct Identity
{
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = -1;
    timespec modified{};
    timespec changed{};

    bool operator==(const Identity& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modified.tv_sec == o.modified.tv_sec &&
               modified.tv_nsec == o.modified.tv_nsec && changed.tv_sec == o.changed.tv_sec &&
               changed.tv_nsec == o.changed.tv_nsec;
    }
};

Identity identityOf(const struct stat& st)
{
    return Identity{st.st_dev, st.st_ino, st.st_size, st.st_mtim, st.st_ctim};
}

bool settled(const Identity& id)
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return timestampsSettled(id.modified, id.changed, now);
}

// errno as the reason of a write error.
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

[[noreturn]] void fail(const QString& fileName, int error)
{
    throw EIniFileError(fileName, reasonFor(error));
}

// Owns a file descriptor.
class Fd final
{
public:
    explicit Fd(int fd = -1) : fd_(fd) {}
    ~Fd() { reset(); }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    void reset(int fd = -1)
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }

private:
    int fd_;
};

// Exclusive advisory lock on an open folder for the time of one read-modify-write. A file system
// without such locks is used unlocked rather than not at all.
class FolderLock final
{
public:
    explicit FolderLock(int fd) : fd_(fd)
    {
        int rc;
        do
            rc = ::flock(fd_, LOCK_EX);
        while (rc != 0 && errno == EINTR);
        locked_ = rc == 0;
    }
    ~FolderLock()
    {
        if (locked_)
            ::flock(fd_, LOCK_UN);
    }
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

private:
    int fd_;
    bool locked_;
};

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

bool sameFileName(const char* candidate, const QString& wanted)
{
    return QFile::decodeName(candidate).compare(wanted, Qt::CaseInsensitive) == 0;
}

// A section or key name as given by a caller: blanks around it are not part of it.
QStringView trimmedName(QStringView name)
{
    qsizetype b = 0;
    qsizetype e = name.size();
    while (b < e && (name[b] == u' ' || name[b] == u'\t'))
        ++b;
    while (e > b && (name[e - 1] == u' ' || name[e - 1] == u'\t'))
        --e;
    return name.sliced(b, e - b);
}

// A name that would read back as another name, or break a line, is refused on writing.
bool writableName(QStringView name, bool isKey)
{
    if (name.isEmpty())
        return false;
    if (name.contains(u'\r') || name.contains(u'\n') || name.contains(QChar(0)))
        return false;
    if (isKey && (name.contains(u'=') || name.front() == u';' || name.front() == u'['))
        return false;
    return true;
}

} // namespace

struct IniStore::Impl
{
    struct FileEntry
    {
        QByteArray path;
        Identity identity;
        bool trusted = false;
        std::shared_ptr<IniDocument> document;
        std::uint64_t lastUse = 0;
    };
    // A file name as the callers write it, and the file it reaches.
    struct NameEntry
    {
        QByteArray folder;
        QString base;
        QByteArray baseBytes;
        bool resolved = false;
        std::shared_ptr<FileEntry> file; // null while no file of the name exists
        Identity folderIdentity;         // for the answer "no such file"
        bool folderTrusted = false;
    };

    static constexpr std::size_t kMaxFiles = 8;
    static constexpr qsizetype kMaxNames = 512;

    std::mutex mutex;
    QHash<QString, NameEntry> names;
    QHash<QByteArray, std::shared_ptr<FileEntry>> files;
    std::uint64_t clock = 0;
    std::uint64_t loads = 0;

    NameEntry& nameEntry(const QString& fileName)
    {
        auto it = names.find(fileName);
        if (it != names.end())
            return *it;
        if (names.size() >= kMaxNames)
            names.clear();
        QString absolute = fileName;
        if (!absolute.startsWith(u'/'))
            absolute = QDir::currentPath() + u'/' + fileName;
        NameEntry entry;
        const qsizetype slash = absolute.lastIndexOf(u'/');
        entry.folder = QFile::encodeName(slash == 0 ? QStringLiteral("/") : absolute.left(slash));
        entry.base = absolute.mid(slash + 1);
        entry.baseBytes = QFile::encodeName(entry.base);
        // Relative names are looked up afresh each time: the working directory may move.
        if (!fileName.startsWith(u'/')) {
            scratch = std::move(entry);
            return scratch;
        }
        return *names.insert(fileName, std::move(entry));
    }
    NameEntry scratch;

    std::shared_ptr<FileEntry> fileEntry(const QByteArray& path)
    {
        auto it = files.find(path);
        if (it != files.end())
            return *it;
        if (std::size_t(files.size()) >= kMaxFiles) {
            auto oldest = files.begin();
            for (auto f = files.begin(); f != files.end(); ++f)
                if ((*f)->lastUse < (*oldest)->lastUse)
                    oldest = f;
            (*oldest)->document.reset();
            files.erase(oldest);
        }
        auto entry = std::make_shared<FileEntry>();
        entry->path = path;
        files.insert(path, entry);
        return entry;
    }

    // Finds the file the name reaches in its folder: the name itself or another capitalisation.
    // Several capitalisations present: the first in byte order, whatever the caller wrote.
    void resolve(NameEntry& name)
    {
        name.resolved = true;
        name.file.reset();
        struct stat st
        {
        };
        name.folderIdentity = ::stat(name.folder.constData(), &st) == 0 ? identityOf(st) : Identity{};
        name.folderTrusted = name.folderIdentity.size < 0 || settled(name.folderIdentity);
        if (name.baseBytes.isEmpty())
            return;
        QByteArray found;
        if (DIR* dir = ::opendir(name.folder.constData())) {
            while (const dirent* e = ::readdir(dir)) {
                if (std::strcmp(e->d_name, ".") == 0 || std::strcmp(e->d_name, "..") == 0)
                    continue;
                if ((found.isEmpty() || std::strcmp(e->d_name, found.constData()) < 0) &&
                    sameFileName(e->d_name, name.base))
                    found = QByteArray(e->d_name);
            }
            ::closedir(dir);
        } else {
            const QByteArray exact = joined(name.folder, name.baseBytes);
            if (::stat(exact.constData(), &st) == 0)
                found = name.baseBytes;
        }
        if (!found.isEmpty())
            name.file = fileEntry(joined(name.folder, found));
    }

    // Reads the file into the entry; false when it cannot be read (then it counts as missing).
    bool load(FileEntry& file)
    {
        Fd fd(::open(file.path.constData(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid())
            return false;
        QByteArray bytes;
        Identity identity;
        for (int attempt = 0;; ++attempt) {
            struct stat before
            {
            };
            struct stat after
            {
            };
            if (::fstat(fd.get(), &before) != 0 || !S_ISREG(before.st_mode))
                return false;
            if (::lseek(fd.get(), 0, SEEK_SET) != 0 || !readAll(fd.get(), bytes, before.st_size))
                return false;
            if (::fstat(fd.get(), &after) != 0)
                return false;
            identity = identityOf(after);
            // A writer that rewrites the file in place while we read: read again.
            if ((identityOf(before) == identity && bytes.size() == after.st_size) || attempt == 3)
                break;
        }
        ++loads;
        file.trusted = settled(identity);
        file.identity = identity;
        if (!file.document || file.document->bytes() != bytes)
            file.document = std::make_shared<IniDocument>(std::move(bytes));
        return true;
    }

    // The current content of the file the name reaches, or null when there is none.
    FileEntry* current(NameEntry& name)
    {
        if (name.resolved) {
            if (!name.file) {
                struct stat st
                {
                };
                const Identity folder = ::stat(name.folder.constData(), &st) == 0 ? identityOf(st) : Identity{};
                if (name.folderTrusted && folder == name.folderIdentity)
                    return nullptr;
            } else {
                FileEntry& file = *name.file;
                struct stat st
                {
                };
                if (::stat(file.path.constData(), &st) == 0 && S_ISREG(st.st_mode)) {
                    if (file.document && file.trusted && file.identity == identityOf(st)) {
                        file.lastUse = ++clock;
                        return &file;
                    }
                    if (load(file)) {
                        file.lastUse = ++clock;
                        return &file;
                    }
                }
            }
        }
        resolve(name);
        if (!name.file)
            return nullptr;
        FileEntry& file = *name.file;
        struct stat st
        {
        };
        const bool fresh =
            ::stat(file.path.constData(), &st) == 0 && file.document && file.trusted && file.identity == identityOf(st);
        if (!fresh && !load(file)) {
            name.file.reset();
            return nullptr;
        }
        file.lastUse = ++clock;
        return &file;
    }

    using Edit = std::function<std::optional<QByteArray>(const IniDocument&)>;

    void modify(const QString& fileName, const Edit& edit, bool createsFile);
    Identity replaceFile(const QString& fileName, const QByteArray& target, const QByteArray& bytes,
                         const struct stat* old);
};

IniStore::IniStore() : impl_(std::make_unique<Impl>()) {}
IniStore::~IniStore() = default;

IniStore& IniStore::instance()
{
    static IniStore store;
    return store;
}

namespace {

std::optional<QString> valueIn(const IniDocument& document, QStringView section, QStringView key)
{
    const FileEncoding encoding = encodingOf(document.bytes());
    const auto sectionBytes = encodeName(trimmedName(section), encoding);
    const auto keyBytes = encodeName(trimmedName(key), encoding);
    if (!sectionBytes || !keyBytes)
        return std::nullopt;
    const auto raw = document.rawValue(*sectionBytes, *keyBytes);
    if (!raw)
        return std::nullopt;
    return limitedValue(readForm(decodeText(*raw, encoding)));
}

QStringList keyNamesIn(const IniDocument& document, QStringView section)
{
    QStringList keys;
    const FileEncoding encoding = encodingOf(document.bytes());
    const auto sectionBytes = encodeName(trimmedName(section), encoding);
    if (!sectionBytes)
        return keys;
    qsizetype bytes = 0;
    for (QByteArrayView name : document.keyNames(*sectionBytes)) {
        bytes += name.size() + 1;
        if (bytes > kMaxKeyListBytes)
            break;
        keys.append(decodeText(name, encoding));
    }
    return keys;
}

} // namespace

std::optional<QString> IniStore::readValue(const QString& fileName, QStringView section, QStringView key)
{
    std::lock_guard guard(impl_->mutex);
    Impl::FileEntry* file = impl_->current(impl_->nameEntry(fileName));
    if (!file)
        return std::nullopt;
    return valueIn(*file->document, section, key);
}

QStringList IniStore::keyNames(const QString& fileName, QStringView section)
{
    std::lock_guard guard(impl_->mutex);
    Impl::FileEntry* file = impl_->current(impl_->nameEntry(fileName));
    if (!file)
        return {};
    return keyNamesIn(*file->document, section);
}

IniStore::Version IniStore::currentVersion(const QString& fileName)
{
    std::lock_guard guard(impl_->mutex);
    Impl::FileEntry* file = impl_->current(impl_->nameEntry(fileName));
    if (!file)
        return nullptr;
    return file->document;
}

std::optional<QString> IniStore::readValue(const Version& version, QStringView section, QStringView key)
{
    if (!version)
        return std::nullopt;
    // The key index of a section is built on first use: one lookup at a time.
    std::lock_guard guard(impl_->mutex);
    return valueIn(*version, section, key);
}

QStringList IniStore::keyNames(const Version& version, QStringView section)
{
    if (!version)
        return {};
    std::lock_guard guard(impl_->mutex);
    return keyNamesIn(*version, section);
}

void IniStore::writeValue(const QString& fileName, QStringView section, QStringView key, QStringView value)
{
    const QStringView sectionName = trimmedName(section);
    const QStringView keyName = trimmedName(key);
    if (!writableName(sectionName, false))
        throw EIniFileError(fileName, QStringLiteral("neplatný název oddílu „%1“").arg(sectionName));
    if (!writableName(keyName, true))
        throw EIniFileError(fileName, QStringLiteral("neplatný název klíče „%1“").arg(keyName));
    std::lock_guard guard(impl_->mutex);
    impl_->modify(
        fileName,
        [&](const IniDocument& document) {
            const FileEncoding encoding = encodingOf(document.bytes());
            const auto sectionBytes = encodeName(sectionName, encoding);
            const auto keyBytes = encodeName(keyName, encoding);
            if (!sectionBytes || !keyBytes)
                throw EIniFileError(fileName, QStringLiteral("název nelze zapsat ve znakové sadě souboru"));
            const QByteArray stored = encodeText(storedForm(value, encoding), encoding);
            return document.withValue(*sectionBytes, *keyBytes, stored);
        },
        true);
}

void IniStore::deleteKey(const QString& fileName, QStringView section, QStringView key)
{
    const QStringView sectionName = trimmedName(section);
    const QStringView keyName = trimmedName(key);
    std::lock_guard guard(impl_->mutex);
    impl_->modify(
        fileName,
        [&](const IniDocument& document) -> std::optional<QByteArray> {
            const FileEncoding encoding = encodingOf(document.bytes());
            const auto sectionBytes = encodeName(sectionName, encoding);
            const auto keyBytes = encodeName(keyName, encoding);
            if (!sectionBytes || !keyBytes)
                return std::nullopt;
            return document.withoutKey(*sectionBytes, *keyBytes);
        },
        false);
}

void IniStore::dropCache()
{
    std::lock_guard guard(impl_->mutex);
    impl_->names.clear();
    impl_->files.clear();
}

std::uint64_t IniStore::loadCount() const
{
    std::lock_guard guard(impl_->mutex);
    return impl_->loads;
}

void IniStore::Impl::modify(const QString& fileName, const Edit& edit, bool createsFile)
{
    NameEntry& name = nameEntry(fileName);
    static const IniDocument kEmpty{QByteArray()};
    if (!createsFile) {
        // Nothing to remove: no lock, no folder access, nothing created.
        FileEntry* file = current(name);
        if (!file || !edit(*file->document))
            return;
    }
    if (name.baseBytes.isEmpty())
        throw EIniFileError(fileName, QStringLiteral("chybí název souboru"));

    Fd folder(::open(name.folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder.valid())
        fail(fileName, errno);
    FolderLock lock(folder.get());

    // Under the lock the folder and the file are looked at afresh: another process may have
    // created, renamed or rewritten the file since the last read.
    name.resolved = false;
    FileEntry* file = current(name);
    const IniDocument& document = file ? *file->document : kEmpty;
    std::optional<QByteArray> bytes = edit(document);
    if (!bytes)
        return;

    QByteArray target = file ? file->path : joined(name.folder, name.baseBytes);
    struct stat old
    {
    };
    bool viaLink = false;
    if (::lstat(target.constData(), &old) == 0 && S_ISLNK(old.st_mode)) {
        // Write through a symbolic link to the file it names, keeping the link.
        char* real = ::realpath(target.constData(), nullptr);
        if (real) {
            target = QByteArray(real);
            viaLink = true;
            std::free(real);
        }
    }
    const bool targetExists = ::stat(target.constData(), &old) == 0;
    if (targetExists) {
        if (!S_ISREG(old.st_mode))
            throw EIniFileError(fileName, QStringLiteral("není to soubor"));
        // The permission bits decide, also for the superuser: a read-only data file stays so.
        if ((old.st_mode & 0222) == 0 || ::access(target.constData(), W_OK) != 0)
            throw EIniFileError(fileName, QStringLiteral("soubor je jen pro čtení"));
    }

    const Identity identity = replaceFile(fileName, target, *bytes, targetExists ? &old : nullptr);

    std::shared_ptr<FileEntry> entry = fileEntry(target);
    entry->identity = identity;
    entry->trusted = settled(identity);
    entry->document = std::make_shared<IniDocument>(std::move(*bytes));
    entry->lastUse = ++clock;
    // Other spellings of names in this folder look again: the write may have settled which of
    // several capitalisations is the file.
    for (NameEntry& other : names)
        if (other.folder == name.folder)
            other.resolved = false;
    if (viaLink) {
        name.resolved = false;
    } else {
        name.file = entry;
        name.resolved = true;
    }
}

Identity IniStore::Impl::replaceFile(const QString& fileName, const QByteArray& target, const QByteArray& bytes,
                                     const struct stat* old)
{
    const QByteArray folder = folderOf(target);
    const QByteArray temp = joined(folder, '.' + baseOf(target) + ".lodgera-tmp");
    // Only a writer that holds the lock uses the temporary file: one that is there now was left
    // by a writer that died.
    ::unlink(temp.constData());
    Fd fd(::open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, old ? 0600 : 0666));
    if (!fd.valid())
        fail(fileName, errno);
    const auto abandon = [&](int error) {
        fd.reset();
        ::unlink(temp.constData());
        fail(fileName, error);
    };
    if (const int e = runHook(WriteStage::TempOpened))
        abandon(e);
    if (old) {
        ::fchmod(fd.get(), old->st_mode & 07777);
        // The superuser keeps the owner too; others cannot change it and keep their own.
        if (::geteuid() == 0) {
            const int owned = ::fchown(fd.get(), old->st_uid, old->st_gid);
            (void)owned;
        }
    }
    const qsizetype half = bytes.size() / 2;
    if (!writeAll(fd.get(), bytes.constData(), half))
        abandon(errno);
    if (const int e = runHook(WriteStage::PartWritten))
        abandon(e);
    if (!writeAll(fd.get(), bytes.constData() + half, bytes.size() - half))
        abandon(errno);
    if (const int e = runHook(WriteStage::TempWritten))
        abandon(e);
    if (::fsync(fd.get()) != 0)
        abandon(errno);
    if (::rename(temp.constData(), target.constData()) != 0)
        abandon(errno);
    runHook(WriteStage::Renamed);
    struct stat st
    {
    };
    ::fstat(fd.get(), &st);
    fd.reset();
    // The new content is in place; flushing the folder makes the rename itself durable. A file
    // system that cannot flush a folder does not make the write fail after the fact.
    Fd dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.valid())
        ::fsync(dir.get());
    return identityOf(st);
}

} // namespace ini
