// The product editor, driven through a fake view.
#include <gtest/gtest.h>

#include <optional>

#include "../record_editor_harness.h"

namespace qx::ui::testing {
namespace {

constexpr int kCode = 1005;
constexpr int kPrice = 1052;
constexpr int kName = 1057;
constexpr int kDept = 1059;
constexpr int kBoxes[] = {1048, 1049, 1050, 1051};

struct ProductHarness : EditorHarness {
  ProductHarness() { Open(MakeProductEditor); }
  PluRecord& Plu(int n) { return state.params.Product(n); }
  void Fill(const char* price, const char* name, const char* dept) {
    view->SetText(kPrice, price);
    view->SetText(kName, name);
    view->SetText(kDept, dept);
  }
  bool FormIsEmpty() const {
    for (int box : kBoxes)
      if (view->GetCheck(box)) return false;
    for (int field : {kCode, kPrice, kName, kDept})
      if (!Text(field).empty()) return false;
    return true;
  }
};

TEST(ProductEditor, TemplateHoldsEveryControlOfTheForm) {
  ProductHarness h;
  const FormTemplate& form = h.presenter->Template();
  EXPECT_EQ(form.resource_id, 106);
  EXPECT_EQ(form.name, "ProductEditor");
  EXPECT_EQ(form.width, 317);
  EXPECT_EQ(form.height, 182);
  ExpectControls(
      form,
      {
          {1005, ControlKind::kEdit, "Código      (1 a 500):", 0, true, false},
          {1048, ControlKind::kCheckBox, "Preço programado (fixo) ?", 0, false, true},
          {1050, ControlKind::kCheckBox, "Preço é negativo ?", 0, false, true},
          {1049, ControlKind::kCheckBox, "Pode alterar preço programado na VENDA?", 0, false, true},
          {1051, ControlKind::kCheckBox, "Produto fecha a venda em DINHEIRO ?", 0, false, true},
          {1057, ControlKind::kEdit, "Nome do produto:", 12, false, true},
          {1052, ControlKind::kEdit, "Preço / Limite de preço:", 7, true, true},
          {1059, ControlKind::kEdit, "Código do departamento", 2, true, true},
          {kIdOk, ControlKind::kDefaultPushButton, "Salvar / Próximo", 0, false, false},
          {kIdCancel, ControlKind::kPushButton, "Sair", 0, false, false},
          {1092, ControlKind::kPushButton, "LISTA", 0, false, true},
          {RegisterHintId(1057), ControlKind::kStaticText, "", 0, false, false},
      });
  bool note = false;
  for (const ControlTemplate& c : form.controls)
    note |= c.label == Win1252("Não é possivel cancelar um produto. ");
  EXPECT_TRUE(note);
}

TEST(ProductEditor, OpensEmptyWithTitleAndFocusOnTheCode) {
  ProductHarness h;
  EXPECT_EQ(h.view->title, Win1252("QX-4810  PROGRAMAÇÃO  PRODUTOS"));
  EXPECT_EQ(h.view->focus, kCode);
  EXPECT_TRUE(h.FormIsEmpty());
}

TEST(ProductEditor, TakingACodeReadsItsFirstThreeCharacters) {
  struct Case {
    const char* typed;
    int current_plu;  // after leaving the field; 77 = unchanged
    const char* message;
  };
  const Case cases[] = {
      {"1234", 123, nullptr},
      {"5", 5, nullptr},
      {"005", 5, nullptr},
      {"500", 500, nullptr},
      {"0", 0, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"000", 0, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"750", 750, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"501", 501, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"", 77, nullptr},
      {"1a", 77, "ERRO - CODIGO DEVE SER NUMERICO"},
      {" 12", 77, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"12a", 77, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"123a", 123, nullptr},  // the fourth character is never read
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    ProductHarness h;
    h.state.current_plu = 77;
    h.view->SetText(kCode, c.typed);  // a paste can bring what typing refuses
    h.presenter->OnFocusLost(*h.view, kCode);
    EXPECT_EQ(h.state.current_plu, c.current_plu);
    if (c.message) {
      EXPECT_EQ(h.Errors(), std::vector<std::string>{c.message});
    } else {
      EXPECT_TRUE(h.Errors().empty());
    }
  }
}

TEST(ProductEditor, TakingACodeReplacesWhatTheFormHeldByTheStoredProduct) {
  ProductHarness h;
  PluRecord& p = h.Plu(123);
  p.status_fixed_price = '0';
  p.status_single_item_sale = '1';
  p.price = "990";
  p.name = "CHA";
  p.dept_code = "05";
  h.Fill("1", "typed", "9");
  h.view->SetCheck(1048, true);
  h.view->SetCheck(1049, false);
  h.desktop.answers = {BoxAnswer::kYes};
  h.TypeAndLeave(kCode, "1234");
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(h.desktop.messages[0].text, Win1252("Descartar as alterações do produto 123?"));
  EXPECT_FALSE(h.view->GetCheck(1048));
  EXPECT_TRUE(h.view->GetCheck(1049));
  EXPECT_FALSE(h.view->GetCheck(1050));
  EXPECT_TRUE(h.view->GetCheck(1051));
  EXPECT_EQ(h.Text(kPrice), "990");
  EXPECT_EQ(h.Text(kName), "CHA");
  EXPECT_EQ(h.Text(kDept), "05");
  EXPECT_EQ(h.Text(kCode), "1234");
}

TEST(ProductEditor, LeavingAnotherFieldTakesNoCode) {
  ProductHarness h;
  h.view->SetText(kCode, "7");
  h.presenter->OnFocusLost(*h.view, kName);
  EXPECT_EQ(h.state.current_plu, 0);
}

TEST(ProductEditor, ValidatesInItsFixedOrderAndKeepsEverythingAfterAnError) {
  struct Case {
    const char* price;
    const char* name;
    const char* dept;
    bool box;
    const char* message;
  };
  const Case cases[] = {
      {"12a", "", "", true, "ERRO - VALOR DEVE SER NUMERICO"},
      {"123456789", "", "", true, "ERRO - VALOR EXCEDE 7 DIGITOS"},
      {"12345678", "1234567890123", "", true, "ERRO - VALOR EXCEDE 7 DIGITOS"},
      {"1234567", "", "", true, "ERRO - NOME DO PRODUTO NÃO INFORMADO.\n"},
      {"1234567", "1234567890123", "", false, "ERRO - NOME EXCEDE 12 CARACTERES"},
      {"", "CHA", "", false, "ERRO - COD DEPTO NÃO INFORMADO"},
      {"", "CHA", "00", false, "ERRO - COD DEPTO NÃO INFORMADO"},
      {"", "CHA", "a1", false, "ERRO - COD DEPTO NÃO INFORMADO"},  // reads as 0 first
      {"", "CHA", "1a", false, "ERRO - COD DEPTO DEVE SER NUMERICO"},
      {"", "CHA", "100", false, "ERRO - DEPARTAMENTO EXCEDE 2 DIGITOS"},
      {"", "CHA", "017", false, "ERRO - DEPARTAMENTO EXCEDE 2 DIGITOS"},
      {"", "CHA", "17", false, "ERRO - MAXIMO 16 DEPARTAMENTOS"},
      {"", "", "", false, "ERRO - COD DEPTO NÃO INFORMADO"},
      {"", "A|B", "", false, "ERRO - COD DEPTO NÃO INFORMADO"},
      {"", "A|B", "16", false, "ERRO - O CARACTERE | NÃO É PERMITIDO\nNOME DO PRODUTO"},
      {"", "1234567890123|", "16", false, "ERRO - NOME EXCEDE 12 CARACTERES"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.price) + " / " + c.name + " / " + c.dept);
    ProductHarness h;
    h.TypeAndLeave(kCode, "42");
    h.Fill(c.price, c.name, c.dept);
    for (int box : kBoxes) h.view->SetCheck(box, false);  // a new product shows two marked
    h.view->SetCheck(1050, c.box);
    h.Click(kIdOk);
    EXPECT_EQ(h.Errors(), std::vector<std::string>{Win1252(c.message)});
    EXPECT_EQ(h.Text(kPrice), c.price);
    EXPECT_EQ(h.Text(kName), c.name);
    EXPECT_EQ(h.Text(kDept), c.dept);
    EXPECT_EQ(h.Text(kCode), "42");
    EXPECT_EQ(h.view->GetCheck(1050), c.box);
    EXPECT_EQ(h.Plu(42), PluRecord{});
    EXPECT_FALSE(h.state.params_modified);
    EXPECT_EQ(h.state.current_plu, 42);
  }
}

TEST(ProductEditor, SavingStoresEveryFieldAndEmptiesTheFormForTheNextCode) {
  ProductHarness h;
  h.TypeAndLeave(kCode, "500");
  h.Fill("0001250", " CAFE  MOIDO", "5");
  h.view->SetCheck(1048, false);
  h.view->SetCheck(1049, false);
  h.view->SetCheck(1050, true);
  h.view->SetCheck(1051, true);
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  const PluRecord& p = h.Plu(500);
  EXPECT_EQ(p.status_fixed_price, '0');
  EXPECT_EQ(p.status_open_price, '0');
  EXPECT_EQ(p.status_negative_price, '1');
  EXPECT_EQ(p.status_single_item_sale, '1');
  EXPECT_EQ(p.price, "0001250");
  EXPECT_EQ(p.name, " CAFE  MOIDO");
  EXPECT_EQ(p.dept_code, "5");
  EXPECT_TRUE(h.state.params_modified);
  EXPECT_TRUE(h.FormIsEmpty());
  EXPECT_EQ(h.view->focus, kCode);
  EXPECT_EQ(h.state.current_plu, 500);
  EXPECT_FALSE(h.view->closed.has_value());
}

TEST(ProductEditor, ANamelessProductWithoutStatusIsStoredWithOneBlank) {
  ProductHarness h;
  h.TypeAndLeave(kCode, "7");
  for (int box : kBoxes) h.view->SetCheck(box, false);
  h.Fill("", "", "3");
  h.Click(kIdOk);
  EXPECT_TRUE(h.Errors().empty());
  EXPECT_EQ(h.Plu(7).name, " ");
  EXPECT_EQ(h.Plu(7).changed_name, 1);
}

// A code in the field that cannot be taken stores nothing, says why and keeps everything
// typed; an empty form without a code has nothing to keep and is only emptied.
TEST(ProductEditor, WithoutAValidCodeSavingStoresNothing) {
  struct Case {
    const char* code;
    bool typed;
    const char* message;  // nullptr: none, and the form is emptied
  };
  const Case cases[] = {
      {"0", true, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"750", true, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"750", false, "ERRO - CODIGO EXCEDE LIMITE (MAX. 500)"},
      {"1x", true, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"", true, "ERRO - CODIGO NÃO INFORMADO"},
      {"", false, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.code) + (c.typed ? " typed" : ""));
    ProductHarness h;
    h.view->SetText(kCode, c.code);  // as pasted, never left
    if (c.typed) {
      h.Fill("100", "X", "99");
      h.view->SetCheck(1048, true);
    }
    const ParamSet before = h.state.params;
    h.Click(kIdOk);
    EXPECT_EQ(h.state.params, before);
    EXPECT_FALSE(h.state.params_modified);
    if (c.message) {
      EXPECT_EQ(h.Errors(), std::vector<std::string>{Win1252(c.message)});
      EXPECT_EQ(h.Text(kCode), c.code);
      EXPECT_EQ(h.Text(kName), c.typed ? "X" : "");
      EXPECT_EQ(h.view->focus, kCode);
    } else {
      EXPECT_TRUE(h.Errors().empty());
      EXPECT_TRUE(h.FormIsEmpty());
    }
    EXPECT_TRUE(h.desktop.Questions().empty());
  }
}

// The code on screen and the values on screen belong together.
struct ProductPair : ProductHarness {
  ProductPair() {
    for (int n : {5, 9}) {
      Plu(n).name = n == 5 ? "CINCO" : "NOVE";
      Plu(n).price = n == 5 ? "500" : "900";
      Plu(n).dept_code = "1";
    }
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> texts;
    for (const MessageBox& b : desktop.messages) {
      if (b.buttons != BoxButtons::kYesNo) continue;
      EXPECT_EQ(b.title, Win1252("ATENÇÃO"));
      EXPECT_EQ(b.icon, BoxIcon::kQuestion);
      EXPECT_EQ(b.default_answer, BoxAnswer::kNo);
      texts.push_back(b.text);
    }
    return texts;
  }
};

const std::string kAsk5 = Win1252("Descartar as alterações do produto 5?");
const std::string kAsk9 = Win1252("Descartar as alterações do produto 9?");

TEST(ProductEditor, EnterInTheCodeFieldTakesTheCodeAndStoresNothing) {
  ProductPair h;
  h.view->Type(kCode, "9");
  h.view->PressEnter(*h.presenter);
  EXPECT_EQ(h.Text(kName), "NOVE");
  EXPECT_EQ(h.Text(kCode), "9");
  EXPECT_FALSE(h.state.params_modified);
  h.view->Type(kName, "NOVO NOME");
  h.view->PressEnter(*h.presenter);  // Enter in the name field: the save
  EXPECT_EQ(h.Plu(9).name, "NOVO NOME");
  EXPECT_TRUE(h.FormIsEmpty());

  // Enter in the code field after values were typed for another product asks first.
  h.TypeAndLeave(kCode, "5");
  h.view->Type(kName, "CINCO NOVO");
  h.view->Type(kCode, "9");
  h.view->PressEnter(*h.presenter);  // Não, the default
  EXPECT_EQ(h.Questions(), std::vector<std::string>{kAsk5});
  EXPECT_EQ(h.Text(kCode), "5");
  EXPECT_EQ(h.Text(kName), "CINCO NOVO");
  EXPECT_EQ(h.Plu(5).name, "CINCO");
  EXPECT_EQ(h.Plu(9).name, "NOVO NOME");
}

// The real dialog's order: the code field loses the focus to the button, then the click.
TEST(ProductEditor, ACodeTypedLastNeverStoresValuesUnderTheWrongCode) {
  struct Case {
    const char* what;
    bool loaded_first;  // values typed over product 5's; otherwise into the empty form
    BoxAnswer answer;
    const char* question;
    const char* stored5;  // the names after the click
    const char* stored9;
    const char* code_after;  // the code field after the click ("" when saved)
  };
  const Case cases[] = {
      {"over 5, keep", true, BoxAnswer::kNo, "5", "TYPED", "NOVE", ""},
      {"over 5, discard", true, BoxAnswer::kYes, "5", "CINCO", "NOVE", ""},
      {"empty form, keep", false, BoxAnswer::kNo, "9", "CINCO", "TYPED", ""},
      {"empty form, discard", false, BoxAnswer::kYes, "9", "CINCO", "NOVE", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProductPair h;
    if (c.loaded_first) h.TypeAndLeave(kCode, "5");
    h.view->Type(kName, "TYPED");
    h.view->Type(kDept, "1");
    h.desktop.answers = {c.answer};
    h.TypeAndLeave(kCode, "9");
    h.Click(kIdOk);
    EXPECT_TRUE(h.Errors().empty());
    EXPECT_EQ(h.Questions(),
              std::vector<std::string>{Win1252("Descartar as alterações do produto ") + c.question +
                                       "?"});
    EXPECT_EQ(h.Plu(5).name, c.stored5);
    EXPECT_EQ(h.Plu(9).name, c.stored9);
    EXPECT_EQ(h.Text(kCode), c.code_after);
  }
}

TEST(ProductEditor, ACodeTypedButNotTakenIsTakenByTheSaveWhichStoresNothing) {
  ProductPair h;
  h.TypeAndLeave(kCode, "5");
  h.view->Type(kName, "TYPED");
  h.view->SetText(kCode, "9");  // typed, the field never left
  h.Click(kIdOk);               // Não
  EXPECT_EQ(h.Questions(), std::vector<std::string>{kAsk5});
  EXPECT_EQ(h.Text(kCode), "5");
  EXPECT_EQ(h.Text(kName), "TYPED");
  EXPECT_EQ(h.Plu(5).name, "CINCO");
  EXPECT_EQ(h.Plu(9).name, "NOVE");
  h.Click(kIdOk);
  EXPECT_EQ(h.Plu(5).name, "TYPED");

  // Nothing typed: the save shows the code's product and stores nothing.
  h.TypeAndLeave(kCode, "5");
  h.view->SetText(kCode, "9");
  h.Click(kIdOk);
  EXPECT_EQ(h.Questions().size(), 1u);
  EXPECT_EQ(h.Text(kName), "NOVE");
  EXPECT_FALSE(h.Plu(9).changed_name);
}

TEST(ProductEditor, OnlyValuesTypedSinceTheLastLoadOrSaveAreAskedAbout) {
  ProductPair h;
  h.TypeAndLeave(kCode, "5");
  h.TypeAndLeave(kCode, "9");  // nothing typed over 5
  h.view->Type(kName, "NOVE NOVO");
  h.TypeAndLeave(kCode, "009");  // the same product: its values stay
  EXPECT_EQ(h.Text(kName), "NOVE NOVO");
  h.Click(kIdOk);
  h.TypeAndLeave(kCode, "5");  // the form emptied by the save holds nothing typed
  EXPECT_EQ(h.Text(kName), "CINCO");
  h.TypeAndLeave(kCode, "750");  // refused: the values stay, nothing to ask
  EXPECT_EQ(h.Text(kName), "CINCO");
  EXPECT_TRUE(h.Questions().empty());
  EXPECT_EQ(h.Plu(9).name, "NOVE NOVO");
}

TEST(ProductEditor, RaisesExactlyTheMarkersOfWhatChanged) {
  struct Case {
    const char* what;
    const char* old_price;
    const char* new_price;  // nullptr: untouched
    const char* new_name;
    const char* new_dept;
    bool toggle_flag;
    bool status, price, name, dept;
  };
  const Case cases[] = {
      {"nothing", "150", nullptr, nullptr, nullptr, false, false, false, false, false},
      {"only dept, price 0", "0", nullptr, nullptr, "9", false, false, false, false, true},
      {"only dept, price empty", "", nullptr, nullptr, "9", false, false, false, false, true},
      {"5 to 05", "150", nullptr, nullptr, "05", false, false, false, false, true},
      {"flag, price empty", "", nullptr, nullptr, nullptr, true, true, true, false, false},
      {"flag, price 150", "150", nullptr, nullptr, nullptr, true, true, false, false, false},
      {"name, price zeros", "000", nullptr, "NOVO", nullptr, false, false, true, true, false},
      {"name, price 150", "150", nullptr, "NOVO", nullptr, false, false, false, true, false},
      {"price 100 to 0100", "100", "0100", nullptr, nullptr, false, false, false, false, false},
      {"price 100 to 1000", "100", "1000", nullptr, nullptr, false, false, true, false, false},
      {"everything", "", "1", "NOVO", "9", true, true, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProductHarness h;
    PluRecord& p = h.Plu(33);
    p.price = c.old_price;
    p.name = "CHA";
    p.dept_code = "5";
    h.TypeAndLeave(kCode, "33");
    if (c.new_price) h.view->SetText(kPrice, c.new_price);
    if (c.new_name) h.view->SetText(kName, c.new_name);
    if (c.new_dept) h.view->SetText(kDept, c.new_dept);
    if (c.toggle_flag) h.view->SetCheck(1049, !h.view->GetCheck(1049));
    h.Click(kIdOk);
    ASSERT_TRUE(h.Errors().empty());
    EXPECT_EQ(p.changed_status, c.status ? 1 : 0);
    EXPECT_EQ(p.changed_price, c.price ? 1 : 0);
    EXPECT_EQ(p.changed_name, c.name ? 1 : 0);
    EXPECT_EQ(p.changed_dept, c.dept ? 1 : 0);
    EXPECT_TRUE(h.state.params_modified);
  }
}

TEST(ProductEditor, MarkersOnlyAddUpOverSeveralSaves) {
  ProductHarness h;
  h.Plu(2).name = "A";
  h.Plu(2).dept_code = "1";
  h.Plu(2).price = "10";
  h.TypeAndLeave(kCode, "2");
  h.view->SetText(kName, "B");
  h.Click(kIdOk);
  h.TypeAndLeave(kCode, "2");
  h.view->SetText(kName, "A");  // typed back
  h.view->SetText(kDept, "2");
  h.Click(kIdOk);
  EXPECT_EQ(h.Plu(2).name, "A");
  EXPECT_EQ(h.Plu(2).changed_name, 1);
  EXPECT_EQ(h.Plu(2).changed_dept, 1);
  EXPECT_EQ(h.Plu(2).changed_price, 0);
}

// "Sair", Esc and the close box store nothing; values typed and not stored go only on Sim
// (default Não keeps the form open with them), named by the code they were typed for.
TEST(ProductEditor, LeavingStoresNothingAndAsksAboutTypedValues) {
  struct Case {
    const char* what;
    bool by_close;
    const char* code;  // taken before typing ("" for none)
    bool typed;
    std::optional<BoxAnswer> answer;  // nothing: not asked
    const char* question;             // after "Descartar as alterações do produto"
  } cases[] = {
      {"Sair, nothing typed", false, "1", false, {}, ""},
      {"close, nothing typed", true, "1", false, {}, ""},
      {"Sair, typed, Não", false, "1", true, BoxAnswer::kNo, " 1?"},
      {"close, typed, Não", true, "1", true, BoxAnswer::kNo, " 1?"},
      {"close, typed, Sim", true, "1", true, BoxAnswer::kYes, " 1?"},
      {"typed with no code, Não", false, "", true, BoxAnswer::kNo, "?"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ProductHarness h;
    if (*c.code) h.TypeAndLeave(kCode, c.code);
    if (c.typed) h.Fill("1", "X", "1");
    if (c.answer) h.desktop.answers = {*c.answer};
    if (c.by_close)
      h.presenter->OnCloseCommand(*h.view);
    else
      h.Click(kIdCancel);
    std::vector<std::string> asked;
    for (const MessageBox& b : h.desktop.messages) {
      EXPECT_EQ(b.default_answer, BoxAnswer::kNo);
      asked.push_back(b.text);
    }
    EXPECT_EQ(asked, c.answer ? std::vector<std::string>{Win1252("Descartar as alterações do "
                                                                 "produto") +
                                                         c.question}
                              : std::vector<std::string>{});
    const bool kept = c.answer == BoxAnswer::kNo;
    EXPECT_EQ(h.view->closed, kept ? std::nullopt : std::optional<int>(0));
    EXPECT_EQ(h.Text(kName), c.typed ? "X" : "");
    EXPECT_EQ(h.Plu(1), PluRecord{});
    EXPECT_FALSE(h.state.params_modified);
    if (*c.code) {
      EXPECT_EQ(h.state.current_plu, 1);  // remembered for the next opening
    }
  }
}

}  // namespace
}  // namespace qx::ui::testing
