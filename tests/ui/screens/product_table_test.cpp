// The product table without a display: which rows, what the find field finds, the sort
// orders, the attention marks, and the form run from the product editor on a fake view.
#include "ui/screens/product_table.h"

#include <gtest/gtest.h>

#include "../record_editor_harness.h"
#include "common/cp1252.h"
#include "ui/screens/product_table_form.h"

namespace qx::ui::testing {
namespace {

ParamSet WithProducts(const std::vector<std::pair<int, std::string>>& names) {
  ParamSet params;
  params.Department(1).name = "MERCEARIA";
  for (const auto& [code, name] : names) {
    params.Product(code).name = Win1252(name);
    params.Product(code).dept_code = "1";
  }
  return params;
}

std::vector<int> ShownCodes(const ProductTable& table) {
  std::vector<int> codes;
  for (const ProductRow* row : table.Shown()) codes.push_back(row->code);
  return codes;
}

TEST(ProductTableFind, FindsByCodeOrPartOfTheNameWithoutRegardToCaseAndAccents) {
  struct Case {
    const char* name_utf8;
    int code;
    const char* typed_utf8;
    bool found;
  };
  const Case cases[] = {
      {"AÇÚCAR 1KG", 3, "acucar", true},
      {"AÇÚCAR 1KG", 3, "AÇUCAR", true},
      {"AÇÚCAR 1KG", 3, "çúc", true},
      {"AÇÚCAR 1KG", 3, "  car 1k ", true},  // blanks around the text do not count
      {"AÇÚCAR 1KG", 3, "acucar2", false},
      {"pão de mel", 4, "PAO DE", true},
      {"{C{H{Á", 5, "cha", true},  // the expanded-letter switches are not part of the name
      {"CAFÉ", 7, "7", true},
      {"CAFÉ", 7, "007", true},
      {"CAFÉ", 7, "70", false},
      {"CAFÉ", 70, "7", false},      // a code is found whole, not by its first digits
      {"OVOS 12UN", 5, "12", true},  // digits are found in the name too
      {"COCA 2L", 12, "2l", true},
      {"MAÇÃ", 9, "", true},
      {"ŒUF", 9, "oeuf", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name_utf8) + " / " + c.typed_utf8);
    ProductTable table(WithProducts({{c.code, c.name_utf8}}));
    table.SetFind(Win1252(c.typed_utf8));
    EXPECT_EQ(table.Shown().size(), c.found ? 1u : 0u);
    EXPECT_EQ(table.CountText(), c.found ? "1 de 500" : "0 de 500");
  }
}

TEST(ProductTableRows, ProgrammedProductsOnlyUnlessAllAreAskedFor) {
  ParamSet params = WithProducts({{2, "AGUA"}, {40, "PAO"}});
  params.Product(40).price = "0001250";
  params.Product(40).status_negative_price = '1';
  params.Product(40).status_fixed_price = '0';
  ProductTable table(params);
  EXPECT_EQ(ShownCodes(table), (std::vector<int>{2, 40}));
  EXPECT_EQ(table.CountText(), "2 de 500");
  EXPECT_EQ(table.Shown()[1]->cells,
            (std::vector<std::string>{"", "40", "PAO", "R$ 12,50", "1", "Sim", "", "Sim", ""}));
  table.SetShowAll(true);
  EXPECT_EQ(table.CountText(), "500 de 500");
  EXPECT_EQ(table.Shown()[0]->cells,
            (std::vector<std::string>{"", "1", "", "", "", "", "", "Sim", "Sim"}))
      << "an unprogrammed product is not marked";
  table.SetFind("pao");
  EXPECT_EQ(ShownCodes(table), std::vector<int>{40});
}

TEST(ProductTableRows, PricesAreShownInReais) {
  const std::pair<const char*, const char*> cases[] = {
      {"", ""},
      {"1250", "R$ 12,50"},
      {"0001250", "R$ 12,50"},
      {"5", "R$ 0,05"},
      {"0", "R$ 0,00"},
      {"99", "R$ 0,99"},
      {"100", "R$ 1,00"},
      {"9999999", "R$ 99.999,99"},
      {"12,50", "12,50"},
  };
  for (const auto& [price, cell] : cases) EXPECT_EQ(PriceCell(price), cell) << price;
}

// Products whose columns sort differently as text and as numbers or folded names.
ParamSet SortingSet() {
  ParamSet params = WithProducts(
      {{100, "Banana"}, {2, "ÁGUA"}, {10, "abacaxi"}, {7, "ACUCAR"}, {3, "AÇÚCAR"}, {50, "água"}});
  params.Product(100).price = "900";
  params.Product(2).price = "1250";
  params.Product(10).price = "0000500";
  params.Product(7).price = "";
  params.Product(3).price = "12a";
  params.Product(50).price = "1250";
  params.Product(100).dept_code = "12";
  params.Product(2).dept_code = "3";
  return params;
}

TEST(ProductTableSort, ColumnsSortAsNumbersOrAsABrazilianReaderExpectsAndASecondClickReverses) {
  struct Case {
    ProductColumn column;
    int clicks;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {ProductColumn::kCode, 0, {2, 3, 7, 10, 50, 100}},
      {ProductColumn::kCode, 1, {100, 50, 10, 7, 3, 2}},  // already by code: reverses
      // Accents and case aside; equal names keep their code order, in either direction.
      {ProductColumn::kName, 1, {10, 3, 7, 2, 50, 100}},
      {ProductColumn::kName, 2, {100, 2, 50, 3, 7, 10}},
      // No price, then the numbers by value, then what is no number.
      {ProductColumn::kPrice, 1, {7, 10, 100, 2, 50, 3}},
      {ProductColumn::kPrice, 2, {3, 2, 50, 100, 10, 7}},
      {ProductColumn::kDept, 1, {3, 7, 10, 50, 2, 100}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.column) * 10 + c.clicks);
    ProductTable table(SortingSet());
    for (int i = 0; i < c.clicks; ++i) table.ClickColumn(static_cast<int>(c.column));
    EXPECT_EQ(ShownCodes(table), c.codes);
  }
}

TEST(ProductTableSort, FlagsAndMarksSortTheSetOnesFirstAndTheFindKeepsTheOrder) {
  ParamSet params = SortingSet();
  params.Product(50).status_negative_price = '1';
  params.Product(7).status_negative_price = '1';
  ProductTable table(params);
  table.ClickColumn(static_cast<int>(ProductColumn::kNegative));
  EXPECT_EQ(ShownCodes(table), (std::vector<int>{7, 50, 2, 3, 10, 100}));
  // 2 and 100 are linked to departments without a name, 3 has the price "12a".
  table.ClickColumn(static_cast<int>(ProductColumn::kAttention));
  EXPECT_EQ(ShownCodes(table), (std::vector<int>{2, 3, 100, 7, 10, 50}));
  table.ClickColumn(static_cast<int>(ProductColumn::kName));
  table.SetFind("agua");
  EXPECT_EQ(ShownCodes(table), (std::vector<int>{2, 50}));
  table.ClickColumn(99);  // no such column: nothing changes
  EXPECT_EQ(ShownCodes(table), (std::vector<int>{2, 50}));
}

TEST(ProductTableMarks, EachProblemTheRegisterWouldHaveIsNamed) {
  struct Case {
    const char* name_utf8;
    const char* dept;
    const char* price;
    const char* attention_utf8;  // "" : not marked
  };
  const Case cases[] = {
      {"CAFE", "1", "1250", ""},
      {"CAFE", "01", "", ""},
      {"CAFE", "", "1250", "Sem departamento: o produto não fica ligado a nenhum"},
      {"CAFE", "0", "1250", "Sem departamento: o produto não fica ligado a nenhum"},
      {"CAFE", "2", "1250", "O departamento 2 não tem nome"},
      {"CAFE", "17", "1250", "O departamento 17 não existe (1 a 16)"},
      {"CAFÂ", "1", "1250", "A registradora não recebe: Â"},
      {"CAFE", "1", "12,50", "O preço não é só de dígitos: 12,50"},
      {"CAFÊ", "", "1 0",
       "Sem departamento: o produto não fica ligado a nenhum\n"
       "A registradora não recebe: Ê\n"
       "O preço não é só de dígitos: 1 0"},
      {"", "", "1,0", ""},  // not programmed: the guide leaves it out
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name_utf8) + " / " + c.dept + " / " + c.price);
    ParamSet params;
    params.Department(1).name = "MERCEARIA";
    PluRecord& plu = params.Product(8);
    plu.name = Win1252(c.name_utf8);
    plu.dept_code = c.dept;
    plu.price = c.price;
    EXPECT_EQ(ProductAttention(params, 8), Win1252(c.attention_utf8));
    const std::vector<ProductRow> rows = BuildProductRows(params, true);
    EXPECT_EQ(rows[7].cells[0], *c.attention_utf8 ? "!" : "");
  }
}

// The table run from the product editor's "LISTA" button on the scripted desktop.
struct TableHarness : EditorHarness {
  static constexpr int kList = 1092;
  static constexpr int kCode = 1005;
  static constexpr int kName = 1057;
  static constexpr int kPrice = 1052;
  TableHarness() {
    state.params.Department(1).name = "MERCEARIA";
    state.params.Product(3).name = Win1252("AÇÚCAR 1KG");
    state.params.Product(3).price = "459";
    state.params.Product(3).dept_code = "1";
    state.params.Product(12).name = "COCA 2L";
    state.params.Product(12).price = "899";
    state.params.Product(40).name = "ACUCAR MASC";
    Open(MakeProductEditor);
  }
  // Opens the table, lets `use` work on it, and records what it showed.
  void UseTable(std::function<void(Presenter&, FakeFormView&)> use) {
    desktop.form_scripts["ProductTable"] = [this, use](Presenter& p, FakeFormView& v) {
      use(p, v);
      table_rows = v.list_rows[kIdTableList];
      table_tips = v.list_tips[kIdTableList];
      table_count = v.GetText(kIdTableCount, 99);
      table_title = v.title;
    };
    Click(kList);
  }
  std::vector<std::vector<std::string>> table_rows;
  std::vector<std::string> table_tips;
  std::string table_count;
  std::string table_title;
};

void TypeFind(Presenter& p, FakeFormView& v, std::string_view text) {
  v.Type(kIdTableFind, text);
  p.OnTextChanged(v, kIdTableFind);
}

TEST(ProductTableForm, TypingFiltersAndActivatingARowLoadsThatProductIntoTheEditor) {
  TableHarness h;
  h.UseTable([](Presenter& p, FakeFormView& v) {
    EXPECT_EQ(v.focus, kIdTableFind);
    EXPECT_EQ(v.GetText(kIdTableCount, 99), "3 de 500");
    TypeFind(p, v, "acucar");
    ASSERT_EQ(v.list_rows[kIdTableList].size(), 2u);
    v.ClickColumnTitle(p, kIdTableList, 1);  // by code, reversed: 40 then 3
    v.ActivateRow(p, kIdTableList, 1);
  });
  EXPECT_EQ(h.table_title, Win1252("QX-4810  PROGRAMAÇÃO  LISTA DE PRODUTOS"));
  EXPECT_EQ(h.table_count, "2 de 500");
  EXPECT_EQ(h.table_rows[0][1], "40");
  EXPECT_EQ(h.table_tips,
            (std::vector<std::string>{
                Win1252("Sem departamento: o produto não fica ligado a nenhum"), ""}));
  EXPECT_EQ(h.Text(TableHarness::kCode), "3");
  EXPECT_EQ(h.Text(TableHarness::kName), Win1252("AÇÚCAR 1KG"));
  EXPECT_EQ(h.Text(TableHarness::kPrice), "459");
  EXPECT_EQ(h.state.current_plu, 3);
  EXPECT_EQ(h.view->focus, TableHarness::kName);
  EXPECT_FALSE(h.state.params_modified) << "the table stores nothing";
}

TEST(ProductTableForm, EnterInTheFindFieldOpensTheProductWhoseCodeWasTyped) {
  TableHarness h;
  h.state.params.Product(2).name = "OVOS 12UN";
  h.UseTable([](Presenter& p, FakeFormView& v) {
    v.SetCheck(kIdTableShowAll, true);
    v.Click(p, kIdTableShowAll);
    EXPECT_EQ(v.GetText(kIdTableCount, 99), "500 de 500");
    TypeFind(p, v, "acucar");
    v.PressEnter(p);  // two rows, none chosen, no code typed: nothing opens
    EXPECT_FALSE(v.closed);
    TypeFind(p, v, "12");  // code 12, and 2 by its name
    ASSERT_EQ(v.list_rows[kIdTableList].size(), 2u);
    v.PressEnter(p);
  });
  EXPECT_EQ(h.Text(TableHarness::kCode), "12");
  EXPECT_EQ(h.Text(TableHarness::kName), "COCA 2L");
}

TEST(ProductTableForm, ValuesTypedAndNotSavedAreDroppedOnlyAfterTheQuestion) {
  for (BoxAnswer answer : {BoxAnswer::kNo, BoxAnswer::kYes}) {
    TableHarness h;
    h.TypeAndLeave(TableHarness::kCode, "3");
    h.view->Type(TableHarness::kPrice, "500");
    h.desktop.answers.push_back(answer);
    h.UseTable([](Presenter& p, FakeFormView& v) {
      TypeFind(p, v, "coca");
      v.ActivateRow(p, kIdTableList, 0);
    });
    ASSERT_EQ(h.desktop.messages.size(), 1u);
    EXPECT_EQ(h.desktop.messages[0].text, Win1252("Descartar as alterações do produto 3?"));
    const bool kept = answer == BoxAnswer::kNo;
    EXPECT_EQ(h.Text(TableHarness::kCode), kept ? "3" : "12");
    EXPECT_EQ(h.Text(TableHarness::kPrice), kept ? "500" : "899");
  }
}

}  // namespace
}  // namespace qx::ui::testing
