#include "guests/photo_loader.h"

#include "guests/jpeg_decoder.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QtEndian>

#include <cstdlib>
#include <cstring>

EPhotoError::EPhotoError(const QString& fileName, const QString& reason)
    : std::runtime_error(QStringLiteral("Obrázek \"%1\" nelze načíst: %2.").arg(fileName, reason).toStdString()),
      fileName_(fileName)
{
}

namespace Photo {

namespace {

enum class Kind { Jpeg, Bitmap, Icon, Metafile, Unknown };

Kind kindOf(const QString& fileName)
{
    const QString ext = QFileInfo(fileName).suffix().toLower();
    if (ext == u"jpg" || ext == u"jpeg" || ext == u"jpe" || ext == u"jfif")
        return Kind::Jpeg;
    if (ext == u"bmp" || ext == u"dib")
        return Kind::Bitmap;
    if (ext == u"ico")
        return Kind::Icon;
    if (ext == u"wmf" || ext == u"emf")
        return Kind::Metafile;
    return Kind::Unknown;
}

QByteArray readWhole(const QString& fileName)
{
    QFile file(fileName);
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        throw EPhotoError(fileName, QStringLiteral("soubor neexistuje"));
    if (!file.open(QIODevice::ReadOnly))
        throw EPhotoError(fileName, QStringLiteral("soubor nelze otevřít (%1)").arg(file.errorString()));
    if (file.size() > kMaxFileBytes)
        throw EPhotoError(fileName, QStringLiteral("soubor je příliš velký"));
    QByteArray bytes = file.readAll();
    if (bytes.isEmpty())
        throw EPhotoError(fileName, QStringLiteral("soubor je prázdný"));
    return bytes;
}

QImage jpegImage(const QString& fileName, const QByteArray& bytes, const QSize& box)
{
    const JpegResult r = decodeJpeg(reinterpret_cast<const std::uint8_t*>(bytes.constData()), std::size_t(bytes.size()),
                                    box.width(), box.height());
    switch (r.error) {
    case JpegError::None:
        break;
    case JpegError::Empty:
        throw EPhotoError(fileName, QStringLiteral("soubor je prázdný"));
    case JpegError::TooLarge:
        throw EPhotoError(fileName,
                          QStringLiteral("obrázek je příliš velký (%1)").arg(QString::fromStdString(r.detail)));
    case JpegError::Unsupported:
        throw EPhotoError(fileName, QStringLiteral("nepodporovaný JPEG (%1)").arg(QString::fromStdString(r.detail)));
    case JpegError::Damaged:
        throw EPhotoError(fileName, QStringLiteral("soubor je poškozený (%1)").arg(QString::fromStdString(r.detail)));
    }
    QImage image(r.image.width, r.image.height, QImage::Format_RGB888);
    if (image.isNull())
        throw EPhotoError(fileName, QStringLiteral("obrázek je příliš velký"));
    const qsizetype stride = qsizetype(r.image.width) * 3;
    for (int y = 0; y < r.image.height; ++y)
        std::memcpy(image.scanLine(y), r.image.pixels.data() + y * stride, std::size_t(stride));
    return image;
}

// Checks of an uncompressed Windows bitmap's header that Qt's reader does not make: a declared
// size beyond the pixel limit, and a file shorter than its pixel rows (Qt shows the missing rows
// blank).
void checkBitmapHeader(const QString& fileName, const QByteArray& b)
{
    if (b.size() < 34 || !b.startsWith("BM"))
        return;
    const auto u32 = [&b](int at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    const auto u16 = [&b](int at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    if (u32(14) < 40)
        return; // an old OS/2 header; Qt's reader judges it
    const qint64 width = qint32(u32(18));
    const qint64 height = std::abs(qint64(qint32(u32(22))));
    if (width * height > kMaxPixels)
        throw EPhotoError(fileName, QStringLiteral("obrázek je příliš velký (%1x%2 pixelů)").arg(width).arg(height));
    const quint32 compression = u32(30);
    const qint64 stride = (width * u16(28) + 31) / 32 * 4;
    if ((compression == 0 || compression == 3) && width > 0 && qint64(u32(10)) + stride * height > b.size())
        throw EPhotoError(fileName, QStringLiteral("soubor je poškozený (zkrácený)"));
}

QImage readerImage(const QString& fileName, QByteArray bytes, const char* format)
{
    if (qstrcmp(format, "bmp") == 0)
        checkBitmapHeader(fileName, bytes);
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, format);
    reader.setDecideFormatFromContent(false);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPixels)
        throw EPhotoError(
            fileName, QStringLiteral("obrázek je příliš velký (%1x%2 pixelů)").arg(size.width()).arg(size.height()));
    QImage image = reader.read();
    if (image.isNull())
        throw EPhotoError(fileName, QStringLiteral("soubor je poškozený (%1)").arg(reader.errorString()));
    return image;
}

} // namespace

QImage loadPhoto(const QString& fileName, const QSize& box)
{
    const Kind kind = kindOf(fileName);
    if (kind == Kind::Metafile)
        throw EPhotoError(fileName, QStringLiteral("metasoubor (WMF, EMF) nelze zobrazit"));
    if (kind == Kind::Unknown)
        throw EPhotoError(fileName, QStringLiteral("neznámý typ obrázku"));

    const QByteArray bytes = readWhole(fileName);
    QImage image = kind == Kind::Jpeg     ? jpegImage(fileName, bytes, box)
                   : kind == Kind::Bitmap ? readerImage(fileName, bytes, "bmp")
                                          : readerImage(fileName, bytes, "ico");
    if (box.isValid() && !box.isEmpty() && image.size() != box)
        image = image.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace Photo
