// libFuzzer target for the photo decoder: any bytes, decoded for any box, must give a picture of
// consistent size or an error, never a crash, a leak or an exit. The first two bytes pick the box.
#include "guests/jpeg_decoder.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int targetWidth = data[0];
    const int targetHeight = data[1];
    Photo::JpegLimits limits;
    // Small enough that the fuzzer meets the limits, large enough for real pictures.
    limits.maxDeclaredPixels = 4'000'000;
    limits.maxWorkingMemory = 64L * 1024 * 1024;
    const Photo::JpegResult r = Photo::decodeJpeg(data + 2, size - 2, targetWidth, targetHeight, limits);
    if (!r.ok()) {
        check(!r.detail.empty());
        check(r.image.pixels.empty());
        return 0;
    }
    check(r.image.width > 0 && r.image.height > 0);
    check(r.image.width <= r.declaredWidth && r.image.height <= r.declaredHeight);
    check(r.image.pixels.size() == std::size_t(r.image.width) * std::size_t(r.image.height) * 3);
    check(std::uint64_t(r.declaredWidth) * std::uint64_t(r.declaredHeight) <= limits.maxDeclaredPixels);
    return 0;
}
