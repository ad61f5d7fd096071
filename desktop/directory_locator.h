#pragma once
// DirectoryLocator: the process's current directory and a few well-known folders, each ending in
// this platform's separator "/". The program reads only CurrentDirectory (the data directory);
// the other folders answer from the XDG folders or the closest Linux equivalent. A folder that
// cannot be determined is an empty text.

#include <QString>

class DirectoryLocator final
{
public:
    // The working directory with "/" appended unless it already ends in one; empty when the
    // platform cannot answer (for instance when the directory has been removed). The whole path
    // is returned, however long it is.
    QString CurrentDirectory() const;

    QString WindowsDirectory() const; // /etc, the system-wide configuration
    QString SystemDirectory() const;  // /usr/lib
    QString TempPath() const;
    QString ProgramFiles() const; // /opt
    QString ApplicationData() const;
    QString Cache() const;
    QString Cookies() const; // no equivalent: empty
    QString Desktop() const;
    QString Favorites() const; // no equivalent: empty
    QString Fonts() const;
    QString History() const; // no equivalent: empty
    QString NetHood() const; // no equivalent: empty
    QString Personal() const;
    QString Programs() const; // the user's application entries
    QString Recent() const;   // no equivalent: empty
    QString SendTo() const;   // no equivalent: empty
    QString StartMenu() const;
    QString Startup() const; // the user's autostart folder
    QString Templates() const;

    // The folder rule shared by every property: append "/" to a non-empty text that lacks it.
    static QString withSeparator(const QString& folder);
};
