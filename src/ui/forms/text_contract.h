// What a one-line field lets in as the user types or pastes: printable characters that
// Windows-1252 can hold, and in a digits-only field only 0 to 9. A refused character is
// simply not inserted; pasted text holding one is refused whole rather than stored as
// something else (a line break pasted into a name would split its line of the parameter
// file).
//
// Only what is newly typed or pasted is judged. A stored text may hold what the field would
// not take as typed (a tab, an unused byte, "12,5" in a digits field, from a hand-edited
// file); it is shown whole and stays editable, so that the user can correct or delete it.
//
// Texts here are the front ends' own UTF-16.
#pragma once

#include <string_view>

namespace qx::ui {

// The editing keys that arrive as characters: Ctrl+A, Ctrl+C, Backspace, Ctrl+V, Ctrl+X and
// Ctrl+Z. They insert nothing and always pass.
bool IsEditingKey(char16_t ch);
// A typed character is inserted (editing keys pass).
bool AcceptsTyped(char16_t ch, bool digits_only);
// Inserted text goes in only when every character of it would be accepted as typed.
bool AcceptsInserted(std::u16string_view text, bool digits_only);
// What an edit put in place of the rest: the part of `after` that is not in `before`, both
// texts keeping what lies before and after it.
std::u16string_view InsertedPart(std::u16string_view before, std::u16string_view after);

}  // namespace qx::ui
