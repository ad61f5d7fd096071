// The control builders: every control gets its name, its place, its font and, where a person types
// or picks, an accessible name; fonts change only what the row asks for.
#include "widgets/click_label.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/screw_panel.h"

#include <QCoreApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTreeWidget>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

struct FontCase
{
    const char* name;
    Build::Font font;
    QString family;
    int pixelSize;
    int pointSize;
    bool bold;
    bool italic;
};

void PrintTo(const FontCase& row, std::ostream* out)
{
    *out << row.name;
}

class BuilderFont : public ::testing::TestWithParam<FontCase>
{
};

// The base font: DejaVu Sans, 9 points, regular.
TEST_P(BuilderFont, ChangesOnlyWhatTheRowAsks)
{
    const FontCase& row = GetParam();
    QFont base(QStringLiteral("DejaVu Sans"));
    base.setPointSize(9);
    const QFont font = row.font.apply(base);
    EXPECT_EQ(font.family(), row.family);
    EXPECT_EQ(font.pixelSize(), row.pixelSize);
    EXPECT_EQ(font.pointSize(), row.pointSize);
    EXPECT_EQ(font.bold(), row.bold);
    EXPECT_EQ(font.italic(), row.italic);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BuilderFont,
    ::testing::Values(
        FontCase{"DefaultIsArialInTheParentsSize", Build::Font{}, QStringLiteral("Arial"), -1, 9, false, false},
        FontCase{"BoldKeepsTheSize", Build::kBold, QStringLiteral("Arial"), -1, 9, true, false},
        FontCase{"ParentFontChangesNothing", Build::kParentFont, QStringLiteral("DejaVu Sans"), -1, 9, false, false},
        FontCase{"ParentBoldKeepsTheFamily", Build::kParentBold, QStringLiteral("DejaVu Sans"), -1, 9, true, false},
        FontCase{"PixelSize", Build::Font{14, true}, QStringLiteral("Arial"), 14, -1, true, false},
        FontCase{"PointSizeInTheParentsFamily", Build::Font{0, false, QString(), 12}, QStringLiteral("DejaVu Sans"), -1,
                 12, false, false},
        FontCase{"Italic", Build::Font{12, false, QStringLiteral("Arial"), 0, true}, QStringLiteral("Arial"), 12, -1,
                 false, true}),
    [](const auto& info) { return std::string(info.param.name); });

struct ControlCase
{
    const char* name;
    std::function<QWidget*(QWidget* parent)> build;
    QString objectName;
    QRect geometry;
    QString accessibleName;
};

void PrintTo(const ControlCase& row, std::ostream* out)
{
    *out << row.name;
}

class Builder : public ::testing::TestWithParam<ControlCase>
{
};

TEST_P(Builder, NamesAndPlacesTheControl)
{
    const ControlCase& row = GetParam();
    QWidget window;
    window.resize(400, 300);
    QWidget* control = row.build(&window);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->parentWidget(), &window);
    EXPECT_EQ(control->objectName(), row.objectName);
    EXPECT_EQ(control->geometry(), row.geometry);
    EXPECT_EQ(control->accessibleName(), row.accessibleName);
}

const QRect kRect(10, 20, 120, 30);

INSTANTIATE_TEST_SUITE_P(
    Rows, Builder,
    ::testing::Values(
        ControlCase{"ColorButton",
                    [](QWidget* p) { return Build::colorButton(p, u"OKBut", QStringLiteral("OK"), kRect, clYellow); },
                    QStringLiteral("OKBut"), kRect, QString()},
        ControlCase{"Label", [](QWidget* p) { return Build::label(p, u"Label1", QStringLiteral("Text"), kRect); },
                    QStringLiteral("Label1"), kRect, QString()},
        ControlCase{"EditNamedForAssistiveTechnology", [](QWidget* p) { return Build::edit(p, u"Jmeno", kRect); },
                    QStringLiteral("Jmeno"), kRect, QStringLiteral("Jmeno")},
        ControlCase{"LabelledEditNamedByItsCaption",
                    [](QWidget* p) { return Build::labelledEdit(p, u"Jmeno", QStringLiteral("Jméno:"), kRect, 60); },
                    QStringLiteral("Jmeno"), kRect, QStringLiteral("Jméno:")},
        ControlCase{
            "ListView",
            [](QWidget* p) {
                return Build::listView(p, u"Seznam", kRect, {{QStringLiteral("A"), 40}, {QStringLiteral("B"), 60}});
            },
            QStringLiteral("Seznam"), kRect, QStringLiteral("Seznam")},
        ControlCase{"DateEdit",
                    [](QWidget* p) { return Build::dateEdit(p, u"Datum", kRect, QStringLiteral("d.M.yyyy")); },
                    QStringLiteral("Datum"), kRect, QStringLiteral("Datum")},
        ControlCase{"ClickLabel",
                    [](QWidget* p) { return Build::clickLabel(p, u"Floor3", QStringLiteral("Patro 3:"), kRect); },
                    QStringLiteral("Floor3"), kRect, QString()},
        // A label for a layout is built without a place of its own: a child widget's default.
        ControlCase{"NoPlaceKeepsTheDefaultGeometry",
                    [](QWidget* p) { return Build::label(p, u"Free", QStringLiteral("Text"), QRect()); },
                    QStringLiteral("Free"), QRect(0, 0, 100, 30), QString()}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(BuilderLayout, LabelledEditPutsItsCaptionLeftOfTheEditAsItsBuddy)
{
    QWidget window;
    QLineEdit* edit = Build::labelledEdit(&window, u"Jmeno", QStringLiteral("Jméno:"), kRect, 60);
    const auto* caption = window.findChild<QLabel*>(QStringLiteral("JmenoLabel"));
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->buddy(), edit);
    EXPECT_EQ(caption->geometry().right(), edit->geometry().left() - 7);
    EXPECT_EQ(caption->geometry().top(), edit->geometry().top());
}

TEST(BuilderLayout, PanelHeadingSitsInsideThePanelInBold)
{
    QWidget window;
    TScrewPanel* panel = Build::panel(&window, u"Hoste", {0, 0, 160, 280}, clBtnFace, QStringLiteral("Hosté:"));
    const auto* heading = panel->findChild<QLabel*>(QStringLiteral("HosteHeading"));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), QStringLiteral("Hosté:"));
    EXPECT_TRUE(panel->rect().contains(heading->geometry()));
    EXPECT_TRUE(heading->font().bold());
    EXPECT_EQ(Build::panel(&window, u"Plain", {0, 0, 50, 50})->findChildren<QLabel*>().size(), 0);
}

TEST(BuilderLayout, ClickLabelReportsLeftClicksOnly)
{
    QWidget window;
    ClickLabel* label = Build::clickLabel(&window, u"Floor0", QStringLiteral("Patro 0:"), kRect);
    int clicks = 0;
    QObject::connect(label, &ClickLabel::clicked, [&clicks] { ++clicks; });
    for (Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton}) {
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), label->mapToGlobal(QPointF(5, 5)), button,
                            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(label, &release);
    }
    EXPECT_EQ(clicks, 1);
}

} // namespace
