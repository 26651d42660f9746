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
// The import reads workbooks too: all of them first, then each kind.
constexpr std::string_view kSheetsFilterName = "Planilhas";
constexpr std::string_view kSheetsPattern = "*.xlsx;*.ods;*.csv";
constexpr std::string_view kXlsxFilterName = "Pasta de trabalho do Excel";
constexpr std::string_view kXlsxPattern = "*.xlsx";
constexpr std::string_view kOdsFilterName = "Planilha OpenDocument";
constexpr std::string_view kOdsPattern = "*.ods";

const FormTemplate& ImportReportTemplate() {
  static const FormTemplate form = [] {
    FormTemplate f;
    f.resource_id = 140;
    f.name = "ProductImportReport";
    f.title = Win1252("QX-4810  IMPORTAR PRODUTOS DA PLANILHA");
    f.width = 330;
    f.height = 372;
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
    c.push_back(Note("Numerar os produtos 1, 2, 3... na ordem da planilha:", {10, 46, 200, 10}));
    c.push_back(CheckBox(kIdReportAfterHighest, "depois do maior código programado",
                         " Os produtos da planilha recebem os códigos livres depois do maior\n"
                         " código já programado; a coluna de códigos não é lida.",
                         {10, 58, 150, 10}));
    c.push_back(CheckBox(kIdReportFromOne, "a partir de 1 (substitui os produtos)",
                         " Os produtos da planilha substituem os produtos 1, 2, 3...;\n a coluna "
                         "de códigos não é lida.",
                         {170, 58, 150, 10}));
    c.back().notify = true;
    c[c.size() - 2].notify = true;
    c.push_back(Note("Mensagens (linha do arquivo, coluna):", {10, 72, 200, 10}));
    c.push_back(List(kIdReportMessages, {"Tipo", "Mensagem"}, {36, 0}, {10, 84, 310, 100}));
    c.push_back(Note("Produtos (clique duas vezes num nome encurtado para alterá-lo):",
                     {10, 190, 310, 10}));
    c.push_back(List(kIdReportProducts, {"Linha", "Código", "Nome na planilha", "Nome a gravar"},
                     {30, 30, 160, 0}, {10, 202, 310, 110}));
    c.push_back(Note("Nome a gravar:", {10, 320, 56, 10}));
    c.push_back(TextField(kIdReportNewName, " Até 12 caracteres, como no editor de produtos.",
                          {68, 318, 70, 12}, false, static_cast<int>(kRecordNameLen)));
    c.push_back(PushButton(kIdReportRename, "Alterar nome",
                           " Troca o nome proposto do produto marcado.", {142, 317, 60, 14}));
    c.push_back(
        MakeControl(ControlKind::kStaticText, kIdReportNameNote, "", "", {206, 318, 114, 20}));
    c.push_back(DefaultPushButton(kIdOk, "Importar",
                                  " Grava os produtos da planilha.\n Só é possível quando não há "
                                  "erros.",
                                  {180, 348, 65, 16}));
    c.push_back(PushButton(kIdCancel, "Cancelar", " Fecha sem gravar nada.", {255, 348, 65, 16}));
    return f;
  }();
  return form;
}

// The report of an import. With a session, the numbering and the names of the long ones can be
// changed, and the import is prepared again after each change; a fixed import is only shown.
class ImportReport : public Presenter {
 public:
  explicit ImportReport(const exchange::ProductImport& import) : fixed_(&import) {}
  explicit ImportReport(ImportSession& session) : session_(&session) {}

  const FormTemplate& Template() const override { return ImportReportTemplate(); }

  void OnOpen(FormView& view) override {
    view.SetTitle(Template().title);
    for (int id : {kIdReportAfterHighest, kIdReportFromOne, kIdReportNewName, kIdReportRename})
      view.SetEnabled(id, session_ != nullptr);
    Show(view);
    view.SetFocus(Import().errors == 0 ? kIdOk : kIdCancel);
  }

  void OnCommand(FormView& view, int id) override {
    if (id == kIdOk && Import().errors == 0) view.Close(1);
    if (id == kIdCancel) view.Close(0);
    if (session_ == nullptr) return;
    if (id == kIdReportAfterHighest || id == kIdReportFromOne) ChooseNumbering(view, id);
    if (id == kIdReportRename) Rename(view);
  }

  void OnListRowActivated(FormView& view, int id, int row) override {
    if (id != kIdReportProducts || session_ == nullptr) return;
    const std::vector<exchange::ProductImport::Row>& rows = Import().rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) return;
    view.SetText(kIdReportNewName, rows[static_cast<std::size_t>(row)].entry.name);
    view.SetFocus(kIdReportNewName);
  }

 private:
  const exchange::ProductImport& Import() const { return session_ ? session_->import : *fixed_; }

  void Show(FormView& view) {
    const exchange::ProductImport& import = Import();
    view.SetText(kIdReportRead, std::to_string(import.read));
    view.SetText(kIdReportNew, std::to_string(import.added));
    view.SetText(kIdReportChanged, std::to_string(import.changed));
    view.SetText(kIdReportUnchanged, std::to_string(import.unchanged));
    view.SetText(kIdReportErrors, std::to_string(import.errors));
    view.SetText(kIdReportWarnings, std::to_string(import.warnings));
    std::vector<std::vector<std::string>> rows;
    rows.reserve(import.messages.size() + 2);
    if (!import.sheet.empty()) rows.push_back({"", "planilha: " + import.sheet});
    for (const exchange::ImportMessage& m : import.messages)
      rows.push_back({m.error ? "ERRO" : "aviso", m.text});
    if (import.messages_left_off > 0)
      rows.push_back({"", "e mais " + std::to_string(import.messages_left_off) + " mensagens"});
    view.SetListRows(kIdReportMessages, rows);
    std::vector<std::vector<std::string>> products;
    products.reserve(import.rows.size());
    for (const exchange::ProductImport::Row& r : import.rows)
      products.push_back({std::to_string(r.line), std::to_string(r.code),
                          r.long_name.empty() ? r.entry.name : r.long_name, r.entry.name});
    view.SetListRows(kIdReportProducts, products);
    const exchange::Numbering numbering =
        session_ ? session_->options.numbering : exchange::Numbering::kFromList;
    view.SetCheck(kIdReportAfterHighest, numbering == exchange::Numbering::kAfterHighest);
    view.SetCheck(kIdReportFromOne, numbering == exchange::Numbering::kFromOne);
    view.SetEnabled(kIdOk, import.errors == 0);
  }

  // The two boxes work as one choice: ticking one clears the other, clearing both reads the
  // code column again.
  void ChooseNumbering(FormView& view, int id) {
    exchange::Numbering numbering = exchange::Numbering::kFromList;
    if (view.GetCheck(id))
      numbering = id == kIdReportAfterHighest ? exchange::Numbering::kAfterHighest
                                              : exchange::Numbering::kFromOne;
    session_->options.numbering = numbering;
    session_->Prepare();
    view.SetText(kIdReportNameNote, "");
    Show(view);
  }

  // Only a shortened name takes another; a name the import refuses is not kept, and the
  // note says why.
  void Rename(FormView& view) {
    const int row = view.GetListSelection(kIdReportProducts);
    const std::vector<exchange::ProductImport::Row>& rows = Import().rows;
    if (row < 0 || static_cast<std::size_t>(row) >= rows.size()) {
      view.SetText(kIdReportNameNote, Win1252("Marque um produto na lista."));
      return;
    }
    const exchange::ProductImport::Row& chosen = rows[static_cast<std::size_t>(row)];
    if (chosen.long_name.empty()) {
      view.SetText(kIdReportNameNote, Win1252("Só os nomes encurtados são alterados aqui."));
      return;
    }
    const int line = chosen.line;
    const std::optional<std::string> before = Edit(line);
    session_->options.names[line] =
        view.GetText(kIdReportNewName, static_cast<int>(kRecordNameLen));
    session_->Prepare();
    std::string note;
    if (Import().errors > 0) {
      for (const exchange::ImportMessage& m : Import().messages)
        if (m.error && note.empty()) note = m.text;
      if (before) {
        session_->options.names[line] = *before;
      } else {
        session_->options.names.erase(line);
      }
      session_->Prepare();
    }
    view.SetText(kIdReportNameNote, note);
    Show(view);
    view.SetListSelection(kIdReportProducts, row);
  }

  std::optional<std::string> Edit(int line) const {
    const auto it = session_->options.names.find(line);
    if (it == session_->options.names.end()) return std::nullopt;
    return it->second;
  }

  const exchange::ProductImport* fixed_ = nullptr;
  ImportSession* session_ = nullptr;
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

std::unique_ptr<Presenter> MakeImportReport(ImportSession& session) {
  return std::make_unique<ImportReport>(session);
}

bool ImportProductListWorkflow(AppState& state, Desktop& desktop) {
  FileDialog dialog = CsvDialog(state, "IMPORTAR PRODUTOS DE PLANILHA - QX-4810");
  dialog.filter_name = std::string(kSheetsFilterName);
  dialog.filter_pattern = std::string(kSheetsPattern);
  dialog.more_filters = {{std::string(kXlsxFilterName), std::string(kXlsxPattern)},
                         {std::string(kOdsFilterName), std::string(kOdsPattern)},
                         {Win1252(kCsvFilterName), std::string(kCsvPattern)}};
  const std::optional<std::string> path = desktop.AskOpenFileName(dialog);
  if (!path) return false;
  std::string bytes;
  const FileStatus read = exchange::ReadProductListFile(*path, bytes);
  if (!read) {
    const bool too_large = read.result == FileResult::kTooLarge;
    ShowBox(desktop, "ERRO",
            Win1252(too_large ? "PLANILHA GRANDE DEMAIS (MAIS DE 8 MB)\n"
                              : "ERRO NA LEITURA DO ARQUIVO\n") +
                ForBox(*path),
            BoxIcon::kError);
    return false;
  }
  ImportSession session(state.params, std::move(bytes));
  session.Prepare();
  // A workbook that cannot be read at all has nothing to report but why.
  if (session.import.unreadable) {
    ShowBox(desktop, "ERRO",
            Win1252("PLANILHA ILEGÍVEL\n") + ForBox(*path) + "\n" +
                session.import.messages.front().text,
            BoxIcon::kError);
    return false;
  }
  // A field without a column, or claimed by two: the technician chooses before the report.
  if (session.import.needs_column_choice) {
    std::unique_ptr<Presenter> choice = MakeColumnChoice(session);
    if (desktop.RunForm(*choice) != 1) return false;
    session.Prepare();
  }
  std::unique_ptr<Presenter> report = MakeImportReport(session);
  if (desktop.RunForm(*report) != 1) return false;
  if (!exchange::ApplyProductImport(state.params, session.import)) return false;
  state.params_modified = true;
  ShowBox(desktop, "PRODUTOS IMPORTADOS", exchange::ImportSummary(session.import),
          BoxIcon::kInformation);
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
