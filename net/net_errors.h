#pragma once
// Exceptions of the network client. Every failure of a socket or HTTP operation leaves the call as
// one of these (or as std::runtime_error for the few checks that raise the plain standard error).

#include "store/file_error.h"

#include <QString>

#include <stdexcept>

// A failed socket operation; for errors of the socket layer the message is "<code>:<message>".
class ESockError : public std::runtime_error
{
public:
    explicit ESockError(const QString& message);
    // The message as a QString (what() holds it in UTF-8).
    QString message() const { return QString::fromUtf8(what()); }
};

// An operation ended by Cancel, Abort or its time-out.
class EAbortError final : public ESockError
{
public:
    using ESockError::ESockError;
};

// A text that had to be a number and is not (the port of a URL).
class EConvertError final : public std::runtime_error
{
public:
    explicit EConvertError(const QString& message);
    QString message() const { return QString::fromUtf8(what()); }
};

// A local file that could not be created, opened, read or written. The message names the file.
class ELocalFileError final : public EFileError
{
public:
    enum class Operation { Create, Open, Read, Write };
    ELocalFileError(Operation operation, const QString& fileName, const QString& reason);
};
