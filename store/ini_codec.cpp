#include "store/ini_codec.h"

#include <QStringDecoder>

#include <array>
#include <cstdint>
#include <memory>

namespace ini {

namespace {

// Windows-1250, bytes 0x80..0xFF. Unassigned bytes (0x81, 0x83, 0x88, 0x90, 0x98) map to U+0081
// and so on, so that every byte survives a read and a write.
constexpr std::array<char16_t, 128> kHighHalf = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021, //
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179, //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, //
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A, //
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7, //
    0x00A8, 0x00A9, 0x015E, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B, //
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7, //
    0x00B8, 0x0105, 0x015F, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C, //
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7, //
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E, //
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7, //
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x0162, 0x00DF, //
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7, //
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F, //
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7, //
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x0163, 0x02D9, //
};

// Character -> byte for the characters above U+007F; 0 where the code page has none.
const std::array<std::uint8_t, 0x10000>& reverseTable()
{
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint8_t, 0x10000>>();
        t->fill(0);
        for (int i = 0; i < 128; ++i)
            (*t)[kHighHalf[i]] = static_cast<std::uint8_t>(0x80 + i);
        return t;
    }();
    return *table;
}

} // namespace

FileEncoding encodingOf(QByteArrayView fileBytes)
{
    return fileBytes.startsWith(QByteArrayView(kUtf8Bom, 3)) ? FileEncoding::Utf8 : FileEncoding::Windows1250;
}

QString decodeText(QByteArrayView bytes, FileEncoding encoding)
{
    if (encoding == FileEncoding::Utf8) {
        // A value may itself begin with U+FEFF: keep it (QString::fromUtf8 would drop it).
        QStringDecoder decoder(QStringDecoder::Utf8,
                               QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        return decoder(bytes);
    }
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(bytes[i]);
        out[i] = QChar(b < 0x80 ? char16_t(b) : kHighHalf[b - 0x80]);
    }
    return text;
}

bool isEncodable(QStringView text, qsizetype i, FileEncoding encoding, qsizetype* units)
{
    const char16_t c = text[i].unicode();
    *units = 1;
    if (encoding == FileEncoding::Utf8) {
        if (QChar::isHighSurrogate(c) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
            *units = 2;
            return true;
        }
        return !QChar::isSurrogate(c);
    }
    return c < 0x80 || reverseTable()[c] != 0;
}

QByteArray encodeText(QStringView text, FileEncoding encoding)
{
    if (encoding == FileEncoding::Utf8)
        return text.toUtf8();
    const auto& table = reverseTable();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        out[i] = static_cast<char>(c < 0x80 ? c : (table[c] != 0 ? table[c] : '?'));
    }
    return bytes;
}

std::optional<QByteArray> encodeName(QStringView name, FileEncoding encoding)
{
    for (qsizetype i = 0, units = 1; i < name.size(); i += units)
        if (!isEncodable(name, i, encoding, &units))
            return std::nullopt;
    return encodeText(name, encoding);
}

} // namespace ini
