// The editor forms the main window opens. Each presenter lives for one modal run.
#pragma once

#include <memory>

#include "ui/forms/desktop.h"
#include "ui/forms/form.h"
#include "ui/workflows/app_state.h"

namespace qx::ui {

std::unique_ptr<Presenter> MakeDeptGrid(AppState& state, Desktop& desktop);
std::unique_ptr<Presenter> MakeProductEditor(AppState& state, Desktop& desktop);
std::unique_ptr<Presenter> MakeOperatorEditor(AppState& state, Desktop& desktop);
std::unique_ptr<Presenter> MakeFunctionKeyEditor(AppState& state, Desktop& desktop);
std::unique_ptr<Presenter> MakeHeaderFooterEditor(AppState& state, Desktop& desktop);
std::unique_ptr<Presenter> MakeMiscOptionsEditor(AppState& state, Desktop& desktop);

}  // namespace qx::ui
