#include "ui/win32/text_win32.h"

#include "common/cp1252.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

std::wstring FromCp1252(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (char byte : bytes)
    text += static_cast<wchar_t>(Cp1252ToUnicode(static_cast<unsigned char>(byte)));
  return text;
}

std::string ToCp1252(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const wchar_t ch = text[i];
    // A surrogate pair is one character beyond Windows-1252.
    if (ch >= 0xD800 && ch <= 0xDBFF && i + 1 < text.size()) ++i;
    const std::optional<unsigned char> byte = UnicodeToCp1252(static_cast<char32_t>(ch));
    bytes += byte ? static_cast<char>(*byte) : '?';
  }
  return bytes;
}

std::wstring LabelText(std::string_view bytes) {
  std::wstring text;
  for (wchar_t ch : FromCp1252(bytes)) {
    if (ch == L'\n' && (text.empty() || text.back() != L'\r')) text += L'\r';
    text += ch;
  }
  return text;
}

std::string FromLabelText(std::wstring_view text) {
  std::wstring plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    plain += text[i];
  }
  return ToCp1252(plain);
}

std::wstring FromUtf8(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int size = static_cast<int>(utf8.size());
  const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, nullptr, 0);
  if (n <= 0) return {};
  std::wstring text(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), size, text.data(), n);
  return text;
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string utf8(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), size, utf8.data(), n, nullptr, nullptr);
  return utf8;
}

}  // namespace qx::ui::win32
