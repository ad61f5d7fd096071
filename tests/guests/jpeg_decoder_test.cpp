#include "guests/jpeg_decoder.h"

#include "tests/guests/jpeg_test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <ostream>
#include <string>

namespace {

using JpegTestFiles::Bytes;
using JpegTestFiles::encode;
using JpegTestFiles::Recipe;
using Photo::decodeJpeg;
using Photo::JpegError;
using Photo::JpegResult;

JpegResult decode(const Bytes& bytes, int targetWidth = 0, int targetHeight = 0)
{
    return decodeJpeg(bytes.data(), bytes.size(), targetWidth, targetHeight);
}

// The pixel (x, y) of a decoded picture.
struct Rgb
{
    int r, g, b;
};
Rgb pixel(const Photo::RgbImage& image, int x, int y)
{
    const std::uint8_t* p = image.pixels.data() + (std::size_t(y) * std::size_t(image.width) + std::size_t(x)) * 3;
    return {p[0], p[1], p[2]};
}

void expectNear(Rgb actual, Rgb expected, int tolerance = 12)
{
    EXPECT_NEAR(actual.r, expected.r, tolerance);
    EXPECT_NEAR(actual.g, expected.g, tolerance);
    EXPECT_NEAR(actual.b, expected.b, tolerance);
}

// Solid colour pictures in each stored form; the decoder gives RGB for all of them.
Recipe solid(J_COLOR_SPACE space, std::function<void(int, int, std::uint8_t*)> fill, bool progressive = false)
{
    Recipe s;
    s.width = 40;
    s.height = 24;
    s.space = space;
    s.progressive = progressive;
    s.fill = std::move(fill);
    return s;
}

struct InputCase
{
    const char* name;
    std::function<Bytes()> make;
    JpegError error;
    int width; // of the decoded picture, when decoded
    int height;
    Rgb centre; // its middle pixel, when decoded
};

void PrintTo(const InputCase& row, std::ostream* out)
{
    *out << row.name;
}

const auto orange = [](int, int, std::uint8_t* p) { p[0] = 240, p[1] = 140, p[2] = 20; };

Bytes baseline()
{
    return encode(solid(JCS_RGB, orange));
}

const InputCase kInputs[] = {
    {"Baseline", baseline, JpegError::None, 40, 24, {240, 140, 20}},
    {"Progressive", [] { return encode(solid(JCS_RGB, orange, true)); }, JpegError::None, 40, 24, {240, 140, 20}},
    {"Greyscale",
     [] { return encode(solid(JCS_GRAYSCALE, [](int, int, std::uint8_t* p) { p[0] = 90; })); },
     JpegError::None,
     40,
     24,
     {90, 90, 90}},
    // libjpeg stores CMYK with Adobe's marker and inverted inks: (255, 0, 0, 255) is pure red.
    {"CmykAdobe",
     [] {
         return encode(solid(JCS_CMYK, [](int, int, std::uint8_t* p) { p[0] = 255, p[1] = 0, p[2] = 0, p[3] = 255; }));
     },
     JpegError::None,
     40,
     24,
     {255, 0, 0}},
    {"OnePixel",
     [] {
         Recipe s;
         s.width = s.height = 1;
         s.fill = [](int, int, std::uint8_t* p) { p[0] = 0, p[1] = 0, p[2] = 255; };
         return encode(s);
     },
     JpegError::None,
     1,
     1,
     {0, 0, 255}},
    {"ZeroBytes", [] { return Bytes(); }, JpegError::Empty, 0, 0, {}},
    {"CutInHalf",
     [] {
         Bytes b = encode(solid(JCS_RGB, [](int x, int y, std::uint8_t* p) {
             p[0] = std::uint8_t(x * 6), p[1] = std::uint8_t(y * 9), p[2] = std::uint8_t((x ^ y) * 5);
         }));
         b.resize(b.size() / 2);
         return b;
     },
     JpegError::Damaged,
     0,
     0,
     {}},
    {"CutAfterHeader",
     [] {
         Bytes b = baseline();
         b.resize(200);
         return b;
     },
     JpegError::Damaged,
     0,
     0,
     {}},
    {"OnlyStartMarker",
     [] {
         return Bytes{0xFF, 0xD8};
     },
     JpegError::Damaged,
     0,
     0,
     {}},
    {"PngBytes",
     [] {
         return Bytes{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13, 'I',  'H',  'D',  'R', 0,
                      0,    0,   1,   0,   0,    0,    1,    8,    2, 0, 0, 0,  0x90, 0x77, 0x53, 0xDE};
     },
     JpegError::Damaged,
     0,
     0,
     {}},
    {"ScanDataOverwritten",
     [] {
         Bytes b = encode(solid(JCS_RGB, [](int x, int y, std::uint8_t* p) {
             p[0] = std::uint8_t(x * 6), p[1] = std::uint8_t(y * 9), p[2] = 7;
         }));
         for (std::size_t i = b.size() * 3 / 4; i < b.size() - 2; ++i)
             b[i] = 0xFF;
         return b;
     },
     JpegError::Damaged,
     0,
     0,
     {}},
    {"HugeDeclaredSize",
     [] { return JpegTestFiles::withDeclaredSize(baseline(), 60000, 60000); },
     JpegError::TooLarge,
     0,
     0,
     {}},
    {"HugeDeclaredSizeProgressive",
     [] { return JpegTestFiles::withDeclaredSize(encode(solid(JCS_RGB, orange, true)), 65000, 65000); },
     JpegError::TooLarge,
     0,
     0,
     {}},
    {"ZeroDeclaredWidth",
     [] { return JpegTestFiles::withDeclaredSize(baseline(), 0, 24); },
     JpegError::Damaged,
     0,
     0,
     {}},
};

class DecodeInput : public ::testing::TestWithParam<InputCase>
{
};

TEST_P(DecodeInput, GivesThePictureOrItsError)
{
    const InputCase& row = GetParam();
    const Bytes bytes = row.make();
    const JpegResult r = decode(bytes);
    ASSERT_EQ(r.error, row.error) << r.detail;
    if (row.error != JpegError::None) {
        EXPECT_FALSE(r.detail.empty());
        EXPECT_TRUE(r.image.pixels.empty());
        return;
    }
    EXPECT_TRUE(r.detail.empty()) << r.detail;
    ASSERT_EQ(r.image.width, row.width);
    ASSERT_EQ(r.image.height, row.height);
    ASSERT_EQ(r.image.pixels.size(), std::size_t(row.width * row.height * 3));
    expectNear(pixel(r.image, row.width / 2, row.height / 2), row.centre);
}

INSTANTIATE_TEST_SUITE_P(Rows, DecodeInput, ::testing::ValuesIn(kInputs),
                         [](const auto& info) { return std::string(info.param.name); });

// Every cut of a small file is refused, never shown half decoded and never a crash.
TEST(DecodeJpeg, EveryShortenedFileIsRefused)
{
    const Bytes whole = encode(solid(JCS_RGB, [](int x, int y, std::uint8_t* p) {
        p[0] = std::uint8_t(x * 6), p[1] = std::uint8_t(y * 9), p[2] = std::uint8_t(x + y);
    }));
    ASSERT_TRUE(decode(whole).ok());
    for (std::size_t length = 0; length + 2 < whole.size(); ++length) {
        const Bytes cut(whole.begin(), whole.begin() + std::ptrdiff_t(length));
        EXPECT_FALSE(decode(cut).ok()) << "first " << length << " of " << whole.size() << " bytes";
    }
}

// DCT scaling: the smallest n/8 of the picture that covers the box in both directions.
struct ScaleCase
{
    const char* name;
    int width, height;             // of the file
    int targetWidth, targetHeight; // the box
    int expectedWidth, expectedHeight;
};

void PrintTo(const ScaleCase& row, std::ostream* out)
{
    *out << row.name;
}

class DecodeScaled : public ::testing::TestWithParam<ScaleCase>
{
};

TEST_P(DecodeScaled, TakesTheSmallestScaleCoveringTheBox)
{
    const ScaleCase& row = GetParam();
    Recipe s;
    s.width = row.width;
    s.height = row.height;
    s.fill = orange;
    const JpegResult r = decode(encode(s), row.targetWidth, row.targetHeight);
    ASSERT_TRUE(r.ok()) << r.detail;
    EXPECT_EQ(r.image.width, row.expectedWidth);
    EXPECT_EQ(r.image.height, row.expectedHeight);
    EXPECT_EQ(r.declaredWidth, row.width);
    EXPECT_EQ(r.declaredHeight, row.height);
    expectNear(pixel(r.image, r.image.width / 2, r.image.height / 2), {240, 140, 20});
}

INSTANTIATE_TEST_SUITE_P(Rows, DecodeScaled,
                         ::testing::Values(ScaleCase{"OneEighthExactly", 800, 640, 100, 80, 100, 80},
                                           ScaleCase{"OneEighthIsOnePixelShort", 800, 640, 101, 80, 200, 160},
                                           // A portrait box over a landscape picture: the height decides.
                                           ScaleCase{"PortraitBoxOverLandscape", 800, 600, 120, 160, 300, 225},
                                           ScaleCase{"RoundsUpOddSizes", 801, 601, 100, 75, 101, 76},
                                           ScaleCase{"BoxLargerThanPicture", 60, 40, 120, 160, 60, 40},
                                           ScaleCase{"NoBoxIsFullSize", 300, 200, 0, 0, 300, 200}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(DecodeJpeg, LimitsRefuseBeforeDecoding)
{
    Recipe s;
    s.width = 400;
    s.height = 300;
    const Bytes bytes = encode(s);
    Photo::JpegLimits limits;
    limits.maxDeclaredPixels = 400 * 300 - 1;
    EXPECT_EQ(decodeJpeg(bytes.data(), bytes.size(), 0, 0, limits).error, JpegError::TooLarge);
    limits.maxDeclaredPixels = 400 * 300;
    EXPECT_TRUE(decodeJpeg(bytes.data(), bytes.size(), 0, 0, limits).ok());

    // libjpeg's own memory for a progressive picture (every coefficient kept) is bounded too.
    s.progressive = true;
    const Bytes progressive = encode(s);
    limits.maxWorkingMemory = 64 * 1024;
    const JpegResult r = decodeJpeg(progressive.data(), progressive.size(), 0, 0, limits);
    EXPECT_EQ(r.error, JpegError::TooLarge) << r.detail;
}

} // namespace
