#include "ui/win32/input_filter.h"

#include "common/cp1252.h"

namespace qx::ui::win32 {
namespace {

// Control characters are no text: a line break pasted into a name would split its line of
// the parameter file. Windows-1252 maps its five unused bytes to C1 controls; they go too,
// and so does the DEL that Ctrl+Backspace types into an edit.
bool IsControl(wchar_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

bool IsText(wchar_t ch, bool digits_only) {
  if (digits_only) return ch >= L'0' && ch <= L'9';
  if (IsControl(ch)) return false;
  if (ch >= 0xD800 && ch <= 0xDFFF) return false;  // half of a character beyond the BMP
  return UnicodeToCp1252(static_cast<char32_t>(ch)).has_value();
}

}  // namespace

bool IsEditingKey(wchar_t ch) {
  return ch == 0x01 || ch == 0x03 || ch == 0x08 || ch == 0x16 || ch == 0x18 || ch == 0x1A;
}

bool AcceptsTyped(wchar_t ch, bool digits_only) {
  return IsEditingKey(ch) || IsText(ch, digits_only);
}

bool AcceptsPasted(std::wstring_view text, bool digits_only) {
  for (wchar_t ch : text)
    if (!IsText(ch, digits_only)) return false;
  return true;
}

}  // namespace qx::ui::win32
