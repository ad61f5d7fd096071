#include "desktop/shell.h"

#include "tests/support/current_dir.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// A companion program stand-in: writes its working directory and arguments, one a line, to
// report.txt beside itself, via a temporary name so the report appears whole.
void writeReportingProgram(const QString& path, const QString& report)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"$a\"; done; } > '%1.tmp'\n"
                              "mv '%1.tmp' '%1'\n")
                   .arg(report)
                   .toUtf8());
    file.close();
    ASSERT_TRUE(file.setPermissions(file.permissions() | QFileDevice::ExeOwner));
}

// The report of a detached program; waits for it against a deadline (the program runs on its own).
QStringList awaitReport(const QString& report)
{
    const QDeadlineTimer deadline(10000);
    while (!QFile::exists(report) && !deadline.hasExpired())
        QThread::msleep(5);
    QFile file(report);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

TEST(DesktopShell, StartsRelativeProgramInItsFolderWithSplitParameters)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString report = folder.filePath(QStringLiteral("report.txt"));
    writeReportingProgram(folder.filePath(QStringLiteral("drusko.exe")), report);

    DesktopShell().startProgram(QStringLiteral("drusko.exe"), QStringLiteral("HOTEL \"two words\""), folder.path());

    EXPECT_EQ(awaitReport(report),
              QStringList({QDir(folder.path()).canonicalPath(), QStringLiteral("HOTEL"), QStringLiteral("two words")}));
}

TEST(DesktopShell, WithoutFolderStartsFromTheWorkingDirectory)
{
    ScopedCurrentDir restore;
    QTemporaryDir work;
    ASSERT_TRUE(work.isValid());
    const QString report = work.filePath(QStringLiteral("report.txt"));
    writeReportingProgram(work.filePath(QStringLiteral("vorlen.exe")), report);
    QDir::setCurrent(work.path());

    DesktopShell().startProgram(QStringLiteral("vorlen.exe"), {}, {});

    EXPECT_EQ(awaitReport(report), QStringList({QDir(work.path()).canonicalPath()}));
}

} // namespace
