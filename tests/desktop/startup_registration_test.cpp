#include "desktop/startup_registration.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

const QString kName = QStringLiteral("Lodgera");

class StartupRegistrationTest : public ::testing::Test
{
protected:
    QString autostart() const { return home.path() + QStringLiteral("/autostart"); }
    StartupRegistration registration() const { return StartupRegistration(autostart()); }
    QStringList entries() const { return QDir(autostart()).entryList(QDir::Files | QDir::Hidden); }

    // An executable shell script that notes its working folder beside itself.
    QString program(const QString& folder) const
    {
        EXPECT_TRUE(QDir().mkpath(folder));
        const QString path = folder + QStringLiteral("/hotel");
        QFile script(path);
        EXPECT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\npwd > \"$(dirname \"$0\")/started-in\"\n");
        script.close();
        script.setPermissions(script.permissions() | QFile::ExeOwner);
        return path;
    }

    // The entry started as a desktop session starts it: through GLib's launcher.
    static void launch(const QString& entry)
    {
        QProcess gio;
        gio.start(QStringLiteral("gio"), {QStringLiteral("launch"), entry});
        ASSERT_TRUE(gio.waitForFinished(10000));
        ASSERT_EQ(gio.exitCode(), 0) << gio.readAllStandardError().toStdString();
    }

    static std::optional<QString> waitForFile(const QString& path)
    {
        QElapsedTimer timer;
        timer.start();
        while (timer.elapsed() < 10000) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly)) {
                const QString text = QString::fromUtf8(file.readAll()).trimmed();
                if (!text.isEmpty())
                    return text;
            }
            QThread::msleep(20);
        }
        return std::nullopt;
    }

    QTemporaryDir home;
};

struct SetCase
{
    const char* name;
    bool run;
    bool runOnce;
};

class SetEntries : public StartupRegistrationTest, public ::testing::WithParamInterface<SetCase>
{
};

TEST_P(SetEntries, WritesTheEntriesAskedForAndRemovesTheOthers)
{
    const StartupCommand command{QStringLiteral("/usr/bin/hotel"), QStringLiteral("/srv/hotel/")};
    // From nothing …
    registration().set(kName, command, GetParam().run, GetParam().runOnce);
    EXPECT_EQ(registration().isRegistered(kName), GetParam().run);
    EXPECT_EQ(registration().isRegisteredOnce(kName), GetParam().runOnce);
    if (!GetParam().run && !GetParam().runOnce) {
        EXPECT_FALSE(QFileInfo::exists(autostart())) << "nothing to write, nothing created";
    }
    // … and from both entries present.
    registration().set(kName, command, true, true);
    registration().set(kName, command, GetParam().run, GetParam().runOnce);
    EXPECT_EQ(registration().isRegistered(kName), GetParam().run);
    EXPECT_EQ(registration().isRegisteredOnce(kName), GetParam().runOnce);
}

INSTANTIATE_TEST_SUITE_P(Rows, SetEntries,
                         ::testing::Values(SetCase{"Neither", false, false}, SetCase{"RunOnly", true, false},
                                           SetCase{"OnceOnly", false, true}, SetCase{"Both", true, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StartupRegistrationTest, OtherEntriesOfTheFolderStay)
{
    ASSERT_TRUE(QDir().mkpath(autostart()));
    QFile other(autostart() + QStringLiteral("/mail.desktop"));
    ASSERT_TRUE(other.open(QIODevice::WriteOnly));
    other.close();
    registration().set(kName, {QStringLiteral("/usr/bin/hotel"), {}}, true, false);
    registration().set(kName, {QStringLiteral("/usr/bin/hotel"), {}}, false, false);
    EXPECT_EQ(entries(), QStringList{QStringLiteral("mail.desktop")});
    EXPECT_FALSE(StartupRegistration(home.path() + QStringLiteral("/missing")).isRegistered(kName));
}

TEST_F(StartupRegistrationTest, RunEntryStartsTheProgramInItsFolderWhateverThePathHolds)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    // Blanks, quotes, a dollar and a backslash: each has a meaning in an Exec line.
    const QString folder = home.path() + QStringLiteral("/Hotel \"U Lípy\" $HOME a\\b");
    const QString hotel = program(folder);
    registration().set(kName, {hotel, folder + u'/'}, true, false);

    launch(registration().runEntryPath(kName));
    const auto startedIn = waitForFile(folder + QStringLiteral("/started-in"));
    ASSERT_TRUE(startedIn.has_value());
    EXPECT_EQ(*startedIn, folder);
    EXPECT_TRUE(registration().isRegistered(kName)) << "an every-login entry stays";
}

TEST_F(StartupRegistrationTest, RunOnceEntryRemovesItselfAndStartsTheProgram)
{
    if (QStandardPaths::findExecutable(QStringLiteral("gio")).isEmpty())
        GTEST_SKIP() << "gio (libglib2.0-bin) is not installed";
    const QString folder = home.path() + QStringLiteral("/data 'once'");
    const QString hotel = program(folder);
    registration().set(kName, {hotel, folder}, false, true);
    ASSERT_TRUE(registration().isRegisteredOnce(kName));

    launch(registration().runOnceEntryPath(kName));
    const auto startedIn = waitForFile(folder + QStringLiteral("/started-in"));
    ASSERT_TRUE(startedIn.has_value());
    EXPECT_EQ(*startedIn, folder);
    EXPECT_FALSE(registration().isRegisteredOnce(kName));
}

TEST_F(StartupRegistrationTest, UnwritableFolderRaisesTheNoRightsErrorAndRemovingThereDoesNothing)
{
    // A file where the folder should be cannot take entries, whoever we are.
    QFile blocker(autostart());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    for (const auto& [run, once] : {std::pair{true, false}, std::pair{false, true}}) {
        try {
            registration().set(kName, {QStringLiteral("/usr/bin/hotel"), {}}, run, once);
            ADD_FAILURE() << "no error for an unwritable folder";
        } catch (const EStartupRegistrationError& e) {
            const QString message = QString::fromUtf8(e.what());
            EXPECT_TRUE(message.contains(QStringLiteral("nemáte práva"))) << e.what();
            EXPECT_TRUE(message.contains(autostart())) << e.what();
        }
    }
    EXPECT_NO_THROW(registration().set(kName, {QStringLiteral("/usr/bin/hotel"), {}}, false, false));
    EXPECT_FALSE(registration().isRegistered(kName));
}

// Puts an environment variable back when the test ends.
class ScopedEnv
{
public:
    ScopedEnv(const char* name, const char* value) : name_(name), had_(qEnvironmentVariableIsSet(name))
    {
        old_ = qgetenv(name);
        if (value)
            qputenv(name, value);
        else
            qunsetenv(name);
    }
    ~ScopedEnv()
    {
        if (had_)
            qputenv(name_, old_);
        else
            qunsetenv(name_);
    }

private:
    const char* name_;
    bool had_;
    QByteArray old_;
};

TEST(StartupRegistrationFolder, FollowsXdgConfigHomeElseTheHomeConfigFolder)
{
    const QString fallback = QDir::homePath() + QStringLiteral("/.config/autostart");
    {
        ScopedEnv env("XDG_CONFIG_HOME", "/srv/desk/config");
        EXPECT_EQ(StartupRegistration::defaultFolder(), QStringLiteral("/srv/desk/config/autostart"));
        EXPECT_EQ(StartupRegistration().folder(), QStringLiteral("/srv/desk/config/autostart"));
    }
    {
        ScopedEnv env("XDG_CONFIG_HOME", "relative/config");
        EXPECT_EQ(StartupRegistration::defaultFolder(), fallback);
    }
    {
        ScopedEnv env("XDG_CONFIG_HOME", nullptr);
        EXPECT_EQ(StartupRegistration::defaultFolder(), fallback);
    }
}

} // namespace
