// Text at the boundary of the native front end: the core's Windows-1252 bytes and UTF-8
// paths become the UTF-16 of the Windows API here, and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace qx::ui::win32 {

// Windows-1252 bytes as UTF-16 (every byte has its character).
std::wstring FromCp1252(std::string_view bytes);
// UTF-16 as Windows-1252 bytes; a character Windows-1252 cannot hold becomes '?' (the fields
// let none in, so this only happens to texts the program did not write).
std::string ToCp1252(std::wstring_view text);
// A label as the controls draw it: "\n" breaks the line as "\r\n" does.
std::wstring LabelText(std::string_view bytes);
// The other way: a control's "\r\n" back to the "\n" of the templates.
std::string FromLabelText(std::wstring_view text);

// Paths: UTF-8 in the core, UTF-16 for the Windows calls. Invalid UTF-8 gives an empty path.
std::wstring FromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view text);

}  // namespace qx::ui::win32
