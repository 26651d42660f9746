#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "../fakes.h"
#include "common/cp1252.h"
#include "ui/screens/editors.h"

namespace qx::ui {
namespace {

using testing::FakeFormView;
using testing::ScriptedDesktop;

constexpr std::array<int, 6> kHeader = {1005, 1052, 1057, 1059, 1029, 1062};
constexpr std::array<int, 6> kFooter = {1065, 1067, 1068, 1016, 1017, 1018};

class HeaderFooterEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    editor_ = MakeHeaderFooterEditor(state_, desktop_);
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

TEST_F(HeaderFooterEditorTest, TemplateHoldsTwelveLineFieldsWithTheSameHelpAndTheButtons) {
  const FormTemplate& form = editor_->Template();
  EXPECT_EQ(form.resource_id, 108);
  EXPECT_EQ(form.width, 278);
  EXPECT_EQ(form.height, 186);
  EXPECT_EQ(form.font_points, 10);
  const std::string help = Win1252(
      " Informe até 24 caracteres por linha. \n Use o caracter \"{\" (ABRE CHAVES)   \n para "
      "ativar  ou  desativar EXPANDIDO. ");
  for (const auto& ids : {kHeader, kFooter}) {
    for (int id : ids) {
      const ControlTemplate* c = form.Find(id);
      ASSERT_NE(c, nullptr) << id;
      EXPECT_EQ(c->kind, ControlKind::kEdit);
      EXPECT_FALSE(c->digits_only);
      EXPECT_EQ(c->max_length, 24) << "a line takes no more than it stores";
      EXPECT_EQ(c->help, help);
      ASSERT_NE(form.Find(id + 4000), nullptr) << "hint of " << id;
      EXPECT_LE(c->x + c->width, form.width);
      EXPECT_LE(c->y + c->height, form.height);
    }
  }
  EXPECT_EQ(form.Find(1)->label, "Salvar");
  EXPECT_EQ(form.Find(1)->kind, ControlKind::kDefaultPushButton);
  EXPECT_EQ(form.Find(2)->label, "Sair");
  bool note_shows_example = false;
  for (const ControlTemplate& c : form.controls) {
    note_shows_example = note_shows_example || c.label.find("{K{O{R{V{A") != std::string::npos;
    EXPECT_LE(c.y + c.height, form.height) << c.label;
  }
  EXPECT_TRUE(note_shows_example);
}

TEST_F(HeaderFooterEditorTest, OpeningShowsEachStoredLineInItsFieldAndFocusesTheFirst) {
  for (std::size_t i = 0; i < 6; ++i) {
    state_.params.header_lines[i] = "CAB " + std::to_string(i + 1);
    state_.params.footer_lines[i] = "ROD " + std::to_string(i + 1);
  }
  state_.params.footer_lines[5] = "VOLTE SEMPRE [LOJA]";
  Open();
  EXPECT_EQ(view_->title, Win1252("QX-4810  PROGRAMAÇÃO  CABEÇALHO/RODAPÉ"));
  EXPECT_EQ(view_->focus, 1005);
  for (std::size_t i = 0; i < 5; ++i) {
    EXPECT_EQ(view_->texts[kHeader[i]], "CAB " + std::to_string(i + 1));
    EXPECT_EQ(view_->texts[kFooter[i]], "ROD " + std::to_string(i + 1));
    EXPECT_EQ(view_->texts[kHeader[i] + 4000], "");
  }
  EXPECT_EQ(view_->texts[1018 + 4000], "A registradora n\xE3o recebe: [, ]");
}

TEST_F(HeaderFooterEditorTest, SaveStoresTheFirst24CharactersOfEachLineAsTyped) {
  Open();
  for (std::size_t i = 0; i < 6; ++i) {
    view_->Type(kHeader[i], "H" + std::to_string(i + 1));
    view_->Type(kFooter[i], "F" + std::to_string(i + 1));
  }
  view_->Type(1005, "123456789012345678901234567890");  // 30 characters
  view_->Type(1052, "{K{O{R{V{A {K{O{R{V{A {K{O");      // each "{" is one of the 24
  view_->Type(1067, "  OBRIGADO  ");
  view_->Type(1018, "");
  Save();
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(view_->closed, 1);
  EXPECT_TRUE(state_.params_modified);
  const std::array<std::string, 6> header = {
      "123456789012345678901234", "{K{O{R{V{A {K{O{R{V{A {K", "H3", "H4", "H5", "H6"};
  const std::array<std::string, 6> footer = {"F1", "  OBRIGADO  ", "F3", "F4", "F5", ""};
  EXPECT_EQ(state_.params.header_lines, header);
  EXPECT_EQ(state_.params.footer_lines, footer);
}

TEST_F(HeaderFooterEditorTest, SavingWithoutChangesStillMarksTheParametersModified) {
  state_.params.header_lines[0] = "LOJA";
  Open();
  Save();
  EXPECT_EQ(view_->closed, 1);
  EXPECT_TRUE(state_.params_modified);
  EXPECT_EQ(state_.params.header_lines[0], "LOJA");
}

TEST_F(HeaderFooterEditorTest, TheSeparatorInAnyLineIsRefusedAndNothingIsStored) {
  const struct {
    int id;
    const char* name;
  } lines[] = {{1005, "LINHA 1 DO CABEÇALHO"},
               {1062, "LINHA 6 DO CABEÇALHO"},
               {1065, "LINHA 1 DO RODAPÉ"},
               {1018, "LINHA 6 DO RODAPÉ"}};
  for (const auto& [id, name] : lines) {
    SetUp();
    desktop_.messages.clear();
    Open();
    view_->Type(1052, "NOVO");
    view_->Type(id, "A | B");
    view_->focus = 1052;
    Save();
    EXPECT_EQ(
        desktop_.Errors(),
        std::vector<std::string>{Win1252("ERRO - O CARACTERE | NÃO É PERMITIDO\n") + Win1252(name)})
        << id;
    EXPECT_EQ(view_->focus, id);
    EXPECT_FALSE(view_->closed.has_value());
    EXPECT_EQ(view_->texts[id], "A | B");
    EXPECT_EQ(state_.params, ParamSet{});
    EXPECT_FALSE(state_.params_modified);
  }
  // A separator beyond the 24th character is cut away and does not count.
  view_->Type(1018, "123456789012345678901234|");
  Save();
  EXPECT_EQ(view_->closed, 1);
  EXPECT_EQ(state_.params.footer_lines[5], "123456789012345678901234");
}

TEST_F(HeaderFooterEditorTest, ExitStoresNothing) {
  Open();
  view_->Type(1005, "NOVO");
  view_->Click(*editor_, kIdCancel);
  EXPECT_EQ(view_->closed, 0);
  EXPECT_EQ(state_.params.header_lines[0], "");
  EXPECT_FALSE(state_.params_modified);
}

TEST_F(HeaderFooterEditorTest, HintFollowsTheTypingOfEveryLine) {
  Open();
  view_->Type(1017, "\xCA\xCA\xCA");
  editor_->OnTextChanged(*view_, 1017);
  EXPECT_EQ(view_->texts[5017], "A registradora n\xE3o recebe: \xCA");
}

}  // namespace
}  // namespace qx::ui
