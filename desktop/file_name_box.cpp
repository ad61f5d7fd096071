#include "desktop/file_name_box.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>

#include <algorithm>

QStringList QtOpenFileDialog::run(QWidget* owner, const OpenFileRequest& request)
{
    QFileDialog dialog(owner, request.title, request.initialDir, request.filter);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.options.testFlag(OpenFileRequest::AllowMultiSelect) ? QFileDialog::ExistingFiles
                                                                                   : QFileDialog::ExistingFile);
    if (!request.defaultExtension.isEmpty())
        dialog.setDefaultSuffix(request.defaultExtension);
    dialog.setSizeGripEnabled(request.options.testFlag(OpenFileRequest::EnableSizing));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

FileNameBox::FileNameBox(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this)),
      openFileDialog_(std::make_unique<QtOpenFileDialog>())
{
    edit_->setObjectName(QStringLiteral("edit"));
    button_->setObjectName(QStringLiteral("button"));
    button_->setAccessibleName(QStringLiteral("Procházet"));
    button_->setToolTip(QStringLiteral("Procházet"));
    // A speed button: clicking it leaves the focus where it is.
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setIcon(style()->standardIcon(QStyle::SP_DirOpenIcon));
    setFocusProxy(edit_);
    edit_->installEventFilter(this);
    connect(button_, &QToolButton::clicked, this, &FileNameBox::Execute);
    resize(150, 20);
    placeControls();
}

FileNameBox::~FileNameBox() = default;

QString FileNameBox::FileName() const
{
    return edit_->text();
}

void FileNameBox::setFileName(const QString& fileName)
{
    edit_->setText(fileName);
}

bool FileNameBox::ReadOnly() const
{
    return edit_->isReadOnly();
}

void FileNameBox::setReadOnly(bool readOnly)
{
    edit_->setReadOnly(readOnly);
}

void FileNameBox::setEditFont(const QFont& font)
{
    edit_->setFont(font);
}

void FileNameBox::setHintEdit(const QString& hint)
{
    edit_->setToolTip(hint);
}

void FileNameBox::setHintButton(const QString& hint)
{
    button_->setToolTip(hint);
}

void FileNameBox::setButtonIsFlat(bool flat)
{
    button_->setAutoRaise(flat);
}

void FileNameBox::setButtonPosition(ButtonPosition position)
{
    buttonPosition_ = position;
    placeControls();
}

void FileNameBox::setPicture(const QIcon& glyph)
{
    button_->setIcon(glyph);
}

void FileNameBox::setOpenFileDialog(std::unique_ptr<OpenFileDialog> openFileDialog)
{
    openFileDialog_ = std::move(openFileDialog);
}

void FileNameBox::Execute()
{
    const QStringList chosen = openFileDialog_->run(window(), dialog);
    if (chosen.isEmpty()) {
        emit OnOpenCanceld();
        return;
    }
    files_ = chosen;
    if (dialog.options.testFlag(OpenFileRequest::AllowMultiSelect))
        edit_->setText(chosen.join(u','));
    else
        edit_->setText(chosen.front());
    emit OnOpened(edit_->text());
}

void FileNameBox::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void FileNameBox::placeControls()
{
    const int w = width();
    const int h = height();
    const int editWidth = std::max(0, w - kButtonWidth);
    if (buttonPosition_ == ButtonPosition::onRight) {
        edit_->setGeometry(0, 0, editWidth, h);
        button_->setGeometry(editWidth, 0, kButtonWidth, h);
    } else {
        button_->setGeometry(0, 0, kButtonWidth, h);
        edit_->setGeometry(kButtonWidth, 0, editWidth, h);
    }
}

bool FileNameBox::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == edit_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
        // A window gaining or losing activation (a dialog opening over it, another program)
        // moves no focus between the window's controls.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
            if (event->type() == QEvent::FocusIn)
                emit entered();
            else
                emit left();
        }
    }
    return QWidget::eventFilter(watched, event);
}
