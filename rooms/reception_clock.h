#pragma once
// ReceptionClock: the reception plan's clock, an eight-digit seven-segment display (TLCD99) filling
// this widget. The welcome timer sets it with the time text as it sets a label, so it takes the
// text through setText()/text() as well as setValue()/value().

#include <QString>
#include <QWidget>

class TLCD99;

class ReceptionClock final : public QWidget
{
    Q_OBJECT

public:
    explicit ReceptionClock(QWidget* parent = nullptr);

    // The display's stored value: "14:05:09" stays "14:05:09"; a text it cannot show becomes empty.
    QString value() const;
    void setValue(const QString& value);

    TLCD99* display() const { return lcd_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    TLCD99* lcd_;
};
