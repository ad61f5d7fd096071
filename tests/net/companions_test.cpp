// The small companions of the socket component: header line list, Base64/uuencode, form encoding,
// the socket error table and the time-out timer.
#include "net/ex_string_list.h"
#include "net/thread_timer.h"
#include "net/url_encoder.h"
#include "net/uu_processor.h"
#include "net/winsock_errors.h"

#include <QBuffer>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <thread>

namespace {

TEST(TExStringList, IndexOfNameMatchesTextBeforeFirstColonIgnoringCase)
{
    TExStringList list;
    list.Add(QStringLiteral("GET http://h/ HTTP/1.0"));
    list.Add(QStringLiteral("no colon here"));
    list.Add(QStringLiteral("host: a"));
    list.Add(QStringLiteral("Host: b"));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("HOST")), 2);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("GET http")), 0);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("no colon here")), -1);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("Hos")), -1);
}

TEST(TExStringList, SetValueReplacesAppendsOrDeletes)
{
    TExStringList list;
    list.Add(QStringLiteral("Accept: */*"));
    list.SetValue(QStringLiteral("Host"), QStringLiteral("a.test"));
    list.SetValue(QStringLiteral("host"), QStringLiteral("b.test"));
    EXPECT_EQ(list.Lines(), QStringList({QStringLiteral("Accept: */*"), QStringLiteral("host: b.test")}));
    list.SetValue(QStringLiteral("HOST"), QString());
    list.SetValue(QStringLiteral("Missing"), QString());
    EXPECT_EQ(list.Lines(), QStringList({QStringLiteral("Accept: */*")}));
}

struct EncodeCase
{
    const char* name;
    QByteArray input;
    TUUMethod method;
    QByteArray output;
};

class UUEncode : public testing::TestWithParam<EncodeCase>
{
};

TEST_P(UUEncode, WritesTheEncodedLines)
{
    const EncodeCase& c = GetParam();
    QByteArray input = c.input;
    QByteArray output;
    QBuffer in(&input);
    QBuffer out(&output);
    in.open(QIODevice::ReadOnly);
    in.seek(in.size()); // Encode starts from the beginning whatever the position
    out.open(QIODevice::ReadWrite);
    TNMUUProcessor processor;
    processor.Method = c.method;
    processor.InputStream = &in;
    processor.OutputStream = &out;
    processor.Encode();
    EXPECT_EQ(output, c.output);
    EXPECT_EQ(out.pos(), 0);
}

const QByteArray k46Bytes(46, 'a');

INSTANTIATE_TEST_SUITE_P(
    Texts, UUEncode,
    testing::Values(EncodeCase{"MimeEmpty", "", TUUMethod::uuMime, ""},
                    EncodeCase{"MimeOneByte", "f", TUUMethod::uuMime, "Zg==\r\n"},
                    EncodeCase{"MimeTwoBytes", "fo", TUUMethod::uuMime, "Zm8=\r\n"},
                    EncodeCase{"MimeThreeBytes", "foo", TUUMethod::uuMime, "Zm9v\r\n"},
                    EncodeCase{"MimeSixBytes", "foobar", TUUMethod::uuMime, "Zm9vYmFy\r\n"},
                    EncodeCase{"MimeHighBytes", "\xFF\xFE\xFD", TUUMethod::uuMime, "//79\r\n"},
                    EncodeCase{"MimeCredentials", "user:pass", TUUMethod::uuMime, "dXNlcjpwYXNz\r\n"},
                    EncodeCase{"MimeNewLineAfter45Bytes", k46Bytes, TUUMethod::uuMime,
                               QByteArray("YWFh").repeated(15) + "\r\nYQ==\r\n"},
                    EncodeCase{"UUEmpty", "", TUUMethod::uuCode, "`\r\n"},
                    EncodeCase{"UUCat", "Cat", TUUMethod::uuCode, "#0V%T\r\n`\r\n"},
                    EncodeCase{"UUZeros", QByteArray(3, '\0'), TUUMethod::uuCode, "#````\r\n`\r\n"},
                    EncodeCase{"UUOneByteGivesTwoCharacters", "C", TUUMethod::uuCode, "!0P\r\n`\r\n"},
                    EncodeCase{"UUNewLineAfter45Bytes", k46Bytes, TUUMethod::uuCode,
                               "M" + QByteArray("86%A").repeated(15) + "\r\n!80\r\n`\r\n"}),
    [](const testing::TestParamInfo<EncodeCase>& info) { return std::string(info.param.name); });

TEST(UUEncode, EventsFrameTheEncodingAlsoWhenItFails)
{
    QByteArray input("abc");
    QByteArray output;
    QBuffer in(&input);
    QBuffer out(&output);
    in.open(QIODevice::ReadOnly);
    out.open(QIODevice::ReadOnly); // cannot be written
    TNMUUProcessor processor;
    processor.InputStream = &in;
    processor.OutputStream = &out;
    QStringList events;
    processor.OnBeginEncode = [&](QObject*) { events << QStringLiteral("begin"); };
    processor.OnEndEncode = [&](QObject*) { events << QStringLiteral("end"); };
    EXPECT_THROW(processor.Encode(), std::runtime_error);
    EXPECT_EQ(events, QStringList({QStringLiteral("begin"), QStringLiteral("end")}));
}

struct FormCase
{
    const char* name;
    QByteArray input;
    QByteArray output;
};

class FormEncode : public testing::TestWithParam<FormCase>
{
};

TEST_P(FormEncode, EncodesEveryByteButLettersAndDigits)
{
    TNMURL encoder;
    encoder.InputString = GetParam().input;
    EXPECT_EQ(encoder.Encode(), GetParam().output);
}

INSTANTIATE_TEST_SUITE_P(Texts, FormEncode,
                         testing::Values(FormCase{"SpaceAndSlash", "a b/c", "a+b%2Fc"},
                                         FormCase{"LettersDigits", "AZaz09", "AZaz09"},
                                         FormCase{"Punctuation", "-_.~*", "%2D%5F%2E%7E%2A"},
                                         FormCase{"HighByte", "\xE1", "%E1"},
                                         FormCase{"ZeroByte", QByteArray("x\0y", 3), "x%00y"},
                                         FormCase{"Empty", "", ""}, FormCase{"Percent", "100%", "100%25"}),
                         [](const testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

TEST(WinsockErrors, TextIsCodeColonMessage)
{
    EXPECT_EQ(winsock::errorText(10061), QStringLiteral("10061:Connection refused"));
    EXPECT_EQ(winsock::errorText(10004), QStringLiteral("10004:Interrupted system call"));
    EXPECT_EQ(winsock::errorText(11004), QStringLiteral("11004:Valid name, no data record of requested type"));
    EXPECT_EQ(winsock::errorText(10000), QStringLiteral("Unknown Error No. 10000"));
    EXPECT_EQ(winsock::errorText(10090), QStringLiteral("Unknown Error No. 10090"));
}

TEST(WinsockErrors, PlatformErrorsMapOntoTheTable)
{
    EXPECT_EQ(winsock::fromErrno(ECONNREFUSED), 10061);
    EXPECT_EQ(winsock::fromErrno(ECONNRESET), 10054);
    EXPECT_EQ(winsock::fromErrno(EAGAIN), winsock::WouldBlock);
    EXPECT_EQ(winsock::fromErrno(ENOTCONN), winsock::NotConnected);
    EXPECT_EQ(winsock::fromErrno(ETIMEDOUT), 10060);
    EXPECT_EQ(winsock::fromErrno(EPIPE), 10058);
    EXPECT_EQ(winsock::fromErrno(EHOSTUNREACH), 10065);
    EXPECT_EQ(winsock::fromErrno(0), 0);
    // Without a counterpart: above the table, so still raised, never mistaken for "would block".
    EXPECT_EQ(winsock::fromErrno(EIO), winsock::UnmappedBase + EIO);
    EXPECT_EQ(winsock::errorText(winsock::fromErrno(EIO)),
              QStringLiteral("Unknown Error No. ") + QString::number(winsock::UnmappedBase + EIO));
}

TEST(TThreadTimer, RunsOnlyWhenEnabledWithIntervalAndHandler)
{
    TThreadTimer timer;
    EXPECT_TRUE(timer.Enabled());
    EXPECT_EQ(timer.Interval(), 1000u);
    EXPECT_FALSE(timer.Running()); // no handler
    timer.SetOnTimer([] {});
    EXPECT_TRUE(timer.Running());
    timer.SetInterval(0);
    EXPECT_FALSE(timer.Running());
    timer.SetInterval(5);
    timer.SetEnabled(false);
    EXPECT_FALSE(timer.Running());
    EXPECT_FALSE(timer.Poll());
}

TEST(TThreadTimer, TicksRepeatAndSettingTheSameValueDoesNotRestart)
{
    using std::chrono::milliseconds;
    int ticks = 0;
    TThreadTimer timer;
    timer.SetInterval(200);
    timer.SetOnTimer([&] { ++ticks; }); // starts counting now
    std::this_thread::sleep_for(milliseconds(100));
    timer.SetInterval(200); // unchanged: no restart
    timer.SetEnabled(true);
    EXPECT_FALSE(timer.Poll());
    std::this_thread::sleep_for(milliseconds(150));
    EXPECT_TRUE(timer.Poll());  // 250 ms after the start, not 150 ms after the second setting
    EXPECT_FALSE(timer.Poll()); // the next tick counts from the last one
    std::this_thread::sleep_for(milliseconds(250));
    EXPECT_TRUE(timer.Poll());
    EXPECT_EQ(ticks, 2);
}

TEST(TThreadTimer, HandlerExceptionDoesNotReachThePoller)
{
    TThreadTimer timer;
    timer.SetInterval(1);
    timer.SetOnTimer([] { throw std::runtime_error("boom"); });
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    EXPECT_NO_THROW(timer.Poll());
}

} // namespace
