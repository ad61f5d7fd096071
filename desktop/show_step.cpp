#include "desktop/show_step.h"

#include "desktop/guarded.h"

#include <QGuiApplication>
#include <QScreen>
#include <QShowEvent>
#include <QWidget>

void runShowStep(QWidget* window, const QShowEvent* event, Dialogs* dialogs, const std::function<void()>& step,
                 ShowPlacement placement)
{
    if (event->spontaneous())
        return;
    if (placement == ShowPlacement::Centred)
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = window->frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            window->move(frame.topLeft());
        }
    if (step)
        runGuarded(dialogs, step);
}
