#include "guests/photo_loader.h"

#include "tests/guests/jpeg_test_files.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>
#include <string>

namespace {

const QSize kBox(120, 160);

QByteArray encoded(const QImage& image, const char* format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    EXPECT_TRUE(writer.write(image)) << format;
    return bytes;
}

QImage filled(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QByteArray fromBytes(const JpegTestFiles::Bytes& b)
{
    return QByteArray(reinterpret_cast<const char*>(b.data()), qsizetype(b.size()));
}

// One file on disk: its name (the extension decides its type) and its content; null content: no file.
struct FileCase
{
    const char* name;
    const char* fileName;
    std::function<QByteArray()> content;
    bool loads;
    const char* reason; // part of the error text when it does not load
};

void PrintTo(const FileCase& row, std::ostream* out)
{
    *out << row.name;
}

const QColor kBlue(20, 60, 200);

const FileCase kFiles[] = {
    {"Jpeg", "guest.jpg",
     [] {
         return encoded(filled({300, 400}, kBlue), "jpeg");
     },
     true, ""},
    {"JpegUpperCaseExtension", "GUEST.JPEG",
     [] {
         return encoded(filled({30, 40}, kBlue), "jpeg");
     },
     true, ""},
    {"Bitmap", "guest.bmp",
     [] {
         return encoded(filled({30, 40}, kBlue), "bmp");
     },
     true, ""},
    {"Icon", "guest.ico",
     [] {
         return encoded(filled({32, 32}, kBlue), "ico");
     },
     true, ""},
    {"ProgressiveJpeg", "guest.jpg",
     [] {
         JpegTestFiles::Recipe s;
         s.width = 64, s.height = 48, s.progressive = true;
         s.fill = [](int, int, std::uint8_t* p) { p[0] = 20, p[1] = 60, p[2] = 200; };
         return fromBytes(JpegTestFiles::encode(s));
     },
     true, ""},
    {"Missing", "nothing.jpg", nullptr, false, "neexistuje"},
    {"ZeroBytes", "empty.jpg", [] { return QByteArray(); }, false, "prázdný"},
    {"TruncatedJpeg", "cut.jpg",
     [] {
         QImage noisy(200, 200, QImage::Format_RGB32);
         for (int y = 0; y < 200; ++y)
             for (int x = 0; x < 200; ++x)
                 noisy.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, (x * y) % 256));
         QByteArray b = encoded(noisy, "jpeg");
         b.truncate(b.size() / 2);
         return b;
     },
     false, "poškozený"},
    {"PngNamedJpg", "photo.jpg",
     [] {
         return encoded(filled({30, 40}, kBlue), "png");
     },
     false, "poškozený"},
    {"JpegNamedBmp", "photo.bmp",
     [] {
         return encoded(filled({30, 40}, kBlue), "jpeg");
     },
     false, "poškozený"},
    {"PngByItsName", "photo.png",
     [] {
         return encoded(filled({30, 40}, kBlue), "png");
     },
     false, "neznámý typ"},
    {"NoExtension", "photo",
     [] {
         return encoded(filled({30, 40}, kBlue), "jpeg");
     },
     false, "neznámý typ"},
    {"Metafile", "logo.wmf", [] { return QByteArray("\xD7\xCD\xC6\x9A\0\0", 6); }, false, "metasoubor"},
    {"HugeDeclaredJpeg", "huge.jpg",
     [] { return fromBytes(JpegTestFiles::withDeclaredSize(JpegTestFiles::encode({}), 60000, 60000)); }, false,
     "příliš velký"},
    {"HugeDeclaredBitmap", "huge.bmp",
     [] {
         QByteArray b = encoded(filled({4, 4}, kBlue), "bmp");
         // BITMAPINFOHEADER width and height at offsets 18 and 22.
         const qint32 side = 30000; // 900 megapixels, within the format's limits
         std::memcpy(b.data() + 18, &side, 4);
         std::memcpy(b.data() + 22, &side, 4);
         return b;
     },
     false, "příliš velký"},
    {"TruncatedBitmap", "cut.bmp",
     [] {
         QByteArray b = encoded(filled({64, 64}, kBlue), "bmp");
         b.truncate(b.size() / 2);
         return b;
     },
     false, "poškozený"},
};

class LoadPhotoFile : public ::testing::TestWithParam<FileCase>
{
protected:
    QTemporaryDir dir;
};

TEST_P(LoadPhotoFile, LoadsItOrNamesItInTheError)
{
    const FileCase& row = GetParam();
    const QString path = dir.filePath(QString::fromUtf8(row.fileName));
    if (row.content) {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        const QByteArray content = row.content();
        ASSERT_EQ(f.write(content), content.size());
    }
    if (row.loads) {
        const QImage image = Photo::loadPhoto(path, kBox);
        ASSERT_EQ(image.size(), kBox);
        const QColor centre = image.pixelColor(60, 80);
        EXPECT_NEAR(centre.red(), kBlue.red(), 12);
        EXPECT_NEAR(centre.green(), kBlue.green(), 12);
        EXPECT_NEAR(centre.blue(), kBlue.blue(), 12);
        return;
    }
    try {
        Photo::loadPhoto(path, kBox);
        FAIL() << "loaded";
    } catch (const EPhotoError& e) {
        EXPECT_EQ(e.fileName(), path);
        const QString text = QString::fromUtf8(e.what());
        EXPECT_TRUE(text.contains(u'"' + path + u'"')) << e.what();
        EXPECT_TRUE(text.contains(QString::fromUtf8(row.reason))) << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LoadPhotoFile, ::testing::ValuesIn(kFiles),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(LoadPhoto, FolderAndEmptyNameAreNoFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("album.jpg")));
    EXPECT_THROW(Photo::loadPhoto(dir.filePath(QStringLiteral("album.jpg")), kBox), EPhotoError);
    EXPECT_THROW(Photo::loadPhoto(QString(), kBox), EPhotoError);
}

TEST(LoadPhoto, ShippedPlaceholderLoads)
{
    const QImage image = Photo::loadPhoto(QStringLiteral(LODGERA_SOURCE_DIR "/demo/nofoto.jpg"), kBox);
    EXPECT_EQ(image.size(), kBox);
}

} // namespace
