#include "ui/screens/main_window.h"

#include <cstdlib>
#include <memory>

#include "common/cp1252.h"
#include "ui/forms/control_builders.h"
#include "ui/screens/editors.h"
#include "ui/workflows/open_save_workflow.h"

#ifndef QX_VERSION_TEXT
#define QX_VERSION_TEXT ""
#endif

namespace qx::ui {
namespace {

// The buttons that stay locked until a parameter file has been opened once.
constexpr int kLockedButtons[] = {kIdSaveFile,     kIdDepartments,  kIdProducts,   kIdOperators,
                                  kIdFunctionKeys, kIdHeaderFooter, kIdMiscOptions};

FormTemplate BuildMainWindowTemplate() {
  FormTemplate f;
  f.resource_id = kMainWindowResource;
  f.name = "MainWindow";
  f.title = "QX-4810";
  f.width = 324;
  f.height = 222;
  f.has_minimize = true;
  // The help texts are attached in the order of this list: 1000, 1001, 1002, 1004, 1046,
  // 1006, 1007, 1008.
  f.controls = {
      DefaultPushButton(
          kIdOpenFile, "NOVO\nABRE arquivo",
          " Permite abrir o arquivo que tem a \n programação salva ou criar um arquivo \n"
          " com novos parâmetros.",
          {12, 120, 90, 28}),
      PushButton(
          kIdSaveFile, "SALVAR arquivo",
          " Salva os parâmetros em um arquivo.\n Gera arquivo HTML lido por um editor de "
          "INTERNET,\n contendo toda  a  programação e outro arquivo do \n mesmo tipo com um "
          "resumo dos departamentos,produtos\n e operadores alterados.",
          {12, 156, 90, 20}),
      PushButton(
          kIdDepartments, "DEPARTAMENTOS",
          " Permite programar DEPARTAMENTOS.\n É possivel usar as 16 teclas de departamentos "
          "\n para registrar produto na venda.",
          {120, 12, 90, 24}),
      PushButton(kIdProducts, "PRODUTOS",
                 " Permite programar PRODUTOS.\n Até 500 produtos poderão ser programados com \n "
                 "códigos na faixa de 1 a 500.",
                 {222, 12, 90, 24}),
      PushButton(kIdOperators, "EMPREGADOS",
                 " Permite programar OPERADORES.\nAté 10 operadores poderão ser ativados.",
                 {120, 48, 90, 24}),
      PushButton(kIdFunctionKeys, "TECLAS de FUNÇÃO",
                 " Teclas de função como, por exemplo, desconto [-%] \n acréscimo [+%], meios de "
                 "pagamento, etc podem ser \n configuradas aqui.",
                 {222, 48, 90, 24}),
      PushButton(kIdHeaderFooter, "LOGO", " Programar o cabeçalho e o rodapé do cupom.",
                 {120, 84, 90, 24}),
      PushButton(kIdMiscOptions, "DIVERSOS",
                 " Parâmetros de sistema e de impressão são \nalterados aqui.", {222, 84, 90, 24}),
      PushButton(kIdAbout, "SOBRE", "", {12, 184, 90, 20}),
      DefaultPushButton(kIdOk, "OK", "", {196, 196, 56, 16}),
      PushButton(kIdCancel, "Cancel", "", {256, 196, 56, 16}),
      Logo({12, 12, 90, 96}),
      // A line of its own between the editor buttons and "OK"; long paths wrap.
      MakeControl(ControlKind::kStaticText, kIdFileInUse, "", "", {120, 118, 192, 72}),
  };
  return f;
}

FormTemplate BuildAboutBoxTemplate() {
  FormTemplate f;
  f.resource_id = kAboutBoxResource;
  f.name = "AboutBox";
  f.title = "QX-4810";
  f.width = 186;
  f.height = 183;
  f.font_name = "Arial";
  f.font_points = 14;
  f.controls = {
      Logo({63, 7, 60, 40}),
      // The first static text of the form: the version line.
      CenteredText(kIdAboutVersion, "Versão  1.00  -  01 de Agosto de 2013", {7, 52, 172, 12}),
      CenteredNote("A registradora QX-4810 não possui porta serial. Por isso, toda a "
                   "programação deve ser feita via teclado.  Este aplicativo  recebe a "
                   "programação de acordo com o formato da registradora QX-4810 e salva em um  "
                   "arquivo para impressão.",
                   {7, 68, 172, 64}),
      CenteredNote("O relatório impresso é um roteiro  que auxilia na programação  via "
                   "teclado.",
                   {7, 134, 172, 24}),
      DefaultPushButton(kIdOk, "OK", "", {68, 162, 50, 14}),
  };
  return f;
}

std::unique_ptr<Presenter> MakeEditor(int id, AppState& state, Desktop& desktop) {
  switch (id) {
    case kIdDepartments:
      return MakeDeptGrid(state, desktop);
    case kIdProducts:
      return MakeProductEditor(state, desktop);
    case kIdOperators:
      return MakeOperatorEditor(state, desktop);
    case kIdFunctionKeys:
      return MakeFunctionKeyEditor(state, desktop);
    case kIdHeaderFooter:
      return MakeHeaderFooterEditor(state, desktop);
    case kIdMiscOptions:
      return MakeMiscOptionsEditor(state, desktop);
    default:
      return nullptr;
  }
}

}  // namespace

std::string GetProductVersion() { return QX_VERSION_TEXT; }

std::string DefaultParFile() {
#ifdef _WIN32
  return "c:\\KORVA\\Prog-QX-4810.par";
#else
  const char* home = std::getenv("HOME");
  std::string path = home ? home : "";
  if (!path.empty() && path.back() != '/') path += '/';
  return path + "KORVA/Prog-QX-4810.par";
#endif
}

const FormTemplate& MainWindowTemplate() {
  static const FormTemplate form = BuildMainWindowTemplate();
  return form;
}

const FormTemplate& AboutBoxTemplate() {
  static const FormTemplate form = BuildAboutBoxTemplate();
  return form;
}

// --- MainWindow ---------------------------------------------------------------------------

void MainWindow::OnOpen(FormView& view) {
  // The icon, the help texts, centring and coming to the front come with the template.
  view.SetTitle(Win1252("QX-4810  PROGRAMAÇÃO  Versão: ") + GetProductVersion());
  view.SetEnabled(kIdOpenFile, true);
  view.SetEnabled(kIdAbout, true);
  for (int id : kLockedButtons) view.SetEnabled(id, false);
  view.SetFocus(kIdOpenFile);
  if (initial_file_ && !initial_file_->empty()) {
    OpenChosenFile(state_, desktop_, *initial_file_);
    initial_file_.reset();
    Unlock(view);
    state_.params_modified = false;
    state_.par_file_in_use = state_.current_par_file;
  }
  ShowFileInUse(view);
}

void MainWindow::ShowFileInUse(FormView& view) {
  const std::string& path = state_.par_file_in_use;
  view.SetText(kIdFileInUse, path.empty() ? std::string() : "Arquivo: " + Utf8ToCp1252Lossy(path));
}

void MainWindow::Unlock(FormView& view) {
  // Once a file has been opened the buttons stay usable for the rest of the run.
  for (int id : kLockedButtons) view.SetEnabled(id, true);
}

void MainWindow::OnCommand(FormView& view, int id) {
  switch (id) {
    case kIdOpenFile:
      Open(view);
      break;
    case kIdSaveFile:
      Save();
      break;
    case kIdOk:
      Ok(view);
      break;
    case kIdCancel:
      Cancel(view);
      break;
    case kIdAbout:
      RunAbout(view);
      break;
    default:
      RunEditor(view, id);
      break;
  }
  // An open, a save, or a save from an editor may have changed the file in use.
  ShowFileInUse(view);
}

bool MainWindow::SaveAndCheckWritten() {
  bool written = false;
  if (SaveWorkflow(state_, desktop_, &written) != 1 || !written) return false;
  state_.par_file_in_use = state_.current_par_file;
  return true;
}

// The unsaved-changes flag is cleared only when the edits are safe: a save ran to its end
// and wrote the parameter file, or an open replaced the set with a file's contents.
// A cancelled dialog or a failed write leaves it set, so closing still asks to save.
void MainWindow::Open(FormView& view) {
  bool saved = false;
  if (state_.params_modified) {
    if (Ask(desktop_, "alerta", Win1252("Deseja salvar as alterações ?"), BoxAnswer::kYes) ==
        BoxAnswer::kYes) {
      saved = SaveAndCheckWritten();
      // The save was wanted but did not happen: the edits go only when the user says so.
      if (!saved && !ConfirmDiscardChanges(desktop_)) return;
    }
  }
  const bool opened = OpenWorkflow(state_, desktop_) == 1;
  if (opened) {
    Unlock(view);
    state_.par_file_in_use = state_.current_par_file;
  }
  if (opened || saved) state_.params_modified = false;
}

void MainWindow::Save() {
  if (SaveAndCheckWritten()) state_.params_modified = false;
}

// "OK" ends the program only once the parameters are on disk: after a cancelled dialog or
// a failed write the window stays open with the edits still marked unsaved.
void MainWindow::Ok(FormView& view) {
  if (SaveAndCheckWritten()) {
    state_.params_modified = false;
    view.Close(kIdOk);
  }
}

// "Cancel" (also Esc and the close command) offers the save when something is unsaved and
// then ends the program. When the parameter file was not written (the save dialog was
// cancelled, or the write failed) the program ends only once the user agrees to drop the
// edits.
void MainWindow::Cancel(FormView& view) {
  if (state_.params_modified) {
    if (SaveAndCheckWritten()) {
      state_.params_modified = false;
    } else if (!ConfirmDiscardChanges(desktop_)) {
      return;
    }
  }
  view.Close(0);
}

void MainWindow::RunEditor(FormView& view, int id) {
  std::unique_ptr<Presenter> editor = MakeEditor(id, state_, desktop_);
  if (!editor) return;
  view.Hide();
  desktop_.RunForm(*editor);
  view.Restore();
}

void MainWindow::RunAbout(FormView& view) {
  AboutBox about;
  view.Hide();
  desktop_.RunForm(about);
  view.Restore();
}

// --- AboutBox -----------------------------------------------------------------------------

void AboutBox::OnOpen(FormView& view) {
  view.SetTitle("QX-4810  SOBRE  APLICATIVO");
  view.SetText(kIdAboutVersion,
               Win1252("Versão:   ") + GetProductVersion() + "    a partir de 1 de agosto de 2013");
  view.SetFocus(kIdOk);
}

void AboutBox::OnCommand(FormView& view, int id) {
  if (id == kIdOk) view.Close(1);
  if (id == kIdCancel) view.Close(0);
}

// --- Start-up -----------------------------------------------------------------------------

int RunApplication(AppState& state, Desktop& desktop, std::optional<std::string> initial_file) {
  state.current_par_file = DefaultParFile();
  state.opened_par_file.clear();
  state.par_file_in_use.clear();
  ResetParamSet(state.params);
  MainWindow window(state, desktop, std::move(initial_file));
  desktop.RunForm(window);
  return 0;
}

int RunApplication(Desktop& desktop, std::optional<std::string> initial_file) {
  // The parameter set is large (500 products); it lives for the whole run, not on the stack.
  static AppState state;
  return RunApplication(state, desktop, std::move(initial_file));
}

}  // namespace qx::ui
