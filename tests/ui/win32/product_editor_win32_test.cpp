// The product editor in the real dialog: Enter in the code field against a click on
// "Salvar / Próximo", and the spreadsheet import with its report form. Only the file dialog
// and the message boxes answer from a script.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "common/cp1252.h"
#include "ui/screens/editors.h"
#include "ui/win32/list_control.h"
#include "ui/win32/text_win32.h"
#include "ui/win32/win32_desktop.h"
#include "ui/workflows/app_state.h"
#include "ui/workflows/product_list_workflow.h"
#include "win32_test_support.h"

namespace qx::ui::win32 {
namespace {

using testing::Click;
using testing::PostKey;
using testing::PostMouseClick;
using testing::RunSteps;
using testing::Step;
using testing::TypeInto;

constexpr int kIdCode = 1005;
constexpr int kIdName = 1057;
constexpr int kIdImportList = 1090;

class ProductEditorWin32 : public ::testing::Test {
 protected:
  ProductEditorWin32() {
    desktop.hooks().message_box = [this](const BoxRequest& r) {
      questions.push_back(r.text);
      if ((r.flags & MB_TYPEMASK) != MB_YESNO) return IDOK;
      return (r.flags & MB_DEFBUTTON2) ? IDNO : IDYES;
    };
  }

  // Runs the product editor with these steps, and the forms it opens with theirs (by name).
  void Run(std::vector<Step> editor_steps, std::vector<Step> report_steps = {}) {
    desktop.hooks().form_shown = [&](FormDialog& d) {
      if (d.form().name == "ProductEditor") RunSteps(d, editor_steps);
      if (d.form().name == "ProductImportReport") RunSteps(d, report_steps);
    };
    std::unique_ptr<Presenter> editor = MakeProductEditor(*state, desktop);
    desktop.RunForm(*editor);
  }

  static void Retype(FormDialog& d, int id, std::wstring_view text) {
    d.view().SetText(id, "");
    TypeInto(d.Control(id), text);
  }

  std::unique_ptr<AppState> state = std::make_unique<AppState>();
  Win32Desktop desktop;
  std::vector<std::wstring> questions;
};

TEST_F(ProductEditorWin32, EnterInTheCodeFieldTakesTheCodeAndAClickAfterItAsksFirst) {
  state->params.Product(9).name = "NOVE";
  state->params.Product(9).dept_code = "1";
  state->params.Product(5).name = "CINCO";
  Run({[](FormDialog& d) {
         SendMessageW(d.window(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(d.Control(kIdCode)),
                      TRUE);
         Retype(d, kIdCode, L"9");
         PostKey(d.Control(kIdCode), VK_RETURN);
       },
       [](FormDialog& d) {
         EXPECT_EQ(GetFocus(), d.Control(kIdCode));
         EXPECT_EQ(d.view().GetText(kIdName, 100), "NOVE");
         EXPECT_EQ(d.view().GetText(kIdCode, 100), "9");
         Retype(d, kIdName, L"NOVO NOME");
         Retype(d, kIdCode, L"5");
         PostKey(d.Control(kIdCode), VK_RETURN);  // Não, the default: product 9 keeps its values
       },
       [](FormDialog& d) {
         EXPECT_EQ(d.view().GetText(kIdCode, 100), "9");
         EXPECT_EQ(d.view().GetText(kIdName, 100), "NOVO NOME");
         RECT r{};
         GetClientRect(d.Control(kIdOk), &r);
         PostMouseClick(d.Control(kIdOk), POINT{r.right / 2, r.bottom / 2});
       },
       [](FormDialog& d) {
         EXPECT_EQ(d.view().GetText(kIdCode, 100), "");
         d.CloseWith(0);
       }});
  EXPECT_EQ(questions,
            std::vector<std::wstring>{L"Descartar as altera\u00e7\u00f5es do produto 9?"});
  EXPECT_EQ(state->params.Product(9).name, "NOVO NOME");
  EXPECT_EQ(state->params.Product(5).name, "CINCO");
}

// The import report of a spreadsheet: its counts, one row per message, and "Importar" only
// when nothing is wrong.
struct ImportCase {
  const char* name;
  const char* file;
  bool has_errors;
  std::string first_product;  // product 1 afterwards (Windows-1252)
};

class ImportReportWin32 : public ProductEditorWin32,
                          public ::testing::WithParamInterface<ImportCase> {};

int Count(FormDialog& d, int id) { return std::atoi(d.view().GetText(id, 20).c_str()); }

TEST_P(ImportReportWin32, ShowsTheMessagesAndOffersImportOnlyWithoutErrors) {
  const ImportCase& c = GetParam();
  std::vector<std::wstring> filters;
  desktop.hooks().file_dialog = [&](const FileRequest& r) -> std::optional<std::wstring> {
    filters.push_back(r.filter);
    return FromUtf8(std::string(QX_TEST_DATA_DIR) + "/csv/" + c.file);
  };
  bool report_seen = false;
  Run({[](FormDialog& d) { Click(d.Control(kIdImportList)); },
       [](FormDialog& d) { d.CloseWith(0); }},
      {[&](FormDialog& d) {
        report_seen = true;
        HWND list = d.Control(kIdReportMessages);
        const int errors = Count(d, kIdReportErrors);
        const int warnings = Count(d, kIdReportWarnings);
        EXPECT_EQ(errors > 0, c.has_errors);
        EXPECT_GT(Count(d, kIdReportRead), 0);
        ASSERT_EQ(ListRowCount(list), errors + warnings);
        int error_rows = 0;
        for (int row = 0; row < ListRowCount(list); ++row) {
          const std::string kind = ListCell(list, row, 0);
          EXPECT_TRUE(kind == "ERRO" || kind == "aviso") << kind;
          if (kind == "ERRO") ++error_rows;
          EXPECT_FALSE(ListCell(list, row, 1).empty()) << row;
        }
        EXPECT_EQ(error_rows, errors);
        EXPECT_EQ(d.view().IsEnabled(kIdOk), !c.has_errors);
        EXPECT_EQ(GetFocus(), d.Control(c.has_errors ? kIdCancel : kIdOk));
        // Enter presses the button with the focus: "Cancelar" when there are errors.
        PostKey(GetFocus(), VK_RETURN);
      }});
  EXPECT_TRUE(report_seen);
  // All workbooks first, then each kind, in one list of zero-separated pairs.
  const wchar_t kFilters[] =
      L"Planilhas (*.xlsx;*.ods;*.csv)\0*.xlsx;*.ods;*.csv\0"
      L"Pasta de trabalho do Excel (*.xlsx)\0*.xlsx\0"
      L"Planilha OpenDocument (*.ods)\0*.ods\0Planilha CSV (*.csv)\0*.csv\0";
  EXPECT_EQ(filters, std::vector<std::wstring>{std::wstring(kFilters, std::size(kFilters))});
  EXPECT_EQ(state->params.Product(1).name, c.first_product);
  EXPECT_EQ(state->params_modified, !c.has_errors);
  // Only a stored import says what it stored.
  ASSERT_EQ(questions.size(), c.has_errors ? 0u : 1u);
  for (const std::wstring& box : questions)
    EXPECT_NE(box.find(L" produtos importados; "), std::wstring::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Files, ImportReportWin32,
    ::testing::Values(ImportCase{"WithErrors", "lista_com_erros.csv", true, ""},
                      ImportCase{"Clean", "planilha_ansi.csv", false, Win1252("AÇÚCAR 1KG")}),
    [](const ::testing::TestParamInfo<ImportCase>& p) { return std::string(p.param.name); });

}  // namespace
}  // namespace qx::ui::win32
