// The rows of the option and function-key sections: what the technician types for one option
// or one key, with a note in words.
#pragma once

#include <string>
#include <string_view>

namespace qx {

// number [X/HORA] value [SUBTOTAL] (note). The value is HTML-ready text (escaped or codes);
// the note is cut to 50 characters and escaped here.
void WriteOptionRow(std::string& page, int number, std::string_view value, std::string_view note);

// value [key] (note), for the key status and value sections. The value (cut to 128) and the
// note (cut to 80) are escaped here; the caption is a fixed text.
void WriteFunctionKeyRow(std::string& page, std::string_view value, std::string_view caption,
                         std::string_view note);

// The key's name as register codes, padded to nine codes, [key] and "(note)". Nothing for an
// empty name.
void WriteFunctionKeyNameRow(std::string& page, std::string_view name, std::string_view caption,
                             std::string_view note);

}  // namespace qx
