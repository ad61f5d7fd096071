#include "store/ini_transaction.h"

#include "store/ini_codec.h"
#include "store/ini_disk.h"
#include "store/ini_document.h"
#include "store/ini_draft.h"
#include "store/ini_file.h"
#include "store/ini_store.h"
#include "store/ini_values.h"
#include "store/regional_settings.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <optional>
#include <vector>

#include <unistd.h>

using namespace ini;

struct IniTransaction::Impl
{
    // One data file as the transaction sees it.
    struct File
    {
        QString fileName; // as first named (for a new file: as first written)
        IniStore::Target target;
        std::unique_ptr<IniDraft> draft;
        FileEncoding encoding = FileEncoding::Windows1250;
        bool written = false;
    };

    QString directory;
    QByteArray folder;
    struct stat folderStatus
    {
    };
    std::unique_ptr<disk::FolderLock> lock;
    std::vector<std::unique_ptr<disk::FolderLock>> linkedFolderLocks;
    std::vector<std::unique_ptr<File>> files;
    QHash<QString, File*> byName;
    bool finished = false;

    File& file(const QString& fileName);
    void checkWritable(const File& file) const;
    void release()
    {
        finished = true;
        byName.clear();
        files.clear();
        linkedFolderLocks.clear();
        lock.reset();
    }
};

namespace {

QByteArray absoluteFolder(const QString& directory)
{
    QString path = directory;
    if (path.isEmpty())
        path = QDir::currentPath();
    else if (!path.startsWith(u'/'))
        path = QDir::currentPath() + u'/' + path;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return QFile::encodeName(path);
}

bool sameFolder(const QByteArray& path, const struct stat& folder)
{
    struct stat st
    {
    };
    return ::stat(path.constData(), &st) == 0 && st.st_dev == folder.st_dev && st.st_ino == folder.st_ino;
}

// The key under which a file is kept: the file a name reaches, or for a file not made yet its
// name without regard to letter case.
QString fileKey(const QString& fileName, const IniStore::Target& target)
{
    if (target.exists)
        return QStringLiteral("P:") + QFile::decodeName(target.path);
    return QStringLiteral("N:") + QFile::decodeName(target.nameFolder) + u'/' +
           fileName.mid(fileName.lastIndexOf(u'/') + 1).toCaseFolded();
}

} // namespace

IniTransaction::Impl::File& IniTransaction::Impl::file(const QString& fileName)
{
    if (finished)
        throw EIniFileError(fileName, QStringLiteral("akce je již ukončena"));
    if (File* known = byName.value(fileName))
        return *known;
    IniStore& store = IniStore::instance();
    IniStore::Target target = store.locateForWrite(fileName);
    if (!sameFolder(target.nameFolder, folderStatus))
        throw EIniFileError(fileName, QStringLiteral("soubor není ve složce „%1“").arg(directory));
    const QString key = fileKey(fileName, target);
    for (const auto& known : files)
        if (fileKey(known->fileName, known->target) == key) {
            byName.insert(fileName, known.get());
            return *known;
        }
    // A data file that links into another folder: that folder's writers wait too.
    if (!sameFolder(target.folder, folderStatus)) {
        bool locked = false;
        for (const auto& other : linkedFolderLocks)
            locked = locked || other->folder() == target.folder;
        if (!locked) {
            linkedFolderLocks.push_back(std::make_unique<disk::FolderLock>(target.folder, fileName));
            linkedFolderLocks.back()->holdForTransaction();
            disk::recoverFolder(target.folder);
            disk::removeLeftovers(target.folder);
            target = store.locateForWrite(fileName);
        }
    }
    auto made = std::make_unique<File>();
    made->fileName = fileName;
    made->target = target;
    IniStore::Version version = store.readForWrite(fileName, target);
    if (!version)
        version = std::make_shared<const IniDocument>(QByteArray());
    made->encoding = encodingOf(version->bytes());
    made->draft = std::make_unique<IniDraft>(std::move(version));
    files.push_back(std::move(made));
    byName.insert(fileName, files.back().get());
    return *files.back();
}

void IniTransaction::Impl::checkWritable(const File& file) const
{
    // The permission bits decide, also for the superuser: a read-only data file stays so.
    const IniStore::Target& target = file.target;
    if (target.exists && ((target.status.st_mode & 0222) == 0 || ::access(target.path.constData(), W_OK) != 0))
        throw EIniFileError(file.fileName, QStringLiteral("soubor je jen pro čtení"));
}

IniTransaction::IniTransaction(const QString& directory) : impl_(std::make_unique<Impl>())
{
    impl_->directory = directory;
    impl_->folder = absoluteFolder(directory);
    impl_->lock = std::make_unique<disk::FolderLock>(impl_->folder, directory);
    impl_->lock->holdForTransaction();
    if (::stat(impl_->folder.constData(), &impl_->folderStatus) != 0)
        disk::fail(directory, errno);
    disk::recoverFolder(impl_->folder);
    disk::removeLeftovers(impl_->folder);
}

IniTransaction::~IniTransaction()
{
    if (!impl_->finished)
        impl_->release();
}

QString IniTransaction::ReadString(const QString& fileName, const QString& section, const QString& key,
                                   const QString& defaultValue) const
{
    Impl::File& file = impl_->file(fileName);
    const auto sectionBytes = encodeName(trimmedName(section), file.encoding);
    const auto keyBytes = encodeName(trimmedName(key), file.encoding);
    if (!sectionBytes || !keyBytes)
        return defaultForm(defaultValue);
    const auto raw = file.draft->rawValue(*sectionBytes, *keyBytes);
    if (!raw)
        return defaultForm(defaultValue);
    return limitedValue(readForm(decodeText(*raw, file.encoding)));
}

int IniTransaction::ReadInteger(const QString& fileName, const QString& section, const QString& key,
                                int defaultValue) const
{
    const QString text = ReadString(fileName, section, key, QString());
    return parseInteger(text).value_or(defaultValue);
}

bool IniTransaction::ReadBool(const QString& fileName, const QString& section, const QString& key,
                              bool defaultValue) const
{
    return ReadInteger(fileName, section, key, defaultValue ? 1 : 0) != 0;
}

void IniTransaction::ReadSection(const QString& fileName, const QString& section, QStringList& keys) const
{
    keys.clear();
    Impl::File& file = impl_->file(fileName);
    const auto sectionBytes = encodeName(trimmedName(section), file.encoding);
    if (!sectionBytes)
        return;
    qsizetype bytes = 0;
    for (QByteArrayView name : file.draft->keyNames(*sectionBytes)) {
        bytes += name.size() + 1;
        if (bytes > kMaxKeyListBytes)
            break;
        keys.append(decodeText(name, file.encoding));
    }
}

void IniTransaction::WriteString(const QString& fileName, const QString& section, const QString& key,
                                 const QString& value)
{
    checkWritableNames(fileName, section, key);
    Impl::File& file = impl_->file(fileName);
    impl_->checkWritable(file);
    const auto sectionBytes = encodeName(trimmedName(section), file.encoding);
    const auto keyBytes = encodeName(trimmedName(key), file.encoding);
    if (!sectionBytes || !keyBytes)
        throw EIniFileError(fileName, QStringLiteral("název nelze zapsat ve znakové sadě souboru"));
    if (!file.target.exists && !file.written) {
        // A new file takes the name as its first writer spells it.
        file.fileName = fileName;
        file.target = IniStore::instance().locateForWrite(fileName);
    }
    file.written = true;
    file.draft->setValue(*sectionBytes, *keyBytes, encodeText(storedForm(value, file.encoding), file.encoding));
}

void IniTransaction::WriteInteger(const QString& fileName, const QString& section, const QString& key, int value)
{
    WriteString(fileName, section, key, QString::number(value));
}

void IniTransaction::WriteBool(const QString& fileName, const QString& section, const QString& key, bool value)
{
    WriteString(fileName, section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

void IniTransaction::WriteDateTime(const QString& fileName, const QString& section, const QString& key,
                                   const QDateTime& value)
{
    WriteString(fileName, section, key, RegionalSettings::dateTimeText(value));
}

void IniTransaction::DeleteKey(const QString& fileName, const QString& section, const QString& key)
{
    Impl::File& file = impl_->file(fileName);
    const auto sectionBytes = encodeName(trimmedName(section), file.encoding);
    const auto keyBytes = encodeName(trimmedName(key), file.encoding);
    if (!sectionBytes || !keyBytes || !file.draft->rawValue(*sectionBytes, *keyBytes))
        return;
    impl_->checkWritable(file);
    file.draft->removeKey(*sectionBytes, *keyBytes);
}

void IniTransaction::commit()
{
    if (impl_->finished)
        throw EIniFileError(impl_->directory, QStringLiteral("akce je již ukončena"));
    std::vector<disk::Replacement> replacements;
    std::vector<Impl::File*> changed;
    for (const auto& file : impl_->files) {
        if (!file->draft->edited())
            continue;
        QByteArray bytes = file->draft->bytes();
        const QByteArray& original = file->draft->base().bytes();
        if (file->target.exists && bytes == original)
            continue;
        disk::Replacement replacement;
        replacement.fileName = file->fileName;
        replacement.target = file->target.path;
        replacement.bytes = std::move(bytes);
        replacement.existed = file->target.exists;
        replacement.old = file->target.status;
        replacement.original = original;
        replacements.push_back(std::move(replacement));
        changed.push_back(file.get());
    }
    try {
        disk::replaceFiles(replacements, impl_->folder);
    } catch (...) {
        impl_->release();
        throw;
    }
    for (std::size_t i = 0; i < changed.size(); ++i)
        IniStore::instance().replaced(changed[i]->target, replacements[i].written,
                                      std::make_shared<IniDocument>(replacements[i].bytes));
    impl_->release();
}

void IniTransaction::rollback()
{
    impl_->release();
}
