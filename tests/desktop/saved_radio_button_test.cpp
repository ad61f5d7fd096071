#include "desktop/saved_radio_button.h"

#include <QCoreApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QPalette>
#include <QSettings>
#include <QTemporaryDir>
#include <QToolTip>

#include <gtest/gtest.h>

namespace {

void enter(QWidget* w)
{
    QEnterEvent e(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QCoreApplication::sendEvent(w, &e);
}

void leave(QWidget* w)
{
    QEvent e(QEvent::Leave);
    QCoreApplication::sendEvent(w, &e);
}

// Counts the emissions of a signal.
struct Counter
{
    template <class Signal> Counter(SavedRadioButton* button, Signal signal)
    {
        QObject::connect(button, signal, [this] { ++n; });
    }
    int count() const { return n; }
    int n = 0;
};

QColor tooltipColor()
{
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

// The per-user settings store points into a temporary folder for each test.
class SavedRadio : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.isValid());
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, store.path());
    }
    // Stores a value as another run of the program would have.
    void storeValue(const QString& key, int value)
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lodgera"),
                           QStringLiteral("hotel"));
        settings.setValue(key, value);
    }
    QVariant storedValue(const QString& key)
    {
        QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lodgera"),
                           QStringLiteral("hotel"));
        return settings.value(key);
    }
    bool storeExists() const { return !QDir(store.path()).isEmpty(); }

    QTemporaryDir store;
};

TEST_F(SavedRadio, HoverMakesTheCaptionBoldAndSetsTheTooltipColourUntilLeft)
{
    SavedRadioButton button(QStringLiteral("Všechny"));
    const QColor before = tooltipColor();
    button.setHintColor(QColor(0x12, 0x34, 0x56));
    Counter entered(&button, &SavedRadioButton::mouseEntered);
    Counter left(&button, &SavedRadioButton::mouseLeft);

    enter(&button);
    EXPECT_TRUE(button.font().bold());
    EXPECT_EQ(tooltipColor(), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(entered.count(), 1);

    leave(&button);
    EXPECT_FALSE(button.font().bold());
    EXPECT_EQ(tooltipColor(), before);
    EXPECT_EQ(left.count(), 1);
}

TEST_F(SavedRadio, LeavingRemovesBoldEvenWhenTheCaptionWasBoldFromTheStart)
{
    SavedRadioButton button(QStringLiteral("Dnešní"));
    QFont bold = button.font();
    bold.setBold(true);
    button.setFont(bold);
    enter(&button);
    leave(&button);
    EXPECT_FALSE(button.font().bold());
}

TEST_F(SavedRadio, WithoutFontEffectTheCaptionKeepsItsWeight)
{
    SavedRadioButton button(QStringLiteral("Budoucí"));
    button.setFontEffect(false);
    enter(&button);
    EXPECT_FALSE(button.font().bold());
    leave(&button);
    EXPECT_FALSE(button.font().bold());
}

TEST_F(SavedRadio, SavingIsOffByDefaultAndTouchesNoStore)
{
    SavedRadioButton button(QStringLiteral("Všechny"));
    EXPECT_FALSE(button.autoSave());
    EXPECT_TRUE(button.fontEffect());
    button.setRegPath(QStringLiteral("Software\\Lodgera\\Prehled"));
    button.setRegValueName(QStringLiteral("vsechny"));
    button.setChecked(true);
    button.setChecked(false);
    EXPECT_FALSE(storeExists());
}

TEST_F(SavedRadio, SwitchingSavingOnRestoresTheStoredStateAndLaterChangesAreWritten)
{
    storeValue(QStringLiteral("Software/Lodgera/Prehled/vsechny"), 7); // non-zero is checked
    SavedRadioButton button(QStringLiteral("Všechny"));
    button.setAutoExclusive(false);
    Counter restored(&button, &SavedRadioButton::restored);
    button.setRegPath(QStringLiteral("Software\\Lodgera\\Prehled"));
    button.setRegValueName(QStringLiteral("vsechny"));
    EXPECT_FALSE(button.isChecked()); // not yet: saving is off
    EXPECT_EQ(restored.count(), 0);

    button.setAutoSave(true);
    EXPECT_TRUE(button.isChecked());
    EXPECT_EQ(restored.count(), 1);

    button.setChecked(false);
    EXPECT_EQ(storedValue(QStringLiteral("Software/Lodgera/Prehled/vsechny")).toInt(), 0);
    button.setChecked(true);
    EXPECT_EQ(storedValue(QStringLiteral("Software/Lodgera/Prehled/vsechny")).toInt(), 1);
}

TEST_F(SavedRadio, NamingTheValueWhileSavingRestoresAndNoStoredValueLeavesTheState)
{
    SavedRadioButton button(QStringLiteral("Dnešní"));
    button.setAutoExclusive(false);
    Counter restored(&button, &SavedRadioButton::restored);
    button.setAutoSave(true);
    button.setRegPath(QStringLiteral("Software\\Lodgera\\Prehled"));
    button.setRegValueName(QStringLiteral("dnesni")); // nothing stored yet
    EXPECT_EQ(restored.count(), 0);
    EXPECT_FALSE(button.isChecked());

    storeValue(QStringLiteral("Software/Lodgera/Prehled/jiny"), 1);
    button.setRegValueName(QStringLiteral("jiny"));
    EXPECT_EQ(restored.count(), 1);
    EXPECT_TRUE(button.isChecked());
}

} // namespace
