#pragma once
// The one place where data-file bytes become text and back. Files are Windows-1250 (every byte
// 0x80-0xFF maps to one character and back, the five unassigned ones to the C1 controls of the
// same number); a file that starts with a UTF-8 byte-order mark is UTF-8 instead.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace ini {

enum class FileEncoding { Windows1250, Utf8 };

// The byte-order mark that makes a file UTF-8.
inline constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

FileEncoding encodingOf(QByteArrayView fileBytes);

QString decodeText(QByteArrayView bytes, FileEncoding encoding);

// Whether text[i] (with its partner when it is half of a surrogate pair) can be stored in the
// encoding; *units receives the number of UTF-16 units it spans (1 or 2).
bool isEncodable(QStringView text, qsizetype i, FileEncoding encoding, qsizetype* units);

// Text that holds only encodable characters (isEncodable) as bytes; others become '?'.
QByteArray encodeText(QStringView text, FileEncoding encoding);

// A name for lookup or writing; nullopt when a character cannot be stored in the encoding.
std::optional<QByteArray> encodeName(QStringView name, FileEncoding encoding);

} // namespace ini
