#include "desktop/guarded.h"

#include "desktop/dialogs.h"

#include <QString>

#include <exception>

void runGuarded(Dialogs* dialogs, const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        if (dialogs)
            dialogs->error(QString::fromUtf8(e.what()));
    }
}
