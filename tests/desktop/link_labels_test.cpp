#include "desktop/link_labels.h"
#include "desktop/shell.h"
#include "tests/support/qt_print.h"
#include "tests/support/recording_dialogs.h"

#include <QApplication>
#include <QEnterEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QToolTip>

#include <gtest/gtest.h>

#include <ostream>

namespace {

void enter(QWidget* w)
{
    QEnterEvent event(QPointF(2, 2), QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)));
    QApplication::sendEvent(w, &event);
}

void leave(QWidget* w)
{
    QEvent event(QEvent::Leave);
    QApplication::sendEvent(w, &event);
}

// Press at one point and release at another, as the mouse does.
void click(QWidget* w, QPointF releaseAt = QPointF(2, 2))
{
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), w->mapToGlobal(QPointF(2, 2)), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, releaseAt, w->mapToGlobal(releaseAt), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(w, &release);
}

QColor tooltipColor()
{
    return QToolTip::palette().color(QPalette::ToolTipBase);
}

TEST(HoverLabel, ColoursChangeWhileTheMouseIsOverAndComeBackAfter)
{
    HoverLabel label;
    label.resize(100, 20);
    QPalette p = label.palette();
    p.setColor(QPalette::WindowText, QColor(0x0D, 0x86, 0xFF));
    label.setPalette(p);
    label.ColorOnEnter = Qt::red;
    label.HintColor = QColor(0xFF, 0xFF, 0xE1);
    const QColor tooltipBefore = tooltipColor();
    ASSERT_NE(tooltipBefore, label.HintColor);
    int entered = 0, left = 0;
    QObject::connect(&label, &HoverLabel::mouseEntered, [&] { ++entered; });
    QObject::connect(&label, &HoverLabel::mouseLeft, [&] { ++left; });

    enter(&label);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_EQ(tooltipColor(), label.HintColor);
    // A second enter without a leave changes nothing and remembers nothing new.
    enter(&label);
    leave(&label);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), QColor(0x0D, 0x86, 0xFF));
    EXPECT_EQ(tooltipColor(), tooltipBefore);
    // A leave without an enter restores nothing.
    leave(&label);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

TEST(HoverLabel, WithoutColorChangeOnlyTheTooltipChanges)
{
    HoverLabel label;
    label.ColorChange = false;
    label.ColorOnEnter = Qt::red;
    label.HintColor = Qt::green;
    const QColor font = label.palette().color(QPalette::WindowText);
    const QColor tooltipBefore = tooltipColor();
    enter(&label);
    EXPECT_EQ(label.palette().color(QPalette::WindowText), font);
    EXPECT_EQ(tooltipColor(), QColor(Qt::green));
    leave(&label);
    EXPECT_EQ(tooltipColor(), tooltipBefore);
}

struct MailCase
{
    const char* name;
    const char* destinator;
    const char* subject;
    const char* cc;
    const char* bcc;
    const char* address;
};

void PrintTo(const MailCase& row, std::ostream* out)
{
    *out << row.name;
}

class MailAddress : public ::testing::TestWithParam<MailCase>
{
};

TEST_P(MailAddress, EveryAddedPartStartsWithAQuestionMark)
{
    MailToLabel label(nullptr);
    label.MailDestinator = QString::fromUtf8(GetParam().destinator);
    label.MailSubject = QString::fromUtf8(GetParam().subject);
    label.MailCC = QString::fromUtf8(GetParam().cc);
    label.MailBcc = QString::fromUtf8(GetParam().bcc);
    EXPECT_EQ(label.address(), QString::fromUtf8(GetParam().address));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MailAddress,
    ::testing::Values(MailCase{"DestinatorOnly", "info@hotel.cz", "", "", "", "mailto:info@hotel.cz"},
                      MailCase{"SubjectAndCopy", "info@hotel.cz", "Rezervace", "sef@hotel.cz", "",
                               "mailto:info@hotel.cz?SUBJECT=Rezervace?CC=sef@hotel.cz"},
                      MailCase{"AllThreeInOrder", "a@b.cz", "S", "c@b.cz", "d@b.cz",
                               "mailto:a@b.cz?SUBJECT=S?BCC=d@b.cz?CC=c@b.cz"},
                      MailCase{"BlindCopyAlone", "a@b.cz", "", "", "d@b.cz", "mailto:a@b.cz?BCC=d@b.cz"},
                      MailCase{"CutAt79", "recepce@hotel-u-lipy.cz", "Dotaz na volne pokoje v terminu od do a cenu",
                               "sef@hotel-u-lipy.cz", "",
                               "mailto:recepce@hotel-u-lipy.cz?SUBJECT=Dotaz na volne pokoje v terminu od do a "}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HotLinkLabel, UrlHoldsAtMost79Characters)
{
    HotLinkLabel label(nullptr);
    for (int length : {78, 79, 80}) {
        const QString url = QStringLiteral("http://hotel.cz/") + QString(length - 16, u'a');
        label.setUrl(url);
        EXPECT_EQ(label.Url(), url.left(79)) << length;
    }
    EXPECT_EQ(label.cursor().shape(), Qt::PointingHandCursor);
}

TEST(LinkLabels, ClickRunsTheClickEventThenOpensTheAddressThroughTheShell)
{
    RecordingShell shell;
    QStringList order;
    HotLinkLabel web(&shell);
    web.resize(100, 20);
    web.setUrl(QStringLiteral("https://www.lodgera.example/"));
    MailToLabel mail(&shell);
    mail.resize(100, 20);
    mail.MailDestinator = QStringLiteral("info@lodgera.example");
    QObject::connect(&web, &LinkLabel::clicked,
                     [&] { order << QStringLiteral("clicked:%1").arg(shell.opened.size()); });

    click(&web);
    click(&mail);
    EXPECT_EQ(order, QStringList{QStringLiteral("clicked:0")});
    ASSERT_EQ(shell.opened.size(), 2u);
    EXPECT_EQ(shell.opened[0], QStringLiteral("https://www.lodgera.example/"));
    EXPECT_EQ(shell.opened[1], QStringLiteral("mailto:info@lodgera.example"));

    // A press dragged off the label is no click; Enter on the focused label is one.
    click(&web, QPointF(500, 500));
    EXPECT_EQ(shell.opened.size(), 2u);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(&mail, &key);
    EXPECT_EQ(shell.opened.size(), 3u);
}

} // namespace
