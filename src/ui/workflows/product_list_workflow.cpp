#include "ui/workflows/product_list_workflow.h"

#include <string>
#include <vector>

#include "common/cp1252.h"
#include "common/file_layer.h"
#include "parfile/par_file.h"
#include "ui/forms/control_builders.h"
#include "ui/workflows/open_save_workflow.h"

namespace qx::ui {
namespace {

constexpr std::string_view kCsvFilterName = "Planilha CSV";
constexpr std::string_view kCsvPattern = "*.csv";

const FormTemplate& ImportReportTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 140;
    f.name = "ProductImportReport";
    f.title = Win1252("QX-4810  IMPORTAR PRODUTOS DA PLANILHA");
    f.width = 330;
    f.height = 236;
    std::vector<ControlTemplate>& c = f.controls;
    struct Count {
      int id;
      const char* label;
      int column, row;
    };
    for (const Count& n :
         {Count{kIdReportRead, "Produtos lidos:", 0, 0}, Count{kIdReportNew, "Novos:", 0, 1},
          Count{kIdReportChanged, "Alterados:", 0, 2},
          Count{kIdReportUnchanged, "Sem alteração:", 1, 0}, Count{kIdReportErrors, "Erros:", 1, 1},
          Count{kIdReportWarnings, "Avisos:", 1, 2}}) {
      const int x = 10 + n.column * 160;
      const int y = 8 + n.row * 12;
      c.push_back(Note(n.label, {x, y, 70, 10}));
      c.push_back(MakeControl(ControlKind::kStaticText, n.id, "", "", {x + 72, y, 60, 10}));
    }
    c.push_back(Note("Mensagens (linha do arquivo, coluna):", {10, 46, 200, 10}));
    c.push_back(List(kIdReportMessages, {"Tipo", "Mensagem"}, {36, 0}, {10, 58, 310, 148}));
    c.push_back(DefaultPushButton(kIdOk, "Importar",
                                  " Grava os produtos da planilha.\n Só é possível quando não há "
                                  "erros.",
                                  {180, 214, 65, 16}));
    c.push_back(PushButton(kIdCancel, "Cancelar", " Fecha sem gravar nada.", {255, 214, 65, 16}));
    return f;
  }();
  return form;
}

class ImportReport : public Presenter {
 public:
  explicit ImportReport(const exchange::ProductImport& import) : import_(import) {}

  const FormTemplate& Template() const override { return ImportReportTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(Template().title);
    view.SetText(kIdReportRead, std::to_string(import_.read));
    view.SetText(kIdReportNew, std::to_string(import_.added));
    view.SetText(kIdReportChanged, std::to_string(import_.changed));
    view.SetText(kIdReportUnchanged, std::to_string(import_.unchanged));
    view.SetText(kIdReportErrors, std::to_string(import_.errors));
    view.SetText(kIdReportWarnings, std::to_string(import_.warnings));
    std::vector<std::vector<std::string>> rows;
    rows.reserve(import_.messages.size());
    for (const exchange::ImportMessage& m : import_.messages)
      rows.push_back({m.error ? "ERRO" : "aviso", m.text});
    if (import_.messages_left_off > 0)
      rows.push_back({"", "e mais " + std::to_string(import_.messages_left_off) + " mensagens"});
    view.SetListRows(kIdReportMessages, rows);
    const bool can_import = import_.errors == 0;
    view.SetEnabled(kIdOk, can_import);
    view.SetFocus(can_import ? kIdOk : kIdCancel);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk && import_.errors == 0) view.Close(1);
    if (id == kIdCancel) view.Close(0);
  }

 private:
  const exchange::ProductImport& import_;
};

std::string ForBox(std::string_view path) { return Utf8ToCp1252Lossy(path); }

// The list must never replace the customer's parameter file nor its backup, however the
// path was typed (another letter case, "sub/../loja1.par", a link).
bool IsParameterFileOrBackup(const AppState& state, const std::string& path) {
  for (const std::string* par : {&state.current_par_file, &state.opened_par_file}) {
    if (par->empty()) continue;
    if (SameFile(path, *par) || SameFile(path, BackupFileName(*par))) return true;
  }
  return false;
}

bool ReplaceExisting(Desktop& desktop, const std::string& path) {
  return Ask(desktop, Win1252("ATENÇÃO"),
             "O arquivo\n" + ForBox(path) + Win1252("\njá existe.\nSubstituir?"),
             BoxAnswer::kNo) == BoxAnswer::kYes;
}

// How many problems the export's box names before it only counts the rest.
constexpr std::size_t kProblemsInBox = 10;

FileDialog CsvDialog(const AppState& state, std::string_view title_utf8) {
  FileDialog dialog;
  dialog.title = Win1252(title_utf8);
  dialog.directory = DirectoryPart(state.current_par_file);
  dialog.filter_name = Win1252(kCsvFilterName);
  dialog.filter_pattern = std::string(kCsvPattern);
  return dialog;
}

}  // namespace

std::unique_ptr<Presenter> MakeImportReport(const exchange::ProductImport& import) {
  return std::make_unique<ImportReport>(import);
}

bool ImportProductListWorkflow(AppState& state, Desktop& desktop) {
  const std::optional<std::string> path =
      desktop.AskOpenFileName(CsvDialog(state, "IMPORTAR PRODUTOS DE PLANILHA - QX-4810"));
  if (!path) return false;
  bool too_large = false;
  const std::optional<std::string> bytes = exchange::ReadProductListFile(*path, &too_large);
  if (!bytes) {
    ShowBox(desktop, "ERRO",
            Win1252(too_large ? "PLANILHA GRANDE DEMAIS (MAIS DE 8 MB)\n"
                              : "ERRO NA LEITURA DO ARQUIVO\n") +
                ForBox(*path),
            BoxIcon::kError);
    return false;
  }
  const exchange::ProductImport import = exchange::PrepareProductImport(state.params, *bytes);
  std::unique_ptr<Presenter> report = MakeImportReport(import);
  if (desktop.RunForm(*report) != 1) return false;
  if (!exchange::ApplyProductImport(state.params, import)) return false;
  state.params_modified = true;
  return true;
}

bool ExportProductListWorkflow(const AppState& state, Desktop& desktop) {
  FileDialog dialog = CsvDialog(state, "EXPORTAR PRODUTOS PARA PLANILHA - QX-4810");
  dialog.file_name = "produtos.csv";
  std::optional<std::string> path;
  while (true) {
    path = desktop.AskSaveFileName(dialog);
    if (!path) return false;
    // The list is no parameter file: a slip in the dialog must not replace the customer's.
    if (IsParameterFileOrBackup(state, *path)) {
      ShowBox(desktop, "ERRO",
              Win1252("ERRO - A PLANILHA TERIA O MESMO NOME DO ARQUIVO DE PARÂMETROS"),
              BoxIcon::kError);
      return false;
    }
    if (GetPathKind(*path) != PathKind::kFile || ReplaceExisting(desktop, *path)) break;
    dialog.file_name = *path;  // No: the dialog asks again
  }
  if (!exchange::WriteProductList(state.params, *path)) {
    ShowBox(desktop, "ERRO", Win1252("ERRO NA GRAVAÇÃO DO ARQUIVO\n") + ForBox(*path),
            BoxIcon::kError);
    return false;
  }
  int count = 0;
  for (const PluRecord& p : state.params.products)
    if (!p.name.empty()) ++count;
  std::string text = std::to_string(count) + Win1252(" produtos gravados em:\n") + ForBox(*path);
  // A stored value the import would refuse (read from an old file, say) is named, so that the
  // user corrects it before editing the list.
  const std::vector<std::string> problems =
      exchange::ProductListProblems(state.params, exchange::FormatProductList(state.params));
  if (!problems.empty()) {
    text += Win1252("\n\nAo importar esta planilha de volta, o programa recusaria:");
    for (std::size_t i = 0; i < problems.size() && i < kProblemsInBox; ++i)
      text += "\n" + problems[i];
    if (problems.size() > kProblemsInBox)
      text += "\ne mais " + std::to_string(problems.size() - kProblemsInBox);
  }
  ShowBox(desktop, Win1252("PLANILHA DE PRODUTOS GRAVADA"), std::move(text),
          problems.empty() ? BoxIcon::kInformation : BoxIcon::kWarning);
  return true;
}

}  // namespace qx::ui
