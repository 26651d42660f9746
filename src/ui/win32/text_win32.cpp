#include "ui/win32/text_win32.h"

#include "common/cp1252.h"
#include "ui/win32/windows_api.h"

namespace qx::ui::win32 {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the Windows API's wide text is UTF-16");

std::u16string_view AsUtf16(std::wstring_view text) {
  return {reinterpret_cast<const char16_t*>(text.data()), text.size()};
}

std::wstring AsWide(std::u16string_view text) {
  return {reinterpret_cast<const wchar_t*>(text.data()), text.size()};
}

std::wstring FromCp1252(std::string_view bytes) { return AsWide(Cp1252ToUtf16(bytes)); }

std::string ToCp1252(std::wstring_view text) { return Utf16ToCp1252(AsUtf16(text)); }

std::wstring WithCrLf(std::wstring_view text) {
  std::wstring out;
  for (wchar_t ch : text) {
    if (ch == L'\n' && (out.empty() || out.back() != L'\r')) out += L'\r';
    out += ch;
  }
  return out;
}

std::wstring WithoutCr(std::wstring_view text) {
  std::wstring plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
    plain += text[i];
  }
  return plain;
}

std::wstring LabelText(std::string_view bytes) { return WithCrLf(FromCp1252(bytes)); }

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
