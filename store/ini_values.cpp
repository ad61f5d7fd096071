#include "store/ini_values.h"

#include <cstdint>

namespace ini {

namespace {

const QStringView kMarker(kEncodedMarker);

bool needsEncoding(QStringView value, FileEncoding encoding)
{
    if (value.startsWith(kMarker))
        return true;
    for (qsizetype i = 0, units = 1; i < value.size(); i += units) {
        const char16_t c = value[i].unicode();
        if (c == u'\r' || c == u'\n' || c == 0 || !isEncodable(value, i, encoding, &units))
            return true;
    }
    return false;
}

int hexDigit(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

void appendUnitEscape(QString& out, char16_t unit)
{
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    out.append(u"\\u");
    for (int shift = 12; shift >= 0; shift -= 4)
        out.append(QChar(kHex[(unit >> shift) & 0xF]));
}

} // namespace

QString storedForm(QStringView value, FileEncoding encoding)
{
    if (!needsEncoding(value, encoding))
        return value.toString();
    qsizetype end = value.size();
    while (end > 0 && value[end - 1] == u' ')
        --end;
    QString out;
    out.reserve(value.size() + 8);
    out.append(kMarker);
    for (qsizetype i = 0, units = 1; i < end; i += units) {
        const char16_t c = value[i].unicode();
        units = 1;
        switch (c) {
        case u'\\':
            out.append(u"\\\\");
            break;
        case u'\n':
            out.append(u"\\n");
            break;
        case u'\r':
            out.append(u"\\r");
            break;
        case u'\t':
            out.append(u"\\t");
            break;
        case 0:
            out.append(u"\\0");
            break;
        case u'\v':
        case u'\f':
        case u'\x1A':
            appendUnitEscape(out, c);
            break;
        default:
            if (isEncodable(value, i, encoding, &units))
                out.append(value.sliced(i, units));
            else
                appendUnitEscape(out, c);
        }
    }
    for (qsizetype i = end; i < value.size(); ++i)
        out.append(u"\\s");
    return out;
}

QString readForm(QStringView stored)
{
    if (stored.startsWith(kMarker)) {
        QString out;
        out.reserve(stored.size());
        for (qsizetype i = kMarker.size(); i < stored.size(); ++i) {
            const QChar c = stored[i];
            if (c != u'\\' || i + 1 == stored.size()) {
                out.append(c);
                continue;
            }
            const char16_t e = stored[i + 1].unicode();
            char16_t decoded = 0;
            qsizetype used = 2;
            switch (e) {
            case u'\\':
                decoded = u'\\';
                break;
            case u'n':
                decoded = u'\n';
                break;
            case u'r':
                decoded = u'\r';
                break;
            case u't':
                decoded = u'\t';
                break;
            case u's':
                decoded = u' ';
                break;
            case u'0':
                decoded = 0;
                break;
            case u'u': {
                int code = 0;
                used = 0;
                if (i + 6 <= stored.size()) {
                    used = 6;
                    for (qsizetype k = i + 2; k < i + 6; ++k) {
                        const int d = hexDigit(stored[k].unicode());
                        if (d < 0) {
                            used = 0;
                            break;
                        }
                        code = code * 16 + d;
                    }
                }
                decoded = char16_t(code);
                break;
            }
            default:
                used = 0;
            }
            if (used == 0) {
                // Not an escape this encoding makes: the backslash stands for itself.
                out.append(c);
                continue;
            }
            out.append(QChar(decoded));
            i += used - 1;
        }
        return out;
    }
    if (stored.size() >= 2 && (stored.front() == u'"' || stored.front() == u'\'') && stored.back() == stored.front())
        return stored.sliced(1, stored.size() - 2).toString();
    return stored.toString();
}

QString defaultForm(const QString& defaultValue)
{
    qsizetype end = defaultValue.size();
    while (end > 0 && isBlankChar(defaultValue[end - 1]))
        --end;
    const QStringView text = QStringView(defaultValue).first(end);
    if (text.size() >= 2 && (text.front() == u'"' || text.front() == u'\'') && text.back() == text.front())
        return text.sliced(1, text.size() - 2).toString();
    if (end == defaultValue.size())
        return defaultValue;
    return text.toString();
}

QString limitedValue(QString value)
{
    if (value.size() <= kMaxValueLength)
        return value;
    qsizetype cut = kMaxValueLength;
    if (value[cut - 1].isHighSurrogate() && value[cut].isLowSurrogate())
        --cut;
    value.truncate(cut);
    return value;
}

std::optional<int> parseInteger(QStringView text)
{
    constexpr std::int64_t kMax = 2147483647;
    constexpr std::int64_t kMin = -2147483648LL;
    if (text.size() > 2 && text[0] == u'0' && (text[1] == u'x' || text[1] == u'X')) {
        std::int64_t value = 0;
        for (qsizetype i = 2; i < text.size(); ++i) {
            const int d = hexDigit(text[i].unicode());
            if (d < 0)
                return std::nullopt;
            value = value * 16 + d;
            if (value > kMax)
                return std::nullopt;
        }
        return int(value);
    }
    qsizetype i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
        negative = text[i] == u'-';
        ++i;
    }
    if (i == text.size())
        return std::nullopt;
    std::int64_t value = 0;
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        value = value * 10 + (c - u'0');
        if (value > kMax + 1)
            return std::nullopt;
    }
    if (negative)
        value = -value;
    if (value < kMin || value > kMax)
        return std::nullopt;
    return int(value);
}

} // namespace ini
