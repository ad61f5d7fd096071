#include "desktop/program_path.h"

#include "tests/support/current_dir.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A working directory and a separate program folder, each holding one program file.
class ProgramPathTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid() && folder.isValid());
        touch(work.filePath(QStringLiteral("vorlen.exe")));
        touch(folder.filePath(QStringLiteral("drusko.exe")));
        QDir::setCurrent(work.path());
    }
    static void touch(const QString& path)
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }

    ScopedCurrentDir restore;
    QTemporaryDir work, folder;
};

TEST_F(ProgramPathTest, RelativeNameIsLookedUpInTheGivenFolderFirst)
{
    EXPECT_EQ(resolveProgramPath(QStringLiteral("drusko.exe"), folder.path()),
              folder.filePath(QStringLiteral("drusko.exe")));
}

TEST_F(ProgramPathTest, WithoutFolderTheWorkingDirectoryComesBeforeTheSearchPath)
{
    EXPECT_EQ(resolveProgramPath(QStringLiteral("vorlen.exe"), {}), work.filePath(QStringLiteral("vorlen.exe")));
}

TEST_F(ProgramPathTest, FolderGivenDoesNotFallBackToTheWorkingDirectory)
{
    // The working folder is where the program is looked for; a same-named file elsewhere is not it.
    EXPECT_EQ(resolveProgramPath(QStringLiteral("vorlen.exe"), folder.path()), QStringLiteral("vorlen.exe"));
}

TEST_F(ProgramPathTest, SearchPathAndAbsoluteNames)
{
    EXPECT_EQ(resolveProgramPath(QStringLiteral("sh"), {}), QStandardPaths::findExecutable(QStringLiteral("sh")));
    EXPECT_EQ(resolveProgramPath(QStringLiteral("/no/such/program"), {}), QStringLiteral("/no/such/program"));
    EXPECT_EQ(resolveProgramPath(QStringLiteral("missing.exe"), {}), QStringLiteral("missing.exe"));
    EXPECT_EQ(resolveProgramPath({}, folder.path()), QString());
}

} // namespace
