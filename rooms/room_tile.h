#pragma once
// RoomTile: one room of the reception plan, a raised coloured panel with a bold centred caption
// that reports clicks. Setting the caption or colour it already has schedules no repaint, so a
// reload that changes nothing paints nothing.

#include <QColor>
#include <QString>
#include <QWidget>

class RoomTile final : public QWidget
{
    Q_OBJECT

public:
    explicit RoomTile(QWidget* parent = nullptr);

    const QString& caption() const { return caption_; }
    void setCaption(const QString& caption);

    const QColor& color() const { return color_; }
    void setColor(const QColor& color);

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QString caption_;
    QColor color_;
    bool pressed_ = false;
};
