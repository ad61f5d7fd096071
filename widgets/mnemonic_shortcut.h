#pragma once
// The Alt accelerator of a caption's "&" letter, grabbed on the control that owns the caption:
// the one shortcut rule of the owner-drawn buttons.

#include <QString>

class QEvent;
class QWidget;

class MnemonicShortcut final
{
public:
    explicit MnemonicShortcut(QWidget* owner) : owner_(owner) {}
    MnemonicShortcut(const MnemonicShortcut&) = delete;
    MnemonicShortcut& operator=(const MnemonicShortcut&) = delete;

    // Grabs the accelerator of the caption in place of the previous caption's (none without "&").
    void setCaption(const QString& caption);
    // True for the shortcut event of this accelerator.
    bool matches(const QEvent* event) const;

private:
    QWidget* owner_;
    int id_ = 0;
};
