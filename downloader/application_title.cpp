#include "downloader/application_title.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMessageBox>

namespace downloader {

bool MessageBoxTitle::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show) {
        if (auto* box = qobject_cast<QMessageBox*>(watched))
            box->setWindowTitle(QCoreApplication::applicationName());
    }
    return QObject::eventFilter(watched, event);
}

} // namespace downloader
