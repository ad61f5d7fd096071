#include "reports/print_outputs_window.h"

TForm17::TForm17(Forms& /*forms*/, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form17"));
    setWindowTitle(QStringLiteral("Tiskové výstupy"));
    resize(640, 480);
}
