#include "tests/support/program_fixture.h"

#include "app/camera_window.h"
#include "settings/settings_window.h"
#include "widgets/color_button.h"
#include "widgets/screw_panel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

// The cameras window over the program, with the settings window's 15 camera address fields.
class CameraWindow : public ProgramTest
{
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        for (int i = 1; i <= 15; ++i)
            address(i)->setText(QStringLiteral("http://10.0.0.%1/snapshot").arg(i));
    }

    TForm2& cameras() { return *forms().form2; }
    QStringList navigations() { return static_cast<RecordingBrowser*>(cameras().CamWeb)->navigations; }
    QLineEdit* address(int camera) { return forms().form15->kamera[static_cast<std::size_t>(camera - 1)]; }
};

TEST_F(CameraWindow, StartsOnCameraOneWithNothingChosenAndNothingShown)
{
    EXPECT_EQ(cameras().windowTitle(), QStringLiteral("Kamery"));
    EXPECT_EQ(cameras().kamera->count(), 15);
    EXPECT_EQ(cameras().kamera->itemText(14), QStringLiteral("Kamera 15."));
    EXPECT_EQ(cameras().kamera->currentText(), QStringLiteral("Kamera 1."));
    EXPECT_EQ(cameras().ObnovitBut->caption(), QStringLiteral("Obnovit obraz"));

    leftClick(cameras().ObnovitBut);
    cameras().show();
    EXPECT_TRUE(navigations().isEmpty());
}

TEST_F(CameraWindow, RefreshShowsTheChosenCameraWithUnsavedSettingsText)
{
    address(15)->setText(QStringLiteral("http://kamera-recepce/live"));
    cameras().kamera->setCurrentIndex(14);
    leftClick(cameras().ObnovitBut);
    cameras().kamera->setCurrentIndex(0);
    leftClick(cameras().ObnovitBut);
    EXPECT_EQ(navigations(), (QStringList{QStringLiteral("http://kamera-recepce/live"), address(1)->text()}));
}

TEST_F(CameraWindow, TypedTextChoosesNoCamera)
{
    cameras().kamera->setCurrentIndex(2);
    cameras().kamera->setEditText(QStringLiteral("vstup"));
    leftClick(cameras().ObnovitBut);
    EXPECT_TRUE(navigations().isEmpty());
}

TEST_F(CameraWindow, BandOnTopAndBrowserPanelFillTheWindow)
{
    cameras().show();
    cameras().resize(800, 600);
    EXPECT_EQ(cameras().ScrewPanel1->geometry(), QRect(0, 0, 800, 45));
    EXPECT_EQ(cameras().ScrewPanel2->geometry(), QRect(0, 45, 800, 555));
    EXPECT_TRUE(cameras().ScrewPanel2->isAncestorOf(cameras().CamWeb));
}

} // namespace
