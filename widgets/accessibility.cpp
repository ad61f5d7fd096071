#include "widgets/accessibility.h"

#include "widgets/color_button.h"
#include "widgets/lcd99.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"
#include "widgets/screw_panel.h"

#include <QAccessibleWidget>
#include <QKeySequence>

namespace {

// The caption as read aloud: "&" marks the accelerator, "&&" stands for "&".
QString spokenCaption(const QString& caption)
{
    QString text;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&') {
            if (i + 1 < caption.size() && caption[i + 1] == u'&')
                ++i;
            else
                continue;
        }
        text += caption[i];
    }
    return text;
}

// The name a person gave the control, else its caption.
QString nameOr(const QWidget* widget, const QString& caption)
{
    return widget->accessibleName().isEmpty() ? spokenCaption(caption) : widget->accessibleName();
}

// A push button: named by its caption, pressed while down, pressed by its press action.
class ColorButtonAccessible final : public QAccessibleWidget
{
public:
    explicit ColorButtonAccessible(ColorButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return nameOr(button(), button()->caption());
        case QAccessible::Accelerator:
            return QKeySequence::mnemonic(button()->caption()).toString(QKeySequence::NativeText);
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.pressed = button()->down();
        if (button()->grouped()) {
            s.checkable = true;
            s.checked = button()->down();
        }
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && button()->isEnabled())
            emit button()->clicked();
    }
    QStringList keyBindingsForAction(const QString& action) const override
    {
        const QKeySequence key = QKeySequence::mnemonic(button()->caption());
        return action == pressAction() && !key.isEmpty() ? QStringList{key.toString(QKeySequence::NativeText)}
                                                         : QStringList{};
    }

private:
    ColorButton* button() const { return static_cast<ColorButton*>(widget()); }
};

// A room tile (a panel with a caption) is a button that opens its room; a panel without a caption
// only groups the controls on it.
class ScrewPanelAccessible final : public QAccessibleWidget
{
public:
    explicit ScrewPanelAccessible(TScrewPanel* panel) : QAccessibleWidget(panel, QAccessible::Grouping) {}

    QAccessible::Role role() const override
    {
        return panel()->caption().isEmpty() ? QAccessible::Grouping : QAccessible::Button;
    }
    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? nameOr(panel(), panel()->caption()) : QAccessibleWidget::text(t);
    }
    QStringList actionNames() const override
    {
        return panel()->caption().isEmpty() ? QStringList{} : QStringList{pressAction()};
    }
    void doAction(const QString& action) override
    {
        if (action == pressAction() && panel()->isEnabled() && !panel()->caption().isEmpty())
            emit panel()->clicked();
    }

private:
    TScrewPanel* panel() const { return static_cast<TScrewPanel*>(widget()); }
};

// A seven-segment display: static text whose value is what it shows.
class Lcd99Accessible final : public QAccessibleWidget
{
public:
    explicit Lcd99Accessible(TLCD99* lcd) : QAccessibleWidget(lcd, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return nameOr(lcd(), lcd()->value());
        case QAccessible::Value:
            return lcd()->value();
        default:
            return QAccessibleWidget::text(t);
        }
    }

private:
    TLCD99* lcd() const { return static_cast<TLCD99*>(widget()); }
};

// An LED bar: a progress indicator from Min to Max standing at Position.
class LedMeterAccessible final : public QAccessibleWidget, public QAccessibleValueInterface
{
public:
    explicit LedMeterAccessible(TLEDMeter* meter) : QAccessibleWidget(meter, QAccessible::ProgressBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override
    {
        switch (t) {
        case QAccessible::Name:
            return nameOr(meter(), meter()->objectName());
        case QAccessible::Value:
            return QString::number(meter()->position());
        default:
            return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.readOnly = true;
        return s;
    }

    QVariant currentValue() const override { return meter()->position(); }
    void setCurrentValue(const QVariant&) override {} // a display: a person does not set it
    QVariant maximumValue() const override { return meter()->max(); }
    QVariant minimumValue() const override { return meter()->min(); }
    QVariant minimumStepSize() const override { return 1; }

private:
    TLEDMeter* meter() const { return static_cast<TLEDMeter*>(widget()); }
};

// An LED slab button: a toggle button whose lamp is its checked state.
class LedButtonAccessible final : public QAccessibleWidget
{
public:
    explicit LedButtonAccessible(TLEDButton* button) : QAccessibleWidget(button, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? nameOr(button(), button()->caption()) : QAccessibleWidget::text(t);
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.checkable = true;
        s.checked = button()->stateOn();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    // As a click: a switching button toggles its lamp, then the click is reported.
    void doAction(const QString& action) override
    {
        if (action != pressAction() || !button()->isEnabled())
            return;
        if (button()->switching())
            button()->setStateOn(!button()->stateOn());
        emit button()->clicked();
    }

private:
    TLEDButton* button() const { return static_cast<TLEDButton*>(widget()); }
};

QAccessibleInterface* controlInterface(const QString& className, QObject* object)
{
    if (className == QLatin1String("ColorButton"))
        return new ColorButtonAccessible(static_cast<ColorButton*>(object));
    if (className == QLatin1String("TScrewPanel"))
        return new ScrewPanelAccessible(static_cast<TScrewPanel*>(object));
    if (className == QLatin1String("TLCD99"))
        return new Lcd99Accessible(static_cast<TLCD99*>(object));
    if (className == QLatin1String("TLEDMeter"))
        return new LedMeterAccessible(static_cast<TLEDMeter*>(object));
    if (className == QLatin1String("TLEDButton"))
        return new LedButtonAccessible(static_cast<TLEDButton*>(object));
    return nullptr;
}

} // namespace

void installControlAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(controlInterface);
        return true;
    }();
    (void)installed;
}
