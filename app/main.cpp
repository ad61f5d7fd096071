// hotel: the reception-desk program.
#include <QApplication>
#include <QLabel>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QLabel starting(QStringLiteral("Lodgera se spouští…"));
    starting.setWindowTitle(QStringLiteral("Lodgera"));
    starting.resize(320, 120);
    starting.setAlignment(Qt::AlignCenter);
    starting.show();
    return app.exec();
}
