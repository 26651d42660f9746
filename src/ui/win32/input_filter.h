// What a one-line field lets in as the user types or pastes: printable characters that
// Windows-1252 can hold, and in a digits-only field only 0 to 9. Only new input is checked:
// a stored text with an odd character (a tab, an undefined byte, "12,5" in a digits field)
// is shown as it is and can still be edited and deleted.
#pragma once

#include <string_view>

namespace qx::ui::win32 {

// The editing keys that arrive as characters: Ctrl+A, Ctrl+C, Backspace, Ctrl+V, Ctrl+X and
// Ctrl+Z. They insert nothing and always pass.
bool IsEditingKey(wchar_t ch);
// A typed character (WM_CHAR) is inserted.
bool AcceptsTyped(wchar_t ch, bool digits_only);
// Pasted text is inserted only when every character would be accepted as typed; otherwise
// nothing of it goes in (nothing stored as something else, no line split by a pasted break).
bool AcceptsPasted(std::wstring_view text, bool digits_only);

}  // namespace qx::ui::win32
