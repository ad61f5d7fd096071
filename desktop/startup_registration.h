#pragma once
// StartupRegistration: starting a program when the user logs in, as XDG autostart entries in
// $XDG_CONFIG_HOME/autostart (normally ~/.config/autostart). The entry "<name>.desktop" starts the
// program at every login; "<name>-runonce.desktop" starts it at the next login only, removing
// itself before the program starts. Every operation looks at the folder afresh.

#include <QString>

#include <stdexcept>

// What an entry starts: a program, with a working folder.
struct StartupCommand
{
    QString program;
    QString folder;
};

// An entry could not be written, for want of rights to the folder. The message names the entry.
class EStartupRegistrationError final : public std::runtime_error
{
public:
    EStartupRegistrationError(const QString& entryPath, const QString& reason);
};

class StartupRegistration final
{
public:
    // The entries of this login session's autostart folder.
    StartupRegistration();
    // The entries of the given folder (tests).
    explicit StartupRegistration(const QString& folder);

    // $XDG_CONFIG_HOME/autostart, or ~/.config/autostart when the variable is unset or not absolute.
    static QString defaultFolder();

    const QString& folder() const { return folder_; }
    QString runEntryPath(const QString& name) const;
    QString runOnceEntryPath(const QString& name) const;

    // Whether an entry of that name starts the program at every login. An unreadable folder gives false.
    bool isRegistered(const QString& name) const;
    // Whether an entry of that name starts the program at the next login only.
    bool isRegisteredOnce(const QString& name) const;

    // First the run-once entry, then the every-login entry: each is written with the command when
    // its flag is set and removed otherwise. A missing folder is created. Raises
    // EStartupRegistrationError when an entry cannot be written; removing a missing entry, or one
    // the folder does not let go, does nothing.
    void set(const QString& name, const StartupCommand& command, bool run, bool runOnce) const;

private:
    QString folder_;
};
