#include "guests/jpeg_decoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

// jpeglib.h needs size_t and FILE declared before it.
#include <jerror.h>
#include <jpeglib.h>

namespace Photo {

namespace {

// libjpeg's error manager extended by the jump back into decode() and the warning count.
struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    int warnings = 0;
    int lastCode = 0;
    char message[JMSG_LENGTH_MAX] = {};
};

ErrorManager& manager(j_common_ptr cinfo)
{
    return *reinterpret_cast<ErrorManager*>(cinfo->err);
}

[[noreturn]] void errorExit(j_common_ptr cinfo)
{
    ErrorManager& m = manager(cinfo);
    m.lastCode = m.base.msg_code;
    m.base.format_message(cinfo, m.message);
    std::longjmp(m.jump, 1);
}

// Level -1 is a warning (corrupt or missing data); higher levels are traces we do not want.
void emitMessage(j_common_ptr cinfo, int level)
{
    ErrorManager& m = manager(cinfo);
    if (level >= 0)
        return;
    if (m.warnings++ == 0) {
        m.lastCode = m.base.msg_code;
        m.base.format_message(cinfo, m.message);
    }
}

void outputMessage(j_common_ptr) {}

// Everything decode() touches after setjmp lives here, in the caller's frame, so that a longjmp
// out of libjpeg skips no destructor and leaves no local in an indeterminate state.
struct DecodeState
{
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    const std::uint8_t* data = nullptr;
    std::size_t size = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    JpegLimits limits;
    JpegResult* result = nullptr;
    bool created = false;
};

// Stored CMYK to RGB. Adobe's files (libjpeg writes the Adobe marker for CMYK) hold the inks
// inverted, 255 meaning no ink; other files hold them as they are.
void cmykRowToRgb(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width, bool inverted)
{
    for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
        int c = in[0], m = in[1], y = in[2], k = in[3];
        if (!inverted)
            c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        out[0] = std::uint8_t(c * k / 255);
        out[1] = std::uint8_t(m * k / 255);
        out[2] = std::uint8_t(y * k / 255);
    }
}

// Runs libjpeg; returns false where it gave up through errorExit or a limit. Only trivially
// destructible locals here: libjpeg may longjmp back to the setjmp below.
bool decode(DecodeState& s)
{
    jpeg_decompress_struct& cinfo = s.cinfo;
    if (setjmp(s.errors.jump))
        return false;

    jpeg_create_decompress(&cinfo);
    s.created = true;
    cinfo.mem->max_memory_to_use = s.limits.maxWorkingMemory;
    jpeg_mem_src(&cinfo, s.data, static_cast<unsigned long>(s.size));
    jpeg_read_header(&cinfo, TRUE);
    s.result->declaredWidth = int(cinfo.image_width);
    s.result->declaredHeight = int(cinfo.image_height);

    if (std::uint64_t(cinfo.image_width) * cinfo.image_height > s.limits.maxDeclaredPixels) {
        s.result->error = JpegError::TooLarge;
        std::snprintf(s.errors.message, sizeof s.errors.message, "%ux%u pixels", cinfo.image_width, cinfo.image_height);
        return false;
    }

    const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
    cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;

    cinfo.scale_denom = 8;
    cinfo.scale_num = 8;
    if (s.targetWidth > 0 && s.targetHeight > 0) {
        for (unsigned n = 1; n <= 8; ++n) {
            cinfo.scale_num = n;
            jpeg_calc_output_dimensions(&cinfo);
            if (cinfo.output_width >= JDIMENSION(s.targetWidth) && cinfo.output_height >= JDIMENSION(s.targetHeight))
                break;
        }
    }
    jpeg_start_decompress(&cinfo);

    const int components = cinfo.output_components;
    if (components != (cmyk ? 4 : 3)) {
        s.result->error = JpegError::Unsupported;
        std::snprintf(s.errors.message, sizeof s.errors.message, "%d output components", components);
        return false;
    }
    const std::uint64_t outputBytes = std::uint64_t(cinfo.output_width) * cinfo.output_height * 3;
    if (outputBytes > std::uint64_t(s.limits.maxWorkingMemory)) {
        s.result->error = JpegError::TooLarge;
        std::snprintf(s.errors.message, sizeof s.errors.message, "%ux%u pixels after scaling", cinfo.output_width,
                      cinfo.output_height);
        return false;
    }

    RgbImage& image = s.result->image;
    image.width = int(cinfo.output_width);
    image.height = int(cinfo.output_height);
    image.pixels.resize(std::size_t(outputBytes));
    const std::size_t stride = std::size_t(cinfo.output_width) * 3;

    // CMYK rows come into a buffer of libjpeg's, released with the decompressor.
    JSAMPARRAY cmykRow = cmyk ? (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                                           cinfo.output_width * 4, 1)
                              : nullptr;
    const bool inverted = cinfo.saw_Adobe_marker;
    while (cinfo.output_scanline < cinfo.output_height) {
        std::uint8_t* row = image.pixels.data() + std::size_t(cinfo.output_scanline) * stride;
        if (cmyk) {
            if (jpeg_read_scanlines(&cinfo, cmykRow, 1) != 1)
                break;
            cmykRowToRgb(cmykRow[0], row, cinfo.output_width, inverted);
        } else {
            JSAMPROW rows[1] = {row};
            if (jpeg_read_scanlines(&cinfo, rows, 1) != 1)
                break;
        }
        // A picture cut short reads as grey after a warning; no need to decode the rest.
        if (s.errors.warnings > 0)
            return false;
    }
    jpeg_finish_decompress(&cinfo);
    return s.errors.warnings == 0;
}

} // namespace

JpegResult decodeJpeg(const std::uint8_t* data, std::size_t size, int targetWidth, int targetHeight,
                      const JpegLimits& limits)
{
    JpegResult result;
    if (size == 0 || data == nullptr) {
        result.error = JpegError::Empty;
        result.detail = "no data";
        return result;
    }

    auto state = std::make_unique<DecodeState>();
    DecodeState& s = *state;
    std::memset(&s.cinfo, 0, sizeof s.cinfo);
    s.cinfo.err = jpeg_std_error(&s.errors.base);
    s.errors.base.error_exit = errorExit;
    s.errors.base.emit_message = emitMessage;
    s.errors.base.output_message = outputMessage;
    s.data = data;
    s.size = size;
    s.targetWidth = targetWidth;
    s.targetHeight = targetHeight;
    s.limits = limits;
    s.result = &result;

    bool decoded = false;
    try {
        decoded = decode(s);
    } catch (const std::bad_alloc&) {
        result.error = JpegError::TooLarge;
        std::snprintf(s.errors.message, sizeof s.errors.message, "out of memory");
    }
    if (s.created)
        jpeg_destroy_decompress(&s.cinfo);
    if (!decoded) {
        if (result.error == JpegError::None) {
            const int code = s.errors.lastCode;
            result.error = code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE ? JpegError::TooLarge
                           : code == JERR_CONVERSION_NOTIMPL                           ? JpegError::Unsupported
                                                                                       : JpegError::Damaged;
        }
        result.detail = s.errors.message;
        result.image = RgbImage();
    }
    return result;
}

} // namespace Photo
