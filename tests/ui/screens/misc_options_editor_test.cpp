#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "../fakes.h"
#include "common/cp1252.h"
#include "ui/screens/editors.h"

namespace qx::ui {
namespace {

using testing::FakeFormView;
using testing::ScriptedDesktop;

class MiscOptionsEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_ = MakeMiscOptionsEditor(state_, desktop_);
    ASSERT_NE(editor_, nullptr);
    view_ = std::make_unique<FakeFormView>(editor_->Template());
  }
  void Open() { editor_->OnOpen(*view_); }
  void Save() { view_->Click(*editor_, kIdOk); }

  AppState state_;
  ScriptedDesktop desktop_;
  std::unique_ptr<Presenter> editor_;
  std::unique_ptr<FakeFormView> view_;
};

// Which flag each box edits: system options and print options crossed as the register
// numbers them.
struct Crossing {
  int id;
  char& (*flag)(ParamSet&);
};

#define SYS(f) [](ParamSet& p) -> char& { return p.system_options.f; }
#define PRN(f) [](ParamSet& p) -> char& { return p.print_options.f; }
const Crossing kCrossings[] = {
    {1054, SYS(compact_print)},
    {1049, SYS(qty_dept_key)},
    {1050, PRN(print_receipt_copy)},
    {1051, SYS(repeat_receipt)},
    {1047, SYS(recalc_change)},
    {1063, SYS(multiply_quantity)},
    {1058, SYS(zero_grand_total_after_z)},
    {1056, SYS(zero_financial_counter)},
    {1061, SYS(zero_product_counter)},
    {1060, SYS(zero_operator_counter)},
    {1053, SYS(drawer_declaration)},
    {1041, PRN(receipt_on_drawer_open)},
    {1048, SYS(drawer_on_reports)},
    {1064, PRN(print_z_counter)},
    {1030, PRN(print_consecutive)},
    {1031, PRN(print_date)},
    {1032, PRN(print_time)},
    {1033, PRN(print_operator_name)},
    {1044, PRN(print_code_on_receipt)},
    {1035, PRN(print_item_count)},
    {1042, PRN(print_header)},
    {1043, PRN(print_footer)},
    {1025, PRN(print_subtotal)},
    {1040, PRN(grand_total_net)},
    {1037, PRN(print_grand_total)},
    {1039, PRN(print_gross_grand_total)},
    {1034, PRN(print_returns)},
    {1045, PRN(print_code_in_product_report)},
    {1066, PRN(print_zero_totals)},
};
#undef SYS
#undef PRN

TEST_F(MiscOptionsEditorTest, TemplateHoldsTheOptionBoxesFieldsNotesAndButtons) {
  const FormTemplate& form = editor_->Template();
  EXPECT_EQ(form.resource_id, 119);
  EXPECT_EQ(form.width, 434);
  EXPECT_EQ(form.height, 350);
  EXPECT_EQ(form.font_points, 10);
  int boxes = 0;
  for (const ControlTemplate& c : form.controls) {
    if (c.kind == ControlKind::kCheckBox) {
      ++boxes;
      EXPECT_FALSE(c.help.empty()) << c.id;
    }
    EXPECT_GE(c.x, 0) << c.id;
    EXPECT_LE(c.x + c.width, form.width) << c.id;
    EXPECT_LE(c.y + c.height, form.height) << c.id;
  }
  EXPECT_EQ(boxes, 29);
  for (const Crossing& x : kCrossings) {
    ASSERT_NE(form.Find(x.id), nullptr) << x.id;
    EXPECT_EQ(form.Find(x.id)->kind, ControlKind::kCheckBox) << x.id;
  }
  // Labels with their own spelling, punctuation and breaks, kept as they are.
  EXPECT_EQ(form.Find(1048)->label, "`Marca para\nAbrir GAVETA\n nas LEITURAS.");
  EXPECT_EQ(form.Find(1054)->label,
            Win1252("\nMarcar se deve usar o\nformato compactado\npara imprimir os cupons "
                    "(cupom será\nretido como jornal).\n "));
  EXPECT_EQ(form.Find(1037)->label, Win1252("Marque ;para\nimprimir Grande\nTotal redutível."));
  EXPECT_EQ(form.Find(1048)->help,
            Win1252("A gaveta írá abrir quando for emitir \nLEITURA FINANCEIRA se estiver "
                    "marcado."));
  struct FieldRow {
    int id;
    const char* label;
    bool digits_only;
    int max_length;  // what the field stores: nothing is cut unseen
  };
  for (const FieldRow& f : {FieldRow{1005, "Símbolo da\nmoeda:real", false, 5},
                            FieldRow{1052, "Moeda\nestrangeira:", false, 5},
                            FieldRow{1057, "Número\ndo caixa", true, 6}}) {
    const ControlTemplate* c = form.Find(f.id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->kind, ControlKind::kEdit);
    EXPECT_EQ(c->digits_only, f.digits_only);
    EXPECT_EQ(c->max_length, f.max_length);
    EXPECT_FALSE(c->help.empty());
    ASSERT_NE(form.Find(c->buddy), nullptr);
    EXPECT_EQ(form.Find(c->buddy)->label, Win1252(f.label));
  }
  EXPECT_NE(form.Find(5005), nullptr);
  EXPECT_NE(form.Find(5052), nullptr);
  std::set<std::string> notes;
  for (const ControlTemplate& c : form.controls)
    if (c.id == -1) notes.insert(c.label);
  EXPECT_EQ(notes.count(Win1252(
                "NOTA: A alteração de alguns parâmetros não estão disponíveis aqui porque eles "
                "raramente  seriam  aplicados.  São eles: FORMATO DA DATA diferente de "
                "DDMMAA,buzina do teclado, casas decimais diferente de dois, jornal eletrônico, "
                "arredondamento e treinamento.")),
            1u);
  EXPECT_EQ(notes.count(Win1252("Para alterá-los, consulte o manual de programação do "
                                "equipamento.")),
            1u);
}

TEST_F(MiscOptionsEditorTest, EachBoxEditsExactlyItsOwnFlag) {
  for (const Crossing& x : kCrossings) {
    SCOPED_TRACE(x.id);
    SetUp();
    Open();
    ParamSet expected = state_.params;
    // Opening shows the flag, and flipping only this box changes only this flag.
    EXPECT_EQ(view_->GetCheck(x.id), IsSet(x.flag(expected)));
    view_->SetCheck(x.id, !view_->GetCheck(x.id));
    x.flag(expected) = IsSet(x.flag(expected)) ? '0' : '1';
    Save();
    EXPECT_EQ(view_->closed, 1);
    EXPECT_EQ(state_.params, expected);
    state_ = AppState{};
  }
}

TEST_F(MiscOptionsEditorTest, OptionsTheFormDoesNotOfferKeepTheirValues) {
  SystemOptions& s = state_.params.system_options;
  PrintOptions& p = state_.params.print_options;
  s.key_beep = '1';
  s.date_format = '7';
  s.decimal_places = '3';
  s.ejournal_enabled = '1';
  s.ejournal_full_warning = '1';
  s.ejournal_chronological = '1';
  s.zero_consecutive_after_z = '1';
  s.rounding = '1';
  s.system_reserved = "0101";
  p.print_reserved_13 = '0';
  p.print_reserved_14 = '0';
  p.print_reserved_15 = '1';
  p.print_reserved_16 = '1';
  p.print_reserved_17 = '1';
  p.print_ejournal = '1';
  p.print_training_message = '1';
  const ParamSet before = state_.params;
  Open();
  for (const Crossing& x : kCrossings) view_->SetCheck(x.id, !view_->GetCheck(x.id));
  Save();
  ASSERT_EQ(view_->closed, 1);
  ParamSet expected = before;
  for (const Crossing& x : kCrossings) x.flag(expected) = IsSet(x.flag(expected)) ? '0' : '1';
  EXPECT_EQ(state_.params, expected);
}

TEST_F(MiscOptionsEditorTest, SavingUntouchedNormalisesOddAndEvenFlagsAndMarksModified) {
  state_.params.system_options.compact_print = '3';  // odd: set
  state_.params.print_options.print_header = 'B';    // even: not set
  state_.params.print_options.print_footer = '\0';
  Open();
  Save();
  EXPECT_TRUE(state_.params_modified);
  EXPECT_EQ(state_.params.system_options.compact_print, '1');
  EXPECT_EQ(state_.params.print_options.print_header, '0');
  EXPECT_EQ(state_.params.print_options.print_footer, '0');
  EXPECT_EQ(state_.params.print_options.print_subtotal, '1');
}

TEST_F(MiscOptionsEditorTest, SecondReceiptAndMultipleReceiptsAreSeparateOptions) {
  Open();
  view_->SetCheck(1050, true);
  view_->SetCheck(1051, true);
  Save();
  EXPECT_EQ(state_.params.print_options.print_receipt_copy, '1');
  EXPECT_EQ(state_.params.system_options.repeat_receipt, '1');
}

TEST_F(MiscOptionsEditorTest, SymbolsAndRegisterNumberAreStoredAsTypedAndCut) {
  state_.params.register_number = "12";
  Open();
  EXPECT_EQ(view_->title, Win1252("QX-4810  PROGRAMAÇÃO  DIVERSOS"));
  EXPECT_EQ(view_->focus, 1054);
  EXPECT_EQ(view_->texts[1005], "R$");
  EXPECT_EQ(view_->texts[1052], "US$");
  EXPECT_EQ(view_->texts[1057], "12");
  view_->Type(1005, "EUR$$");
  view_->Type(1052, "ABCDEFG");
  view_->Type(1057, "12345678");
  Save();
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(state_.params.print_options.local_currency_symbol, "EUR$$");
  EXPECT_EQ(state_.params.print_options.foreign_currency_symbol, "ABCDE");
  EXPECT_EQ(state_.params.register_number, "123456");

  SetUp();
  Open();
  view_->Type(1005, "");
  view_->Type(1057, "N\xBA 7");  // digits only as typed
  Save();
  EXPECT_EQ(state_.params.print_options.local_currency_symbol, "");
  EXPECT_EQ(state_.params.register_number, "7");
}

TEST_F(MiscOptionsEditorTest, TheSeparatorInASymbolIsRefusedAndNothingIsStored) {
  const struct {
    int id;
    const char* name;
  } fields[] = {{1005, "SÍMBOLO DA MOEDA LOCAL"}, {1052, "SÍMBOLO DA MOEDA ESTRANGEIRA"}};
  for (const auto& [id, name] : fields) {
    SetUp();
    desktop_.messages.clear();
    Open();
    view_->SetCheck(1054, true);
    view_->Type(id, "R|$");
    Save();
    EXPECT_EQ(desktop_.Errors(),
              std::vector<std::string>{Win1252("ERRO - O CARACTERE | NÃO É PERMITIDO\n") +
                                       Win1252(name)});
    EXPECT_EQ(view_->focus, id);
    EXPECT_FALSE(view_->closed.has_value());
    EXPECT_EQ(view_->texts[id], "R|$");
    EXPECT_EQ(state_.params, ParamSet{});
    EXPECT_FALSE(state_.params_modified);
  }
}

TEST_F(MiscOptionsEditorTest, ExitStoresNothing) {
  Open();
  view_->SetCheck(1054, true);
  view_->Type(1005, "US$");
  view_->Click(*editor_, kIdCancel);
  EXPECT_EQ(view_->closed, 0);
  EXPECT_EQ(state_.params, ParamSet{});
  EXPECT_FALSE(state_.params_modified);
}

TEST_F(MiscOptionsEditorTest, HintFollowsTheSymbolsButNotTheRegisterNumber) {
  state_.params.print_options.foreign_currency_symbol = "\xA3";  // £ has no register code
  Open();
  EXPECT_EQ(view_->texts[5052], "A registradora n\xE3o recebe: \xA3");
  EXPECT_EQ(view_->texts[5005], "");
  view_->Type(1005, "\x80");  // €
  editor_->OnTextChanged(*view_, 1005);
  EXPECT_EQ(view_->texts[5005], "A registradora n\xE3o recebe: \x80");
  editor_->OnTextChanged(*view_, 1057);
  EXPECT_EQ(view_->texts.count(5057), 0u);
  Save();
  EXPECT_EQ(state_.params.print_options.local_currency_symbol, "\x80");
}

}  // namespace
}  // namespace qx::ui
