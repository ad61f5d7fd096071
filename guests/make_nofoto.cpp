// Writes the placeholder picture as a JPEG: make_nofoto <file> (demo/nofoto.jpg is made with it).
#include "guests/placeholder_photo.h"

#include <QGuiApplication>
#include <QImageWriter>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_nofoto <file.jpg>\n");
        return 2;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "jpeg");
    writer.setQuality(90);
    if (!writer.write(drawPlaceholderPhoto(QSize(240, 320)))) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
