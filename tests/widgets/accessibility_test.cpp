// The owner-drawn controls as assistive technology sees them: role, name, value, state and the
// press action, queried on a shown window through Qt's accessibility as a screen reader would.
#include "widgets/accessibility.h"
#include "widgets/color_button.h"
#include "widgets/lcd99.h"
#include "widgets/led_button.h"
#include "widgets/led_meter.h"
#include "widgets/screw_panel.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

struct RoleCase
{
    const char* name;
    std::function<QWidget*(QWidget* window)> make;
    QAccessible::Role role;
    QString accessibleName;
    QString value;
};

void PrintTo(const RoleCase& row, std::ostream* out)
{
    *out << row.name;
}

class ControlAccessibility : public ::testing::TestWithParam<RoleCase>
{
protected:
    void SetUp() override
    {
        installControlAccessibility();
        window.resize(300, 200);
        window.show();
    }
    // The interface of a control after the window has shown it.
    QAccessibleInterface* shown(QWidget* control)
    {
        control->show();
        return QAccessible::queryAccessibleInterface(control);
    }

    QWidget window;
};

TEST_P(ControlAccessibility, ReportsRoleNameAndValue)
{
    QAccessibleInterface* control = shown(GetParam().make(&window));
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->role(), GetParam().role);
    EXPECT_EQ(control->text(QAccessible::Name), GetParam().accessibleName);
    EXPECT_EQ(control->text(QAccessible::Value), GetParam().value);
    EXPECT_FALSE(control->state().invisible);
    EXPECT_EQ(control->parent()->object(), &window);
}

ColorButton* colorButton(QWidget* window, const QString& caption)
{
    auto* b = new ColorButton(window);
    b->setCaption(caption);
    return b;
}

TScrewPanel* panel(QWidget* window, const QString& caption)
{
    auto* p = new TScrewPanel(window);
    p->setCaption(caption);
    return p;
}

INSTANTIATE_TEST_SUITE_P(
    Controls, ControlAccessibility,
    ::testing::Values(RoleCase{"ColorButtonNamedByCaption",
                               [](QWidget* w) { return colorButton(w, QStringLiteral("Recepce")); },
                               QAccessible::Button, QStringLiteral("Recepce"), QString()},
                      RoleCase{"AcceleratorMarkIsNotRead",
                               [](QWidget* w) { return colorButton(w, QStringLiteral("&Tisk && pošta")); },
                               QAccessible::Button, QStringLiteral("Tisk & pošta"), QString()},
                      RoleCase{"AccessibleNameWins",
                               [](QWidget* w) {
                                   ColorButton* b = colorButton(w, QStringLiteral("X"));
                                   b->setAccessibleName(QStringLiteral("Zrušit"));
                                   return b;
                               },
                               QAccessible::Button, QStringLiteral("Zrušit"), QString()},
                      RoleCase{"RoomTileNamedByCaption", [](QWidget* w) { return panel(w, QStringLiteral("101")); },
                               QAccessible::Button, QStringLiteral("101"), QString()},
                      RoleCase{"PanelWithoutCaptionGroups", [](QWidget* w) { return panel(w, QString()); },
                               QAccessible::Grouping, QString(), QString()},
                      RoleCase{"LcdShowsItsValue",
                               [](QWidget* w) {
                                   auto* lcd = new TLCD99(w);
                                   lcd->setValue(QStringLiteral("14:05:09"));
                                   return lcd;
                               },
                               QAccessible::StaticText, QStringLiteral("14:05:09"), QStringLiteral("14:05:09")},
                      RoleCase{"LedMeterIsAProgressIndicator",
                               [](QWidget* w) {
                                   auto* meter = new TLEDMeter(w);
                                   meter->setObjectName(QStringLiteral("LEDMeter"));
                                   meter->setMax(55);
                                   meter->setPosition(10);
                                   return meter;
                               },
                               QAccessible::ProgressBar, QStringLiteral("LEDMeter"), QStringLiteral("10")},
                      RoleCase{"LedButtonNamedByCaption",
                               [](QWidget* w) {
                                   auto* b = new TLEDButton(w);
                                   b->setCaption(QStringLiteral("Zámek pokoje"));
                                   return b;
                               },
                               QAccessible::Button, QStringLiteral("Zámek pokoje"), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

using ControlState = ControlAccessibility;

TEST_F(ControlState, ColorButtonPressActionClicksOnlyWhileEnabled)
{
    ColorButton* button = colorButton(&window, QStringLiteral("OK"));
    QAccessibleInterface* control = shown(button);
    ASSERT_NE(control->actionInterface(), nullptr);
    EXPECT_EQ(control->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    QSignalSpy clicks(button, &ColorButton::clicked);
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);

    button->setEnabled(false);
    EXPECT_TRUE(control->state().disabled);
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);

    button->setEnabled(true);
    button->setDown(true);
    EXPECT_FALSE(control->state().disabled);
    EXPECT_TRUE(control->state().pressed);
}

TEST_F(ControlState, LedButtonReportsItsLampAsCheckedAndTogglesWhenSwitching)
{
    auto* button = new TLEDButton(&window);
    button->setCaption(QStringLiteral("Zámek"));
    QAccessibleInterface* control = shown(button);
    EXPECT_TRUE(control->state().checkable);
    EXPECT_FALSE(control->state().checked);
    button->setStateOn(true);
    EXPECT_TRUE(control->state().checked);

    button->setSwitching(true);
    control->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_FALSE(button->stateOn());
    EXPECT_FALSE(control->state().checked);
}

TEST_F(ControlState, LedMeterGivesItsRange)
{
    auto* meter = new TLEDMeter(&window);
    meter->setMin(0);
    meter->setMax(100);
    meter->setPosition(42);
    QAccessibleValueInterface* value = shown(meter)->valueInterface();
    ASSERT_NE(value, nullptr);
    EXPECT_EQ(value->currentValue().toInt(), 42);
    EXPECT_EQ(value->minimumValue().toInt(), 0);
    EXPECT_EQ(value->maximumValue().toInt(), 100);
}

TEST_F(ControlState, TilePressActionOpensLikeAClick)
{
    TScrewPanel* tile = panel(&window, QStringLiteral("204"));
    QSignalSpy clicks(tile, &TScrewPanel::clicked);
    shown(tile)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.size(), 1);
}

} // namespace
