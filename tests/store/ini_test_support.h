#pragma once
// A temporary data directory for store tests, with raw access to the files in it.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include "tests/support/qt_print.h"

#include <gtest/gtest.h>

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
