#include "ui/forms/text_contract.h"

#include <algorithm>

#include "common/cp1252.h"

namespace qx::ui {
namespace {

// Control characters are no text. Windows-1252 maps its five unused bytes to C1 controls;
// they go too, and so does the DEL that Ctrl+Backspace types into an edit.
bool IsControl(char16_t ch) { return ch < 0x20 || (ch >= 0x7F && ch <= 0x9F); }

bool IsText(char16_t ch, bool digits_only) {
  if (digits_only) return ch >= u'0' && ch <= u'9';
  if (IsControl(ch)) return false;
  if (ch >= 0xD800 && ch <= 0xDFFF) return false;  // half of a character beyond the BMP
  return UnicodeToCp1252(ch).has_value();
}

}  // namespace

bool IsEditingKey(char16_t ch) {
  return ch == 0x01 || ch == 0x03 || ch == 0x08 || ch == 0x16 || ch == 0x18 || ch == 0x1A;
}

bool AcceptsTyped(char16_t ch, bool digits_only) {
  return IsEditingKey(ch) || IsText(ch, digits_only);
}

bool AcceptsInserted(std::u16string_view text, bool digits_only) {
  return std::all_of(text.begin(), text.end(),
                     [digits_only](char16_t ch) { return IsText(ch, digits_only); });
}

std::u16string_view InsertedPart(std::u16string_view before, std::u16string_view after) {
  const std::size_t common = std::min(before.size(), after.size());
  std::size_t front = 0;
  while (front < common && before[front] == after[front]) ++front;
  std::size_t back = 0;
  while (back < common - front &&
         before[before.size() - 1 - back] == after[after.size() - 1 - back])
    ++back;
  return after.substr(front, after.size() - front - back);
}

}  // namespace qx::ui
