#include "desktop/link_labels.h"

#include "desktop/shell.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPalette>
#include <QToolTip>

namespace {

QColor tooltipBackground()
{
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

void setTooltipBackground(const QColor& color)
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, color);
    QToolTip::setPalette(palette);
}

} // namespace

HoverLabel::HoverLabel(QWidget* parent)
    : QLabel(parent), ColorOnEnter(palette().color(QPalette::Highlight)), HintColor(tooltipBackground())
{
}

void HoverLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    if (inside_)
        return;
    inside_ = true;
    savedHintColor_ = tooltipBackground();
    setTooltipBackground(HintColor);
    if (ColorChange) {
        savedFontColor_ = palette().color(foregroundRole());
        QPalette p = palette();
        p.setColor(foregroundRole(), ColorOnEnter);
        setPalette(p);
    }
    emit mouseEntered();
}

void HoverLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    if (!inside_)
        return;
    inside_ = false;
    setTooltipBackground(savedHintColor_);
    if (ColorChange) {
        QPalette p = palette();
        p.setColor(foregroundRole(), savedFontColor_);
        setPalette(p);
    }
    emit mouseLeft();
}

LinkLabel::LinkLabel(Shell* shell, QWidget* parent) : HoverLabel(parent), shell_(shell)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void LinkLabel::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    HoverLabel::mousePressEvent(event);
    // The click is the label's own; the window beneath does not see it.
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    HoverLabel::mouseReleaseEvent(event);
    if (click)
        this->click();
}

void LinkLabel::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        click();
        return;
    default:
        HoverLabel::keyPressEvent(event);
    }
}

void LinkLabel::click()
{
    emit clicked();
    if (shell_)
        shell_->openUrl(address());
}

HotLinkLabel::HotLinkLabel(Shell* shell, QWidget* parent) : LinkLabel(shell, parent) {}

void HotLinkLabel::setUrl(const QString& url)
{
    url_ = url.left(kMaxUrlLength);
    setAccessibleDescription(url_);
}

MailToLabel::MailToLabel(Shell* shell, QWidget* parent) : LinkLabel(shell, parent) {}

QString MailToLabel::address() const
{
    QString mail = QStringLiteral("mailto:") + MailDestinator;
    if (!MailSubject.isEmpty())
        mail += QStringLiteral("?SUBJECT=") + MailSubject;
    if (!MailBcc.isEmpty())
        mail += QStringLiteral("?BCC=") + MailBcc;
    if (!MailCC.isEmpty())
        mail += QStringLiteral("?CC=") + MailCC;
    return mail.left(kMaxAddressLength);
}
