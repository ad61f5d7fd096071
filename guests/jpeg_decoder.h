#pragma once
// JPEG decoding for the guest photographs, straight on libjpeg and free of Qt: bytes in, packed
// RGB pixels out. The picture is decoded at the smallest of libjpeg's DCT scales (n/8, n = 1..8)
// that still covers the box it is shown in, so a 24-megapixel photo costs a fraction of a full
// decode. Errors never end the process (libjpeg's default error handler would call exit()), and a
// file libjpeg only warns about (cut short, corrupt data) is refused rather than shown half grey.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace Photo {

// Rows top to bottom, three bytes (red, green, blue) a pixel, no padding.
struct RgbImage
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

enum class JpegError {
    None,
    Empty,       // no bytes at all
    Damaged,     // not a JPEG, cut short or corrupt
    TooLarge,    // beyond the limits below
    Unsupported, // a JPEG whose colour space has no RGB conversion
};

struct JpegLimits
{
    // Declared picture size (before scaling), in pixels; 200 MP is well above any camera photo.
    std::uint64_t maxDeclaredPixels = 200'000'000;
    // Memory libjpeg may take for its own work (progressive pictures keep every coefficient).
    long maxWorkingMemory = 512L * 1024 * 1024;
};

struct JpegResult
{
    RgbImage image;
    JpegError error = JpegError::None;
    // libjpeg's message or our reason, for the error box; empty on success.
    std::string detail;
    // Declared size of the picture before scaling (0 when the header was not read).
    int declaredWidth = 0;
    int declaredHeight = 0;

    bool ok() const { return error == JpegError::None; }
};

// Decodes `size` bytes of a JPEG file. With a target of 0 x 0 the picture is decoded at full
// size; otherwise at the smallest scale n/8 whose size is at least the target in both directions
// (full size when even that is smaller). Never throws for any input.
JpegResult decodeJpeg(const std::uint8_t* data, std::size_t size, int targetWidth = 0, int targetHeight = 0,
                      const JpegLimits& limits = {});

} // namespace Photo
