#include "desktop/file_name_box.h"
#include "tests/support/scripted_open_file_dialog.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include <gtest/gtest.h>

#include <ostream>
#include <string>

namespace {

void click(QWidget* control)
{
    const QPointF centre = QRectF(control->rect()).center();
    const QPointF global = control->mapToGlobal(centre);
    QMouseEvent press(QEvent::MouseButtonPress, centre, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &release);
}

// A box whose dialog the test answers, with a record of the events it fired.
struct Box
{
    Box()
    {
        dialog = new ScriptedOpenFileDialog;
        box.setOpenFileDialog(std::unique_ptr<OpenFileDialog>(dialog));
        QObject::connect(&box, &FileNameBox::OnOpened, [this](const QString& text) { opened << text; });
        QObject::connect(&box, &FileNameBox::OnOpenCanceld, [this] { ++canceled; });
        QObject::connect(&box, &FileNameBox::entered, [this] { events << QStringLiteral("entered"); });
        QObject::connect(&box, &FileNameBox::left, [this] { events << QStringLiteral("left"); });
    }

    FileNameBox box;
    ScriptedOpenFileDialog* dialog;
    QStringList opened;
    int canceled = 0;
    QStringList events;
};

TEST(FileNameBox, EditFillsTheBoxBesideATwentyPixelButton)
{
    Box b;
    EXPECT_EQ(b.box.size(), QSize(150, 20));
    EXPECT_EQ(b.box.editor()->geometry(), QRect(0, 0, 130, 20));
    EXPECT_EQ(b.box.browseButton()->geometry(), QRect(130, 0, 20, 20));
    // Shown, it follows its size.
    b.box.show();
    b.box.resize(200, 24);
    EXPECT_EQ(b.box.editor()->geometry(), QRect(0, 0, 180, 24));
    EXPECT_EQ(b.box.browseButton()->geometry(), QRect(180, 0, 20, 24));
    b.box.setButtonPosition(FileNameBox::ButtonPosition::onLeft);
    EXPECT_EQ(b.box.browseButton()->geometry(), QRect(0, 0, 20, 24));
    EXPECT_EQ(b.box.editor()->geometry(), QRect(20, 0, 180, 24));
    // The button is a speed button: it never takes the focus from the edit.
    EXPECT_EQ(b.box.browseButton()->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(b.box.focusProxy(), b.box.editor());
}

TEST(FileNameBox, FileNameIsTheEditsTextAndReadOnlyIsTheEdits)
{
    Box b;
    b.box.setFileName(QStringLiteral("/data/a.jpg"));
    EXPECT_EQ(b.box.editor()->text(), QStringLiteral("/data/a.jpg"));
    b.box.editor()->setText(QStringLiteral("/data/b.jpg"));
    EXPECT_EQ(b.box.FileName(), QStringLiteral("/data/b.jpg"));
    EXPECT_FALSE(b.box.ReadOnly());
    b.box.setReadOnly(true);
    EXPECT_TRUE(b.box.editor()->isReadOnly());
}

// The dialog's answers and what the box makes of them.
struct AnswerCase
{
    const char* name;
    bool multiSelect;
    QStringList answer;
    QString text; // the edit afterwards (it starts as "/old.jpg")
    bool opened;  // OnOpened fired with the text, else OnOpenCanceld
};

void PrintTo(const AnswerCase& row, std::ostream* out)
{
    *out << row.name;
}

class BrowseAnswer : public ::testing::TestWithParam<AnswerCase>
{
};

TEST_P(BrowseAnswer, SetsTheEditAndFiresItsEvent)
{
    const AnswerCase& row = GetParam();
    Box b;
    b.box.setFileName(QStringLiteral("/old.jpg"));
    b.box.dialog.title = QStringLiteral("Fotografie");
    b.box.dialog.initialDir = QStringLiteral("/data");
    b.box.dialog.filter = QStringLiteral("Obrázky (*.jpg)");
    b.box.dialog.defaultExtension = QStringLiteral("jpg");
    b.box.dialog.options = OpenFileRequest::HideReadOnly | OpenFileRequest::EnableSizing;
    if (row.multiSelect)
        b.box.dialog.options |= OpenFileRequest::AllowMultiSelect;
    b.dialog->answer = row.answer;

    click(b.box.browseButton());

    ASSERT_EQ(b.dialog->requests.size(), 1u);
    const OpenFileRequest& asked = b.dialog->requests[0];
    EXPECT_EQ(asked.title, QStringLiteral("Fotografie"));
    EXPECT_EQ(asked.initialDir, QStringLiteral("/data"));
    EXPECT_EQ(asked.filter, QStringLiteral("Obrázky (*.jpg)"));
    EXPECT_EQ(asked.defaultExtension, QStringLiteral("jpg"));
    EXPECT_EQ(asked.options.testFlag(OpenFileRequest::AllowMultiSelect), row.multiSelect);
    EXPECT_EQ(b.box.FileName(), row.text);
    if (row.opened) {
        EXPECT_EQ(b.opened, QStringList{row.text});
        EXPECT_EQ(b.canceled, 0);
        EXPECT_EQ(b.box.Files(), row.answer);
    } else {
        EXPECT_TRUE(b.opened.isEmpty());
        EXPECT_EQ(b.canceled, 1);
        EXPECT_TRUE(b.box.Files().isEmpty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BrowseAnswer,
    ::testing::Values(
        AnswerCase{"OneFile", false, {QStringLiteral("/data/a.jpg")}, QStringLiteral("/data/a.jpg"), true},
        AnswerCase{"SeveralFilesJoinedByComma",
                   true,
                   {QStringLiteral("/d/a.jpg"), QStringLiteral("/d/b.bmp"), QStringLiteral("/d/c.ico")},
                   QStringLiteral("/d/a.jpg,/d/b.bmp,/d/c.ico"),
                   true},
        AnswerCase{"OneFileOfAMultiSelect", true, {QStringLiteral("/d/a.jpg")}, QStringLiteral("/d/a.jpg"), true},
        AnswerCase{"Cancel", false, {}, QStringLiteral("/old.jpg"), false},
        AnswerCase{"CancelOfAMultiSelect", true, {}, QStringLiteral("/old.jpg"), false}),
    [](const auto& info) { return std::string(info.param.name); });

// Entering and leaving the box follow the edit's focus between controls; a window gaining or
// losing activation is neither.
struct FocusCase
{
    const char* name;
    QEvent::Type type;
    Qt::FocusReason reason;
    QStringList events;
};

void PrintTo(const FocusCase& row, std::ostream* out)
{
    *out << row.name;
}

class BoxFocus : public ::testing::TestWithParam<FocusCase>
{
};

TEST_P(BoxFocus, FiresEnteredOrLeftForMovesBetweenControls)
{
    const FocusCase& row = GetParam();
    Box b;
    QFocusEvent event(row.type, row.reason);
    QCoreApplication::sendEvent(b.box.editor(), &event);
    EXPECT_EQ(b.events, row.events);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, BoxFocus,
    ::testing::Values(FocusCase{"TabIn", QEvent::FocusIn, Qt::TabFocusReason, {QStringLiteral("entered")}},
                      FocusCase{"ClickIn", QEvent::FocusIn, Qt::MouseFocusReason, {QStringLiteral("entered")}},
                      FocusCase{"BacktabOut", QEvent::FocusOut, Qt::BacktabFocusReason, {QStringLiteral("left")}},
                      FocusCase{"ClickOut", QEvent::FocusOut, Qt::MouseFocusReason, {QStringLiteral("left")}},
                      FocusCase{"WindowActivated", QEvent::FocusIn, Qt::ActiveWindowFocusReason, {}},
                      FocusCase{"WindowDeactivated", QEvent::FocusOut, Qt::ActiveWindowFocusReason, {}},
                      FocusCase{"MenuOpened", QEvent::FocusOut, Qt::PopupFocusReason, {}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
