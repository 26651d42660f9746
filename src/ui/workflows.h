// The open and save workflows that tie the parameter file, the guide and the summary
// together.
#pragma once

#include "ui/app_state.h"
#include "ui/desktop.h"

namespace qx::ui {

// Asks for a parameter file and loads it. 1 when a file was chosen and loaded (also a new
// or empty one), 0 when the dialog was cancelled.
int OpenWorkflow(AppState& state, Desktop& desktop);

// Asks where to save, writes the parameter file, the guide and the summary, and offers to
// show them. 1 when it ran to its end after a name was chosen, 0 when a dialog was cancelled.
int SaveWorkflow(AppState& state, Desktop& desktop);

}  // namespace qx::ui
