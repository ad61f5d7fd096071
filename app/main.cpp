// hotel: the reception-desk program. The data directory is the working directory at start-up.
#include "app/program.h"
#include "app/web_browser.h"
#include "app/welcome_window.h"
#include "desktop/dialogs.h"
#include "desktop/shell.h"
#include "widgets/accessibility.h"

#include <QApplication>

#include <unistd.h>

int main(int argc, char** argv)
{
    // The web engine ends the whole process when its sandbox meets a root user.
    if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);

    QApplication app(argc, argv);
    // The title of every message box.
    QApplication::setApplicationName(QStringLiteral("Lodgera"));
    installControlAccessibility();
    // Only the welcome screen's closing ends the program; hiding every window does not.
    app.setQuitOnLastWindowClosed(false);

    MessageBoxDialogs dialogs;
    DesktopShell shell;
    WebEngineBrowserFactory browsers;
    Program program(dialogs, shell, browsers);
    QObject::connect(program.forms().form6, &TForm6::programEnded, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    program.start();
    return app.exec();
}
