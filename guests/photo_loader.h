#pragma once
// The guest card's picture loading: the file's type follows its extension (JPEG through our own
// libjpeg decoder, scaled while decoding to the box it is shown in; Windows bitmap and icon
// through Qt's readers). Anything else, or a file that is missing, empty, damaged or too large,
// raises EPhotoError whose message names the file.

#include <QImage>
#include <QSize>
#include <QString>

#include <stdexcept>

class EPhotoError final : public std::runtime_error
{
public:
    EPhotoError(const QString& fileName, const QString& reason);
    const QString& fileName() const { return fileName_; }

private:
    QString fileName_;
};

namespace Photo {

// Files larger than this are not read at all.
inline constexpr qint64 kMaxFileBytes = 128LL * 1024 * 1024;
// Bitmaps and icons declaring more pixels than this are refused before decoding.
inline constexpr qint64 kMaxPixels = 200'000'000;

// The picture of `fileName` at `box` size (stretched to it); an empty box keeps the picture's size.
QImage loadPhoto(const QString& fileName, const QSize& box);

} // namespace Photo
