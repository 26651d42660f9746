// The register's character codes. The register has no letter keys: a name is typed as a row
// of three-digit codes on the numeric keypad.
#pragma once

#include <string>
#include <string_view>

namespace qx {

// The codes of a Windows-1252 name, each as "%03d " (4 bytes): the register's character
// table first, then an approximation for twelve accented letters it lacks ("Á" as "A"...),
// "{" and "}" as 999 (the expanded-letter switch), a line feed as "<br><br>", a "<br>"
// already in the text passed through. Characters without a code are left out. Stops at NUL.
std::string ToRegisterCodes(std::string_view name);
void AppendRegisterCodes(std::string& out, std::string_view name);

}  // namespace qx
