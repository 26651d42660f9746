#include "ui/forms/stacked_layout.h"

#include <algorithm>

#include "ui/forms/form_driver.h"

namespace qx::ui {

bool HasPlaces(const FormTemplate& form) {
  return std::any_of(form.controls.begin(), form.controls.end(),
                     [](const ControlTemplate& c) { return c.width > 0 && c.height > 0; });
}

std::vector<StackedRow> StackRows(const FormTemplate& form) {
  std::vector<StackedRow> rows;
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    const ControlKind kind = form.controls[i].kind;
    if (IsPushButton(kind)) {
      const bool after_buttons = !rows.empty() && rows.back().kind == StackedRow::kButtons;
      if (after_buttons && rows.back().controls.size() < kStackedButtonsPerRow) {
        rows.back().controls.push_back(i);
      } else {
        rows.push_back({StackedRow::kButtons, {i}, after_buttons});
      }
      continue;
    }
    rows.push_back({kind == ControlKind::kEdit ? StackedRow::kField : StackedRow::kWhole, {i}});
  }
  return rows;
}

}  // namespace qx::ui
