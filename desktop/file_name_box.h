#pragma once
// FileNameBox: an edit filling the control with a 20-pixel browse button at its right (or left)
// edge. The button runs an open-file dialog with the box's dialog settings; OK puts the chosen
// name (several joined by "," when the dialog allows several) into the edit and fires OnOpened,
// cancel fires OnOpenCanceld and leaves the edit alone. The dialog sits behind the OpenFileDialog
// seam, so that tests answer it instead of a person (tests/support/scripted_open_file_dialog.h).

#include <QFileDialog>
#include <QFont>
#include <QIcon>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

class QLineEdit;
class QToolButton;

// The open-file dialog's settings, as the box hands them over.
struct OpenFileRequest
{
    enum Option {
        AllowMultiSelect = 0x1, // several files may be chosen
        HideReadOnly = 0x2,     // no "open read-only" check box (Qt's dialog never has one)
        EnableSizing = 0x4,     // the dialog can be resized
    };
    Q_DECLARE_FLAGS(Options, Option)

    QString title;
    QString initialDir;
    QString filter;
    QString defaultExtension;
    Options options;
};
Q_DECLARE_OPERATORS_FOR_FLAGS(OpenFileRequest::Options)

class OpenFileDialog
{
public:
    virtual ~OpenFileDialog() = default;
    // Runs the dialog modally; the chosen files, none on cancel.
    virtual QStringList run(QWidget* owner, const OpenFileRequest& request) = 0;
};

// Production: QFileDialog.
class QtOpenFileDialog final : public OpenFileDialog
{
public:
    QStringList run(QWidget* owner, const OpenFileRequest& request) override;
};

class FileNameBox final : public QWidget
{
    Q_OBJECT
public:
    enum class ButtonPosition { onRight, onLeft };
    static constexpr int kButtonWidth = 20;

    explicit FileNameBox(QWidget* parent = nullptr);
    ~FileNameBox() override;

    QString FileName() const;
    void setFileName(const QString& fileName);

    bool ReadOnly() const;
    void setReadOnly(bool readOnly);

    void setEditFont(const QFont& font);
    void setHintEdit(const QString& hint);
    void setHintButton(const QString& hint);
    void setButtonIsFlat(bool flat);
    void setButtonPosition(ButtonPosition position);
    ButtonPosition buttonPosition() const { return buttonPosition_; }
    // The button's glyph; the default is the platform's "open" icon.
    void setPicture(const QIcon& glyph);

    // Handed to the open-file dialog.
    OpenFileRequest dialog;
    // The files chosen last.
    const QStringList& Files() const { return files_; }

    // Replaces the open-file dialog (tests); the box owns it.
    void setOpenFileDialog(std::unique_ptr<OpenFileDialog> openFileDialog);

    QLineEdit* editor() const { return edit_; }
    QToolButton* browseButton() const { return button_; }

    // What the button does: run the dialog and take its answer.
    void Execute();

signals:
    void OnOpened(const QString& text);
    void OnOpenCanceld();
    // Focus came into the box from another control of its window, or left it for another one.
    // Moving between windows is neither.
    void entered();
    void left();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void placeControls();

    QLineEdit* edit_;
    QToolButton* button_;
    ButtonPosition buttonPosition_ = ButtonPosition::onRight;
    std::unique_ptr<OpenFileDialog> openFileDialog_;
    QStringList files_;
};
