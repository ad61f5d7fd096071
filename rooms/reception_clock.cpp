#include "rooms/reception_clock.h"

#include "widgets/lcd99.h"

#include <QResizeEvent>

ReceptionClock::ReceptionClock(QWidget* parent) : QWidget(parent), lcd_(new TLCD99(this))
{
    lcd_->setObjectName(QStringLiteral("hodinkyLCD"));
    lcd_->setDigitNum(8);
    lcd_->setValue(QStringLiteral("00:00:00"));
}

QString ReceptionClock::value() const
{
    return lcd_->value();
}

void ReceptionClock::setValue(const QString& value)
{
    lcd_->setValue(value);
}

void ReceptionClock::resizeEvent(QResizeEvent* event)
{
    lcd_->setGeometry(rect());
    QWidget::resizeEvent(event);
}
