#include "app/camera_window.h"

#include "app/forms.h"
#include "app/web_browser.h"
#include "desktop/guarded_connect.h"
#include "settings/settings_window.h"
#include "widgets/color_button.h"
#include "widgets/control_builders.h"
#include "widgets/screw_panel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kBandHeight = 45;

} // namespace

TForm2::TForm2(Forms& forms, QWidget* parent) : QWidget(parent), forms_(forms)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kamery"));

    ScrewPanel1 = Build::panel(this, u"ScrewPanel1", {0, 0, 640, kBandHeight});
    kamera = Build::comboBox(ScrewPanel1, u"kamera", {12, 10, 145, 25}, true);
    kamera->setAccessibleName(QStringLiteral("Kamera"));
    for (int i = 1; i <= Settings::kCameraCount; ++i)
        kamera->addItem(QStringLiteral("Kamera %1.").arg(i));
    // The box reads "Kamera 1." yet nothing is chosen until the user picks an item.
    kamera->setCurrentIndex(-1);
    kamera->setEditText(QStringLiteral("Kamera 1."));

    ObnovitBut = Build::colorButton(ScrewPanel1, u"ObnovitBut", QStringLiteral("Obnovit obraz"), {168, 8, 121, 29},
                                    clBtnFace, Build::Font{});
    guardedConnect(forms_.dialogs, ObnovitBut, &ColorButton::clicked, this, &TForm2::ObnovitClick);

    ScrewPanel2 = Build::panel(this, u"ScrewPanel2", {0, kBandHeight, 640, 480 - kBandHeight});
    CamWeb = forms.browsers->create(ScrewPanel2);
    CamWeb->setObjectName(QStringLiteral("CamWeb"));
    CamWeb->setAccessibleName(QStringLiteral("Obraz kamery"));

    resize(640, 480);
}

void TForm2::ObnovitClick()
{
    // Text typed over a chosen item leaves no camera chosen.
    const int index = kamera->currentIndex();
    if (index < 0 || index >= Settings::kCameraCount || kamera->currentText() != kamera->itemText(index))
        return;
    // The address as it stands in the settings window, saved or not.
    CamWeb->Navigate(forms_.form15->kamera[static_cast<std::size_t>(index)]->text());
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    // The band keeps its height across the top; the browser panel fills the rest.
    ScrewPanel1->setGeometry(0, 0, width(), kBandHeight);
    ScrewPanel2->setGeometry(0, kBandHeight, width(), height() - kBandHeight);
    CamWeb->setGeometry(ScrewPanel2->rect().adjusted(4, 4, -4, -4));
    QWidget::resizeEvent(event);
}
