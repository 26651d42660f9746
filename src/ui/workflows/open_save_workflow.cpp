#include "ui/workflows/open_save_workflow.h"

#include <cstdint>
#include <optional>

#include "common/cp1252.h"
#include "common/file_layer.h"
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

// A page that no program would show is named, so that it can be opened by hand.
void ViewDocument(Desktop& desktop, const std::string& path) {
  if (!desktop.OpenDocument(path))
    ShowError(desktop, Win1252("NÃO FOI POSSÍVEL ABRIR O ARQUIVO\n") + PathForBox(path) +
                           Win1252("\nAbra-o em um navegador de INTERNET."));
}

const std::string& QuestionTitle() {
  static const std::string title = "Pergunta:";
  return title;
}

std::optional<std::string> AskSaveFileAgain(Desktop& desktop, const std::string& current,
                                            const std::string& choice) {
  FileDialog again;
  again.title = Win1252("SALVA ARQUIVO DE PARÂMETROS - QX-4810");
  again.directory = DirectoryPart(current);
  again.file_name = FileNamePart(choice);
  return desktop.AskSaveFileName(again);
}

// Why a chosen name is not taken as it stands; nothing when it may be written.
enum class Objection { kNone, kAskAgain };

// A file that exists but could not be read when it was opened still holds the customer's
// data, which the set in memory (the defaults) would replace: it is never saved over.
Objection RefuseUnreadFile(const AppState& state, Desktop& desktop, const std::string& path) {
  if (state.unread_par_file.empty() || !SameFile(path, state.unread_par_file))
    return Objection::kNone;
  ShowError(desktop, Win1252("ERRO NA LEITURA DO ARQUIVO\n") + PathForBox(path) +
                         Win1252("\nEste arquivo não foi lido e não será substituído.\n"
                                 "Escolha outro nome."));
  return Objection::kAskAgain;
}

// What a damaged file's messages say: the file and the backup that holds its last good
// content.
std::string DamageText(const std::string& path) {
  return Win1252(kDamagedText) + "\n" + PathForBox(path) + Win1252("\nCópia de segurança:\n") +
         PathForBox(BackupFileName(path));
}

// A file error: its fixed first line, then the file's path.
void ShowFileError(Desktop& desktop, const FileStatus& status) {
  if (status.result == FileResult::kDamaged) {
    ShowError(desktop, DamageText(status.path));
    return;
  }
  ShowError(desktop, Win1252(status.text) + "\n" + PathForBox(status.path));
}

// A file that an interrupted save left damaged (perhaps by another program, after it was
// opened here) is not saved over: its backup must be put back first, from the open.
Objection RefuseDamagedFile(Desktop& desktop, const std::string& path) {
  if (!SaveWasInterrupted(path)) return Objection::kNone;
  ShowError(desktop, DamageText(path) + Win1252("\nAbra o arquivo para restaurá-lo.\n"
                                                "Escolha outro nome."));
  return Objection::kAskAgain;
}

// Opening a damaged file offers to put its backup back (default: leave it). The status of the
// load that follows a restore, or nothing when the file stays as it is (it is then never saved
// over, as a file that could not be read).
std::optional<FileStatus> OfferRestoreFromBackup(AppState& state, Desktop& desktop,
                                                 const std::string& path) {
  if (Ask(desktop, Win1252("ATENÇÃO"),
          DamageText(path) + Win1252("\nRestaurar o arquivo a partir da cópia de segurança?"),
          BoxAnswer::kNo, BoxIcon::kWarning) == BoxAnswer::kYes) {
    const FileStatus restored = RestoreParFile(path);
    if (restored) return LoadParFile(state.params, path);
    ShowFileError(desktop, restored);
  }
  state.unread_par_file = path;
  return std::nullopt;
}

// Another customer's file may have the same name in another folder: replacing an existing
// file that is not the one opened is confirmed first (default: keep it).
Objection ConfirmReplacingAnotherFile(const AppState& state, Desktop& desktop,
                                      const std::string& path) {
  if (GetPathKind(path) != PathKind::kFile) return Objection::kNone;
  if (!state.opened_par_file.empty() && SameFile(path, state.opened_par_file))
    return Objection::kNone;
  const BoxAnswer answer = Ask(desktop, Win1252("ATENÇÃO"),
                               "O arquivo\n" + PathForBox(path) +
                                   Win1252("\njá existe e não é o arquivo aberto.\nSubstituir?"),
                               BoxAnswer::kNo);
  return answer == BoxAnswer::kYes ? Objection::kNone : Objection::kAskAgain;
}

// Steps 3 and 4 of the save: the chosen name goes into the current path; a name other than
// the one opened is confirmed first, and on No the save dialog asks again. The same happens
// for a file that could not be read and for another existing file. Nothing when a dialog was
// cancelled.
std::optional<std::string> ChooseSavePath(AppState& state, Desktop& desktop, std::string choice) {
  for (;;) {
    state.current_par_file = WithParExtension(choice);
    const std::string& path = state.current_par_file;
    bool take = SameFileName(FileNamePart(state.opened_par_file), FileNamePart(path)) ||
                Ask(desktop, QuestionTitle(),
                    Win1252("Arquivo de gravação não é igual ao informado na entrada.\nApaga "
                            "dados do arquivo informado e substitui por este ?"),
                    BoxAnswer::kNo) == BoxAnswer::kYes;
    take = take && RefuseUnreadFile(state, desktop, path) == Objection::kNone &&
           RefuseDamagedFile(desktop, path) == Objection::kNone &&
           ConfirmReplacingAnotherFile(state, desktop, path) == Objection::kNone;
    if (take) return path;
    std::optional<std::string> next = AskSaveFileAgain(desktop, path, choice);
    if (!next) return std::nullopt;
    choice = std::move(*next);
  }
}

// Far beyond any parameter file; a longer file is compared on its first bytes.
constexpr std::size_t kContentMarkLimit = 16u << 20;

std::uint64_t ContentHash(std::string_view bytes) {
  std::uint64_t hash = 14695981039346656037u;  // FNV-1a
  for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211u;
  return hash;
}

FileContentMark ReadContentMark(const std::string& path) {
  FileContentMark mark;
  if (GetPathKind(path) == PathKind::kMissing) return mark;
  mark.present = true;
  // A longer file is marked by its first bytes.
  std::string bytes;
  const FileResult read = ReadWholeFile(path, kContentMarkLimit, bytes).result;
  if (read != FileResult::kDone && read != FileResult::kTooLarge) return mark;
  mark.readable = true;
  mark.size = bytes.size();
  mark.hash = ContentHash(bytes);
  return mark;
}

// Two programs on one customer file: what the other one saved after this one opened the file
// would be undone without a word. A file that is gone since holds nothing to lose, and what
// is no file (a folder in its place) the save refuses by itself.
bool ConfirmReplacingChangedFile(const AppState& state, Desktop& desktop, const std::string& path) {
  if (GetPathKind(path) != PathKind::kFile) return true;
  if (ReadContentMark(path) == state.opened_content) return true;
  return Ask(desktop, Win1252("ATENÇÃO"),
             "O arquivo\n" + PathForBox(path) +
                 "\nfoi alterado por outro programa depois de aberto.\nSubstituir assim mesmo?",
             BoxAnswer::kNo) == BoxAnswer::kYes;
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

bool ConfirmDiscardChanges(Desktop& desktop) {
  return Ask(desktop, Win1252("ATENÇÃO"),
             Win1252("As alterações não foram salvas.\nDescartar as alterações?"),
             BoxAnswer::kNo) == BoxAnswer::kYes;
}

int OpenWorkflow(AppState& state, Desktop& desktop) {
  FileDialog dialog;
  dialog.title = Win1252("LER ARQUIVO DE PARÂMETROS - QX-4810");
  dialog.directory = DirectoryPart(state.current_par_file);
  // Cancelled: the current path keeps its value (the path to update and the starting path
  // are the same text).
  std::optional<std::string> chosen = desktop.AskOpenFileName(dialog);
  if (!chosen) return 0;
  OpenChosenFile(state, desktop, *chosen);
  return 1;
}

void OpenChosenFile(AppState& state, Desktop& desktop, std::string_view chosen) {
  const std::string path = WithParExtension(chosen);
  state.current_par_file = path;
  state.opened_par_file = path;
  // A name that does not exist yet starts a new customer file from the defaults.
  std::optional<FileStatus> loaded = LoadParFile(state.params, path);
  state.unread_par_file.clear();
  if (loaded->result == FileResult::kDamaged) loaded = OfferRestoreFromBackup(state, desktop, path);
  state.opened_content = ReadContentMark(path);
  switch (loaded ? loaded->result : FileResult::kDone) {
    case FileResult::kDone:
      break;
    case FileResult::kMissing:
      ShowBox(desktop, "alerta", Win1252(loaded->text), BoxIcon::kNone);
      break;
    case FileResult::kUnreadable:
    case FileResult::kNoMemory:
    case FileResult::kDamaged:
      state.unread_par_file = path;
      ShowFileError(desktop, *loaded);
      break;
    default:
      ShowFileError(desktop, *loaded);
      break;
  }
  TurnOffUncarriedPrintOptions(state.params);
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
  // Não keeps both the file and the edits: nothing is written, as after a cancelled dialog.
  const bool opened_file = !state.opened_par_file.empty() && SameFile(path, state.opened_par_file);
  if (opened_file && !ConfirmReplacingChangedFile(state, desktop, path)) return 0;

  // Step 5. A failure is told, and the guide and the summary are written all the same.
  const FileStatus saved = SaveParFile(state.params, path);
  if (par_file_written) *par_file_written = saved.ok();
  // What this program wrote is no change of another one.
  if (saved && opened_file) state.opened_content = ReadContentMark(path);
  if (!saved) ShowFileError(desktop, saved);

  // Step 6: the note about keeping the file, only when there is a file to keep.
  if (saved) {
    ShowBox(desktop, "NOTA IMPORTANTE",
            Win1252("O arquivo   \"") + PathForBox(FileNamePart(path)) +
                Win1252("\"   possui a parametrização do Caixa do cliente.\nEle deve ser "
                        "preservado para que alterações futuras ou a reimpressão\ndo roteiro "
                        "possam ser realizadas."),
            BoxIcon::kInformation);
  }

  // Steps 7 to 9: the guide. A parameter file chosen with the guide's own name (such as
  // "loja1.HTM") would be replaced by the page; that step is refused instead. A page that
  // was not written is neither offered nor located.
  const std::string guide = GuideFileName(path);
  bool guide_written = false;
  if (SameFile(guide, path)) {
    ShowError(desktop,
              Win1252("ERRO - O ARQUIVO HTML TERIA O MESMO NOME DO ARQUIVO DE PARÂMETROS"));
  } else {
    const FileStatus status = WriteGuide(state.params, guide);
    if (!status) ShowFileError(desktop, status);
    guide_written = status.ok();
  }
  if (guide_written) {
    if (Ask(desktop, QuestionTitle(), "Deseja visualizar o arquivo HTML ?    ", BoxAnswer::kYes) ==
        BoxAnswer::kYes)
      ViewDocument(desktop, guide);
    ShowBox(desktop, Win1252("LOCALIZAÇÃO DO ARQUIVO HTML    "), PathForBox(guide),
            BoxIcon::kInformation);
  }

  // Steps 10 to 12: the summary, written on every save; viewing it is offered only when
  // something was altered.
  const std::string summary = SummaryFileName(path, desktop.Now());
  const FileStatus summary_status = WriteChangeSummary(state.params, summary);
  if (!summary_status) {
    ShowFileError(desktop, summary_status);
  } else {
    if (AnyChangeMarker(state.params) &&
        Ask(desktop, QuestionTitle(),
            " Deseja visualizar o arquivo RESUMO HTML\n (Departamentos e Produtos alterados) ?    ",
            BoxAnswer::kYes) == BoxAnswer::kYes)
      ViewDocument(desktop, summary);
    ShowBox(desktop, Win1252("LOCALIZAÇÃO DO RESUMO HTML COM DEP/PROD ALTERADOS"),
            PathForBox(summary), BoxIcon::kInformation);
  }
  return 1;
}

}  // namespace qx::ui
