#include "downloader/destination.h"

#include <gtest/gtest.h>

namespace {

struct DestinationCase
{
    const char* name;
    const char* address;
    const char* expected; // the path in the working directory "/work/dir/"
};

class DownloadDestinationTest : public ::testing::TestWithParam<DestinationCase>
{
};

TEST_P(DownloadDestinationTest, LastSegmentInTheWorkingDirectory)
{
    const DestinationCase& c = GetParam();
    EXPECT_EQ(downloader::destinationPath(QStringLiteral("/work/dir/"), QString::fromUtf8(c.address)),
              QString::fromUtf8(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Addresses, DownloadDestinationTest,
    ::testing::Values(
        DestinationCase{"PathWithFolders", "http://127.0.0.1:8080/files/setup.zip", "/work/dir/setup.zip"},
        DestinationCase{"HostOnlyNoSlashAfter", "http://example.invalid", "/work/dir/example.invalid"},
        DestinationCase{"NoSlashAtAll", "setup.zip", "/work/dir/setup.zip"},
        DestinationCase{"EmptyArgument", "", "/work/dir/"},
        DestinationCase{"TrailingSlashGivesTheDirectory", "http://h/files/", "/work/dir/"},
        DestinationCase{"QueryKeptInTheName", "http://h/get?id=7", "/work/dir/get?id=7"},
        DestinationCase{"SlashInQueryStartsTheSegment", "http://h/get?f=a/b.txt", "/work/dir/b.txt"},
        DestinationCase{"DotDotSegmentNeverClimbs", "http://h/files/..", "/work/dir/"},
        DestinationCase{"DotDotInQueryNeverClimbs", "http://h/get?f=/..", "/work/dir/"},
        DestinationCase{"BareDotDotArgument", "..", "/work/dir/"},
        DestinationCase{"DotSegment", "http://h/files/.", "/work/dir/"},
        DestinationCase{"DotsInsideANameStay", "http://h/a/..b", "/work/dir/..b"},
        DestinationCase{"EncodedSlashIsNotDecoded", "http://h/..%2F..%2Fpasswd", "/work/dir/..%2F..%2Fpasswd"},
        DestinationCase{"BackslashIsAnOrdinaryCharacter", "http://h/a\\..\\b", "/work/dir/a\\..\\b"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
