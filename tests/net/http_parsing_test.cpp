#include "net/http_parsing.h"
#include "net/net_errors.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using http::HeaderField;

struct UrlCase
{
    const char* name;
    const char* url;
    int currentPort;
    const char* storedUrl;
    const char* host;
    int port;
    const char* path;
};

class ParseRequestUrl : public testing::TestWithParam<UrlCase>
{
};

TEST_P(ParseRequestUrl, SplitsIntoHostPortAndPath)
{
    const UrlCase& c = GetParam();
    const http::UrlParts parts = http::parseRequestUrl(QString::fromUtf8(c.url), c.currentPort);
    EXPECT_EQ(parts.url, QString::fromUtf8(c.storedUrl));
    EXPECT_EQ(parts.host, QString::fromUtf8(c.host));
    EXPECT_EQ(parts.port, c.port);
    EXPECT_EQ(parts.path, QString::fromUtf8(c.path));
}

INSTANTIATE_TEST_SUITE_P(
    Urls, ParseRequestUrl,
    testing::Values(
        UrlCase{"SchemeHostPath", "http://example.test/a/b.zip", 80, "http://example.test/a/b.zip", "example.test", 80,
                "/a/b.zip"},
        UrlCase{"SchemeGivesPort80OverAnEarlierPort", "http://example.test/x", 8080, "http://example.test/x",
                "example.test", 80, "/x"},
        UrlCase{"PortInSchemelessUrl", "example.test:8080/dir/f.txt", 80, "example.test:8080/dir/f.txt", "example.test",
                8080, "/dir/f.txt"},
        UrlCase{"PortWithScheme", "http://127.0.0.1:5000/", 80, "http://127.0.0.1:5000/", "127.0.0.1", 5000, "/"},
        UrlCase{"SchemeAndHostOnlyGainsSlash", "http://example.test", 80, "http://example.test/", "example.test", 80,
                "/"},
        UrlCase{"TrailingSlashIsNotDoubled", "http://example.test/", 80, "http://example.test/", "example.test", 80,
                "/"},
        UrlCase{"HostOnly", "example.test", 80, "example.test/", "example.test", 80, "/"},
        UrlCase{"FtpPort", "ftp://example.test/f", 80, "ftp://example.test/f", "example.test", 21, "/f"},
        UrlCase{"GopherPort", "GOPHER://example.test/", 80, "GOPHER://example.test/", "example.test", 70, "/"},
        UrlCase{"BarePathKeepsPort", "/next/page", 8123, "/next/page", "", 8123, "/next/page"},
        UrlCase{"BarePathWithColonKeepsPort", "/a:b", 8123, "/a:b", "", 8123, "/a:b"},
        UrlCase{"SchemelessHostGetsPort80", "other.test/x", 8123, "other.test/x", "other.test", 80, "/x"},
        UrlCase{"DoubleSlashInsidePathIsPath", "example.test/a//b", 80, "example.test/a//b", "example.test", 80,
                "/a//b"},
        UrlCase{"QueryKept", "http://h.test/q?a=1&b=%20", 80, "http://h.test/q?a=1&b=%20", "h.test", 80,
                "/q?a=1&b=%20"},
        UrlCase{"LongPathIsNotCut",
                "http://h.test/"
                "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789",
                80,
                "http://h.test/"
                "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789",
                "h.test", 80,
                "/0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789012345678901234567890123456789"
                "0123456789012345678901234567890123456789012345678901234567890123456789"}),
    [](const testing::TestParamInfo<UrlCase>& info) { return std::string(info.param.name); });

struct RejectedUrl
{
    const char* name;
    const char* url;
    const char* message;
    bool conversion; // EConvertError rather than the plain standard error
};

class RejectRequestUrl : public testing::TestWithParam<RejectedUrl>
{
};

TEST_P(RejectRequestUrl, RaisesItsError)
{
    const RejectedUrl& c = GetParam();
    try {
        http::parseRequestUrl(QString::fromUtf8(c.url), 80);
        FAIL() << "no exception";
    } catch (const EConvertError& error) {
        EXPECT_TRUE(c.conversion);
        EXPECT_STREQ(error.what(), c.message);
    } catch (const std::runtime_error& error) {
        EXPECT_FALSE(c.conversion);
        EXPECT_STREQ(error.what(), c.message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Urls, RejectRequestUrl,
    testing::Values(
        RejectedUrl{"Empty", "", "Empty URL", false},
        RejectedUrl{"Https", "https://example.test/", "HTTP Secure Socket is not supported", false},
        RejectedUrl{"HttpsUpperCase", "HTTPS://example.test/", "HTTP Secure Socket is not supported", false},
        RejectedUrl{"PortNotANumber", "example.test:abc/x", "'abc' is not a valid port number", true},
        RejectedUrl{"PortEmpty", "http://example.test:/x", "'' is not a valid port number", true},
        RejectedUrl{"PortTooLarge", "http://example.test:65536/", "'65536' is not a valid port number", true},
        RejectedUrl{"PortZero", "example.test:0/", "'0' is not a valid port number", true}),
    [](const testing::TestParamInfo<RejectedUrl>& info) { return std::string(info.param.name); });

TEST(RequestTarget, KeepsOrdinaryPathsAndEncodesWhatWouldBreakTheLine)
{
    EXPECT_EQ(http::requestTarget(QStringLiteral("/a/b.zip?x=1&y=%41")), QByteArray("/a/b.zip?x=1&y=%41"));
    EXPECT_EQ(http::requestTarget(QStringLiteral("/a b\r\nX: 1")), QByteArray("/a%20b%0D%0AX:%201"));
    EXPECT_EQ(http::requestTarget(QString::fromUtf8("/soubor-\xC4\x8D.zip")), QByteArray("/soubor-%C4%8D.zip"));
}

struct StatusCase
{
    const char* name;
    const char* line;
    int code;
};

class ParseStatusLine : public testing::TestWithParam<StatusCase>
{
};

TEST_P(ParseStatusLine, GivesTheCodeOrZero)
{
    EXPECT_EQ(http::parseStatusLine(QByteArrayView(GetParam().line)), GetParam().code);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseStatusLine,
    testing::Values(StatusCase{"Ok", "HTTP/1.0 200 OK\r\n", 200}, StatusCase{"NoReason", "HTTP/1.1 404\n", 404},
                    StatusCase{"ExtraBlanks", "HTTP/1.0   302  Found\r\n", 302},
                    StatusCase{"NoTerminator", "HTTP/1.0 500 Error", 500}, StatusCase{"Empty", "", 0},
                    StatusCase{"OneField", "HTTP/1.0\r\n", 0}, StatusCase{"NotANumber", "HTTP/1.0 OK 200\r\n", 0},
                    StatusCase{"Negative", "HTTP/1.0 -200 X\r\n", 0},
                    StatusCase{"WouldWrapSixteenBits", "HTTP/1.0 65736 X\r\n", 0},
                    StatusCase{"TwoDigits", "HTTP/1.0 42 X\r\n", 0}, StatusCase{"LeadingZero", "HTTP/1.0 099 X\r\n", 0},
                    StatusCase{"DigitsThenLetters", "HTTP/1.0 200OK\r\n", 0}),
    [](const testing::TestParamInfo<StatusCase>& info) { return std::string(info.param.name); });

struct HeaderCase
{
    const char* name;
    const char* line;
    HeaderField::Kind kind;
    const char* value;
    qint64 contentLength;
};

class ParseHeaderLine : public testing::TestWithParam<HeaderCase>
{
};

TEST_P(ParseHeaderLine, RecognisesTheThreeFields)
{
    const HeaderCase& c = GetParam();
    const HeaderField field = http::parseHeaderLine(QByteArrayView(c.line));
    EXPECT_EQ(field.kind, c.kind);
    if (c.kind != HeaderField::Kind::Other) {
        EXPECT_EQ(field.value, QByteArray(c.value));
    }
    EXPECT_EQ(field.contentLength, c.contentLength);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ParseHeaderLine,
    testing::Values(
        HeaderCase{"Cookie", "Set-Cookie: sid=42; path=/\r\n", HeaderField::Kind::SetCookie, "sid=42; path=/", 0},
        HeaderCase{"LocationUpperCase", "LOCATION: http://h.test/x\r\n", HeaderField::Kind::Location, "http://h.test/x",
                   0},
        HeaderCase{"LocationBareLineFeed", "location: /next\n", HeaderField::Kind::Location, "/next", 0},
        HeaderCase{"LocationExtraBlanks", "Location:   /next  \r\n", HeaderField::Kind::Location, "/next", 0},
        HeaderCase{"NoBlankAfterColon", "Location:/next\r\n", HeaderField::Kind::Other, "", 0},
        HeaderCase{"EmptyLocation", "Location:\r\n", HeaderField::Kind::Location, "", 0},
        HeaderCase{"Length", "Content-Length: 1234\r\n", HeaderField::Kind::ContentLength, "1234", 1234},
        HeaderCase{"LengthTab", "content-length:\t77\r\n", HeaderField::Kind::ContentLength, "77", 77},
        HeaderCase{"LengthBeyondFourGigabytes", "Content-Length: 5000000000\r\n", HeaderField::Kind::ContentLength,
                   "5000000000", 5000000000LL},
        HeaderCase{"LengthNegative", "Content-Length: -5\r\n", HeaderField::Kind::ContentLength, "-5", 0},
        HeaderCase{"LengthHuge", "Content-Length: 99999999999999999999\r\n", HeaderField::Kind::ContentLength,
                   "99999999999999999999", 0},
        HeaderCase{"LengthLargestFitting", "Content-Length: 9223372036854775807\r\n", HeaderField::Kind::ContentLength,
                   "9223372036854775807", 9223372036854775807LL},
        HeaderCase{"LengthNotANumber", "Content-Length: abc 12\r\n", HeaderField::Kind::ContentLength, "abc 12", 0},
        HeaderCase{"LengthDigitsThenText", "Content-Length: 12abc\r\n", HeaderField::Kind::ContentLength, "12abc", 12},
        HeaderCase{"LengthMissing", "Content-Length:\r\n", HeaderField::Kind::ContentLength, "", 0},
        HeaderCase{"ContinuationLine", " Location: /x\r\n", HeaderField::Kind::Other, "", 0},
        HeaderCase{"OtherHeader", "Content-Type: text/html\r\n", HeaderField::Kind::Other, "", 0},
        HeaderCase{"Binary", "\x01\xFF\x7F: x\r\n", HeaderField::Kind::Other, "", 0}),
    [](const testing::TestParamInfo<HeaderCase>& info) { return std::string(info.param.name); });

TEST(IsHeaderEnd, EmptyLineOrEndOfStream)
{
    EXPECT_TRUE(http::isHeaderEnd(QByteArrayView("\r\n")));
    EXPECT_TRUE(http::isHeaderEnd(QByteArrayView("\n")));
    EXPECT_TRUE(http::isHeaderEnd(QByteArrayView("")));
    EXPECT_FALSE(http::isHeaderEnd(QByteArrayView("\r")));
    EXPECT_FALSE(http::isHeaderEnd(QByteArrayView(" \r\n")));
}

} // namespace
