#pragma once
// Shell: starting programs and opening addresses, behind one seam. Production uses
// QProcess::startDetached and QDesktopServices; tests use a recording double. Neither waits nor
// reports whether the program or address opened.

#include <QString>

#include <vector>

class Shell
{
public:
    virtual ~Shell() = default;
    // "open" of a program file with its parameters (one text, split like a command line; empty for
    // none) in a working folder (empty: the current directory).
    virtual void startProgram(const QString& file, const QString& parameters, const QString& folder) = 0;
    // The default action on an address (a web address opens in the default browser).
    virtual void openUrl(const QString& address) = 0;
};

class DesktopShell final : public Shell
{
public:
    void startProgram(const QString& file, const QString& parameters, const QString& folder) override;
    void openUrl(const QString& address) override;
};
