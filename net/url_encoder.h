#pragma once
// TNMURL: form-URL encoding of a byte string (POST data of the HTTP client).

#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>

class TNMURL final : public QObject
{
    Q_OBJECT

public:
    using TErrorEvent = std::function<void(QObject* Sender, const QString& Operation, const QString& ErrMsg)>;

    explicit TNMURL(QObject* parent = nullptr);

    // The bytes to encode; the caller chooses their character set.
    QByteArray InputString;
    TErrorEvent OnError;

    // A space becomes "+", ASCII letters and digits stay, every other byte becomes "%" and two
    // upper-case hexadecimal digits. If encoding fails, OnError is raised and the input returned.
    QByteArray Encode();
};
