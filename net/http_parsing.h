#pragma once
// Pure parsers of the HTTP client: request URLs, response status lines and response header lines.
// They take text and return results; nothing here touches a socket or a file.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace http {

// The parts of a request URL.
struct UrlParts
{
    QString url;  // the URL as it is stored for the request (a "/" added when it had no path)
    QString host; // the host named by the URL; empty when it names none (a bare path)
    int port = 0; // the port to connect to
    QString path; // the request path, never empty
};

// Splits a request URL: "scheme://host[:port]/path", "host[:port]/path" or a bare "/path".
// currentPort is kept when the URL names no host and no scheme (a bare path stays on the server
// and port of the previous request). A URL that names a host gets the scheme's port (gopher 70,
// ftp 21, otherwise 80) unless it gives its own.
// Throws std::runtime_error "Empty URL" and "HTTP Secure Socket is not supported", and
// EConvertError when the port is not a number from 1 to 65535.
UrlParts parseRequestUrl(const QString& url, int currentPort);

// The path (or, through a proxy, the whole URL) as it goes into the request line: UTF-8, with
// blanks, control characters and non-ASCII bytes percent-encoded so the line stays one line.
QByteArray requestTarget(const QString& pathOrUrl);

// The status code of a status line: its second blank-separated field when that is a three-digit
// number from 100 to 999, otherwise 0 (no usable status).
qint16 parseStatusLine(QByteArrayView line);

// One recognised response header line. The name must be followed by a blank ("Location:x" is not
// recognised); names are matched without regard to case.
struct HeaderField
{
    enum class Kind { Other, SetCookie, Location, ContentLength };
    Kind kind = Kind::Other;
    QByteArray value;         // the text after the name, without surrounding blanks or terminator
    qint64 contentLength = 0; // Content-Length: the leading decimal digits of the value; 0 when the
                              // value does not start with a digit or does not fit in 63 bits
};
HeaderField parseHeaderLine(QByteArrayView line);

// True for the line that ends a response header: a bare line feed, CR LF, or empty (end of stream).
bool isHeaderEnd(QByteArrayView line);

} // namespace http
