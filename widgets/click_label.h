#pragma once
// ClickLabel: a plain text label that reports a left click, for texts a person clicks to act on
// them (the reception plan's floor names). Accessible as a label that can be pressed.

#include <QLabel>

class ClickLabel final : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;

signals:
    // The left button was released over the label.
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
