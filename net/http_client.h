#pragma once
// TNMHTTP: the HTTP/1.0 client. One request per call over a connection of its own: it parses the
// URL, builds the request header, connects (directly or through a proxy), sends the request,
// reads the response header, stores the body in a file or in Body, reports success or failure
// through events and follows redirections. The call returns when the exchange is over; meanwhile
// the owner's event pump runs, so a Stop button can call Abort.

#include "net/ex_string_list.h"
#include "net/powersock.h"

#include <QString>

#include <functional>

// The request kinds; the value is passed to OnSuccess and OnFailure.
enum class TCmdType { Get, Options, Head, Post, Put, Patch, Copy, Move, Delete, Link, Unlink, Trace };

// Values for the optional request header lines; an empty value sends no line.
struct THeaderInfo
{
    QString LocalMailAddress; // "From"
    QString LocalProgram;     // "User-Agent"
    QString Cookie;           // "Cookie"; takes over the cookie of a followed redirection
    QString Referer;          // "Referer"
    QString UserId;           // with Password: "Authorization: Basic ..."
    QString Password;
};

class TNMHTTP final : public TPowersock
{
    Q_OBJECT

public:
    using TCmdEvent = std::function<void(TCmdType Cmd)>;

    // Redirections followed by one call before it fails with "Too many redirections".
    static constexpr int MaxRedirections = 20;
    // Response header bytes accepted before the call fails with "Response header too long".
    static constexpr qint64 MaxHeaderBytes = 1024 * 1024;

    explicit TNMHTTP(QObject* parent = nullptr);

    // InputFileMode: the name of the file that receives the response body. Otherwise the response
    // body itself after a request, one character per byte (Latin-1: toLatin1() gives the bytes).
    QString Body = QStringLiteral("Default.htm");
    // OutputFileMode: the name of the file that receives the response header. Otherwise the header
    // text itself after a request, one character per byte, lines with their terminators.
    QString Header = QStringLiteral("Head.txt");
    THeaderInfo HeaderInfo;
    bool InputFileMode = false;
    // Also makes the data of Post, Put, Patch and Trace a file name instead of the data itself.
    bool OutputFileMode = false;

    TNotifyEvent OnAboutToSend;          // the request header is built; not yet connected
    TCmdEvent OnSuccess;                 // a response with a status below 299 has been stored
    TCmdEvent OnFailure;                 // a response with a status above 399 has been stored
    THandlerEvent OnRedirect;            // a redirection arrived; Handled stops following it
    TNotifyEvent OnAuthenticationNeeded; // the status was 401 (the call does not retry)

    // Each stores its arguments and runs one request (following redirections from 300 to 302).
    // Every failure is an exception out of the call; an HTTP error status is not.
    void Get(const QString& URL);
    void Options(const QString& URL);
    void Head(const QString& URL);
    void Delete(const QString& URL);
    // Post URL-encodes its data (as UTF-8) unless OutputFileMode makes the data a file name.
    void Post(const QString& URL, const QString& Data);
    void Put(const QString& URL, const QString& Data);
    void Patch(const QString& URL, const QString& Data);
    void Trace(const QString& URL, const QString& Data);
    void Copy(const QString& URL, const QString& Destination);
    void Move(const QString& URL, const QString& Destination);
    void Link(const QString& URL, const QString& LinkValue);
    void Unlink(const QString& URL, const QString& LinkValue);

    // Ends the running request with the cancellation error of the operation that was waiting.
    void Abort() override;

    // The request header lines of the last request (without the empty line).
    const TExStringList& RequestHeader() const { return requestHeader_; }

private:
    void request(TCmdType kind, const QString& url, const QString& data = {}, const QString& extra = {});
    void runTransaction();
    void parseUrl();
    void buildRequestHeader();
    void sendRequest();
    void readResponseHeader();
    void storeBody();

    TCmdType kind_ = TCmdType::Get;
    QString url_;
    QString path_;
    QString data_;
    QString extra_;
    QString location_;
    QString receivedCookie_;
    TExStringList requestHeader_;
    bool encodePostData_ = true;
    bool busy_ = false;
};
