#pragma once
// Test helper: puts the process's working directory back when the test ends.

#include <QDir>
#include <QString>

#include <unistd.h>

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
