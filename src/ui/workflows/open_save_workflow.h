// The open and save workflows that tie the parameter file, the guide and the summary
// together.
#pragma once

#include <string>
#include <string_view>

#include "ui/forms/desktop.h"
#include "ui/workflows/app_state.h"

namespace qx::ui {

// Asks for a parameter file and loads it. 1 when a file was chosen and loaded (also a new
// or empty one), 0 when the dialog was cancelled.
int OpenWorkflow(AppState& state, Desktop& desktop);
// The open steps after the dialog, for a path chosen there or named on the command line:
// ".par" added when the name has no extension, the path made current and opened, the file
// loaded (a name that does not exist yet starts from the defaults).
void OpenChosenFile(AppState& state, Desktop& desktop, std::string_view chosen);

// Asks where to save, writes the parameter file, the guide and the summary, and offers to
// show them. 1 when it ran to its end after a name was chosen, 0 when a dialog was cancelled
// or the user kept the opened file that another program changed since it was read.
// A failure at one step is reported by that step and the workflow goes on, so 1 does not
// mean the parameter file was written: par_file_written (when given) tells that.
int SaveWorkflow(AppState& state, Desktop& desktop, bool* par_file_written = nullptr);

// Asks whether unsaved edits may be dropped ("As alterações não foram salvas.\nDescartar as
// alterações?", default Não). True only on Sim.
bool ConfirmDiscardChanges(Desktop& desktop);

// Path parts as the file dialogs use them; the separators are the platform's ('/' here,
// '\' and ':' on Windows).
// The characters after the last separator (the whole path without one), at most 259.
std::string FileNamePart(std::string_view path);
// The characters up to and including the last separator; empty without one.
std::string DirectoryPart(std::string_view path);
// The path with ".par" appended when its file name part holds no '.'.
std::string WithParExtension(std::string_view path);
// Two file names that differ at most in the case of the letters A to Z.
bool SameFileName(std::string_view a, std::string_view b);

}  // namespace qx::ui
