#pragma once
// JPEG files made for the decoder tests with libjpeg itself: colour, greyscale, CMYK, progressive,
// any size, and a header edit that declares a size the data does not hold.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include <jpeglib.h>

namespace JpegTestFiles {

using Bytes = std::vector<std::uint8_t>;

struct Recipe
{
    int width = 16;
    int height = 16;
    J_COLOR_SPACE space = JCS_RGB; // JCS_RGB, JCS_GRAYSCALE or JCS_CMYK
    bool progressive = false;
    int quality = 90;
    // Writes the stored samples of pixel (x, y): 3, 1 or 4 bytes after space. Default: mid grey.
    std::function<void(int x, int y, std::uint8_t* samples)> fill;
};

inline Bytes encode(const Recipe& recipe)
{
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr errors{};
    cinfo.err = jpeg_std_error(&errors);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const int components = recipe.space == JCS_GRAYSCALE ? 1 : recipe.space == JCS_CMYK ? 4 : 3;
    cinfo.image_width = JDIMENSION(recipe.width);
    cinfo.image_height = JDIMENSION(recipe.height);
    cinfo.input_components = components;
    cinfo.in_color_space = recipe.space;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, recipe.quality, TRUE);
    if (recipe.progressive)
        jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<std::uint8_t> row(std::size_t(recipe.width * components), 128);
    while (cinfo.next_scanline < cinfo.image_height) {
        if (recipe.fill)
            for (int x = 0; x < recipe.width; ++x)
                recipe.fill(x, int(cinfo.next_scanline), row.data() + x * components);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    Bytes bytes(buffer, buffer + size);
    std::free(buffer);
    return bytes;
}

// The same file with the frame header declaring width x height instead.
inline Bytes withDeclaredSize(Bytes bytes, std::uint16_t width, std::uint16_t height)
{
    for (std::size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && (bytes[i + 1] == 0xC0 || bytes[i + 1] == 0xC2)) {
            // FF Cn, length (2), precision (1), height (2), width (2).
            bytes[i + 5] = std::uint8_t(height >> 8), bytes[i + 6] = std::uint8_t(height & 0xFF);
            bytes[i + 7] = std::uint8_t(width >> 8), bytes[i + 8] = std::uint8_t(width & 0xFF);
            return bytes;
        }
    }
    return {};
}

} // namespace JpegTestFiles
