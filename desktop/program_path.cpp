#include "desktop/program_path.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString resolveProgramPath(const QString& file, const QString& folder)
{
    if (file.isEmpty() || QDir::isAbsolutePath(file))
        return file;
    const QDir base = folder.isEmpty() ? QDir::current() : QDir(folder);
    const QString local = base.absoluteFilePath(file);
    if (QFileInfo(local).isFile())
        return QDir::cleanPath(local);
    if (!file.contains(QLatin1Char('/'))) {
        const QString onPath = QStandardPaths::findExecutable(file);
        if (!onPath.isEmpty())
            return onPath;
    }
    return file;
}
