#pragma once
// Puts the process's working directory back when the guard goes out of scope.

#include <QDir>
#include <QString>

class ScopedCurrentDir
{
public:
    ScopedCurrentDir() : old_(QDir::currentPath()) {}
    ~ScopedCurrentDir() { QDir::setCurrent(old_); }
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    QString old_;
};
