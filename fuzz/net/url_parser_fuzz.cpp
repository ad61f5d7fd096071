// Request URLs of any bytes: the parser either rejects them with its exceptions or returns parts
// that a request line can be built from.
#include "net/http_parsing.h"

#include <cstddef>
#include <cstdint>
#include <stdexcept>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

void parse(const QString& url, int currentPort)
{
    http::UrlParts parts;
    try {
        parts = http::parseRequestUrl(url, currentPort);
    } catch (const std::runtime_error&) {
        return; // "Empty URL", https, or a port that is no number
    }
    check(!parts.url.isEmpty());
    check(parts.path.startsWith(QLatin1Char('/')));
    check(!parts.host.contains(QLatin1Char('/')) && !parts.host.contains(QLatin1Char(':')));
    if (!parts.host.isEmpty())
        check(parts.port >= 1 && parts.port <= 65535);
    for (const char c : http::requestTarget(parts.path)) {
        const auto byte = static_cast<unsigned char>(c);
        check(byte > 0x20 && byte < 0x7F);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const int currentPort = data[0] << 8 | data[1];
    const auto* text = reinterpret_cast<const char*>(data + 2);
    const auto length = qsizetype(size - 2);
    parse(QString::fromUtf8(text, length), currentPort);
    parse(QString::fromLatin1(text, length), currentPort);
    return 0;
}
