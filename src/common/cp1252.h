// Windows-1252 <-> UTF-8, for the user interface only: the core keeps Windows-1252 bytes.
// Every byte value maps to one character and back (the five bytes that Windows-1252 leaves
// undefined map to the control characters U+0081, U+008D, U+008F, U+0090 and U+009D).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qx {

char32_t Cp1252ToUnicode(unsigned char byte);
// The byte for a character, or nothing when Windows-1252 cannot hold it.
std::optional<unsigned char> UnicodeToCp1252(char32_t ch);

std::string Cp1252ToUtf8(std::string_view bytes);
// Nothing when the text is not valid UTF-8 or holds a character that Windows-1252 cannot
// hold; never a silent replacement.
std::optional<std::string> Utf8ToCp1252(std::string_view utf8);
// For showing only (a path in a message): characters Windows-1252 cannot hold become '?'.
std::string Utf8ToCp1252Lossy(std::string_view utf8);

// Windows-1252 <-> UTF-16, the text of the front ends' controls (QString, the wide Windows
// calls). Every byte is one UTF-16 unit. The other way a character Windows-1252 cannot hold
// becomes '?', a surrogate pair counting as one character; the fields let none in, so this
// only happens to texts the program did not write.
std::u16string Cp1252ToUtf16(std::string_view bytes);
std::string Utf16ToCp1252(std::u16string_view text);

}  // namespace qx

namespace qx {
// A fixed text of the program, written in the source as UTF-8, as Windows-1252 bytes.
// Meant for literals, which hold only characters Windows-1252 has.
std::string Win1252(std::string_view utf8_literal);
}  // namespace qx
