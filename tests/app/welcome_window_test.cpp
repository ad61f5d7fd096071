#include "tests/support/program_fixture.h"

#include "desktop/link_labels.h"
#include "rooms/reception_window.h"
#include "settings/settings_window.h"
#include "widgets/lcd99.h"
#include "widgets/led_meter.h"

#include <QCoreApplication>
#include <QFile>
#include <QMouseEvent>

#include <ostream>
#include <stdexcept>

namespace {

using WelcomeTimer = ProgramTest;

TEST_F(WelcomeTimer, FirstTickOnlyStarts)
{
    ticks(1);
    EXPECT_EQ(welcome().Stav, QStringLiteral("START"));
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(welcome().LEDMeter->position(), 0);
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("00:00:00"));
}

TEST_F(WelcomeTimer, SecondTickPlaysMeterLoadsSettingsShowsMainWindowAndSetsBothClocks)
{
    ticks(2);
    EXPECT_EQ(welcome().Stav, QStringLiteral("RUN"));
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(welcome().LEDMeter->position(), 100);
    EXPECT_EQ(pauses, std::vector<int>(100, 10));
    // The settings load ran: no chat address, so the explanatory page and no chat input.
    EXPECT_EQ(chat().navigations.last(), webChatExplanationPage());
    EXPECT_FALSE(main().chattext->isEnabled());
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("14:05:09"));
    EXPECT_EQ(clockText(forms().form5->hodinky), QStringLiteral("14:05:09"));
}

TEST_F(WelcomeTimer, LaterTicksFollowTheClockWithoutReplayingTheStart)
{
    ticks(2);
    clock = clock.addSecs(51);
    ticks(1);
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("14:06:00"));
    EXPECT_EQ(clockText(forms().form5->hodinky), QStringLiteral("14:06:00"));
    EXPECT_EQ(pauses.size(), 100u);
    EXPECT_EQ(welcome().Stav, QStringLiteral("RUN"));
}

TEST_F(WelcomeTimer, KonecHidesMainWindowAtOnceAndTheNextTickEndsTheProgram)
{
    int ended = 0;
    QObject::connect(&welcome(), &TForm6::programEnded, [&ended] { ++ended; });
    program->start();
    ticks(2);
    leftClick(main().KonecBut);
    EXPECT_FALSE(main().isVisible());
    EXPECT_EQ(welcome().Stav, QStringLiteral("KONEC"));
    EXPECT_EQ(ended, 0);

    ticks(1);
    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(welcome().isVisible());
    EXPECT_FALSE(welcome().Timer1->isActive());
}

TEST_F(WelcomeTimer, HiddenWelcomeScreenKeepsDrivingClocksAndExit)
{
    int ended = 0;
    QObject::connect(&welcome(), &TForm6::programEnded, [&ended] { ++ended; });
    program->start();
    ASSERT_TRUE(welcome().isVisible());
    welcome().XBut->click();
    EXPECT_FALSE(welcome().isVisible());
    EXPECT_TRUE(welcome().Timer1->isActive());

    ticks(2);
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("14:05:09"));
    main().KonecButClick();
    ticks(1);
    EXPECT_EQ(ended, 1);
}

TEST_F(WelcomeTimer, ClickOnBackgroundHidesIt)
{
    program->start();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(200, 100), QPointF(200, 100), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(&welcome(), &press);
    EXPECT_FALSE(welcome().isVisible());
    EXPECT_TRUE(welcome().Timer1->isActive());
}

TEST_F(WelcomeTimer, ClosingTheWelcomeScreenEndsTheProgram)
{
    int ended = 0;
    QObject::connect(&welcome(), &TForm6::programEnded, [&ended] { ++ended; });
    program->start();
    welcome().close();
    EXPECT_EQ(ended, 1);
}

TEST_F(WelcomeTimer, LinkLabelsOpenTheWebAndMailAddressesAndLeaveTheScreenShown)
{
    program->start();
    auto* web = welcome().findChild<HotLinkLabel*>(QStringLiteral("HotLinkLabel1"));
    auto* mail = welcome().findChild<MailToLabel*>(QStringLiteral("MailToLabel1"));
    ASSERT_NE(web, nullptr);
    ASSERT_NE(mail, nullptr);
    leftClick(web);
    leftClick(mail);
    EXPECT_EQ(shell.opened, (std::vector<QString>{web->Url(), mail->address()}));
    EXPECT_TRUE(mail->address().startsWith(QStringLiteral("mailto:")));
    EXPECT_TRUE(welcome().isVisible());
}

// A view whose control refuses every navigation after the first (the explanatory page at creation).
class RefusingBrowser final : public TWebBrowser
{
public:
    using TWebBrowser::TWebBrowser;
    void Navigate(const QString& address) override
    {
        if (navigated++)
            throw std::runtime_error("Navigace na " + address.toStdString() + " selhala.");
    }

private:
    int navigated = 0;
};

class WelcomeTimerRefusedLoad : public ProgramTest
{
protected:
    class Factory final : public TWebBrowserFactory
    {
    public:
        TWebBrowser* create(QWidget* parent) override { return new RefusingBrowser(parent); }
    };
    TWebBrowserFactory& browserFactory() override { return refusing; }
    Factory refusing;
};

TEST_F(WelcomeTimerRefusedLoad, FailedSettingsLoadIsReportedAndTheMainWindowStillComes)
{
    ticks(2);
    ASSERT_EQ(dialogs.record.shown.size(), 1u);
    EXPECT_EQ(dialogs.record.shown[0].kind, Dialogs::Kind::Error);
    EXPECT_TRUE(dialogs.record.shown[0].text.contains(webChatExplanationPage()));
    EXPECT_TRUE(main().isVisible());
    EXPECT_EQ(welcome().Stav, QStringLiteral("RUN"));
    EXPECT_EQ(main().hodinky->value(), QStringLiteral("14:05:09"));
}

// The settings load as the start tick and the web actions run it.
struct ChatCase
{
    const char* name;
    const char* address;
    bool chatEnabled;
};

// Names the row in test output.
void PrintTo(const ChatCase& row, std::ostream* out)
{
    *out << row.name;
}

class SettingsLoad : public ProgramTest, public ::testing::WithParamInterface<ChatCase>
{
};

TEST_P(SettingsLoad, PointsChatViewAndSwitchesChatInput)
{
    // The load reads the chat address from hotel.ini, over whatever the field held.
    const QString address = QString::fromUtf8(GetParam().address);
    forms().form15->webchatcesta->setText(QStringLiteral("http://typed.but.not.saved/"));
    QFile ini(dataDirectory() + QStringLiteral("hotel.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Global]\r\nWebChatURL=" + address.toUtf8() + "\r\n");
    ini.close();
    ticks(2);
    EXPECT_EQ(chat().navigations.last(), address.isEmpty() ? webChatExplanationPage() : address);
    for (QWidget* control : std::initializer_list<QWidget*>{main().chattext, main().chatkomu, main().chatposlat})
        EXPECT_EQ(control->isEnabled(), GetParam().chatEnabled) << control->objectName().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Rows, SettingsLoad,
                         ::testing::Values(ChatCase{"NoChatServer", "", false},
                                           ChatCase{"ChatServer", "http://192.168.1.20/chat/", true}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
