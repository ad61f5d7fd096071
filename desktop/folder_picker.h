#pragma once
// FolderPicker: the folder browser of a window. execute() asks the user for a folder, starting at
// the top of the file system with Title as the prompt; a confirmed folder lands in Directory.
// The dialog itself stands behind FolderDialog, so that tests answer it.

#include <QObject>
#include <QString>

#include <optional>

class QWidget;

class FolderDialog
{
public:
    virtual ~FolderDialog() = default;
    // The folder the user confirmed, or nothing on cancel (or for an item with no file-system path).
    virtual std::optional<QString> chooseFolder(QWidget* owner, const QString& title, const QString& start) = 0;
};

// The platform's folder dialog (QFileDialog), modal over its owner.
class FileDialogFolderDialog final : public FolderDialog
{
public:
    std::optional<QString> chooseFolder(QWidget* owner, const QString& title, const QString& start) override;
};

class FolderPicker final : public QObject
{
    Q_OBJECT
public:
    // The owner must be a window; anything else raises std::invalid_argument
    // "Owner must be of type TForm". Without a dialog, the platform's is used.
    explicit FolderPicker(QObject* owner, FolderDialog* dialog = nullptr);

    // Shows the dialog over the owner window. A confirmed folder becomes Directory, without a
    // trailing separator, and the answer is true; on cancel Directory keeps its last value.
    bool execute();

    // The seam: tests put their own answer here. Not owned.
    void setDialog(FolderDialog* dialog);

    QString Title;     // the prompt above the folders; empty by default
    QString Directory; // the result

private:
    QWidget* owner_;
    FolderDialog* dialog_;
    FileDialogFolderDialog platform_;
};
