// A form template as the in-memory dialog template (DLGTEMPLATEEX) that
// DialogBoxIndirectParamW runs: the template's font and size, its controls in dialog units
// with their ids, kinds and labels. The dialog manager then scales everything with the font
// and the screen's DPI, as it does for a dialog from a resource file.
#pragma once

#include <cstdint>
#include <vector>

#include "ui/forms/form.h"

namespace qx::ui::win32 {

// The window id of controls that the logic never addresses (labels, notes, the logo).
inline constexpr int kStaticControlId = 0xFFFF;

// One control as the dialog gets it: the template's control with its place in dialog
// units filled in (forms that give no places are stacked, one control per row).
struct PlacedControl {
  const ControlTemplate* control = nullptr;
  int x = 0, y = 0, width = 0, height = 0;
};

struct DialogLayout {
  int width = 0, height = 0;  // dialog units
  // In the dialog's order: the template's order (that is the tab order), with the group
  // boxes moved to the end so that they lie behind the controls they frame.
  std::vector<PlacedControl> controls;
};

DialogLayout LayOut(const FormTemplate& form);

// The DLGTEMPLATEEX bytes, as 16-bit words (DWORD-aligned where the format wants it).
std::vector<std::uint16_t> BuildDialogTemplate(const FormTemplate& form,
                                               const DialogLayout& layout);

}  // namespace qx::ui::win32
