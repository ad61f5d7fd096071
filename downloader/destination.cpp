#include "downloader/destination.h"

namespace downloader {

QString destinationName(const QString& address)
{
    const qsizetype slash = address.lastIndexOf(QLatin1Char('/'));
    QString name = slash < 0 ? address : address.mid(slash + 1);
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        name.clear();
    return name;
}

QString destinationPath(const QString& directory, const QString& address)
{
    return directory + destinationName(address);
}

} // namespace downloader
