// The function key, header and footer, and miscellaneous options forms in the real dialog:
// every control of the template is there with its id, label, input rules and help, and the
// presenters' checks and hints work through real widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "../fakes.h"
#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/qt/form_dialog.h"
#include "ui/screens/editors.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

class OptionEditorFormsTest : public ::testing::Test {
 protected:
  AppState state_;
  ui::testing::ScriptedDesktop desktop_;
};

TEST_F(OptionEditorFormsTest, FunctionKeyEditorShowsEveryControlAndChecksOnSave) {
  auto editor = MakeFunctionKeyEditor(state_, desktop_);
  FormDialog dialog(*editor);
  testing::ExpectDialogShowsTemplate(dialog, editor->Template());
  EXPECT_EQ(Ctl<QCheckBox>(dialog, 1047)->text().simplified(),
            QStringLiteral("Marcar se valor é obrigatório"));
  bool card_group = false;
  for (auto* group : dialog.findChildren<QGroupBox*>())
    card_group = card_group || group->title() == QStringLiteral("CARTÃO");
  EXPECT_TRUE(card_group);

  editor->OnOpen(dialog.view());
  auto* cash_name = Ctl<QLineEdit>(dialog, 1052);
  testing::TypeText(cash_name, QStringLiteral("DINHEIRO Ô"));  // ten characters
  EXPECT_EQ(Ctl<QLabel>(dialog, 5052)->text(), QStringLiteral("A registradora não recebe: Ô"));
  QTest::mouseClick(Ctl<QPushButton>(dialog, kIdOk), Qt::LeftButton);
  EXPECT_EQ(desktop_.Errors(),
            std::vector<std::string>{Win1252("ERRO - NOME DE DINHEIRO EXCEDE 8 CARACTERES")});
  EXPECT_FALSE(dialog.closed());
  EXPECT_EQ(cash_name->text(), QStringLiteral("DINHEIRO Ô"));
  cash_name->setText(QStringLiteral("DINHEIRO"));
  QTest::mouseClick(Ctl<QPushButton>(dialog, kIdOk), Qt::LeftButton);
  EXPECT_TRUE(dialog.closed());
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_EQ(state_.params.cash_key.name, "DINHEIRO");
}

TEST_F(OptionEditorFormsTest, HeaderFooterEditorShowsTwelveLinesAndCutsOnSave) {
  auto editor = MakeHeaderFooterEditor(state_, desktop_);
  FormDialog dialog(*editor);
  testing::ExpectDialogShowsTemplate(dialog, editor->Template());
  editor->OnOpen(dialog.view());
  testing::TypeText(Ctl<QLineEdit>(dialog, 1018),
                    QStringLiteral("{V{O{L{T{E SEMPRE [LOJA] AMANHA"));
  EXPECT_EQ(Ctl<QLabel>(dialog, 5018)->text(), QStringLiteral("A registradora não recebe: [, ]"));
  QTest::mouseClick(Ctl<QPushButton>(dialog, kIdOk), Qt::LeftButton);
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_EQ(state_.params.footer_lines[5], "{V{O{L{T{E SEMPRE [LOJA]");
}

TEST_F(OptionEditorFormsTest, MiscOptionsEditorShowsEveryBoxAndStoresWhatIsClicked) {
  auto editor = MakeMiscOptionsEditor(state_, desktop_);
  FormDialog dialog(*editor);
  testing::ExpectDialogShowsTemplate(dialog, editor->Template());
  EXPECT_EQ(dialog.findChildren<QCheckBox*>().size(), 29);
  EXPECT_TRUE(Ctl<QCheckBox>(dialog, 1048)->text().startsWith(QStringLiteral("`Marca para")));
  editor->OnOpen(dialog.view());
  EXPECT_TRUE(Ctl<QCheckBox>(dialog, 1064)->isChecked());  // print_z_counter defaults to set
  QTest::mouseClick(Ctl<QCheckBox>(dialog, 1050), Qt::LeftButton);
  auto* number = Ctl<QLineEdit>(dialog, 1057);
  number->clear();
  testing::TypeText(number, QStringLiteral("CX 12345678"));
  QTest::mouseClick(Ctl<QPushButton>(dialog, kIdOk), Qt::LeftButton);
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_EQ(state_.params.print_options.print_receipt_copy, '1');
  EXPECT_EQ(state_.params.system_options.repeat_receipt, '0');
  EXPECT_EQ(state_.params.register_number, "123456");
}

}  // namespace
}  // namespace qx::ui::qt
