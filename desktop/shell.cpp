#include "desktop/shell.h"

#include "desktop/program_path.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

void DesktopShell::startProgram(const QString& file, const QString& parameters, const QString& folder)
{
    // Detached: the program outlives us and we neither wait for it nor learn whether it started.
    QProcess::startDetached(resolveProgramPath(file, folder), QProcess::splitCommand(parameters), folder);
}

void DesktopShell::openUrl(const QString& address)
{
    QDesktopServices::openUrl(QUrl::fromUserInput(address));
}
