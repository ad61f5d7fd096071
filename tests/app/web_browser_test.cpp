#include "app/web_browser.h"
#include "tests/support/recording_browser.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct TargetCase
{
    const char* name;
    const char* address;
    bool inlineHtml;
    const char* shown; // the HTML, or the URL as text
};

// Names the row in test output.
void PrintTo(const TargetCase& row, std::ostream* out)
{
    *out << row.name;
}

class NavigationTargetTest : public ::testing::TestWithParam<TargetCase>
{
};

TEST_P(NavigationTargetTest, AboutPagesAreInlineHtmlOthersAreAddresses)
{
    const TargetCase& c = GetParam();
    const NavigationTarget target = navigationTarget(QString::fromUtf8(c.address));
    EXPECT_EQ(target.isInlineHtml, c.inlineHtml);
    if (c.inlineHtml)
        EXPECT_EQ(target.html, QString::fromUtf8(c.shown));
    else
        EXPECT_EQ(target.url.toString(), QString::fromUtf8(c.shown));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, NavigationTargetTest,
    ::testing::Values(
        TargetCase{"InlineBold", "about:<b>Chat needs a server.</b>", true, "<b>Chat needs a server.</b>"},
        TargetCase{"SchemeInAnyCase", "ABOUT:<i>Čeština</i>", true, "<i>Čeština</i>"},
        TargetCase{"Blank", "about:blank", false, "about:blank"}, TargetCase{"EmptyIsBlank", "", false, "about:blank"},
        TargetCase{"WebAddressUnchanged", "http://127.0.0.1:8080/taxi.php?akce=order&hotel=1", false,
                   "http://127.0.0.1:8080/taxi.php?akce=order&hotel=1"},
        TargetCase{"CameraPicture", "https://cam.example/snapshot.jpg", false, "https://cam.example/snapshot.jpg"},
        // Stored without a scheme, as the settings' address fields hold them.
        TargetCase{"NoSchemeIsWeb", "taxi.example/order", false, "http://taxi.example/order"}),
    [](const ::testing::TestParamInfo<TargetCase>& info) { return std::string(info.param.name); });

TEST(RecordingBrowser, RecordsEveryAddressInOrderAndBelongsToItsParent)
{
    QWidget parent;
    RecordingBrowserFactory factory;
    TWebBrowser* view = factory.create(&parent);
    ASSERT_EQ(view->parent(), &parent);
    view->Navigate(QStringLiteral("about:<b>x</b>"));
    view->Navigate(QStringLiteral("http://127.0.0.1/"));
    EXPECT_EQ(static_cast<RecordingBrowser*>(view)->navigations,
              QStringList({QStringLiteral("about:<b>x</b>"), QStringLiteral("http://127.0.0.1/")}));
}

} // namespace
