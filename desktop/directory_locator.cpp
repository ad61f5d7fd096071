#include "desktop/directory_locator.h"

#include <QDir>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace {

QString standard(QStandardPaths::StandardLocation location)
{
    return DirectoryLocator::withSeparator(QStandardPaths::writableLocation(location));
}

} // namespace

QString DirectoryLocator::withSeparator(const QString& folder)
{
    if (folder.isEmpty() || folder.endsWith(QLatin1Char('/')))
        return folder;
    return folder + QLatin1Char('/');
}

QString DirectoryLocator::CurrentDirectory() const
{
    // getcwd with a growing buffer: a data directory cut short would send every file elsewhere.
    std::vector<char> buffer(256);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE)
            return {};
        buffer.resize(buffer.size() * 2);
    }
    return withSeparator(QFile::decodeName(buffer.data()));
}

QString DirectoryLocator::WindowsDirectory() const
{
    return QStringLiteral("/etc/");
}

QString DirectoryLocator::SystemDirectory() const
{
    return QStringLiteral("/usr/lib/");
}

QString DirectoryLocator::TempPath() const
{
    return withSeparator(QDir::tempPath());
}

QString DirectoryLocator::ProgramFiles() const
{
    return QStringLiteral("/opt/");
}

QString DirectoryLocator::ApplicationData() const
{
    return standard(QStandardPaths::GenericDataLocation);
}

QString DirectoryLocator::Cache() const
{
    return standard(QStandardPaths::GenericCacheLocation);
}

QString DirectoryLocator::Cookies() const
{
    return {};
}

QString DirectoryLocator::Desktop() const
{
    return standard(QStandardPaths::DesktopLocation);
}

QString DirectoryLocator::Favorites() const
{
    return {};
}

QString DirectoryLocator::Fonts() const
{
    return standard(QStandardPaths::FontsLocation);
}

QString DirectoryLocator::History() const
{
    return {};
}

QString DirectoryLocator::NetHood() const
{
    return {};
}

QString DirectoryLocator::Personal() const
{
    return standard(QStandardPaths::DocumentsLocation);
}

QString DirectoryLocator::Programs() const
{
    return standard(QStandardPaths::ApplicationsLocation);
}

QString DirectoryLocator::Recent() const
{
    return {};
}

QString DirectoryLocator::SendTo() const
{
    return {};
}

QString DirectoryLocator::StartMenu() const
{
    return standard(QStandardPaths::ApplicationsLocation);
}

QString DirectoryLocator::Startup() const
{
    const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return config.isEmpty() ? QString() : withSeparator(config + QStringLiteral("/autostart"));
}

QString DirectoryLocator::Templates() const
{
    return standard(QStandardPaths::TemplatesLocation);
}
