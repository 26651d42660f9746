// The product editor's spreadsheet buttons with the scripted desktop: the import report, what
// storing an import does to the set, and the export.
#include "ui/workflows/product_list_workflow.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "../record_editor_harness.h"
#include "../ui_test_support.h"
#include "exchange/workbook_reader.h"
#include "ui/workflows/import_choices.h"

namespace qx::ui::testing {
namespace {

constexpr int kImport = 1090;
constexpr int kExport = 1091;

struct ListHarness : EditorHarness {
  ListHarness() {
    Open(MakeProductEditor);
    state.current_par_file = dir / "loja1.par";
    state.params.Product(5).name = "CAFE";
    state.params.Product(5).dept_code = "2";
    for (int d = 1; d <= 3; ++d) state.params.Department(d).name = "D" + std::to_string(d);
  }
  // Imports the file, letting the report form do what `answer` does.
  void Import(const std::string& bytes, std::function<void(Presenter&, FakeFormView&)> answer) {
    WriteFile(dir / "lista.csv", bytes);
    desktop.open_names.push_back(dir / "lista.csv");
    desktop.form_scripts["ProductImportReport"] = [&, answer](Presenter& p, FakeFormView& v) {
      report.emplace(v);
      answer(p, v);
      report_closed = v.closed;
    };
    Click(kImport);
  }
  ScratchDir dir;
  std::optional<FakeFormView> report;
  std::optional<int> report_closed;
};

void PressImport(Presenter& p, FakeFormView& v) { v.Click(p, kIdOk); }
void PressCancel(Presenter& p, FakeFormView& v) { v.Click(p, kIdCancel); }

std::string WorkbookBytes(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(
      exchange::ReadProductListFile(std::string(QX_TEST_DATA_DIR) + "/workbooks/" + name, bytes));
  return bytes;
}

TEST(ProductListImport, TheReportShowsCountsAndMessagesAndImportarStores) {
  ListHarness h;
  h.Import("codigo;nome;preco;departamento\r\n5;CAFE;2,50;2\r\n6;CAF\xC2;1;3\r\n7;PAO;;1\r\n",
           PressImport);
  ASSERT_TRUE(h.report);
  std::vector<std::string> counts;  // read, new, changed, unchanged, errors, warnings
  for (int id : {kIdReportRead, kIdReportNew, kIdReportChanged, kIdReportUnchanged, kIdReportErrors,
                 kIdReportWarnings})
    counts.push_back(h.report->GetText(id, 9));
  EXPECT_EQ(counts, (std::vector<std::string>{"3", "2", "1", "0", "0", "1"}));
  EXPECT_EQ(h.report->list_rows.at(kIdReportMessages),
            (std::vector<std::vector<std::string>>{
                {"aviso", Win1252("linha 3, nome: a registradora não recebe: Â")}}));
  EXPECT_EQ(h.report_closed, 1);
  EXPECT_TRUE(h.state.params_modified);
  EXPECT_EQ(h.state.params.Product(5).price, "250");
  EXPECT_EQ(h.state.params.Product(5).changed_price, 1);
  EXPECT_EQ(h.state.params.Product(5).changed_name, 0);
  EXPECT_EQ(h.state.params.Product(7).changed_name, 1);

  // A workbook's report names the sheet read.
  ListHarness book;
  book.Import(WorkbookBytes("lista.xlsx"), PressImport);
  ASSERT_TRUE(book.report);
  EXPECT_EQ(book.report->list_rows.at(kIdReportMessages).at(0).at(1), "planilha: Produtos");

  // A long report is cut, saying how many messages were left off.
  ListHarness many;
  std::string rows = "codigo\n";
  for (std::size_t i = 0; i < exchange::kMostImportMessages + 7; ++i) rows += "x\n";
  many.Import(rows, PressImport);
  ASSERT_TRUE(many.report);
  const auto& shown = many.report->list_rows.at(kIdReportMessages);
  ASSERT_EQ(shown.size(), exchange::kMostImportMessages + 1);
  EXPECT_EQ(shown.back().at(1), "e mais 7 mensagens");
}

// Nothing is stored when the dialog or the report is cancelled, when the list has an error
// ("Importar" is disabled then), or when the file cannot be read (a box names the file and why).
TEST(ProductListImport, NothingIsStoredWithoutAReadableListAndImportar) {
  const std::string kError = "codigo;nome;preco;departamento\n5;CAFE;12,5,0;2\n6;PAO;1;2\n";
  struct Case {
    const char* what;
    std::optional<std::string> bytes;  // nothing: the dialog is cancelled
    void (*answer)(Presenter&, FakeFormView&);
    std::optional<int> closed;  // the report's; nothing: no report
    std::string box;            // in the one box shown; empty: none
  };
  const std::string old = exchange::WorkbookStatusText(exchange::WorkbookStatus::kOldExcel);
  const std::vector<Case> cases = {
      {"the dialog cancelled", {}, PressImport, {}, ""},
      {"the report cancelled", "codigo;nome;departamento\n9;SUCO;1\n", PressCancel, 0, ""},
      {"an error, Importar pressed", kError, PressImport, {}, ""},
      {"an old workbook", WorkbookBytes("lista.xls"), PressImport, {}, old},
      {"too large", std::string(8 * 1024 * 1024 + 1, ';'), PressImport, {}, "GRANDE DEMAIS"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListHarness h;
    const ParamSet before = h.state.params;
    if (c.bytes) {
      h.Import(*c.bytes, c.answer);
    } else {
      h.desktop.open_names.push_back(std::nullopt);
      h.Click(kImport);
    }
    const bool has_report = c.bytes && c.box.empty();
    ASSERT_EQ(h.report.has_value(), has_report);
    if (has_report && *c.bytes == kError) {
      EXPECT_FALSE(h.report->IsEnabled(kIdOk));
      EXPECT_EQ(h.report->GetText(kIdReportErrors, 9), "1");
    }
    EXPECT_EQ(h.report_closed, c.closed);
    ASSERT_EQ(h.desktop.messages.size(), c.box.empty() ? 0u : 1u);
    if (!c.box.empty()) {
      EXPECT_NE(h.desktop.messages[0].text.find(h.dir / "lista.csv"), std::string::npos);
      EXPECT_NE(h.desktop.messages[0].text.find(c.box), std::string::npos);
    }
    EXPECT_EQ(h.state.params, before);
    EXPECT_FALSE(h.state.params_modified);
  }
}

TEST(ProductListImport, AProductShownBeforeAStoredImportIsNotSavedBackOverIt) {
  ListHarness h;
  h.TypeAndLeave(1005, "5");
  ASSERT_EQ(h.Text(1057), "CAFE");
  h.Import("codigo;preco\n5;3\n", PressImport);
  EXPECT_TRUE(h.Text(1005).empty());
  h.Click(kIdOk);  // an empty form is refused and the import stays
  EXPECT_EQ(h.state.params.Product(5).price, "300");
}

// The export asks before replacing a file; Não goes back to the dialog. The parameter file, the
// file opened and the backup are refused however their path is typed, and nothing is asked or
// written then. A stored value the import would refuse is named in a warning.
TEST(ProductListExport, AsksBeforeReplacingAndRefusesTheParameterFileByIdentity) {
  struct Case {
    const char* what;
    std::vector<std::string> names;   // in the scratch folder, in the order typed
    std::optional<BoxAnswer> answer;  // to the question; nothing: none asked
    std::string written;              // the name that gets the list; empty: none
    BoxIcon last;
  };
  using enum BoxIcon;
  using enum BoxAnswer;
  std::vector<Case> cases = {
      {"a new file", {"nova.csv"}, {}, "nova.csv", kInformation},
      {"an existing file, Sim", {"velha.csv"}, kYes, "velha.csv", kInformation},
      {"existing, Não, then a new one", {"velha.csv", "nova.csv"}, kNo, "nova.csv", kInformation},
      {"the parameter file by another path", {"sub/../loja1.par"}, {}, "", kError},
      {"the parameter file through a link", {"link.par"}, {}, "", kError},
      {"the backup of the parameter file", {"loja1.par.bak"}, {}, "", kError},
      {"the file opened before a save as", {"aberto.par"}, {}, "", kError},
      {"a department the import refuses", {"nova.csv"}, {}, "nova.csv", kWarning},
  };
#ifdef _WIN32
  cases.push_back({"the parameter file in capitals", {"LOJA1.PAR"}, {}, "", kError});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListHarness h;
    h.state.opened_par_file = h.dir / "aberto.par";
    if (c.last == kWarning) h.state.params.Product(5).dept_code = "17";
    const std::vector<std::string> kept = {"velha.csv", "loja1.par", "loja1.par.bak", "aberto.par"};
    for (const std::string& name : kept) WriteFile(h.dir / name, "P0030|keep");
    std::filesystem::create_directories(h.dir / "sub");
    std::error_code no_links;  // a Windows user may not be allowed to make links
    std::filesystem::create_symlink(h.dir / "loja1.par", h.dir / "link.par", no_links);
    if (no_links && c.names.front() == "link.par") continue;
    for (const std::string& name : c.names) h.desktop.save_names.push_back(h.dir / name);
    if (c.answer) h.desktop.answers.push_back(*c.answer);
    h.Click(kExport);

    const std::vector<MessageBox>& boxes = h.desktop.messages;
    EXPECT_EQ(std::count_if(boxes.begin(), boxes.end(),
                            [](const MessageBox& b) { return b.buttons == BoxButtons::kYesNo; }),
              c.answer ? 1 : 0);
    if (c.answer) {  // the question names the file and defaults to Não
      EXPECT_EQ(boxes[0].text, Win1252("O arquivo\n") + h.dir / "velha.csv" +
                                   Win1252("\njá existe.\nSubstituir?"));
      EXPECT_EQ(boxes[0].default_answer, kNo);
    }
    EXPECT_EQ(h.desktop.save_dialogs.size(), c.names.size());
    const std::string list = exchange::FormatProductList(h.state.params);
    for (const std::string& name : kept)
      EXPECT_EQ(ReadFile(h.dir / name), name == c.written ? list : "P0030|keep") << name;
    EXPECT_TRUE(c.written.empty() || ReadFile(h.dir / c.written) == list);
    EXPECT_EQ(boxes.back().icon, c.last);
    EXPECT_FALSE(h.state.params_modified);
  }
}

// A customer's list: two name columns, bar codes, long names and a department by name. The
// technician picks the name column, numbers the products after the highest code, renames
// proposals and imports; nothing is stored before "Importar", and a name is changed only for a
// shortened product and only to a name the import takes.
const std::string kCustomerList =
    "EAN;Produto;Mercadoria;Valor;Grupo\n"
    "789001;X;REFRIGERANTE COLA 2 L;5,00;BEBIDAS\n"
    "789002;Y;BISCOITO RECHEADO DE MORANGO 140G;2,50;D1\n"
    "789003;Z;LEITE;3;D1\n";

TEST(ProductListImport, ACustomersListImportsInOnePassWithTheTechniciansChoices) {
  ListHarness h;
  // "Mercadoria" for the name and no column for the code, then "Continuar".
  h.desktop.form_scripts["ProductListColumns"] = [](Presenter& p, FakeFormView& v) {
    EXPECT_EQ(v.list_rows.at(kIdColumnFile).at(3),
              (std::vector<std::string>{"3", "Mercadoria",
                                        "REFRIGERANTE COLA 2 L; BISCOITO RECHEADO DE MORANGO "
                                        "140G; LEITE"}));
    v.SetListSelection(kIdColumnFields, 1);
    v.ActivateRow(p, kIdColumnFile, 3);
    v.SetListSelection(kIdColumnFields, 0);
    v.SetListSelection(kIdColumnFile, 0);
    v.Click(p, kIdColumnAssign);
    v.Click(p, kIdOk);
  };
  h.Import(kCustomerList, [&h](Presenter& p, FakeFormView& v) {
    EXPECT_FALSE(v.IsEnabled(kIdOk)) << "no code column yet";
    v.SetCheck(kIdReportAfterHighest, true);
    v.Click(p, kIdReportAfterHighest);
    EXPECT_EQ(v.list_rows.at(kIdReportProducts).at(0),
              (std::vector<std::string>{"2", "6", "REFRIGERANTE COLA 2 L", "REFR COLA 2L"}));
    v.ActivateRow(p, kIdReportProducts, 1);
    EXPECT_EQ(v.GetText(kIdReportNewName, 12), "BIS REC 140G");
    struct Rename {
      int row;  // -1: none chosen
      std::string typed;
      std::string note;  // UTF-8
    };
    const Rename renames[] = {
        {1, "cafe", "linha 3, nome: \"cafe\" já é o nome de outro produto"},
        {2, "LEITINHO", "Só os nomes encurtados são alterados aqui."},
        {-1, "X", "Marque um produto na lista."},
        {1, "BISC MORANGO 140G", ""},
    };
    for (const Rename& r : renames) {
      SCOPED_TRACE(r.typed);
      v.SetListSelection(kIdReportProducts, r.row);
      v.Type(kIdReportNewName, r.typed);
      v.Click(p, kIdReportRename);
      EXPECT_EQ(v.GetText(kIdReportNameNote, 200), Win1252(r.note));
      EXPECT_EQ(v.list_rows.at(kIdReportProducts).at(1).at(3),
                r.note.empty() ? "BISC MORANGO" : "BIS REC 140G");
      EXPECT_TRUE(v.IsEnabled(kIdOk));
    }
    EXPECT_EQ(h.state.params.Product(6).name, "") << "nothing stored before Importar";
    v.Click(p, kIdOk);
  });
  EXPECT_EQ(h.report_closed, 1);
  EXPECT_EQ(h.state.params.Product(6).name, "REFR COLA 2L");
  EXPECT_EQ(h.state.params.Product(7).name, "BISC MORANGO");
  EXPECT_EQ(h.state.params.Product(7).dept_code, "1");
  EXPECT_EQ(h.state.params.Department(4).name, "BEBIDAS");
  EXPECT_EQ(h.state.params.Product(6).dept_code, "4");
  EXPECT_EQ(h.desktop.messages.back().text,
            "3 produtos importados; 2 nomes encurtados; 1 departamentos criados");
}

}  // namespace
}  // namespace qx::ui::testing
