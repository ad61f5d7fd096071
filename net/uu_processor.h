#pragma once
// TNMUUProcessor: encodes a whole input stream into Base64 (uuMime) or uuencode (uuCode) text lines
// on an output stream; the HTTP client uses it for Basic authorization.

#include <QByteArray>
#include <QObject>

#include <functional>

class QIODevice;

enum class TUUMethod { uuMime, uuCode };

class TNMUUProcessor final : public QObject
{
    Q_OBJECT

public:
    using TNotifyEvent = std::function<void(QObject* Sender)>;

    explicit TNMUUProcessor(QObject* parent = nullptr);

    TUUMethod Method = TUUMethod::uuMime;
    TNotifyEvent OnBeginEncode;
    TNotifyEvent OnEndEncode;
    // Kept for the component's interface; nothing decodes, so nothing raises them.
    TNotifyEvent OnBeginDecode;
    TNotifyEvent OnEndDecode;

    // Not owned. Encode reads the input from its start and leaves the output positioned at its start.
    QIODevice* InputStream = nullptr;
    QIODevice* OutputStream = nullptr;

    // Every 45 input bytes make one line ended by CR LF; uuCode lines start with their length
    // character and the text ends with a line holding the zero character. OnEndEncode is raised
    // also when encoding fails (a missing, unreadable or unwritable stream: std::runtime_error).
    void Encode();

    // The encoding of data as Encode writes it.
    static QByteArray EncodeBytes(const QByteArray& data, TUUMethod method);
};
