#pragma once
// Value texts of the data files: the one-line stored form of any text, and the integer rule.
//
// Stored form. A value is stored exactly as typed (Windows paths with backslashes included)
// unless it holds a line break (CR or LF), a NUL, a character the file's code page cannot hold,
// or begins with the two characters of the marker "\~". Such a value is stored as the marker
// followed by the text with these escapes: "\\" backslash, "\n" LF, "\r" CR, "\t" tab, "\0" NUL,
// "\uXXXX" (four hex digits) a UTF-16 unit the code page lacks or one of the other blanks
// (vertical tab, form feed, 0x1A), and "\s" for each space at the end (blanks around a value are not part of it when
// read). The stored form is one line, never starts with a blank or a quote and never ends with a blank, so it reads
// back whole, and no value can make a section or key line of its own.

#include "store/ini_codec.h"

#include <QString>
#include <QStringView>

#include <optional>

namespace ini {

inline constexpr char16_t kEncodedMarker[] = u"\\~";

// The longest value a read returns, in characters.
inline constexpr qsizetype kMaxValueLength = 2047;
// Bytes of key names one key list holds, one terminator counted per name.
inline constexpr qsizetype kMaxKeyListBytes = 16384;

QString storedForm(QStringView value, FileEncoding encoding);

// The text a stored value (blanks around it already removed) reads as: the marker form decoded,
// otherwise one pair of matching double or single quotes around the whole value removed.
QString readForm(QStringView stored);

// The text a caller's default reads as, as a stored value would: blanks at its end removed, then
// one pair of matching double or single quotes around the whole of it.
QString defaultForm(const QString& defaultValue);

// Whether a character counts as a blank around names and values.
inline bool isBlankChar(QChar c)
{
    return c == u' ' || c == u'\t' || c == u'\v' || c == u'\f' || c == u'\x1A';
}

// Cuts a read value to kMaxValueLength characters (never between the halves of a surrogate pair).
QString limitedValue(QString value);

// The integer rule: optional sign and decimal digits, or "0x"/"0X" and hex digits when the text
// is longer than two characters; nullopt when that is not a 32-bit signed integer.
std::optional<int> parseInteger(QStringView text);

} // namespace ini
