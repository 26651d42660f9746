// Forms whose template gives no places (only tests build such forms) are stacked: one
// control per row, an edit in the field column beside its label, consecutive push buttons
// four to a row. Both front ends place the rows this gives, each in its own units.
#pragma once

#include <cstddef>
#include <vector>

#include "ui/forms/form.h"

namespace qx::ui {

inline constexpr int kStackedButtonsPerRow = 4;

// True when any control of the template has a place and a size of its own.
bool HasPlaces(const FormTemplate& form);

struct StackedRow {
  enum Kind {
    kButtons,  // up to four push buttons side by side
    kField,    // an edit in the field column, its label (if any) in front of it
    kWhole,    // any other control across the form
  } kind = kWhole;
  std::vector<std::size_t> controls;  // indexes into the template's controls, in order
  // Buttons: this row continues the buttons of the row before it.
  bool continues_buttons = false;
};

std::vector<StackedRow> StackRows(const FormTemplate& form);

}  // namespace qx::ui
