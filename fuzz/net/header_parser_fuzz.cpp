// Response header lines of any bytes: a status of 0 or 100 to 999, recognised fields with trimmed
// values, and never a negative length.
#include "net/http_parsing.h"

#include <cstddef>
#include <cstdint>

namespace {

void check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArrayView line(reinterpret_cast<const char*>(data), qsizetype(size));

    const int status = http::parseStatusLine(line);
    check(status == 0 || (status >= 100 && status <= 999));

    const http::HeaderField field = http::parseHeaderLine(line);
    check(field.contentLength >= 0);
    if (field.kind == http::HeaderField::Kind::Other) {
        check(field.value.isEmpty());
    } else if (!field.value.isEmpty()) {
        check(!isSpace(field.value.front()) && !isSpace(field.value.back()));
        check(field.value.size() < qsizetype(size));
    }
    if (field.kind != http::HeaderField::Kind::ContentLength)
        check(field.contentLength == 0);

    check(http::isHeaderEnd(line) == (size == 0 || line == QByteArrayView("\n") || line == QByteArrayView("\r\n")));
    return 0;
}
