#include "app/camera_window.h"

TForm2::TForm2(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Kamery"));
    resize(640, 480);
}
