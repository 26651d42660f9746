// The department grid and the department editor, driven through fake views.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "../record_editor_harness.h"

namespace qx::ui::testing {
namespace {

constexpr int kPrice = 1005;
constexpr int kName = 1052;

const char* const kSeparatorError = "ERRO - O CARACTERE | NÃO É PERMITIDO\nNOME DO DEPARTAMENTO";

// ---- DeptGrid ----

TEST(DeptGrid, HasSixteenKeysWithTheirFixedIdsInFourColumnsAndNoHelp) {
  EditorHarness h;
  h.Open(MakeDeptGrid);
  const FormTemplate& form = h.presenter->Template();
  EXPECT_EQ(form.resource_id, 102);
  EXPECT_EQ(form.width, 278);
  EXPECT_EQ(form.height, 175);
  const int ids[16] = {1000, 1001, 1002, 1004, 1046, 1006, 1007, 1008,
                       1009, 1003, 1054, 1010, 1011, 1012, 1013, 1014};
  for (int n = 1; n <= 16; ++n) {
    const ControlTemplate* c = form.Find(ids[n - 1]);
    ASSERT_NE(c, nullptr) << n;
    EXPECT_EQ(c->label, "DEPT " + std::to_string(n));
    EXPECT_EQ(c->kind, ControlKind::kPushButton);
    // DEPT 1 to 4 down the first column, DEPT 5 to 8 down the second, and so on.
    const ControlTemplate* first_of_column = form.Find(ids[(n - 1) / 4 * 4]);
    EXPECT_EQ(c->x, first_of_column->x) << n;
    if ((n - 1) % 4 > 0) {
      EXPECT_GT(c->y, form.Find(ids[n - 2])->y) << n;
    }
    if (n > 4) {
      EXPECT_GT(c->x, form.Find(ids[n - 5])->x) << n;
    }
  }
  ASSERT_NE(form.Find(kIdCancel), nullptr);
  EXPECT_EQ(form.Find(kIdCancel)->label, "Sair");
  EXPECT_EQ(form.Find(kIdOk), nullptr);
  for (const ControlTemplate& c : form.controls) EXPECT_TRUE(c.help.empty());
  bool caption = false;
  for (const ControlTemplate& c : form.controls)
    caption |= c.label == Win1252("Selecione uma tecla de departamento para programá-la.");
  EXPECT_TRUE(caption);
}

TEST(DeptGrid, OpeningSetsTitleFocusAndForgetsTheLastDepartment) {
  EditorHarness h;
  h.state.current_dept = 7;
  h.Open(MakeDeptGrid);
  EXPECT_EQ(h.view->title, Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTOS"));
  EXPECT_EQ(h.view->focus, 1000);
  EXPECT_EQ(h.state.current_dept, 0);
}

TEST(DeptGrid, EachKeyOpensTheEditorForItsDepartmentWhileTheGridIsHidden) {
  const std::pair<int, int> keys[] = {{1000, 1},  {1003, 10}, {1054, 11}, {1009, 9},
                                      {1010, 12}, {1046, 5},  {1014, 16}};
  for (auto [id, dept] : keys) {
    SCOPED_TRACE(dept);
    EditorHarness h;
    h.Open(MakeDeptGrid);
    bool grid_hidden_meanwhile = false;
    std::string editor_title;
    h.desktop.form_scripts["DeptEditor"] = [&](Presenter&, FakeFormView& editor) {
      grid_hidden_meanwhile = h.view->hidden;
      editor_title = editor.title;
    };
    h.Click(id);
    EXPECT_EQ(h.desktop.forms_run, std::vector<std::string>{"DeptEditor"});
    EXPECT_TRUE(grid_hidden_meanwhile);
    EXPECT_FALSE(h.view->hidden);
    EXPECT_EQ(h.view->restore_count, 1);
    EXPECT_EQ(h.state.current_dept, dept);
    EXPECT_EQ(editor_title, Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: ") + std::to_string(dept));
    EXPECT_FALSE(h.view->closed.has_value());
  }
}

TEST(DeptGrid, SairAndEnterCloseWithoutSaving) {
  for (auto [id, result] : {std::pair{kIdCancel, 0}, std::pair{kIdOk, 1}}) {
    EditorHarness h;
    h.state.params_modified = true;
    h.Open(MakeDeptGrid);
    h.Click(id);
    EXPECT_EQ(h.view->closed, result);
    EXPECT_TRUE(h.desktop.save_dialogs.empty());
  }
}

// With unsaved edits and a cancelled save the grid stays open unless the user agrees to
// drop them.
TEST(DeptGrid, WindowCloseRunsTheSaveWorkflowEvenWithNothingChanged) {
  struct Case {
    bool modified;
    std::optional<BoxAnswer> discard;  // nothing: no question expected
    std::optional<int> closed;
  } cases[] = {
      {false, std::nullopt, 0}, {true, BoxAnswer::kNo, std::nullopt}, {true, BoxAnswer::kYes, 0}};
  for (const Case& c : cases) {
    EditorHarness h;
    h.state.params_modified = c.modified;
    h.Open(MakeDeptGrid);
    h.desktop.save_names.push_back(std::nullopt);  // the user cancels the save dialog
    if (c.discard) h.desktop.answers.push_back(*c.discard);
    h.presenter->OnCloseCommand(*h.view);
    EXPECT_EQ(h.desktop.save_dialogs.size(), 1u);
    EXPECT_EQ(h.desktop.messages.size(), c.discard ? 1u : 0u);
    EXPECT_EQ(h.view->closed, c.closed);
    EXPECT_EQ(h.state.params_modified, c.modified);  // nothing was saved
  }
}

TEST(DeptGrid, WindowCloseThatWroteTheFileLeavesNothingUnsaved) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("qx-grid-close-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  EditorHarness h;
  h.state.params_modified = true;
  h.state.opened_par_file = (dir / "caixa.par").string();
  h.Open(MakeDeptGrid);
  h.desktop.save_names.push_back((dir / "caixa.par").string());
  h.presenter->OnCloseCommand(*h.view);
  EXPECT_TRUE(std::filesystem::exists(dir / "caixa.par"));
  EXPECT_FALSE(h.state.params_modified);
  EXPECT_EQ(h.view->closed, 0);
  std::filesystem::remove_all(dir);
}

// ---- DeptEditor ----

struct DeptHarness : EditorHarness {
  // Opens the editor for `dept` after `setup` has prepared the stored record.
  explicit DeptHarness(int dept = 3, const std::function<void(DeptRecord&)>& setup = {}) {
    if (setup) setup(state.params.Department(dept));
    state.current_dept = dept;
    Open(MakeDeptEditor);
  }
  DeptRecord& Dept(int n = 3) { return state.params.Department(n); }
};

TEST(DeptEditor, TemplateHoldsEveryControlOfTheForm) {
  DeptHarness h;
  const FormTemplate& form = h.presenter->Template();
  EXPECT_EQ(form.resource_id, 103);
  EXPECT_EQ(form.width, 303);
  EXPECT_EQ(form.height, 166);
  ExpectControls(
      form,
      {
          {1048, ControlKind::kCheckBox, "Preço programado (fixo) ?", 0, false, true},
          {1050, ControlKind::kCheckBox, "Preço é negativo ?", 0, false, true},
          {1049, ControlKind::kCheckBox, "Pode alterar preço programado na VENDA?", 0, false, true},
          {1051, ControlKind::kCheckBox, "Produto fecha a venda em DINHEIRO ?", 0, false, true},
          {1052, ControlKind::kEdit, "NOME DO DEPARTAMENTO", 12, false, true},
          {1005, ControlKind::kEdit, "PREÇO /  LIMITE DE PREÇO:", 7, true, true},
          {kIdOk, ControlKind::kDefaultPushButton, "Salvar", 0, false, false},
          {kIdCancel, ControlKind::kPushButton, "Sair", 0, false, false},
          {RegisterHintId(1052), ControlKind::kStaticText, "", 0, false, false},
      });
}

TEST(DeptEditor, OpeningShowsTheStoredDepartmentAndFocusesTheName) {
  EditorHarness h;
  DeptRecord& d = h.state.params.Department(16);
  d.status_fixed_price = '0';
  d.status_negative_price = '3';  // any odd character counts as set
  d.price = "1250";
  d.name = "CAFE";
  h.state.current_dept = 16;
  h.Open(MakeDeptEditor);
  EXPECT_EQ(h.view->title, Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: 16"));
  EXPECT_FALSE(h.view->GetCheck(1048));
  EXPECT_TRUE(h.view->GetCheck(1049));
  EXPECT_TRUE(h.view->GetCheck(1050));
  EXPECT_FALSE(h.view->GetCheck(1051));
  EXPECT_EQ(h.Text(kPrice), "1250");
  EXPECT_EQ(h.Text(kName), "CAFE");
  EXPECT_EQ(h.view->focus, kName);
}

TEST(DeptEditor, WithoutADepartmentTheFormStaysEmptyAndSaveChangesNothing) {
  DeptHarness h(0);
  EXPECT_EQ(h.view->title, Win1252("QX-4810  PROGRAMAÇÃO  DEPARTAMENTO: 0"));
  EXPECT_TRUE(h.view->texts.empty() || h.Text(kName).empty());
  h.view->Type(kName, "X");
  const ParamSet before = h.state.params;
  h.Click(kIdOk);
  EXPECT_EQ(h.view->closed, 1);
  EXPECT_EQ(h.state.params, before);
  EXPECT_FALSE(h.state.params_modified);
}

TEST(DeptEditor, LengthErrorsComeInOrderAndKeepEverythingTyped) {
  struct Case {
    const char* price;
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      {"12345678", "1234567890123", "ERRO - VALOR EXCEDE 7 DIGITOS"},
      {"12345678", "ok", "ERRO - VALOR EXCEDE 7 DIGITOS"},
      {"1234567", "1234567890123", "NOME EXCEDE 12 CARACTERES"},
      {"1234567", "A|B", kSeparatorError},
      {"1|2", "ok", "ERRO - O CARACTERE | NÃO É PERMITIDO\nPREÇO"},
      {"12345678", "A|B", "ERRO - VALOR EXCEDE 7 DIGITOS"},
      {"", "", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.price) + " / " + c.name);
    DeptHarness h;
    // Longer texts than the fields accept by typing, as a paste or an older form may leave.
    h.view->SetText(kPrice, c.price);
    h.view->SetText(kName, c.name);
    h.view->SetCheck(1050, true);
    h.Click(kIdOk);
    if (c.message) {
      EXPECT_EQ(h.Errors(), std::vector<std::string>{Win1252(c.message)});
      EXPECT_EQ(h.Text(kPrice), c.price);
      EXPECT_EQ(h.Text(kName), c.name);
      EXPECT_EQ(h.Dept(), DeptRecord{});
      EXPECT_FALSE(h.state.params_modified);
      EXPECT_FALSE(h.view->closed.has_value());
    } else {
      EXPECT_TRUE(h.Errors().empty());
      EXPECT_EQ(h.view->closed, 1);
    }
  }
}

TEST(DeptEditor, SevenDigitsAndTwelveCharactersAreStoredExactlyAsTyped) {
  DeptHarness h;
  h.view->Type(kPrice, "0000001");
  h.view->Type(kName, " CAFE  COM  ");
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.Dept().price, "0000001");
  EXPECT_EQ(h.Dept().name, " CAFE  COM  ");
  EXPECT_EQ(h.view->closed, 1);
  EXPECT_TRUE(h.state.params_modified);
}

TEST(DeptEditor, AnEmptyOrBlankNameBecomesDeptAndItsNumber) {
  for (const char* typed : {"", "    "}) {
    for (int dept : {1, 9, 16}) {
      DeptHarness h(dept);
      h.view->SetText(kName, typed);
      h.Click(kIdOk);
      const std::string expected = "DEPT" + std::to_string(dept);
      EXPECT_EQ(h.state.params.Department(dept).name, expected);
      EXPECT_EQ(h.Text(kName), expected);
      EXPECT_EQ(h.state.params.Department(dept).changed_name, 1);
    }
  }
  // A department already named so is not marked again.
  DeptHarness h(3, [](DeptRecord& d) {
    d.name = "DEPT3";
    d.price = "500";
  });
  h.view->SetText(kName, "");
  h.Click(kIdOk);
  EXPECT_EQ(h.Dept().changed_name, 0);
  EXPECT_EQ(h.Dept().changed_price, 0);
}

TEST(DeptEditor, StoresTheFourBoxesIntoTheirOwnFlags) {
  DeptHarness h;
  h.view->Type(kName, "X");
  h.view->SetCheck(1048, true);
  h.view->SetCheck(1049, false);
  h.view->SetCheck(1050, true);
  h.view->SetCheck(1051, false);
  h.Click(kIdOk);
  EXPECT_EQ(h.Dept().status_fixed_price, '1');
  EXPECT_EQ(h.Dept().status_open_price, '0');
  EXPECT_EQ(h.Dept().status_negative_price, '1');
  EXPECT_EQ(h.Dept().status_single_item_sale, '0');
}

// The change markers: old record, what the user does, the markers expected.
struct MarkerCase {
  const char* what;
  const char* old_price;
  const char* old_name;
  const char* new_price;  // nullptr: untouched
  const char* new_name;
  bool toggle_flag;
  bool status, price, name;
};

TEST(DeptEditor, RaisesExactlyTheMarkersOfWhatChanged) {
  const MarkerCase cases[] = {
      {"nothing touched", "150", "CAFE", nullptr, nullptr, false, false, false, false},
      {"only the name, price 150", "150", "CAFE", nullptr, "CHA", false, false, false, true},
      {"only a flag, price empty", "", "CAFE", nullptr, nullptr, true, true, true, false},
      {"only a flag, price zeros", "0000000", "CAFE", nullptr, nullptr, true, true, true, false},
      {"only a flag, price 150", "150", "CAFE", nullptr, nullptr, true, true, false, false},
      {"name, price zeros", "0000000", "CAFE", nullptr, "CHA", false, false, true, true},
      {"only the price", "0000000", "CAFE", "0000001", nullptr, false, false, true, false},
      {"100 to 0100", "100", "CAFE", "0100", nullptr, false, false, false, false},
      {"name, price of no digits", "abc", "CAFE", nullptr, "CHA", false, false, true, true},
      {"same name typed, zero price", "0", "CAFE", nullptr, "CAFE", false, false, false, false},
  };
  for (const MarkerCase& c : cases) {
    SCOPED_TRACE(c.what);
    EditorHarness h;
    DeptRecord& d = h.state.params.Department(5);
    d.price = c.old_price;
    d.name = c.old_name;
    h.state.current_dept = 5;
    h.Open(MakeDeptEditor);
    if (c.new_price) h.view->SetText(kPrice, c.new_price);
    if (c.new_name) h.view->SetText(kName, c.new_name);
    if (c.toggle_flag) h.view->SetCheck(1051, !h.view->GetCheck(1051));
    h.Click(kIdOk);
    EXPECT_EQ(d.changed_status, c.status ? 1 : 0);
    EXPECT_EQ(d.changed_price, c.price ? 1 : 0);
    EXPECT_EQ(d.changed_name, c.name ? 1 : 0);
    EXPECT_TRUE(h.state.params_modified);
    EXPECT_EQ(h.view->closed, 1);
  }
}

TEST(DeptEditor, MarkersAreNeverLoweredAndOtherDepartmentsStayUntouched) {
  DeptHarness h(3, [](DeptRecord& d) {
    d.name = "CAFE";
    d.changed_status = d.changed_price = d.changed_name = 1;
  });
  const ParamSet before = h.state.params;
  h.Click(kIdOk);
  EXPECT_EQ(h.state.params, before);  // markers still 1, nothing else moved
}

TEST(DeptEditor, SairAndTheCloseCommandStoreNothing) {
  for (bool by_close : {false, true}) {
    DeptHarness h;
    h.view->Type(kName, "NOVO");
    h.view->SetCheck(1051, true);
    if (by_close)
      h.presenter->OnCloseCommand(*h.view);
    else
      h.Click(kIdCancel);
    EXPECT_EQ(h.view->closed, 0);
    EXPECT_EQ(h.Dept(), DeptRecord{});
    EXPECT_FALSE(h.state.params_modified);
  }
}

}  // namespace
}  // namespace qx::ui::testing
