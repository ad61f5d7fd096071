#include "desktop/saved_radio_button.h"

#include <QPalette>
#include <QSettings>
#include <QToolTip>

namespace {

QColor tooltipColor()
{
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

void setTooltipColor(const QColor& color)
{
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, color);
    QToolTip::setPalette(palette);
}

void setBold(QWidget* widget, bool bold)
{
    QFont font = widget->font();
    font.setBold(bold);
    widget->setFont(font);
}

// The current user's settings store of the program (on Linux an INI file under the XDG config folder).
const auto kStoreFormat = QSettings::NativeFormat;
const auto kStoreScope = QSettings::UserScope;
const char16_t* const kStoreOrganisation = u"Lodgera";
const char16_t* const kStoreApplication = u"hotel";

} // namespace

SavedRadioButton::SavedRadioButton(const QString& caption, QWidget* parent)
    : QRadioButton(caption, parent), hintColor_(tooltipColor())
{
    connect(this, &QAbstractButton::toggled, this, [this](bool checked) {
        if (saving())
            save(checked);
    });
}

void SavedRadioButton::enterEvent(QEnterEvent* event)
{
    QRadioButton::enterEvent(event);
    savedTooltipColor_ = tooltipColor();
    setTooltipColor(hintColor_);
    if (fontEffect_)
        setBold(this, true);
    emit mouseEntered();
}

void SavedRadioButton::leaveEvent(QEvent* event)
{
    QRadioButton::leaveEvent(event);
    if (savedTooltipColor_.isValid())
        setTooltipColor(savedTooltipColor_);
    // Bold goes on leaving even when the caption was bold before the mouse came.
    if (fontEffect_)
        setBold(this, false);
    emit mouseLeft();
}

void SavedRadioButton::setAutoSave(bool on)
{
    autoSave_ = on;
    if (saving())
        restore();
}

void SavedRadioButton::setRegPath(const QString& path)
{
    regPath_ = path;
    if (saving())
        restore();
}

void SavedRadioButton::setRegValueName(const QString& name)
{
    regValueName_ = name;
    if (saving())
        restore();
}

QString SavedRadioButton::settingsKey() const
{
    QString path = regPath_;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path + QLatin1Char('/') + regValueName_;
}

bool SavedRadioButton::saving() const
{
    return autoSave_ && !regPath_.isEmpty() && !regValueName_.isEmpty();
}

void SavedRadioButton::restore()
{
    const QSettings settings(kStoreFormat, kStoreScope, QString::fromUtf16(kStoreOrganisation),
                             QString::fromUtf16(kStoreApplication));
    const QVariant stored = settings.value(settingsKey());
    if (!stored.isValid())
        return;
    // Restoring writes the state it read back; nothing changes on disk.
    setChecked(stored.toInt() != 0);
    emit restored();
}

void SavedRadioButton::save(bool checked)
{
    QSettings settings(kStoreFormat, kStoreScope, QString::fromUtf16(kStoreOrganisation),
                       QString::fromUtf16(kStoreApplication));
    settings.setValue(settingsKey(), checked ? 1 : 0);
}
