// downloader: fetches the file whose address is the first command-line argument into the working
// directory, showing the progress in its one window.
#include "desktop/dialogs.h"
#include "downloader/downloader_window.h"
#include "widgets/accessibility.h"

#include <QApplication>

#include <exception>
#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Downloader"));
    installControlAccessibility();
    // The window ends the program itself, once a transfer it stopped has unwound.
    app.setQuitOnLastWindowClosed(false);

    MessageBoxDialogs dialogs;
    std::unique_ptr<downloader::TForm1> form;
    try {
        form = std::make_unique<downloader::TForm1>(dialogs, QCoreApplication::arguments().value(1));
    } catch (const std::exception& e) {
        dialogs.error(QString::fromUtf8(e.what()));
        return 1;
    }
    QObject::connect(form.get(), &downloader::TForm1::programEnded, &app, &QCoreApplication::quit,
                     Qt::QueuedConnection);
    form->show();
    return app.exec();
}
