#include "desktop/startup_registration.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

// A value of type string in a desktop entry: backslashes and control characters escaped.
QString escapeValue(const QString& value)
{
    QString out;
    out.reserve(value.size());
    for (const QChar c : value) {
        if (c == u'\\')
            out += QStringLiteral("\\\\");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\t')
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

// One argument of an Exec line: always quoted, with the characters the quoting reserves escaped,
// and "%" doubled so that it is no field code.
QString execArgument(const QString& argument)
{
    QString out = QStringLiteral("\"");
    for (const QChar c : argument) {
        if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
            out += u'\\';
        if (c == u'%')
            out += u'%';
        out += c;
    }
    return out + u'"';
}

QString execLine(const QStringList& arguments)
{
    QStringList quoted;
    for (const QString& a : arguments)
        quoted << execArgument(a);
    return quoted.join(u' ');
}

QString desktopEntry(const QString& name, const QStringList& exec, const QString& folder)
{
    QString text = QStringLiteral("[Desktop Entry]\nType=Application\n");
    text += QStringLiteral("Name=") + escapeValue(name) + u'\n';
    text += QStringLiteral("Exec=") + escapeValue(execLine(exec)) + u'\n';
    if (!folder.isEmpty())
        text += QStringLiteral("Path=") + escapeValue(folder) + u'\n';
    text += QStringLiteral("Terminal=false\nX-GNOME-Autostart-enabled=true\n");
    return text;
}

void writeEntry(const QString& folder, const QString& path, const QString& content)
{
    if (!QDir().mkpath(folder))
        throw EStartupRegistrationError(path, QStringLiteral("složku nelze vytvořit"));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw EStartupRegistrationError(path, file.errorString());
    file.write(content.toUtf8());
    if (!file.commit())
        throw EStartupRegistrationError(path, file.errorString());
}

void removeEntry(const QString& path)
{
    // Nothing to remove, or a folder that keeps it: nothing happens.
    QFile::remove(path);
}

} // namespace

EStartupRegistrationError::EStartupRegistrationError(const QString& entryPath, const QString& reason)
    : std::runtime_error(QStringLiteral("Spuštění při startu nelze nastavit: nemáte práva k zápisu položky „%1“ (%2).")
                             .arg(entryPath, reason)
                             .toStdString())
{
}

StartupRegistration::StartupRegistration() : StartupRegistration(defaultFolder()) {}

StartupRegistration::StartupRegistration(const QString& folder) : folder_(folder) {}

QString StartupRegistration::defaultFolder()
{
    QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (config.isEmpty() || !QDir::isAbsolutePath(config))
        config = QDir::homePath() + QStringLiteral("/.config");
    return config + QStringLiteral("/autostart");
}

QString StartupRegistration::runEntryPath(const QString& name) const
{
    return folder_ + u'/' + name + QStringLiteral(".desktop");
}

QString StartupRegistration::runOnceEntryPath(const QString& name) const
{
    return folder_ + u'/' + name + QStringLiteral("-runonce.desktop");
}

bool StartupRegistration::isRegistered(const QString& name) const
{
    return QFileInfo(runEntryPath(name)).isFile();
}

bool StartupRegistration::isRegisteredOnce(const QString& name) const
{
    return QFileInfo(runOnceEntryPath(name)).isFile();
}

void StartupRegistration::set(const QString& name, const StartupCommand& command, bool run, bool runOnce) const
{
    const QString once = runOnceEntryPath(name);
    if (runOnce) {
        // The shell removes the entry, then becomes the program: it starts once, whatever becomes of it.
        const QStringList exec{QStringLiteral("/bin/sh"), QStringLiteral("-c"),
                               QStringLiteral("rm -f -- \"$0\"; exec \"$1\""), once, command.program};
        writeEntry(folder_, once, desktopEntry(name, exec, command.folder));
    } else {
        removeEntry(once);
    }

    const QString every = runEntryPath(name);
    if (run)
        writeEntry(folder_, every, desktopEntry(name, {command.program}, command.folder));
    else
        removeEntry(every);
}
