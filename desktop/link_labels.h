#pragma once
// Labels that answer the mouse. HoverLabel changes the application's tooltip background and its
// own font colour while the mouse is over it; HotLinkLabel opens its Url and MailToLabel a
// "mailto:" address on a click, both through the Shell's default action on an address, and both
// show the hand cursor. The link labels also take the keyboard focus and open on Enter or Space.

#include <QColor>
#include <QLabel>
#include <QString>

class Shell;

class HoverLabel : public QLabel
{
    Q_OBJECT
public:
    explicit HoverLabel(QWidget* parent = nullptr);

    QColor ColorOnEnter; // the font colour while the mouse is over the label
    bool ColorChange = true;
    QColor HintColor; // the tooltip background while the mouse is over the label

    bool mouseInside() const { return inside_; }

signals:
    void mouseEntered();
    void mouseLeft();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    bool inside_ = false;
    QColor savedHintColor_;
    QColor savedFontColor_;
};

// A HoverLabel that opens an address on a click: the label's ordinary click event first, then the
// Shell's default action on the address. The shell's answer is not checked.
class LinkLabel : public HoverLabel
{
    Q_OBJECT
public:
    LinkLabel(Shell* shell, QWidget* parent);

    // What a click opens.
    virtual QString address() const = 0;

signals:
    // The label's ordinary click, before the address opens.
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void click();

    Shell* shell_;
    bool pressed_ = false;
};

// Opens Url.
class HotLinkLabel final : public LinkLabel
{
    Q_OBJECT
public:
    static constexpr int kMaxUrlLength = 79;

    explicit HotLinkLabel(Shell* shell, QWidget* parent = nullptr);

    // Keeps at most the first 79 characters.
    void setUrl(const QString& url);
    const QString& Url() const { return url_; }

    QString address() const override { return url_; }

private:
    QString url_;
};

// Opens a "mailto:" address built from its fields.
class MailToLabel final : public LinkLabel
{
    Q_OBJECT
public:
    static constexpr int kMaxAddressLength = 79;

    explicit MailToLabel(Shell* shell, QWidget* parent = nullptr);

    QString MailDestinator;
    QString MailSubject;
    QString MailCC;
    QString MailBcc;

    // "mailto:" + MailDestinator, then "?SUBJECT=", "?BCC=" and "?CC=" parts for the fields that are
    // not empty, each part starting with "?"; at most 79 characters.
    QString address() const override;
};
