#include "net/http_client.h"

#include "net/http_parsing.h"
#include "net/url_encoder.h"
#include "net/uu_processor.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace {

const char* requestWord(TCmdType kind)
{
    static constexpr const char* kWords[] = {"GET ",  "OPTIONS ", "HEAD ",   "POST ", "PUT ",    "PATCH ",
                                             "COPY ", "MOVE ",    "DELETE ", "LINK ", "UNLINK ", "TRACE "};
    return kWords[int(kind)];
}

bool sendsData(TCmdType kind)
{
    return kind == TCmdType::Post || kind == TCmdType::Put || kind == TCmdType::Patch || kind == TCmdType::Trace;
}

bool declaresLength(TCmdType kind)
{
    return sendsData(kind) || kind == TCmdType::Link || kind == TCmdType::Unlink;
}

// A header value cannot end its line early: line breaks and zero characters are dropped.
QString headerValue(QString value)
{
    value.remove(QLatin1Char('\r'));
    value.remove(QLatin1Char('\n'));
    value.remove(QChar(u'\0'));
    return value;
}

QString basicCredentials(const QString& userId, const QString& password)
{
    QByteArray plain = (userId + QLatin1Char(':') + password).toUtf8();
    QByteArray encoded;
    QBuffer input(&plain);
    QBuffer output(&encoded);
    input.open(QIODevice::ReadOnly);
    output.open(QIODevice::WriteOnly);
    TNMUUProcessor encoder;
    encoder.Method = TUUMethod::uuMime;
    encoder.InputStream = &input;
    encoder.OutputStream = &output;
    encoder.Encode();
    encoded.replace("\r\n", ""); // one line without any line break
    return QString::fromLatin1(encoded);
}

} // namespace

TNMHTTP::TNMHTTP(QObject* parent) : TPowersock(parent) {}

void TNMHTTP::Get(const QString& URL)
{
    request(TCmdType::Get, URL);
}

void TNMHTTP::Options(const QString& URL)
{
    request(TCmdType::Options, URL);
}

void TNMHTTP::Head(const QString& URL)
{
    request(TCmdType::Head, URL);
}

void TNMHTTP::Delete(const QString& URL)
{
    request(TCmdType::Delete, URL);
}

void TNMHTTP::Post(const QString& URL, const QString& Data)
{
    QString data = Data;
    if (encodePostData_ && !OutputFileMode) {
        TNMURL encoder;
        encoder.InputString = Data.toUtf8();
        data = QString::fromLatin1(encoder.Encode());
    }
    request(TCmdType::Post, URL, data);
}

void TNMHTTP::Put(const QString& URL, const QString& Data)
{
    request(TCmdType::Put, URL, Data);
}

void TNMHTTP::Patch(const QString& URL, const QString& Data)
{
    request(TCmdType::Patch, URL, Data);
}

void TNMHTTP::Trace(const QString& URL, const QString& Data)
{
    request(TCmdType::Trace, URL, Data);
}

void TNMHTTP::Copy(const QString& URL, const QString& Destination)
{
    request(TCmdType::Copy, URL, {}, Destination);
}

void TNMHTTP::Move(const QString& URL, const QString& Destination)
{
    request(TCmdType::Move, URL, {}, Destination);
}

void TNMHTTP::Link(const QString& URL, const QString& LinkValue)
{
    request(TCmdType::Link, URL, QStringLiteral("Send.dat"), LinkValue);
}

void TNMHTTP::Unlink(const QString& URL, const QString& LinkValue)
{
    request(TCmdType::Unlink, URL, QStringLiteral("Send.dat"), LinkValue);
}

void TNMHTTP::Abort()
{
    waitDone_ = true;
    Cancel();
}

void TNMHTTP::request(TCmdType kind, const QString& url, const QString& data, const QString& extra)
{
    // A handler that runs during the waits must not start a second request on the same buffers.
    if (busy_)
        throw ESockError(QStringLiteral("Request already in progress"));
    busy_ = true;
    struct Idle
    {
        bool& busy;
        ~Idle() { busy = false; }
    } idle{busy_};

    kind_ = kind;
    url_ = url;
    data_ = data;
    extra_ = extra;
    location_.clear(); // a redirection never leads to the location of an earlier call
    runTransaction();
}

void TNMHTTP::runTransaction()
{
    for (int redirections = 0;; ++redirections) {
        parseUrl();
        buildRequestHeader();
        if (OnAboutToSend)
            OnAboutToSend(this);

        try {
            Connect();
            sendRequest();
            ReplyNumber = 0;
            readResponseHeader();
            // Without a status there is nothing to report success or failure of.
            if (ReplyNumber == 0)
                throw ESockError(QStringLiteral("Invalid HTTP status line"));
            storeBody();
            const int status = ReplyNumber;
            if (status < 299) {
                if (OnSuccess)
                    OnSuccess(kind_);
                Status(2, QStringLiteral("Transaction Completed"));
            } else if (status > 399) {
                if (OnFailure)
                    OnFailure(kind_);
            } else if (status >= 300 && status <= 302) {
                url_ = location_;
            }
        } catch (...) {
            try {
                Disconnect();
            } catch (...) {
                // The first failure is the one the caller needs to see.
            }
            throw;
        }
        Disconnect();

        const int status = ReplyNumber;
        if (status >= 300 && status <= 398) {
            if (!receivedCookie_.isEmpty())
                HeaderInfo.Cookie = receivedCookie_;
            if (OnRedirect) {
                bool handled = false;
                OnRedirect(handled);
                if (handled)
                    return;
            }
            // A location without any "/" is a file on the same server (and port).
            if (!url_.isEmpty() && !url_.contains(QLatin1Char('/'))) {
                const QString port = Port == 80 ? QString() : QLatin1Char(':') + QString::number(Port);
                url_ = QStringLiteral("http://") + Host + port + QLatin1Char('/') + url_;
            }
        }
        if (status == 401) {
            if (OnAuthenticationNeeded)
                OnAuthenticationNeeded(this);
            return;
        }
        // Only 300 to 302 are followed; 299 and 303 to 399 end the call like any other status.
        if (status < 300 || status > 302)
            return;
        if (redirections + 1 > MaxRedirections)
            throw ESockError(QStringLiteral("Too many redirections"));
    }
}

void TNMHTTP::parseUrl()
{
    if (url_.isEmpty())
        throw std::runtime_error("Empty URL");
    if (Port == 0)
        Port = 80;
    const http::UrlParts parts = http::parseRequestUrl(url_, Port);
    url_ = parts.url;
    path_ = parts.path;
    Port = parts.port;
    if (!parts.host.isEmpty())
        Host = parts.host;
}

void TNMHTTP::buildRequestHeader()
{
    const bool proxied = !Proxy.isEmpty();
    const QString host = headerValue(Host);
    TExStringList& lines = requestHeader_;
    lines.Clear();
    lines.Add(QLatin1String(requestWord(kind_)) + QString::fromLatin1(http::requestTarget(proxied ? url_ : path_)) +
              QStringLiteral(" HTTP/1.0"));
    if (proxied) {
        lines.Add(QStringLiteral("Proxy-Connection: Keep-Alive"));
        lines.Add(QStringLiteral("Host: ") + host);
    }
    lines.SetValue(QStringLiteral("Host"), host);
    lines.Add(QStringLiteral("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff"));
    lines.Add(QStringLiteral("Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript"));
    if (!HeaderInfo.LocalProgram.isEmpty())
        lines.SetValue(QStringLiteral("User-Agent"), headerValue(HeaderInfo.LocalProgram));
    if (!HeaderInfo.LocalMailAddress.isEmpty())
        lines.SetValue(QStringLiteral("From"), headerValue(HeaderInfo.LocalMailAddress));
    if (!HeaderInfo.Cookie.isEmpty())
        lines.SetValue(QStringLiteral("Cookie"), headerValue(HeaderInfo.Cookie));
    if (!HeaderInfo.Referer.isEmpty())
        lines.SetValue(QStringLiteral("Referer"), headerValue(HeaderInfo.Referer));
    if (!HeaderInfo.UserId.isEmpty() && !HeaderInfo.Password.isEmpty())
        lines.SetValue(QStringLiteral("Authorization"),
                       QStringLiteral("Basic ") + basicCredentials(HeaderInfo.UserId, HeaderInfo.Password));
    lines.Add(QStringLiteral("Content-type: application/x-www-form-urlencoded"));
    if (kind_ == TCmdType::Copy || kind_ == TCmdType::Move)
        lines.Add(QStringLiteral("URI-header: ") + headerValue(extra_));
    if (kind_ == TCmdType::Link || kind_ == TCmdType::Unlink)
        lines.Add(QStringLiteral("Link: ") + headerValue(extra_));
    if (declaresLength(kind_)) {
        // Link and Unlink send no data after the header, so they announce none: a length of their
        // data name would leave the server waiting for bytes that never come.
        qint64 length = 0;
        if (sendsData(kind_))
            length = OutputFileMode ? QFileInfo(data_).size() : data_.toUtf8().size();
        lines.Add(QStringLiteral("Content-Length: ") + QString::number(length));
    }
}

void TNMHTTP::sendRequest()
{
    for (const QString& line : requestHeader_.Lines())
        Write(line.toUtf8() + "\r\n");
    Writeln(QByteArray());
    if (!sendsData(kind_))
        return;
    if (OutputFileMode) {
        SendFile(data_);
        return;
    }
    // The data goes out whole, zero bytes included, so that it matches its Content-Length.
    const QByteArray bytes = data_.toUtf8();
    for (qsizetype position = 0; position < bytes.size();) {
        const auto count = quint16(std::min<qsizetype>(bytes.size() - position, 65535));
        SendBuffer(QByteArrayView(bytes).sliced(position, count), count);
        position += count;
    }
}

void TNMHTTP::readResponseHeader()
{
    ContentLength = 0;
    receivedCookie_.clear();
    QFile file;
    if (OutputFileMode) {
        file.setFileName(Header);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            throw ELocalFileError(ELocalFileError::Operation::Create, Header, file.errorString());
    } else {
        Header.clear();
    }
    qint64 total = 0;
    auto store = [&](const QByteArray& line) {
        total += line.size();
        if (!OutputFileMode)
            Header += QString::fromLatin1(line);
        else if (file.write(line) != line.size())
            throw ELocalFileError(ELocalFileError::Operation::Write, Header, file.errorString());
    };

    const QByteArray statusLine = ReadLn();
    if (!statusLine.isEmpty())
        ReplyNumber = http::parseStatusLine(statusLine);
    store(statusLine);
    for (;;) {
        const QByteArray line = ReadLn();
        const http::HeaderField field = http::parseHeaderLine(line);
        switch (field.kind) {
        case http::HeaderField::Kind::SetCookie:
            receivedCookie_ = QString::fromUtf8(field.value);
            break;
        case http::HeaderField::Kind::Location:
            location_ = QString::fromUtf8(field.value);
            break;
        case http::HeaderField::Kind::ContentLength:
            ContentLength = field.contentLength;
            break;
        case http::HeaderField::Kind::Other:
            break;
        }
        store(line);
        if (http::isHeaderEnd(line))
            break;
        if (total > MaxHeaderBytes)
            throw ESockError(QStringLiteral("Response header too long"));
    }
    if (OutputFileMode && !file.flush())
        throw ELocalFileError(ELocalFileError::Operation::Write, Header, file.errorString());
}

void TNMHTTP::storeBody()
{
    if (InputFileMode) {
        CaptureFile(Body);
    } else {
        QByteArray body;
        try {
            CaptureString(body, -1);
        } catch (...) {
            Body = QString::fromLatin1(body); // what had arrived
            throw;
        }
        Body = QString::fromLatin1(body);
    }
    // A body cut short by the peer is a failed transfer, not a success. Responses that carry no
    // body whatever their Content-Length says are exempt.
    const bool carriesBody = kind_ != TCmdType::Head && ReplyNumber >= 200 && ReplyNumber != 204 && ReplyNumber != 304;
    if (carriesBody && ContentLength > 0 && ReceivedBytes < ContentLength)
        throw ESockError(QStringLiteral("Connection closed before the whole body arrived"));
}
