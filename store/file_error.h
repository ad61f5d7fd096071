#pragma once
// EFileError: the common base of the errors raised when a file cannot be written (a data file, a
// PDF). It names the file; the message is complete and readable as it stands.

#include <QString>

#include <stdexcept>

class EFileError : public std::runtime_error
{
public:
    EFileError(const QString& fileName, const QString& message)
        : std::runtime_error(message.toStdString()), fileName_(fileName)
    {
    }
    const QString& fileName() const { return fileName_; }
    // The message as a QString (what() holds it in UTF-8).
    QString message() const { return QString::fromUtf8(what()); }

private:
    QString fileName_;
};
