#include "ui/workflows.h"

#include <optional>

#include "common/cp1252.h"
#include "common/messages.h"
#include "guide/guide.h"
#include "parfile/par_file.h"

namespace qx::ui {
namespace {

constexpr std::size_t kMaxFileNamePart = 259;

#ifdef _WIN32
constexpr std::string_view kSeparators = "\\/:";
#else
constexpr std::string_view kSeparators = "/";
#endif

// Paths are the platform's own bytes (UTF-8 here); message boxes take Windows-1252.
std::string PathForBox(std::string_view path) { return Utf8ToCp1252Lossy(path); }

BoxAnswer Ask(Desktop& desktop, std::string title, std::string text,
              BoxAnswer default_answer = BoxAnswer::kYes) {
  MessageBox box;
  box.title = std::move(title);
  box.text = std::move(text);
  box.icon = BoxIcon::kQuestion;
  box.buttons = BoxButtons::kYesNo;
  box.default_answer = default_answer;
  return desktop.ShowMessage(box);
}

void Inform(Desktop& desktop, std::string title, std::string text) {
  MessageBox box;
  box.title = std::move(title);
  box.text = std::move(text);
  box.icon = BoxIcon::kInformation;
  box.buttons = BoxButtons::kOk;
  desktop.ShowMessage(box);
}

// Two paths that name the same file as far as their texts tell (Windows ignores case).
bool SamePath(std::string_view a, std::string_view b) {
#ifdef _WIN32
  return SameFileName(a, b);
#else
  return a == b;
#endif
}

const std::string& QuestionTitle() {
  static const std::string title = "Pergunta:";
  return title;
}

// Steps 3 and 4 of the save: the chosen name goes into the current path; a name other than
// the one opened is confirmed first, and on No the save dialog asks again. Nothing when a
// dialog was cancelled.
std::optional<std::string> ChooseSavePath(AppState& state, Desktop& desktop,
                                          std::string choice) {
  for (;;) {
    state.current_par_file = WithParExtension(choice);
    if (SameFileName(FileNamePart(state.opened_par_file), FileNamePart(state.current_par_file)))
      return state.current_par_file;
    const BoxAnswer answer =
        Ask(desktop, QuestionTitle(),
            Win1252("Arquivo de gravação não é igual ao informado na entrada.\nApaga dados do "
                    "arquivo informado e substitui por este ?"),
            BoxAnswer::kNo);
    if (answer == BoxAnswer::kYes) return state.current_par_file;
    FileDialog again;
    again.title = Win1252("SALVA ARQUIVO DE PARÂMETROS - QX-4810");
    again.directory = DirectoryPart(state.current_par_file);
    again.file_name = FileNamePart(choice);
    std::optional<std::string> next = desktop.AskSaveFileName(again);
    if (!next) return std::nullopt;
    choice = std::move(*next);
  }
}

}  // namespace

std::string FileNamePart(std::string_view path) {
  const std::size_t last = path.find_last_of(kSeparators);
  std::string_view name = last == std::string_view::npos ? path : path.substr(last + 1);
  return std::string(name.substr(0, kMaxFileNamePart));
}

std::string DirectoryPart(std::string_view path) {
  const std::size_t last = path.find_last_of(kSeparators);
  if (last == std::string_view::npos) return {};
  return std::string(path.substr(0, last + 1));
}

// Only the file name decides: a folder such as ~/.local or /home/jose.silva must not keep
// "caixa1" from becoming "caixa1.par", which the "*.par" filter would otherwise hide.
std::string WithParExtension(std::string_view path) {
  std::string result(path);
  if (FileNamePart(path).find('.') == std::string::npos) result += ".par";
  return result;
}

bool SameFileName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (std::size_t i = 0; i < a.size(); ++i)
    if (fold(a[i]) != fold(b[i])) return false;
  return true;
}

int OpenWorkflow(AppState& state, Desktop& desktop) {
  FileDialog dialog;
  dialog.title = Win1252("LER ARQUIVO DE PARÂMETROS - QX-4810");
  dialog.directory = DirectoryPart(state.current_par_file);
  // Cancelled: the current path keeps its value (the path to update and the starting path
  // are the same text).
  std::optional<std::string> chosen = desktop.AskOpenFileName(dialog);
  if (!chosen) return 0;
  OpenChosenFile(state, *chosen);
  return 1;
}

void OpenChosenFile(AppState& state, std::string_view chosen) {
  const std::string path = WithParExtension(chosen);
  state.current_par_file = path;
  state.opened_par_file = path;
  // A name that does not exist yet starts a new customer file from the defaults.
  LoadParFile(state.params, path);
  // The electronic journal print and the training message are never carried over from a
  // file: the register is always programmed with both off.
  state.params.print_options.print_ejournal = '0';
  state.params.print_options.print_training_message = '0';
}

int SaveWorkflow(AppState& state, Desktop& desktop, bool* par_file_written) {
  if (par_file_written) *par_file_written = false;

  // Steps 1 and 2: the save dialog, proposing the current name.
  FileDialog dialog;
  dialog.title = Win1252("SALVA ARQUIVO DE PARÂMETROS - QX-4810");
  dialog.directory = DirectoryPart(state.current_par_file);
  dialog.file_name = FileNamePart(state.current_par_file);
  std::optional<std::string> chosen = desktop.AskSaveFileName(dialog);
  if (!chosen) return 0;

  // Steps 3 and 4.
  std::optional<std::string> confirmed = ChooseSavePath(state, desktop, std::move(*chosen));
  if (!confirmed) return 0;
  const std::string path = std::move(*confirmed);

  // Step 5: the parameter file reports its own failure; the guide and the summary are
  // written in any case.
  const bool written = SaveParFile(state.params, path);
  if (par_file_written) *par_file_written = written;

  // Step 6.
  Inform(desktop, "NOTA IMPORTANTE",
         Win1252("O arquivo   \"") + PathForBox(FileNamePart(path)) +
             Win1252("\"   possui a parametrização do Caixa do cliente.\nEle deve ser "
                     "preservado para que alterações futuras ou a reimpressão\ndo roteiro "
                     "possam ser realizadas."));

  // Steps 7 to 9: the guide. A parameter file chosen with the guide's own name (such as
  // "loja1.HTM") would be replaced by the page; that step is refused instead.
  const std::string guide = GuideFileName(path);
  if (SamePath(guide, path))
    ShowError(Win1252("ERRO - O ARQUIVO HTML TERIA O MESMO NOME DO ARQUIVO DE PARÂMETROS"));
  else
    WriteGuide(state.params, guide);
  if (Ask(desktop, QuestionTitle(), "Deseja visualizar o arquivo HTML ?    ") == BoxAnswer::kYes)
    desktop.OpenDocument(guide);
  Inform(desktop, Win1252("LOCALIZAÇÃO DO ARQUIVO HTML    "), PathForBox(guide));

  // Steps 10 to 12: the summary, written on every save; viewing it is offered only when
  // something was altered.
  const std::string summary = SummaryFileName(path, desktop.Now());
  WriteChangeSummary(state.params, summary);
  if (AnyChangeMarker(state.params) &&
      Ask(desktop, QuestionTitle(),
          " Deseja visualizar o arquivo RESUMO HTML\n (Departamentos e Produtos alterados) ?    ") ==
          BoxAnswer::kYes)
    desktop.OpenDocument(summary);
  Inform(desktop, Win1252("LOCALIZAÇÃO DO RESUMO HTML COM DEP/PROD ALTERADOS"),
         PathForBox(summary));
  return 1;
}

}  // namespace qx::ui
