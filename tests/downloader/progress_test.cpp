#include "downloader/progress.h"

#include <gtest/gtest.h>

#include <ostream>

namespace downloader {
void PrintTo(const ProgressRange& r, std::ostream* os)
{
    *os << "{maximum " << r.maximum << ", position " << r.position << "}";
}
} // namespace downloader

namespace {

using downloader::ProgressRange;

struct ProgressCase
{
    const char* name;
    qint64 contentLength;
    qint64 received;
    ProgressRange expected;
};

class DownloadProgressTest : public ::testing::TestWithParam<ProgressCase>
{
};

TEST_P(DownloadProgressTest, RangeOfTheBar)
{
    const ProgressCase& c = GetParam();
    EXPECT_EQ(downloader::progressRange(c.contentLength, c.received), c.expected);
}

constexpr qint64 kIntMax = 2147483647;
constexpr qint64 kGiB = qint64(1) << 30;

INSTANTIATE_TEST_SUITE_P(
    Lengths, DownloadProgressTest,
    ::testing::Values(ProgressCase{"NoContentLength", 0, 5000, {0, 0}},
                      ProgressCase{"NegativeLengthIsNone", -1, 10, {0, 0}}, ProgressCase{"Start", 1000, 0, {1000, 0}},
                      ProgressCase{"Halfway", 1000, 500, {1000, 500}},
                      ProgressCase{"Complete", 1000, 1000, {1000, 1000}},
                      ProgressCase{"MoreThanAnnouncedStaysFull", 1000, 1500, {1000, 1000}},
                      ProgressCase{"LargestUnscaled", kIntMax, kIntMax - 1, {int(kIntMax), int(kIntMax - 1)}},
                      ProgressCase{
                          "FirstScaled", kIntMax + 1, kIntMax + 1, {int((kIntMax + 1) / 2), int((kIntMax + 1) / 2)}},
                      ProgressCase{"FiveGiBHalfway", 5 * kGiB, 5 * kGiB / 2, {int(5 * kGiB / 4), int(5 * kGiB / 8)}},
                      ProgressCase{"HugeLength", qint64(1) << 62, qint64(1) << 61, {1 << 30, 1 << 29}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
