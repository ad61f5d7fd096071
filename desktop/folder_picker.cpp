#include "desktop/folder_picker.h"

#include <QDir>
#include <QFileDialog>
#include <QWidget>

#include <stdexcept>

namespace {

QWidget* windowOwner(QObject* owner)
{
    auto* widget = qobject_cast<QWidget*>(owner);
    if (!widget || !widget->isWindow())
        throw std::invalid_argument("Owner must be of type TForm");
    return widget;
}

} // namespace

std::optional<QString> FileDialogFolderDialog::chooseFolder(QWidget* owner, const QString& title, const QString& start)
{
    const QString folder = QFileDialog::getExistingDirectory(owner, title, start, QFileDialog::ShowDirsOnly);
    if (folder.isEmpty())
        return std::nullopt;
    return folder;
}

FolderPicker::FolderPicker(QObject* owner, FolderDialog* dialog)
    : QObject(owner), owner_(windowOwner(owner)), dialog_(dialog ? dialog : &platform_)
{
}

void FolderPicker::setDialog(FolderDialog* dialog)
{
    dialog_ = dialog ? dialog : &platform_;
}

bool FolderPicker::execute()
{
    const std::optional<QString> chosen = dialog_->chooseFolder(owner_, Title, QDir::rootPath());
    if (!chosen || chosen->isEmpty())
        return false;
    QString folder = QDir::fromNativeSeparators(*chosen);
    while (folder.size() > 1 && folder.endsWith(u'/'))
        folder.chop(1);
    Directory = folder;
    return true;
}
