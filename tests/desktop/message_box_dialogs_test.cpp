#include "desktop/dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <ostream>

namespace {

// What the open box looked like, and the button the test pressed in it.
struct Seen
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString title;
    QString text;
    QStringList buttons;
};

// Presses the button captioned press in the next modal box, after noting what it shows.
void answerNextBox(Seen& seen, const QString& press)
{
    QTimer::singleShot(0, [&seen, press] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        seen.icon = box->icon();
        seen.title = box->windowTitle();
        seen.text = box->text();
        for (QAbstractButton* button : box->buttons())
            seen.buttons << button->text();
        for (QAbstractButton* button : box->buttons())
            if (button->text() == press)
                return button->click();
        box->reject();
    });
}

struct BoxCase
{
    const char* name;
    std::function<bool(Dialogs&, const QString&)> open; // returns the caller's answer
    const char* press;
    QMessageBox::Icon icon;
    QStringList buttons;
    bool answer;
};

// Names the row in test output.
void PrintTo(const BoxCase& row, std::ostream* out)
{
    *out << row.name;
}

class MessageBoxDialogsTest : public ::testing::TestWithParam<BoxCase>
{
};

TEST_P(MessageBoxDialogsTest, ShowsModalBoxAndReturnsTheAnswer)
{
    const BoxCase& c = GetParam();
    MessageBoxDialogs dialogs;
    Seen seen;
    answerNextBox(seen, QString::fromUtf8(c.press));
    const QString text = QStringLiteral("Opravdu si přejete smazat záznam?");

    const bool answer = c.open(dialogs, text);

    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.icon, c.icon);
    EXPECT_EQ(seen.buttons, c.buttons);
    EXPECT_EQ(answer, c.answer);
}

const auto plain = [](Dialogs& d, const QString& t) { return d.message(t), true; };
const auto information = [](Dialogs& d, const QString& t) { return d.information(t), true; };
const auto error = [](Dialogs& d, const QString& t) { return d.error(t), true; };
const auto confirm = [](Dialogs& d, const QString& t) { return d.confirm(t); };

INSTANTIATE_TEST_SUITE_P(
    Rows, MessageBoxDialogsTest,
    ::testing::Values(
        BoxCase{"PlainHasOnlyOk", plain, "OK", QMessageBox::NoIcon, {QStringLiteral("OK")}, true},
        BoxCase{"InformationIcon", information, "OK", QMessageBox::Information, {QStringLiteral("OK")}, true},
        BoxCase{"ErrorIcon", error, "OK", QMessageBox::Critical, {QStringLiteral("OK")}, true},
        BoxCase{
            "ConfirmYes", confirm, "Ano", QMessageBox::Question, {QStringLiteral("Ano"), QStringLiteral("Ne")}, true},
        BoxCase{
            "ConfirmNo", confirm, "Ne", QMessageBox::Question, {QStringLiteral("Ano"), QStringLiteral("Ne")}, false},
        // Closing the box without a button is not a Yes.
        BoxCase{
            "ConfirmClosed", confirm, "", QMessageBox::Question, {QStringLiteral("Ano"), QStringLiteral("Ne")}, false}),
    [](const ::testing::TestParamInfo<BoxCase>& info) { return std::string(info.param.name); });

// The box carries the running program's name: the hotel and the downloader share these boxes.
struct TitleCase
{
    const char* name;
    const char* applicationName;
    const char* title;
};

void PrintTo(const TitleCase& row, std::ostream* out)
{
    *out << row.name;
}

class MessageBoxTitleTest : public ::testing::TestWithParam<TitleCase>
{
protected:
    // No display name is set here (one set cannot be unset): the title follows the application name.
    void TearDown() override { QCoreApplication::setApplicationName(oldName); }

    const QString oldName = QCoreApplication::applicationName();
};

TEST_P(MessageBoxTitleTest, TitlesTheBoxWithTheProgramName)
{
    const TitleCase& c = GetParam();
    QCoreApplication::setApplicationName(QString::fromUtf8(c.applicationName));
    MessageBoxDialogs dialogs;
    Seen seen;
    answerNextBox(seen, QStringLiteral("OK"));

    dialogs.error(QStringLiteral("Soubor nelze otevřít."));

    EXPECT_EQ(seen.title, QString::fromUtf8(c.title));
}

INSTANTIATE_TEST_SUITE_P(Rows, MessageBoxTitleTest,
                         ::testing::Values(TitleCase{"Hotel", "Lodgera", "Lodgera"},
                                           TitleCase{"Downloader", "Downloader", "Downloader"}),
                         [](const ::testing::TestParamInfo<TitleCase>& info) { return std::string(info.param.name); });

} // namespace
