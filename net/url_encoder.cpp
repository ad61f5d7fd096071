#include "net/url_encoder.h"

#include <exception>

TNMURL::TNMURL(QObject* parent) : QObject(parent) {}

QByteArray TNMURL::Encode()
{
    static constexpr char kHex[] = "0123456789ABCDEF";
    try {
        QByteArray out;
        out.reserve(InputString.size() * 3);
        for (const char c : std::as_const(InputString)) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == ' ') {
                out.append('+');
            } else if ((byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z')) {
                out.append(c);
            } else {
                out.append('%');
                out.append(kHex[byte >> 4]);
                out.append(kHex[byte & 0x0F]);
            }
        }
        return out;
    } catch (const std::exception& error) {
        if (OnError)
            OnError(this, QStringLiteral("Error during encode"), QString::fromUtf8(error.what()));
        return InputString;
    }
}
