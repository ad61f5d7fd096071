#include "widgets/mnemonic_shortcut.h"

#include <QKeySequence>
#include <QShortcutEvent>
#include <QWidget>

void MnemonicShortcut::setCaption(const QString& caption)
{
    if (id_ != 0)
        owner_->releaseShortcut(id_);
    id_ = 0;
    const QKeySequence key = QKeySequence::mnemonic(caption);
    if (!key.isEmpty())
        id_ = owner_->grabShortcut(key);
}

bool MnemonicShortcut::matches(const QEvent* event) const
{
    return id_ != 0 && event->type() == QEvent::Shortcut &&
           static_cast<const QShortcutEvent*>(event)->shortcutId() == id_;
}
