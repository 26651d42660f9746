// Routines that every editor form shares.
#pragma once

#include <string_view>

#include "common/cp1252.h"
#include "model/param_set.h"
#include "ui/forms/desktop.h"
#include "ui/forms/form.h"

namespace qx::ui {

// Reads a checkbox into a flag character: '1' when marked, '0' when not.
inline char GetCheckFlag(const FormView& view, int id) { return FlagChar(view.GetCheck(id)); }
// Marks a checkbox when the flag character's lowest bit is 1.
inline void SetCheckFlag(FormView& view, int id, char flag) { view.SetCheck(id, IsSet(flag)); }

// The parameter file separates its fields with '|', so no text that goes into it may hold
// one: it would split the field and shift the rest of the record on the next open.
// When the text of field `id` holds the separator: shows the error with the field's name
// (short, upper case, UTF-8) on its second line, puts the focus on the field and gives true.
inline bool RefuseSeparator(Desktop& desktop, FormView& view, int id, std::string_view text,
                            std::string_view field_name_utf8) {
  if (text.find('|') == std::string_view::npos) return false;
  ShowError(desktop, Win1252("ERRO - O CARACTERE | NÃO É PERMITIDO\n") + Win1252(field_name_utf8));
  view.SetFocus(id);
  return true;
}

}  // namespace qx::ui
