#include "desktop/directory_locator.h"

#include "tests/support/current_dir.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

struct CurrentDirectoryCase
{
    const char* name;
    // Moves the working directory somewhere below root and returns the expected answer.
    std::function<QString(const QString& root)> enter;
};

// Names the row in test output.
void PrintTo(const CurrentDirectoryCase& row, std::ostream* out)
{
    *out << row.name;
}

class CurrentDirectoryTest : public ::testing::TestWithParam<CurrentDirectoryCase>
{
protected:
    ScopedCurrentDir restore;
    QTemporaryDir root;
};

TEST_P(CurrentDirectoryTest, EndsInOneSeparator)
{
    ASSERT_TRUE(root.isValid());
    const QString expected = GetParam().enter(root.path());
    EXPECT_EQ(DirectoryLocator().CurrentDirectory(), expected);
}

QString enterNew(const QString& path)
{
    QDir().mkpath(path);
    QDir::setCurrent(path);
    return path;
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CurrentDirectoryTest,
    ::testing::Values(
        CurrentDirectoryCase{"PlainFolderGetsSeparator",
                             [](const QString& root) { return enterNew(root + QStringLiteral("/Data")) + u'/'; }},
        CurrentDirectoryCase{"RootStaysAsItIs",
                             [](const QString&) {
                                 QDir::setCurrent(QStringLiteral("/"));
                                 return QStringLiteral("/");
                             }},
        CurrentDirectoryCase{"NonAsciiName",
                             [](const QString& root) { return enterNew(root + QStringLiteral("/Přízemí")) + u'/'; }},
        // Longer than the 249 characters of the old fixed buffer: the whole path, never a cut one.
        CurrentDirectoryCase{"LongPathWhole",
                             [](const QString& root) {
                                 QString path = root;
                                 for (int i = 0; i < 12; ++i)
                                     path += QStringLiteral("/folder_with_a_rather_long_name_%1").arg(i);
                                 return enterNew(path) + u'/';
                             }},
        // The platform cannot answer for a directory that no longer exists.
        CurrentDirectoryCase{"RemovedDirectoryIsEmpty",
                             [](const QString& root) {
                                 const QString gone = enterNew(root + QStringLiteral("/gone"));
                                 QDir(gone).removeRecursively();
                                 return QString();
                             }}),
    [](const ::testing::TestParamInfo<CurrentDirectoryCase>& info) { return std::string(info.param.name); });

TEST(DirectoryLocator, EveryKnownFolderIsEmptyOrEndsInSeparator)
{
    const DirectoryLocator dir;
    for (const QString& folder : {dir.WindowsDirectory(), dir.SystemDirectory(), dir.TempPath(), dir.ProgramFiles(),
                                  dir.ApplicationData(), dir.Cache(), dir.Cookies(), dir.Desktop(), dir.Favorites(),
                                  dir.Fonts(), dir.History(), dir.NetHood(), dir.Personal(), dir.Programs(),
                                  dir.Recent(), dir.SendTo(), dir.StartMenu(), dir.Startup(), dir.Templates()}) {
        EXPECT_TRUE(folder.isEmpty() || (folder.endsWith(u'/') && !folder.endsWith(QStringLiteral("//"))))
            << folder.toStdString();
    }
    EXPECT_EQ(dir.TempPath(), DirectoryLocator::withSeparator(QDir::tempPath()));
}

} // namespace
