// The program's hub: start-up, the main window whose buttons open and save the parameter
// file and run the editors, and the about box.
#pragma once

#include <optional>
#include <string>
#include <utility>

#include "ui/forms/desktop.h"
#include "ui/forms/form.h"
#include "ui/workflows/app_state.h"

namespace qx::ui {

// Resource ids of the two forms.
inline constexpr int kMainWindowResource = 101;
inline constexpr int kAboutBoxResource = 120;

// Control ids of the main window (kIdOk and kIdCancel are its "OK" and "Cancel").
inline constexpr int kIdOpenFile = 1000;      // "NOVO\nABRE arquivo"
inline constexpr int kIdSaveFile = 1001;      // "SALVAR arquivo"
inline constexpr int kIdAbout = 1009;         // "SOBRE"
inline constexpr int kIdDepartments = 1002;   // "DEPARTAMENTOS"
inline constexpr int kIdProducts = 1004;      // "PRODUTOS"
inline constexpr int kIdOperators = 1046;     // "EMPREGADOS"
inline constexpr int kIdFunctionKeys = 1006;  // "TECLAS de FUNÇÃO"
inline constexpr int kIdHeaderFooter = 1007;  // "LOGO"
inline constexpr int kIdMiscOptions = 1008;   // "DIVERSOS"

// The main window's line with the path of the parameter file in use (empty before one is
// opened).
inline constexpr int kIdFileInUse = 1201;

// The about box's version line, replaced when the box opens.
inline constexpr int kIdAboutVersion = 1200;

// The program's own version as the titles show it: "1, 1, 0, 0" for version 1.1.0.0.
std::string GetProductVersion();

// The parameter file proposed until the user chooses one: c:\KORVA\Prog-QX-4810.par on
// Windows, ~/KORVA/Prog-QX-4810.par elsewhere (HOME; a relative KORVA folder without it).
std::string DefaultParFile();

// The form templates (built once).
const FormTemplate& MainWindowTemplate();
const FormTemplate& AboutBoxTemplate();

class MainWindow : public Presenter {
 public:
  MainWindow(AppState& state, Desktop& desktop) : state_(state), desktop_(desktop) {}
  // A window that opens this parameter file as it comes up, as if it had been chosen in the
  // open dialog (a file named on the program's command line).
  MainWindow(AppState& state, Desktop& desktop, std::optional<std::string> initial_file)
      : state_(state), desktop_(desktop), initial_file_(std::move(initial_file)) {}
  const FormTemplate& Template() const override { return MainWindowTemplate(); }
  void OnOpen(FormView& view) override;
  void OnCommand(FormView& view, int id) override;

 private:
  void Open(FormView& view);
  void Unlock(FormView& view);
  // The path line: the parameter file in use, as message boxes show paths.
  void ShowFileInUse(FormView& view);
  void Save();
  void Ok(FormView& view);
  void Cancel(FormView& view);
  void RunEditor(FormView& view, int id);
  void RunAbout(FormView& view);
  // Runs the save workflow; true when it ran to its end and the parameter file was written,
  // that is when the edits in memory are safe on disk.
  bool SaveAndCheckWritten();

  AppState& state_;
  Desktop& desktop_;
  std::optional<std::string> initial_file_;
};

class AboutBox : public Presenter {
 public:
  const FormTemplate& Template() const override { return AboutBoxTemplate(); }
  void OnOpen(FormView& view) override;
  void OnCommand(FormView& view, int id) override;
};

// The start-up steps: the default parameter file as the current one, no file opened yet,
// the parameter set at its defaults; then the main window runs modally. With an initial
// file (named on the command line) the main window opens it as it comes up, as if it had
// been chosen in the open dialog. Returns the program's exit code (0).
int RunApplication(AppState& state, Desktop& desktop,
                   std::optional<std::string> initial_file = std::nullopt);
// The same with the one application state of the run.
int RunApplication(Desktop& desktop, std::optional<std::string> initial_file = std::nullopt);

}  // namespace qx::ui
