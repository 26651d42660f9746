#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../fakes.h"
#include "common/cp1252.h"
#include "ui/screens/editors.h"

namespace qx::ui {
namespace {

using testing::FakeFormView;
using testing::ScriptedDesktop;

class FunctionKeyEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_ = MakeFunctionKeyEditor(state_, desktop_);
    ASSERT_NE(editor_, nullptr);
    view_ = std::make_unique<FakeFormView>(editor_->Template());
  }
  void Open() { editor_->OnOpen(*view_); }
  void Save() { view_->Click(*editor_, kIdOk); }
  std::vector<std::string> Errors() const { return desktop_.Errors(); }

  AppState state_;
  ScriptedDesktop desktop_;
  std::unique_ptr<Presenter> editor_;
  std::unique_ptr<FakeFormView> view_;
};

// Every control of the form with its kind, label (for text fields, the label beside it) and
// whether it takes digits only.
struct ControlRow {
  int id;
  ControlKind kind;
  const char* label;
  bool digits_only;
};

const ControlRow kControls[] = {
    {1047, ControlKind::kCheckBox, "Marcar se valor é obrigatório ", false},
    {1053, ControlKind::kCheckBox, "Marcar para aceitar\nvalor menor e maior", false},
    {1056, ControlKind::kCheckBox, "Marcar para desabilitar\nvalor menor.", false},
    {1005, ControlKind::kEdit, "Valor limite:", true},
    {1052, ControlKind::kEdit, "Nome:", false},
    {1058, ControlKind::kCheckBox, "Marcar se valor é\nobrigatório.", false},
    {1060, ControlKind::kCheckBox, "Marcar para aceitar\nvalor menor e maior.", false},
    {1063, ControlKind::kCheckBox, "Marque para desabilitar\nvalor menor.", false},
    {1057, ControlKind::kEdit, "Valor limite:", true},
    {1059, ControlKind::kEdit, "Nome:", false},
    {1049, ControlKind::kCheckBox, "Marque se valor é\nobrigatório.", false},
    {1050, ControlKind::kCheckBox, "Marque para aceitar\nvalor menor e maior.", false},
    {1061, ControlKind::kCheckBox, "Marcar para desabilitar\nvalor menor.", false},
    {1029, ControlKind::kEdit, "Valor limite:", true},
    {1062, ControlKind::kEdit, "Nome:", false},
    {1048, ControlKind::kCheckBox, "Marca se desabilita tecla", false},
    {1065, ControlKind::kEdit, "Valor limite:", true},
    {1067, ControlKind::kEdit, "Nome:", false},
    {1066, ControlKind::kEdit, "Valor limite:", true},
    {1051, ControlKind::kCheckBox, "Marca se aberto na venda", false},
    {1068, ControlKind::kEdit, "Percentual = 99.999 %", true},
    {1016, ControlKind::kEdit, "Nome:", false},
    {1064, ControlKind::kCheckBox, "Marca se aberto na venda", false},
    {1017, ControlKind::kEdit, "Percentual = 99.999 %", true},
    {1018, ControlKind::kEdit, "Nome:", false},
    {1025, ControlKind::kCheckBox, "Marca se aberto na venda", false},
    {1019, ControlKind::kEdit, "Valor: ", true},
    {1020, ControlKind::kEdit, "Nome:", false},
    {1021, ControlKind::kEdit, "Câmbio", true},
    {1022, ControlKind::kEdit, "Quantidade de casas decimais:", true},
    {1, ControlKind::kDefaultPushButton, "Salvar", false},
    {2, ControlKind::kPushButton, "Sair", false},
};

TEST_F(FunctionKeyEditorTest, TemplateHoldsEveryControlWithItsLabelKindInputAndHelp) {
  const FormTemplate& form = editor_->Template();
  EXPECT_EQ(form.resource_id, 107);
  EXPECT_EQ(form.name, "FunctionKeyEditor");
  EXPECT_EQ(form.width, 530);
  EXPECT_EQ(form.height, 298);
  EXPECT_EQ(form.font_points, 8);
  for (const ControlRow& row : kControls) {
    SCOPED_TRACE(row.id);
    const ControlTemplate* c = form.Find(row.id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind, row.kind);
    EXPECT_EQ(c->digits_only, row.digits_only);
    if (row.kind == ControlKind::kEdit) {
      const ControlTemplate* label = form.Find(c->buddy);
      ASSERT_NE(label, nullptr);
      EXPECT_EQ(label->label, Win1252(row.label));
      EXPECT_EQ(c->label, label->label);
      EXPECT_FALSE(c->help.empty());
      // No input limit: the save checks the lengths and says which field is too long.
      EXPECT_EQ(c->max_length, 0);
    } else {
      EXPECT_EQ(c->label, Win1252(row.label));
      EXPECT_EQ(c->help.empty(), row.id <= 2);
    }
  }
  for (const char* group : {"DINHEIRO", "CHEQUE", "CARTÃO", "CANC CUPOM", "CANC. ÚLTIMO  ITEM",
                            "DESCONTO", "ACRÉSCIMO", "VALOR DO DESCONTO", "MOEDA"}) {
    bool found = false;
    for (const ControlTemplate& c : form.controls)
      found = found || (c.kind == ControlKind::kGroupBox && c.label == Win1252(group));
    EXPECT_TRUE(found) << group;
  }
  EXPECT_EQ(form.Find(1020)->help, form.Find(1016)->help);
  EXPECT_EQ(form.Find(1021)->help,
            Win1252(" Entre com a taxa de conversão até 7 dígitos sem \n o ponto decimal. "
                    "Exemplo \"0625\"."));
}

TEST_F(FunctionKeyEditorTest, EveryControlFitsInsideTheForm) {
  const FormTemplate& form = editor_->Template();
  for (const ControlTemplate& c : form.controls) {
    EXPECT_GE(c.x, 0) << c.id << " " << c.label;
    EXPECT_GE(c.y, 0) << c.id << " " << c.label;
    EXPECT_LE(c.x + c.width, form.width) << c.id << " " << c.label;
    EXPECT_LE(c.y + c.height, form.height) << c.id << " " << c.label;
  }
}

TEST_F(FunctionKeyEditorTest, OpeningShowsTheStoredValuesTitleAndFocus) {
  ParamSet& p = state_.params;
  p.cash_key = {'1', '0', '1', "1000", "DINHEIR"};
  p.card_key.name = "CART\xD4";  // Ô has no register code
  p.void_receipt_key = {'1', "999", "CANCELA"};
  p.void_item_key.limit = "199";
  p.discount_pct_key = {'0', "10000", "DESC"};
  p.surcharge_pct_key = {'1', "05550", "ACRESC"};
  p.discount_value_key = {'0', "500", "EMPREG"};
  p.currency_key = {"0625", "3", "DOLAR"};
  Open();
  EXPECT_EQ(view_->title, Win1252("QX-4810  PROGRAMAÇÃO  TECLAS DE FUNÇÃO"));
  EXPECT_EQ(view_->focus, 1047);
  EXPECT_TRUE(view_->GetCheck(1047));
  EXPECT_FALSE(view_->GetCheck(1053));
  EXPECT_TRUE(view_->GetCheck(1056));
  EXPECT_TRUE(view_->GetCheck(1060));  // cheque change_allowed defaults to '1'
  EXPECT_TRUE(view_->GetCheck(1048));
  EXPECT_FALSE(view_->GetCheck(1051));
  EXPECT_TRUE(view_->GetCheck(1064));
  EXPECT_FALSE(view_->GetCheck(1025));
  EXPECT_EQ(view_->texts[1005], "1000");
  EXPECT_EQ(view_->texts[1052], "DINHEIR");
  EXPECT_EQ(view_->texts[1065], "999");
  EXPECT_EQ(view_->texts[1067], "CANCELA");
  EXPECT_EQ(view_->texts[1066], "199");
  EXPECT_EQ(view_->texts[1068], "10000");
  EXPECT_EQ(view_->texts[1017], "05550");
  EXPECT_EQ(view_->texts[1019], "500");
  EXPECT_EQ(view_->texts[1021], "0625");
  EXPECT_EQ(view_->texts[1022], "3");
  EXPECT_EQ(view_->texts[5062], "A registradora n\xE3o recebe: \xD4");
  EXPECT_EQ(view_->texts[5052], "");
}

// Each step of "Salvar" is met while every later step would fail too, so the messages must
// come exactly in this order; after each, nothing is stored and the form stays open with the
// user's input.
TEST_F(FunctionKeyEditorTest, SaveChecksEveryStepInOrderAndStoresNothingOnAnError) {
  Open();
  const ParamSet before = state_.params;
  auto put = [&](int id, const char* text) { view_->texts[id] = text; };  // as pasted
  put(1068, "123456");
  put(1017, "123456");
  put(1019, "123456");
  put(1021, "12345678");
  put(1022, "12");
  for (int id : {1005, 1057, 1029, 1065, 1066}) put(id, "123456789");
  for (int id : {1052, 1059, 1062, 1067, 1016, 1018, 1020}) put(id, "NOVENOMES");

  struct Fix {
    const char* message;
    int id;
    const char* text;  // what the user types next
    int other_id = 0;  // and, for the pair of currency fields, into this one
    const char* other_text = "";
    int focus = 0;  // where the message puts the focus (0: not moved)
  };
  const Fix fixes[] = {
      {"ERRO - DESCONTO EXCEDE 5 DIGITOS", 1068, "1a"},
      {"ERRO - PERCENTUAL DESCONTO NÃO É NUMÉRICO", 1068, "10000"},
      {"ERRO - ACRÉSCIMO EXCEDE 5 DIGITOS", 1017, "5,5"},
      {"ERRO - PERCENTUAL ACRÉSCIMO NÃO É NUMÉRICO", 1017, "99999"},
      {"ERRO - VALOR DO DESCONTO EXCEDE 5 DÍGITOS", 1019, "12345"},
      {"ERRO - CAMBIO EXCEDE 7 DÍGITOS", 1021, "0625"},
      {"ERRO - CASAS DECIMAIS DO CÂMBIO EXCEDE 1 DÍGITO", 1022, ""},
      {"ERRO - INFORMOU CAMBIO, MAS FALTA CASAS DECIMAIS", 1021, "", 1022, "3"},
      {"ERRO - TEM CASAS DECIMAIS, MAS CAMBIO NAO INFORMADO", 1021, "0625", 1022, "8"},
      {"ERRO - VALOR EM DINHEIRO EXCEDE 8 DÍGITOS", 1005, "12345678"},
      {"ERRO - VALOR EM CHEQUE EXCEDE 8 DÍGITOS", 1057, "1"},
      {"ERRO - VALOR EM CARTAO EXCEDE 8 DÍGITOS", 1029, ""},
      {"ERRO - VALOR EM CANC CUPOM EXCEDE 8 DÍGITOS", 1065, "999"},
      {"ERRO - VALOR EM CANC ULT ITEM EXCEDE 8 DÍGITOS", 1066, "199"},
      {"ERRO - NOME DE DINHEIRO EXCEDE 8 CARACTERES", 1052, "DINHEIRO"},
      {"ERRO - NOME DE CHEQUE EXCEDE 8 CARACTERES", 1059, "CHEQUE"},
      {"ERRO - NOME DE CARTAO EXCEDE 8 CARACTERES", 1062, "CART\xC3O"},
      {"ERRO - NOME DE CANC CUPOM EXCEDE 8 CARACTERES", 1067, "CANCELA"},
      {"ERRO - NOME DE DESCONTO % EXCEDE 8 CARACTERES", 1016, "DESC %"},
      {"ERRO - NOME DE ACRESC % EXCEDE 8 CARACTERES", 1018, "ACR|SC"},
      {"ERRO - NOME DE DESC VALOR EXCEDE 8 CARACTERES", 1020, "EMPREG"},
      // Only after the form's own checks: the parameter file's separator, named and focused,
      // and the decimal places beyond 7.
      {"ERRO - O CARACTERE | NÃO É PERMITIDO\nNOME DE ACRÉSCIMO %", 1018, "ACRESC", 0, "", 1018},
      {"ERRO - CASAS DECIMAIS: 0 A 7", 1022, "7", 0, "", 1022},
  };
  for (const Fix& fix : fixes) {
    SCOPED_TRACE(fix.message);
    desktop_.messages.clear();
    const auto typed = view_->texts;
    Save();
    ASSERT_EQ(Errors(), std::vector<std::string>{Win1252(fix.message)});
    EXPECT_FALSE(view_->closed.has_value());
    EXPECT_EQ(view_->texts, typed);
    EXPECT_EQ(state_.params, before);
    EXPECT_FALSE(state_.params_modified);
    if (fix.focus != 0) {
      EXPECT_EQ(view_->focus, fix.focus);
    }
    put(fix.id, fix.text);
    if (fix.other_id != 0) put(fix.other_id, fix.other_text);
  }
  desktop_.messages.clear();
  Save();
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(view_->closed, 1);
  EXPECT_TRUE(state_.params_modified);
  EXPECT_EQ(state_.params.discount_pct_key.percent, "10000");
  EXPECT_EQ(state_.params.surcharge_pct_key.percent, "99999");
  EXPECT_EQ(state_.params.currency_key.exchange_rate, "0625");
  EXPECT_EQ(state_.params.currency_key.rate_decimals, "7");
  EXPECT_EQ(state_.params.card_key.name, "CART\xC3O");
}

TEST_F(FunctionKeyEditorTest, TheSeparatorIsRefusedInEveryNameFieldWithTheFirstOneReported) {
  const struct {
    int id;
    const char* name;
  } fields[] = {{1052, "NOME DE DINHEIRO"},         {1059, "NOME DE CHEQUE"},
                {1062, "NOME DE CARTÃO"},           {1067, "NOME DE CANC CUPOM"},
                {1016, "NOME DE DESCONTO %"},       {1018, "NOME DE ACRÉSCIMO %"},
                {1020, "NOME DE VALOR DO DESCONTO"}};
  for (const auto& [id, name] : fields) {
    SCOPED_TRACE(id);
    SetUp();
    Open();
    desktop_.messages.clear();
    view_->Type(id, "A|B");
    view_->Type(1020, "X|Y");  // later in the order: not reported while an earlier one fails
    Save();
    EXPECT_EQ(Errors(), std::vector<std::string>{Win1252("ERRO - O CARACTERE | NÃO É PERMITIDO\n") +
                                                 Win1252(name)});
    EXPECT_EQ(view_->focus, id);
    EXPECT_FALSE(view_->closed.has_value());
    EXPECT_EQ(view_->texts[id], id == 1020 ? "X|Y" : "A|B");
    EXPECT_EQ(state_.params, ParamSet{});
  }
}

// A save stores every field into exactly its own place: each text field gets a value of its
// own and each checkbox is flipped from its stored state.
TEST_F(FunctionKeyEditorTest, SaveStoresEveryFieldIntoItsOwnPlace) {
  state_.params.currency_key.name = "DOLAR";  // offered by no form: kept
  Open();
  for (int id : {1047, 1053, 1056, 1058, 1060, 1063, 1049, 1050, 1061, 1048, 1051, 1064, 1025})
    view_->SetCheck(id, !view_->GetCheck(id));
  view_->Type(1005, "1");
  view_->Type(1052, "DIN");
  view_->Type(1057, "22");
  view_->Type(1059, "CHQ");
  view_->Type(1029, "333");
  view_->Type(1062, "CRT");
  view_->Type(1065, "4444");
  view_->Type(1067, "CANC");
  view_->Type(1066, "55555");
  view_->Type(1068, "06000");
  view_->Type(1016, "DSC");
  view_->Type(1017, "07000");
  view_->Type(1018, "ACR");
  view_->Type(1019, "888");
  view_->Type(1020, "EMP");
  view_->Type(1021, "1234567");
  view_->Type(1022, "7");
  Save();
  ASSERT_EQ(view_->closed, 1);
  ParamSet expected;
  expected.cash_key = {'1', '0', '1', "1", "DIN"};
  expected.cheque_key = {'1', '0', '1', "22", "CHQ"};
  expected.card_key = {'1', '0', '1', "333", "CRT"};
  expected.void_receipt_key = {'1', "4444", "CANC"};
  expected.void_item_key = {"55555"};
  expected.discount_pct_key = {'0', "06000", "DSC"};
  expected.surcharge_pct_key = {'0', "07000", "ACR"};
  expected.discount_value_key = {'0', "888", "EMP"};
  expected.currency_key = {"1234567", "7", "DOLAR"};
  EXPECT_EQ(state_.params, expected);
  EXPECT_TRUE(state_.params_modified);
}

TEST_F(FunctionKeyEditorTest, AcceptsTheLimitsOfEachFieldAndEmptyValues) {
  Open();
  view_->Type(1068, "99999");
  view_->Type(1017, "");
  view_->Type(1005, "12345678");
  view_->Type(1052, "12345678");
  view_->Type(1021, "");
  view_->Type(1022, "");
  Save();
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(view_->closed, 1);
  EXPECT_EQ(state_.params.discount_pct_key.percent, "99999");
  EXPECT_EQ(state_.params.cash_key.limit, "12345678");
  EXPECT_EQ(state_.params.cash_key.name, "12345678");
}

TEST_F(FunctionKeyEditorTest, TypingLettersIntoAmountFieldsLeavesOnlyTheDigits) {
  Open();
  view_->Type(1005, "12,50");
  view_->Type(1021, "R$0,625");
  view_->Type(1022, "3");
  Save();
  EXPECT_EQ(state_.params.cash_key.limit, "1250");
  EXPECT_EQ(state_.params.currency_key.exchange_rate, "0625");
}

TEST_F(FunctionKeyEditorTest, ExitAndCloseCommandStoreNothing) {
  for (bool by_close_command : {false, true}) {
    SetUp();
    Open();
    view_->Type(1052, "NOVO");
    view_->SetCheck(1047, true);
    if (by_close_command)
      editor_->OnCloseCommand(*view_);
    else
      view_->Click(*editor_, kIdCancel);
    EXPECT_EQ(view_->closed, 0);
    EXPECT_EQ(state_.params, ParamSet{});
    EXPECT_FALSE(state_.params_modified);
  }
}

TEST_F(FunctionKeyEditorTest, HintFollowsTheTypingOfNameFieldsOnly) {
  Open();
  view_->Type(1016, "DESC [A]");
  editor_->OnTextChanged(*view_, 1016);
  EXPECT_EQ(view_->texts[5016], "A registradora n\xE3o recebe: [, ]");
  view_->Type(1016, "DESC");
  editor_->OnTextChanged(*view_, 1016);
  EXPECT_EQ(view_->texts[5016], "");
  editor_->OnTextChanged(*view_, 1005);
  EXPECT_EQ(view_->texts.count(5005), 0u);
  // The hint never blocks the save nor changes what is stored.
  view_->Type(1016, "\xC2NGELO");
  editor_->OnTextChanged(*view_, 1016);
  Save();
  EXPECT_EQ(view_->closed, 1);
  EXPECT_EQ(state_.params.discount_pct_key.name, "\xC2NGELO");
}

}  // namespace
}  // namespace qx::ui
