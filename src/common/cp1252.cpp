#include "common/cp1252.h"

#include <array>
#include <cassert>
#include <cstddef>

namespace qx {
namespace {

// The characters of bytes 0x80 to 0x9F; the rest of the code page is Latin-1. The five
// bytes the code page leaves undefined keep their own value as C1 control characters, so
// that every byte survives a round trip through Unicode.
constexpr std::array<char32_t, 32> kHighControls = {
    U'\u20AC', U'\u0081', U'\u201A', U'\u0192', U'\u201E', U'\u2026', U'\u2020', U'\u2021',
    U'\u02C6', U'\u2030', U'\u0160', U'\u2039', U'\u0152', U'\u008D', U'\u017D', U'\u008F',
    U'\u0090', U'\u2018', U'\u2019', U'\u201C', U'\u201D', U'\u2022', U'\u2013', U'\u2014',
    U'\u02DC', U'\u2122', U'\u0161', U'\u203A', U'\u0153', U'\u009D', U'\u017E', U'\u0178',
};

void AppendUtf8(std::string& out, char32_t ch) {
  if (ch < 0x80) {
    out += static_cast<char>(ch);
  } else if (ch < 0x800) {
    out += static_cast<char>(0xC0 | (ch >> 6));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else if (ch < 0x10000) {
    out += static_cast<char>(0xE0 | (ch >> 12));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (ch >> 18));
    out += static_cast<char>(0x80 | ((ch >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((ch >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (ch & 0x3F));
  }
}

constexpr char32_t kInvalid = 0xFFFFFFFF;

// Decodes one character at pos and moves past it; kInvalid (moving past one byte) for a
// malformed, overlong or truncated sequence, a surrogate or a value above U+10FFFF.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  std::size_t length = 0;
  char32_t ch = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    ch = lead & 0x1Fu;
    minimum = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    ch = lead & 0x0Fu;
    minimum = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    ch = lead & 0x07u;
    minimum = 0x10000;
  } else {
    ++pos;
    return kInvalid;
  }
  if (text.size() - pos < length) {
    ++pos;
    return kInvalid;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return kInvalid;
    }
    ch = (ch << 6) | (next & 0x3Fu);
  }
  if (ch < minimum || ch > 0x10FFFF || (ch >= 0xD800 && ch <= 0xDFFF)) {
    ++pos;
    return kInvalid;
  }
  pos += length;
  return ch;
}

}  // namespace

char32_t Cp1252ToUnicode(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControls[byte - 0x80u];
  return byte;
}

std::optional<unsigned char> UnicodeToCp1252(char32_t ch) {
  if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) return static_cast<unsigned char>(ch);
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == ch) return static_cast<unsigned char>(0x80 + i);
  }
  return std::nullopt;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char b : bytes) AppendUtf8(out, Cp1252ToUnicode(static_cast<unsigned char>(b)));
  return out;
}

std::optional<std::string> Utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t ch = DecodeUtf8(utf8, pos);
    if (ch == kInvalid) return std::nullopt;
    const std::optional<unsigned char> byte = UnicodeToCp1252(ch);
    if (!byte) return std::nullopt;
    out += static_cast<char>(*byte);
  }
  return out;
}

std::string Utf8ToCp1252Lossy(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t ch = DecodeUtf8(utf8, pos);
    const std::optional<unsigned char> byte = ch == kInvalid ? std::nullopt : UnicodeToCp1252(ch);
    out += byte ? static_cast<char>(*byte) : '?';
  }
  return out;
}

std::u16string Cp1252ToUtf16(std::string_view bytes) {
  std::u16string text;
  text.reserve(bytes.size());
  // Every Windows-1252 character lies in the Basic Multilingual Plane.
  for (char byte : bytes)
    text += static_cast<char16_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string Utf16ToCp1252(std::u16string_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    // A surrogate pair is one character beyond Windows-1252.
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF)
      ++i;
    const std::optional<unsigned char> byte = UnicodeToCp1252(unit);
    bytes += byte ? static_cast<char>(*byte) : '?';
  }
  return bytes;
}

std::string Win1252(std::string_view utf8_literal) {
  std::optional<std::string> bytes = Utf8ToCp1252(utf8_literal);
  // A fixed text of the program that the code page cannot hold is a mistake in the source:
  // stop a debug build at once; a release build shows '?' for the offending characters.
  assert(bytes && "fixed text with a character Windows-1252 cannot hold");
  if (!bytes) return Utf8ToCp1252Lossy(utf8_literal);
  return *std::move(bytes);
}

}  // namespace qx
