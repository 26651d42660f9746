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

// The characters of a Windows-1252 text that the guide leaves out because the register has
// no code for them, each once, in the order in which they first appear. The editors' live
// hint and the product list import both name these.
std::string CharactersWithoutRegisterCode(std::string_view text);

// A character as a message names it: itself, or, for one that cannot be seen (control bytes,
// the no-break blank, the soft hyphen), its value, as "(caractere 9)".
std::string VisibleCharacterName(unsigned char byte);

}  // namespace qx
