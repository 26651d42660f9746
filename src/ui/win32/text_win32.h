// Text at the boundary of the native front end: the core's Windows-1252 bytes and UTF-8
// paths become the UTF-16 of the Windows API here, and nowhere else.
#pragma once

#include <string>
#include <string_view>

namespace qx::ui::win32 {

// The wide text of the Windows API is the UTF-16 of the form driver, unit for unit.
std::u16string_view AsUtf16(std::wstring_view text);
std::wstring AsWide(std::u16string_view text);
// Windows-1252 bytes and wide text (common/cp1252.h does the work).
std::wstring FromCp1252(std::string_view bytes);
std::string ToCp1252(std::wstring_view text);
// Static controls break a line at "\r\n" where the templates write "\n"; both ways.
std::wstring WithCrLf(std::wstring_view text);
std::wstring WithoutCr(std::wstring_view text);
// A label as the controls draw it, from Windows-1252.
std::wstring LabelText(std::string_view bytes);

// Paths: UTF-8 in the core, UTF-16 for the Windows calls. Invalid UTF-8 gives an empty path.
std::wstring FromUtf8(std::string_view utf8);
std::string ToUtf8(std::wstring_view text);

}  // namespace qx::ui::win32
