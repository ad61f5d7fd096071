#include "net/uu_processor.h"

#include <QIODevice>

#include <stdexcept>

namespace {

constexpr int kBlockBytes = 45;
constexpr char kMimeAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

char digit(unsigned value, TUUMethod method)
{
    value &= 0x3F;
    if (method == TUUMethod::uuMime)
        return kMimeAlphabet[value];
    return value == 0 ? '`' : char(' ' + value); // grave accent for 0, then "!" to "_"
}

} // namespace

TNMUUProcessor::TNMUUProcessor(QObject* parent) : QObject(parent) {}

QByteArray TNMUUProcessor::EncodeBytes(const QByteArray& data, TUUMethod method)
{
    QByteArray out;
    out.reserve(data.size() / 3 * 4 + data.size() / kBlockBytes * 3 + 8);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype start = 0; start < data.size(); start += kBlockBytes) {
        const qsizetype length = std::min<qsizetype>(kBlockBytes, data.size() - start);
        if (method == TUUMethod::uuCode)
            out.append(digit(unsigned(length), method));
        qsizetype i = 0;
        for (; i + 3 <= length; i += 3) {
            const unsigned group = bytes[start + i] << 16 | bytes[start + i + 1] << 8 | bytes[start + i + 2];
            out.append(digit(group >> 18, method));
            out.append(digit(group >> 12, method));
            out.append(digit(group >> 6, method));
            out.append(digit(group, method));
        }
        if (length - i == 1) {
            const unsigned group = bytes[start + i] << 16;
            out.append(digit(group >> 18, method));
            out.append(digit(group >> 12, method));
            if (method == TUUMethod::uuMime)
                out.append("==");
        } else if (length - i == 2) {
            const unsigned group = bytes[start + i] << 16 | bytes[start + i + 1] << 8;
            out.append(digit(group >> 18, method));
            out.append(digit(group >> 12, method));
            out.append(digit(group >> 6, method));
            if (method == TUUMethod::uuMime)
                out.append('=');
        }
        out.append("\r\n");
    }
    if (method == TUUMethod::uuCode) {
        out.append(digit(0, method));
        out.append("\r\n");
    }
    return out;
}

void TNMUUProcessor::Encode()
{
    // OnEndEncode is raised however the encoding ends.
    struct EndEncode
    {
        TNMUUProcessor* self;
        ~EndEncode()
        {
            if (self->OnEndEncode)
                self->OnEndEncode(self);
        }
    };

    if (!InputStream || !OutputStream) {
        EndEncode end{this};
        throw std::runtime_error("Encode needs an input and an output stream");
    }
    if (!InputStream->isSequential())
        InputStream->seek(0);
    if (OnBeginEncode)
        OnBeginEncode(this);
    EndEncode end{this};
    if (!InputStream->isReadable())
        throw std::runtime_error("The input stream cannot be read");
    const QByteArray encoded = EncodeBytes(InputStream->readAll(), Method);
    if (OutputStream->write(encoded) != encoded.size())
        throw std::runtime_error("The output stream cannot be written");
    if (!OutputStream->isSequential())
        OutputStream->seek(0);
}
