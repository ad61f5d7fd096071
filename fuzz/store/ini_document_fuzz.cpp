// libFuzzer target for the INI text layer: any bytes must parse without a crash, and a change
// must read back while leaving the section's other keys as they were. The value texts are
// checked to round-trip through their one-line stored form.
#include "store/ini_codec.h"
#include "store/ini_document.h"
#include "store/ini_values.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Names from a small alphabet, so that they often meet the file's own names.
QByteArray nameFrom(const std::uint8_t* data, std::size_t length)
{
    static const char alphabet[] = "AaBbRr_1.=;[] \t#\xE8\xC8\"";
    QByteArray name;
    for (std::size_t i = 0; i < length; ++i)
        name += alphabet[data[i] % (sizeof(alphabet) - 1)];
    return name;
}

// What the store would accept as names (it trims them and refuses the others).
bool writable(QByteArrayView name, bool isKey)
{
    if (name.isEmpty() || name != ini::trimmedBlanks(name))
        return false;
    if (isKey && (name.contains('=') || name.front() == ';' || name.front() == '['))
        return false;
    return true;
}

void checkValueForms(QStringView text)
{
    for (auto encoding : {ini::FileEncoding::Windows1250, ini::FileEncoding::Utf8}) {
        const QString stored = ini::storedForm(text, encoding);
        check(!stored.contains(u'\r') && !stored.contains(u'\n'));
        // As it would come back from the file: decoded, blanks around it removed.
        const QByteArray bytes = ini::encodeText(stored, encoding);
        const QString reread = ini::decodeText(ini::trimmedBlanks(bytes), encoding);
        if (stored.startsWith(QStringView(ini::kEncodedMarker))) {
            check(ini::readForm(reread) == text);
        } else {
            // Ordinary values are stored exactly as typed; reading drops only the blanks around.
            check(stored == text);
            qsizetype b = 0;
            qsizetype e = text.size();
            while (b < e && ini::isBlankChar(text[b]))
                ++b;
            while (e > b && ini::isBlankChar(text[e - 1]))
                --e;
            check(reread == text.sliced(b, e - b));
        }
    }
    (void)ini::parseInteger(text);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::size_t sectionLength = data[0] % 6;
    const std::size_t keyLength = data[1] % 6;
    const std::size_t valueLength = data[2] % 12;
    std::size_t used = 3;
    if (size < used + sectionLength + keyLength + valueLength)
        return 0;
    const QByteArray section = nameFrom(data + used, sectionLength);
    used += sectionLength;
    const QByteArray key = nameFrom(data + used, keyLength);
    used += keyLength;
    const QByteArray value = nameFrom(data + used, valueLength);
    used += valueLength;
    const QByteArray content(reinterpret_cast<const char*>(data + used), qsizetype(size - used));

    const ini::IniDocument document(content);
    const auto before = document.rawValue(section, key);
    const auto names = document.keyNames(section);
    for (QByteArrayView name : names)
        check(document.rawValue(section, name).has_value());

    if (writable(section, false) && writable(key, true)) {
        const auto changed = document.withValue(section, key, value);
        const QByteArrayView expected = ini::trimmedBlanks(value);
        if (!changed) {
            check(before.has_value() && *before == expected);
        } else {
            const ini::IniDocument after(*changed);
            const auto reread = after.rawValue(section, key);
            check(reread.has_value() && *reread == expected);
            for (QByteArrayView name : names)
                if (!ini::sameName(name, key))
                    check(after.rawValue(section, name) == document.rawValue(section, name));
        }
    }

    if (const auto removed = document.withoutKey(section, key)) {
        check(before.has_value() && removed->size() < content.size());
        const ini::IniDocument after(*removed);
        for (QByteArrayView name : names)
            if (!ini::sameName(name, key))
                check(after.rawValue(section, name) == document.rawValue(section, name));
    } else {
        check(!before.has_value());
    }

    const auto width = qsizetype((size - used) / 2);
    checkValueForms(QStringView(reinterpret_cast<const char16_t*>(content.constData()), width));
    return 0;
}
