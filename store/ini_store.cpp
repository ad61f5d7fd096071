#include "store/ini_store.h"

#include "store/ini_codec.h"
#include "store/ini_disk.h"
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
#include <optional>

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

bool timestampsSettled(const timespec& modified, const timespec& changed, const timespec& now)
{
    const std::int64_t latest = std::max(nanoseconds(modified), nanoseconds(changed));
    const bool coarse = modified.tv_nsec == 0 && changed.tv_nsec == 0;
    const std::int64_t window = coarse ? 3'000'000'000LL : 25'000'000LL;
    return nanoseconds(now) - latest >= window;
}

QStringView trimmedName(QStringView name)
{
    qsizetype b = 0;
    qsizetype e = name.size();
    while (b < e && isBlankChar(name[b]))
        ++b;
    while (e > b && isBlankChar(name[e - 1]))
        --e;
    return name.sliced(b, e - b);
}

namespace {

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

void checkWritableNames(const QString& fileName, QStringView section, QStringView key)
{
    const QStringView sectionName = trimmedName(section);
    const QStringView keyName = trimmedName(key);
    if (!writableName(sectionName, false))
        throw EIniFileError(fileName, QStringLiteral("neplatný název oddílu „%1“").arg(sectionName));
    if (!writableName(keyName, true))
        throw EIniFileError(fileName, QStringLiteral("neplatný název klíče „%1“").arg(keyName));
}

namespace {

using namespace disk;

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

bool sameFileName(const char* candidate, const QString& wanted)
{
    return QFile::decodeName(candidate).compare(wanted, Qt::CaseInsensitive) == 0;
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

    // Reads the file into the entry; errno when it cannot be read (ENOENT: it is gone).
    int load(FileEntry& file)
    {
        if (const int e = runHook(testing::WriteStage::FileRead))
            return e;
        Fd fd(::open(file.path.constData(), O_RDONLY | O_CLOEXEC));
        if (!fd.valid())
            return errno;
        QByteArray bytes;
        Identity identity;
        for (int attempt = 0;; ++attempt) {
            struct stat before
            {
            };
            struct stat after
            {
            };
            if (::fstat(fd.get(), &before) != 0)
                return errno;
            if (!S_ISREG(before.st_mode))
                return EISDIR;
            if (::lseek(fd.get(), 0, SEEK_SET) != 0 || !readAll(fd.get(), bytes, before.st_size))
                return errno;
            if (::fstat(fd.get(), &after) != 0)
                return errno;
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
        return 0;
    }

    // The file's content from the cache when it is unchanged, else read now; null when there is
    // no such file. A file that exists but cannot be read counts as missing for a reader; for a
    // writer (failName set) it is an error naming the file.
    FileEntry* contentOf(FileEntry& file, const QString* failName, const struct stat* known = nullptr)
    {
        struct stat st
        {
        };
        const bool found = known ? (st = *known, true) : ::stat(file.path.constData(), &st) == 0;
        if (found && file.document && file.trusted && file.identity == identityOf(st)) {
            file.lastUse = ++clock;
            return &file;
        }
        // A commit of a transaction that died halfway is undone before anything is read.
        recoverFolderIfFree(folderOf(file.path));
        if (const int error = load(file)) {
            if (failName && error != ENOENT)
                fail(*failName, error);
            return nullptr;
        }
        file.lastUse = ++clock;
        return &file;
    }

    // The current content of the file the name reaches, or null when there is none.
    FileEntry* current(NameEntry& name, const QString* failName = nullptr)
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
                if (::stat(file.path.constData(), &st) == 0 && S_ISREG(st.st_mode))
                    if (FileEntry* content = contentOf(file, failName, &st))
                        return content;
            }
        }
        resolve(name);
        if (!name.file)
            return nullptr;
        FileEntry* content = contentOf(*name.file, failName);
        if (!content)
            name.file.reset();
        return content;
    }

    // Where a write of the name goes, looked at afresh: the file the name reaches, or the new
    // file it makes, a symbolic link resolved to its end once.
    Target locate(NameEntry& name)
    {
        resolve(name);
        Target target;
        target.nameFolder = name.folder;
        target.path = linkTarget(name.file ? name.file->path : joined(name.folder, name.baseBytes));
        target.folder = folderOf(target.path);
        target.exists = ::stat(target.path.constData(), &target.status) == 0;
        return target;
    }

    // The content of the target for a write: null when it does not exist; an error naming the
    // file when it exists but cannot be read.
    Version readForWrite(const QString& fileName, const Target& target)
    {
        if (!target.exists)
            return nullptr;
        if (!S_ISREG(target.status.st_mode))
            throw EIniFileError(fileName, QStringLiteral("není to soubor"));
        FileEntry* file = contentOf(*fileEntry(target.path), &fileName);
        if (!file)
            return nullptr;
        return file->document;
    }

    // Tells the cache the content now in path.
    void replaced(const QByteArray& path, const struct stat& written, std::shared_ptr<IniDocument> document,
                  const QByteArray& nameFolder)
    {
        std::shared_ptr<FileEntry> entry = fileEntry(path);
        entry->identity = identityOf(written);
        entry->trusted = settled(entry->identity);
        entry->document = std::move(document);
        entry->lastUse = ++clock;
        // Other spellings of names in the folder look again: the write may have settled which of
        // several capitalisations is the file.
        for (NameEntry& other : names)
            if (other.folder == nameFolder || other.folder == folderOf(path))
                other.resolved = false;
    }

    using Edit = std::function<std::optional<QByteArray>(const IniDocument&)>;

    void modify(const QString& fileName, const Edit& edit, bool createsFile);
};

IniStore::IniStore() : impl_(std::make_unique<Impl>()) {}
IniStore::~IniStore() = default;

IniStore& IniStore::instance()
{
    static IniStore store;
    return store;
}

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
    checkWritableNames(fileName, section, key);
    const QStringView sectionName = trimmedName(section);
    const QStringView keyName = trimmedName(key);
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

IniStore::Target IniStore::locateForWrite(const QString& fileName)
{
    std::lock_guard guard(impl_->mutex);
    return impl_->locate(impl_->nameEntry(fileName));
}

IniStore::Version IniStore::readForWrite(const QString& fileName, const Target& target)
{
    std::lock_guard guard(impl_->mutex);
    return impl_->readForWrite(fileName, target);
}

void IniStore::replaced(const Target& target, const struct stat& written, std::shared_ptr<IniDocument> document)
{
    std::lock_guard guard(impl_->mutex);
    impl_->replaced(target.path, written, std::move(document), target.nameFolder);
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
        FileEntry* file = current(name, &fileName);
        if (!file || !edit(*file->document))
            return;
    }
    if (name.baseBytes.isEmpty())
        throw EIniFileError(fileName, QStringLiteral("chybí název souboru"));

    // The lock of the folder the file is written in. Under the lock the folder and the file are
    // looked at afresh: another process may have created, renamed or linked the file since.
    Target target = locate(name);
    std::optional<FolderLock> lock;
    for (int attempt = 0;; ++attempt) {
        lock.emplace(target.folder, fileName);
        const Target now = locate(name);
        if (now.folder == target.folder || attempt == 3) {
            target = now;
            break;
        }
        lock.reset();
        target = now;
    }
    recoverFolder(target.folder);
    removeLeftovers(target.folder);
    target = locate(name);

    const Version version = readForWrite(fileName, target);
    std::optional<QByteArray> bytes = edit(version ? *version : kEmpty);
    if (!bytes)
        return;
    if (target.exists) {
        // The permission bits decide, also for the superuser: a read-only data file stays so.
        if ((target.status.st_mode & 0222) == 0 || ::access(target.path.constData(), W_OK) != 0)
            throw EIniFileError(fileName, QStringLiteral("soubor je jen pro čtení"));
    }

    std::vector<Replacement> files(1);
    Replacement& file = files.front();
    file.fileName = fileName;
    file.target = target.path;
    file.bytes = *bytes;
    file.existed = target.exists;
    file.old = target.status;
    if (version)
        file.original = version->bytes();
    replaceFiles(files);
    replaced(target.path, file.written, std::make_shared<IniDocument>(std::move(*bytes)), target.nameFolder);
}

} // namespace ini
