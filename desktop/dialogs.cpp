#include "desktop/dialogs.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// A modal box owned by the active window, titled with the program's name (the display name, or
// the application name when none is set); the buttons carry Czech texts whatever translations
// are installed.
QMessageBox::ButtonRole show(QMessageBox::Icon icon, const QString& text, bool yesNo)
{
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), text, QMessageBox::NoButton,
                    QApplication::activeWindow());
    if (yesNo) {
        box.addButton(QStringLiteral("Ano"), QMessageBox::YesRole);
        box.setDefaultButton(box.addButton(QStringLiteral("Ne"), QMessageBox::NoRole));
    } else {
        box.setDefaultButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
    }
    box.exec();
    return box.clickedButton() ? box.buttonRole(box.clickedButton()) : QMessageBox::NoRole;
}

} // namespace

void MessageBoxDialogs::message(const QString& text)
{
    show(QMessageBox::NoIcon, text, false);
}

bool MessageBoxDialogs::confirm(const QString& text)
{
    return show(QMessageBox::Question, text, true) == QMessageBox::YesRole;
}

void MessageBoxDialogs::information(const QString& text)
{
    show(QMessageBox::Information, text, false);
}

void MessageBoxDialogs::error(const QString& text)
{
    show(QMessageBox::Critical, text, false);
}
