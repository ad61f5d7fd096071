#pragma once
// Where the downloader saves what it fetches: the working directory followed by the last path
// segment of the address. Pure text rules, no file system access.

#include <QString>

namespace downloader {

// The file name the address gives: the text after its last "/", or the whole address when it has
// none. "." and ".." name a directory rather than a file of the working directory and give the
// empty name, like an address that ends in "/"; the name never holds a "/", so a destination built
// from it cannot leave the working directory.
QString destinationName(const QString& address);

// directory (ending in "/" as DirectoryLocator gives it) followed directly by destinationName().
// An empty name leaves the directory itself, which cannot be created as a file.
QString destinationPath(const QString& directory, const QString& address);

} // namespace downloader
