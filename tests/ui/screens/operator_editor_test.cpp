// The operator editor, driven through a fake view.
#include <gtest/gtest.h>

#include "../record_editor_harness.h"

namespace qx::ui::testing {
namespace {

constexpr int kCode = 1005;
constexpr int kName = 1052;

struct OperatorHarness : EditorHarness {
  OperatorHarness() { Open(MakeOperatorEditor); }
  OperatorRecord& Op(int n) { return state.params.Operator(n); }
};

TEST(OperatorEditor, TemplateHoldsEveryControlOfTheForm) {
  OperatorHarness h;
  const FormTemplate& form = h.presenter->Template();
  EXPECT_EQ(form.resource_id, 104);
  EXPECT_EQ(form.width, 215);
  EXPECT_EQ(form.height, 127);
  ExpectControls(form,
                 {
                     {1005, ControlKind::kEdit, "Código (1 a 10):", 0, true, false},
                     {1052, ControlKind::kEdit, "Nome do empregado", 8, false, true},
                     {kIdOk, ControlKind::kDefaultPushButton, "Salvar / Próximo", 0, false, false},
                     {kIdCancel, ControlKind::kPushButton, "Sair", 0, false, false},
                     {RegisterHintId(1052), ControlKind::kStaticText, "", 0, false, false},
                 });
  EXPECT_EQ(h.view->title, Win1252("QX-4810  PROGRAMAÇÃO  OPERADORES"));
  EXPECT_EQ(h.view->focus, kCode);
  EXPECT_TRUE(h.Text(kCode).empty());
  EXPECT_TRUE(h.Text(kName).empty());
}

TEST(OperatorEditor, TakingACodeReadsItsFirstTwoCharacters) {
  struct Case {
    const char* typed;
    int current;  // 4 = unchanged
    const char* message;
  };
  const char* const kRange = "ERRO - CODIGO EXCEDE LIMITE (FAIXA: 1 A 10";
  const Case cases[] = {
      {"5", 5, nullptr},
      {"05", 5, nullptr},
      {"10", 10, nullptr},
      {"123", 12, kRange},
      {"0", 0, kRange},
      {"00", 0, kRange},
      {"11", 11, kRange},
      {"", 4, nullptr},
      {"a", 4, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"1a", 4, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"1a2", 4, "ERRO - CODIGO DEVE SER NUMERICO"},
      {"10a", 10, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    OperatorHarness h;
    h.state.current_operator = 4;
    h.Op(5).name = "JOSE";
    h.Op(10).name = "MARIA";
    h.view->SetText(kName, "typed");
    h.desktop.answers = {BoxAnswer::kYes};  // discard "typed" when a record is taken
    h.view->SetText(kCode, c.typed);
    h.presenter->OnFocusLost(*h.view, kCode);
    EXPECT_EQ(h.state.current_operator, c.current);
    const bool taken = !c.message && (c.current == 5 || c.current == 10);
    EXPECT_EQ(h.desktop.Questions().size(), taken ? 1u : 0u);
    if (c.message) {
      EXPECT_EQ(h.Errors(), std::vector<std::string>{c.message});
    } else {
      EXPECT_TRUE(h.Errors().empty());
    }
    const char* shown = c.message         ? "typed"
                        : c.current == 5  ? "JOSE"
                        : c.current == 10 ? "MARIA"
                                          : "typed";
    EXPECT_EQ(h.Text(kName), shown);
  }
}

TEST(OperatorEditor, NameChecksComeInOrderAndKeepWhatWasTyped) {
  struct Case {
    const char* name;
    const char* message;  // nullptr: stored
  };
  const Case cases[] = {
      {"", "ERRO - NOME NÃO INFORMADO"},
      {"123456789", "ERRO - NOME EXCEDE 8 CARACTERES"},
      {"1234|6789", "ERRO - NOME EXCEDE 8 CARACTERES"},
      {"JO|E", "ERRO - O CARACTERE | NÃO É PERMITIDO\nNOME DO OPERADOR"},
      {"12345678", nullptr},
      {"   ", nullptr},
      {"{J{O{S{E", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OperatorHarness h;
    h.TypeAndLeave(kCode, "3");
    h.view->SetText(kName, c.name);
    h.Click(kIdOk);
    if (c.message) {
      EXPECT_EQ(h.Errors(), std::vector<std::string>{Win1252(c.message)});
      EXPECT_EQ(h.Text(kName), c.name);
      EXPECT_EQ(h.Text(kCode), "3");
      EXPECT_EQ(h.Op(3), OperatorRecord{});
      EXPECT_FALSE(h.state.params_modified);
    } else {
      EXPECT_TRUE(h.Errors().empty());
      EXPECT_EQ(h.Op(3).name, c.name);
      EXPECT_EQ(h.Op(3).changed, 1);
      EXPECT_TRUE(h.state.params_modified);
      EXPECT_TRUE(h.Text(kName).empty());
      EXPECT_TRUE(h.Text(kCode).empty());
      EXPECT_EQ(h.view->focus, kCode);
      EXPECT_EQ(h.state.current_operator, 3);
    }
  }
}

TEST(OperatorEditor, SavingTheUnchangedNameStillMarksTheOperator) {
  OperatorHarness h;
  h.Op(3).name = "ANA";
  h.TypeAndLeave(kCode, "3");
  h.Click(kIdOk);
  EXPECT_EQ(h.Op(3).name, "ANA");
  EXPECT_EQ(h.Op(3).changed, 1);
  for (int n = 1; n <= 10; ++n) {
    EXPECT_EQ(h.Op(n).changed, n == 3 ? 1 : 0) << n;
  }
}

TEST(OperatorEditor, AfterARejectedCodeSavingStoresNothingAndKeepsWhatWasTyped) {
  for (const char* code : {"0", "11", "123"}) {
    SCOPED_TRACE(code);
    OperatorHarness h;
    h.TypeAndLeave(kCode, code);
    h.desktop.messages.clear();
    h.view->SetText(kName, "NOME");
    const ParamSet before = h.state.params;
    h.Click(kIdOk);
    EXPECT_EQ(h.Errors(), std::vector<std::string>{"ERRO - CODIGO EXCEDE LIMITE (FAIXA: 1 A 10"});
    EXPECT_EQ(h.state.params, before);
    EXPECT_FALSE(h.state.params_modified);
    EXPECT_EQ(h.Text(kName), "NOME");
    EXPECT_EQ(h.Text(kCode), code);
    EXPECT_EQ(h.view->focus, kCode);
  }
}

TEST(OperatorEditor, TheCodeOnScreenAndTheNameOnScreenBelongTogether) {
  OperatorHarness h;
  h.Op(3).name = "ANA";
  h.Op(4).name = "RUI";
  h.view->Type(kCode, "3");
  h.view->PressEnter(*h.presenter);  // takes the code, stores nothing
  EXPECT_EQ(h.Text(kName), "ANA");
  EXPECT_FALSE(h.state.params_modified);
  h.view->Type(kName, "BIA");
  h.TypeAndLeave(kCode, "4");  // Não, the default: operator 3 and "BIA" stay together
  ASSERT_EQ(h.desktop.messages.size(), 1u);
  EXPECT_EQ(h.desktop.messages[0].text, Win1252("Descartar as alterações do operador 3?"));
  EXPECT_EQ(h.desktop.messages[0].title, Win1252("ATENÇÃO"));
  EXPECT_EQ(h.Text(kCode), "3");
  h.Click(kIdOk);
  EXPECT_EQ(h.Op(3).name, "BIA");
  EXPECT_EQ(h.Op(4).name, "RUI");
  EXPECT_EQ(h.Op(4).changed, 0);
  h.TypeAndLeave(kCode, "4");  // after the save nothing is typed: no question
  EXPECT_EQ(h.Text(kName), "RUI");
  EXPECT_EQ(h.desktop.messages.size(), 1u);
}

// Leaving with a typed name asks as the product editor does; Sim closes, Não keeps the name.
TEST(OperatorEditor, SairAndTheCloseCommandAskAboutATypedNameAndStoreNothing) {
  for (bool by_close : {false, true}) {
    for (BoxAnswer answer : {BoxAnswer::kNo, BoxAnswer::kYes}) {
      OperatorHarness h;
      h.TypeAndLeave(kCode, "2");
      h.view->SetText(kName, "NOME");
      h.desktop.answers = {answer};
      if (by_close)
        h.presenter->OnCloseCommand(*h.view);
      else
        h.Click(kIdCancel);
      ASSERT_EQ(h.desktop.messages.size(), 1u);
      EXPECT_EQ(h.desktop.messages[0].text, Win1252("Descartar as alterações do operador 2?"));
      EXPECT_EQ(h.view->closed, answer == BoxAnswer::kYes ? std::optional<int>(0) : std::nullopt);
      EXPECT_EQ(h.Text(kName), "NOME");
      EXPECT_EQ(h.Op(2), OperatorRecord{});
      EXPECT_EQ(h.state.current_operator, 2);
    }
  }
}

}  // namespace
}  // namespace qx::ui::testing
