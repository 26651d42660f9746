// The product editor's spreadsheet buttons with the scripted desktop: the import report, what
// storing an import does to the set, and the export.
#include "ui/workflows/product_list_workflow.h"

#include <gtest/gtest.h>

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
  void Import(const std::string& csv, std::function<void(Presenter&, FakeFormView&)> answer) {
    WriteFile(dir / "lista.csv", csv);
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

std::string WorkbookBytes(const std::string& name) {
  std::string bytes;
  EXPECT_TRUE(
      exchange::ReadProductListFile(std::string(QX_TEST_DATA_DIR) + "/workbooks/" + name, bytes));
  return bytes;
}

// A workbook's report names the sheet read; one that cannot be read says why in a box that
// names the file, with no report and nothing stored.
TEST(ProductListImport, WorkbooksNameTheirSheetOrTheReasonTheyCannotBeRead) {
  ListHarness h;
  h.Import(WorkbookBytes("lista.xlsx"), PressImport);
  ASSERT_TRUE(h.report);
  EXPECT_EQ(h.report->list_rows.at(kIdReportMessages).at(0),
            (std::vector<std::string>{"", "planilha: Produtos"}));
  EXPECT_EQ(h.state.params.Product(1).price, "1250");

  ListHarness old;
  const ParamSet before = old.state.params;
  old.Import(WorkbookBytes("lista.xls"), PressImport);
  EXPECT_FALSE(old.report);
  ASSERT_EQ(old.desktop.messages.size(), 1u);
  EXPECT_NE(old.desktop.messages[0].text.find(old.dir / "lista.csv"), std::string::npos);
  EXPECT_NE(old.desktop.messages[0].text.find(
                exchange::WorkbookStatusText(exchange::WorkbookStatus::kOldExcel)),
            std::string::npos);
  EXPECT_EQ(old.state.params, before);
}

TEST(ProductListImport, ReportShowsTheCountsAndMessagesAndStoresOnImportar) {
  ListHarness h;
  h.Import("codigo;nome;preco;departamento\r\n5;CAFE;2,50;2\r\n6;CAF\xC2;1;3\r\n7;PAO;;1\r\n",
           PressImport);
  ASSERT_EQ(h.desktop.open_dialogs.size(), 1u);
  EXPECT_EQ(h.desktop.open_dialogs[0].filter_name, "Planilhas");
  EXPECT_EQ(h.desktop.open_dialogs[0].filter_pattern, "*.xlsx;*.ods;*.csv");
  ASSERT_EQ(h.desktop.open_dialogs[0].more_filters.size(), 3u);
  EXPECT_EQ(h.desktop.open_dialogs[0].more_filters[2].pattern, "*.csv");
  ASSERT_TRUE(h.report);
  const FakeFormView& r = *h.report;
  EXPECT_EQ(r.GetText(kIdReportRead, 9), "3");
  EXPECT_EQ(r.GetText(kIdReportNew, 9), "2");
  EXPECT_EQ(r.GetText(kIdReportChanged, 9), "1");
  EXPECT_EQ(r.GetText(kIdReportUnchanged, 9), "0");
  EXPECT_EQ(r.GetText(kIdReportErrors, 9), "0");
  EXPECT_EQ(r.GetText(kIdReportWarnings, 9), "1");
  EXPECT_TRUE(r.IsEnabled(kIdOk));
  const std::vector<std::vector<std::string>> rows = {
      {"aviso", Win1252("linha 3, nome: a registradora não recebe: Â")}};
  EXPECT_EQ(r.list_rows.at(kIdReportMessages), rows);
  EXPECT_EQ(h.report_closed, 1);

  EXPECT_TRUE(h.state.params_modified);
  EXPECT_EQ(h.state.params.Product(5).price, "250");
  EXPECT_EQ(h.state.params.Product(5).changed_price, 1);
  EXPECT_EQ(h.state.params.Product(5).changed_name, 0);
  EXPECT_EQ(h.state.params.Product(7).changed_name, 1);
  EXPECT_TRUE(h.Errors().empty());
}

TEST(ProductListImport, AProductShownBeforeAStoredImportIsNotSavedBackOverIt) {
  ListHarness h;
  h.TypeAndLeave(1005, "5");
  ASSERT_EQ(h.Text(1057), "CAFE");
  h.Import("codigo;preco\n5;3\n", PressImport);
  EXPECT_TRUE(h.Text(1005).empty());
  EXPECT_TRUE(h.Text(1052).empty());
  h.Click(kIdOk);  // an empty form is refused and the import stays
  EXPECT_EQ(h.state.params.Product(5).price, "300");
}

TEST(ProductListImport, WithAnErrorImportarIsDisabledAndNothingIsStored) {
  for (bool press_import : {true, false}) {
    ListHarness h;
    const ParamSet before = h.state.params;
    h.Import("codigo;nome;preco;departamento\n5;CAFE;12,5,0;2\n6;PAO;1;2\n",
             [press_import](Presenter& p, FakeFormView& v) {
               v.Click(p, press_import ? kIdOk : kIdCancel);
             });
    ASSERT_TRUE(h.report);
    EXPECT_FALSE(h.report->IsEnabled(kIdOk));
    EXPECT_EQ(h.report->GetText(kIdReportErrors, 9), "1");
    EXPECT_EQ(h.report->list_rows.at(kIdReportMessages).at(0).at(1),
              Win1252("linha 2, preco: \"12,5,0\" não é um preço"));
    EXPECT_EQ(h.report_closed, press_import ? std::nullopt : std::optional<int>(0));
    EXPECT_EQ(h.state.params, before);
    EXPECT_FALSE(h.state.params_modified);
  }
}

TEST(ProductListImport, CancelledDialogOrCancelledReportStoresNothing) {
  ListHarness h;
  h.desktop.open_names.push_back(std::nullopt);
  h.Click(kImport);
  EXPECT_TRUE(h.desktop.forms_run.empty());
  h.Import("codigo;nome;departamento\n9;SUCO;1\n",
           [](Presenter& p, FakeFormView& v) { v.Click(p, kIdCancel); });
  EXPECT_EQ(h.report_closed, 0);
  EXPECT_TRUE(h.state.params.Product(9).name.empty());
  EXPECT_FALSE(h.state.params_modified);
}

TEST(ProductListExport, WritesTheListWhereTheUserChoseAndRefusesTheParameterFile) {
  ListHarness h;
  h.desktop.save_names.push_back(h.dir / "produtos.csv");
  h.Click(kExport);
  ASSERT_EQ(h.desktop.save_dialogs.size(), 1u);
  EXPECT_EQ(h.desktop.save_dialogs[0].filter_name, "Planilha CSV");
  EXPECT_EQ(ReadFile(h.dir / "produtos.csv"), exchange::FormatProductList(h.state.params));
  EXPECT_EQ(h.desktop.messages.back().icon, BoxIcon::kInformation);

  WriteFile(h.state.current_par_file, "P0030|keep");
  h.desktop.save_names.push_back(h.state.current_par_file);
  h.Click(kExport);
  EXPECT_EQ(ReadFile(h.state.current_par_file), "P0030|keep");
  EXPECT_EQ(h.desktop.messages.back().icon, BoxIcon::kError);
  EXPECT_FALSE(h.state.params_modified);
}

// The export asks before replacing a file; No goes back to the dialog. The parameter file and
// its backup are refused however their path is typed, and nothing is asked or written then.
TEST(ProductListExport, AsksBeforeReplacingAndRefusesTheParameterFileByIdentity) {
  struct Case {
    const char* what;
    std::vector<std::string> names;  // in the scratch folder, in the order typed
    std::vector<BoxAnswer> answers;
    int questions;
    std::size_t dialogs;
    std::string written;  // the name that gets the list; empty: none
  };
  std::vector<Case> cases = {
      {"a new file", {"nova.csv"}, {}, 0, 1, "nova.csv"},
      {"an existing file, Sim", {"velha.csv"}, {BoxAnswer::kYes}, 1, 1, "velha.csv"},
      {"an existing file, Não, then a new one",
       {"velha.csv", "nova.csv"},
       {BoxAnswer::kNo},
       1,
       2,
       "nova.csv"},
      {"an existing file, the default answer, then cancel", {"velha.csv"}, {}, 1, 2, ""},
      {"the parameter file by another path", {"sub/../loja1.par"}, {}, 0, 1, ""},
      {"the parameter file through a link", {"link.par"}, {}, 0, 1, ""},
      {"the backup of the parameter file", {"loja1.par.bak"}, {}, 0, 1, ""},
      {"the file opened before a save as", {"aberto.par"}, {}, 0, 1, ""},
      {"the backup of the file opened", {"aberto.par.bak"}, {}, 0, 1, ""},
  };
#ifdef _WIN32
  cases.push_back({"the parameter file in capitals", {"LOJA1.PAR"}, {}, 0, 1, ""});
#endif
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListHarness h;
    h.state.opened_par_file = h.dir / "aberto.par";
    const std::vector<std::string> kept = {"velha.csv", "loja1.par", "loja1.par.bak", "aberto.par",
                                           "aberto.par.bak"};
    for (const std::string& name : kept) WriteFile(h.dir / name, "P0030|keep");
    std::filesystem::create_directories(h.dir / "sub");
    std::error_code no_links;  // a Windows user may not be allowed to make links
    std::filesystem::create_symlink(h.dir / "loja1.par", h.dir / "link.par", no_links);
    if (no_links && c.names.front() == "link.par") continue;
    for (const std::string& name : c.names) h.desktop.save_names.push_back(h.dir / name);
    h.desktop.answers.assign(c.answers.begin(), c.answers.end());
    h.Click(kExport);

    int questions = 0;
    for (const MessageBox& box : h.desktop.messages) {
      if (box.buttons != BoxButtons::kYesNo) continue;
      ++questions;
      EXPECT_EQ(box.text, Win1252("O arquivo\n") + h.dir / "velha.csv" +
                              Win1252("\njá existe.\nSubstituir?"));
      EXPECT_EQ(box.default_answer, BoxAnswer::kNo);
    }
    EXPECT_EQ(questions, c.questions);
    EXPECT_EQ(h.desktop.save_dialogs.size(), c.dialogs);
    for (const std::string& name : kept)
      if (name != c.written) {
        EXPECT_EQ(ReadFile(h.dir / name), "P0030|keep") << name;
      }
    if (!c.written.empty()) {
      EXPECT_EQ(ReadFile(h.dir / c.written), exchange::FormatProductList(h.state.params));
    }
    const BoxIcon last = h.desktop.messages.back().icon;
    EXPECT_EQ(last, c.written.empty() ? (c.questions > 0 ? BoxIcon::kQuestion : BoxIcon::kError)
                                      : BoxIcon::kInformation);
  }
}

TEST(ProductListExport, NamesStoredValuesTheImportWouldRefuse) {
  ListHarness h;
  h.state.params.Product(5).dept_code = "17";  // read from an old file
  h.desktop.save_names.push_back(h.dir / "produtos.csv");
  h.Click(kExport);
  EXPECT_EQ(ReadFile(h.dir / "produtos.csv"), exchange::FormatProductList(h.state.params));
  const MessageBox& box = h.desktop.messages.back();
  EXPECT_EQ(box.icon, BoxIcon::kWarning);
  EXPECT_NE(box.text.find(Win1252("linha 2, departamento: \"17\" não é um departamento")),
            std::string::npos)
      << box.text;
}

TEST(ProductListImport, ATooLargeFileIsToldSoAndALongReportIsCut) {
  ListHarness h;
  WriteFile(h.dir / "grande.csv", std::string(8 * 1024 * 1024 + 1, ';'));
  h.desktop.open_names.push_back(h.dir / "grande.csv");
  h.Click(kImport);
  EXPECT_TRUE(h.desktop.forms_run.empty());
  EXPECT_EQ(h.desktop.messages.back().text,
            Win1252("PLANILHA GRANDE DEMAIS (MAIS DE 8 MB)\n") + h.dir / "grande.csv");

  std::string many = "codigo\n";
  for (std::size_t i = 0; i < exchange::kMostImportMessages + 7; ++i) many += "x\n";
  h.Import(many, PressImport);
  ASSERT_TRUE(h.report);
  const auto& rows = h.report->list_rows.at(kIdReportMessages);
  ASSERT_EQ(rows.size(), exchange::kMostImportMessages + 1);
  EXPECT_EQ(rows.back().at(1), "e mais 7 mensagens");
}

// A customer's list: two name columns, bar codes, long names and a department by name. The
// technician picks the name column, numbers the products after the highest code, renames
// one proposal and imports; nothing is stored before "Importar".
const std::string kCustomerList =
    "EAN;Produto;Mercadoria;Valor;Grupo\n"
    "789001;X;REFRIGERANTE COLA 2 L;5,00;BEBIDAS\n"
    "789002;Y;BISCOITO RECHEADO DE MORANGO 140G;2,50;D1\n"
    "789003;Z;LEITE;3;D1\n";

// Chooses "Mercadoria" for the name and no column for the code, then "Continuar".
void ChooseColumns(ListHarness& h) {
  h.desktop.form_scripts["ProductListColumns"] = [](Presenter& p, FakeFormView& v) {
    EXPECT_EQ(v.list_rows.at(kIdColumnFields).at(1).at(1), "(nenhuma)");
    EXPECT_EQ(v.list_rows.at(kIdColumnFile).at(3),
              (std::vector<std::string>{"3", "Mercadoria",
                                        "REFRIGERANTE COLA 2 L; BISCOITO RECHEADO DE MORANGO "
                                        "140G; LEITE"}));
    v.SetListSelection(kIdColumnFields, 1);
    v.ActivateRow(p, kIdColumnFile, 3);
    v.SetListSelection(kIdColumnFields, 0);
    v.SetListSelection(kIdColumnFile, 0);
    v.Click(p, kIdColumnAssign);
    EXPECT_EQ(v.list_rows.at(kIdColumnFields).at(1).at(1), "Mercadoria");
    v.Click(p, kIdOk);
  };
}

TEST(ProductListImport, ACustomersListImportsInOnePassWithTheTechniciansChoices) {
  ListHarness h;
  ChooseColumns(h);
  h.Import(kCustomerList, [&h](Presenter& p, FakeFormView& v) {
    EXPECT_FALSE(v.IsEnabled(kIdOk)) << "no code column yet";
    v.SetCheck(kIdReportAfterHighest, true);
    v.Click(p, kIdReportAfterHighest);
    EXPECT_EQ(v.list_rows.at(kIdReportProducts).at(0),
              (std::vector<std::string>{"2", "6", "REFRIGERANTE COLA 2 L", "REFR COLA 2L"}));
    v.ActivateRow(p, kIdReportProducts, 1);
    EXPECT_EQ(v.GetText(kIdReportNewName, 12), "BIS REC 140G");
    v.Type(kIdReportNewName, "BISC MORANGO 140G");
    v.Click(p, kIdReportRename);
    EXPECT_EQ(v.list_rows.at(kIdReportProducts).at(1).at(3), "BISC MORANGO");
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

// A name is changed only for a shortened product, and a name the import refuses is not kept.
TEST(ProductListImport, AProposalChangesOnlyToANameTheImportTakes) {
  struct Case {
    const char* what;
    int row;  // -1: none chosen
    std::string typed;
    std::string note;  // UTF-8
    std::string name;  // of product 7 afterwards
  };
  const std::vector<Case> cases = {
      {"a free name", 1, "BISCOITO", "", "BISCOITO"},
      {"a name another product has", 1, "cafe",
       "linha 3, nome: \"cafe\" já é o nome de outro produto", "BIS REC 140G"},
      {"a name that was not shortened", 2, "LEITINHO", "Só os nomes encurtados são alterados aqui.",
       "BIS REC 140G"},
      {"no product chosen", -1, "X", "Marque um produto na lista.", "BIS REC 140G"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ListHarness h;
    ChooseColumns(h);
    h.Import(kCustomerList, [&c](Presenter& p, FakeFormView& v) {
      v.SetCheck(kIdReportAfterHighest, true);
      v.Click(p, kIdReportAfterHighest);
      v.SetListSelection(kIdReportProducts, c.row);
      v.Type(kIdReportNewName, c.typed);
      v.Click(p, kIdReportRename);
      EXPECT_EQ(v.GetText(kIdReportNameNote, 200), Win1252(c.note));
      EXPECT_TRUE(v.IsEnabled(kIdOk));
      v.Click(p, kIdOk);
    });
    EXPECT_EQ(h.state.params.Product(7).name, c.name);
  }
}

}  // namespace
}  // namespace qx::ui::testing
