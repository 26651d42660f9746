// The register receives a name as a row of character codes, and a character without a code
// is left out of the guide without a word. Beside every field whose text goes to the
// register (names, receipt lines, currency symbols) the forms show a small live hint that
// names the characters typed so far that the register will not receive. The hint only
// informs: it never blocks a save and changes no stored value.
#pragma once

#include <string>
#include <string_view>

#include "model/register_codes.h"
#include "ui/forms/form.h"

namespace qx::ui {

// The characters named are those of CharactersWithoutRegisterCode (model/register_codes.h).
// The hint for a text typed so far (Windows-1252): "A registradora não recebe: Â, Ê, [" or
// an empty text when the register receives every character. Characters that cannot be seen
// (control bytes, the no-break blank, the soft hyphen) are named by their value, as
// "(caractere 9)".
std::string RegisterHint(std::string_view text);

// The hint control of a field has the field's id plus this offset (fields 1000 to 1068 have
// hints 5000 to 5068). Forms place the hint with RegisterHintControl (control_builders.h).
inline constexpr int kRegisterHintIdOffset = 4000;
constexpr int RegisterHintId(int field_id) { return field_id + kRegisterHintIdOffset; }

// Shows the hint for the field's current text in the field's hint control. Call it from
// OnTextChanged and after the presenter itself puts a text into the field.
void UpdateRegisterHint(FormView& view, int field_id);

}  // namespace qx::ui
