#pragma once
// A temporary data directory for store tests, with raw access to the files in it.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

// Runs body in a child process (another desk); returns its pid. The child ends with _exit, never
// returning into the test.
template <typename Body> pid_t spawn(Body body)
{
    const pid_t pid = ::fork();
    if (pid == 0) {
        int code = 0;
        try {
            body();
        } catch (...) {
            code = 3;
        }
        ::_exit(code);
    }
    return pid;
}

// The child's exit code, or minus the signal that ended it.
inline int exitCodeOf(pid_t pid)
{
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

class IniFolderTest : public ::testing::Test
{
protected:
    QString path(const QString& name) const { return dir_.path() + u'/' + name; }
    QString path(const char* name) const { return path(QString::fromUtf8(name)); }

    QByteArray bytes(const char* name) const
    {
        QFile file(path(name));
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray("<missing>");
        return file.readAll();
    }

    // Writes the file in place, as an editor or another program would.
    void put(const char* name, const QByteArray& content) const
    {
        QFile file(path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(file.write(content), content.size());
    }

    bool exists(const char* name) const { return QFile::exists(path(name)); }

    QTemporaryDir dir_;
};
