#include "app/camera_window.h"

#include "app/forms.h"
#include "app/web_browser.h"
#include "desktop/guarded.h"
#include "settings/settings_window.h"
#include "widgets/color_button.h"
#include "widgets/screw_panel.h"

#include <QComboBox>
#include <QLineEdit>

namespace {

constexpr int kCameras = 15;
constexpr int kBandHeight = 45;

} // namespace

TForm2::TForm2(Forms& forms, QWidget* parent)
    : QWidget(parent), ScrewPanel1(new TScrewPanel(this)), kamera(new QComboBox(ScrewPanel1)),
      ObnovitBut(new ColorButton(ScrewPanel1)), ScrewPanel2(new TScrewPanel(this)), forms_(forms)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kamery"));

    ScrewPanel1->setObjectName(QStringLiteral("ScrewPanel1"));
    kamera->setObjectName(QStringLiteral("kamera"));
    kamera->setEditable(true);
    for (int i = 1; i <= kCameras; ++i)
        kamera->addItem(QStringLiteral("Kamera %1.").arg(i));
    // The box reads "Kamera 1." yet nothing is chosen until the user picks an item.
    kamera->setCurrentIndex(-1);
    kamera->setEditText(QStringLiteral("Kamera 1."));
    kamera->setGeometry(12, 10, 145, 25);

    ObnovitBut->setObjectName(QStringLiteral("ObnovitBut"));
    ObnovitBut->setCaption(QStringLiteral("Obnovit obraz"));
    ObnovitBut->setGeometry(168, 8, 121, 29);
    connect(ObnovitBut, &ColorButton::clicked, this,
            [this] { runGuarded(forms_.dialogs, [this] { ObnovitClick(); }); });

    ScrewPanel2->setObjectName(QStringLiteral("ScrewPanel2"));
    CamWeb = forms.browsers->create(ScrewPanel2);
    CamWeb->setObjectName(QStringLiteral("CamWeb"));

    resize(640, 480);
}

void TForm2::ObnovitClick()
{
    // Text typed over a chosen item leaves no camera chosen.
    const int index = kamera->currentIndex();
    if (index < 0 || index >= kCameras || kamera->currentText() != kamera->itemText(index) || !forms_.form15)
        return;
    // The address as it stands in the settings window, saved or not.
    const auto* address = forms_.form15->findChild<QLineEdit*>(QStringLiteral("kamera%1").arg(index + 1));
    if (address)
        CamWeb->Navigate(address->text());
}

void TForm2::resizeEvent(QResizeEvent* event)
{
    // The band keeps its height across the top; the browser panel fills the rest.
    ScrewPanel1->setGeometry(0, 0, width(), kBandHeight);
    ScrewPanel2->setGeometry(0, kBandHeight, width(), height() - kBandHeight);
    CamWeb->setGeometry(ScrewPanel2->rect().adjusted(4, 4, -4, -4));
    QWidget::resizeEvent(event);
}
