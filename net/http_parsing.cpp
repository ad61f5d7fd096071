#include "net/http_parsing.h"

#include "net/net_errors.h"

#include <limits>
#include <stdexcept>

namespace http {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

QByteArrayView trimmed(QByteArrayView text)
{
    auto isSpace = [](char c) { return isBlank(c) || c == '\r' || c == '\n'; };
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpace(text[begin]))
        ++begin;
    while (end > begin && isSpace(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

int portNumber(const QString& text)
{
    bool digitsOnly = !text.isEmpty() && text.size() <= 5;
    for (const QChar c : text)
        digitsOnly = digitsOnly && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const int value = digitsOnly ? text.toInt() : 0;
    if (value < 1 || value > 65535)
        throw EConvertError(QStringLiteral("'%1' is not a valid port number").arg(text));
    return value;
}

} // namespace

UrlParts parseRequestUrl(const QString& url, int currentPort)
{
    if (url.isEmpty())
        throw std::runtime_error("Empty URL");

    UrlParts parts;
    parts.url = url;
    parts.port = currentPort;

    // "//" right at the first slash introduces the host ("http://host/..." or "//host/...");
    // a "//" further on is part of the path.
    const qsizetype firstSlash = url.indexOf(QLatin1Char('/'));
    const bool hasAuthority = firstSlash >= 0 && url.mid(firstSlash + 1, 1) == QLatin1String("/");
    const qsizetype hostStart = hasAuthority ? firstSlash + 2 : 0;
    const qsizetype pathStart = hasAuthority ? url.indexOf(QLatin1Char('/'), hostStart) : firstSlash;
    if (pathStart >= 0 && !(hasAuthority && pathStart == url.size() - 1))
        parts.path = url.mid(pathStart);

    // Text before a ":" that comes before any "/" is the scheme (or, without "//", the host of
    // "host:port/path", which counts as an unknown scheme).
    const qsizetype colon = url.indexOf(QLatin1Char(':'));
    const bool hasScheme = colon >= 0 && (firstSlash < 0 || colon < firstSlash);
    int schemePort = 80;
    if (hasScheme) {
        const QString scheme = url.left(colon).toLower();
        if (scheme == QLatin1String("https"))
            throw std::runtime_error("HTTP Secure Socket is not supported");
        if (scheme == QLatin1String("gopher"))
            schemePort = 70;
        else if (scheme == QLatin1String("ftp"))
            schemePort = 21;
    }

    QString host;
    if (hasAuthority)
        host = pathStart >= 0 ? url.mid(hostStart, pathStart - hostStart) : url.mid(hostStart);
    else if (firstSlash != 0)
        host = firstSlash >= 0 ? url.left(firstSlash) : url;
    int hostPort = 0;
    if (const qsizetype portColon = host.indexOf(QLatin1Char(':')); portColon >= 0) {
        hostPort = portNumber(host.mid(portColon + 1));
        host.truncate(portColon);
    }
    if (hasScheme || !host.isEmpty())
        parts.port = hostPort != 0 ? hostPort : schemePort;
    else if (hostPort != 0)
        parts.port = hostPort;
    parts.host = host;

    if (parts.path.isEmpty()) {
        parts.path = QStringLiteral("/");
        if (!parts.url.endsWith(QLatin1Char('/')))
            parts.url += QLatin1Char('/');
    }
    return parts;
}

QByteArray requestTarget(const QString& pathOrUrl)
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    const QByteArray bytes = pathOrUrl.toUtf8();
    QByteArray out;
    out.reserve(bytes.size());
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte >= 0x7F) {
            out.append('%');
            out.append(kHex[byte >> 4]);
            out.append(kHex[byte & 0x0F]);
        } else {
            out.append(c);
        }
    }
    return out;
}

qint16 parseStatusLine(QByteArrayView line)
{
    const QByteArrayView text = trimmed(line);
    qsizetype i = 0;
    while (i < text.size() && !isBlank(text[i])) // the first field
        ++i;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    const qsizetype start = i;
    while (i < text.size() && !isBlank(text[i]))
        ++i;
    const QByteArrayView code = text.sliced(start, i - start);
    if (code.size() != 3 || !isDigit(code[0]) || !isDigit(code[1]) || !isDigit(code[2]) || code[0] == '0')
        return 0;
    return qint16((code[0] - '0') * 100 + (code[1] - '0') * 10 + (code[2] - '0'));
}

HeaderField parseHeaderLine(QByteArrayView line)
{
    HeaderField field;
    qsizetype end = line.size();
    while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r'))
        --end;
    const QByteArrayView text = line.first(end);
    qsizetype nameEnd = 0;
    while (nameEnd < text.size() && !isBlank(text[nameEnd]))
        ++nameEnd;
    const QByteArray name = text.first(nameEnd).toByteArray().toUpper();
    if (name == "SET-COOKIE:")
        field.kind = HeaderField::Kind::SetCookie;
    else if (name == "LOCATION:")
        field.kind = HeaderField::Kind::Location;
    else if (name == "CONTENT-LENGTH:")
        field.kind = HeaderField::Kind::ContentLength;
    else
        return field;
    field.value = trimmed(text.sliced(nameEnd)).toByteArray();
    if (field.kind == HeaderField::Kind::ContentLength) {
        qint64 value = 0;
        bool fits = !field.value.isEmpty() && isDigit(field.value.front());
        for (qsizetype i = 0; fits && i < field.value.size() && isDigit(field.value[i]); ++i) {
            const int digit = field.value[i] - '0';
            if (value > (std::numeric_limits<qint64>::max() - digit) / 10)
                fits = false;
            else
                value = value * 10 + digit;
        }
        field.contentLength = fits ? value : 0;
    }
    return field;
}

bool isHeaderEnd(QByteArrayView line)
{
    return line.isEmpty() || line == QByteArrayView("\n") || line == QByteArrayView("\r\n");
}

} // namespace http
