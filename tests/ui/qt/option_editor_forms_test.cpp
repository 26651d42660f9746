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
#include <QRegularExpression>
#include <QTest>
#include <memory>

#include "../fakes.h"
#include "common/cp1252.h"
#include "qt_test_support.h"
#include "ui/screens/editors.h"
#include "ui/qt/form_dialog.h"

namespace qx::ui::qt {
namespace {

using testing::Ctl;

QString FromCp1252(const std::string& bytes) {
  return QString::fromStdString(Cp1252ToUtf8(bytes));
}

// Labels and help texts are wrapped to fit their places: compare them without line breaks
// and blanks.
QString Squeezed(QString text) {
  static const QRegularExpression blanks(QStringLiteral("\\s"));
  return text.remove(blanks);
}

const char* WidgetClassFor(ControlKind kind) {
  switch (kind) {
    case ControlKind::kPushButton:
    case ControlKind::kDefaultPushButton:
      return "QPushButton";
    case ControlKind::kCheckBox:
      return "QCheckBox";
    case ControlKind::kEdit:
      return "QLineEdit";
    case ControlKind::kGroupBox:
      return "QGroupBox";
    default:
      return "QLabel";
  }
}

// Every addressable control of the template, as the dialog built it.
void ExpectDialogShowsTemplate(const FormDialog& dialog, const FormTemplate& form) {
  EXPECT_TRUE(dialog.rect().isValid());
  for (const ControlTemplate& c : form.controls) {
    if (c.id < 0) continue;
    SCOPED_TRACE(c.id);
    QWidget* w = Ctl<QWidget>(dialog, c.id);
    ASSERT_NE(w, nullptr);
    EXPECT_STREQ(w->metaObject()->className(), WidgetClassFor(c.kind));
    EXPECT_TRUE(dialog.rect().contains(w->geometry()));
    EXPECT_EQ(Squeezed(w->toolTip()), Squeezed(FromCp1252(c.help)));
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      EXPECT_EQ(Squeezed(button->text()), Squeezed(FromCp1252(c.label)));
    }
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
      EXPECT_EQ(edit->maxLength(), c.max_length > 0 ? c.max_length : 32767);
      if (c.buddy >= 0) {
        auto* label = Ctl<QLabel>(dialog, c.buddy);
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(Squeezed(label->text()), Squeezed(FromCp1252(form.Find(c.buddy)->label)));
        EXPECT_EQ(label->buddy(), edit);
      }
      // Digits-only fields keep only the digits typed; the others take any character
      // Windows-1252 holds.
      edit->clear();
      testing::TypeText(edit, QStringLiteral("1a|Ô2"));
      EXPECT_EQ(edit->text(), c.digits_only ? QStringLiteral("12") : QStringLiteral("1a|Ô2"));
      edit->clear();
    }
  }
}

class OptionEditorFormsTest : public ::testing::Test {
 protected:
  AppState state_;
  ui::testing::ScriptedDesktop desktop_;
};

TEST_F(OptionEditorFormsTest, FunctionKeyEditorShowsEveryControlAndChecksOnSave) {
  auto editor = MakeFunctionKeyEditor(state_, desktop_);
  FormDialog dialog(*editor);
  ExpectDialogShowsTemplate(dialog, editor->Template());
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
  ExpectDialogShowsTemplate(dialog, editor->Template());
  editor->OnOpen(dialog.view());
  testing::TypeText(Ctl<QLineEdit>(dialog, 1018), QStringLiteral("{V{O{L{T{E SEMPRE [LOJA] AMANHA"));
  EXPECT_EQ(Ctl<QLabel>(dialog, 5018)->text(), QStringLiteral("A registradora não recebe: [, ]"));
  QTest::mouseClick(Ctl<QPushButton>(dialog, kIdOk), Qt::LeftButton);
  EXPECT_TRUE(desktop_.messages.empty());
  EXPECT_EQ(dialog.result(), 1);
  EXPECT_EQ(state_.params.footer_lines[5], "{V{O{L{T{E SEMPRE [LOJA]");
}

TEST_F(OptionEditorFormsTest, MiscOptionsEditorShowsEveryBoxAndStoresWhatIsClicked) {
  auto editor = MakeMiscOptionsEditor(state_, desktop_);
  FormDialog dialog(*editor);
  ExpectDialogShowsTemplate(dialog, editor->Template());
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
